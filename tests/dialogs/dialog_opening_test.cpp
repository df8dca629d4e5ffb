#include <gtest/gtest.h>

#include <tuple>

#include "core/host/recording_host.h"
#include "dialogs/dialog_test_support.h"

namespace mirovale {
namespace {

// What every dialog may write: Cancel must leave all of it alone.
auto writable(const ProgramState& s) {
    return std::make_tuple(
        s.dwTmpSeriesLength, s.wTmpTmin, s.wTmpTmax, s.wTmpSavedEnergyMaking,
        s.wTmpSavedEnergyProcessing, s.dwEtalonNumber, s.wPulsesEntered, s.lpEditSequence,
        s.wTmpNoiseLevel, s.wRequiredCount, s.lpRequiredList, s.wTmpMinPulses, s.wTmpMaxPulses,
        s.wPulsesIncrement, s.wInitialNoiseLevel, s.wNoiseSteps, s.wNoiseIncrement, s.wRepeats,
        s.wSubsetEmployment, s.wSubsetProceeding, s.wSubsetInitPosition, s.dwFrameGraphFields,
        s.dwShadedOriginal, s.dwHighlightDetected, s.dwSpecialGraphSize, s.wDetectedTuplesStyle,
        s.wOriginalTuplesStyle, s.dwHandlingCase, s.dwViewCase, s.dwFixedUpperBound, s.dUpperBound,
        s.dwBoundsIncluded);
}

// A state as start-up leaves it: both sequences and the required list filled.
ProgramState startedState() {
    ProgramState state;
    state.lpEditSequence = {1, 1, 1, 1};
    state.lpRequiredList = {1, 2, 3, 4, 5};
    state.wRequiredCount = 5;
    state.wRequestedPulses = 3;
    state.wTmpMinPulses = 6;
    state.wTmpMaxPulses = 30;
    return state;
}

TEST(DialogOpening, ShowsTheProgramStateInEveryControl) {
    const struct {
        int line;
        int dialog;
        int id;
        const char* text;
        bool checked;
    } cases[] = {
        {__LINE__, 105, 1000, "1200", false},
        {__LINE__, 105, 1001, "40", false},
        {__LINE__, 105, 1003, "181", false},
        {__LINE__, 105, 1004, "1", false},  // dwSelectedEtalon
        {__LINE__, 105, 1005, "75", false},
        {__LINE__, 105, 1006, "75", false},
        {__LINE__, 106, 1008, "Number of Pulses in Series (from 6 to 30)", false},
        {__LINE__, 106, 1007, "3", false},
        {__LINE__, 106, 1009, "Sequence of Etalons in Series (values from 1 to 20)", false},
        {__LINE__, 106, 1010, "1,1,1", false},  // wRequestedPulses entries, no trailing comma
        {__LINE__, 106, 1011, "20", false},
        {__LINE__, 107, 1014, "5", false},
        {__LINE__, 107, 1012, "List of Required Etalons (from 1 to 20)", false},
        {__LINE__, 107, 1013, "1,2,3,4,5", false},
        {__LINE__, 110, 1015, "6", false},
        {__LINE__, 110, 1016, "30", false},
        {__LINE__, 110, 1017, "1", false},
        {__LINE__, 110, 1018, "29", false},
        {__LINE__, 110, 1019, "0", false},
        {__LINE__, 110, 1020, "5", false},
        {__LINE__, 110, 1021, "100", false},
        {__LINE__, 111, 1018, "Complete ", true},  // employment 4
        {__LINE__, 111, 1015, "Single random ", false},
        {__LINE__, 111, 1021, "Complete ", true},  // proceeding 1
        {__LINE__, 111, 1022, "Probably shifted complete", false},
        {__LINE__, 111, 1020, "1", false},
        {__LINE__, 112, 1044, "frame graph fields", true},
        {__LINE__, 112, 1024, "shaded original pulses", true},
        {__LINE__, 112, 1023, "highlight detected pulses", true},
        {__LINE__, 112, 1043, "special graph size", false},
        {__LINE__, 112, 1026, "coloured background", true},  // detected style 2
        {__LINE__, 112, 1025, "dotted frame", false},
        {__LINE__, 112, 1047, "none", true},  // original style 0
        {__LINE__, 113, 1028, "restoring error", true},
        {__LINE__, 113, 1030, "componentwise", true},
        {__LINE__, 113, 1032, "fixed upper bound", false},
        {__LINE__, 113, 1033, "0.25", false},
        {__LINE__, 114, 1034, "recognition error", false},
        {__LINE__, 114, 1042, "bounds incl.", true},
        {__LINE__, 114, 1033, "0.25", false},
    };
    for (const auto& c : cases) {
        ProgramState state = startedState();
        const auto dialog = makeDialog(c.dialog, state);
        dialog->open();
        EXPECT_EQ(dialog->text(c.id), c.text) << c.line;
        EXPECT_EQ(dialog->checked(c.id), c.checked) << c.line;
    }
}

TEST(DialogOpening, WritesNoMoreEntriesThanTheListsHold) {
    ProgramState state;  // fresh: both lists empty, yet 40 pulses and 20 etalons are counted
    RecordingHost host;
    SeriesStructureDialog structure(state);
    RequiredEtalonsDialog required(state);
    host.queueAnswer({106, DialogResult::Ok, {{1010, "5,5,5"}}, {}});
    host.runDialog(structure);
    host.runDialog(required);
    EXPECT_EQ(host.dialogs[0].shown[3].text, "");  // 1010
    EXPECT_EQ(required.text(1013), "");
    EXPECT_TRUE(state.lpEditSequence.empty());
}

TEST(DialogCancel, WritesNothingButTheAcceptedFlag) {
    for (const int id : kDialogIds) {
        ProgramState state = startedState();
        state.dwDialogAccepted = 1;
        state.wSubsetEmployment = 7;  // a value without a radio of its own
        const auto before = writable(state);
        RecordingHost host;
        const auto dialog = makeDialog(id, state);
        DialogAnswer answer{id, DialogResult::Cancel, {}, {}};
        for (const DialogControl& c : dialog->dialogTemplate().controls) {
            if (c.kind == ControlKind::Edit) answer.fields.emplace_back(c.id, "-12abc");
            if (c.kind == ControlKind::CheckBox || c.kind == ControlKind::RadioButton)
                answer.checks.emplace_back(c.id, true);
        }
        host.queueAnswer(answer);
        EXPECT_EQ(host.runDialog(*dialog), DialogResult::Cancel);
        EXPECT_TRUE(writable(state) == before) << id;
        // 105 to 110 clear the accepted flag; 111 to 114 do not touch it.
        EXPECT_EQ(state.dwDialogAccepted, id <= 110 ? 0u : 1u) << id;
    }
}

}  // namespace
}  // namespace mirovale
