#include <gtest/gtest.h>

#include <algorithm>
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
    using Texts = std::vector<std::pair<int, std::string>>;
    const struct {
        int line;
        int dialog;
        Texts texts;
        std::vector<int> checked;  // every other check box and radio button is clear
    } cases[] = {
        // 1004 is dwSelectedEtalon.
        {__LINE__, 105, {{1000, "1200"}, {1001, "40"}, {1003, "181"}, {1004, "1"}, {1005, "75"},
                         {1006, "75"}}, {}},
        // wRequestedPulses entries of the sequence, no trailing comma.
        {__LINE__, 106, {{1008, "Number of Pulses in Series (from 6 to 30)"}, {1007, "3"},
                         {1009, "Sequence of Etalons in Series (values from 1 to 20)"},
                         {1010, "1,1,1"}, {1011, "20"}}, {}},
        {__LINE__, 107, {{1014, "5"}, {1012, "List of Required Etalons (from 1 to 20)"},
                         {1013, "1,2,3,4,5"}}, {}},
        {__LINE__, 110, {{1015, "6"}, {1016, "30"}, {1017, "1"}, {1018, "29"}, {1019, "0"},
                         {1020, "5"}, {1021, "100"}}, {}},
        {__LINE__, 111, {{1020, "1"}}, {1018, 1021}},  // employment 4, proceeding 1
        // Detected tuples style 2, original style 0.
        {__LINE__, 112, {}, {1044, 1024, 1023, 1026, 1047}},
        {__LINE__, 113, {{1033, "0.25"}}, {1028, 1030}},
        {__LINE__, 114, {{1033, "0.25"}}, {1028, 1030, 1042}},
    };
    for (const auto& c : cases) {
        ProgramState state = startedState();
        const auto dialog = makeDialog(c.dialog, state);
        dialog->open();
        for (const auto& [id, text] : c.texts) EXPECT_EQ(dialog->text(id), text) << c.line;
        for (const DialogControl& control : dialog->dialogTemplate().controls) {
            if (control.kind != ControlKind::CheckBox && control.kind != ControlKind::RadioButton)
                continue;
            const bool checked = std::ranges::count(c.checked, control.id) > 0;
            EXPECT_EQ(dialog->checked(control.id), checked) << c.line << " " << control.id;
        }
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
