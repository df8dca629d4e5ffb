#pragma once

#include <QImage>
#include <QRegion>
#include <QWidget>
#include <functional>

#include "core/host/host.h"

class QLineEdit;

namespace mirovale {

// The window's client area: a persistent image that the workbench draws into, shown as it is.
// Invalidated rectangles collect into a region; the repaint draws that region into the image
// (erasing it to white first when any invalidation asked to) and the widget then shows the
// image. Mouse and key events go to the handlers with client coordinates. It holds the
// parameters panel's one-line edit field, hidden at zero size until shown.
class ClientArea final : public QWidget {
public:
    // Draws the repaint sequence into `image`, clipped to `region`.
    using Painter = std::function<void(QImage& image, const QRegion& region)>;

    // What the pointer and the keyboard do; each may be empty.
    struct Input {
        std::function<void(int x, int y)> press;    // left button down
        std::function<void(int x, int y)> release;  // left button up
        std::function<void(int x, int y)> move;     // pointer moved, with or without buttons
        std::function<void(int key)> keyDown;
    };

    explicit ClientArea(QWidget* parent = nullptr);

    void setPainter(Painter painter) { painter_ = std::move(painter); }
    void setInput(Input input) { input_ = std::move(input); }
    // Line height of the window font (height + external leading - 1) the layout uses.
    void setLineHeight(int height) { lineHeight_ = height; }
    [[nodiscard]] int lineHeight() const { return lineHeight_; }

    // Adds a rectangle (right and bottom exclusive) to the region to repaint.
    void invalidate(const Rect& rect, bool erase);
    // Draws the region collected so far into the image now, as the next paint event would.
    void repaintPending();
    // The client image as drawn so far.
    [[nodiscard]] const QImage& image() const { return image_; }
    // While frozen the area shows its image but draws nothing into it: the workbench's state
    // is being changed elsewhere. The region collected meanwhile is drawn after thawing.
    void setFrozen(bool frozen);

    void showEditField(const Rect& rect);
    void hideEditField();
    void setEditFieldText(const QString& text);
    [[nodiscard]] QString editFieldText() const;
    [[nodiscard]] QLineEdit& editField() { return *editField_; }

    // Sets the pointer shape; returns the one it replaces.
    CursorShape setCursorShape(CursorShape shape);
    void capturePointer();
    void releasePointer();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    Painter painter_;
    Input input_;
    QImage image_;
    QRegion pending_;
    bool erasePending_ = false;
    bool frozen_ = false;
    int lineHeight_ = 15;
    CursorShape cursor_ = CursorShape::Arrow;
    QLineEdit* editField_ = nullptr;
};

}  // namespace mirovale
