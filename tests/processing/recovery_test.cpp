// Noiseless series of whole pulses at level 100 are explained exactly by every routine.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>

#include "core/host/recording_host.h"
#include "core/processing/alphabet_recognition.h"
#include "core/processing/pulse_detection.h"
#include "core/processing/pulse_recognition.h"
#include "core/processing/true_chain.h"
#include "core/processing/tuple_detection.h"
#include "core/processing/tuple_recognition_unfixed.h"
#include "implementations.h"
#include "series_fixture.h"

namespace mirovale {
namespace {

using fixture::detectedChain;
using fixture::rankedChain;
using fixture::wholeChain;
using ::testing::ElementsAre;
using Tuples = std::vector<std::pair<int, int>>;

Tuples tuplesOf(const SeriesHeader& s) {
    Tuples tuples;
    for (std::size_t k = 0; k < s.wDetectedTuples; ++k)
        tuples.emplace_back(s.lpTupleFirst[k], s.lpTupleLast[k]);
    return tuples;
}

template <class>
class Recovery : public ::testing::Test {};
TYPED_TEST_SUITE(Recovery, implementations::Both, implementations::Names);

// Over random admissible layouts: detection with etalons 1, 3 and 5 mixed, recognition of a
// series of etalon 5 among 2, 5 and 9, alphabet recognition of a series in alphabet 2.
TYPED_TEST(Recovery, EveryRoutineExplainsANoiselessSeries) {
    using R = TypeParam;
    RecordingHost host;
    const fixture::Geometry g{400, 8, 30, 60};
    const EtalonTable etalons = fixture::makeEtalons(g.L, 11);
    const std::vector<std::uint16_t> detectList{3, 1, 5}, recognizeList{2, 5, 9};
    auto chains = getChainsHeader(host, 5, fixture::maxPulses(g), nullptr);
    std::mt19937 rng(1);
    for (int round = 0; round < 5; ++round) {
        const std::vector<int> starts = fixture::randomStarts(rng, g);
        PulseChain mixed = wholeChain(starts, {1}, g.L), ofFive = wholeChain(starts, {5}, g.L);
        PulseChain inAlphabet = mixed;
        for (std::size_t m = 0; m < starts.size(); ++m) {
            mixed[m].etalon = 1 + 2 * static_cast<int>(rng() % 3);
            inAlphabet[m].etalon = std::array{6, 3, 4}[rng() % 3];
        }
        for (const bool fixed : {false, true}) {
            SCOPED_TRACE(::testing::Message()
                         << "round " << round << (fixed ? " fixed" : " unfixed"));
            auto series = fixture::makeSeries(etalons, g, mixed);
            (fixed ? R::detectFixedPulses : R::detectUnfixedPulses)(
                host, etalons, detectList, 30, 60, 100, chains.get(), series.get());
            EXPECT_EQ(detectedChain(*series), mixed);
            EXPECT_EQ(rankedChain(*chains, 0), mixed);
            EXPECT_EQ(chains->distance[0], trueChainMeasure(*series));
            EXPECT_EQ(chains->wSeekingPulsesQuantity, starts.size());
            EXPECT_EQ(chains->wQuanPulses, fixed ? starts.size() : 0u);

            series = fixture::makeSeries(etalons, g, ofFive);
            EXPECT_EQ((fixed ? R::recognizeFixedPulses : R::recognizeUnfixedPulses)(
                          host, etalons, recognizeList, 30, 60, 100, chains.get(), series.get()),
                      5);
            EXPECT_EQ(detectedChain(*series), ofFive);
            ASSERT_EQ(chains->wPretenders, 3);  // one chain per listed etalon, best first
            EXPECT_EQ(rankedChain(*chains, 0), ofFive);
            EXPECT_LT(chains->distance[0], chains->distance[1]);
            EXPECT_LE(chains->distance[1], chains->distance[2]);

            series = fixture::makeSeries(etalons, g, inAlphabet);
            series->wAlphabets = 3;
            series->selectedAlphabetSize = {2, 3, 1};
            series->selectedAlphabetList = {{1, 2}, {6, 3, 4}, {5}};
            EXPECT_EQ((fixed ? R::recognizeAlphabetFixed : R::recognizeAlphabetUnfixed)(
                          host, etalons, 30, 60, 100, chains.get(), series.get()),
                      2);
            EXPECT_EQ(series->wRecognizedAlphabet, 2);
            EXPECT_EQ(detectedChain(*series), inAlphabet);
            EXPECT_EQ(chains->alphabetNumber[0], 2);
        }
    }
    EXPECT_TRUE(host.messages.empty());
}

TYPED_TEST(Recovery, TupleRoutinesFindThePhaseTheSubsetAndTheTuples) {
    using R = TypeParam;
    RecordingHost host;
    const EtalonTable etalons = fixture::makeEtalons(8, 21);
    auto chains = getChainsHeader(host, 5, 10, nullptr);
    const std::vector<std::uint32_t> subset{4, 2, 7}, sizes{2, 3, 1};
    const std::vector<std::vector<std::uint32_t>> rows{{1, 2}, {4, 2, 7}, {3}};
    // Seven pulses 40 apart; the first ends within Tmax, the last starts within the last Tmax.
    const std::vector<int> starts{10, 50, 90, 130, 170, 210, 250};
    const fixture::Geometry g{300, 8, 30, 60};

    // Known number, built with phase 2: a first tuple of one pulse, then whole tuples.
    const PulseChain shifted = wholeChain(starts, {4, 2, 7}, 8, 2);
    auto series = fixture::makeSeries(etalons, g, shifted);
    EXPECT_EQ(
        R::detectFixedTuples(host, etalons, subset, 2, 30, 60, 100, chains.get(), series.get()), 1);
    EXPECT_EQ(detectedChain(*series), shifted);
    EXPECT_EQ(tuplesOf(*series), (Tuples{{1, 1}, {2, 4}, {5, 7}}));
    EXPECT_EQ(chains->wPretenders, 3);  // one chain per phase
    EXPECT_EQ(chains->distance[0], trueChainMeasure(*series));
    EXPECT_EQ(R::recognizeFixedTuples(host, etalons, sizes, rows, 3, 2, 30, 60, 100, chains.get(),
                                      series.get()),
              2);
    EXPECT_EQ(series->wRecognizedSubset, 2);
    EXPECT_EQ(detectedChain(*series), shifted);
    EXPECT_EQ(tuplesOf(*series), (Tuples{{1, 1}, {2, 4}, {5, 7}}));
    // Mode 1 tries phase 0 only: the first pulse is taken to carry u[0].
    EXPECT_EQ(
        R::detectFixedTuples(host, etalons, subset, 1, 30, 60, 100, chains.get(), series.get()), 1);
    EXPECT_EQ(chains->wPretenders, 1);
    EXPECT_EQ(series->lpDetectedEtalons[0], 4);
    EXPECT_EQ(tuplesOf(*series), (Tuples{{1, 3}, {4, 6}, {7, 7}}));

    // Unknown number: chains start with u[0].
    const PulseChain inPhase = wholeChain(starts, {4, 2, 7}, 8);
    series = fixture::makeSeries(etalons, g, inPhase);
    std::uint32_t debug = 0;
    EXPECT_EQ(R::TuplesDetection(host, etalons, subset, 1, 30, 60, 100, chains.get(), series.get(),
                                 debug),
              1);
    EXPECT_EQ(detectedChain(*series), inPhase);
    EXPECT_EQ(tuplesOf(*series), (Tuples{{1, 3}, {4, 6}, {7, 7}}));
    EXPECT_EQ(chains->distance[0], trueChainMeasure(*series));
    EXPECT_EQ(chains->wSeekingPulsesQuantity, 7);
    EXPECT_EQ(R::recognizeUnfixedTuples(host, etalons, sizes, rows, 3, 1, 30, 60, 100, chains.get(),
                                        series.get(), debug),
              1);
    EXPECT_EQ(series->wRecognizedSubset, 2);
    EXPECT_EQ(detectedChain(*series), inPhase);
    EXPECT_EQ(chains->wPretenders, 3);
    EXPECT_TRUE(host.messages.empty());
}

}  // namespace
}  // namespace mirovale
