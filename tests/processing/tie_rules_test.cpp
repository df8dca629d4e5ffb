// Equal scores: the earlier etalon, end, predecessor, layer, phase, subset and alphabet win,
// and a chain of equal distance ranks behind the one offered first.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/host/recording_host.h"
#include "core/processing/alphabet_recognition.h"
#include "core/processing/pulse_detection.h"
#include "core/processing/pulse_recognition.h"
#include "core/processing/sentinels.h"
#include "core/processing/tuple_detection.h"
#include "core/processing/tuple_recognition_unfixed.h"
#include "core/processing/unknown_number_chains.h"
#include "series_fixture.h"

namespace mirovale {
namespace {

using fixture::detectedChain;
using fixture::Geometry;
using fixture::makeSeries;
using fixture::rankedChain;
using fixture::wholeChain;
using ::testing::Each;
using ::testing::ElementsAre;

constexpr Geometry kGeometry{300, 8, 30, 60};
const std::vector<int> kStarts{10, 50, 90, 130, 170, 210, 250};

// Etalon 8 is a copy of etalon 3: every fit of one is a fit of the other.
EtalonTable twinEtalons() {
    EtalonTable etalons = fixture::makeEtalons(8, 5);
    etalons[7].lpData = etalons[2].lpData;
    return etalons;
}

std::vector<int> detectedEtalons(const SeriesHeader& s) {
    return {s.lpDetectedEtalons.begin(), s.lpDetectedEtalons.begin() + s.wDetectedPulses};
}

TEST(TieRules, TheEarlierListedEtalonWins) {
    RecordingHost host;
    const EtalonTable etalons = twinEtalons();
    auto chains = getChainsHeader(host, 4, 10, nullptr);
    for (const std::vector<std::uint16_t>& list :
         {std::vector<std::uint16_t>{8, 3}, std::vector<std::uint16_t>{3, 8}}) {
        const int first = list[0];
        SCOPED_TRACE(first);
        auto series = makeSeries(etalons, kGeometry, wholeChain(kStarts, {3}, 8));
        detectUnfixedPulses(host, etalons, list, 30, 60, 100, chains.get(), series.get());
        EXPECT_THAT(detectedEtalons(*series),
                    ElementsAre(first, first, first, first, first, first, first));
        detectFixedPulses(host, etalons, list, 30, 60, 100, chains.get(), series.get());
        EXPECT_THAT(detectedEtalons(*series), Each(first));

        for (const bool fixed : {false, true}) {
            const int recognised = fixed ? recognizeFixedPulses(host, etalons, list, 30, 60, 100,
                                                                chains.get(), series.get())
                                         : recognizeUnfixedPulses(host, etalons, list, 30, 60, 100,
                                                                  chains.get(), series.get());
            EXPECT_EQ(recognised, first);
            ASSERT_EQ(chains->wPretenders, 2);
            EXPECT_EQ(chains->distance[0], chains->distance[1]);
            EXPECT_EQ(chains->pulsesList[0][0], first);  // equal distances rank behind
            EXPECT_EQ(chains->pulsesList[1][0], list[1]);
            EXPECT_THAT(detectedEtalons(*series), Each(first));
        }
    }
}

// A silent series: every fit costs the etalon's energy, so no chain continues and the best is
// a single pulse at the earliest start that may be both first and last.
TEST(TieRules, TheEarliestOfEqualEndsWins) {
    RecordingHost host;
    const EtalonTable etalons = fixture::makeEtalons(4, 6);
    auto series = makeSeries(etalons, {40, 4, 10, 30}, {});
    series->lpData.assign(40, 0);
    auto chains = getChainsHeader(host, 2, 4, nullptr);
    const std::uint16_t list[] = {2};
    detectUnfixedPulses(host, etalons, list, 10, 30, 100, chains.get(), series.get());
    std::int64_t energy = 0;
    for (const std::int16_t e : etalons[1].lpData) energy += e * e;
    EXPECT_THAT(detectedChain(*series), ElementsAre(ChainPulse{10, 2, 0, 3}));
    EXPECT_EQ(chains->distance[0], energy);

    // Known number, one pulse: the earliest start of its window.
    series->wImpulseQuantity = 1;
    series->lpMinPositions[0] = 10;
    series->lpMaxPositions[0] = 26;
    detectFixedPulses(host, etalons, list, 10, 30, 100, chains.get(), series.get());
    EXPECT_THAT(detectedChain(*series), ElementsAre(ChainPulse{10, 2, 0, 3}));
}

// Copies of one etalon at 11 and 16 both reach the pulse at 41: the earlier predecessor is
// taken, forwards and when tracking back.
TEST(TieRules, TheEarlierOfEqualPredecessorsWins) {
    RecordingHost host;
    const EtalonTable etalons = fixture::makeEtalons(4, 7);
    const Geometry g{70, 4, 20, 30};
    auto series = makeSeries(etalons, g, wholeChain({11, 41}, {2}, 4));
    for (int k = 0; k < 4; ++k)
        series->lpData[16 + static_cast<std::size_t>(k)] =
            etalons[1].lpData[static_cast<std::size_t>(k)];
    const std::uint16_t list[] = {2};
    const PulseChain expected = wholeChain({11, 41}, {2}, 4);
    detectUnfixedPulses(host, etalons, list, 20, 30, 100, nullptr, series.get());
    EXPECT_EQ(detectedChain(*series), expected);
    detectFixedPulses(host, etalons, list, 20, 30, 100, nullptr, series.get());
    EXPECT_EQ(detectedChain(*series), expected);
    EXPECT_EQ(recognizeFixedPulses(host, etalons, list, 20, 30, 100, nullptr, series.get()), 2);
    EXPECT_EQ(detectedChain(*series), expected);
}

TEST(TieRules, TheEarlierEndAndThenTheLowerLayerWin) {
    LayerTable table;
    table.layers.assign(2, std::vector<ChainCell>(6));
    initLayers(table, kEightNines, 4);
    auto list = getIntervalList(nullptr, 2);
    addInterval(list.get(), 1, 4);
    table.layers[1][2].score = -5;
    table.layers[0][2].score = -5;
    table.layers[1][3].score = -5;
    table.layers[0][5].score = -9;  // outside the list
    const ChainEnd end = findChainEnd(table, list.get(), kEightNines);
    EXPECT_TRUE(end.found);
    EXPECT_EQ(end.start, 2u);
    EXPECT_EQ(end.layer, 0u);
    EXPECT_EQ(findChainEnd(table, list.get(), -5).found, false);  // strictly below the start
}

TEST(TieRules, TheEarlierPhaseAndSubsetWin) {
    RecordingHost host;
    const EtalonTable etalons = twinEtalons();
    auto chains = getChainsHeader(host, 8, 10, nullptr);
    auto series = makeSeries(etalons, kGeometry, wholeChain(kStarts, {3}, 8));
    // A subset of two equal members: both phases explain the series equally well.
    const std::vector<std::uint32_t> twins{3, 8};
    detectFixedTuples(host, etalons, twins, 2, 30, 60, 100, chains.get(), series.get());
    EXPECT_EQ(series->lpTupleLast[0], 2);  // phase 0: the first tuple is whole
    EXPECT_EQ(series->lpDetectedEtalons[0], 3);

    const std::vector<std::uint32_t> sizes{2, 2};
    const std::vector<std::vector<std::uint32_t>> rows{{8, 3}, {3, 8}};
    EXPECT_EQ(recognizeFixedTuples(host, etalons, sizes, rows, 2, 2, 30, 60, 100, chains.get(),
                                   series.get()),
              1);
    EXPECT_EQ(series->lpDetectedEtalons[0], 8);
    ASSERT_EQ(chains->wPretenders, 4);
    EXPECT_THAT(std::vector<std::int64_t>(chains->distance.begin(), chains->distance.begin() + 4),
                Each(chains->distance[0]));
    EXPECT_THAT((std::vector<int>{chains->pulsesList[0][0], chains->pulsesList[1][0],
                                  chains->pulsesList[2][0], chains->pulsesList[3][0]}),
                ElementsAre(8, 3, 3, 8));  // subset 1 phases 0 and 1, then subset 2

    std::uint32_t debugging = 0;
    EXPECT_EQ(recognizeUnfixedTuples(host, etalons, sizes, rows, 2, 1, 30, 60, 100, chains.get(),
                                     series.get(), debugging),
              1);
    EXPECT_EQ(series->wRecognizedSubset, 1);
    EXPECT_EQ(series->lpDetectedEtalons[0], 8);
}

TEST(TieRules, TheEarlierAlphabetWinsAndStaysAhead) {
    RecordingHost host;
    const EtalonTable etalons = twinEtalons();
    auto chains = getChainsHeader(host, 4, 10, nullptr);
    auto series = makeSeries(etalons, kGeometry, wholeChain(kStarts, {3}, 8));
    series->wAlphabets = 3;
    series->selectedAlphabetSize = {1, 2, 1};
    series->selectedAlphabetList = {{5}, {8, 3}, {3}};
    for (const bool fixed : {false, true}) {
        const int recognised =
            fixed
                ? recognizeAlphabetFixed(host, etalons, 30, 60, 100, chains.get(), series.get())
                : recognizeAlphabetUnfixed(host, etalons, 30, 60, 100, chains.get(), series.get());
        EXPECT_EQ(recognised, 2);
        EXPECT_THAT(detectedEtalons(*series), Each(8));
        ASSERT_EQ(chains->wPretenders, 3);
        EXPECT_THAT((std::vector<int>{chains->alphabetNumber[0], chains->alphabetNumber[1],
                                      chains->alphabetNumber[2]}),
                    ElementsAre(2, 3, 1));
        EXPECT_EQ(chains->distance[0], chains->distance[1]);
    }
}

}  // namespace
}  // namespace mirovale
