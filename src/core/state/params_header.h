#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "core/host/host.h"
#include "core/host/rect.h"
#include "core/synthesis/series_header.h"

namespace mirovale {

// A straight line of the parameters panel, from (x0, y0) to (x1, y1), in client pixels.
struct ParamsSegment {
    std::int32_t x0 = 0;
    std::int32_t y0 = 0;
    std::int32_t x1 = 0;
    std::int32_t y1 = 0;
    friend bool operator==(const ParamsSegment&, const ParamsSegment&) = default;
};

// A boundary line that can be grabbed: its ends and how far above or below it a press counts.
struct ParamsGrabLine {
    ParamsSegment line;
    std::int32_t dwTolerance = 0;  // pixels, measured vertically
    friend bool operator==(const ParamsGrabLine&, const ParamsGrabLine&) = default;
};

// The parameters panel's record: where the pulses of the current series may start, the values
// the user drags, and the geometry last drawn. Every value is signed 32-bit, as the panel's
// arithmetic is signed. N = dwSeriesSize, L = dwImpulseSize; pulse counts run from
// Kmin = dwMinPulses to Kmax = dwMaxPulses. Rectangles hold both corners.
struct ParamsHeader {
    std::int32_t dwAreasSeriesSize = 0;  // N when the area array last grew
    std::int32_t dwSeriesSize = 0;       // N, samples
    std::int32_t dwTmin = 0;             // least start-to-start distance, samples (dragged)
    std::int32_t dwTmax = 0;             // greatest start-to-start distance, samples (dragged)
    std::int32_t dwImpulseSize = 0;      // L, samples per etalon
    std::int32_t dwPulses = 0;           // pulse count shown, first the series' count
    std::int32_t dwMaxPulses = 0;        // Kmax = (N - L + Tmin) / Tmin
    std::int32_t dwMinPulses = 0;        // Kmin = (N + L - 1) / Tmax
    std::int32_t dwA = 0;                // a: earliest start of the first pulse, 0
    std::int32_t dwAPlus = 0;            // a+: latest start of the first pulse, Tmax - L at first
    std::int32_t dwBMinus = 0;           // b-: earliest start of the last pulse, N - Tmax at first
    std::int32_t dwB = 0;                // b: latest start of the last pulse, N - L
    std::int32_t dwAreasCapacity = 0;    // rectangles allocated in pulsesSelectedAreas
    std::int32_t dwAreas = 0;            // Kmax - Kmin + 1, rectangles in use
    InclusiveRect rcFrame;               // the graph frame
    std::vector<InclusiveRect> pulsesSelectedAreas;  // tick label of count Kmin + i, clickable
    InclusiveRect rcAPlusBand;                       // grab band round the dotted a+ line
    InclusiveRect rcBMinusBand;                      // grab band round the dotted b- line
    InclusiveRect rcPlot;                            // the plot
    std::int32_t dwOverAPlus = 0;                    // 1: the pointer is over the a+ band
    std::int32_t dwOverBMinus = 0;                   // 1: the pointer is over the b- band
    std::int32_t dwDragAPlus = 0;                    // 1: a+ is being dragged
    std::int32_t dwDragBMinus = 0;                   // 1: b- is being dragged
    std::int32_t dwRedrawChanged = 0;  // 1: the next drawing repaints only what changed
    std::int32_t dwPrevPulses = 0;     // values as last drawn
    std::int32_t dwPrevAPlus = 0;
    std::int32_t dwPrevBMinus = 0;
    std::int32_t dwPrevTmin = 0;
    std::int32_t dwPrevTmax = 0;
    std::int32_t dwPrevMaxPulses = 0;
    std::int32_t dwPrevMinPulses = 0;
    ParamsGrabLine tmaxLine;          // latest start counted from the first pulse
    std::int32_t dwOverTmaxLine = 0;  // hover flag
    std::int32_t dwDragTmaxLine = 0;  // drag flag
    ParamsGrabLine tminLine;          // latest start counted back from the last pulse
    std::int32_t dwOverTminLine = 0;
    std::int32_t dwDragTminLine = 0;
    std::array<ParamsSegment, 4> drawnLines{};  // the four boundary lines as last drawn
    ParamsSegment aPlusDotted;                  // the dotted a+ line
    ParamsSegment bMinusDotted;                 // the dotted b- line
    InclusiveRect rcAPlusLabel;                 // value label of a+
    InclusiveRect rcBMinusLabel;                // value label of b-
    ParamsSegment topLine;                      // the line at position b
    ParamsSegment lastPulseLine;                // the vertical line at the last pulse
    // Not among the record's numbered fields: the " Cancel " and " OK " buttons as last drawn,
    // and the pointer shape the hover replaced, restored when the pointer leaves.
    std::array<InclusiveRect, 2> buttonRects{};
    CursorShape previousCursor = CursorShape::Arrow;
};

// Loads the panel's record from a series: N, Tmin, Tmax, L and the pulse count, the pulse-count
// range, a = 0, a+ = Tmax - L, b- = N - Tmax, b = N - L; the previous values equal the current
// ones and the area rectangles are zeroed. Shows Tmin in the panel's edit field. Reuses `old`
// and its area array when they are large enough.
// host   : shows the edit field's text and the allocation failures
// series : the current series; nullptr returns `old` unchanged
// old    : the previous record, or nullptr
// Returns the record, or nullptr after reporting a failure (`old` is then released).
[[nodiscard]] std::unique_ptr<ParamsHeader> getParamsHeader(Host& host, const SeriesHeader* series,
                                                            std::unique_ptr<ParamsHeader> old);

// Whether the record can be plotted: at least two pulse counts (Kmax >= 2), a span of starts
// (b > a) and intervals of at least one sample; the plot's coordinates divide by Kmax - 1, b - a
// and Tmin. A series that breaks one of these has nothing to plot.
[[nodiscard]] constexpr bool canPlotParams(const ParamsHeader& r) {
    return r.dwMaxPulses >= 2 && r.dwB > r.dwA && r.dwTmin >= 1 && r.dwTmax >= 1;
}

// Releases the record and its area array; accepts an empty pointer. Returns 1.
int freeParamsHeader(std::unique_ptr<ParamsHeader>& record) noexcept;

// Copies the values a drawing shows (pulses, a+, b-, Tmin, Tmax, the pulse range) into their
// dwPrev... fields, which the next partial redraw compares with.
void rememberDrawnValues(ParamsHeader& r);

}  // namespace mirovale
