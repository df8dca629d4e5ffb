#include "core/display/selection_panel.h"

#include <algorithm>

#include "core/display/etalon_cell.h"
#include "core/display/text_button.h"

namespace mirovale {
namespace {

void drawEtalonIn(Canvas& canvas, int lineHeight, const SeriesHeader* series, std::uint32_t e,
                  std::int16_t amplitude, CellState state, const GraphRect& cell) {
    if (const PulseHeader* etalon = panelEtalon(series, e))
        drawEtalonCell(canvas, lineHeight, *etalon, amplitude, state, cell);
}

// Slot j of a stored row: ten slots two pixels apart across the frame, their glyphs reaching
// below the slot as far as the frame.
GraphRect storedSlot(const InclusiveRect& frame, std::size_t j, int gy, int lineHeight) {
    const int cw = frame.right - 1 - frame.left;
    const int rh = frame.bottom - 1 - frame.top;
    const int iw = (cw - 2 * 10 + 1) / 10;
    const int i = static_cast<int>(j);
    return {frame.left + i * (iw + 2) + 2, frame.top + 1 - gy / 2,
            frame.left + (i + 1) * (iw + 2) - 3, frame.top + (rh - 2) - (gy + lineHeight - 1)};
}

}  // namespace

const PulseHeader* panelEtalon(const SeriesHeader* series, std::uint32_t e) {
    if (series == nullptr || e < 1 || e > series->lpPulsesList.size()) return nullptr;
    return series->lpPulsesList[e - 1];
}

void drawSelectionBackground(Canvas& canvas, const InclusiveRect& workArea,
                             const PanelGeometry& g) {
    {
        ScopedPen pen(canvas, Pen{kSelectionPanelColour});
        ScopedBrush brush(canvas, Brush{kSelectionPanelColour});
        canvas.rectangle(workArea.left, workArea.top, workArea.right + 1, workArea.bottom + 1);
    }
    const InclusiveRect& b = g.etalonBox;
    canvas.rectangle(b.left, b.top, b.right, b.bottom);
}

GraphRect itemCell(const InclusiveRect& item, const PanelGeometry& g, int lineHeight) {
    return {item.left + g.gx, item.top, item.right - 2 * g.gx,
            item.bottom - 2 * g.gy - lineHeight};
}

void drawSelectionSlots(Canvas& canvas, const PanelGeometry& g, int lineHeight,
                        std::span<const std::uint32_t> numbers,
                        std::span<const std::uint32_t> marks, std::size_t used, bool markAll,
                        const SeriesHeader* series, std::int16_t amplitude) {
    const InclusiveRect& a = g.panelAreaRect;
    canvas.rectangle(a.left, a.top, a.right, a.bottom);
    {
        ScopedPen pen(canvas, Pen{kEmptySlotColour});
        for (const InclusiveRect& r : g.slotRects) canvas.rectangle(r.left, r.top, r.right, r.bottom);
    }
    used = std::min({used, g.slotRects.size(), numbers.size(), marks.size()});
    for (std::size_t j = 0; j < used; ++j) {
        const InclusiveRect& r = g.slotRects[j];
        canvas.rectangle(r.left, r.top, r.right, r.bottom);
        const CellState state = markAll || marks[j] != 0 ? CellState::Grey : CellState::Plain;
        drawEtalonIn(canvas, lineHeight, series, numbers[j], amplitude, state,
                     itemCell(r, g, lineHeight));
    }
}

std::vector<InclusiveRect> placeSelectionButtons(const Canvas& canvas, const PanelGeometry& g,
                                                 std::span<const std::string_view> captions,
                                                 bool split) {
    const int average = canvas.fontMetrics().averageCharWidth;
    int widest = 0;
    for (const std::string_view c : captions) widest = std::max(widest, canvas.textExtent(c).width);
    const int width = widest + 4 * average;
    const int gap = 2 * average;
    std::vector<InclusiveRect> rects;
    const auto place = [&](int left) {
        rects.push_back({left, g.buttonTop, left + width, g.buttonTop + g.buttonHeight});
    };
    int left = g.etalonBox.left;
    for (std::size_t i = 0; i < captions.size(); ++i) {
        if (split && i == 2) left = g.etalonBox.right - 2 * (width + average);
        if (split && i == 4) left = rects[1].right + gap;
        place(left);
        left = rects.back().right + gap;
    }
    return rects;
}

void drawSelectionButtons(Canvas& canvas, std::span<const InclusiveRect> rects,
                          std::span<const std::string_view> captions, int lineHeight) {
    ScopedBrush brush(canvas, Brush{kSelectionPanelColour});
    for (std::size_t i = 0; i < std::min(rects.size(), captions.size()); ++i)
        drawTextButton(canvas, rects[i], captions[i], lineHeight);
}

void drawStoredSelections(Canvas& canvas, const PanelGeometry& g, int lineHeight,
                          std::string_view title, std::span<const std::uint32_t> sizes,
                          std::span<const std::vector<std::uint32_t>> rows, std::size_t stored,
                          std::uint32_t current, const SeriesHeader* series,
                          std::int16_t amplitude) {
    // The count line lies inside the first row's frame, which is filled over it.
    canvas.textOut(g.etalonBox.left, g.storedTop + lineHeight, title);
    ScopedBrush brush(canvas, Brush{kSelectionPanelColour});
    {
        ScopedPen pen(canvas, Pen{kStoredRowColour});
        for (const InclusiveRect& f : g.rowFrames) canvas.rectangle(f.left, f.top, f.right, f.bottom);
    }
    stored = std::min({stored, g.rowFrames.size(), sizes.size(), rows.size()});
    for (std::size_t r = 0; r < stored; ++r) {
        const InclusiveRect& f = g.rowFrames[r];
        canvas.rectangle(f.left, f.top, f.right, f.bottom);
        const std::size_t n = std::min<std::size_t>({sizes[r], rows[r].size(), 10});
        const CellState state = r + 1 == current ? CellState::Red : CellState::Plain;
        for (std::size_t j = 0; j < n; ++j)
            drawEtalonIn(canvas, lineHeight, series, rows[r][j], amplitude, state,
                         storedSlot(f, j, g.gy, lineHeight));
    }
}

}  // namespace mirovale
