#pragma once

#include <QImage>
#include <QRegion>
#include <QSize>

#include "core/host/host.h"
#include "core/host/rect.h"
#include "core/state/program_state.h"
#include "qt/qt_canvas.h"

namespace mirovale {

// The window's persistent backbuffer and the region waiting to be repainted. The window and
// mirovale-cli both collect what Host::invalidate asks for here and repaint with repaint(), so
// that they show the same pixels after the same actions.
class WindowSurface {
public:
    // size : client size in pixels; the image starts white with nothing to repaint
    WindowSurface(QSize size, ButtonImages buttons);

    // False when the image could not be made (too large).
    [[nodiscard]] bool isValid() const { return canvas_.isValid(); }
    [[nodiscard]] const QImage& image() const { return canvas_.image(); }

    // Adds a rectangle (right and bottom exclusive; clipped to the client) to the region to
    // repaint; with `erase` that part is cleared to white before the repaint draws.
    void invalidate(const Rect& rect, bool erase);
    // Whether anything waits to be repainted.
    [[nodiscard]] bool isPending() const { return !pending_.isEmpty(); }
    // The bounding rectangle of what waits to be repainted.
    [[nodiscard]] QRect pendingBounds() const { return pending_.boundingRect(); }

    // Runs the window's repaint sequence clipped to the pending region, after clearing the
    // parts that asked to be erased, and empties the region. Does nothing when it is empty.
    void repaint(Host& host, ProgramState& state);

private:
    QtCanvas canvas_;
    QRegion pending_;
    QRegion erase_;
};

}  // namespace mirovale
