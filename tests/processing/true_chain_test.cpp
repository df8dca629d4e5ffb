// The objective of the true configuration, and that it bounds the best distance from above
// whenever the routine admits that configuration.

#include "core/processing/true_chain.h"

#include <gtest/gtest.h>

#include <array>

#include "core/synthesis/pulse_alphabet.h"
#include "core/synthesis/series_allocation.h"
#include "implementations.h"

namespace mirovale {
namespace {

template <class>
class TrueChainMeasure : public ::testing::Test {};
TYPED_TEST_SUITE(TrueChainMeasure, implementations::Both, implementations::Names);

TEST(TrueChainMeasure, SumsTheKeptPiecesOfTheOriginalPulses) {
    EtalonTable etalons = fixture::makeEtalons(4, 1);
    etalons[0].lpData = {1, -2, 3, 4};
    etalons[1].lpData = {5, 6, 7, 8};
    auto series = fixture::makeSeries(etalons, {40, 4, 10, 30}, {{2, 1, 1, 2}, {20, 2, 0, 3}});
    series->lpData.assign(40, 1);
    // (-2)(-2 - 2) + 3(3 - 2) = 11, then 5 * 3 + 6 * 4 + 7 * 5 + 8 * 6 = 122
    EXPECT_EQ(trueChainMeasure(*series), 133);
    series->lpEtalonNumbers[1] = 21;  // outside the table: skipped
    EXPECT_EQ(trueChainMeasure(*series), 11);
}

// Whether the routines admit the series' true configuration: pieces that keep more than the
// level, gaps of Tmin..Tmax, pulse m in its window (known number) or the first in F, the others
// in M and the last in Z (unknown number), by the sets' definitions.
bool admitsTruth(const SeriesHeader& s, const EtalonTable& table, std::uint16_t level, bool fixed) {
    const fixture::Roles roles = fixture::definedRoles(s);
    for (std::size_t m = 0; m < s.wImpulseQuantity; ++m) {
        const int t = s.lpPositions[m], pass = roles.pass[static_cast<std::size_t>(t)];
        const bool placed = fixed    ? s.lpMinPositions[m] <= t && t <= s.lpMaxPositions[m]
                            : m == 0 ? pass == 1 || pass == 2
                                     : pass >= 2;
        const int gap = m == 0 ? s.wTmin : t - s.lpPositions[m - 1];
        if (!placed || gap < s.wTmin || gap > s.wTmax ||
            !fixture::admissible(table[s.lpEtalonNumbers[m] - 1u].lpData, s.lpBegins[m],
                                 s.lpEnds[m], level)) {
            return false;
        }
    }
    return fixed || roles.last[static_cast<std::size_t>(s.lpPositions[s.wImpulseQuantity - 1u])];
}

// Noisy series made by the synthesis routines from the alphabet: etalons 2, 5 and 9 mixed
// (detection, and alphabet recognition among {1, 3} and {2, 5, 9}), etalon 5 alone
// (recognition), and 9, 2, 5 repeated with phase 1 (tuples).
TYPED_TEST(TrueChainMeasure, BoundsTheBestDistanceOnSynthesizedSeries) {
    using R = TypeParam;
    RecordingHost host;
    GeneratorStates states;
    EtalonTable table{};
    ASSERT_EQ(createPulses(host, states, 128, 20, 20, table), 1);
    const std::vector<std::uint16_t> list{2, 5, 9};
    std::vector<std::uint16_t> sequence(16);
    std::unique_ptr<SeriesHeader> series;
    std::uint16_t noise = 10597;
    int compared = 0;
    for (int round = 0; round < 60; ++round) {
        SCOPED_TRACE(round);
        const std::uint16_t level = std::array<std::uint16_t, 3>{100, 75, 50}[round % 3];
        const bool fixed = round % 2 == 1;
        const int mode = round / 2 % 3;
        for (std::size_t m = 0; m < sequence.size(); ++m) {
            sequence[m] = mode == 1   ? 5
                          : mode == 2 ? list[(m + 1) % 3]
                                      : list[(m * 7 + static_cast<std::size_t>(round)) % 3];
        }
        series = (fixed ? getCutOffSeries : getRandomCountSeries)(
            host, states, 20, table, 20, 40, 181, 600, 9, sequence, 128, level, std::move(series));
        ASSERT_NE(series, nullptr);
        addNoise(static_cast<std::int16_t>(20 + round), *series, noise);
        if (!admitsTruth(*series, table, level, fixed)) continue;
        ++compared;
        series->wAlphabets = 2;
        series->selectedAlphabetSize = {2, 3};
        series->selectedAlphabetList = {{1, 3}, {2, 5, 9}};
        auto chains = getChainsHeader(host, 3, series->wMaxPulses, nullptr);
        differential::Inputs in{table, list, {2, 5, 9}, {}, {}, 2, 40, 181, level};
        using Picked = std::vector<std::string_view>;
        const Picked runs =
            mode == 1 ? Picked{fixed ? "recognizeFixedPulses" : "recognizeUnfixedPulses"}
            : mode == 2 && fixed
                ? Picked{"detectFixedTuples"}
                : Picked{fixed ? "detectFixedPulses" : "detectUnfixedPulses",
                         fixed ? "recognizeAlphabetFixed" : "recognizeAlphabetUnfixed"};
        for (const std::string_view name : runs) {
            // The best chain; the return value is the routine's own answer, not checked here.
            differential::runNamed<R>(name, host, in, chains.get(), series.get());
            EXPECT_LE(chains->distance[0], trueChainMeasure(*series)) << name;
        }
    }
    EXPECT_GT(compared, 30);
    EXPECT_TRUE(host.messages.empty());
}

}  // namespace
}  // namespace mirovale
