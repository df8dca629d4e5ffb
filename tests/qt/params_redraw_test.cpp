#include <gtest/gtest.h>

#include <functional>

#include "core/display/layout.h"
#include "core/display/params_panel.h"
#include "core/host/recording_host.h"
#include "qt/button_bitmaps.h"
#include "qt/gui_application.h"
#include "qt/qt_canvas.h"

namespace mirovale {
namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 800;

// The parameters panel drawn onto a fresh window picture, and optionally drawn again over it
// after `change`, as the drags redraw it.
class Picture {
public:
    explicit Picture(RecordingHost& host)
        : host_(host), canvas_(QSize(kWidth, kHeight), *loadButtonBitmaps(host)) {}
    void draw(ParamsHeader& record, bool erase) {
        const Rect all{0, 0, kWidth, kHeight};
        canvas_.beginPaint(std::span(&all, 1), erase);
        const FontMetrics m = canvas_.fontMetrics();
        const WindowLayout layout = computeWindowLayout(
            {kWidth, kHeight}, m.height + m.externalLeading - 1, ProgramState{});
        drawParamsPanel(host_, canvas_, layout, &record);
        canvas_.endPaint();
    }
    const QImage& image() const { return canvas_.image(); }

private:
    RecordingHost& host_;
    QtCanvas canvas_;
};

int differingPixels(const QImage& a, const QImage& b) {
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) n += a.pixel(x, y) != b.pixel(x, y);
    return n;
}

TEST(ParamsPanelRedraw, DrawingOnlyWhatChangedGivesTheFullDrawingsPixels) {
    ensureGuiApplication();
    const struct {
        int line;
        std::function<void(ParamsHeader&)> change;
    } cases[] = {
        {__LINE__, [](ParamsHeader& r) { r.dwAPlus = 420; }},
        {__LINE__, [](ParamsHeader& r) { r.dwBMinus = 640; }},
        {__LINE__, [](ParamsHeader& r) { r.dwTmin = 57; }},
        {__LINE__, [](ParamsHeader& r) { r.dwTmax = 133; }},
        {__LINE__, [](ParamsHeader& r) { r.dwPulses = r.dwMinPulses + 2; }},  // fewer pulses
        {__LINE__, [](ParamsHeader& r) { r.dwPulses = r.dwMaxPulses; }},
        {__LINE__,
         [](ParamsHeader& r) {
             r.dwAPlus = 9;
             r.dwBMinus = 1170;
             r.dwTmin = r.dwTmax = 90;
             r.dwPulses = 12;
         }},
    };
    SeriesHeader series;
    series.dwSeriesSize = 1200;
    series.wImpulseSize = 20;
    series.wTmin = 40;
    series.wTmax = 181;
    series.wImpulseQuantity = 18;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        RecordingHost host;
        auto record = getParamsHeader(host, &series, nullptr);
        Picture redrawn(host);
        redrawn.draw(*record, true);
        c.change(*record);
        ParamsHeader same = *record;
        record->dwRedrawChanged = 1;
        redrawn.draw(*record, false);

        Picture full(host);
        full.draw(same, true);
        EXPECT_EQ(differingPixels(redrawn.image(), full.image()), 0);
    }
}

}  // namespace
}  // namespace mirovale
