#pragma once

#include <QImage>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

#include "core/host/host.h"
#include "qt/button_bitmaps.h"
#include "qt/window_surface.h"

class QLineEdit;

namespace mirovale {

// The window's client area: the persistent window surface that the workbench draws into, shown
// as it is. Invalidated rectangles collect in the surface; a paint event first repaints what
// they cover into it, then shows the image. A size change makes a new white surface, all of it
// to be repainted. Mouse and key events go to the handlers with client coordinates. It holds
// the parameters panel's one-line edit field, hidden at zero size until shown.
class ClientArea final : public QWidget {
public:
    // Runs the repaint of what the surface holds pending.
    using Painter = std::function<void(WindowSurface& surface)>;

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
    // The picture buttons the surface draws; there is no surface (nothing is drawn) before.
    void setButtons(ButtonImages buttons);

    // Adds a rectangle (right and bottom exclusive) to the region to repaint.
    void invalidate(const Rect& rect, bool erase);
    // Draws the region collected so far into the image now, as the next paint event would.
    void repaintPending();
    // The client image as drawn so far (a null image before the buttons are set).
    [[nodiscard]] const QImage& image() const;
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
    // A new surface of the widget's size, all of it to be repainted.
    void makeSurface();

    std::optional<ButtonImages> buttons_;
    std::unique_ptr<WindowSurface> surface_;
    bool frozen_ = false;
    CursorShape cursor_ = CursorShape::Arrow;
    QLineEdit* editField_ = nullptr;
};

}  // namespace mirovale
