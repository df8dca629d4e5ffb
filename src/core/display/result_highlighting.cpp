#include "core/display/result_highlighting.h"

#include <algorithm>

#include "core/display/display_colours.h"

namespace mirovale {
namespace {

int col(const GraphRect& g, const SeriesHeader& series, std::int64_t p) {
    return xOfSample(g, series.dwSeriesSize, p) - g.left;
}

// Dotted verticals at columns xa and xb, from the mid line up and down while a step counter
// stays below `extent`; yu and yd end one step beyond the last dots.
void dottedSides(Canvas& canvas, const GraphRect& g, int xa, int xb, int extent, int& yu, int& yd) {
    yu = yd = midLine(g);
    for (int k = 0; k < extent; k += 2) {
        canvas.setPixel(g.left + xa, yu, kDotColour);
        canvas.setPixel(g.left + xa, yd, kDotColour);
        canvas.setPixel(g.left + xb, yu, kDotColour);
        canvas.setPixel(g.left + xb, yd, kDotColour);
        yu -= 2;
        yd += 2;
    }
}

// A dotted box: the two sides, then the top and bottom edges at the rows the sides reached.
void dottedBox(Canvas& canvas, const GraphRect& g, int xa, int xb, int extent) {
    int yu = 0;
    int yd = 0;
    dottedSides(canvas, g, xa, xb, extent, yu, yd);
    for (int x = xa; x <= xb; x += 2) {
        canvas.setPixel(g.left + x, yu, kDotColour);
        canvas.setPixel(g.left + x, yd, kDotColour);
    }
}

// The span of positions a..b + L - 1, widened by up to two columns each way within the graph.
TupleSpan widenedSpan(const GraphRect& g, const SeriesHeader& series, std::int64_t a,
                      std::int64_t b) {
    TupleSpan span{col(g, series, a), col(g, series, b + series.wImpulseSize - 1)};
    for (int i = 0; i < 2 && span.xa > 0; ++i) --span.xa;
    for (int i = 0; i < 2 && span.xb < g.width() - 1; ++i) ++span.xb;
    return span;
}

// Row of value v from the graph's top for the half-range r.
int rowOf(const GraphRect& g, std::int16_t r, std::int32_t v) {
    return yOfValue(g, r, v) - g.top;
}

// The shading of one kept sample k: the columns from it to the next sample, each dotted between
// the mid line and the curve stepped along the segment.
void shadeSample(Canvas& canvas, const GraphRect& g, int x1, int x2, int y, int yNext, int& z) {
    const int h = g.height();
    const int dy = yNext - y;
    const int dx = x2 - x1;
    int err = dx >> 1;
    if (dy > 0) err = -err;
    for (int x = x1; x < x2; ++x) {
        if (y <= h / 2) {
            for (int row = h / 2 - z; row > y; row -= 2)
                canvas.setPixel(g.left + x, g.top + row, kDotColour);
        } else {
            for (int row = h / 2 + z; row < y; row += 2)
                canvas.setPixel(g.left + x, g.top + row, kDotColour);
        }
        z = 1 - z;
        err += dy;
        if (dy > 0) {
            while (err > 0) {
                ++y;
                err -= dx;
            }
        } else {
            while (err < 0) {
                --y;
                err += dx;
            }
        }
    }
}

}  // namespace

void shadeOriginalPulses(Canvas& canvas, const GraphRect& graph, std::int16_t r,
                         const SeriesHeader& series) {
    if (!canMapSeries(series.dwSeriesSize, r)) return;
    const std::size_t pulses =
        std::min({static_cast<std::size_t>(series.wImpulseQuantity), series.lpPositions.size(),
                  series.lpEtalonNumbers.size(), series.lpBegins.size(), series.lpEnds.size()});
    int z = 0;
    for (std::size_t i = 0; i < pulses; ++i) {
        const PulseHeader* etalon = etalonOf(series, series.lpEtalonNumbers[i]);
        if (etalon == nullptr) continue;
        const std::int32_t size =
            std::min<std::int32_t>(etalon->wSize, static_cast<std::int32_t>(etalon->lpData.size()));
        const std::int64_t p = series.lpPositions[i];
        const std::int32_t b = std::max<std::int32_t>(series.lpBegins[i], 0);
        const std::int32_t e = std::min<std::int32_t>(series.lpEnds[i], size - 1);
        for (std::int32_t k = b; k <= e; ++k) {
            const auto sample = [&](std::int32_t j) {
                return j < size ? etalon->lpData[static_cast<std::size_t>(j)] : 0;
            };
            const int x1 = col(graph, series, p + k);
            const int x2 = k < e ? col(graph, series, p + k + 1) : x1;
            shadeSample(canvas, graph, x1, x2, rowOf(graph, r, sample(k)),
                        rowOf(graph, r, sample(k + 1)), z);
        }
    }
}

void highlightDetectedPulses(Canvas& canvas, const GraphRect& graph, const SeriesHeader& series) {
    if (series.dwSeriesSize < 2) return;
    const std::size_t pulses = std::min(
        {static_cast<std::size_t>(series.wDetectedPulses), series.lpDetectedPositions.size(),
         series.lpDetectedBegins.size(), series.lpDetectedEnds.size()});
    const int t3 = graph.height() / 3;
    for (std::size_t i = 0; i < pulses; ++i) {
        const std::int64_t p = series.lpDetectedPositions[i];
        dottedBox(canvas, graph, col(graph, series, p),
                  col(graph, series, p + series.wImpulseSize - 1), t3);
        int yu = 0;
        int yd = 0;
        dottedSides(canvas, graph, col(graph, series, p + series.lpDetectedBegins[i]),
                    col(graph, series, p + series.lpDetectedEnds[i]), t3, yu, yd);
    }
}

std::vector<TupleSpan> tupleSpans(const GraphRect& graph, const SeriesHeader& series,
                                  bool detected) {
    std::vector<TupleSpan> spans;
    if (detected) {
        const std::size_t tuples =
            std::min({static_cast<std::size_t>(series.wDetectedTuples), series.lpTupleFirst.size(),
                      series.lpTupleLast.size()});
        const std::size_t pulses = series.lpDetectedPositions.size();
        for (std::size_t t = 0; t < tuples; ++t) {
            const std::int32_t first = series.lpTupleFirst[t];
            const std::int32_t last = series.lpTupleLast[t];
            if (first < 1 || last < 1 || static_cast<std::size_t>(first) > pulses ||
                static_cast<std::size_t>(last) > pulses)
                continue;
            spans.push_back(widenedSpan(
                graph, series, series.lpDetectedPositions[static_cast<std::size_t>(first - 1)],
                series.lpDetectedPositions[static_cast<std::size_t>(last - 1)]));
        }
        return spans;
    }
    const std::size_t size = series.wSubsetSize;
    const std::size_t pulses =
        std::min<std::size_t>(series.wImpulseQuantity, series.lpPositions.size());
    if (size == 0) return spans;
    for (std::size_t last = 0; last < pulses;) {
        const std::size_t first = last + 1;
        last = std::min(last + size, pulses);
        spans.push_back(widenedSpan(graph, series, series.lpPositions[first - 1],
                                    series.lpPositions[last - 1]));
    }
    return spans;
}

void frameTuples(Canvas& canvas, const GraphRect& graph, const SeriesHeader& series,
                 bool detected) {
    if (series.dwSeriesSize < 2) return;
    for (const TupleSpan& span : tupleSpans(graph, series, detected))
        dottedBox(canvas, graph, span.xa, span.xb, graph.height() * 13 / 32);
}

void shadeTuples(Canvas& canvas, const GraphRect& graph, const SeriesHeader& series,
                 bool detected) {
    if (series.dwSeriesSize < 2) return;
    const int ym = midLine(graph);
    const int q = graph.height() * 3 / 8;
    for (const TupleSpan& span : tupleSpans(graph, series, detected)) {
        ScopedPen pen(canvas, Pen{kTupleShadeColour});
        ScopedBrush brush(canvas, Brush{kTupleShadeColour});
        canvas.rectangle(graph.left + span.xa, ym - q, graph.left + span.xb, ym + q);
    }
}

}  // namespace mirovale
