#include "core/display/panel_geometry.h"

#include <algorithm>

namespace mirovale {

PanelGeometry panelGeometry(const WindowLayout& layout, const SeriesHeader* series,
                            std::uint32_t slots, std::uint32_t storedRows) {
    PanelGeometry g;
    const InclusiveRect& area = layout.rcWorkArea;
    const int lh = layout.wLineHeight;
    const int w = area.width();
    const int h = area.height();
    g.gx = w / 170;
    g.gy = h / 131;
    const int L = area.left + g.gx;
    const int R = area.right - g.gx;
    const int T = area.top + g.gy;
    const int B = T + (h - 3 * g.gy) / 4;
    g.etalonBox = {L, T, R, B};

    const int n = series != nullptr ? series->wMaxEtalons : 0;
    const int rows = (n - 1) / 10 + 1;
    const int iw = ((R - L + 1) - 11 * g.gx) / 10;
    const int ih = ((B - T) - (rows + 1) * g.gy) / rows;
    for (int k = 0; k < n; ++k) {
        const int left = L + g.gx + (k % 10) * (iw + g.gx);
        const int top = T + g.gy + (k / 10) * (ih + g.gy);
        g.itemRects.push_back({left, top, left + iw, top + ih});
    }

    const int panelTop = B + g.gy + lh;
    g.panelAreaRect = {L, panelTop, R, panelTop + ih + 2 * g.gy};
    for (std::uint32_t j = 0; j < slots; ++j) {
        const int left = L + g.gx + static_cast<int>(j) * (iw + g.gx);
        g.slotRects.push_back({left, panelTop + g.gy, left + iw, panelTop + g.gy + ih});
    }

    g.buttonHeight = 2 * lh - 1;
    g.buttonTop = g.panelAreaRect.bottom + lh / 2;
    g.storedTop = g.buttonTop + g.buttonHeight + lh / 2;
    if (storedRows == 0) return g;
    const int columnRows = static_cast<int>((storedRows + 1) / 2);
    const int columnWidth = ((R - L + 1) - g.gx) / 2;
    const int listHeight = area.bottom - (g.storedTop + g.gy);
    const int rowHeight = (listHeight - (columnRows - 1) * g.gy) / columnRows;
    for (int i = 0; i < static_cast<int>(storedRows); ++i) {
        const int left = i < columnRows ? L : L + columnWidth + g.gx;
        const int top = g.storedTop + (i % columnRows) * (rowHeight + g.gy);
        g.rowFrames.push_back({left, top, left + columnWidth + 1, top + rowHeight + 1});
    }
    return g;
}

PanelGeometry subsetPanelGeometry(const WindowLayout& layout, const ProgramState& state) {
    const SeriesHeader* series = state.lpSeriesHeader.get();
    if (state.wProcessingTask == TASK_TUPLE_RECOGNITION)
        return panelGeometry(layout, series, 10, state.subsetPanel.dwSubsetArrayCapacity);
    const std::uint32_t pulses = series != nullptr ? series->wMaxPulses : 0;
    return panelGeometry(layout, series, std::min<std::uint32_t>(pulses, 10), 0);
}

PanelGeometry alphabetPanelGeometry(const WindowLayout& layout, const ProgramState& state) {
    return panelGeometry(layout, state.lpSeriesHeader.get(), 10,
                         state.alphabetPanel.dwAlphabetArrayCapacity);
}

}  // namespace mirovale
