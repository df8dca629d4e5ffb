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
#include "implementations.h"
#include "series_fixture.h"

namespace mirovale {
namespace {

using fixture::detectedChain;
using fixture::wholeChain;
using ::testing::Each;
using ::testing::ElementsAre;

// Seven pulses of etalon 3; etalon 8 is a copy of it, so every fit of one is a fit of the other.
struct Twins {
    EtalonTable etalons = fixture::makeEtalons(8, 5);
    std::unique_ptr<SeriesHeader> series;
    RecordingHost host;
    std::unique_ptr<ChainsHeader> chains = getChainsHeader(host, 8, 10, nullptr);
    Twins() {
        etalons[7].lpData = etalons[2].lpData;
        series = fixture::makeSeries(etalons, {300, 8, 30, 60},
                                     wholeChain({10, 50, 90, 130, 170, 210, 250}, {3}, 8));
    }
    std::vector<int> etalonsFound() const {
        return {series->lpDetectedEtalons.begin(),
                series->lpDetectedEtalons.begin() + series->wDetectedPulses};
    }
    std::vector<int> rankedFirstEtalons() const {
        std::vector<int> firsts;
        for (std::size_t r = 0; r < chains->wPretenders; ++r)
            firsts.push_back(chains->pulsesList[r][0]);
        return firsts;
    }
};

template <class>
class TieRules : public ::testing::Test {};
TYPED_TEST_SUITE(TieRules, implementations::Both, implementations::Names);

TYPED_TEST(TieRules, TheEarlierListedEtalonWinsAndRanksFirst) {
    using R = TypeParam;
    Twins t;
    for (const std::vector<std::uint16_t>& list :
         {std::vector<std::uint16_t>{8, 3}, std::vector<std::uint16_t>{3, 8}}) {
        SCOPED_TRACE(list[0]);
        for (const auto detect : {R::detectUnfixedPulses, R::detectFixedPulses}) {
            detect(t.host, t.etalons, list, 30, 60, 100, t.chains.get(), t.series.get());
            EXPECT_EQ(t.etalonsFound(), std::vector<int>(7, list[0]));
        }
        for (const auto recognize : {R::recognizeUnfixedPulses, R::recognizeFixedPulses}) {
            EXPECT_EQ(
                recognize(t.host, t.etalons, list, 30, 60, 100, t.chains.get(), t.series.get()),
                list[0]);
            EXPECT_THAT(t.etalonsFound(), Each(list[0]));
            EXPECT_EQ(t.chains->distance[0], t.chains->distance[1]);
            EXPECT_THAT(t.rankedFirstEtalons(), ElementsAre(list[0], list[1]));
        }
    }
}

TYPED_TEST(TieRules, TheEarlierPhaseSubsetAndAlphabetWin) {
    using R = TypeParam;
    Twins t;
    const std::vector<std::uint32_t> twins{3, 8}, sizes{2, 2};
    R::detectFixedTuples(t.host, t.etalons, twins, 2, 30, 60, 100, t.chains.get(), t.series.get());
    EXPECT_EQ(t.series->lpTupleLast[0], 2);  // phase 0: the first tuple is whole
    EXPECT_EQ(t.series->lpDetectedEtalons[0], 3);

    const std::vector<std::vector<std::uint32_t>> rows{{8, 3}, {3, 8}};
    EXPECT_EQ(R::recognizeFixedTuples(t.host, t.etalons, sizes, rows, 2, 2, 30, 60, 100,
                                      t.chains.get(), t.series.get()),
              1);
    EXPECT_THAT(t.rankedFirstEtalons(), ElementsAre(8, 3, 3, 8));  // subset 1 phases 0, 1; subset 2
    EXPECT_THAT(std::vector(t.chains->distance.begin(), t.chains->distance.begin() + 4),
                Each(t.chains->distance[0]));
    std::uint32_t debug = 0;
    EXPECT_EQ(R::recognizeUnfixedTuples(t.host, t.etalons, sizes, rows, 2, 1, 30, 60, 100,
                                        t.chains.get(), t.series.get(), debug),
              1);
    EXPECT_EQ(t.series->wRecognizedSubset, 1);
    EXPECT_EQ(t.series->lpDetectedEtalons[0], 8);

    t.series->wAlphabets = 3;
    t.series->selectedAlphabetSize = {1, 2, 1};
    t.series->selectedAlphabetList = {{5}, {8, 3}, {3}};
    for (const auto recognize : {R::recognizeAlphabetFixed, R::recognizeAlphabetUnfixed}) {
        EXPECT_EQ(recognize(t.host, t.etalons, 30, 60, 100, t.chains.get(), t.series.get()), 2);
        EXPECT_THAT(t.etalonsFound(), Each(8));
        EXPECT_THAT(
            std::vector(t.chains->alphabetNumber.begin(), t.chains->alphabetNumber.begin() + 3),
            ElementsAre(2, 3, 1));
        EXPECT_EQ(t.chains->distance[0], t.chains->distance[1]);
    }
}

TYPED_TEST(TieRules, TheEarlierEndPredecessorAndLayerWin) {
    using R = TypeParam;
    RecordingHost host;
    const EtalonTable etalons = fixture::makeEtalons(4, 7);
    const std::uint16_t list[] = {2};
    // A silent series: every fit costs the etalon's energy, no chain continues, and the best is
    // one pulse at the earliest start that may be both first and last.
    auto silent = fixture::makeSeries(etalons, {40, 4, 10, 30}, {});
    silent->lpData.assign(40, 0);
    R::detectUnfixedPulses(host, etalons, std::span(list), 10, 30, 100, nullptr, silent.get());
    EXPECT_THAT(detectedChain(*silent), ElementsAre(ChainPulse{10, 2, 0, 3}));
    silent->wImpulseQuantity = 1;  // known number: the earliest start of the window
    silent->lpMinPositions[0] = 10;
    silent->lpMaxPositions[0] = 26;
    R::detectFixedPulses(host, etalons, std::span(list), 10, 30, 100, nullptr, silent.get());
    EXPECT_THAT(detectedChain(*silent), ElementsAre(ChainPulse{10, 2, 0, 3}));

    // Copies of etalon 2 at 11 and 16 both reach the pulse at 41: forwards and tracking back,
    // the earlier predecessor is taken.
    auto series = fixture::makeSeries(etalons, {70, 4, 20, 30}, wholeChain({11, 41}, {2}, 4));
    std::copy(etalons[1].lpData.begin(), etalons[1].lpData.end(), series->lpData.begin() + 16);
    for (const auto detect :
         {R::detectUnfixedPulses, R::detectFixedPulses, R::recognizeFixedPulses}) {
        detect(host, etalons, std::span(list), 20, 30, 100, nullptr, series.get());
        EXPECT_EQ(detectedChain(*series), wholeChain({11, 41}, {2}, 4));
    }

    // Equal chain scores at the ends: the earlier start, then the lower layer.
    LayerTable table;
    table.layers.assign(2, std::vector<ChainCell>(6));
    initLayers(table, kEightNines, 4);
    auto ends = getIntervalList(nullptr, 2);
    addInterval(ends.get(), 1, 4);
    table.layers[1][2].score = table.layers[0][2].score = table.layers[1][3].score = -5;
    table.layers[0][5].score = -9;  // not an end
    const ChainEnd end = findChainEnd(table, ends.get(), kEightNines);
    EXPECT_EQ(std::tuple(end.found, end.start, end.layer), std::tuple(true, 2u, 0u));
    EXPECT_FALSE(findChainEnd(table, ends.get(), -5).found);  // strictly below the start
}

}  // namespace
}  // namespace mirovale
