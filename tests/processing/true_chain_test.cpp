// The objective of the true configuration bounds every routine's best distance from above
// whenever that configuration is one the routine admits.

#include "core/processing/true_chain.h"

#include <gtest/gtest.h>

#include "core/host/recording_host.h"
#include "core/processing/admissible_sets.h"
#include "core/processing/alphabet_recognition.h"
#include "core/processing/pulse_detection.h"
#include "core/processing/pulse_recognition.h"
#include "core/processing/tuple_detection.h"
#include "core/synthesis/random.h"
#include "series_fixture.h"

namespace mirovale {
namespace {

using fixture::Geometry;

constexpr int kSeries = 60;

TEST(TrueChainMeasure, SumsTheKeptPiecesOfTheOriginalPulses) {
    EtalonTable etalons = fixture::makeEtalons(4, 1);
    etalons[0].lpData = {1, -2, 3, 4};
    etalons[1].lpData = {5, 6, 7, 8};
    auto series = fixture::makeSeries(etalons, {40, 4, 10, 30}, {{2, 1, 1, 2}, {20, 2, 0, 3}});
    series->lpData.assign(40, 1);
    // pulse 1: (-2)(-2-2) + 3(3-2) = 11; pulse 2: 5*3 + 6*4 + 7*5 + 8*6 = 122
    EXPECT_EQ(trueChainMeasure(*series), 133);
    series->lpEtalonNumbers[1] = 21;  // an etalon outside the table is skipped
    EXPECT_EQ(trueChainMeasure(*series), 11);
}

// Whole or cut-off pulses that keep more than `level` percent of the energy, at starts that
// form an admissible chain; every pulse draws its etalon with `pick`.
template <class Pick>
std::unique_ptr<SeriesHeader> noisySeries(std::mt19937& rng, const EtalonTable& etalons,
                                          const Geometry& g, std::uint16_t level, Pick pick) {
    PulseChain truth;
    const std::vector<int> starts = fixture::randomStarts(rng, g);
    for (std::size_t m = 0; m < starts.size(); ++m) {
        const int number = pick(m);
        const auto& e = etalons[static_cast<std::size_t>(number - 1)].lpData;
        std::int64_t total = 0;
        for (const std::int16_t v : e) total += v * v;
        int a = 0, b = g.L - 1;
        for (int tries = 0; level < 100 && tries < 10; ++tries) {
            const int ta = static_cast<int>(rng() % g.L);
            const int tb = ta + static_cast<int>(rng() % static_cast<unsigned>(g.L - ta));
            std::int64_t tail = 0, within = 0;
            for (int k = ta; k < g.L; ++k)
                tail += e[static_cast<std::size_t>(k)] * e[static_cast<std::size_t>(k)];
            for (int k = ta; k <= tb; ++k)
                within += e[static_cast<std::size_t>(k)] * e[static_cast<std::size_t>(k)];
            if (tail > total * level / 100 && within > total * level / 100) {
                a = ta;
                b = tb;
                break;
            }
        }
        truth.push_back({starts[m], number, a, b});
    }
    auto series = fixture::makeSeries(etalons, g, truth);
    std::uint16_t noise = static_cast<std::uint16_t>(rng());
    addNoise(static_cast<std::int16_t>(10 + rng() % 70), *series, noise);
    return series;
}

// Whether the passes of the unknown-number routines can build the series' true chain.
bool admitsTrueChain(const SeriesHeader& s, std::uint16_t wTmin, std::uint16_t wTmax) {
    const AdmissibleSets sets =
        buildAdmissibleSets(viewOf(s), s.wMinPulses, s.wMaxPulses, wTmin, wTmax);
    const auto holds = [](const IntervalList* list, int t) {
        bool found = false;
        forEachPosition(list, [&](std::size_t p) { found = found || static_cast<int>(p) == t; });
        return found;
    };
    bool laterOnlySeen = false;
    for (std::size_t m = 0; m < s.wImpulseQuantity; ++m) {
        const int t = s.lpPositions[m];
        if (m == 0 && !holds(sets.first.get(), t)) return false;
        if (m > 0 && !holds(sets.later.get(), t)) return false;
        if (m > 0 && holds(sets.both.get(), t) && laterOnlySeen) return false;
        laterOnlySeen = laterOnlySeen || (m > 0 && holds(sets.laterOnly.get(), t));
    }
    return holds(sets.last.get(), s.lpPositions[s.wImpulseQuantity - 1u]);
}

TEST(TrueChainMeasure, BoundsTheBestDistanceOnNoisySeries) {
    std::mt19937 rng(99);
    RecordingHost host;
    const std::uint16_t levels[] = {100, 75, 50};
    const std::vector<std::uint16_t> list{2, 5, 7};
    int unfixedCompared = 0;
    for (int round = 0; round < kSeries; ++round) {
        SCOPED_TRACE(round);
        Geometry g;
        g.L = static_cast<std::uint16_t>(6 + rng() % 5);
        g.Tmin = static_cast<std::uint16_t>(20 + rng() % 21);
        g.Tmax = static_cast<std::uint16_t>(g.Tmin + 10 + rng() % 51);
        g.N = 300 + rng() % 301;
        const std::uint16_t level = levels[rng() % 3];
        const EtalonTable etalons = fixture::makeEtalons(g.L, static_cast<std::uint32_t>(rng()));
        auto chains = getChainsHeader(host, 4, fixture::maxPulses(g), nullptr);

        auto mixed =
            noisySeries(rng, etalons, g, level, [&](std::size_t) { return list[rng() % 3]; });
        const std::int64_t truth = trueChainMeasure(*mixed);
        detectFixedPulses(host, etalons, list, g.Tmin, g.Tmax, level, chains.get(), mixed.get());
        EXPECT_LE(chains->distance[0], truth);
        if (admitsTrueChain(*mixed, g.Tmin, g.Tmax)) {
            ++unfixedCompared;
            detectUnfixedPulses(host, etalons, list, g.Tmin, g.Tmax, level, chains.get(),
                                mixed.get());
            EXPECT_LE(chains->distance[0], truth);
            mixed->wAlphabets = 2;
            mixed->selectedAlphabetSize = {2, 3};
            mixed->selectedAlphabetList = {{1, 3}, {2, 5, 7}};
            recognizeAlphabetUnfixed(host, etalons, g.Tmin, g.Tmax, level, chains.get(),
                                     mixed.get());
            EXPECT_LE(chains->distance[0], truth);
            recognizeAlphabetFixed(host, etalons, g.Tmin, g.Tmax, level, chains.get(), mixed.get());
            EXPECT_LE(chains->distance[0], truth);
        }

        auto single = noisySeries(rng, etalons, g, level, [](std::size_t) { return 5; });
        recognizeFixedPulses(host, etalons, list, g.Tmin, g.Tmax, level, chains.get(),
                             single.get());
        EXPECT_LE(chains->distance[0], trueChainMeasure(*single));
        if (admitsTrueChain(*single, g.Tmin, g.Tmax)) {
            recognizeUnfixedPulses(host, etalons, list, g.Tmin, g.Tmax, level, chains.get(),
                                   single.get());
            EXPECT_LE(chains->distance[0], trueChainMeasure(*single));
        }

        const std::vector<std::uint32_t> subset{7, 2, 5};
        const std::size_t phase = rng() % 3;
        auto tuples = noisySeries(rng, etalons, g, level, [&](std::size_t m) {
            return static_cast<int>(subset[(m + phase) % 3]);
        });
        detectFixedTuples(host, etalons, subset, 2, g.Tmin, g.Tmax, level, chains.get(),
                          tuples.get());
        EXPECT_LE(chains->distance[0], trueChainMeasure(*tuples));
    }
    EXPECT_GT(unfixedCompared, kSeries / 2);
    EXPECT_TRUE(host.messages.empty());
}

}  // namespace
}  // namespace mirovale
