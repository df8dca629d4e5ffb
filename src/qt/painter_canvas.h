#pragma once

#include <QPainter>
#include <QRect>
#include <string_view>

#include "core/host/canvas.h"
#include "qt/button_bitmaps.h"
#include "qt/canvas_fonts.h"

namespace mirovale {

// What the canvases that paint through a QPainter share: the DejaVu Sans canvas fonts and their
// metrics, black text at its baseline and the picture buttons as images. A derived canvas begins
// and ends the painter; outside a paint nothing is drawn.
class PainterCanvas : public DeviceCanvas {
public:
    [[nodiscard]] TextSize textExtent(std::string_view text) const override;
    [[nodiscard]] FontMetrics fontMetrics() const override;
    void drawButton(ButtonBitmap bitmap, int x, int y) override;

protected:
    explicit PainterCanvas(ButtonImages buttons);

    [[nodiscard]] const CanvasFont& canvasFont() const { return fonts_.get(font_); }
    // The box an opaque background fills behind `text` drawn at x, y.
    [[nodiscard]] QRect textBox(int x, int y, std::string_view text) const;
    // Draws `text` in black with its top at y, without a background.
    void paintText(int x, int y, std::string_view text);

    QPainter painter_;

private:
    ButtonImages buttons_;
    mutable CanvasFontCache fonts_;
};

}  // namespace mirovale
