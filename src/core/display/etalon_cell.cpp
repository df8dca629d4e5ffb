#include "core/display/etalon_cell.h"

#include <algorithm>

#include "core/display/display_colours.h"
#include "core/host/format_text.h"

namespace mirovale {
namespace {

// The drawing box of a cell, below its letter.
struct GlyphBox {
    int x0 = 0;
    int y0 = 0;
    int cw = 0;
    int ch = 0;
};

GlyphBox glyphBox(int lineHeight, const GraphRect& cell) {
    return {cell.left, cell.top + 1 + lineHeight + (lineHeight >> 2), cell.width(), cell.height()};
}

void drawLetter(Canvas& canvas, const PulseHeader& etalon, const GraphRect& cell) {
    canvas.textOut(cell.left, cell.top + 2, formatText(" %c ", etalon.wNumber + 96));
}

void drawBackground(Canvas& canvas, const GlyphBox& g, Colour colour) {
    ScopedPen pen(canvas, Pen{colour});
    ScopedBrush brush(canvas, Brush{colour});
    canvas.rectangle(g.x0 - 3, g.y0 - 1, g.x0 + g.cw + 6, g.y0 + g.ch + 1);
}

void drawAxes(Canvas& canvas, const GlyphBox& g) {
    canvas.moveTo(g.x0, g.y0);
    canvas.lineTo(g.x0, g.y0 + g.ch);
    canvas.moveTo(g.x0, g.y0 + g.ch / 2);
    canvas.lineTo(g.x0 + g.cw + 5, g.y0 + g.ch / 2);
}

// The etalon's curve from and back to the mid line, every point shifted by (dx, dy). Left out
// when it cannot be mapped (fewer than 2 samples or a zero amplitude).
void drawCurve(Canvas& canvas, const GlyphBox& g, const PulseHeader& etalon, std::int16_t a, int dx,
               int dy) {
    const std::int32_t size =
        std::min<std::int32_t>(etalon.wSize, static_cast<std::int32_t>(etalon.lpData.size()));
    if (size < 2 || a == 0) return;
    const std::int64_t ch = g.ch;
    const int ym = g.y0 + g.ch / 2 + dy;
    canvas.moveTo(g.x0 + dx, ym);
    for (std::int32_t k = 0; k < size; ++k) {
        const std::int64_t s = etalon.lpData[static_cast<std::size_t>(k)];
        const int x = g.x0 + static_cast<int>(std::int64_t{k} * g.cw / (size - 1));
        const int y = g.y0 + static_cast<int>(ch - (s + a) * ch / (2 * std::int64_t{a}));
        canvas.lineTo(x + dx, y + dy);
    }
    canvas.lineTo(g.x0 + g.cw + dx, ym);
}

}  // namespace

void drawEtalonCell(Canvas& canvas, int lineHeight, const PulseHeader& etalon,
                    std::int16_t amplitude, CellState state, const GraphRect& cell) {
    drawLetter(canvas, etalon, cell);
    const GlyphBox g = glyphBox(lineHeight, cell);
    if (state == CellState::Plain) {
        drawAxes(canvas, g);
        drawCurve(canvas, g, etalon, amplitude, 0, 0);
        return;
    }
    drawBackground(canvas, g, state == CellState::Grey ? kGreyCellColour : kRedCellColour);
    ScopedPen pen(canvas, Pen{kGlyphOnColour});
    drawAxes(canvas, g);
    // Three passes, the second one pixel right and the third one pixel up: a bold curve.
    drawCurve(canvas, g, etalon, amplitude, 0, 0);
    drawCurve(canvas, g, etalon, amplitude, 1, 0);
    drawCurve(canvas, g, etalon, amplitude, 0, -1);
}

void drawEtalonCellByNumber(Canvas& canvas, int lineHeight, std::size_t index,
                            std::int16_t amplitude, CellState state, const GraphRect& cell,
                            const SeriesHeader& series) {
    if (index >= series.lpPulsesList.size() || series.lpPulsesList[index] == nullptr) return;
    drawEtalonCell(canvas, lineHeight, *series.lpPulsesList[index], amplitude, state, cell);
}

void drawPanelEtalonCell(Canvas& canvas, int lineHeight, const PulseHeader& etalon,
                         std::int16_t amplitude, std::uint32_t flags, const GraphRect& cell) {
    const bool selected = (flags & 2u) != 0;
    drawLetter(canvas, etalon, cell);
    const GlyphBox g = glyphBox(lineHeight, cell);
    drawBackground(canvas, g, selected ? kPanelSelectedBackground : kPanelPlainBackground);
    ScopedPen pen(canvas, Pen{selected ? kPanelSelectedLines : kPanelPlainLines});
    drawAxes(canvas, g);
    drawCurve(canvas, g, etalon, amplitude, 0, 0);
}

}  // namespace mirovale
