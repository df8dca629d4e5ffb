#include "core/display/graph_primitives.h"

#include <algorithm>
#include <span>

#include "core/display/display_colours.h"
#include "core/host/format_text.h"
#include "core/state/program_state.h"

namespace mirovale {
namespace {

// One pulse set of a series: the original pulses or the detected ones.
struct PulseSet {
    std::size_t count = 0;
    std::span<const std::int16_t> positions;
    std::span<const std::int16_t> etalons;
    std::span<const std::int16_t> begins;
    std::span<const std::int16_t> ends;
};

// The pulses counted by `count`, cut to what the arrays hold.
PulseSet pulseSet(std::size_t count, const std::vector<std::int16_t>& positions,
                  const std::vector<std::int16_t>& etalons, const std::vector<std::int16_t>& begins,
                  const std::vector<std::int16_t>& ends) {
    const std::size_t n =
        std::min({count, positions.size(), etalons.size(), begins.size(), ends.size()});
    return {n, positions, etalons, begins, ends};
}

PulseSet originalPulses(const SeriesHeader& s) {
    return pulseSet(s.wImpulseQuantity, s.lpPositions, s.lpEtalonNumbers, s.lpBegins, s.lpEnds);
}

PulseSet detectedPulses(const SeriesHeader& s) {
    return pulseSet(s.wDetectedPulses, s.lpDetectedPositions, s.lpDetectedEtalons,
                    s.lpDetectedBegins, s.lpDetectedEnds);
}

// Samples first..last of an etalon placed at p, from and back to the mid line.
void drawEtalonPiece(Canvas& canvas, const GraphRect& r, std::uint32_t n, std::int16_t a,
                     std::int64_t p, const PulseHeader& etalon, std::int32_t first,
                     std::int32_t last) {
    const std::int32_t size =
        std::min<std::int32_t>(etalon.wSize, static_cast<std::int32_t>(etalon.lpData.size()));
    first = std::max(first, 0);
    last = std::min(last, size - 1);
    if (first > last) return;
    const int ym = midLine(r);
    canvas.moveTo(xOfSample(r, n, p + first), ym);
    for (std::int32_t k = first; k <= last; ++k)
        canvas.lineTo(xOfSample(r, n, p + k),
                      yOfValue(r, a, etalon.lpData[static_cast<std::size_t>(k)]));
    canvas.lineTo(xOfSample(r, n, p + last), ym);
}

// Every pulse of a set as its etalon's samples, whole or only the kept part.
void drawPulses(Canvas& canvas, const GraphRect& r, std::int16_t a, const SeriesHeader& series,
                const PulseSet& set, bool keptOnly) {
    if (!canMapSeries(series.dwSeriesSize, a)) return;
    for (std::size_t i = 0; i < set.count; ++i) {
        const PulseHeader* etalon = etalonOf(series, set.etalons[i]);
        if (etalon == nullptr) continue;
        const std::int32_t first = keptOnly ? set.begins[i] : 0;
        const std::int32_t last = keptOnly ? set.ends[i] : etalon->wSize - 1;
        drawEtalonPiece(canvas, r, series.dwSeriesSize, a, set.positions[i], *etalon, first, last);
    }
}

}  // namespace

int xOfSample(const GraphRect& r, std::uint32_t n, std::int64_t j) {
    if (n < 2) return r.left;
    return r.left + static_cast<int>(j * r.width() / (static_cast<std::int64_t>(n) - 1));
}

int yOfValue(const GraphRect& r, std::int32_t a, std::int32_t v) {
    if (a == 0) return midLine(r);
    const std::int64_t h = r.height();
    return r.top +
           static_cast<int>(h - (static_cast<std::int64_t>(v) + a) * h / (2 * std::int64_t{a}));
}

const PulseHeader* etalonOf(const SeriesHeader& series, std::int32_t number) {
    if (number < 1 || static_cast<std::size_t>(number) > series.lpPulsesList.size()) return nullptr;
    return series.lpPulsesList[static_cast<std::size_t>(number - 1)];
}

void drawGraphAxes(Canvas& canvas, const GraphRect& r) {
    canvas.moveTo(r.left, r.top);
    canvas.lineTo(r.left, r.bottom);
    canvas.moveTo(r.left, midLine(r));
    canvas.lineTo(r.right, midLine(r));
}

void drawSeriesCurve(Canvas& canvas, const GraphRect& r, std::int16_t a,
                     const SeriesHeader& series) {
    const std::uint32_t n = series.dwSeriesSize;
    if (!canMapSeries(n, a)) return;
    const std::size_t samples = std::min<std::size_t>(n, series.lpData.size());
    canvas.moveTo(r.left, midLine(r));
    ScopedPen pen(canvas, Pen{kSeriesCurveColour});
    for (std::size_t j = 0; j < samples; ++j)
        canvas.lineTo(xOfSample(r, n, static_cast<std::int64_t>(j)),
                      yOfValue(r, a, series.lpData[j]));
}

void drawOriginalPulses(Canvas& canvas, const GraphRect& r, std::int16_t a,
                        const SeriesHeader& series) {
    drawPulses(canvas, r, a, series, originalPulses(series), false);
}

void drawDetectedPulses(Canvas& canvas, const GraphRect& r, std::int16_t a,
                        const SeriesHeader& series) {
    drawPulses(canvas, r, a, series, detectedPulses(series), false);
}

void drawKeptParts(Canvas& canvas, const GraphRect& r, std::int16_t a, const SeriesHeader& series) {
    drawPulses(canvas, r, a, series, originalPulses(series), true);
}

std::string pulseLabel(std::int32_t position, std::int32_t etalon, bool letters, bool cutOff,
                       std::int32_t begin, std::int32_t end) {
    std::string text = formatText("%d", position);
    if (letters) text += static_cast<char>(etalon + 96);
    if (cutOff) text += formatText("[%d..%d] ", begin, end);
    return text;
}

void drawPulseLabels(Canvas& canvas, const GraphRect& r, std::uint16_t wSeriesType,
                     std::uint16_t graphIndex, bool letters, bool frame,
                     const SeriesHeader& series) {
    const PulseSet set =
        graphIndex == 1 || graphIndex == 2 ? detectedPulses(series) : originalPulses(series);
    const bool cutOff = isCutOffSeriesType(wSeriesType);
    const std::int64_t n = series.dwSeriesSize;
    for (std::size_t i = 0; i < set.count && n > 0; ++i) {
        const std::int64_t p = set.positions[i];
        const int x = r.left + static_cast<int>(p * r.width() / n) - 5;
        canvas.textOut(x, r.bottom - 1,
                       pulseLabel(set.positions[i], set.etalons[i], letters, cutOff, set.begins[i],
                                  set.ends[i]));
    }
    if (frame) canvas.rectangle(r.left, r.top, r.right + 1, r.bottom + 1);
}

}  // namespace mirovale
