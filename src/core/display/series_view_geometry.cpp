#include "core/display/series_view_geometry.h"

#include <algorithm>

#include "core/state/program_state.h"

namespace mirovale {
namespace {

constexpr int kSpecialGraphWidth = 618;
constexpr int kSpecialGraphHeight = 112;

// Graph height for the room left beside the caption and text lines, made even.
int graphHeight(int room, bool special) {
    int gh = special ? kSpecialGraphHeight : room * GraphLayout::wGraphHeight / 1000;
    if (gh % 2 != 0) ++gh;
    return gh;
}

void placeGraphs(SeriesViewGeometry& g, int firstTop) {
    g.g1 = firstTop;
    g.g2 = g.g1 + g.gh + g.lh;
    g.g3 = g.g2 + g.gh + g.lh;
    g.yt = g.g3 + g.gh + g.lh + (g.lh >> 1);
}

void placeAlphabetPanel(SeriesViewGeometry& g, std::uint16_t requiredCount) {
    g.rows = (2 + 2 * requiredCount) / 4;
    g.cw = g.W * GraphLayout::wCellWidth / 1000;
    g.pw = (g.cw + 2 * g.mx) * 2 + (g.mx >> 1);
    g.px = g.X1 - g.pw - g.mx + 1;
    g.py = g.Y0 + g.my + (g.lh >> 1);
    const int av = g.Y1 - g.py - g.bg;
    g.ch = (av - 2 * g.my) / 8 - (g.myh + g.lh);
    g.ph = (g.ch + g.myh + g.lh) * g.rows + 2 * g.my;
    if (g.ph > av) {
        // An empty list has no rows to share the height among.
        if (g.rows > 0) g.ch = (av - 2 * g.my) / g.rows - (g.myh + g.lh);
        g.ph = av;
    }
}

}  // namespace

std::int16_t GraphAmplitude::cellAmplitude() const {
    return static_cast<std::int16_t>(std::min<std::uint32_t>(a, 32767));
}

GraphAmplitude graphAmplitude(std::uint16_t wAmplitude, std::uint16_t wNoiseLevel) {
    std::uint32_t a = wAmplitude;
    if (a == 0) {
        // The doubling stops at 32768 so that a noise level above it cannot keep it going.
        a = 128;
        while (a < wNoiseLevel && a < 32768) a *= 2;
    }
    const std::uint32_t noiseRange = std::uint32_t{wNoiseLevel} * 8 / 3;
    std::uint32_t r = a > noiseRange ? a : noiseRange;
    r += r >> 3;
    // Held in 16 signed bits: clamped rather than wrapped to a negative or zero half-range.
    return {a, static_cast<std::int16_t>(std::min<std::uint32_t>(r, 32767))};
}

GraphRect SeriesViewGeometry::graph(int index) const {
    const int top = index == 0 ? g1 : index == 1 ? g2 : g3;
    return {gx, top, gx + gw, top + gh};
}

SeriesViewGeometry seriesViewGeometry(const InclusiveRect& workArea, int lh,
                                      std::uint16_t requiredCount, std::uint16_t wTaskType,
                                      bool special) {
    SeriesViewGeometry g;
    g.X0 = workArea.left;
    g.Y0 = workArea.top;
    g.X1 = workArea.right;
    g.Y1 = workArea.bottom;
    g.W = g.X1 - g.X0 + 1;
    g.H = g.Y1 - g.Y0 + 1;
    g.lh = lh;
    g.gw = special ? kSpecialGraphWidth : g.W * GraphLayout::wGraphWidth / 1000;
    g.gh = graphHeight(g.H - 18 * lh, special);
    g.mx = g.W * GraphLayout::wMarginX / 1000;
    g.gx = g.X0 + g.mx;
    g.my = (g.H * GraphLayout::wMarginY + 500) / 1000;
    g.myh = (g.H * GraphLayout::wMarginY + 1000) / 2000;
    g.bg = lh + (lh >> 2) - 3;
    placeGraphs(g, g.Y0 + 4 * lh + 1);
    placeAlphabetPanel(g, requiredCount);
    if (wTaskType == TASK_ALPHABET_RECOGNITION) {
        g.hasBand = true;
        g.rh = g.ch + g.myh + lh;
        g.bh = (g.my >> 1) + 2 + (g.rh + (3 * lh) / 4) * 2;
        g.bandTop = g.Y0 + 4 * lh + 1;
        g.bandWidth = g.W * GraphLayout::wGraphWidth / 1000;
        g.gh = graphHeight(g.H - 18 * lh - g.bh, special);
        placeGraphs(g, g.bandTop + g.bh + lh);
    }
    return g;
}

}  // namespace mirovale
