#pragma once

#include <cstdint>

#include "core/display/graph_primitives.h"
#include "core/host/rect.h"

namespace mirovale {

// The amplitude of the series view: a, printed as the amplitude and used for every etalon cell,
// and r, the half-range of the three graphs.
struct GraphAmplitude {
    std::uint32_t a = 0;  // wAmplitude, or for 0 the least 128 * 2^k not below the noise level
    std::int16_t r = 0;   // max(a, noise * 8 / 3) plus an eighth, at most 32767
    // a for the etalon cells' 16-bit amplitude: at most 32767.
    [[nodiscard]] std::int16_t cellAmplitude() const;
};
[[nodiscard]] GraphAmplitude graphAmplitude(std::uint16_t wAmplitude, std::uint16_t wNoiseLevel);

// Where the parts of the series view lie. Names follow the view's own notation: the work area
// X0..X1 x Y0..Y1 (W x H pixels, both edges inside), lh the line height.
struct SeriesViewGeometry {
    int X0 = 0, Y0 = 0, X1 = 0, Y1 = 0, W = 0, H = 0, lh = 0;
    int mx = 0;                  // horizontal margin, W * 12 / 1000
    int my = 0;                  // vertical margin, H * 15 / 1000 rounded
    int myh = 0;                 // half of it, rounded
    int bg = 0;                  // gap kept above the work area's bottom
    int gx = 0;                  // left edge of the graphs and text blocks
    int gw = 0;                  // graph width
    int gh = 0;                  // graph height, even
    int g1 = 0, g2 = 0, g3 = 0;  // tops of the three graphs
    int yt = 0;                  // top of the result block
    // The alphabet panel: two columns of `rows` cells cw x ch.
    int rows = 0, cw = 0, ch = 0;
    int px = 0, py = 0, pw = 0, ph = 0;
    // The alphabets band above the graphs (task 48 only).
    bool hasBand = false;
    int bandTop = 0, bandWidth = 0, bh = 0;
    int rh = 0;  // row pitch of the band's cells

    // The rectangle of graph 0, 1 or 2.
    [[nodiscard]] GraphRect graph(int index) const;
};

// The geometry for a work area and line height.
// requiredCount : etalons of the alphabet panel
// wTaskType     : task of the result record; 48 places the alphabets band above the graphs
// special       : dwSpecialGraphSize: graphs of 618 x 112 pixels whatever the window
[[nodiscard]] SeriesViewGeometry seriesViewGeometry(const InclusiveRect& workArea, int lh,
                                                    std::uint16_t requiredCount,
                                                    std::uint16_t wTaskType, bool special);

}  // namespace mirovale
