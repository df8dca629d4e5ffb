#include "qt/svg_canvas.h"

#include <QBuffer>
#include <QColor>
#include <QPen>
#include <QSvgGenerator>
#include <algorithm>
#include <utility>

#include "core/display/window_paint.h"

namespace mirovale {
namespace {

QColor colourOf(Colour c) {
    return QColor(c.red, c.green, c.blue);
}

// A point in the middle of a pixel, where a one-pixel stroke covers that pixel.
QPointF centre(int x, int y) {
    return {x + 0.5, y + 0.5};
}

}  // namespace

SvgCanvas::SvgCanvas(QPaintDevice& device, QSize size, ButtonImages buttons)
    : PainterCanvas(std::move(buttons)) {
    if (!painter_.begin(&device)) return;
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.fillRect(QRect(QPoint(0, 0), size), Qt::white);
}

SvgCanvas::~SvgCanvas() {
    end();
}

void SvgCanvas::end() {
    if (painter_.isActive()) painter_.end();
}

void SvgCanvas::lineTo(int x, int y) {
    const QPointF from = centre(std::exchange(x_, x), std::exchange(y_, y));
    if (!painter_.isActive()) return;
    QPen pen(colourOf(pen_.colour), 1);
    pen.setCapStyle(Qt::FlatCap);
    painter_.setPen(pen);
    painter_.drawLine(from, centre(x, y));
}

template <class Draw>
void SvgCanvas::outline(int left, int top, int right, int bottom, Draw draw) {
    if (!painter_.isActive() || left == right || top == bottom) return;
    if (right < left) std::swap(left, right);
    if (bottom < top) std::swap(top, bottom);
    painter_.setPen(QPen(colourOf(pen_.colour), 1));
    painter_.setBrush(colourOf(brush_.colour));
    draw(QRectF(centre(left, top), centre(right - 1, bottom - 1)));
}

void SvgCanvas::rectangle(int left, int top, int right, int bottom) {
    outline(left, top, right, bottom, [this](const QRectF& box) { painter_.drawRect(box); });
}

void SvgCanvas::ellipse(int left, int top, int right, int bottom) {
    outline(left, top, right, bottom, [this](const QRectF& box) { painter_.drawEllipse(box); });
}

void SvgCanvas::setPixel(int x, int y, Colour colour) {
    if (painter_.isActive()) painter_.fillRect(QRect(x, y, 1, 1), colourOf(colour));
}

void SvgCanvas::textOut(int x, int y, std::string_view text) {
    if (!painter_.isActive() || text.empty()) return;
    if (mode_ == BackgroundMode::Opaque) painter_.fillRect(textBox(x, y, text), Qt::white);
    paintText(x, y, text);
}

QByteArray windowSvg(Host& host, ProgramState& state, QSize size, const ButtonImages& buttons,
                     const QString& title) {
    QBuffer buffer;
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    generator.setResolution(96);  // a pixel of the window is a CSS pixel
    generator.setTitle(title);
    SvgCanvas canvas(generator, size, buttons);
    if (!canvas.isActive()) return {};
    paintWindow(host, canvas, state);
    canvas.end();
    return buffer.data();
}

}  // namespace mirovale
