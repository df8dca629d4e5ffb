#include "core/dialogs/settings_dialogs.h"

#include <gtest/gtest.h>

#include "core/dialogs/chart_dialog.h"
#include "core/host/recording_host.h"

namespace mirovale {
namespace {

DialogResult answer(DialogModel& dialog, DialogResult result,
                    std::vector<std::pair<int, std::string>> fields,
                    std::vector<std::pair<int, bool>> checks) {
    RecordingHost host;
    host.queueAnswer({dialog.id(), result, std::move(fields), std::move(checks)});
    return host.runDialog(dialog);
}

// What " Location Parameters" reads is in the golden simulation scripts (tests/data/cli,
// tests/data/views/chart_mode_*), whose plans show every value typed.
TEST(SubsetSettingsDialog, CommitsTheRadiosClickedAndKeepsTheDisabledPosition) {
    ProgramState state;
    state.wSubsetInitPosition = 3;
    SubsetSettingsDialog dialog(state);
    answer(dialog, DialogResult::Ok, {{1020, "9"}}, {{1016, true}, {1022, true}});
    EXPECT_EQ(state.wSubsetEmployment, 2);
    EXPECT_EQ(state.wSubsetProceeding, 2);
    EXPECT_EQ(state.wSubsetInitPosition, 3);  // the field cannot be edited; OK reads it back

    state.wSubsetEmployment = 7;  // shown as "Complete ", kept unless a radio is clicked
    answer(dialog, DialogResult::Ok, {}, {});
    EXPECT_EQ(state.wSubsetEmployment, 7);
    answer(dialog, DialogResult::Ok, {}, {{1019, true}});
    EXPECT_EQ(state.wSubsetEmployment, 5);
}

TEST(DrawingSettingsDialog, OkCommitsEveryToggleAndCancelRestoresThemAll) {
    const std::vector<std::pair<int, bool>> toggles{{1044, false}, {1024, false}, {1023, false},
                                                    {1043, true},  {1025, true},  {1045, true}};
    ProgramState state;
    DrawingSettingsDialog dialog(state);
    answer(dialog, DialogResult::Cancel, {}, toggles);
    EXPECT_EQ(state.dwFrameGraphFields, 1u);
    EXPECT_EQ(state.dwSpecialGraphSize, 0u);
    EXPECT_EQ(state.wDetectedTuplesStyle, 2);
    EXPECT_EQ(state.wOriginalTuplesStyle, 0);

    answer(dialog, DialogResult::Ok, {}, toggles);
    EXPECT_EQ(state.dwFrameGraphFields, 0u);
    EXPECT_EQ(state.dwShadedOriginal, 0u);
    EXPECT_EQ(state.dwHighlightDetected, 0u);
    EXPECT_EQ(state.dwSpecialGraphSize, 1u);
    EXPECT_EQ(state.wDetectedTuplesStyle, 1);
    EXPECT_EQ(state.wOriginalTuplesStyle, 1);

    state.wDetectedTuplesStyle = 5;  // shown as the coloured background, kept on OK
    state.dwShadedOriginal = 9;      // a non-zero setting shows checked and is kept unclicked
    answer(dialog, DialogResult::Ok, {}, {{1027, true}});
    EXPECT_EQ(state.wDetectedTuplesStyle, 0);
    EXPECT_EQ(state.dwShadedOriginal, 9u);
}

TEST(ChartSettingsDialog, CommitsTheCasesAndTakesTheBoundOnlyWhenFixed) {
    const struct {
        int line;
        bool recognition;
        std::uint32_t handlingBefore;
        std::vector<std::pair<int, bool>> checks;
        std::uint32_t handling, view, fixed;
        double bound;
        std::uint32_t boundsIncluded;
    } cases[] = {
        // 113 shows a handling case of 3 as "restoring error" and keeps it unless clicked.
        {__LINE__, false, 3, {}, 3, 1, 0, 0.25, 1},
        {__LINE__, false, 3, {{1029, true}}, 2, 1, 0, 0.25, 1},
        // Fixed: the typed bound is taken.
        {__LINE__, false, 1, {{1032, true}, {1031, true}}, 1, 2, 1, 0.5, 1},
        // 114: recognition error and "bounds incl." cleared.
        {__LINE__, true, 1, {{1034, true}, {1042, false}}, 3, 1, 0, 0.25, 0},
    };
    for (const auto& c : cases) {
        ProgramState state;
        state.dwHandlingCase = c.handlingBefore;
        ChartSettingsDialog dialog(state, c.recognition);
        answer(dialog, DialogResult::Ok, {{1033, "0.5"}}, c.checks);
        EXPECT_EQ(state.dwHandlingCase, c.handling) << c.line;
        EXPECT_EQ(state.dwViewCase, c.view) << c.line;
        EXPECT_EQ(state.dwFixedUpperBound, c.fixed) << c.line;
        EXPECT_EQ(state.dUpperBound, c.bound) << c.line;
        EXPECT_EQ(state.dwBoundsIncluded, c.boundsIncluded) << c.line;
    }
}

TEST(ChartSettingsDialog, UncheckingTheFixedBoundKeepsTheOldBoundWhateverWasTyped) {
    ProgramState state;
    state.dwFixedUpperBound = 1;
    state.dUpperBound = 0.125;
    ChartSettingsDialog dialog(state, false);
    answer(dialog, DialogResult::Ok, {{1033, "7"}}, {{1032, false}});
    EXPECT_EQ(state.dwFixedUpperBound, 0u);
    EXPECT_EQ(state.dUpperBound, 0.125);
}

}  // namespace
}  // namespace mirovale
