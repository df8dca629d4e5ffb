#include "qt/qt_canvas.h"

#include <QColor>
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace mirovale {
namespace {

QRgb rgbOf(Colour c) {
    return qRgb(c.red, c.green, c.blue);
}

// The rectangle with its corners in order: GDI draws a rectangle given right to left or bottom
// to top as the same rectangle.
QRect boxOf(int left, int top, int right, int bottom) {
    if (right < left) std::swap(left, right);
    if (bottom < top) std::swap(top, bottom);
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

}  // namespace

QtCanvas::QtCanvas(QSize size, ButtonImages buttons)
    : PainterCanvas(std::move(buttons)), image_(size, QImage::Format_RGB32) {
    if (image_.isNull()) return;
    image_.fill(Qt::white);
    bits_ = image_.bits();
    stride_ = image_.bytesPerLine();
}

QtCanvas::~QtCanvas() {
    if (painter_.isActive()) painter_.end();
}

void QtCanvas::beginPaint(std::span<const Rect> region, bool erase) {
    if (image_.isNull()) return;
    if (painter_.isActive()) endPaint();
    QRegion clip;
    for (const Rect& r : region)
        if (r.width() > 0 && r.height() > 0) clip += QRect(r.left, r.top, r.width(), r.height());
    clip &= image_.rect();
    clip_.assign(clip.begin(), clip.end());
    clipBoxes_.clear();
    for (const QRect& r : clip_) clipBoxes_.push_back({r.left(), r.top(), r.right(), r.bottom()});
    clipBounds_ = clip.boundingRect();
    bounds_ = {clipBounds_.left(), clipBounds_.top(), clipBounds_.right(), clipBounds_.bottom()};
    resetTools();
    if (erase)
        for (const QRect& r : clip_) fill(r, qRgb(255, 255, 255));
    painter_.begin(&image_);
    painter_.setRenderHints(
        QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform,
        false);
    painter_.setClipRegion(clip);
}

void QtCanvas::endPaint() {
    if (painter_.isActive()) painter_.end();
    clip_.clear();
    clipBoxes_.clear();
    clipBounds_ = QRect();
    bounds_ = Box{};
}

bool QtCanvas::inClip(int x, int y) const {
    if (!bounds_.contains(x, y)) return false;
    if (clipBoxes_.size() == 1) return true;
    return std::any_of(clipBoxes_.begin(), clipBoxes_.end(),
                       [&](const Box& b) { return b.contains(x, y); });
}

void QtCanvas::plot(int x, int y, QRgb colour) {
    if (inClip(x, y)) reinterpret_cast<QRgb*>(bits_ + y * stride_)[x] = colour;
}

// The first row of each part is filled and copied to the others.
void QtCanvas::fill(const QRect& r, QRgb colour) {
    for (const QRect& c : clip_) {
        const QRect part = c.intersected(r);
        if (part.isEmpty()) continue;
        const auto rowOf = [&](int y) { return reinterpret_cast<QRgb*>(bits_ + y * stride_); };
        QRgb* first = rowOf(part.top()) + part.left();
        std::fill_n(first, part.width(), colour);
        const std::size_t bytes = static_cast<std::size_t>(part.width()) * sizeof(QRgb);
        for (int y = part.top() + 1; y <= part.bottom(); ++y)
            std::memcpy(rowOf(y) + part.left(), first, bytes);
    }
}

// Pixel i of a line whose major axis (the longer one) runs a steps and minor axis b steps lies
// i steps along the major axis and round(i b / a) along the minor one, halves rounded towards
// the start: the pixels of Bresenham's algorithm. Only the steps inside the clip's extent along
// the major axis are visited, so a line reaching far outside costs nothing there.
void QtCanvas::lineTo(int x, int y) {
    const int x0 = std::exchange(x_, x);
    const int y0 = std::exchange(y_, y);
    if (!painter_.isActive() || clip_.empty()) return;
    const long long dx = static_cast<long long>(x) - x0;
    const long long dy = static_cast<long long>(y) - y0;
    const bool steep = std::llabs(dy) > std::llabs(dx);
    const long long a = std::llabs(steep ? dy : dx);
    const long long b = std::llabs(steep ? dx : dy);
    if (a == 0) return;
    const long long majorStart = steep ? y0 : x0;
    const long long minorStart = steep ? x0 : y0;
    const int majorStep = (steep ? dy : dx) < 0 ? -1 : 1;
    const int minorStep = (steep ? dx : dy) < 0 ? -1 : 1;
    const long long low = steep ? clipBounds_.top() : clipBounds_.left();
    const long long high = steep ? clipBounds_.bottom() : clipBounds_.right();
    long long first = majorStep > 0 ? low - majorStart : majorStart - high;
    long long last = majorStep > 0 ? high - majorStart : majorStart - low;
    first = std::max(first, 0LL);
    last = std::min(last, a - 1);
    const QRgb colour = rgbOf(pen_.colour);
    for (long long i = first; i <= last; ++i) {
        const long long major = majorStart + majorStep * i;
        const long long minor = minorStart + minorStep * ((2 * i * b + a - 1) / (2 * a));
        if (minor < INT_MIN || minor > INT_MAX) continue;
        const int px = static_cast<int>(steep ? minor : major);
        const int py = static_cast<int>(steep ? major : minor);
        plot(px, py, colour);
    }
}

void QtCanvas::rectangle(int left, int top, int right, int bottom) {
    if (!painter_.isActive() || left == right || top == bottom) return;
    const QRect box = boxOf(left, top, right, bottom);
    const QRgb outline = rgbOf(pen_.colour);
    fill(box.adjusted(1, 1, -1, -1), rgbOf(brush_.colour));
    fill(QRect(box.left(), box.top(), box.width(), 1), outline);
    fill(QRect(box.left(), box.bottom(), box.width(), 1), outline);
    fill(QRect(box.left(), box.top(), 1, box.height()), outline);
    fill(QRect(box.right(), box.top(), 1, box.height()), outline);
}

// The pixels whose centres lie inside the ellipse inscribed in the box; the outline is those of
// them that have a neighbour above, below, left or right outside it.
void QtCanvas::ellipse(int left, int top, int right, int bottom) {
    if (!painter_.isActive() || left == right || top == bottom) return;
    const QRect box = boxOf(left, top, right, bottom);
    if (!box.intersects(clipBounds_)) return;
    const double cx = box.left() + (box.width() - 1) / 2.0;
    const double cy = box.top() + (box.height() - 1) / 2.0;
    const double rx = box.width() / 2.0;
    const double ry = box.height() / 2.0;
    // The inside of row y as [first, last]; first > last when the row has none.
    const auto span = [&](int y) -> std::pair<int, int> {
        const double t = (y - cy) / ry;
        if (y < box.top() || y > box.bottom() || t * t > 1.0) return {1, 0};
        const double half = rx * std::sqrt(1.0 - t * t);
        return {static_cast<int>(std::ceil(cx - half)), static_cast<int>(std::floor(cx + half))};
    };
    const QRgb outline = rgbOf(pen_.colour);
    const QRgb inside = rgbOf(brush_.colour);
    for (int y = box.top(); y <= box.bottom(); ++y) {
        const auto [first, last] = span(y);
        const auto [firstAbove, lastAbove] = span(y - 1);
        const auto [firstBelow, lastBelow] = span(y + 1);
        for (int x = first; x <= last; ++x) {
            const bool edge = x == first || x == last || x < firstAbove || x > lastAbove ||
                              x < firstBelow || x > lastBelow;
            plot(x, y, edge ? outline : inside);
        }
    }
}

void QtCanvas::setPixel(int x, int y, Colour colour) {
    if (painter_.isActive()) plot(x, y, rgbOf(colour));
}

void QtCanvas::textOut(int x, int y, std::string_view text) {
    if (!painter_.isActive() || text.empty()) return;
    if (mode_ == BackgroundMode::Opaque) fill(textBox(x, y, text), qRgb(255, 255, 255));
    paintText(x, y, text);
}

}  // namespace mirovale
