#include "core/display/error_chart.h"

#include <algorithm>
#include <ctime>
#include <optional>
#include <string>

#include "core/display/chart_scale.h"
#include "core/display/etalon_cell.h"
#include "core/host/allocation.h"
#include "core/host/format_text.h"

namespace mirovale {
namespace {

// The work area and the proportions the chart is laid out with.
struct ChartArea {
    int X0 = 0, Y0 = 0, X1 = 0, Y1 = 0;
    int W = 0, H = 0;
    int lh = 0;   // wLineHeight
    int mx = 0;   // horizontal margin
    int my = 0;   // vertical margin
    int my2 = 0;  // half vertical margin
    int cw = 0;   // etalon cell width
};

ChartArea chartArea(const WindowLayout& layout) {
    const InclusiveRect& a = layout.rcWorkArea;
    ChartArea g;
    g.X0 = a.left;
    g.Y0 = a.top;
    g.X1 = a.right;
    g.Y1 = a.bottom;
    g.W = a.width();
    g.H = a.height();
    g.lh = layout.wLineHeight;
    g.mx = g.W * GraphLayout::wMarginX / 1000;
    g.my = (g.H * GraphLayout::wMarginY + 500) / 1000;
    g.my2 = (g.H * GraphLayout::wMarginY + 1000) / 2000;
    g.cw = g.W * GraphLayout::wCellWidth / 1000;
    return g;
}

const char* modeTitle(std::uint32_t mode) {
    switch (mode) {
        case CHART_RESTORED:
            return " restored error, componentwise case";
        case CHART_RESTORED_AGGREGATE:
            return " restored error, agregate form";
        case CHART_DETECTION:
            return " detection error, componentwise case";
        case CHART_DETECTION_AGGREGATE:
            return " detection error, agregate form";
        case CHART_RECOGNITION:
        case CHART_RECOGNITION_BOUNDS:
            return " recognition error, componentwise case";
        case CHART_RECOGNITION_AGGREGATE:
        case CHART_RECOGNITION_AGGREGATE_BOUNDS:
            return " recognition error, agregate form";
        default:
            return "";
    }
}

const char* orEmpty(const char* text) {
    return text != nullptr ? text : "";
}

// The " involves " line: every pulse number for fewer than four, else the first two and the
// last, then the series' range of pulse counts.
std::string involvesLine(const RestErrorHeader& r, const SeriesHeader& s) {
    const std::size_t p = std::min<std::size_t>(r.wVariousPulses, r.wPulseValues.size());
    std::string line = " involves ";
    if (p < 4) {
        for (std::size_t i = 0; i < p; ++i) line += formatText(" %d,", r.wPulseValues[i]);
    } else {
        line += formatText(" %d,", r.wPulseValues[0]) + formatText(" %d,", r.wPulseValues[1]);
        line += formatText("..., %d ", r.wPulseValues[p - 1]);
    }
    return line + formatText(" pulses from [%d-%d],", s.wMinPulses, s.wMaxPulses);
}

// The text block describing the simulation, from half a line above the work area down.
void drawTextBlock(Canvas& canvas, const ChartArea& g, const RestErrorHeader& r,
                   const SeriesHeader& s, int A, std::uint32_t mode) {
    const std::size_t q = std::min<std::size_t>(r.wNoiseLevels, r.lpNoiseLevels.size());
    const int first = q > 0 ? r.lpNoiseLevels[0] : 0;
    const int last = q > 0 ? r.lpNoiseLevels[q - 1] : 0;
    const int step = q > 1 ? r.lpNoiseLevels[1] - first : 0;
    const std::string lines[] = {
        formatText(" statistical simulation for %s in series with %s ", orEmpty(r.lpTaskName),
                   orEmpty(r.lpSeriesTypeName)),
        formatText(" series length %d, ", static_cast<int>(s.dwSeriesSize)),
        involvesLine(r, s),
        formatText(" with length %d", s.wImpulseSize) + formatText(", amplitude %d", A),
        formatText(" Tmin=%d, Tmax=%d,", s.wTmin, s.wTmax),
        formatText(" number of %d noise levels", r.wNoiseLevels),
        formatText(" from %d to %d with step %d", first, last, step),
        modeTitle(mode),
        formatText(" for volume of % d repeats", static_cast<int>(r.repeats)),
    };
    const int x = g.X0 + 10;
    int y = g.Y0 - g.lh / 2;
    for (const std::string& line : lines) {
        canvas.textOut(x, y, line);
        y += g.lh + 1;
    }
}

// The amplitude of the etalon cells: the setting, or for 0 the least doubling of 128 that
// reaches the noise level (kept within 16 bits).
std::int16_t displayAmplitude(std::uint16_t A, std::uint16_t noise) {
    int a = A;
    if (a == 0) {
        a = 128;
        while (a < noise && a < 16384) a *= 2;
    }
    return static_cast<std::int16_t>(std::min(a, 32767));
}

// The etalon box at the right edge with the required etalons in two columns; returns its left.
int drawEtalonBox(Canvas& canvas, const ChartArea& g, const ProgramState& state,
                  std::int16_t amplitude) {
    const std::size_t count =
        std::min<std::size_t>(state.wRequiredCount, state.lpRequiredList.size());
    const int rows = static_cast<int>((2 * count + 2) / 4);
    const int bw = 2 * (g.cw + 2 * g.mx) + g.mx / 2;
    const int left = g.X1 - bw - g.mx + 1;
    const int top = g.Y0 + g.my + g.lh / 2;
    const int available = g.Y1 - top - (g.lh - 3 + g.lh / 4);
    const int rowGap = g.my2 + g.lh;
    int ch = (available - 2 * g.my) / 8 - rowGap;
    int height = rows * (ch + rowGap) + 2 * g.my;
    if (height > available && rows > 0) {
        ch = (available - 2 * g.my) / rows - rowGap;
        height = available;
    }
    const int right = g.X1 - g.mx + 2;
    canvas.rectangle(left, top, right, top + 1 + height);
    canvas.textOut(left + 7, top - g.my,
                   right - left < 100
                       ? formatText(" Alph: %d ", static_cast<int>(count))
                       : formatText(" Alphabet, %d items ", static_cast<int>(count)));
    for (int c = 0; c < 2; ++c)
        for (int r = 0; r < rows; ++r) {
            const std::size_t k = static_cast<std::size_t>(r + c * rows);
            if (k >= count) continue;
            const std::uint16_t number = state.lpRequiredList[k];
            if (number < 1 || number > state.etalonTable.size()) continue;
            const int x = left + g.mx + c * (g.cw + 2 * g.mx);
            const int y = top + g.my + r * (ch + rowGap);
            drawEtalonCell(canvas, g.lh, state.etalonTable[number - 1u], amplitude,
                           CellState::Plain, GraphRect{x, y, x + g.cw, y + ch});
        }
    return left;
}

// A moment in the runtime's calendar format without its line break, e.g.
// "Sun Dec  6 20:09:11 2026"; none for an unset (0) or unrepresentable time.
std::optional<std::string> calendarTime(std::int64_t seconds) {
    if (seconds == 0) return std::nullopt;
    const auto t = static_cast<std::time_t>(seconds);
    std::tm parts{};
    if (localtime_r(&t, &parts) == nullptr) return std::nullopt;
    char text[64];
    if (std::strftime(text, sizeof text, "%a %b %e %H:%M:%S %Y", &parts) == 0) return std::nullopt;
    return std::string(text);
}

// The start, end and elapsed time of the last simulation; returns the top of the next text.
int drawTimes(Canvas& canvas, const ChartArea& g, int x, int y, const SimulationTimes& times) {
    if (const auto start = calendarTime(times.startTime)) canvas.textOut(x, y, *start);
    y += g.lh + 1;
    if (const auto end = calendarTime(times.endTime)) canvas.textOut(x, y, *end);
    y += 2 * g.lh + 2;
    const bool set = times.startTime != 0 && times.endTime != 0;
    const std::int64_t d = set ? std::max<std::int64_t>(times.endTime - times.startTime, 0) : 0;
    const int minutes = static_cast<int>(d % 3600 / 60);
    const int seconds = static_cast<int>(d % 60);
    canvas.textOut(x, y,
                   formatText("elapsed time %d:%d%d:%d%d", static_cast<int>(d / 3600), minutes / 10,
                              minutes % 10, seconds / 10, seconds % 10));
    return y + 3 * g.lh + 3;
}

// The etalons of one row of the tuple box.
using TupleRow = std::vector<const PulseHeader*>;

std::vector<TupleRow> tupleRows(const SeriesHeader& s, bool stored) {
    if (stored) return storedSubsetEtalons(s);
    std::vector<TupleRow> rows;
    if (s.wSubsetSize == 0) return rows;
    TupleRow& row = rows.emplace_back();
    for (std::size_t k = 0; k < s.wSubsetSize && k < s.lpSubset.size(); ++k)
        if (const PulseHeader* e = etalonOf(s, s.lpSubset[k])) row.push_back(e);
    return rows;
}

// The box of pattern tuples under the times: the stored subsets for tuple recognition, whose
// rows it records in subsetLabelRect, else the current subset. Returns the top of the next text.
int drawTupleBox(Canvas& canvas, const ChartArea& g, int x, int y, ProgramState& state,
                 std::int16_t amplitude) {
    const SeriesHeader& s = *state.lpSeriesHeader;
    const bool stored = state.lpRestErrorHeader->wTaskType == TASK_TUPLE_RECOGNITION;
    const std::vector<TupleRow> rows = tupleRows(s, stored);
    if (rows.empty()) return y;
    const char* heading = stored ? " pattern tuples " : " pattern tuple ";
    const TextSize headingSize = canvas.textExtent(heading);
    const int cellWidth = std::max(g.cw / 2, 8);
    const int cellHeight = g.lh;
    const int cellStep = cellWidth + 10;
    const int rowHeight = 1 + g.lh + g.lh / 4 + cellHeight + 2 + g.my2;
    std::size_t widest = 0;
    for (const TupleRow& row : rows) widest = std::max(widest, row.size());
    const int width = std::max(10 + static_cast<int>(widest) * cellStep, headingSize.width + 20);
    const int height = static_cast<int>(rows.size()) * rowHeight + 2 * g.my2;
    canvas.rectangle(x, y, x + width, y + height);
    canvas.textOut(x + width - 10 - headingSize.width, y - 3 * headingSize.height / 4, heading);
    std::vector<InclusiveRect>& labels = state.subsetPanel.subsetLabelRect;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const int top = y + g.my2 + static_cast<int>(r) * rowHeight;
        if (stored && r < labels.size())
            labels[r] = {x + 1, top, x + width - 2, top + rowHeight - 1};
        for (std::size_t k = 0; k < rows[r].size(); ++k) {
            const int left = x + 10 + static_cast<int>(k) * cellStep;
            drawEtalonCell(canvas, g.lh, *rows[r][k], amplitude, CellState::Plain,
                           GraphRect{left, top, left + cellWidth, top + cellHeight});
        }
    }
    return y + height + 2 * g.my;
}

// Where the curves are drawn: columns `step` pixels apart from `left`, rows from `top`.
struct Plot {
    int left = 0, top = 0, right = 0, bottom = 0;
    int u = 0;     // a fortieth of the height
    int step = 0;  // column step s; 0 for fewer than two noise levels
};

int even(int x) {
    return (x + 1) / 2 * 2;
}

Plot plotFor(const ChartArea& g, int boxLeft, int fontHeight, std::size_t q) {
    Plot plot;
    const int availableHeight = g.H - g.my - g.my / 2 - 2 * fontHeight;
    plot.u = std::max(((availableHeight / 10) + 2) / 4, 0);
    const int availableWidth =
        std::max(std::min((boxLeft - 2 * g.mx) / 2, 2 * availableHeight / 3), 0);
    int width = availableWidth;  // one noise level: empty axes of the width at hand
    if (q >= 2) {
        const int columns = static_cast<int>(q - 1);
        plot.step = std::min(even(availableWidth / columns), even((4 * plot.u + 2) / 5));
        width = columns * plot.step;
    }
    plot.right = boxLeft - (6 * g.mx - 1);
    plot.left = plot.right - width;
    plot.top = g.Y0 + (std::max(g.lh + 1, g.my) + fontHeight) / 2;
    plot.bottom = plot.top + 40 * plot.u;
    return plot;
}

void frameLines(Canvas& canvas, int l, int t, int r, int b) {
    canvas.moveTo(l, t);
    canvas.lineTo(l, b);
    canvas.lineTo(r, b);
    canvas.lineTo(r, t);
    canvas.lineTo(l, t);
}

void drawPlotFrame(Canvas& canvas, const Plot& p) {
    frameLines(canvas, p.left, p.top, p.right, p.bottom);
    frameLines(canvas, p.left - 1, p.top - 1, p.right + 1, p.bottom + 1);
    // Dotted grid: a row every 4 u and a column every 2 s, one black pixel in four.
    if (p.u > 0)
        for (int y = p.top + 4 * p.u; y < p.bottom; y += 4 * p.u)
            for (int x = p.left; x <= p.right; x += 4) canvas.setPixel(x, y, kBlack);
    if (p.step > 0)
        for (int x = p.left + 2 * p.step; x < p.right; x += 2 * p.step)
            for (int y = p.top; y <= p.bottom; y += 4) canvas.setPixel(x, y, kBlack);
}

void drawAxisLabels(Canvas& canvas, const Plot& p, const RestErrorHeader& r, std::size_t q,
                    const ChartScale& scale) {
    const FontMetrics m = canvas.fontMetrics();
    const int labelY = p.bottom + m.height / 4;
    int sigmaX = p.right + m.averageCharWidth;
    for (std::size_t j = 0; j < q; j += 4) {
        const int x = p.left + static_cast<int>(j) * p.step - 3 * m.averageCharWidth / 2;
        canvas.textOut(x, labelY, formatText("%3d", r.lpNoiseLevels[j]));
        sigmaX = x + 4 * m.averageCharWidth;
    }
    canvas.textOut(sigmaX, labelY - m.height, "s");
    for (int i = 0; i <= 5; ++i) {
        const double value = static_cast<double>(i * scale.tick) / 1000.0;
        const std::string text = formatText(scale.top < 50 ? "%.3f" : "%.2f", value);
        const int width = canvas.textExtent(text).width;
        canvas.textOut(p.left - width - m.averageCharWidth, p.bottom - i * 8 * p.u - m.height / 2,
                       text);
    }
}

struct Shift {
    int dx = 0;
    int dy = 0;
};

// The passes that thicken the curves of a mode: the line itself, then shifted copies.
std::vector<Shift> thickening(std::uint32_t mode) {
    switch (mode) {
        case CHART_RESTORED:
        case CHART_RESTORED_AGGREGATE:
            return {{0, 0}, {0, 1}};
        case CHART_DETECTION:
            return {{0, 0}, {0, 1}, {1, 0}};
        case CHART_DETECTION_AGGREGATE:
            return {{0, 0}};
        default:
            return {{0, 0}, {1, 0}, {0, 1}};
    }
}

void drawCurve(Canvas& canvas, const Plot& p, const ChartCurve& c,
               const std::vector<Shift>& passes) {
    int lastX = p.left;
    int lastY = p.bottom;
    for (const Shift& s : passes) {
        canvas.moveTo(p.left + s.dx, p.bottom + s.dy);
        for (std::size_t k = 0; k < c.rows.size(); ++k) {
            lastX = p.left + static_cast<int>(c.firstColumn + k) * p.step;
            lastY = p.top + c.rows[k];
            canvas.lineTo(lastX + s.dx, lastY + s.dy);
        }
    }
    if (c.label.empty()) return;
    const int raise = (canvas.textExtent(c.label).height + 1) / 2 + 1;
    canvas.textOut(lastX + 2, lastY - raise, c.label);
}

void drawChart(Canvas& canvas, const ChartArea& g, int x, int y, int boxLeft,
               const ProgramState& state, const ChartNormalizers& n, const EtalonCorrelation& c) {
    const RestErrorHeader& r = *state.lpRestErrorHeader;
    const std::uint32_t mode = state.dwChartMode;
    const std::size_t q = std::min<std::size_t>(r.wNoiseLevels, r.lpNoiseLevels.size());
    {
        ScopedFont formulaFont(canvas, Font{FontFace::Symbol, std::max((g.H + 12) / 25, g.lh + 2)});
        if (mode == CHART_RESTORED || mode == CHART_RESTORED_AGGREGATE)
            canvas.textOut(x, y, "e(s)=E||C-<C>||2/||C||2");
        else if (mode == CHART_DETECTION || mode == CHART_DETECTION_AGGREGATE)
            canvas.textOut(x, y, "e(s)=E||h-<h>||2/||h||2");
        y += canvas.fontMetrics().height + 1;
    }
    const int asked = std::max((g.H + 11) / 22, g.lh + 2);
    ScopedFont labelFont(canvas, Font{FontFace::Symbol, asked});
    const int fontHeight = canvas.fontMetrics().height;
    canvas.textOut(x, y, formatText(" %d -> %d", asked, fontHeight));

    const Plot plot = plotFor(g, boxLeft, fontHeight, q);
    drawPlotFrame(canvas, plot);
    const ChartScale scale =
        chartScale(mode, r, n, state.dwFixedUpperBound != 0, state.dUpperBound);
    drawAxisLabels(canvas, plot, r, q, scale);
    const int h = plot.bottom - plot.top;
    for (const ChartCurve& curve : chartCurves(mode, r, n, scale, h))
        drawCurve(canvas, plot, curve, thickening(mode));
    if (mode == CHART_RECOGNITION_BOUNDS || mode == CHART_RECOGNITION_AGGREGATE_BOUNDS)
        for (const ChartCurve& curve : boundCurves(r, *state.lpSeriesHeader, c, scale, h))
            drawCurve(canvas, plot, curve, thickening(CHART_RECOGNITION));
}

}  // namespace

void DrawDetectionArrayZ(Host& host, Canvas& canvas, ProgramState& state,
                         const WindowLayout& layout) {
    const RestErrorHeader* record = state.lpRestErrorHeader.get();
    const SeriesHeader* series = state.lpSeriesHeader.get();
    // The normalizers of every pulse number, each 1 until computed.
    std::vector<ChartNormalizers> normalizers;
    const std::size_t p = record != nullptr ? record->wVariousPulses : 0;
    if (!tryAssign(normalizers, p)) {
        host.messageBox("No memory to RestoredErrorNormalizer", " ERROR in DrawDetectionArrayZ ",
                        MessageIcon::None);
        return;
    }
    const ChartArea g = chartArea(layout);
    canvas.rectangle(g.X0, g.Y0, g.X0 + g.W + 1, g.Y0 + g.H + 1);
    if (record == nullptr || series == nullptr) return;  // no simulation has run

    drawTextBlock(canvas, g, *record, *series, state.wAmplitude, state.dwChartMode);
    const std::int16_t amplitude = displayAmplitude(state.wAmplitude, series->wNoiseLevel);
    const int boxLeft = drawEtalonBox(canvas, g, state, amplitude);

    const std::size_t required =
        std::min<std::size_t>(state.wRequiredCount, state.lpRequiredList.size());
    const EtalonCorrelation c = etalonCorrelation(
        *series, *record, std::span<const std::uint16_t>(state.lpRequiredList.data(), required));
    std::fill(normalizers.begin(), normalizers.end(), chartNormalizers(*series, c));
    const int x = g.X0 + g.mx;
    int y = g.Y0 + 1 + 10 * g.lh;
    canvas.textOut(
        x, y,
        formatText("etEnergy=%lld, Rmin=%lld, Rmax=%lld", static_cast<long long>(c.energy),
                   static_cast<long long>(c.rMin), static_cast<long long>(c.rMax)));
    y = drawTimes(canvas, g, x, y + 3 * g.lh + 3, state.simulationTimes);
    if (isTupleSeriesType(record->wSeriesType)) y = drawTupleBox(canvas, g, x, y, state, amplitude);
    drawChart(canvas, g, x, y, boxLeft, state,
              normalizers.empty() ? ChartNormalizers{} : normalizers.front(), c);
}

}  // namespace mirovale
