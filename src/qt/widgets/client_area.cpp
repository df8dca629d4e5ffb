#include "qt/widgets/client_area.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>

namespace mirovale {
namespace {

Qt::CursorShape qtCursor(CursorShape shape) {
    switch (shape) {
        case CursorShape::VerticalResize:
            return Qt::SizeVerCursor;
        case CursorShape::DiagonalResize:
            return Qt::SizeBDiagCursor;
        default:
            return Qt::ArrowCursor;
    }
}

// Client coordinates as the handlers take them: signed 16-bit, as a pointer message holds them.
int clientCoordinate(double value) {
    return static_cast<std::int16_t>(static_cast<int>(value));
}

}  // namespace

ClientArea::ClientArea(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    editField_ = new QLineEdit(QStringLiteral("Tmin Text"), this);
    editField_->setObjectName(QStringLiteral("editField225"));
    editField_->setFrame(true);
    editField_->setGeometry(0, 0, 0, 0);
    editField_->hide();
}

void ClientArea::setButtons(ButtonImages buttons) {
    buttons_ = std::move(buttons);
    makeSurface();
}

void ClientArea::makeSurface() {
    if (!buttons_) return;
    surface_ = std::make_unique<WindowSurface>(size(), *buttons_);
    surface_->invalidate(Rect{0, 0, width(), height()}, true);
    update();
}

const QImage& ClientArea::image() const {
    static const QImage none;
    return surface_ ? surface_->image() : none;
}

void ClientArea::invalidate(const Rect& rect, bool erase) {
    if (!surface_) return;
    surface_->invalidate(rect, erase);
    if (rect.width() > 0 && rect.height() > 0)
        update(QRect(rect.left, rect.top, rect.width(), rect.height()));
}

void ClientArea::repaintPending() {
    if (!frozen_ && surface_ && surface_->isPending() && painter_) painter_(*surface_);
}

void ClientArea::setFrozen(bool frozen) {
    frozen_ = frozen;
    if (!frozen_ && surface_ && surface_->isPending()) update(surface_->pendingBounds());
}

void ClientArea::paintEvent(QPaintEvent* event) {
    repaintPending();
    QPainter painter(this);
    if (!surface_) {
        painter.fillRect(event->rect(), Qt::white);
        return;
    }
    for (const QRect& r : event->region()) painter.drawImage(r.topLeft(), surface_->image(), r);
}

void ClientArea::resizeEvent(QResizeEvent* /*event*/) {
    // The whole area is drawn again on every size change, from white.
    makeSurface();
}

void ClientArea::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && input_.press)
        input_.press(clientCoordinate(event->position().x()),
                     clientCoordinate(event->position().y()));
}

void ClientArea::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && input_.release)
        input_.release(clientCoordinate(event->position().x()),
                       clientCoordinate(event->position().y()));
}

void ClientArea::mouseMoveEvent(QMouseEvent* event) {
    if (input_.move)
        input_.move(clientCoordinate(event->position().x()),
                    clientCoordinate(event->position().y()));
}

void ClientArea::keyPressEvent(QKeyEvent* event) {
    if (input_.keyDown) input_.keyDown(event->key());
}

void ClientArea::showEditField(const Rect& rect) {
    editField_->setGeometry(rect.left, rect.top, rect.width(), rect.height());
    editField_->show();
}

void ClientArea::hideEditField() {
    editField_->hide();
}

void ClientArea::setEditFieldText(const QString& text) {
    editField_->setText(text);
}

QString ClientArea::editFieldText() const {
    return editField_->text();
}

CursorShape ClientArea::setCursorShape(CursorShape shape) {
    const CursorShape previous = cursor_;
    cursor_ = shape;
    setCursor(qtCursor(shape));
    return previous;
}

void ClientArea::capturePointer() {
    grabMouse();
}

void ClientArea::releasePointer() {
    releaseMouse();
}

}  // namespace mirovale
