#include "core/display/alphabet_panel.h"

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

constexpr std::array<std::string_view, 7> kCaptions{
    " Delete All ", " Delete ", " Cancel ", " OK ", " Accept ", " Clear All ", " Quick "};

void drawItems(Canvas& canvas, const ProgramState& s, const PanelGeometry& g, int lh) {
    const std::size_t items = std::min<std::size_t>(
        {s.wRequiredCount, s.lpRequiredList.size(), g.itemRects.size(), s.wEtalonFlags.size()});
    for (std::size_t k = 0; k < items; ++k) {
        const InclusiveRect& r = g.itemRects[k];
        canvas.rectangle(r.left, r.top, r.right, r.bottom);
        if (const PulseHeader* e = panelEtalon(s.lpSeriesHeader.get(), s.lpRequiredList[k]))
            drawPanelEtalonCell(canvas, lh, *e, static_cast<std::int16_t>(s.wAmplitude),
                                s.wEtalonFlags[k], itemCell(r, g, lh));
    }
}

}  // namespace

int prepareAlphabetPanel(Host& host, ProgramState& state) {
    return makeAlphabetArrays(host, state.alphabetPanel) ? 1 : 0;
}

void drawAlphabetPanel(Host& host, Canvas& canvas, const WindowLayout& layout,
                       ProgramState& state) {
    AlphabetPanel& p = state.alphabetPanel;
    const int lh = layout.wLineHeight;
    const auto amplitude = static_cast<std::int16_t>(state.wAmplitude);
    const PanelGeometry g = alphabetPanelGeometry(layout, state);
    drawSelectionBackground(canvas, layout.rcWorkArea, g);
    drawItems(canvas, state, g, lh);
    if (!p.made()) return;

    const std::uint32_t slots = p.dwAlphabetCapacity;
    const std::span<const std::uint32_t> entries(p.selectedAlphabet);
    drawSelectionSlots(canvas, g, lh, entries.first(slots), entries.subspan(slots),
                       p.dwSelectedAlphabetSize, p.dwMarkAllAlphabets > 0,
                       state.lpSeriesHeader.get(), amplitude);

    if (p.ButtonsWhileSelectedAlphabetRect.empty() &&
        !tryAssign(p.ButtonsWhileSelectedAlphabetRect, kCaptions.size())) {
        host.messageBox("Нет памяти для ButtonsWhileSelectedAlphabetRect!", "", MessageIcon::None);
        return;
    }
    const std::vector<InclusiveRect> rects = placeSelectionButtons(canvas, g, kCaptions, true);
    std::copy(rects.begin(), rects.end(), p.ButtonsWhileSelectedAlphabetRect.begin());
    p.dwAlphabetButtons = static_cast<std::uint32_t>(kCaptions.size());
    drawSelectionButtons(canvas, rects, kCaptions, lh);

    drawStoredSelections(canvas, g, lh,
                         formatText(" reserved alphabets %d ", p.dwAlphabetArrayCapacity),
                         p.selectedAlphabetsSize, p.selectedAlphabetArray, p.dwAlphabetArraySize,
                         p.dwCurrentAlphabet, state.lpSeriesHeader.get(), amplitude);
    p.dwMarkAllAlphabets = 0;
}

}  // namespace mirovale
