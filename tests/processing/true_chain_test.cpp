// The objective of the true configuration, and that it bounds the best distance from above
// whenever the routine admits that configuration.

#include "core/processing/true_chain.h"

#include <gtest/gtest.h>

#include <array>

#include "core/host/recording_host.h"
#include "core/processing/admissible_sets.h"
#include "core/processing/alphabet_recognition.h"
#include "core/processing/pulse_detection.h"
#include "core/processing/pulse_recognition.h"
#include "core/processing/tuple_detection.h"
#include "core/synthesis/pulse_alphabet.h"
#include "core/synthesis/series_allocation.h"
#include "series_fixture.h"

namespace mirovale {
namespace {

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

// Noisy series of whole and cut-off pulses that keep more than the level, on random geometry.
// With Tmax - Tmin >= L the start sets are single intervals, so the true chain is admitted.
TEST(TrueChainMeasure, BoundsTheBestDistanceOnNoisySeries) {
    std::mt19937 rng(99);
    RecordingHost host;
    const std::vector<std::uint16_t> list{2, 5, 7};
    const std::vector<std::uint32_t> subset{7, 2, 5};
    for (int round = 0; round < 60; ++round) {
        SCOPED_TRACE(round);
        fixture::Geometry g{300 + static_cast<std::uint32_t>(rng() % 301),
                            static_cast<std::uint16_t>(6 + rng() % 5),
                            static_cast<std::uint16_t>(20 + rng() % 21), 0};
        g.Tmax = static_cast<std::uint16_t>(g.Tmin + 10 + rng() % 51);
        const std::uint16_t level = std::array<std::uint16_t, 3>{100, 75, 50}[rng() % 3];
        const EtalonTable etalons = fixture::makeEtalons(g.L, static_cast<std::uint32_t>(rng()));
        auto chains = getChainsHeader(host, 4, fixture::maxPulses(g), nullptr);
        const auto noisy = [&](auto pick) {
            return fixture::noisySeries(rng, etalons, g, level, fixture::randomStarts(rng, g), pick,
                                        10, 70);
        };
        auto mixed = noisy([&](std::size_t) { return list[rng() % 3]; });
        auto single = noisy([](std::size_t) { return 5; });
        const std::size_t phase = rng() % 3;
        auto tuples =
            noisy([&](std::size_t m) { return static_cast<int>(subset[(m + phase) % 3]); });
        mixed->wAlphabets = 2;
        mixed->selectedAlphabetSize = {2, 3};
        mixed->selectedAlphabetList = {{1, 3}, {2, 5, 7}};

        const auto expectBounded = [&](const SeriesHeader& s) {
            EXPECT_LE(chains->distance[0], trueChainMeasure(s));
        };
        detectFixedPulses(host, etalons, list, g.Tmin, g.Tmax, level, chains.get(), mixed.get());
        expectBounded(*mixed);
        recognizeAlphabetFixed(host, etalons, g.Tmin, g.Tmax, level, chains.get(), mixed.get());
        expectBounded(*mixed);
        recognizeFixedPulses(host, etalons, list, g.Tmin, g.Tmax, level, chains.get(),
                             single.get());
        expectBounded(*single);
        detectFixedTuples(host, etalons, subset, 2, g.Tmin, g.Tmax, level, chains.get(),
                          tuples.get());
        expectBounded(*tuples);
        detectUnfixedPulses(host, etalons, list, g.Tmin, g.Tmax, level, chains.get(), mixed.get());
        expectBounded(*mixed);
        recognizeAlphabetUnfixed(host, etalons, g.Tmin, g.Tmax, level, chains.get(), mixed.get());
        expectBounded(*mixed);
        recognizeUnfixedPulses(host, etalons, list, g.Tmin, g.Tmax, level, chains.get(),
                               single.get());
        expectBounded(*single);
    }
}

// Whether the routines admit the series' true configuration: pieces that keep more than the
// level, gaps of Tmin..Tmax, pulse m in its window (known number) or the first in F, the others
// in M and the last in Z (unknown number; one interval each here, as Tmax - Tmin >= L).
bool admitsTruth(const SeriesHeader& s, const EtalonTable& table, std::uint16_t level, bool fixed) {
    const AdmissibleSets sets =
        buildAdmissibleSets(viewOf(s), s.wMinPulses, s.wMaxPulses, s.wTmin, s.wTmax);
    const auto in = [](const IntervalList* list, int t) {
        return list->wIntervals == 1 && list->lpIntervalBegins[0] <= t &&
               t <= list->lpIntervalEnds[0];
    };
    for (std::size_t m = 0; m < s.wImpulseQuantity; ++m) {
        const int t = s.lpPositions[m];
        const bool placed = fixed ? s.lpMinPositions[m] <= t && t <= s.lpMaxPositions[m]
                                  : in(m == 0 ? sets.first.get() : sets.later.get(), t);
        const int gap = m == 0 ? s.wTmin : t - s.lpPositions[m - 1];
        if (!placed || gap < s.wTmin || gap > s.wTmax ||
            !fixture::admissible(table[s.lpEtalonNumbers[m] - 1u].lpData, s.lpBegins[m],
                                 s.lpEnds[m], level)) {
            return false;
        }
    }
    return fixed || in(sets.last.get(), s.lpPositions[s.wImpulseQuantity - 1u]);
}

// Series made by the synthesis routines from the alphabet, with noise.
TEST(TrueChainMeasure, BoundsTheBestDistanceOnSynthesizedSeries) {
    RecordingHost host;
    GeneratorStates states;
    EtalonTable table{};
    ASSERT_EQ(createPulses(host, states, 128, 20, 20, table), 1);
    const std::vector<std::uint16_t> list{2, 5, 9};
    std::vector<std::uint16_t> sequence(16);
    std::unique_ptr<SeriesHeader> series;
    std::uint16_t noise = 10597;
    int compared = 0;
    for (int round = 0; round < 40; ++round) {
        SCOPED_TRACE(round);
        const std::uint16_t level = std::array<std::uint16_t, 3>{100, 75, 50}[round % 3];
        const bool fixed = round % 2 == 1;
        for (std::size_t m = 0; m < sequence.size(); ++m)
            sequence[m] = list[(m * 7 + static_cast<std::size_t>(round)) % 3];
        series = (fixed ? getCutOffSeries : getRandomCountSeries)(
            host, states, 20, table, 20, 40, 181, 600, 9, sequence, 128, level, std::move(series));
        ASSERT_NE(series, nullptr);
        addNoise(static_cast<std::int16_t>(20 + round), *series, noise);
        if (!admitsTruth(*series, table, level, fixed)) continue;
        ++compared;
        auto chains = getChainsHeader(host, 2, series->wMaxPulses, nullptr);
        (fixed ? detectFixedPulses : detectUnfixedPulses)(host, table, list, 40, 181, level,
                                                          chains.get(), series.get());
        EXPECT_LE(chains->distance[0], trueChainMeasure(*series));
    }
    EXPECT_GT(compared, 20);
    EXPECT_TRUE(host.messages.empty());
}

}  // namespace
}  // namespace mirovale
