#include "core/shell/make_series.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>


#include "core/host/allocation.h"
#include "core/shell/command_handler.h"
#include "core/shell/commands.h"
#include "workbench_fixture.h"

namespace mirovale {
namespace {

using testing::Workbench;

// Every reachable task on every series type, and what each routine leaves, are in the golden
// script task_dispatch (tests/data/cli); here the tuple tasks that lack their subsets.
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
