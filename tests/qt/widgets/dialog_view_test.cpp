#include "qt/widgets/dialog_view.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <memory>

#include "core/dialogs/chart_dialog.h"
#include "core/dialogs/series_dialogs.h"
#include "core/dialogs/settings_dialogs.h"
#include "core/shell/commands.h"
#include "qt/widgets/window_fixture.h"

namespace mirovale::test {
namespace {

// Each dialog opened from its menu command and answered by typing and clicking gives the
// state the headless workbench reaches with the same answers.
TEST(DialogView, AnswersFromTheMenuLeaveTheStateOfTheHeadlessRun) {
    struct Row {
        int line;
        std::uint16_t command;
        std::vector<DialogAnswer> answers;
        UiDriver::Keys keys = UiDriver::Keys::Buttons;
    };
    const DialogAnswer series = ok(105, {{1000, "900"}, {1001, "40"}, {1003, "120"}, {1004, "3"}});
    const Row rows[] = {
        {__LINE__, IDM_CREATE_SERIES, {series, ok(106, {{1007, "9"}, {1010, "3, 5,,7"}, {1011, "35"}})}},
        {__LINE__, IDM_CREATE_SERIES, {series, cancel(106, {{1007, "9"}})}, UiDriver::Keys::EnterEscape},
        {__LINE__, IDM_CREATE_SERIES, {cancel(105, {{1000, "700"}})}},
        {__LINE__, IDM_NEW_PULSES, {ok(107, {{1014, "3"}, {1013, "4,25,6"}})}, UiDriver::Keys::EnterEscape},
        {__LINE__, IDM_SUBSET_SETTINGS, {ok(111, {}, {{1017, true}, {1022, true}})}},
        {__LINE__, IDM_DRAWING_SETTINGS, {ok(112, {}, {{1044, true}, {1023, false}, {1026, true}, {1047, true}})}},
        {__LINE__, IDM_DRAWING_SETTINGS, {cancel(112, {}, {{1044, true}, {1024, true}, {1025, true}})}},
    };
    for (const Row& row : rows) {
        Workbenches w;
        w.ui.keys = row.keys;
        for (const DialogAnswer& a : row.answers) w.answer(a);
        w.command(row.command);
        w.expectSameState(row.line);
        EXPECT_EQ(w.ui.messages, w.host.messages) << "row of line " << row.line;
    }
}

// The chart settings open from " Show Statistical Simulation" once a simulation is complete:
// dialog 113 after detection, 114 (with the recognition error and the bounds) after
// recognition; OK and Cancel leave the headless run's state.
TEST(DialogView, ChartSettingsAfterASimulationLeaveTheStateOfTheHeadlessRun) {
    struct Row {
        int line;
        std::uint16_t task;
        DialogAnswer answer;
    };
    const Row rows[] = {
        {__LINE__, IDM_DETECTION, ok(113, {{1033, "0.25"}}, {{1029, true}, {1031, true}, {1032, true}})},
        {__LINE__, IDM_RECOGNITION, ok(114, {{1033, "0.5"}}, {{1034, true}, {1032, true}, {1042, true}})},
        {__LINE__, IDM_RECOGNITION, cancel(114, {}, {{1028, true}, {1030, true}, {1042, true}})},
    };
    for (const Row& row : rows) {
        Workbenches w;
        w.command(row.task);
        w.answer(ok(105, {{1000, "600"}, {1001, "30"}, {1003, "100"}, {1004, "2"}}));
        w.answer(ok(110, {{1015, "6"}, {1016, "7"}, {1018, "2"}, {1021, "2"}}));
        w.command(IDM_STATISTICAL_SIMULATION);
        ASSERT_EQ(w.window.state().lpRestErrorHeader->ifComplete, 1) << "row of line " << row.line;
        w.answer(row.answer);
        w.command(IDM_SHOW_STATISTICAL_SIMULATION);
        w.expectSameState(row.line);
        EXPECT_EQ(w.ui.messages, w.host.messages) << "row of line " << row.line;
        ASSERT_FALSE(w.host.dialogs.empty());
        EXPECT_EQ(w.host.dialogs.back().dialogId, row.answer.dialogId) << "row of line " << row.line;
        EXPECT_TRUE(w.host.dialogs.back().answered) << "row of line " << row.line;
    }
}

// Every template laid out in the dialog font: no caption is cut and every control lies inside
// the dialog.
TEST(DialogView, NoCaptionIsClipped) {
    ProgramState state;
    std::vector<std::unique_ptr<DialogModel>> models;
    models.push_back(std::make_unique<SeriesParametersDialog>(state));
    models.push_back(std::make_unique<SeriesStructureDialog>(state));
    models.push_back(std::make_unique<RequiredEtalonsDialog>(state));
    models.push_back(std::make_unique<LocationParametersDialog>(state));
    models.push_back(std::make_unique<SubsetSettingsDialog>(state));
    models.push_back(std::make_unique<DrawingSettingsDialog>(state));
    models.push_back(std::make_unique<ChartSettingsDialog>(state, false));
    models.push_back(std::make_unique<ChartSettingsDialog>(state, true));
    for (const auto& model : models) {
        DialogView view(*model, nullptr);
        for (QWidget* child : view.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            const QString caption = qobject_cast<QAbstractButton*>(child)
                                        ? qobject_cast<QAbstractButton*>(child)->text()
                                    : qobject_cast<QLabel*>(child)
                                        ? qobject_cast<QLabel*>(child)->text()
                                    : qobject_cast<QGroupBox*>(child)
                                        ? qobject_cast<QGroupBox*>(child)->title()
                                        : QString();
            EXPECT_GE(child->width(), child->minimumSizeHint().width())
                << model->id() << " \"" << caption.toStdString() << "\"";
            EXPECT_LE(child->geometry().right(), view.width()) << model->id();
            EXPECT_LE(child->geometry().bottom(), view.height()) << model->id();
        }
    }
}

}  // namespace
}  // namespace mirovale::test
