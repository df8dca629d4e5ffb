#pragma once

#include <gtest/gtest.h>

#include <span>
#include <vector>

#include "core/synthesis/pulse_header.h"
#include "core/synthesis/series_header.h"

namespace mirovale {

// Checks everything a synthesized, noise-free series promises: the pulse count within its
// range and capacity, each pulse an etalon fragment at the start of its block, the blocks
// chained within wTminBlocks..wTmaxBlocks, the signal rebuilt from the pulses equal to the pure
// and noisy signals and to both block views, and the detected arrays still empty.
inline ::testing::AssertionResult seriesInvariantsHold(const SeriesHeader& s,
                                                       std::span<const PulseHeader> table) {
    auto fail = [] { return ::testing::AssertionFailure(); };
    const std::size_t n = s.wImpulseQuantity;
    const std::size_t L = s.wImpulseSize;
    const std::size_t N = s.dwSeriesSize;
    const std::size_t B = s.dwBlocks;
    if (!(s.wMinPulses <= n && n <= s.wMaxPulses && s.wMaxPulses <= s.wMaxPulsesSpace))
        return fail() << "pulse count " << n << " outside " << s.wMinPulses << ".." << s.wMaxPulses
                      << " or capacity " << s.wMaxPulsesSpace;
    if (N > s.dwMaxSeriesSize || B > s.dwMaxBlocks || B != (N + L - 1) / L)
        return fail() << "sizes N " << N << " B " << B << " beyond capacity";
    std::vector<std::int16_t> blocks(B * L, 0);
    for (std::size_t k = 0; k < n; ++k) {
        const int number = s.lpEtalonNumbers[k];
        const int begin = s.lpBegins[k];
        const int end = s.lpEnds[k];
        const int block = s.lpBlocks[k];
        if (number < 1 || number > s.wEtalons)
            return fail() << "pulse " << k << " etalon " << number;
        if (!(0 <= begin && begin <= end && end < static_cast<int>(L)))
            return fail() << "pulse " << k << " fragment " << begin << ".." << end;
        if (block < 0 || static_cast<std::size_t>(block) >= B ||
            s.lpPositions[k] != block * static_cast<int>(L))
            return fail() << "pulse " << k << " block " << block << " position "
                          << s.lpPositions[k];
        if (k > 0) {
            const int gap = block - s.lpBlocks[k - 1];
            if (gap < s.wTminBlocks || gap > s.wTmaxBlocks)
                return fail() << "pulse " << k << " block gap " << gap;
        }
        if (s.lpDetectedPositions[k] != -1 || s.lpDetectedBlocks[k] != -1 ||
            s.lpDetectedEtalons[k] != 0 || s.lpDetectedBegins[k] != 0 || s.lpDetectedEnds[k] != 0)
            return fail() << "pulse " << k << " has a detected answer before processing";
        const auto& x = table[static_cast<std::size_t>(number - 1)].lpData;
        for (int j = begin; j <= end; ++j)
            blocks[static_cast<std::size_t>(block) * L + static_cast<std::size_t>(j)] =
                x[static_cast<std::size_t>(j)];
    }
    if (n > 0 &&
        (s.lpBlocks[0] >= s.wTmaxBlocks || s.lpBlocks[n - 1] < static_cast<int>(B) - s.wTmaxBlocks))
        return fail() << "first block " << s.lpBlocks[0] << " or last " << s.lpBlocks[n - 1]
                      << " out of reach of the ends";
    for (std::size_t i = 0; i < B * L; ++i) {
        if (s.lpVectorPureData[i] != blocks[i] || s.lpVectorData[i] != blocks[i])
            return fail() << "block sample " << i;
        if (i < N && (s.lpPureData[i] != blocks[i] || s.lpData[i] != blocks[i]))
            return fail() << "signal sample " << i << " is " << s.lpPureData[i] << " not "
                          << blocks[i];
    }
    return ::testing::AssertionSuccess();
}

// The series two records hold, field by field over what is meaningful: the first N samples,
// the first n pulses and the first B blocks.
inline void expectSameSeries(const SeriesHeader& a, const SeriesHeader& b) {
    ASSERT_EQ(a.dwSeriesSize, b.dwSeriesSize);
    ASSERT_EQ(a.wImpulseQuantity, b.wImpulseQuantity);
    ASSERT_EQ(a.dwBlocks, b.dwBlocks);
    EXPECT_EQ(a.wImpulseSize, b.wImpulseSize);
    EXPECT_EQ(a.wMinPulses, b.wMinPulses);
    EXPECT_EQ(a.wMaxPulses, b.wMaxPulses);
    EXPECT_EQ(a.wTminBlocks, b.wTminBlocks);
    EXPECT_EQ(a.wTmaxBlocks, b.wTmaxBlocks);
    EXPECT_EQ(a.wEtalons, b.wEtalons);
    EXPECT_EQ(a.lpFirstPulse, b.lpFirstPulse);
    auto prefix = [](const std::vector<std::int16_t>& v, std::size_t count) {
        return std::vector<std::int16_t>(v.begin(), v.begin() + static_cast<long>(count));
    };
    const std::size_t N = a.dwSeriesSize;
    const std::size_t n = a.wImpulseQuantity;
    const std::size_t blockSamples = std::size_t{a.dwBlocks} * a.wImpulseSize;
    EXPECT_EQ(prefix(a.lpPureData, N), prefix(b.lpPureData, N));
    EXPECT_EQ(prefix(a.lpData, N), prefix(b.lpData, N));
    EXPECT_EQ(prefix(a.lpVectorPureData, blockSamples), prefix(b.lpVectorPureData, blockSamples));
    EXPECT_EQ(prefix(a.lpVectorData, blockSamples), prefix(b.lpVectorData, blockSamples));
    for (auto field :
         {&SeriesHeader::lpEtalonNumbers, &SeriesHeader::lpPositions, &SeriesHeader::lpMinPositions,
          &SeriesHeader::lpMaxPositions, &SeriesHeader::lpBegins, &SeriesHeader::lpEnds,
          &SeriesHeader::lpBlocks, &SeriesHeader::lpMinBlocks, &SeriesHeader::lpMaxBlocks,
          &SeriesHeader::lpDetectedPositions, &SeriesHeader::lpDetectedEtalons})
        EXPECT_EQ(prefix(a.*field, n), prefix(b.*field, n));
}

}  // namespace mirovale
