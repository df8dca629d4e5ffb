#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "core/display/graph_primitives.h"
#include "core/display/panel_geometry.h"
#include "core/host/canvas.h"
#include "core/synthesis/series_header.h"

namespace mirovale {

// The parts the subset and alphabet panels draw alike, on the geometry of panel_geometry.h.

inline constexpr Colour kSelectionPanelColour{235, 239, 225};  // the panels' background
inline constexpr Colour kEmptySlotColour{160, 160, 160};       // outlines of the slots
inline constexpr Colour kStoredRowColour{215, 219, 205};       // frames of the stored rows

// The series' etalon number e (1-based), or nullptr when the series has none.
[[nodiscard]] const PulseHeader* panelEtalon(const SeriesHeader* series, std::uint32_t e);

// Fills the work area (extended by one pixel right and down) with the panel colour and draws
// the box of available etalons with the canvas's pen and brush.
void drawSelectionBackground(Canvas& canvas, const InclusiveRect& workArea,
                             const PanelGeometry& g);

// Where the etalon of an available item or slot is drawn: (left + gx, top, right - 2 gx,
// bottom - 2 gy - lineHeight), the cell's glyph reaching below it.
[[nodiscard]] GraphRect itemCell(const InclusiveRect& item, const PanelGeometry& g,
                                 int lineHeight);

// The slot box and every slot outlined in grey, then each used slot framed with its etalon,
// grey (state 1) where `marks` or `markAll` says so.
// numbers, marks : the slots' etalons and marks; `used` of them are in use
void drawSelectionSlots(Canvas& canvas, const PanelGeometry& g, int lineHeight,
                        std::span<const std::uint32_t> numbers,
                        std::span<const std::uint32_t> marks, std::size_t used, bool markAll,
                        const SeriesHeader* series, std::int16_t amplitude);

// Places the text buttons in the row under the slot box: each as wide as the widest caption
// plus 4 average characters and 2 lines - 1 high, 2 average characters apart. Without `split`
// they run from the box's left; with it buttons 0 and 1 start at the left, 2 and 3 end at the
// right, and the rest follow button 1.
[[nodiscard]] std::vector<InclusiveRect> placeSelectionButtons(
    const Canvas& canvas, const PanelGeometry& g, std::span<const std::string_view> captions,
    bool split);

// Draws the buttons on the panel colour.
void drawSelectionButtons(Canvas& canvas, std::span<const InclusiveRect> rects,
                          std::span<const std::string_view> captions, int lineHeight);

// The stored selections: the count line `title` (drawn first, under the first row's frame),
// the frames of all rows in a light pen, then each stored row framed with its first ten
// etalons, the current one (1-based) red (state 2).
// sizes, rows : size and etalons of each row; `stored` rows are in use
void drawStoredSelections(Canvas& canvas, const PanelGeometry& g, int lineHeight,
                          std::string_view title, std::span<const std::uint32_t> sizes,
                          std::span<const std::vector<std::uint32_t>> rows, std::size_t stored,
                          std::uint32_t current, const SeriesHeader* series,
                          std::int16_t amplitude);

}  // namespace mirovale
