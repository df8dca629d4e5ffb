#pragma once

#include <cstdint>

#include "core/display/graph_primitives.h"
#include "core/host/canvas.h"
#include "core/synthesis/pulse_header.h"
#include "core/synthesis/series_header.h"

namespace mirovale {

// How an etalon cell is drawn: plain with the current pen, or bold white on a grey (1) or red
// (2) background.
enum class CellState : int { Plain = 0, Grey = 1, Red = 2 };

// One etalon glyph with its letter. With the cell (l, t, r, b): the letter " %c " (wNumber + 96)
// at (l, t + 2); the glyph box starts at x0 = l, y0 = t + 1 + lineHeight + lineHeight / 4 and is
// cw = r - l wide and ch = b - t high; its mid line reaches 5 pixels beyond x0 + cw. A coloured
// state first fills (x0 - 3, y0 - 1)..(x0 + cw + 5, y0 + ch) with its colour.
// lineHeight : wLineHeight of the window font
// amplitude  : half-range of the glyph; with 0, or an etalon shorter than 2 samples, the curve
//              is left out (letter, background and axes are drawn)
void drawEtalonCell(Canvas& canvas, int lineHeight, const PulseHeader& etalon,
                    std::int16_t amplitude, CellState state, const GraphRect& cell);

// drawEtalonCell for the series' etalon lpPulsesList[index]; nothing when there is none.
// index : 0-based
void drawEtalonCellByNumber(Canvas& canvas, int lineHeight, std::size_t index,
                            std::int16_t amplitude, CellState state, const GraphRect& cell,
                            const SeriesHeader& series);

// A selection-panel cell: letter and glyph box as drawEtalonCell; the background of a coloured
// cell is always filled, 203, 203, 203 with lines 63, 63, 63 when bit 1 (value 2) of `flags` is
// set, white with black lines otherwise; axes and curve are drawn once in the line colour.
void drawPanelEtalonCell(Canvas& canvas, int lineHeight, const PulseHeader& etalon,
                         std::int16_t amplitude, std::uint32_t flags, const GraphRect& cell);

}  // namespace mirovale
