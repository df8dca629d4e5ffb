// Noiseless series of whole pulses at level 100 are explained exactly by every routine.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/host/recording_host.h"
#include "core/processing/alphabet_recognition.h"
#include "core/processing/pulse_detection.h"
#include "core/processing/pulse_recognition.h"
#include "core/processing/true_chain.h"
#include "core/processing/tuple_detection.h"
#include "core/processing/tuple_recognition_unfixed.h"
#include "series_fixture.h"

namespace mirovale {
namespace {

using fixture::detectedChain;
using fixture::Geometry;
using fixture::makeEtalons;
using fixture::makeSeries;
using fixture::rankedChain;
using fixture::wholeChain;
using ::testing::ElementsAre;

constexpr Geometry kGeometry{400, 8, 30, 60};
// Seven pulses, 40 apart: the first ends within Tmax, the last starts within the last Tmax.
const std::vector<int> kSevenStarts{10, 50, 90, 130, 170, 210, 250};
constexpr Geometry kSevenGeometry{300, 8, 30, 60};

std::vector<std::pair<int, int>> tuplesOf(const SeriesHeader& s) {
    std::vector<std::pair<int, int>> tuples;
    for (std::size_t k = 0; k < s.wDetectedTuples; ++k) {
        tuples.emplace_back(s.lpTupleFirst[k], s.lpTupleLast[k]);
    }
    return tuples;
}

class Recovery : public ::testing::TestWithParam<std::uint32_t> {
protected:
    void SetUp() override {
        rng.seed(GetParam());
        starts = fixture::randomStarts(rng, kGeometry);
        ASSERT_FALSE(starts.empty());
        chains = getChainsHeader(host, 5, fixture::maxPulses(kGeometry), nullptr);
    }

    std::mt19937 rng;
    std::vector<int> starts;
    RecordingHost host;
    EtalonTable etalons = makeEtalons(kGeometry.L, 11);
    std::unique_ptr<ChainsHeader> chains;
};

TEST_P(Recovery, DetectionFindsEveryPulseAndItsEtalon) {
    std::vector<int> numbers;
    for (std::size_t m = 0; m < starts.size(); ++m)
        numbers.push_back(1 + static_cast<int>(rng() % 3) * 2);
    const std::vector<std::uint16_t> list{3, 1, 5};
    for (const bool fixed : {false, true}) {
        SCOPED_TRACE(fixed ? "fixed" : "unfixed");
        PulseChain truth;
        for (std::size_t m = 0; m < starts.size(); ++m) {
            truth.push_back({starts[m], numbers[m], 0, kGeometry.L - 1});
        }
        auto series = makeSeries(etalons, kGeometry, truth);
        const int result =
            fixed
                ? detectFixedPulses(host, etalons, list, 30, 60, 100, chains.get(), series.get())
                : detectUnfixedPulses(host, etalons, list, 30, 60, 100, chains.get(), series.get());
        EXPECT_EQ(result, 1);
        EXPECT_EQ(detectedChain(*series), truth);
        ASSERT_EQ(chains->wPretenders, 1);
        EXPECT_EQ(rankedChain(*chains, 0), truth);
        EXPECT_EQ(chains->distance[0], trueChainMeasure(*series));
        EXPECT_EQ(chains->wSeekingPulsesQuantity, truth.size());
        EXPECT_EQ(chains->wQuanPulses, fixed ? truth.size() : 0u);
    }
    EXPECT_TRUE(host.messages.empty());
}

TEST_P(Recovery, RecognitionNamesTheRepeatedEtalon) {
    const std::vector<std::uint16_t> list{2, 5, 9};
    for (const bool fixed : {false, true}) {
        SCOPED_TRACE(fixed ? "fixed" : "unfixed");
        const PulseChain truth = wholeChain(starts, {5}, kGeometry.L);
        auto series = makeSeries(etalons, kGeometry, truth);
        const int result = fixed ? recognizeFixedPulses(host, etalons, list, 30, 60, 100,
                                                        chains.get(), series.get())
                                 : recognizeUnfixedPulses(host, etalons, list, 30, 60, 100,
                                                          chains.get(), series.get());
        EXPECT_EQ(result, 5);
        EXPECT_EQ(detectedChain(*series), truth);
        ASSERT_EQ(chains->wPretenders, 3);  // one chain per listed etalon, best first
        EXPECT_EQ(rankedChain(*chains, 0), truth);
        EXPECT_LT(chains->distance[0], chains->distance[1]);
        EXPECT_LE(chains->distance[1], chains->distance[2]);
        EXPECT_EQ(chains->wSeekingPulsesQuantity, truth.size());
    }
}

TEST_P(Recovery, AlphabetRecognitionNamesTheAlphabet) {
    const std::vector<std::vector<std::int16_t>> alphabets{{1, 2}, {6, 3, 4}, {5}};
    std::vector<int> numbers;
    for (std::size_t m = 0; m < starts.size(); ++m) {
        numbers.push_back(alphabets[1][rng() % 3]);
    }
    for (const bool fixed : {false, true}) {
        SCOPED_TRACE(fixed ? "fixed" : "unfixed");
        PulseChain truth;
        for (std::size_t m = 0; m < starts.size(); ++m) {
            truth.push_back({starts[m], numbers[m], 0, kGeometry.L - 1});
        }
        auto series = makeSeries(etalons, kGeometry, truth);
        series->wAlphabets = series->wMaxAlphabets = 3;
        series->selectedAlphabetSize = {2, 3, 1};
        series->selectedAlphabetList = alphabets;
        const int result =
            fixed
                ? recognizeAlphabetFixed(host, etalons, 30, 60, 100, chains.get(), series.get())
                : recognizeAlphabetUnfixed(host, etalons, 30, 60, 100, chains.get(), series.get());
        EXPECT_EQ(result, 2);
        EXPECT_EQ(series->wRecognizedAlphabet, 2);
        EXPECT_EQ(detectedChain(*series), truth);
        ASSERT_EQ(chains->wPretenders, 3);
        EXPECT_EQ(chains->alphabetNumber[0], 2);
        EXPECT_EQ(rankedChain(*chains, 0), truth);
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, Recovery, ::testing::Values(1u, 2u, 3u, 4u, 5u));

TEST(TupleRecovery, KnownNumberFindsThePhaseAndTheTuples) {
    RecordingHost host;
    const EtalonTable etalons = makeEtalons(8, 21);
    auto chains = getChainsHeader(host, 5, 10, nullptr);
    const std::vector<std::uint32_t> subset{4, 2, 7};
    // Built with phase 2: the first tuple holds one pulse, then whole tuples.
    const PulseChain truth = wholeChain(kSevenStarts, {4, 2, 7}, 8, 2);
    auto series = makeSeries(etalons, kSevenGeometry, truth);
    EXPECT_EQ(detectFixedTuples(host, etalons, subset, 2, 30, 60, 100, chains.get(), series.get()),
              1);
    EXPECT_EQ(detectedChain(*series), truth);
    EXPECT_THAT(tuplesOf(*series), ElementsAre(std::pair{1, 1}, std::pair{2, 4}, std::pair{5, 7}));
    EXPECT_EQ(chains->wPretenders, 3);  // one chain per phase
    EXPECT_EQ(chains->distance[0], trueChainMeasure(*series));

    // Only phase 0 is tried in mode 1: the pulses are taken to start with u[0].
    EXPECT_EQ(detectFixedTuples(host, etalons, subset, 1, 30, 60, 100, chains.get(), series.get()),
              1);
    EXPECT_EQ(chains->wPretenders, 1);
    EXPECT_EQ(series->lpDetectedEtalons[0], 4);
    EXPECT_THAT(tuplesOf(*series), ElementsAre(std::pair{1, 3}, std::pair{4, 6}, std::pair{7, 7}));

    const std::vector<std::uint32_t> sizes{2, 3, 1};
    const std::vector<std::vector<std::uint32_t>> rows{{1, 2}, {4, 2, 7}, {3}};
    EXPECT_EQ(recognizeFixedTuples(host, etalons, sizes, rows, 3, 2, 30, 60, 100, chains.get(),
                                   series.get()),
              2);
    EXPECT_EQ(series->wRecognizedSubset, 2);
    EXPECT_EQ(detectedChain(*series), truth);
    EXPECT_THAT(tuplesOf(*series), ElementsAre(std::pair{1, 1}, std::pair{2, 4}, std::pair{5, 7}));
    EXPECT_EQ(chains->wPretenders, 5);  // 2 + 3 + 1 phases, the worst dropped
    EXPECT_TRUE(host.messages.empty());
}

TEST(TupleRecovery, UnknownNumberFindsTheChainAndItsTuples) {
    RecordingHost host;
    const EtalonTable etalons = makeEtalons(8, 22);
    auto chains = getChainsHeader(host, 5, 10, nullptr);
    const std::vector<std::uint32_t> subset{4, 2, 7};
    const PulseChain truth = wholeChain(kSevenStarts, {4, 2, 7}, 8);
    auto series = makeSeries(etalons, kSevenGeometry, truth);
    std::uint32_t debugging = 0;
    EXPECT_EQ(TuplesDetection(host, etalons, subset, 1, 30, 60, 100, chains.get(), series.get(),
                              debugging),
              1);
    EXPECT_EQ(detectedChain(*series), truth);
    EXPECT_THAT(tuplesOf(*series), ElementsAre(std::pair{1, 3}, std::pair{4, 6}, std::pair{7, 7}));
    EXPECT_EQ(chains->distance[0], trueChainMeasure(*series));
    EXPECT_EQ(chains->wSeekingPulsesQuantity, 7);

    const std::vector<std::uint32_t> sizes{2, 3, 1};
    const std::vector<std::vector<std::uint32_t>> rows{{1, 2}, {4, 2, 7}, {3}};
    EXPECT_EQ(recognizeUnfixedTuples(host, etalons, sizes, rows, 3, 1, 30, 60, 100, chains.get(),
                                     series.get(), debugging),
              1);
    EXPECT_EQ(series->wRecognizedSubset, 2);
    EXPECT_EQ(detectedChain(*series), truth);
    EXPECT_EQ(chains->wPretenders, 3);
    EXPECT_EQ(rankedChain(*chains, 0), truth);
    EXPECT_TRUE(host.messages.empty());
}

}  // namespace
}  // namespace mirovale
