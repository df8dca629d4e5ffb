#include <gtest/gtest.h>

#include <QProgressDialog>
#include <QPushButton>

#include "core/shell/commands.h"
#include "qt/widgets/simulation_runner.h"
#include "qt/widgets/window_fixture.h"

namespace mirovale::test {
namespace {

// A small plan: pulse numbers 6..8, noise 10 and 20, three repeats each.
void answerSimulationDialogs(Workbenches& w, bool headlessToo) {
    const DialogAnswer series =
        ok(105, {{1000, "600"}, {1001, "30"}, {1003, "100"}, {1004, "3"}});
    const DialogAnswer location = ok(110, {{1015, "6"}, {1016, "8"}, {1017, "1"}, {1019, "10"},
                                           {1018, "2"}, {1020, "10"}, {1021, "3"}});
    for (const DialogAnswer& a : {series, location}) {
        w.ui.queue(a);
        if (headlessToo) w.host.queueAnswer(a);
    }
}

// Clicks Cancel of the running simulation's progress dialog when its parameters message shows,
// before the first series is made.
void cancelAtTheParametersMessage(Workbenches& w) {
    w.ui.onMessage = [&w](QMessageBox& box) {
        if (box.windowTitle() != "getPulseEstAsRepeats") return;
        auto* progress = w.window.findChild<QProgressDialog*>();
        ASSERT_NE(progress, nullptr);
        progress->findChild<QPushButton*>()->click();
    };
}

TEST(Simulation, CancelledRunStaysIncompleteAndAFullRunMatchesTheHeadlessTables) {
    Workbenches w;
    w.command(IDM_JOINT_DETECTION);
    answerSimulationDialogs(w, false);
    cancelAtTheParametersMessage(w);
    w.window.runCommand(IDM_STATISTICAL_SIMULATION);
    ASSERT_NE(w.window.state().lpRestErrorHeader, nullptr);
    EXPECT_EQ(w.window.state().lpRestErrorHeader->ifComplete, 0);
    EXPECT_EQ(w.ui.progressDialogs, 1);
    const auto view = w.window.state().dwViewMode;
    w.window.runCommand(IDM_SHOW_STATISTICAL_SIMULATION);
    EXPECT_EQ(w.window.state().dwViewMode, view) << "an incomplete record is not shown";

    w.ui.onMessage = nullptr;
    const std::size_t cancelledMessages = w.ui.messages.size();
    answerSimulationDialogs(w, true);
    w.command(IDM_STATISTICAL_SIMULATION);
    EXPECT_EQ(w.window.state().lpRestErrorHeader->ifComplete, 1);
    EXPECT_EQ(w.ui.progressDialogs, 2);
    EXPECT_EQ(errorsJson(w.window.state().lpRestErrorHeader.get()),
              errorsJson(w.state.lpRestErrorHeader.get()));
    EXPECT_EQ(std::vector<RecordedMessage>(w.ui.messages.begin() +
                                               static_cast<std::ptrdiff_t>(cancelledMessages),
                                           w.ui.messages.end()),
              w.host.messages);
}

TEST(Simulation, ClosingTheWindowCancelsTheRunThenShutsDown) {
    Workbenches w;
    answerSimulationDialogs(w, false);
    w.ui.onMessage = [&w](QMessageBox& box) {
        if (box.windowTitle() == "getPulseEstAsRepeats") w.window.close();
    };
    w.window.runCommand(IDM_STATISTICAL_SIMULATION);
    EXPECT_TRUE(w.window.isShutDown());
    EXPECT_FALSE(w.window.isVisible());
}

TEST(Simulation, ProgressTextCountsCellsAndEstimatesTheTimeLeft) {
    EXPECT_EQ(simulationProgressText(0, 0, 0), "0 of 0 cells done\nelapsed 0:00");
    EXPECT_EQ(simulationProgressText(3, 12, 61'500), "3 of 12 cells done\nelapsed 1:01, left 3:04");
}

}  // namespace
}  // namespace mirovale::test
