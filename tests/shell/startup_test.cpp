#include "core/shell/startup.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/host/recording_host.h"
#include "core/shell/commands.h"

namespace mirovale {
namespace {

using ::testing::Each;
using ::testing::ElementsAre;

TEST(StartUp, GivesTheDocumentedFreshState) {
    RecordingHost host;
    ProgramState s;
    startWorkbench(host, s);

    EXPECT_TRUE(host.messages.empty());
    for (const std::uint16_t item : kTaskItems)
        EXPECT_EQ(host.isChecked(item), item == IDM_ALPHABET_RECOGNITION) << item;
    for (const std::uint16_t item : kSeriesTypeItems)
        EXPECT_EQ(host.isChecked(item), item == IDM_UNFIXED_WHOLE) << item;
    EXPECT_EQ(s.wTaskType, TASK_ALPHABET_RECOGNITION);
    EXPECT_EQ(s.wProcessingTask, TASK_ALPHABET_RECOGNITION);
    EXPECT_EQ(s.wSeriesType, SERIES_UNFIXED_WHOLE);
    EXPECT_EQ(s.dwViewMode, VIEW_ALPHABET_PANEL);
    EXPECT_EQ(s.dwSeriesLengthIndex, 3u);
    EXPECT_EQ(s.dwSeriesLength, 1200u);
    EXPECT_EQ(s.wNoiseLevel, 20);
    EXPECT_EQ(s.wLostLevel, 0);
    EXPECT_EQ(s.wSavedEnergyMaking, 100);
    EXPECT_EQ(s.wSavedEnergyProcessing, 100);
    EXPECT_EQ(s.wSavedEnergyMakingSel, 100);
    EXPECT_EQ(s.wTmpSavedEnergyProcessing, 100);
    EXPECT_EQ(s.wMinPulses, 6);
    EXPECT_EQ(s.wMaxPulses, 30);
    EXPECT_EQ(s.wRequestedPulses, 18);
    EXPECT_THAT(s.wEtalonFlags, Each(1));
    ASSERT_EQ(s.wRequiredCount, 20);
    EXPECT_EQ(s.lpRequiredList.front(), 1);
    EXPECT_EQ(s.lpRequiredList.back(), 20);
    EXPECT_EQ(s.lpActiveList, s.lpRequiredList);
    EXPECT_EQ(s.lpEtalonSequence, std::vector<std::uint16_t>(30, 1));
    EXPECT_EQ(s.lpEditSequence.size(), 30u);

    ASSERT_NE(s.lpChainsHeader, nullptr);
    EXPECT_EQ(s.lpChainsHeader->wMaxSize, 10);
    EXPECT_EQ(s.lpChainsHeader->wMaxPulses, 30);
    EXPECT_EQ(s.lpChainsHeader->wMark, 0) << "the first series is not processed";

    ASSERT_NE(s.lpSeriesHeader, nullptr);
    const SeriesHeader& series = *s.lpSeriesHeader;
    EXPECT_EQ(s.wSeriesPulses, series.wImpulseQuantity);
    EXPECT_GE(series.wImpulseQuantity, 6);
    EXPECT_LE(series.wImpulseQuantity, 30);
    EXPECT_EQ(series.dwSeriesSize, 1200u);
    EXPECT_EQ(series.lpData, series.lpPureData) << "the first series has no noise";
    EXPECT_EQ(s.wNoiseSeed, 10597) << "no noise was drawn";
    EXPECT_TRUE(host.invalidations.empty());
}

TEST(StartUp, TwoWorkbenchesInOneProcessMakeTheSameFirstSeries) {
    RecordingHost host;
    ProgramState first;
    ProgramState second;
    startWorkbench(host, first);
    startWorkbench(host, second);
    ASSERT_NE(first.lpSeriesHeader, nullptr);
    ASSERT_NE(second.lpSeriesHeader, nullptr);
    EXPECT_EQ(first.lpSeriesHeader->lpPureData, second.lpSeriesHeader->lpPureData);
    EXPECT_EQ(first.lpSeriesHeader->lpPositions, second.lpSeriesHeader->lpPositions);
    EXPECT_EQ(first.generators, second.generators);
    EXPECT_EQ(first.etalonTable[19].lpData, second.etalonTable[19].lpData);
}

TEST(ShutDown, ReleasesWhatExistsAndAcceptsAStateNeverStarted) {
    ProgramState never;
    shutDown(never);
    EXPECT_EQ(never.lpSeriesHeader, nullptr);

    RecordingHost host;
    ProgramState s;
    startWorkbench(host, s);
    ASSERT_TRUE(makeSubsetArrays(host, s.subsetPanel));
    shutDown(s);
    EXPECT_EQ(s.lpSeriesHeader, nullptr);
    EXPECT_EQ(s.lpChainsHeader, nullptr);
    EXPECT_EQ(s.wRequiredCount, 0);
    EXPECT_TRUE(s.lpRequiredList.empty());
    EXPECT_EQ(s.wEtalonSequenceSize, 0);
    EXPECT_EQ(s.wEditSequenceSize, 0);
    EXPECT_FALSE(s.subsetPanel.made());
    for (const PulseHeader& etalon : s.etalonTable) EXPECT_TRUE(etalon.lpData.empty());
}

}  // namespace
}  // namespace mirovale
