#pragma once

#include <string_view>

#include "core/host/canvas.h"
#include "core/host/rect.h"

namespace mirovale {

// Draws a text button of the selection panels: the rectangle filled with the current brush, a
// raised bevel (grey top and left edges, a white line inside them, grey and light grey lines
// inside the right and bottom edges) and the caption centred across it on a transparent
// background. The pen, brush and background mode are left as they came in.
// rect       : the button as the panels record it; its corners are passed to rectangle() as
//              they stand, so the outline's last column and row are right - 1 and bottom - 1
// caption    : e.g. " Delete All "
// lineHeight : wLineHeight; the caption's top is (lineHeight - 2) / 2 below the button's top
void drawTextButton(Canvas& canvas, const InclusiveRect& rect, std::string_view caption,
                    int lineHeight);

}  // namespace mirovale
