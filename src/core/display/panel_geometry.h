#pragma once

#include <cstdint>
#include <vector>

#include "core/host/rect.h"
#include "core/display/layout.h"
#include "core/state/program_state.h"
#include "core/synthesis/series_header.h"

namespace mirovale {

// Where the parts of the subset and alphabet panels lie in the work area. Every rectangle
// holds both corners. gx and gy are the panels' spacings: the work area's width / 170 and
// height / 131.
struct PanelGeometry {
    int gx = 0;
    int gy = 0;
    InclusiveRect etalonBox;               // the box of available etalons
    std::vector<InclusiveRect> itemRects;  // one per etalon the series can hold (wMaxEtalons)
    InclusiveRect panelAreaRect;           // the box of the slots of the selection being built
    std::vector<InclusiveRect> slotRects;  // the slots in it
    int buttonTop = 0;                     // top of the row of text buttons
    int buttonHeight = 0;                  // 2 lines - 1
    int storedTop = 0;                     // top of the list of stored selections, S0
    std::vector<InclusiveRect> rowFrames;  // frame of each stored row (stored-list variants)
};

// The panel layout for the window layout and the current series.
// series  : its wMaxEtalons gives the number of available items (none without a series)
// slots   : slots of the selection being built (10, or the series' pulses for the simple
//           subset panel)
// storedRows : capacity of the stored list; 0 for the simple subset panel, which has none
[[nodiscard]] PanelGeometry panelGeometry(const WindowLayout& layout, const SeriesHeader* series,
                                          std::uint32_t slots, std::uint32_t storedRows);

// The subset panel of view 9: with processing task 40 the stored-subsets variant (10 slots and
// the stored rows of dwSubsetArrayCapacity), else min(the series' wMaxPulses, 10) slots and no
// stored rows.
[[nodiscard]] PanelGeometry subsetPanelGeometry(const WindowLayout& layout,
                                                const ProgramState& state);
// The alphabet panel of view 11: 10 slots and the stored rows of dwAlphabetArrayCapacity.
[[nodiscard]] PanelGeometry alphabetPanelGeometry(const WindowLayout& layout,
                                                  const ProgramState& state);

// An inclusive rectangle as the area to invalidate: all of its pixels.
[[nodiscard]] constexpr Rect wholeRect(const InclusiveRect& r) {
    return {r.left, r.top, r.right + 1, r.bottom + 1};
}

}  // namespace mirovale
