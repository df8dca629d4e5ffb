#pragma once

#include <gtest/gtest.h>

#include <span>
#include <vector>

#include "core/synthesis/pulse_header.h"
#include "core/synthesis/series_header.h"

namespace mirovale {

template <class V>
std::vector<int> head(const V& v, std::size_t count) {
    return {v.begin(), v.begin() + static_cast<long>(count)};
}

// What a series holds that matters: its sizes, first N samples, B blocks and n pulses.
inline std::vector<std::vector<int>> contentOf(const SeriesHeader& s) {
    const std::size_t N = s.dwSeriesSize, n = s.wImpulseQuantity;
    const std::size_t B = std::size_t{s.dwBlocks} * s.wImpulseSize;
    std::vector<std::vector<int>> c = {
        {int(N), int(n), int(s.dwBlocks), s.wImpulseSize, s.wMinPulses, s.wMaxPulses, s.wEtalons},
        head(s.lpPureData, N),
        head(s.lpData, N),
        head(s.lpVectorPureData, B),
        head(s.lpVectorData, B)};
    for (auto f :
         {&SeriesHeader::lpEtalonNumbers, &SeriesHeader::lpPositions, &SeriesHeader::lpMinPositions,
          &SeriesHeader::lpMaxPositions, &SeriesHeader::lpBegins, &SeriesHeader::lpEnds,
          &SeriesHeader::lpBlocks, &SeriesHeader::lpMinBlocks, &SeriesHeader::lpMaxBlocks})
        c.push_back(head(s.*f, n));
    return c;
}

// The promises of a synthesized, noise-free series: its count within range and capacity, each
// pulse a fragment of its etalon at the start of its block, blocks chained within
// wTminBlocks..wTmaxBlocks from the first reachable block to the last, the signals and both
// block views equal to the series rebuilt from the pulses, and no detected answer yet.
inline ::testing::AssertionResult seriesInvariantsHold(const SeriesHeader& s,
                                                       std::span<const PulseHeader> table) {
    auto fail = [] { return ::testing::AssertionFailure(); };
    const int n = s.wImpulseQuantity, L = s.wImpulseSize, B = int(s.dwBlocks);
    const std::size_t N = s.dwSeriesSize;
    if (s.wMinPulses > n || n > s.wMaxPulses || s.wMaxPulses > s.wMaxPulsesSpace ||
        N > s.dwMaxSeriesSize || s.dwBlocks > s.dwMaxBlocks || B != int((N + L - 1) / L))
        return fail() << "counts or sizes beyond their range or capacity";
    std::vector<std::int16_t> rebuilt(std::size_t(B * L), 0);
    for (int k = 0; k < n; ++k) {
        const auto i = std::size_t(k);
        const int number = s.lpEtalonNumbers[i], begin = s.lpBegins[i], end = s.lpEnds[i];
        const int block = s.lpBlocks[i], gap = k ? block - s.lpBlocks[i - 1] : s.wTminBlocks;
        if (number < 1 || number > s.wEtalons || begin < 0 || begin > end || end >= L)
            return fail() << "pulse " << k << " etalon " << number << " " << begin << ".." << end;
        if (s.lpPositions[i] != block * L || gap < s.wTminBlocks || gap > s.wTmaxBlocks)
            return fail() << "pulse " << k << " block " << block << " gap " << gap;
        if (s.lpDetectedPositions[i] != -1 || s.lpDetectedBlocks[i] != -1 ||
            s.lpDetectedEtalons[i] || s.lpDetectedBegins[i] || s.lpDetectedEnds[i])
            return fail() << "pulse " << k << " has a detected answer";
        for (int j = begin; j <= end; ++j)
            rebuilt[std::size_t(block * L + j)] =
                table[std::size_t(number - 1)].lpData[std::size_t(j)];
    }
    if (n && (s.lpBlocks[0] >= s.wTmaxBlocks || s.lpBlocks[std::size_t(n - 1)] < B - s.wTmaxBlocks))
        return fail() << "first or last block out of reach of the ends";
    if (head(s.lpVectorPureData, rebuilt.size()) != head(rebuilt, rebuilt.size()) ||
        head(s.lpVectorData, rebuilt.size()) != head(rebuilt, rebuilt.size()) ||
        head(s.lpPureData, N) != head(rebuilt, N) || head(s.lpData, N) != head(rebuilt, N))
        return fail() << "signal or block view differs from the pulses";
    return ::testing::AssertionSuccess();
}

}  // namespace mirovale
