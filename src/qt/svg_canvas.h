#pragma once

#include <QByteArray>
#include <QPainter>
#include <QSize>
#include <QString>

#include "core/host/canvas.h"
#include "core/host/host.h"
#include "core/state/program_state.h"
#include "qt/button_bitmaps.h"
#include "qt/painter_canvas.h"

class QPaintDevice;

namespace mirovale {

// A Canvas that paints the views as vector graphics onto a paint device, meant for an SVG
// generator: the fonts and text metrics are those of QtCanvas, so a view lays itself out as it
// does in the window, but lines and outlines are strokes through the pixel centres, text stays
// text and the picture buttons become embedded images. Nothing is clipped: the views are painted
// once, whole, onto a white client area. Needs a QGuiApplication.
class SvgCanvas final : public PainterCanvas {
public:
    // device  : painted on from here until end()
    // size    : client size in pixels, filled white first
    // buttons : the picture buttons' images
    SvgCanvas(QPaintDevice& device, QSize size, ButtonImages buttons);
    SvgCanvas(const SvgCanvas&) = delete;
    SvgCanvas& operator=(const SvgCanvas&) = delete;
    ~SvgCanvas() override;

    // False when the device could not be painted on.
    [[nodiscard]] bool isActive() const { return painter_.isActive(); }
    // Ends the painting; the device then holds the picture.
    void end();

    void lineTo(int x, int y) override;
    void rectangle(int left, int top, int right, int bottom) override;
    void ellipse(int left, int top, int right, int bottom) override;
    void setPixel(int x, int y, Colour colour) override;
    void textOut(int x, int y, std::string_view text) override;

private:
    // Strokes and fills the shape inscribed in a box given as the views give it (right and
    // bottom exclusive, corners in any order).
    template <class Draw>
    void outline(int left, int top, int right, int bottom, Draw draw);
};

// The client area of the workbench as paintWindow draws it, as an SVG document of `size` pixels.
// title : the document's title
// Returns nothing when it could not be painted.
[[nodiscard]] QByteArray windowSvg(Host& host, ProgramState& state, QSize size,
                                   const ButtonImages& buttons, const QString& title);

}  // namespace mirovale
