#include "core/shell/make_series.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>

#include "core/host/allocation.h"
#include "core/processing/alphabet_recognition.h"
#include "core/processing/pulse_detection.h"
#include "core/processing/pulse_recognition.h"
#include "core/processing/tuple_detection.h"
#include "core/processing/tuple_recognition_unfixed.h"
#include "core/shell/command_handler.h"
#include "core/shell/commands.h"
#include "core/simulation/process_series.h"
#include "core/synthesis/series_subsets.h"
#include "workbench_fixture.h"

namespace mirovale {
namespace {

using testing::Workbench;
using enum ProcessingRoutine;

// Short series and three required etalons keep every routine quick.
void prepareSmallWorkbench(Workbench& w) {
    w.s.dwSeriesLengthIndex = 1;
    w.s.dwSeriesLengthSel = 200;
    w.requireFirst(3);
    w.composeSubsets({1, 2}, {{1, 2}, {2, 3}});
    w.composeAlphabets({{1, 2}, {3}});
    w.attachAlphabets();
}

// The routine run by hand on a copy of the processed series, as the dispatch should have run it.
void runRoutine(ProcessingRoutine routine, Workbench& w, ChainsHeader* chains,
                SeriesHeader* series) {
    ProgramState& s = w.s;
    const std::span<const std::uint16_t> required(s.lpRequiredList.data(), s.wRequiredCount);
    const SubsetPanel& p = s.subsetPanel;
    const auto subset = p.subset();
    std::uint32_t debugging = 0;
    Host& h = w.host;
    const auto& e = s.etalonTable;
    const std::uint16_t lo = s.wTmin, hi = s.wTmax, saved = s.wSavedEnergyProcessing;
    const std::uint16_t proceed = s.wSubsetProceeding;
    switch (routine) {
        case DetectUnfixedPulses:
            detectUnfixedPulses(h, e, required, lo, hi, saved, chains, series);
            break;
        case DetectFixedPulses:
            detectFixedPulses(h, e, required, lo, hi, saved, chains, series);
            break;
        case RecognizeUnfixedPulses:
            recognizeUnfixedPulses(h, e, required, lo, hi, saved, chains, series);
            break;
        case RecognizeFixedPulses:
            recognizeFixedPulses(h, e, required, lo, hi, saved, chains, series);
            break;
        case TuplesDetection:
            mirovale::TuplesDetection(h, e, subset, proceed, lo, hi, saved, chains, series,
                                      debugging);
            break;
        case DetectFixedTuples:
            detectFixedTuples(h, e, subset, proceed, lo, hi, saved, chains, series);
            break;
        case RecognizeUnfixedTuples:
            recognizeUnfixedTuples(h, e, p.selectedSubsetArraySize, p.selectedSubsetArray,
                                   p.dwSubsetArraySize, proceed, lo, hi, saved, chains, series,
                                   debugging);
            break;
        case RecognizeFixedTuples:
            recognizeFixedTuples(h, e, p.selectedSubsetArraySize, p.selectedSubsetArray,
                                 p.dwSubsetArraySize, proceed, lo, hi, saved, chains, series);
            break;
        case RecognizeAlphabetUnfixed:
            recognizeAlphabetUnfixed(h, e, lo, hi, saved, chains, series);
            break;
        case RecognizeAlphabetFixed:
            recognizeAlphabetFixed(h, e, lo, hi, saved, chains, series);
            break;
    }
}

TEST(MakeSeriesFlow, DispatchesEveryTaskAndSeriesTypeToItsRoutine) {
    const struct {
        int line;
        std::uint16_t task;
        std::uint16_t type;
        std::uint16_t processingTask;
        ProcessingRoutine routine;
    } cases[] = {
        {__LINE__, 1, 1, 1, DetectFixedPulses},
        {__LINE__, 1, 2, 1, DetectFixedPulses},
        {__LINE__, 1, 4, 1, DetectUnfixedPulses},
        {__LINE__, 1, 8, 1, DetectUnfixedPulses},
        {__LINE__, 1, 36, 36, DetectFixedTuples},
        {__LINE__, 1, 40, 36, TuplesDetection},
        {__LINE__, 2, 1, 2, RecognizeFixedPulses},
        {__LINE__, 2, 2, 2, RecognizeFixedPulses},
        {__LINE__, 2, 4, 2, RecognizeUnfixedPulses},
        {__LINE__, 2, 8, 2, RecognizeUnfixedPulses},
        {__LINE__, 2, 36, 40, RecognizeFixedTuples},
        {__LINE__, 2, 40, 40, RecognizeUnfixedTuples},
        {__LINE__, 4, 1, 4, DetectFixedPulses},
        {__LINE__, 4, 2, 4, DetectFixedPulses},
        {__LINE__, 4, 4, 4, DetectUnfixedPulses},
        {__LINE__, 4, 8, 4, DetectUnfixedPulses},
        {__LINE__, 4, 36, 4, DetectFixedPulses},
        {__LINE__, 4, 40, 4, DetectFixedPulses},
        {__LINE__, 64, 2, 64, DetectFixedPulses},
        {__LINE__, 64, 8, 64, DetectUnfixedPulses},
        {__LINE__, 36, 4, 36, TuplesDetection},
        {__LINE__, 36, 8, 36, TuplesDetection},
        {__LINE__, 36, 1, 36, DetectFixedTuples},
        {__LINE__, 40, 4, 40, RecognizeUnfixedTuples},
        {__LINE__, 40, 2, 40, RecognizeFixedTuples},
        {__LINE__, 48, 1, 48, RecognizeAlphabetFixed},
        {__LINE__, 48, 4, 48, RecognizeAlphabetUnfixed},
        {__LINE__, 48, 8, 48, RecognizeAlphabetUnfixed},
        {__LINE__, 48, 40, 48, RecognizeAlphabetFixed},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        Workbench w;
        prepareSmallWorkbench(w);
        w.s.wTaskType = c.task;
        w.s.wSeriesType = c.type;
        w.forget();
        w.command(CMD_NEXT_DATA);

        ASSERT_NE(w.s.lpSeriesHeader, nullptr);
        const ChainsHeader& chains = *w.s.lpChainsHeader;
        EXPECT_EQ(w.s.wProcessingTask, c.processingTask);
        EXPECT_EQ(chains.wMark, 2);
        EXPECT_EQ(chains.wTaskType, c.processingTask);
        EXPECT_EQ(chains.wSeriesType, c.type);
        EXPECT_EQ(w.s.dwViewMode, VIEW_RESULTS);
        EXPECT_EQ(w.s.dwSeriesLength, 200u);
        EXPECT_TRUE(w.invalidated(workAreaRepaintRect(w.layout())));

        SeriesHeader copy = *w.s.lpSeriesHeader;
        auto reference = getChainsHeader(w.host, chains.wMaxSize, chains.wMaxPulses, nullptr);
        runRoutine(c.routine, w, reference.get(), &copy);
        ASSERT_EQ(reference->wPretenders, chains.wPretenders);
        EXPECT_EQ(reference->wQuanPulses, chains.wQuanPulses);
        EXPECT_EQ(reference->wSeekingPulsesQuantity, chains.wSeekingPulsesQuantity);
        EXPECT_EQ(reference->distance, chains.distance);
        EXPECT_EQ(reference->pulsesList, chains.pulsesList);
        EXPECT_EQ(reference->positionsList, chains.positionsList);
        EXPECT_EQ(copy.lpDetectedEtalons, w.s.lpSeriesHeader->lpDetectedEtalons);
        EXPECT_EQ(copy.wRecognizedSubset, w.s.lpSeriesHeader->wRecognizedSubset);
        EXPECT_EQ(copy.wRecognizedAlphabet, w.s.lpSeriesHeader->wRecognizedAlphabet);
    }
}

TEST(MakeSeriesFlow, TupleTasksWithoutTheirSubsetsTurnToTheSubsetPanel) {
    const struct {
        int line;
        std::uint16_t task;
        std::vector<std::uint32_t> subset;
        std::vector<std::vector<std::uint32_t>> stored;
    } cases[] = {
        {__LINE__, TASK_DETECTION, {}, {{1, 2}}},    // tuple detection needs the subset built
        {__LINE__, TASK_RECOGNITION, {}, {{1, 2}}},  // tuple recognition needs both
        {__LINE__, TASK_RECOGNITION, {1, 2}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        Workbench w;
        prepareSmallWorkbench(w);
        w.composeSubsets(c.subset, c.stored);
        w.s.wTaskType = c.task;
        w.s.wSeriesType = SERIES_UNFIXED_TUPLES;
        w.forget();
        w.command(CMD_NEXT_DATA);
        EXPECT_EQ(w.s.dwViewMode, VIEW_SUBSET_PANEL);
        EXPECT_EQ(w.s.lpChainsHeader->wMark, 0) << "nothing was processed";
        ASSERT_EQ(w.host.invalidations.size(), 1u);
        EXPECT_EQ(w.host.invalidations[0].rect, workAreaRepaintRect(w.layout()));
    }
}

TEST(MakeSeriesFlow, DerivesTheProcessingTaskAfreshFromTheTaskAndTheSeriesType) {
    Workbench w;
    w.command(IDM_FIXED_TUPLES);
    w.command(IDM_DETECTION);
    EXPECT_EQ(w.s.wProcessingTask, TASK_TUPLE_DETECTION);
    w.command(IDM_UNFIXED_WHOLE);
    EXPECT_EQ(w.s.wProcessingTask, TASK_TUPLE_DETECTION) << "the series-type command keeps it";
    w.command(IDM_PROCESS_NEXT);
    EXPECT_EQ(w.s.wProcessingTask, TASK_DETECTION);
    EXPECT_EQ(w.s.lpChainsHeader->wTaskType, TASK_DETECTION);
}

TEST(MakeSeriesFlow, DetectionAndRecognitionUseOneEtalonThroughoutJointDetectionDrawsEach) {
    Workbench detection;
    detection.s.wTaskType = TASK_DETECTION;
    detection.s.wSeriesType = SERIES_FIXED_WHOLE;
    detection.command(CMD_NEXT_DATA);
    const auto& one = detection.s.lpSeriesHeader->lpEtalonNumbers;
    const std::size_t n = detection.s.lpSeriesHeader->wImpulseQuantity;
    EXPECT_EQ(n, 18u) << "a known number: the requested pulses";
    EXPECT_EQ(std::count(one.begin(), one.begin() + static_cast<std::ptrdiff_t>(n), one[0]),
              static_cast<std::ptrdiff_t>(n));

    Workbench joint;
    joint.s.wTaskType = TASK_JOINT_DETECTION;
    joint.s.wSeriesType = SERIES_FIXED_WHOLE;
    joint.command(CMD_NEXT_DATA);
    const auto& many = joint.s.lpSeriesHeader->lpEtalonNumbers;
    const std::set<std::int16_t> distinct(many.begin(), many.begin() + 18);
    EXPECT_GT(distinct.size(), 5u);
}

TEST(MakeSeriesFlow, AnAlphabetTaskDrawsFromTheSeriesCurrentAlphabet) {
    Workbench w;
    w.composeAlphabets({{4, 9}, {11}});
    w.s.alphabetPanel.dwCurrentAlphabet = 1;
    w.attachAlphabets();
    w.command(CMD_NEXT_DATA);
    EXPECT_THAT(w.s.lpActiveList, ::testing::ElementsAre(4, 9));
    for (std::size_t i = 0; i < w.s.wMaxPulses; ++i)
        EXPECT_TRUE(w.s.lpEtalonSequence[i] == 4 || w.s.lpEtalonSequence[i] == 9) << i;
}

// An empty etalon list would make the sequence draw divide by zero.
TEST(MakeSeriesFlowFaults, AnEmptyRequiredListIsRefusedAndNothingIsMade) {
    Workbench w;
    w.s.wTaskType = TASK_JOINT_DETECTION;
    w.requireFirst(0);
    const std::vector<std::int16_t> before = w.s.lpSeriesHeader->lpPureData;
    const std::uint32_t seed = w.s.dwSequenceSeed;
    w.command(IDM_PROCESS_NEXT);
    ASSERT_EQ(w.host.messages.size(), 1u);
    EXPECT_EQ(w.host.messages[0], (RecordedMessage{"Нет эталонов для создания ряда!", "CM_INFO",
                                                   MessageIcon::Exclamation}));
    EXPECT_EQ(w.s.lpSeriesHeader->lpPureData, before);
    EXPECT_EQ(w.s.dwSequenceSeed, seed);
    EXPECT_EQ(w.s.lpChainsHeader->wMark, 0);
    EXPECT_EQ(w.s.dwViewMode, VIEW_ALPHABET_PANEL);
    EXPECT_TRUE(w.host.invalidations.empty());
}

TEST(MakeSeriesFlowFaults, ASynthesisWithoutSeriesEndsTheFlowAndNothingProcessesNull) {
    Workbench w;
    w.s.wTaskType = TASK_JOINT_DETECTION;
    freeSeriesHeader(w.s.lpSeriesHeader);
    {
        ScopedAllocationFailure fail(1);
        w.command(CMD_MAKE_SERIES);
    }
    EXPECT_EQ(w.s.lpSeriesHeader, nullptr);
    ASSERT_FALSE(w.host.messages.empty());
    EXPECT_EQ(w.host.messages.back(),
              (RecordedMessage{"Не могу создать ряд!", "CM_INFO", MessageIcon::None}));
    EXPECT_EQ(w.s.wNoiseLevel, w.s.wNoiseLevelSel) << "the pending values were taken";
    EXPECT_EQ(w.s.lpChainsHeader->wMark, 0);

    for (const std::uint16_t command : {CMD_ADD_NOISE, CMD_PROCESS, IDM_PROCESS_SAME}) {
        w.forget();
        const std::uint16_t noise = w.s.wNoiseSeed;
        w.command(command);
        ASSERT_EQ(w.host.messages.size(), 1u) << command;
        EXPECT_EQ(w.host.messages[0],
                  (RecordedMessage{"Нет ряда для обработки!", "CM_INFO", MessageIcon::Exclamation}))
            << command;
        EXPECT_EQ(w.s.wNoiseSeed, noise) << command;
        EXPECT_EQ(w.s.lpChainsHeader->wMark, 0) << command;
    }
}

}  // namespace
}  // namespace mirovale
