#include "core/display/subset_panel.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "core/display/etalon_cell.h"
#include "core/display/panel_geometry.h"
#include "core/display/selection_panel.h"
#include "core/host/allocation.h"
#include "core/host/format_text.h"

namespace mirovale {
namespace {

constexpr std::array<std::string_view, 6> kCaptions{" Delete All ", " Delete ", " Cancel ",
                                                    " OK ",         " Accept ", " Clear All "};

// Steps shared by both variants up to the buttons; false when the drawing ends there.
bool drawCommon(Host& host, Canvas& canvas, const WindowLayout& layout, ProgramState& s,
                const PanelGeometry& g, bool stored) {
    SubsetPanel& p = s.subsetPanel;
    const int lh = layout.wLineHeight;
    const auto amplitude = static_cast<std::int16_t>(s.wAmplitude);
    drawSelectionBackground(canvas, layout.rcWorkArea, g);
    const std::size_t items = std::min<std::size_t>(
        {s.wRequiredCount, s.lpRequiredList.size(), g.itemRects.size()});
    for (std::size_t k = 0; k < items; ++k) {
        const InclusiveRect& r = g.itemRects[k];
        canvas.rectangle(r.left, r.top, r.right, r.bottom);
        if (const PulseHeader* e = panelEtalon(s.lpSeriesHeader.get(), s.lpRequiredList[k]))
            drawEtalonCell(canvas, lh, *e, amplitude, CellState::Plain, itemCell(r, g, lh));
    }
    if (!p.made()) return false;

    const std::uint32_t slots = p.dwSubsetCapacity;
    if (stored && p.dwMarkAllSubsets > 0)
        std::fill_n(p.selectedSubset.begin() + slots, std::min(p.dwSelectedSubsetSize, slots), 1u);
    const std::span<const std::uint32_t> entries(p.selectedSubset);
    drawSelectionSlots(canvas, g, lh, entries.first(slots), entries.subspan(slots),
                       p.dwSelectedSubsetSize, false, s.lpSeriesHeader.get(), amplitude);

    if (p.ButtonsWhileSelectedSubsetRect.empty() &&
        !tryAssign(p.ButtonsWhileSelectedSubsetRect, stored ? 6u : 8u)) {
        host.messageBox("Нет памяти для ButtonsWhileSelectedSubsetRect!", "", MessageIcon::None);
        return false;
    }
    const std::size_t count = stored ? 6 : 4;
    const auto captions = std::span<const std::string_view>(kCaptions).first(count);
    const std::vector<InclusiveRect> rects = placeSelectionButtons(canvas, g, captions, stored);
    std::copy_n(rects.begin(), std::min(count, p.ButtonsWhileSelectedSubsetRect.size()),
                p.ButtonsWhileSelectedSubsetRect.begin());
    p.dwSubsetButtons = static_cast<std::uint32_t>(
        std::min(count, p.ButtonsWhileSelectedSubsetRect.size()));
    drawSelectionButtons(canvas, rects, captions, lh);
    return true;
}

}  // namespace

int prepareSubsetPanel(Host& host, ProgramState& state) {
    return makeSubsetArrays(host, state.subsetPanel) ? 1 : 0;
}

void drawSubsetPanel(Host& host, Canvas& canvas, const WindowLayout& layout, ProgramState& state) {
    drawCommon(host, canvas, layout, state, subsetPanelGeometry(layout, state), false);
}

void drawSubsetArrayPanel(Host& host, Canvas& canvas, const WindowLayout& layout,
                          ProgramState& state) {
    const PanelGeometry g = subsetPanelGeometry(layout, state);
    if (!drawCommon(host, canvas, layout, state, g, true)) return;
    SubsetPanel& p = state.subsetPanel;
    drawStoredSelections(canvas, g, layout.wLineHeight,
                         formatText(" reserved subsets %d ", p.dwSubsetArrayCapacity),
                         p.selectedSubsetArraySize, p.selectedSubsetArray, p.dwSubsetArraySize,
                         p.dwCurrentSubset, state.lpSeriesHeader.get(),
                         static_cast<std::int16_t>(state.wAmplitude));
    p.dwMarkAllSubsets = 0;
}

}  // namespace mirovale
