#include "core/display/option_list.h"

#include "core/display/display_colours.h"
#include "core/display/layout.h"
#include "core/host/format_text.h"

namespace mirovale {
namespace {

// The box as four lines through (l, t), (l, t + h), (l + w, t + h) and (l + w, t), with w and
// h counted inclusively: the lines lie one pixel beyond the box's right and bottom edges.
void frameBox(Canvas& canvas, const InclusiveRect& box) {
    const int w = box.width();
    const int h = box.height();
    canvas.moveTo(box.left, box.top);
    canvas.lineTo(box.left, box.top + h);
    canvas.lineTo(box.left + w, box.top + h);
    canvas.lineTo(box.left + w, box.top);
    canvas.lineTo(box.left, box.top);
}

}  // namespace

int drawOptionList(Canvas& canvas, const InclusiveRect& box, std::vector<InclusiveRect>& items,
                   std::string_view title, std::span<const std::uint32_t> values,
                   std::uint32_t selectedIndex, std::int64_t valueInEffect, int lineHeight) {
    const int lh = lineHeight;
    frameBox(canvas, box);
    const int d = lh + 1;  // marker diameter
    int e = d >> 3;        // inset of the chosen marker
    if (e < 2) e = 2;
    items = optionItemRects(box, lh, values.size());
    canvas.textOut(box.left + 10 - 5, box.top - lh / 2, title);
    for (std::size_t i = 0; i < values.size(); ++i) {
        const InclusiveRect& item = items[i];
        canvas.ellipse(item.left, item.top, item.left + d, item.top + d);
        canvas.textOut(item.left + 2 * lh, item.top,
                       formatText(" %5d ", static_cast<std::int32_t>(values[i])));
    }
    if (values.empty()) return 1;
    const std::size_t k =
        selectedIndex >= 1 && selectedIndex <= values.size() ? selectedIndex - 1 : 0;
    const bool inEffect = static_cast<std::int64_t>(values[k]) == valueInEffect;
    ScopedBrush brush(canvas, Brush{inEffect ? kBlack : kGreyCellColour});
    const InclusiveRect& chosen = items[k];
    canvas.ellipse(chosen.left + e, chosen.top + e, chosen.left + d - e, chosen.top + d - e);
    return 1;
}

}  // namespace mirovale
