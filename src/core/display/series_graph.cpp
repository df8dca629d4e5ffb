#include "core/display/series_graph.h"

#include <algorithm>
#include <span>
#include <string>

#include "core/display/graph_primitives.h"
#include "core/display/restore_error.h"
#include "core/display/result_highlighting.h"
#include "core/display/series_panels.h"
#include "core/display/series_view_geometry.h"
#include "core/host/format_text.h"
#include "core/processing/true_chain.h"

namespace mirovale {
namespace {

// Lists of pulses in the captions, the result block and the chain table end after this many.
constexpr std::size_t kListedPulses = 19;
// Rows of the chain table at most.
constexpr std::size_t kChainRows = 6;
// Offset of the pulse columns of the chain table from the block's left edge.
constexpr int kChainColumn = 100;

// One painting of the view: the records, the codes that steer it and the geometry.
struct View {
    Canvas& canvas;
    ProgramState& state;
    const SeriesHeader& series;
    const ChainsHeader* chains;
    std::uint16_t T = 0;  // task of the result record
    std::uint16_t S = 0;  // series type of the result record
    bool labelled = false;
    bool letters = false;  // etalon letters follow the positions
    GraphAmplitude amplitude;
    SeriesViewGeometry g;
};

std::string letter(std::int32_t etalon) {
    return formatText("%c", etalon + 96);
}

bool isTupleTask(std::uint16_t task) {
    return task == TASK_TUPLE_DETECTION || task == TASK_TUPLE_RECOGNITION;
}

// Sample j of a signal, 0 beyond its end.
std::int64_t sampleAt(const std::vector<std::int16_t>& signal, std::int64_t j) {
    return j >= 0 && static_cast<std::size_t>(j) < signal.size()
               ? signal[static_cast<std::size_t>(j)]
               : 0;
}

// Noise-to-signal figures of the caption: noise energy over the whole series and over the
// pulses' spans, each over the signal energy; 0 without signal energy. Summed in 64 bits.
struct NoiseRatios {
    double all = 0;
    double pulses = 0;
};

NoiseRatios noiseRatios(const SeriesHeader& s) {
    const std::int64_t n = s.dwSeriesSize;
    std::int64_t es = 0;
    std::int64_t ea = 0;
    for (std::int64_t j = 0; j < n; ++j) {
        const std::int64_t pure = sampleAt(s.lpPureData, j);
        const std::int64_t noise = sampleAt(s.lpData, j) - pure;
        es += pure * pure;
        ea += noise * noise;
    }
    std::int64_t ep = 0;
    const std::size_t pulses = std::min<std::size_t>(s.wImpulseQuantity, s.lpPositions.size());
    for (std::size_t i = 0; i < pulses; ++i) {
        for (std::int64_t j = s.lpPositions[i]; j < s.lpPositions[i] + s.wImpulseSize; ++j) {
            if (j >= n) break;
            const std::int64_t noise = sampleAt(s.lpData, j) - sampleAt(s.lpPureData, j);
            ep += noise * noise;
        }
    }
    if (es <= 0) return {};
    return {static_cast<double>(ea) / static_cast<double>(es),
            static_cast<double>(ep) / static_cast<double>(es)};
}

// The original pulses as the captions list them: " %d", letter, "[%d..%d] ".
std::string originalPulseList(const View& v) {
    const SeriesHeader& s = v.series;
    const std::size_t n =
        std::min({static_cast<std::size_t>(s.wImpulseQuantity), s.lpPositions.size(),
                  s.lpEtalonNumbers.size(), s.lpBegins.size(), s.lpEnds.size()});
    std::string text;
    for (std::size_t i = 0; i < n; ++i) {
        if (i >= kListedPulses) {
            text += "...";
            break;
        }
        text += formatText(" %d", s.lpPositions[i]);
        if (v.letters) text += letter(s.lpEtalonNumbers[i]);
        if (isCutOffSeriesType(v.S)) text += formatText("[%d..%d] ", s.lpBegins[i], s.lpEnds[i]);
    }
    return text;
}

void drawFrame(Canvas& canvas, const SeriesViewGeometry& g) {
    canvas.moveTo(g.X0, g.Y0);
    canvas.lineTo(g.X0, g.Y0 + g.H);
    canvas.lineTo(g.X0 + g.W, g.Y0 + g.H);
    canvas.lineTo(g.X0 + g.W, g.Y0);
    canvas.lineTo(g.X0, g.Y0);
}

void drawCaptions(View& v) {
    const SeriesHeader& s = v.series;
    const int x = v.g.gx;
    int y = v.g.Y0 - (v.g.lh >> 1);
    if (v.labelled) {
        const char* task = v.chains->lpTaskName != nullptr ? v.chains->lpTaskName : "(null)";
        const char* type =
            v.chains->lpSeriesTypeName != nullptr ? v.chains->lpSeriesTypeName : "(null)";
        v.canvas.textOut(x, y, formatText(" %s for series with %s ", task, type));
        y += v.g.lh + 1;
        v.letters = v.T != TASK_DETECTION;
    }
    const NoiseRatios ratios = noiseRatios(s);
    v.canvas.textOut(
        x, y,
        formatText(" series length %d, ", static_cast<int>(s.dwSeriesSize)) +
            formatText("Tmin=%d, Tmax=%d, ", s.wTmin, s.wTmax) +
            formatText(" amplitude %d, noise level %d, all N/S %.3g,  N/S %.3g",
                       static_cast<int>(v.amplitude.a), s.wNoiseLevel, ratios.all, ratios.pulses));
    y += v.g.lh;
    std::string pulses = formatText(" pulses number %d [%d-%d], length %d", s.wImpulseQuantity,
                                    s.wMinPulses, s.wMaxPulses, s.wImpulseSize);
    if (v.labelled && isCutOffSeriesType(v.S))
        pulses += formatText(", saved energy level for making/processing %d/%d",
                             v.chains->wMakingLevel, v.chains->wProcessingLevel);
    v.canvas.textOut(x, y, pulses);
    y += v.g.lh;
    v.canvas.textOut(x, y, " pulses:" + originalPulseList(v));
}

// The tuple marks of graph `index`, before its axes.
void highlightTuples(const View& v, int index, const GraphRect& r) {
    if (!isTupleTask(v.T)) return;
    const std::uint16_t detectedStyle = v.state.wDetectedTuplesStyle;
    if (index == 0 && detectedStyle == 0) {
        if (v.state.wOriginalTuplesStyle == 1) frameTuples(v.canvas, r, v.series, false);
        if (v.state.wOriginalTuplesStyle == 2) shadeTuples(v.canvas, r, v.series, false);
        return;
    }
    if (index != 0 && !isTupleSeriesType(v.S)) return;
    if (detectedStyle == 1) frameTuples(v.canvas, r, v.series, true);
    if (detectedStyle == 2) shadeTuples(v.canvas, r, v.series, true);
}

void drawGraph(const View& v, int index) {
    const GraphRect r = v.g.graph(index);
    const bool frame = v.state.dwFrameGraphFields != 0 && v.state.dwSpecialGraphSize == 0;
    drawPulseLabels(v.canvas, r, v.S, static_cast<std::uint16_t>(index), v.letters, frame,
                    v.series);
    if (frame) v.canvas.rectangle(r.left, r.top, r.right + 1, r.bottom + 1);
    highlightTuples(v, index, r);
    if (v.state.dwHighlightDetected != 0) highlightDetectedPulses(v.canvas, r, v.series);
    drawGraphAxes(v.canvas, r);
    const std::int16_t R = v.amplitude.r;
    if (index == 0) {
        drawOriginalPulses(v.canvas, r, R, v.series);
        drawKeptParts(v.canvas, r, R, v.series);
        if (v.state.dwShadedOriginal != 0) shadeOriginalPulses(v.canvas, r, R, v.series);
    } else if (index == 1) {
        drawSeriesCurve(v.canvas, r, R, v.series);
    } else {
        drawDetectedPulses(v.canvas, r, R, v.series);
    }
}

// Whether every detected pulse has an etalon: the third graph needs them.
bool detectedEtalonsKnown(const SeriesHeader& s) {
    const std::size_t n = std::min<std::size_t>(s.wDetectedPulses, s.lpDetectedEtalons.size());
    return std::all_of(s.lpDetectedEtalons.begin(),
                       s.lpDetectedEtalons.begin() + static_cast<std::ptrdiff_t>(n),
                       [](std::int16_t e) { return e != 0; });
}

std::string detectedTupleList(const View& v) {
    const SeriesHeader& s = v.series;
    const std::size_t tuples = std::min(
        {static_cast<std::size_t>(s.wDetectedTuples), s.lpTupleFirst.size(), s.lpTupleLast.size()});
    const auto known = static_cast<std::int64_t>(
        std::min(s.lpDetectedPositions.size(), s.lpDetectedEtalons.size()));
    std::string text;
    for (std::size_t t = 0; t < tuples; ++t) {
        const std::int64_t f = s.lpTupleFirst[t] - 1;
        if (f >= static_cast<std::int64_t>(kListedPulses)) {
            text += " ... ";
            break;
        }
        text += " {";
        for (std::int64_t k = std::max<std::int64_t>(f, 0);
             k < std::min<std::int64_t>(s.lpTupleLast[t], known); ++k) {
            text += formatText("%d", s.lpDetectedPositions[static_cast<std::size_t>(k)]);
            if (v.letters) text += letter(s.lpDetectedEtalons[static_cast<std::size_t>(k)]);
            text += ' ';
        }
        text.back() = '}';
        text += ' ';
    }
    return text;
}

std::string detectedPulseList(const View& v) {
    const SeriesHeader& s = v.series;
    const std::size_t n =
        std::min({static_cast<std::size_t>(s.wDetectedPulses), s.lpDetectedPositions.size(),
                  s.lpDetectedEtalons.size(), s.lpDetectedBegins.size(), s.lpDetectedEnds.size()});
    std::string text;
    for (std::size_t k = 0; k < n; ++k) {
        if (k >= kListedPulses) {
            text += " ... ";
            break;
        }
        text += formatText(" %d", s.lpDetectedPositions[k]);
        if (v.letters) text += letter(s.lpDetectedEtalons[k]);
        if (isCutOffSeriesType(v.S))
            text += formatText("[%d..%d]", s.lpDetectedBegins[k], s.lpDetectedEnds[k]);
    }
    return text;
}

std::string detectedLine(const View& v) {
    const SeriesHeader& s = v.series;
    std::string text = formatText("Detected %d", s.wDetectedPulses);
    if (s.wDetectedPulses != s.wImpulseQuantity) text += formatText(" (%d)", s.wImpulseQuantity);
    text += s.wDetectedPulses == 1 ? " pulse" : " pulses";
    if (v.T == TASK_ALPHABET_RECOGNITION)
        text += formatText(" from alphabet %c", s.wRecognizedAlphabet + 64);
    text += ": ";
    return text + (isTupleTask(v.T) ? detectedTupleList(v) : detectedPulseList(v));
}

// The letter column of a chain row: the first etalon (task 2) or the alphabet (task 48).
std::string identityColumn(const View& v, std::int32_t etalon, std::int32_t alphabet) {
    if (v.T == TASK_RECOGNITION) return formatText(" %c ", etalon + 96);
    if (v.T == TASK_ALPHABET_RECOGNITION) return formatText(" %c ", alphabet + 64);
    return {};
}

// One row of the chain table: its number, letter and measure, then its pulses.
struct ChainRow {
    int number = 0;
    std::int32_t etalon = 0;
    std::int32_t alphabet = 0;
    std::int64_t measure = 0;
    std::span<const std::int16_t> positions, etalons, begins, ends;
};

void drawChainRow(const View& v, int y, const ChainRow& row) {
    const int x = v.g.gx;
    v.canvas.textOut(x, y,
                     formatText("%2d. ", row.number) + identityColumn(v, row.etalon, row.alphabet) +
                         formatText("  %7lld", static_cast<long long>(row.measure)));
    const std::size_t n =
        std::min({row.positions.size(), row.etalons.size(), row.begins.size(), row.ends.size()});
    std::string text;
    for (std::size_t k = 0; k < n; ++k) {
        if (k >= kListedPulses) {
            text += " ... ";
            break;
        }
        text += formatText("  %d", row.positions[k]);
        if (v.letters) text += letter(row.etalons[k]);
        if (isCutOffSeriesType(v.S)) text += formatText(" [%d..%d] ", row.begins[k], row.ends[k]);
    }
    v.canvas.textOut(x + kChainColumn, y, text);
}

// The first `count` entries of a chain list, as far as it holds them.
std::span<const std::int16_t> firstOf(const std::vector<std::int16_t>& list, std::int64_t count) {
    return std::span<const std::int16_t>(list).first(static_cast<std::size_t>(
        std::clamp<std::int64_t>(count, 0, static_cast<std::int64_t>(list.size()))));
}

int drawChainTable(const View& v, int y) {
    const ChainsHeader& c = *v.chains;
    const int x = v.g.gx;
    std::string head = " n ";
    if (v.T == TASK_RECOGNITION) head += "  et  ";
    if (v.T == TASK_ALPHABET_RECOGNITION) head += "alph ";
    v.canvas.textOut(x, y, head + " measure ");
    v.canvas.textOut(
        x + kChainColumn, y,
        std::string("  positions") + (v.letters ? " and names" : "") + " of etalons in series");
    y += v.g.lh + 1;
    const std::size_t rows =
        std::min({static_cast<std::size_t>(c.wPretenders), kChainRows, c.distance.size(),
                  c.pulsesQuantity.size(), c.alphabetNumber.size(), c.pulsesList.size(),
                  c.positionsList.size(), c.beginsList.size(), c.endsList.size()});
    for (std::size_t r = 0; r < rows; ++r) {
        const std::int64_t n = c.pulsesQuantity[r];
        drawChainRow(
            v, y,
            {static_cast<int>(r + 1), c.pulsesList[r].empty() ? 0 : c.pulsesList[r][0],
             c.alphabetNumber[r], c.distance[r], firstOf(c.positionsList[r], n),
             firstOf(c.pulsesList[r], n), firstOf(c.beginsList[r], n), firstOf(c.endsList[r], n)});
        y += v.g.lh;
    }
    return y;
}

void drawResultBlock(View& v) {
    const SeriesHeader& s = v.series;
    int y = v.g.yt;
    if (v.T == TASK_RECOGNITION) v.letters = false;
    v.canvas.textOut(v.g.gx, y, detectedLine(v));
    y += v.g.lh;
    v.canvas.textOut(
        v.g.gx, y,
        formatText("Restore Error %lld. ", static_cast<long long>(restoreError(v.chains, s))));
    y += v.g.lh;
    if (v.chains != nullptr) y = drawChainTable(v, y);
    y += (v.g.lh + 3) >> 2;
    const std::int64_t n = s.wImpulseQuantity;
    drawChainRow(v, y,
                 {0, s.lpEtalonNumbers.empty() ? 0 : s.lpEtalonNumbers[0], s.wCurrentAlphabet,
                  trueChainMeasure(s), firstOf(s.lpPositions, n), firstOf(s.lpEtalonNumbers, n),
                  firstOf(s.lpBegins, n), firstOf(s.lpEnds, n)});
}

void drawPanels(const View& v) {
    const std::int16_t a = v.amplitude.cellAmplitude();
    if (v.state.dwSpecialGraphSize == 0) {
        const std::size_t count =
            std::min<std::size_t>(v.state.wRequiredCount, v.state.lpRequiredList.size());
        const std::int32_t best =
            v.chains != nullptr && !v.chains->pulsesList.empty() && !v.chains->pulsesList[0].empty()
                ? v.chains->pulsesList[0][0]
                : 0;
        drawAlphabetPanel(v.canvas, v.g, a, v.T,
                          std::span<const std::uint16_t>(v.state.lpRequiredList).first(count), best,
                          v.series);
    }
    if (isTupleSeriesType(v.S))
        drawPatternTupleBox(v.canvas, v.g, a, v.T, v.state.subsetPanel.dwCurrentSubset, v.series,
                            v.state.subsetPanel.subsetLabelRect);
}

}  // namespace

void drawSeriesGraph(Canvas& canvas, ProgramState& state, const WindowLayout& layout) {
    const ChainsHeader* chains = state.lpChainsHeader.get();
    const std::uint16_t T = chains != nullptr ? chains->wTaskType : 0;
    const SeriesViewGeometry g =
        seriesViewGeometry(layout.rcWorkArea, layout.wLineHeight, state.wRequiredCount, T,
                           state.dwSpecialGraphSize != 0);
    drawFrame(canvas, g);
    if (state.lpSeriesHeader == nullptr) return;
    const SeriesHeader& series = *state.lpSeriesHeader;
    const bool labelled = chains != nullptr && chains->wMark > 1;
    View v{canvas,
           state,
           series,
           chains,
           T,
           chains != nullptr ? chains->wSeriesType : std::uint16_t{0},
           labelled,
           !series.lpDetectedEtalons.empty() && series.lpDetectedEtalons[0] != 0,
           graphAmplitude(series.wAmplitude, series.wNoiseLevel),
           g};
    if (g.hasBand)
        drawAlphabetsBand(canvas, g, v.amplitude.cellAmplitude(), series,
                          state.alphabetPanel.alphabetLabelRect);
    drawCaptions(v);
    drawGraph(v, 0);
    drawGraph(v, 1);
    if (detectedEtalonsKnown(series)) drawGraph(v, 2);
    drawResultBlock(v);
    drawPanels(v);
}

}  // namespace mirovale
