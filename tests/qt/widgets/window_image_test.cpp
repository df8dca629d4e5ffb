#include <gtest/gtest.h>

#include <QDir>

#include "core/display/layout.h"
#include "core/shell/click_handler.h"
#include "core/shell/commands.h"
#include "qt/button_bitmaps.h"
#include "qt/widgets/window_fixture.h"
#include "qt/window_surface.h"

namespace mirovale::test {
namespace {

// The picture of the headless workbench as mirovale-cli keeps it: a window surface that takes
// the recorded invalidations and repaints after each action.
class HeadlessPicture {
public:
    explicit HeadlessPicture(Workbenches& w)
        : w_(w), surface_(QSize(kClient.width, kClient.height), *loadButtonBitmaps(w.host)) {
        surface_.invalidate({0, 0, kClient.width, kClient.height}, true);
    }
    const QImage& image() {
        const auto& all = w_.host.invalidations;
        for (; seen_ < all.size(); ++seen_) surface_.invalidate(all[seen_].rect, all[seen_].erase);
        surface_.repaint(w_.host, w_.state);
        return surface_.image();
    }

private:
    Workbenches& w_;
    WindowSurface surface_;
    std::size_t seen_ = 0;
};

QPoint centre(const InclusiveRect& r) {
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// A left click in the window's client area and the same press and release headless.
void click(Workbenches& w, QPoint p) {
    QTest::mouseClick(&w.window.clientArea(), Qt::LeftButton, {}, p);
    handleClick(w.host, w.state, p.x(), p.y());
    handlePointerRelease(w.host, w.state, p.x(), p.y());
}

void expectSamePicture(Workbenches& w, HeadlessPicture& headless, const char* step) {
    QCoreApplication::processEvents();
    w.window.clientArea().repaintPending();
    const QImage shown = w.window.clientArea().image();
    const QImage expected = headless.image();
    EXPECT_TRUE(shown == expected) << step;
    if (shown != expected) {
        shown.save(QDir::temp().filePath(QStringLiteral("window-%1.png").arg(step)));
        expected.save(QDir::temp().filePath(QStringLiteral("headless-%1.png").arg(step)));
    }
}

// The window driven through its menu and mouse shows, pixel for pixel, what the headless
// workbench draws after the same actions.
TEST(WindowImage, MenuAndMouseGiveTheHeadlessPicture) {
    Workbenches w;
    HeadlessPicture headless(w);
    expectSamePicture(w, headless, "start-up");

    w.command(IDM_DETECTION);
    w.command(IDM_FIXED_CUTOFF);
    w.command(IDM_PROCESS_NEXT);
    expectSamePicture(w, headless, "cut-off-series");

    click(w, centre(currentLayout(w.host, w.state).noiseLevelItems.at(2)));
    expectSamePicture(w, headless, "noise-option");

    click(w, centre(currentLayout(w.host, w.state).restartButton));
    ASSERT_EQ(w.state.dwViewMode, VIEW_ETALON_GRID);
    expectSamePicture(w, headless, "etalon-grid");
    click(w, centre(currentLayout(w.host, w.state).nextButton));
    expectSamePicture(w, headless, "next-from-grid");

    for (const DialogAnswer& a :
         {ok(105, {{1000, "600"}, {1001, "30"}, {1003, "100"}, {1004, "1"}}),
          ok(110, {{1015, "6"}, {1016, "8"}, {1018, "2"}, {1021, "2"}}), ok(113)})
        w.answer(a);
    w.command(IDM_STATISTICAL_SIMULATION);
    ASSERT_EQ(w.state.wResultView, 2);
    expectSamePicture(w, headless, "chart");
}

}  // namespace
}  // namespace mirovale::test
