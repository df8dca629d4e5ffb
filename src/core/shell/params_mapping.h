#pragma once

#include <cstdint>

#include "core/state/params_header.h"

namespace mirovale {

// The parameters panel's pointer geometry: which line a point is on and which value a point
// stands for, in the plot of the record as last drawn (rcPlot, the stored lines). With the plot
// (Px, Pt, Pr, Pb), W = Pr - Px + 1 and H = Pb - Pt + 1, pulse index k lies at
// x = Px + (k - 1) W / (Kmax - 1) and position p at y = Pb - (p - a) H / (b - a). Products are
// 64-bit; every divisor below 1 gives the value 0 instead of a division.

// 1 when (x, y) lies between the line's end columns and at most its tolerance above or below
// the line at column x; else 0 (also for a line of one column).
int isOnTmaxLine(int x, int y, const ParamsHeader& record);
int isOnTminLine(int x, int y, const ParamsHeader& record);

// The Tmax that puts the Tmax line through (x, y): (p - a+) / (k - 1) for the position p and
// index k under the point, rounded to nearest; 0 when the point is at or left of the first pulse.
std::int32_t tmaxFromPoint(int x, int y, const ParamsHeader& record);
// The Tmin that puts the Tmin line through (x, y): (b - p) / (n - k), rounded to nearest; 0 when
// the point is at or right of the last pulse.
std::int32_t tminFromPoint(int x, int y, const ParamsHeader& record);

// 1 when a dragged Tmax of v keeps the picture consistent: Tmin < v <= b- and the pulse count
// shown lies between (b- - a+ + v - 1) / v + 1 (1 when b- <= a+) and (b - a) / Tmin + 1.
int isTmaxAllowed(std::int32_t v, const ParamsHeader& record);
// 1 when a dragged Tmin of v does: L <= v <= Tmax, v >= 1, and the pulse count shown lies
// between (b- - a+ + Tmax - 1) / Tmax + 1 (1 when b- <= a+) and (b - a) / v + 1.
int isTminAllowed(std::int32_t v, const ParamsHeader& record);

// The position a + (Pb - y)(b - a) / H under row y, the value a dragged a+ or b- line takes,
// kept within a..b.
std::int32_t positionFromPoint(int y, const ParamsHeader& record);

}  // namespace mirovale
