#include "core/shell/startup.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/host/recording_host.h"
#include "core/shell/commands.h"

namespace mirovale {
namespace {

// The rest of the fresh state is the golden start-up script's (tests/data/cli/startup_state).
TEST(StartUp, ChecksTheTaskAndSeriesTypeItemsAndLeavesTheFirstSeriesRaw) {
    RecordingHost host;
    ProgramState s;
    startWorkbench(host, s);
    for (const std::uint16_t item : kTaskItems)
        EXPECT_EQ(host.isChecked(item), item == IDM_ALPHABET_RECOGNITION) << item;
    for (const std::uint16_t item : kSeriesTypeItems)
        EXPECT_EQ(host.isChecked(item), item == IDM_UNFIXED_WHOLE) << item;
    ASSERT_NE(s.lpChainsHeader, nullptr);
    EXPECT_EQ(s.lpChainsHeader->wMark, 0) << "the first series is not processed";
    EXPECT_EQ(s.lpSeriesHeader->lpData, s.lpSeriesHeader->lpPureData) << "nor made noisy";
    EXPECT_TRUE(host.invalidations.empty());
}

TEST(ShutDown, ReleasesWhatExistsAndAcceptsAStateNeverStarted) {
    ProgramState never;
    shutDown(never);  // touches nothing that was never made (the sanitizer build checks)

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
