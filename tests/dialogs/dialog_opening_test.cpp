#include <gtest/gtest.h>

#include <sstream>
#include <tuple>

#include "core/host/recording_host.h"
#include "dialogs/dialog_test_support.h"
#include "golden.h"

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

// A control as "<kind><id> "<caption>"": G group box, L label, E edit, B push button, C check
// box, R radio button (no id where it has none); then what opening shows in an edit or a
// label written at opening, [x] or [ ] for a box or radio, and whether it is disabled or the
// default button.
std::string describe(const DialogModel& dialog, const DialogControl& c) {
    std::string out(1, "GLEBCR"[static_cast<int>(c.kind)]);
    if (c.id != kNoControlId) out += std::to_string(c.id);
    if (!c.text.empty()) out += " \"" + c.text + "\"";
    if (c.id != kNoControlId && (c.kind == ControlKind::Edit || c.kind == ControlKind::Label))
        out += " = \"" + dialog.text(c.id) + "\"";
    if (c.kind == ControlKind::CheckBox || c.kind == ControlKind::RadioButton)
        out += dialog.checked(c.id) ? " [x]" : " [ ]";
    if (!c.enabled) out += " disabled";
    if (c.isDefault) out += " default";
    return out;
}

// Every dialog as it opens on a started workbench, in tests/data/dialogs/opened.txt: its title,
// size and place, and each control in tab order with its caption (the dialog tables') and what
// the program state shows in it. Where the controls lie is ours, checked only to lie inside.
TEST(DialogOpening, ShowsTheTemplateAndTheProgramStateAsTheGoldenListing) {
    std::ostringstream listing;
    for (const int id : kDialogIds) {
        ProgramState state = startedState();
        const auto dialog = makeDialog(id, state);
        dialog->open();
        const DialogTemplate& t = dialog->dialogTemplate();
        listing << t.id << " \"" << t.title << "\" " << t.width << 'x' << t.height;
        if (t.hasPosition) listing << " at " << t.x << ',' << t.y;
        listing << '\n';
        for (const DialogControl& c : t.controls) {
            listing << "  " << describe(*dialog, c) << '\n';
            EXPECT_TRUE(c.width > 0 && c.height > 0 && c.x + c.width <= t.width &&
                        c.y + c.height <= t.height)
                << id << " " << describe(*dialog, c);
        }
    }
    testing::expectGoldenText("dialogs/opened.txt", listing.str());
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
