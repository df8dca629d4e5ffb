#include <gtest/gtest.h>

#include <QDir>
#include <sstream>

#include "cli/script.h"
#include "core/display/layout.h"
#include "core/shell/commands.h"
#include "qt/widgets/window_fixture.h"

namespace mirovale::test {
namespace {

// The window driven through its menu and mouse, and the script of the same actions for
// mirovale-cli, with a save after each step.
class Steps {
public:
    explicit Steps(Workbenches& w) : w_(w) { QDir().mkpath(folder_.path()); }

    // From the menu, or for an internal command as the window sends it to itself.
    void command(std::uint16_t id) {
        if (auto* item = w_.window.findChild<QAction*>(QStringLiteral("command%1").arg(id)))
            item->trigger();
        else
            w_.window.runCommand(id);
        script_ << "command " << id << '\n';
    }
    void click(const InclusiveRect& r) {
        const QPoint p((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        QTest::mouseClick(&w_.window.clientArea(), Qt::LeftButton, {}, p);
        script_ << "click " << p.x() << ' ' << p.y() << '\n';
    }
    void answer(const DialogAnswer& a) {
        w_.ui.queue(a);
        script_ << "answer " << a.dialogId << (a.result == DialogResult::Ok ? " ok" : " cancel");
        for (const auto& [id, text] : a.fields) script_ << ' ' << id << '=' << text;
        script_ << '\n';
    }
    // The window's picture now, and a save of the script's.
    void picture(const QString& name) {
        QCoreApplication::processEvents();
        w_.window.clientArea().repaintPending();
        pictures_.emplace_back(name, w_.window.clientArea().image().copy());
        script_ << "save " << folder_.filePath(name + ".png").toStdString() << '\n';
    }
    [[nodiscard]] WindowLayout layout() { return currentLayout(w_.window.host(), w_.window.state()); }
    void line(const std::string& text) { script_ << text << '\n'; }

    // Runs the script as mirovale-cli script does and compares every saved picture.
    void expectTheCommandLinePictures() {
        std::istringstream in(script_.str());
        std::ostringstream out, err;
        ASSERT_EQ(runScript(in, out, err, {kClient}), 0) << err.str();
        for (const auto& [name, shown] : pictures_) {
            const QImage saved(folder_.filePath(name + ".png"));
            EXPECT_TRUE(saved.convertToFormat(QImage::Format_RGB32) == shown)
                << name.toStdString();
        }
    }

private:
    Workbenches& w_;
    std::ostringstream script_;
    std::vector<std::pair<QString, QImage>> pictures_;
    QDir folder_{QDir::temp().filePath(QStringLiteral("mirovale-window-pictures"))};
};

// The window driven through its menu and mouse shows, pixel for pixel, what mirovale-cli saves
// after the same actions.
TEST(WindowImage, MenuAndMouseGiveTheCommandLinePictures) {
    Workbenches w;
    Steps steps(w);
    steps.picture("start-up");

    steps.command(IDM_DETECTION);
    steps.command(IDM_FIXED_CUTOFF);
    steps.command(IDM_PROCESS_NEXT);
    steps.picture("cut-off-series");

    steps.click(steps.layout().noiseLevelItems.at(2));
    steps.picture("noise-option");

    steps.click(steps.layout().restartButton);
    ASSERT_EQ(w.window.state().dwViewMode, VIEW_ETALON_GRID);
    steps.picture("etalon-grid");
    steps.click(steps.layout().nextButton);
    steps.picture("next-from-grid");

    steps.answer(ok(105, {{1000, "600"}, {1001, "30"}, {1003, "100"}, {1004, "1"}}));
    steps.answer(ok(110, {{1015, "6"}, {1016, "8"}, {1018, "2"}, {1021, "2"}}));
    steps.answer(ok(113));
    steps.command(IDM_STATISTICAL_SIMULATION);
    ASSERT_EQ(w.window.state().wResultView, 2);
    // The chart prints the run's wall-clock times: both show the same ones.
    w.window.state().simulationTimes = {1'700'000'000, 1'700'000'042};
    steps.line("set simulation-times 1700000000 1700000042");
    steps.command(CMD_REPAINT_ALL);
    steps.picture("chart");

    steps.expectTheCommandLinePictures();
}

}  // namespace
}  // namespace mirovale::test
