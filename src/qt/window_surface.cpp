#include "qt/window_surface.h"

#include <utility>
#include <vector>

#include "core/display/window_paint.h"

namespace mirovale {
namespace {

std::vector<Rect> rectsOf(const QRegion& region) {
    std::vector<Rect> rects;
    for (const QRect& r : region)
        rects.push_back({r.left(), r.top(), r.right() + 1, r.bottom() + 1});
    return rects;
}

}  // namespace

WindowSurface::WindowSurface(QSize size, ButtonImages buttons)
    : canvas_(size, std::move(buttons)) {}

void WindowSurface::invalidate(const Rect& rect, bool erase) {
    if (rect.width() <= 0 || rect.height() <= 0) return;
    const QRect r =
        QRect(rect.left, rect.top, rect.width(), rect.height()) & canvas_.image().rect();
    pending_ += r;
    if (erase) erase_ += r;
}

void WindowSurface::repaint(Host& host, ProgramState& state) {
    if (pending_.isEmpty()) return;
    const QRegion region = std::exchange(pending_, QRegion());
    const QRegion erase = std::exchange(erase_, QRegion());
    if (!erase.isEmpty() && erase != region) {
        const std::vector<Rect> cleared = rectsOf(erase);
        canvas_.beginPaint(cleared, true);
        canvas_.endPaint();
    }
    const std::vector<Rect> rects = rectsOf(region);
    canvas_.beginPaint(rects, erase == region);
    paintWindow(host, canvas_, state);
    canvas_.endPaint();
}

}  // namespace mirovale
