#pragma once

#include <QImage>
#include <QPainter>
#include <QRect>
#include <QRegion>
#include <QString>
#include <span>
#include <vector>

#include "core/host/canvas.h"
#include "core/host/rect.h"
#include "qt/button_bitmaps.h"
#include "qt/painter_canvas.h"

namespace mirovale {

// The window's surface: a Canvas that draws into one QImage (Format_RGB32) that lasts as long
// as the window, with the device semantics the views are written for. Lines, rectangles and
// pixels are rasterised here: a line is the Bresenham line without its end pixel (ties between
// two pixels go to the one nearer the start), a rectangle covers left..right-1 and
// top..bottom-1, an ellipse the pixels inside the ellipse inscribed in that box. Text and
// buttons go through QPainter with antialiasing off. Text is black DejaVu Sans (see
// canvas_fonts.h); an opaque background fills its extent white first.
//
// Drawing happens between beginPaint and endPaint, clipped to the paint's region; outside a
// paint the drawing calls do nothing. Needs a QGuiApplication.
class QtCanvas final : public PainterCanvas {
public:
    // size    : client size in pixels, at least 1 x 1; the image starts white
    // buttons : the picture buttons' images
    QtCanvas(QSize size, ButtonImages buttons);
    QtCanvas(const QtCanvas&) = delete;
    QtCanvas& operator=(const QtCanvas&) = delete;
    ~QtCanvas() override;

    // False when the image could not be made (too large).
    [[nodiscard]] bool isValid() const { return !image_.isNull(); }
    [[nodiscard]] const QImage& image() const { return image_; }

    // Starts a paint in the state of a fresh paint (black pen, white brush, window font,
    // opaque text background, position 0,0), clipped to the union of `region`; with `erase`
    // the region is filled white first.
    void beginPaint(std::span<const Rect> region, bool erase);
    void endPaint();

    void lineTo(int x, int y) override;
    void rectangle(int left, int top, int right, int bottom) override;
    void ellipse(int left, int top, int right, int bottom) override;
    void setPixel(int x, int y, Colour colour) override;
    void textOut(int x, int y, std::string_view text) override;

private:
    // Fills the part of `r` inside the clip region.
    void fill(const QRect& r, QRgb colour);
    void plot(int x, int y, QRgb colour);
    [[nodiscard]] bool inClip(int x, int y) const;

    QImage image_;
    uchar* bits_ = nullptr;
    qsizetype stride_ = 0;

    // A clip rectangle by its edges, all inside it: tested inline, as QRect::contains is not.
    struct Box {
        int left = 0, top = 0, right = -1, bottom = -1;
        [[nodiscard]] bool contains(int x, int y) const {
            return left <= x && x <= right && top <= y && y <= bottom;
        }
    };

    std::vector<QRect> clip_;  // disjoint rectangles inside the image
    std::vector<Box> clipBoxes_;
    QRect clipBounds_;
    Box bounds_;
};

}  // namespace mirovale
