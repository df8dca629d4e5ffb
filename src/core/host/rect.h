#pragma once

namespace mirovale {

// A rectangle of client-area pixels whose right and bottom edges lie outside it: the area a
// repaint invalidates, the place the edit field is moved to. width = right - left.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;   // first column to the right of the rectangle
    int bottom = 0;  // first row below the rectangle

    [[nodiscard]] constexpr int width() const { return right - left; }
    [[nodiscard]] constexpr int height() const { return bottom - top; }
    [[nodiscard]] constexpr bool contains(int x, int y) const {
        return left <= x && x < right && top <= y && y < bottom;
    }
    friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

// A rectangle that holds both of its corners: the layout's buttons, cells and option rows, and
// the hit areas the drawing routines record. A point on its right or bottom edge is inside.
// width = right - left + 1; right < left makes it empty.
struct InclusiveRect {
    int left = 0;
    int top = 0;
    int right = 0;   // last column of the rectangle
    int bottom = 0;  // last row of the rectangle

    [[nodiscard]] constexpr int width() const { return right - left + 1; }
    [[nodiscard]] constexpr int height() const { return bottom - top + 1; }
    [[nodiscard]] constexpr bool contains(int x, int y) const {
        return left <= x && x <= right && top <= y && y <= bottom;
    }
    friend constexpr bool operator==(const InclusiveRect&, const InclusiveRect&) = default;
};

}  // namespace mirovale
