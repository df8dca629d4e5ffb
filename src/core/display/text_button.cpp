#include "core/display/text_button.h"

namespace mirovale {
namespace {

constexpr Colour kShadow{125, 125, 125};
constexpr Colour kInnerShadow{165, 170, 165};

}  // namespace

void drawTextButton(Canvas& canvas, const InclusiveRect& rect, std::string_view caption,
                    int lineHeight) {
    const int l = rect.left;
    const int t = rect.top;
    const int r = rect.right;
    const int b = rect.bottom;
    canvas.rectangle(l, t, r, b);
    {
        // Outline's left and top edges, then the shadow one pixel inside the right and bottom.
        ScopedPen pen(canvas, Pen{kShadow});
        canvas.moveTo(l, b - 1);
        canvas.lineTo(l, t);
        canvas.lineTo(r, t);
        canvas.moveTo(l + 1, b - 2);
        canvas.lineTo(r - 2, b - 2);
        canvas.lineTo(r - 2, t);
    }
    {
        ScopedPen pen(canvas, Pen{kInnerShadow});
        canvas.moveTo(l + 2, b - 3);
        canvas.lineTo(r - 3, b - 3);
        canvas.lineTo(r - 3, t + 1);
    }
    {
        ScopedPen pen(canvas, Pen{kWhite});
        canvas.moveTo(l + 1, b - 3);
        canvas.lineTo(l + 1, t + 1);
        canvas.lineTo(r - 2, t + 1);
    }
    ScopedBackgroundMode transparent(canvas, BackgroundMode::Transparent);
    const int width = canvas.textExtent(caption).width;
    canvas.textOut(l + (r - l - width) / 2, t + (lineHeight - 2) / 2, caption);
}

}  // namespace mirovale
