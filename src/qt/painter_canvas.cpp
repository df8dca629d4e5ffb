#include "qt/painter_canvas.h"

#include <QFontMetrics>
#include <QPen>
#include <utility>

namespace mirovale {

PainterCanvas::PainterCanvas(ButtonImages buttons)
    : buttons_(std::move(buttons)), fonts_(dejaVuSansFamily()) {}

TextSize PainterCanvas::textExtent(std::string_view text) const {
    const CanvasFont& f = canvasFont();
    return {QFontMetrics(f.font).horizontalAdvance(faceText(font_.face, text)), f.metrics.height};
}

FontMetrics PainterCanvas::fontMetrics() const {
    return canvasFont().metrics;
}

void PainterCanvas::drawButton(ButtonBitmap bitmap, int x, int y) {
    if (painter_.isActive()) painter_.drawImage(QPoint(x, y), buttons_[bitmap]);
}

QRect PainterCanvas::textBox(int x, int y, std::string_view text) const {
    const TextSize size = textExtent(text);
    return {x, y, size.width, size.height};
}

void PainterCanvas::paintText(int x, int y, std::string_view text) {
    const CanvasFont& f = canvasFont();
    painter_.setFont(f.font);
    painter_.setPen(QPen(Qt::black, 1));
    painter_.drawText(QPoint(x, y + f.ascent), faceText(font_.face, text));
}

}  // namespace mirovale
