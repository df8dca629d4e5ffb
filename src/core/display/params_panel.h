#pragma once

#include "core/display/layout.h"
#include "core/host/canvas.h"
#include "core/host/host.h"
#include "core/state/params_header.h"

namespace mirovale {

// The colours of the parameters panel: the work area, and the box, frame and plot, the colour
// the redraw paints over what changed.
inline constexpr Colour kParamsPanelColour{235, 240, 225};
inline constexpr Colour kParamsBoxColour{250, 250, 250};

// Draws the parameters panel (view 10) into the work area of `layout`: the box, the frame and
// the plot of where each pulse may start (axes, pulse ticks with the clickable pulse-count
// areas, the top and last-pulse lines, the dotted a+ and b- lines with their grab bands, the
// labels and the four boundary lines, clipped to the frame), the numbers beside it, the " Tmin "
// edit field shown through `host`, and the " Cancel " and " OK " buttons. Records the geometry
// it drew in `record` for the pointer rules and as the previous values.
//
// With dwRedrawChanged set (and a record already drawn with the same pulse-count range) it
// first paints over, in the box colour, what changed since the last drawing (the lines whose
// ends moved, the dotted lines and labels, the ticks beyond the new pulse count, the numbers)
// and then draws everything but the background, the box and the frame: over the last drawing
// this gives the same pixels as a full drawing. It clears dwRedrawChanged.
//
// A record that cannot be plotted (canPlotParams) is drawn as a line saying so, with the edit
// field and the buttons; without a record only such a line is drawn.
void drawParamsPanel(Host& host, Canvas& canvas, const WindowLayout& layout,
                     ParamsHeader* record);

}  // namespace mirovale
