#include "core/display/etalon_grid.h"

#include <algorithm>
#include <cstdint>

#include "core/display/display_colours.h"
#include "core/host/format_text.h"

namespace mirovale {
namespace {

// The frame of the work area, one pixel beyond its right and bottom edges.
void frameWorkArea(Canvas& canvas, const InclusiveRect& a) {
    canvas.moveTo(a.left, a.top);
    canvas.lineTo(a.left, a.top + a.height());
    canvas.lineTo(a.left + a.width(), a.top + a.height());
    canvas.lineTo(a.left + a.width(), a.top);
    canvas.lineTo(a.left, a.top);
}

void frameCell(Canvas& canvas, int l, int t, int fw, int fh) {
    canvas.moveTo(l, t);
    canvas.lineTo(l, t + fh);
    canvas.lineTo(l + fw, t + fh);
    canvas.lineTo(l + fw, t);
    canvas.lineTo(l, t);
}

// Sum of the squared samples, wide enough for any etalon.
std::int64_t energyOf(const PulseHeader& etalon) {
    std::int64_t sum = 0;
    for (std::size_t k = 0; k < etalon.wSize && k < etalon.lpData.size(); ++k)
        sum += std::int64_t{etalon.lpData[k]} * etalon.lpData[k];
    return sum;
}

// The etalon's curve over a box of bw x bh pixels at (x, y), shifted by (dx, dy). Needs
// L >= 2 and a != 0. The products are taken in 64 bits: (s + a) x bh overflows 32 bits for
// large samples or boxes.
void drawCurve(Canvas& canvas, const PulseHeader& etalon, int x, int y, int bw, int bh, int a,
               int dx, int dy) {
    const int L = etalon.wSize;
    const int mid = y + bh / 2 + dy;
    canvas.moveTo(x + dx, mid);
    int last = x + dx;
    for (int k = 0; k < L; ++k) {
        const std::int64_t s = etalon.lpData[static_cast<std::size_t>(k)];
        last = x + static_cast<int>(std::int64_t{k} * (bw - 6) / (L - 1)) + dx;
        canvas.lineTo(last, y + bh - static_cast<int>((s + a) * bh / (2 * std::int64_t{a})) + dy);
    }
    canvas.lineTo(last, mid);
}

void drawCell(Canvas& canvas, const PulseHeader& etalon, std::uint16_t flags,
              const InclusiveRect& cell, const WindowLayout& layout, int a) {
    const int lh = layout.wLineHeight;
    const int x = cell.left + 5;
    int y = cell.top + 5;
    const int bw = layout.wGridCellWidth;
    const int bh = layout.wGridCellHeight - lh;
    canvas.textOut(
        x, y,
        formatText(" pulse %d [%lld]", etalon.wNumber, static_cast<long long>(energyOf(etalon))));
    y += lh;
    canvas.moveTo(x, y);
    canvas.lineTo(x, y + bh);
    canvas.moveTo(x, y + bh / 2);
    canvas.lineTo(x + bw - 1, y + bh / 2);

    // Only flags of exactly 1 count as required: an etalon also taken into an alphabet does not.
    const bool required = flags == 1;
    // An etalon too short for a curve, or a zero amplitude, leaves the box empty.
    if (etalon.wSize >= 2 && etalon.lpData.size() >= etalon.wSize && a != 0) {
        ScopedPen pen(canvas, Pen{required ? kSeriesCurveColour : kOptionalEtalonColour});
        drawCurve(canvas, etalon, x, y, bw, bh, a, 0, 0);
        drawCurve(canvas, etalon, x, y, bw, bh, a, 1, 0);
        drawCurve(canvas, etalon, x, y, bw, bh, a, 0, -1);
    }

    const int fw = layout.wGridFrameWidth;
    const int fh = layout.wGridFrameHeight;
    ScopedPen pen(canvas, Pen{required ? kGreyCellColour : kOptionalCellFrameColour});
    frameCell(canvas, cell.left, cell.top, fw, fh);
    if (required) {
        frameCell(canvas, cell.left + 1, cell.top + 1, fw - 2, fh - 2);
        frameCell(canvas, cell.left - 1, cell.top - 1, fw + 2, fh + 2);
    }
}

}  // namespace

void drawEtalonGrid(Canvas& canvas, const ProgramState& state, const WindowLayout& layout) {
    frameWorkArea(canvas, layout.rcWorkArea);
    const std::size_t count = std::min<std::size_t>(
        {state.wEtalonCount, state.etalonTable.size(), layout.rcEtalonCells.size()});
    for (std::size_t i = 0; i < count; ++i)
        drawCell(canvas, state.etalonTable[i], state.wEtalonFlags[i], layout.rcEtalonCells[i],
                 layout, static_cast<std::int16_t>(state.wAmplitude));
}

}  // namespace mirovale
