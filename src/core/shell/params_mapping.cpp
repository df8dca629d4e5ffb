#include "core/shell/params_mapping.h"

#include <algorithm>
#include <cstdlib>

namespace mirovale {
namespace {

struct Plot {
    std::int64_t px, pt, pb, w, h;
};

Plot plotOf(const ParamsHeader& r) {
    return {r.rcPlot.left, r.rcPlot.top, r.rcPlot.bottom, r.rcPlot.width(), r.rcPlot.height()};
}

// num / den rounded to the nearest integer, halves away from zero; 0 when den < 1.
std::int32_t roundedQuotient(std::int64_t num, std::int64_t den) {
    if (den < 1) return 0;
    const std::int64_t q = (2 * std::llabs(num) + den) / (2 * den);
    const std::int64_t v = num < 0 ? -q : q;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
}

int isOnLine(int x, int y, const ParamsGrabLine& g) {
    const ParamsSegment& l = g.line;
    const int left = std::min(l.x0, l.x1);
    const int right = std::max(l.x0, l.x1);
    if (left == right || x < left || x > right) return 0;
    const std::int64_t yLine =
        l.y0 + (static_cast<std::int64_t>(x) - l.x0) * (l.y1 - l.y0) / (l.x1 - l.x0);
    return std::llabs(y - yLine) <= g.dwTolerance ? 1 : 0;
}

// Whether the pulse count shown lies in low..high, where low is (b- - a+ + t - 1) / t + 1, or 1
// when b- <= a+, and high is (b - a) / u + 1.
bool pulsesWithin(const ParamsHeader& r, std::int64_t t, std::int64_t u) {
    if (t < 1 || u < 1) return false;
    const std::int64_t gap = static_cast<std::int64_t>(r.dwBMinus) - r.dwAPlus;
    const std::int64_t low = gap <= 0 ? 1 : (gap + t - 1) / t + 1;
    const std::int64_t high = (static_cast<std::int64_t>(r.dwB) - r.dwA) / u + 1;
    return low <= r.dwPulses && r.dwPulses <= high;
}

}  // namespace

int isOnTmaxLine(int x, int y, const ParamsHeader& record) {
    return isOnLine(x, y, record.tmaxLine);
}

int isOnTminLine(int x, int y, const ParamsHeader& record) {
    return isOnLine(x, y, record.tminLine);
}

std::int32_t tmaxFromPoint(int x, int y, const ParamsHeader& r) {
    const Plot p = plotOf(r);
    const std::int64_t span = static_cast<std::int64_t>(r.dwB) - r.dwA;
    const std::int64_t num =
        (span * (p.pb + 1 - y) - (static_cast<std::int64_t>(r.dwAPlus) - r.dwA) * p.h) * p.w;
    const std::int64_t den = (x - p.px) * (static_cast<std::int64_t>(r.dwMaxPulses) - 1) * p.h;
    return roundedQuotient(num, den);
}

std::int32_t tminFromPoint(int x, int y, const ParamsHeader& r) {
    const Plot p = plotOf(r);
    const std::int64_t span = static_cast<std::int64_t>(r.dwB) - r.dwA;
    const std::int64_t num = span * (y - p.pt) * p.w;
    const std::int64_t den = ((static_cast<std::int64_t>(r.dwPulses) - 1) * p.w -
                              (x - p.px) * (static_cast<std::int64_t>(r.dwMaxPulses) - 1)) *
                             p.h;
    return roundedQuotient(num, den);
}

int isTmaxAllowed(std::int32_t v, const ParamsHeader& r) {
    return r.dwTmin < v && v <= r.dwBMinus && pulsesWithin(r, v, r.dwTmin) ? 1 : 0;
}

int isTminAllowed(std::int32_t v, const ParamsHeader& r) {
    return v >= 1 && r.dwImpulseSize <= v && v <= r.dwTmax && pulsesWithin(r, r.dwTmax, v) ? 1
                                                                                            : 0;
}

std::int32_t positionFromPoint(int y, const ParamsHeader& r) {
    const Plot p = plotOf(r);
    if (p.h < 1 || r.dwB < r.dwA) return r.dwA;
    const std::int64_t v =
        r.dwA + (p.pb - y) * (static_cast<std::int64_t>(r.dwB) - r.dwA) / p.h;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, r.dwA, r.dwB));
}

}  // namespace mirovale
