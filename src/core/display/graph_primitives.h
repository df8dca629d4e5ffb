#pragma once

#include <cstdint>
#include <string>

#include "core/host/canvas.h"
#include "core/host/rect.h"
#include "core/synthesis/series_header.h"

namespace mirovale {

// The rectangle a graph is drawn in: width w = right - left, height h = bottom - top (no + 1),
// mid line top + h / 2.
using GraphRect = Rect;

[[nodiscard]] constexpr int midLine(const GraphRect& r) {
    return r.top + r.height() / 2;
}

// Proportions the series view and the statistics chart derive their geometry from, per mille.
struct GraphLayout {
    static constexpr int wMarginX = 12;       // of the work-area width
    static constexpr int wMarginY = 15;       // of the work-area height
    static constexpr int wGraphWidth = 800;   // of the work-area width
    static constexpr int wGraphHeight = 330;  // of the work-area height less 18 text lines
    static constexpr int wCellWidth = 50;     // of the work-area width
};

// The column of sample j of a series of n samples: left + (j * w) / (n - 1), truncated toward
// zero. Computed in 64 bits, so no window or series is too large. n < 2 gives left.
[[nodiscard]] int xOfSample(const GraphRect& r, std::uint32_t n, std::int64_t j);

// The row of value v for the half-range a: top + h - ((v + a) * h) / (2 * a); +a lands on the
// top edge, -a on the bottom edge; values beyond are not clipped. Computed in 64 bits. a = 0
// gives the mid line.
[[nodiscard]] int yOfValue(const GraphRect& r, std::int32_t a, std::int32_t v);

// Whether a series of n samples can be drawn with half-range a: n >= 2 and a != 0. The curve
// routines below draw nothing otherwise.
[[nodiscard]] constexpr bool canMapSeries(std::uint32_t n, std::int32_t a) {
    return n >= 2 && a != 0;
}

// The etalon of 1-based number `number` in the series' list, or null when there is none.
[[nodiscard]] const PulseHeader* etalonOf(const SeriesHeader& series, std::int32_t number);

// The vertical axis at the left edge and the mid line, with the current pen.
void drawGraphAxes(Canvas& canvas, const GraphRect& r);

// The noisy series (lpData) as one blue polyline starting on the mid line at the left edge.
// a : half-range of the graph
void drawSeriesCurve(Canvas& canvas, const GraphRect& r, std::int16_t a,
                     const SeriesHeader& series);

// Every original pulse as the whole curve of its etalon at its position, from and back to the
// mid line, with the current pen. Pulses without a valid etalon are left out.
void drawOriginalPulses(Canvas& canvas, const GraphRect& r, std::int16_t a,
                        const SeriesHeader& series);

// Every detected pulse as the whole curve of its etalon, whatever was kept; current pen.
void drawDetectedPulses(Canvas& canvas, const GraphRect& r, std::int16_t a,
                        const SeriesHeader& series);

// The kept samples lpBegins[i]..lpEnds[i] of every original pulse, from and back to the mid
// line; a whole pulse retraces drawOriginalPulses. Current pen.
void drawKeptParts(Canvas& canvas, const GraphRect& r, std::int16_t a, const SeriesHeader& series);

// One label under each pulse, its top-left corner at (left + (p * w) / N - 5, bottom - 1): the
// position p, then the letter (etalon number + 96) when `letters`, then "[begin..end] " for the
// cut-off series types 2 and 8.
// graphIndex : 1 or 2 labels the detected pulses, any other value the original ones
// frame       : frame (and fill with the current brush) the graph after the labels
void drawPulseLabels(Canvas& canvas, const GraphRect& r, std::uint16_t wSeriesType,
                     std::uint16_t graphIndex, bool letters, bool frame,
                     const SeriesHeader& series);

// The text of one pulse label, as drawPulseLabels writes it.
[[nodiscard]] std::string pulseLabel(std::int32_t position, std::int32_t etalon, bool letters,
                                     bool cutOff, std::int32_t begin, std::int32_t end);

}  // namespace mirovale
