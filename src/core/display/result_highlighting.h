#pragma once

#include <cstdint>
#include <vector>

#include "core/display/graph_primitives.h"
#include "core/host/canvas.h"
#include "core/synthesis/series_header.h"

namespace mirovale {

// Marks on the graphs of the series view. Columns are col(p) = (p * w) / (N - 1) from the
// graph's left edge; dots are single black pixels on every second pixel. Every routine draws
// nothing for a series shorter than 2 samples.

// A checkered shading between the mid line and the kept part of every original pulse, with the
// phase alternating column by column across the whole call.
// r : half-range of the graph; 0 draws nothing
void shadeOriginalPulses(Canvas& canvas, const GraphRect& graph, std::int16_t r,
                         const SeriesHeader& series);

// A dotted box around every detected pulse (its whole etalon length, h / 3 high about the mid
// line) and dotted verticals at its first and last kept sample.
void highlightDetectedPulses(Canvas& canvas, const GraphRect& graph, const SeriesHeader& series);

// The column spans of the tuples, widened by up to two columns on each side within the graph.
// detected : the detected tuples (lpTupleFirst, lpTupleLast); otherwise the original pulses in
//            groups of wSubsetSize (none when it is 0). Tuples whose pulses lie outside the
//            record are left out.
struct TupleSpan {
    int xa = 0;  // first column, from the graph's left edge
    int xb = 0;  // last column
    friend bool operator==(const TupleSpan&, const TupleSpan&) = default;
};
[[nodiscard]] std::vector<TupleSpan> tupleSpans(const GraphRect& graph, const SeriesHeader& series,
                                                bool detected);

// A dotted box around every tuple span, (h * 13) / 32 high about the mid line.
void frameTuples(Canvas& canvas, const GraphRect& graph, const SeriesHeader& series, bool detected);

// A rectangle of 192, 191, 178 behind every tuple span, (h * 3) / 8 above and below the mid line.
void shadeTuples(Canvas& canvas, const GraphRect& graph, const SeriesHeader& series, bool detected);

}  // namespace mirovale
