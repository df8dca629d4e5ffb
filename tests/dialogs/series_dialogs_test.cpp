#include "core/dialogs/series_dialogs.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/host/recording_host.h"

namespace mirovale {
namespace {

using ::testing::ElementsAreArray;

// Runs `dialog` with OK after typing `fields`.
void okWith(RecordingHost& host, DialogModel& dialog,
            std::vector<std::pair<int, std::string>> fields) {
    host.queueAnswer({dialog.id(), DialogResult::Ok, std::move(fields), {}});
    host.runDialog(dialog);
}

// The first dialog's fields, the required-etalons dialog's count and every geometry refusal with
// its message are the golden script series_dialog_fields (tests/data/cli); here the second
// dialog, whose shown entries a script cannot set up.
TEST(SeriesStructureDialog, OkReadsTheCountTheSequenceShownAndTheNoiseLevel) {
    const struct {
        int line;
        const char* sequence;
        std::vector<std::uint16_t> edit;  // lpEditSequence after OK; 4 shown of 6
    } cases[] = {
        {__LINE__, "3,5,7,9", {3, 5, 7, 9, 8, 8}},
        {__LINE__, "3, 5", {3, 5, 5, 0, 8, 8}},
        {__LINE__, "7,,9", {7, 0, 9, 0, 8, 8}},
        {__LINE__, "1,2,3,4,5,6", {1, 2, 3, 4, 8, 8}},  // cut at the count shown
    };
    for (const auto& c : cases) {
        RecordingHost host;
        ProgramState state;
        state.wRequestedPulses = 4;
        state.lpEditSequence.assign(6, 8);
        SeriesStructureDialog dialog(state);
        // 25 typed: the sequence is still read with the 4 entries shown.
        okWith(host, dialog, {{1007, "25"}, {1010, c.sequence}, {1011, "-5"}});
        EXPECT_EQ(state.wPulsesEntered, 25) << c.line;
        EXPECT_THAT(state.lpEditSequence, ElementsAreArray(c.edit)) << c.line;
        EXPECT_EQ(static_cast<std::int16_t>(state.wTmpNoiseLevel), -5) << c.line;
        EXPECT_EQ(state.wRequestedPulses, 4) << c.line;
        EXPECT_EQ(state.dwDialogAccepted, 1u) << c.line;
    }
}

TEST(SeriesStructureDialog, ReadsAtMostNinetyNineCharactersOfTheSequence) {
    RecordingHost host;
    ProgramState state;
    state.wRequestedPulses = 40;
    state.lpEditSequence.assign(40, 1);
    std::string typed;
    for (int i = 0; i < 40; ++i) typed += "10,";  // 120 characters
    SeriesStructureDialog dialog(state);
    okWith(host, dialog, {{1010, typed}});
    // 99 characters hold 33 items "10,"; the entries after them find no text.
    std::vector<std::uint16_t> expected(33, 10);
    expected.resize(40, 0);
    EXPECT_THAT(state.lpEditSequence, ElementsAreArray(expected));
}

}  // namespace
}  // namespace mirovale
