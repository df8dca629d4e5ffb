// Allocation failures, chains that cannot be completed, extreme sample values, records whose
// bounds lie outside the series, and the debugging dumps.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <limits>

#include "core/host/allocation.h"
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
using fixture::makeSeries;
using fixture::wholeChain;
using ::testing::ElementsAre;

constexpr Geometry kGeometry{300, 8, 30, 60};
const std::vector<int> kStarts{10, 50, 90, 130, 170, 210, 250};

// Every routine with the arguments of one small series; `k` fails that allocation request.
struct Routine {
    int line;
    const char* name;
    int failAt;
    const char* message;  // nullptr: none
    int result;
};

using Call = std::function<int(Host&, const EtalonTable&, ChainsHeader*, SeriesHeader*)>;

Call callOf(const std::string& name) {
    static const std::vector<std::uint16_t> list{3, 4};
    static const std::vector<std::uint32_t> subset{3, 4};
    static const std::vector<std::uint32_t> sizes{2, 1};
    static const std::vector<std::vector<std::uint32_t>> rows{{3, 4}, {5}};
    static std::uint32_t debugging = 0;
    if (name == "detectUnfixedPulses")
        return [](Host& h, const EtalonTable& e, ChainsHeader* c, SeriesHeader* s) {
            return detectUnfixedPulses(h, e, list, 30, 60, 100, c, s);
        };
    if (name == "detectFixedPulses")
        return [](Host& h, const EtalonTable& e, ChainsHeader* c, SeriesHeader* s) {
            return detectFixedPulses(h, e, list, 30, 60, 100, c, s);
        };
    if (name == "recognizeUnfixedPulses")
        return [](Host& h, const EtalonTable& e, ChainsHeader* c, SeriesHeader* s) {
            return recognizeUnfixedPulses(h, e, list, 30, 60, 100, c, s);
        };
    if (name == "recognizeFixedPulses")
        return [](Host& h, const EtalonTable& e, ChainsHeader* c, SeriesHeader* s) {
            return recognizeFixedPulses(h, e, list, 30, 60, 100, c, s);
        };
    if (name == "detectFixedTuples")
        return [](Host& h, const EtalonTable& e, ChainsHeader* c, SeriesHeader* s) {
            return detectFixedTuples(h, e, subset, 2, 30, 60, 100, c, s);
        };
    if (name == "recognizeFixedTuples")
        return [](Host& h, const EtalonTable& e, ChainsHeader* c, SeriesHeader* s) {
            return recognizeFixedTuples(h, e, sizes, rows, 2, 2, 30, 60, 100, c, s);
        };
    if (name == "TuplesDetection")
        return [](Host& h, const EtalonTable& e, ChainsHeader* c, SeriesHeader* s) {
            return TuplesDetection(h, e, subset, 1, 30, 60, 100, c, s, debugging);
        };
    if (name == "recognizeUnfixedTuples")
        return [](Host& h, const EtalonTable& e, ChainsHeader* c, SeriesHeader* s) {
            return recognizeUnfixedTuples(h, e, sizes, rows, 2, 1, 30, 60, 100, c, s, debugging);
        };
    if (name == "recognizeAlphabetFixed")
        return [](Host& h, const EtalonTable& e, ChainsHeader* c, SeriesHeader* s) {
            return recognizeAlphabetFixed(h, e, 30, 60, 100, c, s);
        };
    return [](Host& h, const EtalonTable& e, ChainsHeader* c, SeriesHeader* s) {
        return recognizeAlphabetUnfixed(h, e, 30, 60, 100, c, s);
    };
}

std::unique_ptr<SeriesHeader> smallSeries(const EtalonTable& etalons) {
    auto series = makeSeries(etalons, kGeometry, wholeChain(kStarts, {3, 4}, 8));
    series->wAlphabets = 2;
    series->selectedAlphabetSize = {2, 1};
    series->selectedAlphabetList = {{3, 4}, {5}};
    return series;
}

TEST(Faults, EveryAllocationFailureIsReportedAndLeavesTheSeriesAsItWas) {
    const Routine routines[] = {
        {__LINE__, "detectUnfixedPulses", 1, "Нет памяти для EtalonsPartialEnergy!", 0},
        {__LINE__, "detectUnfixedPulses", 2, "Нет памяти для indexes!", 0},
        {__LINE__, "detectFixedPulses", 1, "Нет памяти для ppDw!", 0},
        {__LINE__, "detectFixedPulses", 2, "Нет памяти для ppDw[m]!", 0},
        {__LINE__, "recognizeUnfixedPulses", 1, "Нет памяти для indexes!", 0},
        {__LINE__, "recognizeUnfixedPulses", 2, "Нет памяти для indexes!", 0},
        {__LINE__, "recognizeFixedPulses", 1, "Нет памяти для ppDw!", -1},
        {__LINE__, "recognizeFixedPulses", 2, "Нет памяти для indexes!", -1},
        {__LINE__, "detectFixedTuples", 1, "Нет памяти для ppDw!", 0},
        {__LINE__, "detectFixedTuples", 2, "Нет памяти для ppDw[m]!", 0},
        {__LINE__, "recognizeFixedTuples", 1, "Нет памяти для ppDw!", 0},
        {__LINE__, "recognizeFixedTuples", 2, "Нет памяти для ppDw[]!", 0},
        {__LINE__, "TuplesDetection", 1, "Нет памяти для EtalonsPartialEnergy!", 0},
        {__LINE__, "TuplesDetection", 2, "Нет памяти для G_on_layers!", 0},
        {__LINE__, "TuplesDetection", 3, "Нет памяти для G_on_layers!", 0},
        {__LINE__, "recognizeUnfixedTuples", 1, "Нет памяти для EtalonsPartialEnergy!", 0},
        {__LINE__, "recognizeUnfixedTuples", 3, "Нет памяти для G_on_layers!", 0},
        {__LINE__, "recognizeAlphabetFixed", 1, nullptr, 0},  // the work block: no message
        {__LINE__, "recognizeAlphabetUnfixed", 1, nullptr, 0},
    };
    const EtalonTable etalons = fixture::makeEtalons(8, 31);
    for (const Routine& r : routines) {
        SCOPED_TRACE(::testing::Message() << "line " << r.line << " " << r.name);
        RecordingHost host;
        auto chains = getChainsHeader(host, 3, 10, nullptr);
        auto series = smallSeries(etalons);
        const SeriesHeader before = *series;
        int result = 0;
        {
            ScopedAllocationFailure fail(r.failAt);
            result = callOf(r.name)(host, etalons, chains.get(), series.get());
        }
        EXPECT_EQ(result, r.result);
        if (r.message == nullptr) {
            EXPECT_TRUE(host.messages.empty());
        } else {
            EXPECT_THAT(host.messages,
                        ElementsAre(RecordedMessage{r.message, "", MessageIcon::None}));
        }
        EXPECT_EQ(series->wDetectedPulses, before.wDetectedPulses);
        EXPECT_EQ(series->lpDetectedPositions, before.lpDetectedPositions);
        EXPECT_EQ(series->lpTupleFirst, before.lpTupleFirst);
        EXPECT_EQ(series->wRecognizedSubset, before.wRecognizedSubset);
        EXPECT_EQ(series->wRecognizedAlphabet, before.wRecognizedAlphabet);
    }
}

TEST(Faults, EveryRoutineRefusesAMissingSeries) {
    RecordingHost host;
    const EtalonTable etalons = fixture::makeEtalons(8, 31);
    const std::pair<const char*, int> routines[] = {
        {"detectUnfixedPulses", 0},    {"detectFixedPulses", 0},
        {"recognizeUnfixedPulses", 0}, {"recognizeFixedPulses", -1},
        {"detectFixedTuples", 0},      {"recognizeFixedTuples", 0},
        {"TuplesDetection", 0},        {"recognizeUnfixedTuples", 0},
        {"recognizeAlphabetFixed", 0}, {"recognizeAlphabetUnfixed", 0}};
    for (const auto& [name, result] : routines) {
        EXPECT_EQ(callOf(name)(host, etalons, nullptr, nullptr), result) << name;
    }
    EXPECT_TRUE(host.messages.empty());
}

// An alphabet whose detection runs out of memory is reported and never recognised, even when
// it is the one the series was written in.
TEST(Faults, AnAlphabetThatFailsIsNeverRecognised) {
    const EtalonTable etalons = fixture::makeEtalons(8, 31);
    const std::pair<const char*, const char*> cases[] = {
        {"recognizeAlphabetFixed", "Нет памяти для ppDw!"},
        {"recognizeAlphabetUnfixed", "Нет памяти для EtalonsPartialEnergy!"}};
    for (const auto& [name, message] : cases) {
        SCOPED_TRACE(name);
        RecordingHost host;
        auto chains = getChainsHeader(host, 3, 10, nullptr);
        auto series = smallSeries(etalons);
        int result = 0;
        {
            ScopedAllocationFailure fail(2);  // the first request of alphabet 1's detection
            result = callOf(name)(host, etalons, chains.get(), series.get());
        }
        EXPECT_EQ(result, 2);
        EXPECT_EQ(series->wRecognizedAlphabet, 2);
        EXPECT_THAT(host.messages, ElementsAre(RecordedMessage{message, "", MessageIcon::None}));
        ASSERT_EQ(chains->wPretenders, 1);
        EXPECT_EQ(chains->alphabetNumber[0], 2);
    }
}

// Start sets that cannot be made count as empty: nothing is detected and nothing reported.
TEST(Faults, AMissingStartSetDetectsNothing) {
    RecordingHost host;
    const EtalonTable etalons = fixture::makeEtalons(8, 31);
    auto chains = getChainsHeader(host, 3, 10, nullptr);
    auto series = smallSeries(etalons);
    {
        ScopedAllocationFailure fail(3);  // the record of the first-pulse set
        EXPECT_EQ(callOf("detectUnfixedPulses")(host, etalons, chains.get(), series.get()), 1);
    }
    EXPECT_EQ(series->wDetectedPulses, 0);
    EXPECT_EQ(chains->distance[0], 9999999);
    EXPECT_EQ(chains->pulsesQuantity[0], 0);
    EXPECT_TRUE(host.messages.empty());
}

// Pulse 1's window lies out of reach of pulse 0's: every score of the last layer has no
// predecessor, and tracking back from it must not leave the windows. No chain is reported.
TEST(Faults, AChainWithoutPredecessorIsReportedAsNoChain) {
    RecordingHost host;
    const EtalonTable etalons = fixture::makeEtalons(4, 32);
    auto series = makeSeries(etalons, {100, 4, 20, 30}, wholeChain({0, 60}, {3}, 4));
    series->lpMinPositions[0] = series->lpMaxPositions[0] = 0;
    series->lpMinPositions[1] = 55;
    series->lpMaxPositions[1] = 65;
    series->wDetectedPulses = 2;
    auto chains = getChainsHeader(host, 3, 10, nullptr);
    const std::uint16_t list[] = {3};
    EXPECT_EQ(detectFixedPulses(host, etalons, list, 20, 30, 100, chains.get(), series.get()), 1);
    EXPECT_EQ(series->wDetectedPulses, 0);
    EXPECT_EQ(chains->distance[0], 9999999);
    EXPECT_EQ(chains->pulsesQuantity[0], 0);

    EXPECT_EQ(recognizeFixedPulses(host, etalons, list, 20, 30, 100, chains.get(), series.get()),
              -1);
    EXPECT_EQ(series->wDetectedPulses, 0);
    EXPECT_EQ(chains->distance[0], 999999999);

    const std::vector<std::uint32_t> sizes{1};
    const std::vector<std::vector<std::uint32_t>> rows{{3}};
    EXPECT_EQ(recognizeFixedTuples(host, etalons, sizes, rows, 1, 1, 20, 30, 100, chains.get(),
                                   series.get()),
              0);
    EXPECT_EQ(series->wDetectedPulses, 0);
    EXPECT_EQ(series->wDetectedTuples, 0);
    EXPECT_EQ(series->wRecognizedSubset, 0);
    EXPECT_TRUE(host.messages.empty());
}

// Samples near full scale: one pulse alone scores below the 32-bit range, so 32-bit sums would
// wrap into a positive, plainly wrong distance.
TEST(Faults, ScoresOfExtremeSeriesDoNotWrap) {
    RecordingHost host;
    EtalonTable etalons = fixture::makeEtalons(20, 33);
    for (std::size_t k = 0; k < 20; ++k)
        etalons[2].lpData[k] = static_cast<std::int16_t>(k % 2 == 0 ? 32000 : -32000);
    const Geometry g{600, 20, 60, 120};
    auto series = makeSeries(etalons, g, wholeChain({40, 140, 240, 340, 440, 540}, {3}, 20));
    const std::int64_t truth = trueChainMeasure(*series);
    EXPECT_EQ(truth, -6LL * 20 * 32000 * 32000);
    auto chains = getChainsHeader(host, 2, 12, nullptr);
    const std::uint16_t list[] = {3, 1};
    for (const bool fixed : {false, true}) {
        (fixed ? detectFixedPulses : detectUnfixedPulses)(host, etalons, std::span(list), 60, 120,
                                                          100, chains.get(), series.get());
        EXPECT_EQ(chains->distance[0], truth);
        EXPECT_EQ(detectedChain(*series), wholeChain({40, 140, 240, 340, 440, 540}, {3}, 20));
    }
    EXPECT_NE(chainsHeaderText(*chains).find(" 1. -122880000000 40 (3)"), std::string::npos);
}

// Records whose bounds leave the series: windows beyond both ends, a length beyond the
// samples held, a series shorter than a pulse. Nothing is read outside the samples (the
// sanitizer build checks) and the answer lies inside the series.
TEST(Faults, BoundsOutsideTheSeriesAreClippedToIt) {
    RecordingHost host;
    const EtalonTable etalons = fixture::makeEtalons(4, 34);
    const std::uint16_t list[] = {2};
    auto series = makeSeries(etalons, {40, 4, 10, 30}, wholeChain({33}, {2}, 4));
    series->lpMinPositions[0] = -30;
    series->lpMaxPositions[0] = 90;
    EXPECT_EQ(detectFixedPulses(host, etalons, list, 10, 30, 100, nullptr, series.get()), 1);
    EXPECT_THAT(detectedChain(*series), ElementsAre(ChainPulse{33, 2, 0, 3}));
    EXPECT_EQ(recognizeFixedPulses(host, etalons, list, 10, 30, 100, nullptr, series.get()), 2);

    // Start sets of 200 pulses 1..300 apart in a series of 40 samples.
    series->wMinPulses = 0;
    series->wMaxPulses = 200;
    EXPECT_EQ(detectUnfixedPulses(host, etalons, list, 1, 300, 100, nullptr, series.get()), 1);
    for (std::size_t j = 0; j < series->wDetectedPulses; ++j) {
        EXPECT_LE(series->lpDetectedPositions[j], 36);
    }
    std::uint32_t debugging = 0;
    const std::uint32_t subset[] = {2, 3};
    EXPECT_EQ(
        TuplesDetection(host, etalons, subset, 1, 1, 300, 100, nullptr, series.get(), debugging),
        1);

    series->dwSeriesSize = 5000;  // more than the record holds
    EXPECT_EQ(detectUnfixedPulses(host, etalons, list, 10, 30, 100, nullptr, series.get()), 1);
    series->dwSeriesSize = 3;  // shorter than a pulse
    EXPECT_EQ(detectUnfixedPulses(host, etalons, list, 10, 30, 100, nullptr, series.get()), 1);
    EXPECT_EQ(series->wDetectedPulses, 0);
    EXPECT_EQ(detectFixedPulses(host, etalons, list, 10, 30, 100, nullptr, series.get()), 1);
    EXPECT_EQ(series->wDetectedPulses, 0);
}

// One pulse of a flat etalon in a silent series of 40 samples: every symbol of both dumps
// follows from the local scores 400 - 200 * (samples shared with the pulse).
TEST(Faults, TheDebuggingDumpsShowTheLayerScores) {
    RecordingHost host;
    EtalonTable etalons = fixture::makeEtalons(4, 35);
    etalons[2].lpData = {10, 10, 10, 10};
    auto series = makeSeries(etalons, {40, 4, 10, 30}, wholeChain({12}, {3}, 4));
    std::uint32_t debugging = 1;
    const std::uint32_t subset[] = {3};
    EXPECT_EQ(
        TuplesDetection(host, etalons, subset, 1, 10, 30, 100, nullptr, series.get(), debugging),
        1);
    EXPECT_EQ(debugging, 0u);
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[0].caption, " About TuplesDetection ");
    EXPECT_EQ(host.messages[0].text, "omega_minus - omega_tilda: [0..9] \n + + + + + + + + + +\n ");
    EXPECT_EQ(host.messages[1].text,
              "omega_minus x omega_tilda: [10..26] \nl=1\n  + - -400 - + + + + + + + +[11] +[12] "
              "+[12] +[12] +[12] +[12]\n ");
    EXPECT_THAT(detectedChain(*series), ElementsAre(ChainPulse{12, 3, 0, 3}));

    // A long series: every dump is cut to the 4999 characters its buffer holds.
    RecordingHost longHost;
    const EtalonTable many = fixture::makeEtalons(8, 36);
    const Geometry g{3000, 8, 10, 1500};  // F ∩ M spans some 1500 starts
    std::mt19937 rng(3);
    auto longSeries = makeSeries(many, g, wholeChain(fixture::randomStarts(rng, g), {3, 4, 5}, 8));
    const std::uint32_t three[] = {3, 4, 5};
    debugging = 1;
    TuplesDetection(longHost, many, three, 1, 10, 1500, 100, nullptr, longSeries.get(), debugging);
    ASSERT_EQ(longHost.messages.size(), 2u);
    EXPECT_EQ(longHost.messages[1].text.size(), 4999u);
    EXPECT_LE(longHost.messages[0].text.size(), 4999u);
}

}  // namespace
}  // namespace mirovale
