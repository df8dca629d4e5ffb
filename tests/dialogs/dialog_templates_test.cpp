#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "dialogs/dialog_test_support.h"

namespace mirovale {
namespace {

// A control as "<kind><id> <caption>": G group box, L label, E edit, B push button, C check
// box, R radio button; the id is left out where the control has none, the caption where the
// template has none (edits, and labels written at opening).
std::string describe(const DialogControl& c) {
    std::string out(1, "GLEBCR"[static_cast<int>(c.kind)]);
    if (c.id != kNoControlId) out += std::to_string(c.id);
    if (!c.text.empty()) out += " " + c.text;
    return out;
}

// Every control of every dialog with its caption, as the dialog tables give them; where they
// lie is ours, checked only to lie inside the dialog.
TEST(DialogTemplates, HoldExactlyTheControlsOfTheDialogTables) {
    const std::map<int, std::vector<std::string>> controls = {
        {105, {"G Parameters for creating series", "L Samples Length", "E1000",
               "L Min Length of Interval", "E1001", "L Max Length of Interval", "E1003",
               "L Etalon Number", "E1004", "L Saved Energy Level (from 0 to 100)", "E1005",
               "G Parameters for processing series", "L Saved Energy Level (from 0 to 100)",
               "E1006", "B1 OK", "B2 Cancel"}},
        {106, {"G  Series structure ", "L1008", "E1007", "L1009", "E1010", "L Noise Level",
               "E1011", "B1 OK", "B2 Cancel"}},
        {107, {"L Number of Required Etalons", "E1014", "L1012", "E1013", "B1 OK", "B2 Cancel"}},
        {110, {"G  Number of Pulses in Series ", "L from", "E1015", "L to", "E1016", "L incr.",
               "E1017", "L Number of Repeats", "E1021", "G  Noise parameters ", "L Initial Level",
               "E1019", "L Number of Steps in Simulation", "E1018", "L Noise Increment per Step",
               "E1020", "B1 OK", "B2 Cancel"}},
        {111, {"G  Subset employment ", "R1015 Single random ", "R1016 Single fixed",
               "R1017 Multiple random", "R1018 Complete ", "R1019 Shifted complete",
               "L Subset init position", "E1020", "G  Subset proceeding ", "R1021 Complete ",
               "R1022 Probably shifted complete", "B1 OK", "B2 Cancel"}},
        {112, {"C1044 frame graph fields", "C1024 shaded original pulses",
               "C1023 highlight detected pulses", "C1043 special graph size",
               "G  Highlight detected tuples ", "R1025 dotted frame", "R1026 coloured background",
               "R1027 none", "G  Highlight original tuples", "R1045 dotted frame",
               "R1046 coloured background", "R1047 none", "B1 OK", "B2 Cancel"}},
        {113, {"G  Handling case ", "R1028 restoring error", "R1029 detection error",
               "G  View case ", "R1030 componentwise", "R1031 summary view",
               "G  Upper bound case ", "C1032 fixed upper bound", "L upper bound", "E1033",
               "B1 OK", "B2 Cancel"}},
        {114, {"G  Handling case ", "R1028 restoring error", "R1029 detection error",
               "R1034 recognition error", "G  View case ", "R1030 componentwise",
               "R1031 summary view", "G  Upper bound case ", "C1032 fixed upper bound",
               "L upper bound", "E1033", "C1042 bounds incl.", "B1 OK", "B2 Cancel"}},
    };
    ProgramState state;
    for (const int id : kDialogIds) {
        const auto dialog = makeDialog(id, state);
        std::vector<std::string> got;
        for (const DialogControl& c : dialog->dialogTemplate().controls) {
            got.push_back(describe(c));
            EXPECT_EQ(c.isDefault, c.id == kIdOk) << id << " " << got.back();
            EXPECT_GT(c.width, 0) << id << " " << got.back();
            EXPECT_GT(c.height, 0) << id << " " << got.back();
        }
        EXPECT_THAT(got, ::testing::UnorderedElementsAreArray(controls.at(id))) << id;
    }
}

TEST(DialogTemplates, HaveTheirTitlesSizesAndPlaces) {
    const struct {
        int line;
        int dialog;
        const char* title;
        int width, height;
        bool placed;
    } cases[] = {
        {__LINE__, 105, "Create Series", 209, 168, false},
        {__LINE__, 106, "Create Series", 192, 138, false},
        {__LINE__, 107, "List of Required Etalons", 137, 95, false},
        {__LINE__, 110, " Location Parameters", 240, 109, true},
        {__LINE__, 111, "Subset settings", 223, 113, false},
        {__LINE__, 112, "Drawing settings", 219, 117, false},
        {__LINE__, 113, " Show Statistical Simulation parameters", 190, 91, false},
        {__LINE__, 114, "Show Statistical Simulation", 186, 113, false},
    };
    ProgramState state;
    for (const auto& c : cases) {
        const auto dialog = makeDialog(c.dialog, state);
        const DialogTemplate& t = dialog->dialogTemplate();
        EXPECT_EQ(t.id, c.dialog) << c.line;
        EXPECT_EQ(t.title, c.title) << c.line;
        EXPECT_EQ(t.width, c.width) << c.line;
        EXPECT_EQ(t.height, c.height) << c.line;
        EXPECT_EQ(t.hasPosition, c.placed) << c.line;
        if (c.placed) {
            EXPECT_EQ(std::make_pair(t.x, t.y), std::make_pair(60, 50)) << c.line;
        }
        for (const DialogControl& control : t.controls) {  // inside the dialog
            EXPECT_LE(control.x + control.width, t.width) << c.line << " " << control.text;
            EXPECT_LE(control.y + control.height, t.height) << c.line << " " << control.text;
        }
    }
}

TEST(DialogTemplates, DisableOnlyTheSubsetInitPosition) {
    ProgramState state;
    for (const int id : kDialogIds) {
        const auto dialog = makeDialog(id, state);
        for (const DialogControl& c : dialog->dialogTemplate().controls) {
            const bool initPosition = c.id == 1020 || c.text == "Subset init position";
            EXPECT_EQ(c.enabled, !(id == 111 && initPosition)) << id << " " << c.id;
        }
    }
}

}  // namespace
}  // namespace mirovale
