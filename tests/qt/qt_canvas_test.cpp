#include "qt/qt_canvas.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <set>
#include <utility>

#include "core/host/recording_host.h"
#include "qt/gui_application.h"

namespace mirovale {
namespace {

using Pixels = std::set<std::pair<int, int>>;

constexpr QRgb kWhiteRgb = 0xffffffffu;
constexpr Colour kRed{255, 0, 0};
constexpr Colour kGreen{0, 255, 0};
constexpr Colour kGrey{128, 128, 128};

// A canvas of the given size inside one paint of all of it, erased white.
class CanvasTest : public ::testing::Test {
protected:
    CanvasTest() { ensureGuiApplication(); }

    QtCanvas& canvas(int width = 40, int height = 40) {
        canvas_.emplace(QSize(width, height), *loadButtonBitmaps(host_));
        const Rect all{0, 0, width, height};
        canvas_->beginPaint(std::span(&all, 1), true);
        return *canvas_;
    }
    // The pixels that are not white.
    Pixels inked() {
        canvas_->endPaint();
        Pixels out;
        const QImage& image = canvas_->image();
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) != kWhiteRgb) out.insert({x, y});
        return out;
    }
    QRgb at(int x, int y) const { return canvas_->image().pixel(x, y); }

    RecordingHost host_;
    std::optional<QtCanvas> canvas_;
};

// The textbook Bresenham line, ties between two pixels going to the one nearer the start,
// with its end pixel left out.
Pixels bresenham(int x0, int y0, int x1, int y1) {
    Pixels out;
    const int dx = std::abs(x1 - x0), dy = std::abs(y1 - y0);
    const int sx = x1 < x0 ? -1 : 1, sy = y1 < y0 ? -1 : 1;
    const bool steep = dy > dx;
    const int a = steep ? dy : dx, b = steep ? dx : dy;
    int d = 2 * b - a;
    int x = x0, y = y0;
    for (int i = 0; i <= a; ++i) {
        out.insert({x, y});
        if (d > 0) {
            (steep ? x : y) += steep ? sx : sy;
            d -= 2 * a;
        }
        d += 2 * b;
        (steep ? y : x) += steep ? sy : sx;
    }
    out.erase({x1, y1});
    return out;
}

TEST_F(CanvasTest, LinesAreBresenhamLinesWithoutTheirEndPixel) {
    const struct {
        int line, x0, y0, x1, y1;
    } cases[] = {
        {__LINE__, 5, 5, 30, 5},      // horizontal
        {__LINE__, 5, 30, 5, 5},      // vertical, upwards
        {__LINE__, 3, 3, 33, 33},     // diagonal
        {__LINE__, 33, 3, 3, 33},     // diagonal, leftwards
        {__LINE__, 10, 2, 14, 37},    // steep
        {__LINE__, 14, 37, 10, 2},    // steep, backwards
        {__LINE__, 2, 20, 37, 11},    // shallow, rising
        {__LINE__, 4, 4, 8, 6},       // every other step a tie
        {__LINE__, 8, 6, 4, 4},       // the same ties from the other end
        {__LINE__, 7, 7, 8, 7},       // one pixel
        {__LINE__, 7, 7, 8, 8},       // one pixel, diagonal
        {__LINE__, 7, 7, 7, 7},       // nothing
        {__LINE__, -20, -5, 60, 45},  // from outside to outside, through the canvas
    };
    for (const auto& c : cases) {
        QtCanvas& k = canvas();
        k.moveTo(c.x0, c.y0);
        k.lineTo(c.x1, c.y1);
        Pixels expected;
        for (const auto& p : bresenham(c.x0, c.y0, c.x1, c.y1))
            if (p.first >= 0 && p.first < 40 && p.second >= 0 && p.second < 40) expected.insert(p);
        EXPECT_EQ(inked(), expected) << "line " << c.line;
    }
}

TEST_F(CanvasTest, RectanglesLeaveOutTheirRightAndBottomEdges) {
    const struct {
        int line, left, top, right, bottom;
        QRect outline;  // empty for nothing drawn
    } cases[] = {
        {__LINE__, 2, 3, 7, 9, QRect(2, 3, 5, 6)},
        {__LINE__, 7, 9, 2, 3, QRect(2, 3, 5, 6)},  // corners given the other way round
        {__LINE__, 4, 4, 5, 8, QRect(4, 4, 1, 4)},  // one column
        {__LINE__, 4, 4, 6, 6, QRect(4, 4, 2, 2)},  // no inside
        {__LINE__, 4, 4, 4, 8, QRect()},            // no width
    };
    for (const auto& c : cases) {
        QtCanvas& k = canvas(12, 12);
        k.selectPen({kRed});
        k.selectBrush({kGreen});
        k.rectangle(c.left, c.top, c.right, c.bottom);
        k.endPaint();
        const bool hasInside = c.outline.width() > 2 && c.outline.height() > 2;
        const QRect inside = hasInside ? c.outline.adjusted(1, 1, -1, -1) : QRect();
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 12; ++x) {
                const QRgb want = inside.contains(x, y)      ? qRgb(0, 255, 0)
                                  : c.outline.contains(x, y) ? qRgb(255, 0, 0)
                                                             : kWhiteRgb;
                ASSERT_EQ(at(x, y), want) << "line " << c.line << " at " << x << "," << y;
            }
    }
}

TEST_F(CanvasTest, PaintsAreClippedAndEraseOnlyWhenAsked) {
    QtCanvas& k = canvas(30, 30);
    k.selectBrush({kGrey});
    k.rectangle(0, 0, 30, 30);
    k.endPaint();
    const Rect region[] = {{5, 5, 10, 10}, {20, 0, 30, 5}};
    k.beginPaint(region, false);  // over what is there
    k.moveTo(0, 7);
    k.lineTo(30, 7);
    k.endPaint();
    EXPECT_EQ(at(4, 7), qRgb(128, 128, 128));
    EXPECT_EQ(at(5, 7), qRgb(0, 0, 0));
    EXPECT_EQ(at(9, 7), qRgb(0, 0, 0));
    EXPECT_EQ(at(10, 7), qRgb(128, 128, 128));
    k.beginPaint(region, true);
    k.endPaint();
    EXPECT_EQ(at(5, 7), kWhiteRgb);
    EXPECT_EQ(at(25, 2), kWhiteRgb);
    EXPECT_EQ(at(25, 5), qRgb(128, 128, 128));
}

}  // namespace
}  // namespace mirovale
