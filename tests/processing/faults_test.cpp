// Allocation failures, chains that cannot be completed, extreme samples, bounds outside the
// series, and the debugging dumps.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/processing/true_chain.h"
#include "implementations.h"

namespace mirovale {
namespace {

using fixture::detectedChain;
using fixture::makeSeries;
using fixture::wholeChain;
using ::testing::ElementsAre;

// Runs the routine `name` of implementation R, etalons 3 and 4 listed, alphabets {3, 4} and {5}.
template <class R>
int run(std::string_view name, Host& h, const EtalonTable& e, ChainsHeader* c, SeriesHeader* s) {
    differential::Inputs in{e, {3, 4}, {3, 4}, {2, 1}, {{3, 4}, {5}}, 1, 30, 60, 100};
    if (name == "detectFixedTuples" || name == "recognizeFixedTuples") in.proceeding = 2;
    return differential::runNamed<R>(name, h, in, c, s);
}

std::unique_ptr<SeriesHeader> smallSeries(const EtalonTable& etalons) {
    auto series = makeSeries(etalons, {300, 8, 30, 60},
                             wholeChain({10, 50, 90, 130, 170, 210, 250}, {3, 4}, 8));
    series->wAlphabets = 2;
    series->selectedAlphabetSize = {2, 1};
    series->selectedAlphabetList = {{3, 4}, {5}};
    return series;
}

template <class>
class Faults : public ::testing::Test {};
TYPED_TEST_SUITE(Faults, implementations::Both, implementations::Names);

TYPED_TEST(Faults, EveryAllocationFailureIsReportedAndLeavesTheSeriesAsItWas) {
    using R = TypeParam;
    const struct {
        int line;
        const char* name;
        int failAt;
        const char* message;
        int result;
    } cases[] = {
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
        {__LINE__, "recognizeUnfixedTuples", 3, "Нет памяти для G_on_layers!", 0},
        {__LINE__, "recognizeAlphabetFixed", 1, "Нет памяти для цепочек распознавания алфавита!",
         0},
        {__LINE__, "recognizeAlphabetUnfixed", 1, "Нет памяти для цепочек распознавания алфавита!",
         0},
    };
    const EtalonTable etalons = fixture::makeEtalons(8, 31);
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "line " << c.line);
        RecordingHost host;
        auto chains = getChainsHeader(host, 3, 10, nullptr);
        auto series = smallSeries(etalons);
        const SeriesHeader before = *series;
        {
            ScopedAllocationFailure fail(c.failAt);
            EXPECT_EQ(run<R>(c.name, host, etalons, chains.get(), series.get()), c.result);
        }
        const std::vector<RecordedMessage> expected{{c.message, "", MessageIcon::None}};
        EXPECT_EQ(host.messages, expected);
        EXPECT_EQ(series->wDetectedPulses, before.wDetectedPulses);
        EXPECT_EQ(series->lpDetectedPositions, before.lpDetectedPositions);
        EXPECT_EQ(series->wDetectedTuples, before.wDetectedTuples);
        // A missing series is refused the same way, without a message.
        EXPECT_EQ(run<R>(c.name, host, etalons, chains.get(), nullptr), c.result);
    }
}

// An alphabet whose detection runs out of memory is reported and never recognised, even when
// the series was written in it.
TYPED_TEST(Faults, AnAlphabetThatFailsIsNeverRecognised) {
    using R = TypeParam;
    const EtalonTable etalons = fixture::makeEtalons(8, 31);
    for (const auto& [name, message] :
         {std::pair{"recognizeAlphabetFixed", "Нет памяти для ppDw!"},
          std::pair{"recognizeAlphabetUnfixed", "Нет памяти для EtalonsPartialEnergy!"}}) {
        SCOPED_TRACE(name);
        RecordingHost host;
        auto chains = getChainsHeader(host, 3, 10, nullptr);
        auto series = smallSeries(etalons);
        {
            ScopedAllocationFailure fail(2);  // the first request of alphabet 1's detection
            EXPECT_EQ(run<R>(name, host, etalons, chains.get(), series.get()), 2);
        }
        EXPECT_EQ(series->wRecognizedAlphabet, 2);
        EXPECT_THAT(host.messages, ElementsAre(RecordedMessage{message, "", MessageIcon::None}));
        ASSERT_EQ(chains->wPretenders, 1);
        EXPECT_EQ(chains->alphabetNumber[0], 2);
    }
    // A start set that cannot be made is refused like any table: without it a chain through
    // the starts it holds would be lost and a wrong answer reported as found.
    RecordingHost host;
    auto chains = getChainsHeader(host, 3, 10, nullptr);
    auto series = smallSeries(etalons);
    const auto detectedBefore = series->wDetectedPulses;
    ScopedAllocationFailure fail(3);  // the record of the first-pulse set
    EXPECT_EQ(run<R>("detectUnfixedPulses", host, etalons, chains.get(), series.get()), 0);
    EXPECT_EQ(series->wDetectedPulses, detectedBefore);
    EXPECT_THAT(host.messages, ElementsAre(RecordedMessage{"Нет памяти для IntervalList!", "",
                                                           MessageIcon::None}));
}

// Pulse 1's window lies out of reach of pulse 0's, so tracking back from the last layer finds
// no predecessor: no chain is reported, at the routine's sentinel.
TYPED_TEST(Faults, AChainWithoutPredecessorIsReportedAsNoChain) {
    RecordingHost host;
    const EtalonTable etalons = fixture::makeEtalons(4, 32);
    differential::Inputs in{etalons, {3}, {}, {1}, {{3}}, 1, 20, 30, 100};
    auto series = makeSeries(etalons, {100, 4, 20, 30}, wholeChain({0, 60}, {3}, 4));
    series->lpMinPositions = {0, 55};
    series->lpMaxPositions = {0, 65};
    auto chains = getChainsHeader(host, 3, 10, nullptr);
    const auto run = [&](std::string_view name) {
        return differential::runNamed<TypeParam>(name, host, in, chains.get(), series.get());
    };
    EXPECT_EQ(run("detectFixedPulses"), 1);
    EXPECT_EQ(series->wDetectedPulses, 0);
    EXPECT_EQ(chains->distance[0], 9999999);
    EXPECT_EQ(chains->pulsesQuantity[0], 0);
    EXPECT_EQ(run("recognizeFixedPulses"), -1);
    EXPECT_EQ(chains->distance[0], 999999999);
    EXPECT_EQ(run("recognizeFixedTuples"), 0);
    EXPECT_EQ(series->wDetectedPulses + series->wDetectedTuples + series->wRecognizedSubset, 0);
    // An empty subset explains nothing either (and divides nothing by its length).
    series->wDetectedPulses = 2;
    in.proceeding = 2;
    EXPECT_EQ(run("detectFixedTuples"), 1);
    EXPECT_EQ(series->wDetectedPulses, 0);
}

// Samples near full scale: one pulse alone scores below the 32-bit range.
TYPED_TEST(Faults, ScoresOfExtremeSeriesDoNotWrap) {
    using R = TypeParam;
    RecordingHost host;
    EtalonTable etalons = fixture::makeEtalons(20, 33);
    for (std::size_t k = 0; k < 20; ++k) etalons[2].lpData[k] = k % 2 ? -32000 : 32000;
    const std::vector<int> starts{40, 140, 240, 340, 440, 540};
    auto series = makeSeries(etalons, {600, 20, 60, 120}, wholeChain(starts, {3}, 20));
    EXPECT_EQ(trueChainMeasure(*series), -6LL * 20 * 32000 * 32000);
    auto chains = getChainsHeader(host, 2, 12, nullptr);
    const std::uint16_t list[] = {3, 1};
    for (const auto detect : {R::detectFixedPulses, R::detectUnfixedPulses}) {
        detect(host, etalons, std::span(list), 60, 120, 100, chains.get(), series.get());
        EXPECT_EQ(chains->distance[0], trueChainMeasure(*series));
        EXPECT_EQ(detectedChain(*series), wholeChain(starts, {3}, 20));
    }
    EXPECT_NE(chainsHeaderText(*chains).find(" 1. -122880000000 40 (3)"), std::string::npos);
}

// Windows beyond both ends, a length beyond the samples held, a series shorter than a pulse:
// nothing is read outside the samples (the sanitizer build checks) and answers lie inside.
TYPED_TEST(Faults, BoundsOutsideTheSeriesAreClippedToIt) {
    RecordingHost host;
    const EtalonTable etalons = fixture::makeEtalons(4, 34);
    differential::Inputs in{etalons, {2}, {2, 3}, {}, {}, 1, 10, 30, 100};
    auto series = makeSeries(etalons, {40, 4, 10, 30}, wholeChain({33}, {2}, 4));
    const auto run = [&](std::string_view name) {
        return differential::runNamed<TypeParam>(name, host, in, nullptr, series.get());
    };
    series->lpMinPositions[0] = -30;
    series->lpMaxPositions[0] = 90;
    EXPECT_EQ(run("detectFixedPulses"), 1);
    EXPECT_THAT(detectedChain(*series), ElementsAre(ChainPulse{33, 2, 0, 3}));
    EXPECT_EQ(run("recognizeFixedPulses"), 2);

    series->wMinPulses = 0;  // sets of up to 200 pulses 1..300 apart in 40 samples
    series->wMaxPulses = 200;
    std::tie(in.Tmin, in.Tmax) = std::pair(1, 300);
    EXPECT_EQ(run("detectUnfixedPulses"), 1);
    for (const ChainPulse& p : detectedChain(*series)) EXPECT_LE(p.position, 36);
    EXPECT_EQ(run("TuplesDetection"), 1);

    std::tie(in.Tmin, in.Tmax) = std::pair(10, 30);
    series->dwSeriesSize = 5000;  // more than the record holds
    EXPECT_EQ(run("detectUnfixedPulses"), 1);
    series->dwSeriesSize = 3;  // shorter than a pulse
    for (const char* name : {"detectFixedPulses", "detectUnfixedPulses"}) {
        EXPECT_EQ(run(name), 1);
        EXPECT_EQ(series->wDetectedPulses, 0);
    }
}

// One pulse of a flat etalon in a silent series: every symbol of both dumps follows from the
// local scores 400 - 200 * (samples shared with the pulse).
TYPED_TEST(Faults, TheDebuggingDumpsShowTheLayerScoresAndAreCut) {
    using R = TypeParam;
    RecordingHost host;
    EtalonTable etalons = fixture::makeEtalons(4, 35);
    etalons[2].lpData = {10, 10, 10, 10};
    auto series = makeSeries(etalons, {40, 4, 10, 30}, wholeChain({12}, {3}, 4));
    std::uint32_t debug = 1;
    const std::uint32_t subset[] = {3};
    EXPECT_EQ(R::TuplesDetection(host, etalons, std::span(subset), 1, 10, 30, 100, nullptr,
                                 series.get(), debug),
              1);
    EXPECT_EQ(debug, 0u);
    EXPECT_THAT(
        host.messages,
        ElementsAre(
            RecordedMessage{"omega_minus - omega_tilda: [0..9] \n + + + + + + + + + +\n ",
                            " About TuplesDetection ", MessageIcon::None},
            RecordedMessage{"omega_minus x omega_tilda: [10..26] \nl=1\n  + - -400 - + + + + "
                            "+ + + +[11] +[12] +[12] +[12] +[12] +[12]\n ",
                            " About TuplesDetection ", MessageIcon::None}));

    // F ∩ M spans some 1500 starts on three layers: the second dump is cut at its buffer.
    RecordingHost longHost;
    const EtalonTable many = fixture::makeEtalons(8, 36);
    std::mt19937 rng(3);
    const fixture::Geometry g{3000, 8, 10, 1500};
    auto longSeries = makeSeries(many, g, wholeChain(fixture::randomStarts(rng, g), {3, 4, 5}, 8));
    const std::uint32_t three[] = {3, 4, 5};
    debug = 1;
    R::TuplesDetection(longHost, many, std::span(three), 1, 10, 1500, 100, nullptr,
                       longSeries.get(), debug);
    ASSERT_EQ(longHost.messages.size(), 2u);
    EXPECT_EQ(longHost.messages[1].text.size(), 4999u);
}

}  // namespace
}  // namespace mirovale
