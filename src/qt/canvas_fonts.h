#pragma once

#include <QFont>
#include <QString>
#include <map>
#include <string_view>
#include <utility>

#include "core/host/canvas.h"

namespace mirovale {

// Line height of the window font in pixels (height + external leading - 1), as the layout and
// RecordingHost take it.
inline constexpr int kWindowLineHeight = 15;

// The family name of DejaVu Sans, loaded once per process from its font file at one of the
// usual system paths, so that no text depends on which other fonts the machine has. Empty
// when no path holds it. Needs a QGuiApplication.
[[nodiscard]] QString dejaVuSansFamily();

// A canvas font made real: the QFont and the metrics the views see.
struct CanvasFont {
    QFont font;
    FontMetrics metrics;
    int ascent = 0;  // from the top of a text line to its baseline, pixels
};

// DejaVu Sans unsmoothed, fully hinted, without kerning or fallback fonts, at the pixel size
// that fits the request: for the window font (height 0) the one whose line height is
// kWindowLineHeight, for a given height h the largest whose height (ascent + descent) is at
// most h.
// family : from dejaVuSansFamily()
[[nodiscard]] CanvasFont makeCanvasFont(const QString& family, Font font);

// The canvas fonts made so far for one family, by face and height, as a canvas asks for them.
class CanvasFontCache {
public:
    explicit CanvasFontCache(QString family) : family_(std::move(family)) {}
    [[nodiscard]] const CanvasFont& get(Font font);

private:
    QString family_;
    std::map<std::pair<int, int>, CanvasFont> fonts_;
};

// The text as the face shows it: UTF-8 decoded, and for the symbol face each Latin letter
// replaced by the Greek letter of the classic symbol encoding (s as sigma, S as capital
// sigma, j as the phi symbol, V as final sigma).
[[nodiscard]] QString faceText(FontFace face, std::string_view utf8);

}  // namespace mirovale
