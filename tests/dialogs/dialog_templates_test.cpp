#include <gtest/gtest.h>

#include <map>
#include <string>

#include "dialogs/dialog_test_support.h"

namespace mirovale {
namespace {

using K = ControlKind;
constexpr int kAny = -1;  // the tables give no position or size: the layout is ours

struct Row {
    int line;
    int dialog;
    int id;  // kNoControlId: matched by text (and position where given)
    ControlKind kind;
    const char* text;  // nullptr: set at opening, not checked here
    int x = kAny, y = kAny, width = kAny, height = kAny;
};

// Every control of every dialog, as the dialog tables give them.
const Row kRows[] = {
    {__LINE__, 105, kNoControlId, K::GroupBox, "Parameters for creating series", 13, 7, 128, 101},
    {__LINE__, 105, kNoControlId, K::Label, "Samples Length", 27, 19},
    {__LINE__, 105, 1000, K::Edit, "", 100, 18, 25, 12},
    {__LINE__, 105, kNoControlId, K::Label, "Min Length of Interval", 27, 34},
    {__LINE__, 105, 1001, K::Edit, "", 100, 33, 25, 12},
    {__LINE__, 105, kNoControlId, K::Label, "Max Length of Interval", 27, 49},
    {__LINE__, 105, 1003, K::Edit, "", 100, 48, 25, 12},
    {__LINE__, 105, kNoControlId, K::Label, "Etalon Number", 27, 64},
    {__LINE__, 105, 1004, K::Edit, "", 100, 63, 25, 12},
    {__LINE__, 105, kNoControlId, K::Label, "Saved Energy Level (from 0 to 100)", 26, 78},
    {__LINE__, 105, 1005, K::Edit, "", 100, 89, 25, 12},
    {__LINE__, 105, kNoControlId, K::GroupBox, "Parameters for processing series", 13, 112, 128,
     44},
    {__LINE__, 105, kNoControlId, K::Label, "Saved Energy Level (from 0 to 100)", 25, 124},
    {__LINE__, 105, 1006, K::Edit, "", 99, 136, 26, 13},
    {__LINE__, 105, 1, K::PushButton, "OK", 148, 122, 50, 14},
    {__LINE__, 105, 2, K::PushButton, "Cancel", 148, 141, 50, 14},

    {__LINE__, 106, kNoControlId, K::GroupBox, " Series structure ", 7, 5, 178, 72},
    {__LINE__, 106, 1008, K::Label, nullptr, 15, 16, 141, 8},
    {__LINE__, 106, 1007, K::Edit, "", 105, 27, 34, 12},
    {__LINE__, 106, 1009, K::Label, nullptr, 15, 45, 157, 8},
    {__LINE__, 106, 1010, K::Edit, "", 60, 58, 109, 12},
    {__LINE__, 106, kNoControlId, K::Label, "Noise Level", 16, 91},
    {__LINE__, 106, 1011, K::Edit, "", 60, 90, 34, 12},
    {__LINE__, 106, 1, K::PushButton, "OK", 41, 113, 50, 14},
    {__LINE__, 106, 2, K::PushButton, "Cancel", 105, 113, 50, 14},

    {__LINE__, 107, kNoControlId, K::Label, "Number of Required Etalons", 13, 16},
    {__LINE__, 107, 1014, K::Edit, "", 101, 15, 21, 12},
    {__LINE__, 107, 1012, K::Label, nullptr, 13, 32, 110, 8},
    {__LINE__, 107, 1013, K::Edit, "", 33, 44, 89, 12},
    {__LINE__, 107, 1, K::PushButton, "OK", 15, 71, 50, 14},
    {__LINE__, 107, 2, K::PushButton, "Cancel", 71, 71, 50, 14},

    {__LINE__, 110, kNoControlId, K::GroupBox, " Number of Pulses in Series "},
    {__LINE__, 110, kNoControlId, K::Label, "from"},
    {__LINE__, 110, 1015, K::Edit, ""},
    {__LINE__, 110, kNoControlId, K::Label, "to"},
    {__LINE__, 110, 1016, K::Edit, ""},
    {__LINE__, 110, kNoControlId, K::Label, "incr."},
    {__LINE__, 110, 1017, K::Edit, ""},
    {__LINE__, 110, kNoControlId, K::Label, "Number of Repeats"},
    {__LINE__, 110, 1021, K::Edit, ""},
    {__LINE__, 110, kNoControlId, K::GroupBox, " Noise parameters "},
    {__LINE__, 110, kNoControlId, K::Label, "Initial Level"},
    {__LINE__, 110, 1019, K::Edit, ""},
    {__LINE__, 110, kNoControlId, K::Label, "Number of Steps in Simulation"},
    {__LINE__, 110, 1018, K::Edit, ""},
    {__LINE__, 110, kNoControlId, K::Label, "Noise Increment per Step"},
    {__LINE__, 110, 1020, K::Edit, ""},
    {__LINE__, 110, 1, K::PushButton, "OK"},
    {__LINE__, 110, 2, K::PushButton, "Cancel"},

    {__LINE__, 111, kNoControlId, K::GroupBox, " Subset employment "},
    {__LINE__, 111, 1015, K::RadioButton, "Single random "},
    {__LINE__, 111, 1016, K::RadioButton, "Single fixed"},
    {__LINE__, 111, 1017, K::RadioButton, "Multiple random"},
    {__LINE__, 111, 1018, K::RadioButton, "Complete "},
    {__LINE__, 111, 1019, K::RadioButton, "Shifted complete"},
    {__LINE__, 111, kNoControlId, K::Label, "Subset init position"},
    {__LINE__, 111, 1020, K::Edit, ""},
    {__LINE__, 111, kNoControlId, K::GroupBox, " Subset proceeding "},
    {__LINE__, 111, 1021, K::RadioButton, "Complete "},
    {__LINE__, 111, 1022, K::RadioButton, "Probably shifted complete"},
    {__LINE__, 111, 1, K::PushButton, "OK"},
    {__LINE__, 111, 2, K::PushButton, "Cancel"},

    {__LINE__, 112, 1044, K::CheckBox, "frame graph fields"},
    {__LINE__, 112, 1024, K::CheckBox, "shaded original pulses"},
    {__LINE__, 112, 1023, K::CheckBox, "highlight detected pulses"},
    {__LINE__, 112, 1043, K::CheckBox, "special graph size"},
    {__LINE__, 112, kNoControlId, K::GroupBox, " Highlight detected tuples "},
    {__LINE__, 112, 1025, K::RadioButton, "dotted frame"},
    {__LINE__, 112, 1026, K::RadioButton, "coloured background"},
    {__LINE__, 112, 1027, K::RadioButton, "none"},
    {__LINE__, 112, kNoControlId, K::GroupBox, " Highlight original tuples"},
    {__LINE__, 112, 1045, K::RadioButton, "dotted frame"},
    {__LINE__, 112, 1046, K::RadioButton, "coloured background"},
    {__LINE__, 112, 1047, K::RadioButton, "none"},
    {__LINE__, 112, 1, K::PushButton, "OK"},
    {__LINE__, 112, 2, K::PushButton, "Cancel"},

    {__LINE__, 113, kNoControlId, K::GroupBox, " Handling case "},
    {__LINE__, 113, 1028, K::RadioButton, "restoring error"},
    {__LINE__, 113, 1029, K::RadioButton, "detection error"},
    {__LINE__, 113, kNoControlId, K::GroupBox, " View case "},
    {__LINE__, 113, 1030, K::RadioButton, "componentwise"},
    {__LINE__, 113, 1031, K::RadioButton, "summary view"},
    {__LINE__, 113, kNoControlId, K::GroupBox, " Upper bound case "},
    {__LINE__, 113, 1032, K::CheckBox, "fixed upper bound"},
    {__LINE__, 113, kNoControlId, K::Label, "upper bound"},
    {__LINE__, 113, 1033, K::Edit, ""},
    {__LINE__, 113, 1, K::PushButton, "OK"},
    {__LINE__, 113, 2, K::PushButton, "Cancel"},

    {__LINE__, 114, kNoControlId, K::GroupBox, " Handling case "},
    {__LINE__, 114, 1028, K::RadioButton, "restoring error"},
    {__LINE__, 114, 1029, K::RadioButton, "detection error"},
    {__LINE__, 114, 1034, K::RadioButton, "recognition error"},
    {__LINE__, 114, kNoControlId, K::GroupBox, " View case "},
    {__LINE__, 114, 1030, K::RadioButton, "componentwise"},
    {__LINE__, 114, 1031, K::RadioButton, "summary view"},
    {__LINE__, 114, kNoControlId, K::GroupBox, " Upper bound case "},
    {__LINE__, 114, 1032, K::CheckBox, "fixed upper bound"},
    {__LINE__, 114, kNoControlId, K::Label, "upper bound"},
    {__LINE__, 114, 1033, K::Edit, ""},
    {__LINE__, 114, 1042, K::CheckBox, "bounds incl."},
    {__LINE__, 114, 1, K::PushButton, "OK"},
    {__LINE__, 114, 2, K::PushButton, "Cancel"},
};

const DialogControl* find(const DialogTemplate& t, const Row& row) {
    for (const DialogControl& c : t.controls) {
        if (row.id != kNoControlId) {
            if (c.id == row.id) return &c;
        } else if (c.id == kNoControlId && row.text == c.text &&
                   (row.x == kAny || (c.x == row.x && c.y == row.y))) {
            return &c;
        }
    }
    return nullptr;
}

TEST(DialogTemplates, HoldExactlyTheControlsOfTheDialogTables) {
    ProgramState state;
    std::map<int, std::size_t> rowsPerDialog;
    for (const Row& row : kRows) {
        ++rowsPerDialog[row.dialog];
        const auto dialog = makeDialog(row.dialog, state);
        const DialogControl* c = find(dialog->dialogTemplate(), row);
        ASSERT_NE(c, nullptr) << row.line;
        EXPECT_EQ(c->kind, row.kind) << row.line;
        // Where the row gives nothing, the control is compared with itself.
        const auto given = [](int actual, int expected) {
            return expected == kAny ? actual : expected;
        };
        EXPECT_EQ(c->text, row.text != nullptr ? std::string(row.text) : c->text) << row.line;
        EXPECT_EQ(c->x, given(c->x, row.x)) << row.line;
        EXPECT_EQ(c->y, given(c->y, row.y)) << row.line;
        EXPECT_EQ(c->width, given(c->width, row.width)) << row.line;
        EXPECT_EQ(c->height, given(c->height, row.height)) << row.line;
        EXPECT_EQ(c->isDefault, row.id == kIdOk) << row.line;
        // Our own sizes must at least give every control an area.
        EXPECT_GT(c->width, 0) << row.line;
        EXPECT_GT(c->height, 0) << row.line;
    }
    for (const int id : kDialogIds)
        EXPECT_EQ(makeDialog(id, state)->dialogTemplate().controls.size(), rowsPerDialog[id]) << id;
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
