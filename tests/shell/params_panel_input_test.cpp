#include "core/shell/params_panel_input.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/display/window_paint.h"
#include "core/host/recording_canvas.h"
#include "core/shell/click_handler.h"
#include "core/shell/command_handler.h"
#include "core/shell/commands.h"
#include "core/shell/params_mapping.h"
#include "workbench_fixture.h"

namespace mirovale {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using testing::Workbench;

// The parameters panel of the first series, drawn; the window repaints after every event.
struct ParamsPanel : Workbench {
    RecordingCanvas canvas;
    ParamsPanel() {
        command(IDM_VIEW_SERIES_PARAMETERS);
        paint();
        forget();
    }
    void paint() {
        canvas.clear();
        paintWindow(host, canvas, s);
    }
    ParamsHeader& r() { return *s.lpParamsHeader; }
    void press(int x, int y) { handleClick(host, s, x, y), paint(); }
    void move(int x, int y) { handlePointerMove(host, s, x, y), paint(); }
    void release(int x, int y) { handlePointerRelease(host, s, x, y), paint(); }
    void clickOn(const InclusiveRect& b) { Workbench::clickOn(b), paint(); }
};

// A point on a segment, `part` per mille of the way from its start.
std::pair<int, int> along(const ParamsSegment& l, int part) {
    return {l.x0 + (l.x1 - l.x0) * part / 1000, l.y0 + (l.y1 - l.y0) * part / 1000};
}

TEST(ParamsPanelDrags, EachHandleFollowsThePointerWithItsCursorAndCapture) {
    enum Handle { APlus, BMinus, TminLine, TmaxLine };
    const struct {
        int line;
        Handle handle;
        int dy;  // the pointer's steps up (negative) or down
        CursorShape cursor;
    } cases[] = {
        {__LINE__, APlus, -12, CursorShape::VerticalResize},
        {__LINE__, BMinus, 9, CursorShape::VerticalResize},
        {__LINE__, TminLine, 4, CursorShape::DiagonalResize},
        {__LINE__, TmaxLine, -6, CursorShape::DiagonalResize},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        ParamsPanel w;
        ParamsHeader& r = w.r();
        std::pair<int, int> at;
        switch (c.handle) {
            case APlus:
                at = along(r.aPlusDotted, 500);
                break;
            case BMinus:
                at = along(r.bMinusDotted, 500);
                break;
            case TminLine:
                at = along(r.tminLine.line, 300);
                break;
            case TmaxLine:
                at = along(r.tmaxLine.line, 700);
                break;
        }
        auto [x, y] = at;
        const ParamsHeader before = r;
        w.move(x, y);
        EXPECT_TRUE(w.host.pointerCaptured);
        EXPECT_EQ(w.host.cursor, c.cursor);
        w.press(x, y);
        for (int step = 0; step < 3; ++step) w.move(x + step, y += c.dy);
        w.release(x + 3, y += c.dy);
        switch (c.handle) {
            case APlus:
                EXPECT_EQ(r.dwAPlus, positionFromPoint(y, r));
                EXPECT_GT(r.dwAPlus, before.dwAPlus);
                break;
            case BMinus:
                EXPECT_EQ(r.dwBMinus, positionFromPoint(y, r));
                EXPECT_LT(r.dwBMinus, before.dwBMinus);
                break;
            case TminLine:
                EXPECT_EQ(r.dwTmin, tminFromPoint(x + 3, y, r));
                EXPECT_NE(r.dwTmin, before.dwTmin);
                break;
            case TmaxLine:
                EXPECT_EQ(r.dwTmax, tmaxFromPoint(x + 3, y, r));
                EXPECT_GT(r.dwTmax, before.dwTmax);
                break;
        }
        EXPECT_EQ(r.dwDragAPlus + r.dwDragBMinus + r.dwDragTminLine + r.dwDragTmaxLine, 0);
        EXPECT_EQ(r.dwRedrawChanged, 0) << "redrawn";
        EXPECT_EQ(w.host.invalidations.back(),
                  (RecordedInvalidation{workAreaRepaintRect(w.layout()), false}));
        w.move(w.layout().rcWorkArea.left + 2, w.layout().rcWorkArea.top + 2);
        EXPECT_FALSE(w.host.pointerCaptured);
        EXPECT_EQ(w.host.cursor, CursorShape::Arrow);
        EXPECT_EQ(w.host.captureCalls, 1);
        EXPECT_EQ(w.host.releaseCalls, 1);
        EXPECT_EQ(w.s.wTmin, 40) << "drags stay inside the panel";
    }
}

TEST(ParamsPanelDrags, ATmaxDraggedToTminEndsTheDragWithTheLastAllowedValue) {
    ParamsPanel w;
    ParamsHeader& r = w.r();
    auto [x, y] = along(r.tmaxLine.line, 800);
    w.move(x, y);
    w.press(x, y);
    w.move(x, y + 3);
    const std::int32_t allowed = r.dwTmax;
    ASSERT_TRUE(r.dwDragTmaxLine);
    w.move(x, r.rcPlot.bottom);  // far below: Tmax would fall under Tmin
    EXPECT_EQ(r.dwDragTmaxLine, 0);
    EXPECT_EQ(r.dwTmax, allowed);
    w.move(x, y - 40);  // no longer dragged
    EXPECT_EQ(r.dwTmax, allowed);
}

TEST(ParamsPanelDrags, ATickAreaShowsItsPulseCount) {
    ParamsPanel w;
    w.clickOn(w.r().pulsesSelectedAreas[4]);
    EXPECT_EQ(w.r().dwPulses, w.r().dwMinPulses + 4);
}

TEST(ParamsPanelDrags, EqualIntervalsDrawBothPairsToHalfAPulseBeyondTheLast) {
    ParamsPanel w;
    ParamsHeader& r = w.r();
    r.dwTmax = r.dwTmin = 60;
    r.dwAPlus = 30;
    w.paint();
    const std::int64_t kSpan = r.dwMaxPulses - 1, n = r.dwPulses;
    const int end =
        static_cast<int>(r.rcPlot.left + ((2 * n - 1) * r.rcPlot.width() + kSpan) / (2 * kSpan));
    EXPECT_EQ(r.tmaxLine.line.x1, end);
    EXPECT_EQ(r.tminLine.line.x1, end);
}

// The panel's OK and Cancel, with the refusals' messages, are the golden scripts params_panel_ok
// and params_panel_refusals (tests/data/cli).
TEST(ParamsPanelFaults, ASeriesWithNothingToPlotIsSaidSoAndIgnoresThePlot) {
    const struct {
        int line;
        std::int32_t tmin, length, n;  // a series of n samples, etalons of `length`
    } cases[] = {
        {__LINE__, 190, 20, 200},  // Kmax = 1
        {__LINE__, 40, 20, 20},    // b = a
        {__LINE__, 0, 20, 1200},   // Tmin = 0
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        ParamsPanel w;
        ParamsHeader& r = w.r();
        r.dwTmin = c.tmin;
        r.dwImpulseSize = c.length;
        r.dwSeriesSize = c.n;
        r.dwB = c.n - c.length;
        r.dwMaxPulses = c.tmin > 0 ? (c.n - c.length + c.tmin) / c.tmin : 0;
        w.paint();
        EXPECT_THAT(w.canvas.texts(), ::testing::Contains(HasSubstr("nothing to show")));
        for (const ParamsSegment& l : {r.aPlusDotted, r.tminLine.line}) {
            w.press(l.x0 + 5, l.y0);
            w.move(l.x0 + 5, l.y0 - 20);
            w.release(l.x0 + 5, l.y0 - 20);
        }
        EXPECT_EQ(r.dwTmin, c.tmin);
        EXPECT_FALSE(w.host.pointerCaptured);
        EXPECT_EQ(w.s.dwViewMode, VIEW_PARAMS_PANEL);
    }
}

}  // namespace
}  // namespace mirovale
