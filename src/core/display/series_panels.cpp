#include "core/display/series_panels.h"

#include <algorithm>
#include <string>

#include "core/display/display_colours.h"
#include "core/display/etalon_cell.h"
#include "core/host/format_text.h"
#include "core/state/program_state.h"

namespace mirovale {
namespace {

// Cell state of row i: red for the chosen one, grey for the recognised one (which wins).
CellState rowState(std::size_t i, std::uint32_t chosen, std::uint32_t recognised) {
    if (i + 1 == recognised) return CellState::Grey;
    if (i + 1 == chosen) return CellState::Red;
    return CellState::Plain;
}

void drawCellOf(Canvas& canvas, const SeriesViewGeometry& g, std::int16_t amplitude,
                std::int32_t number, CellState state, const GraphRect& cell,
                const SeriesHeader& series) {
    if (const PulseHeader* etalon = etalonOf(series, number))
        drawEtalonCell(canvas, g.lh, *etalon, amplitude, state, cell);
}

void storeLabel(std::vector<InclusiveRect>& table, std::size_t i, InclusiveRect rect) {
    if (i < table.size()) table[i] = rect;
}

// The entries of row i of a selection table: its size, cut to what the row holds.
std::span<const std::int16_t> rowOf(const std::vector<std::int16_t>& sizes,
                                    const std::vector<std::vector<std::int16_t>>& rows,
                                    std::size_t i) {
    if (i >= sizes.size() || i >= rows.size() || sizes[i] <= 0) return {};
    return std::span<const std::int16_t>(rows[i]).first(
        std::min<std::size_t>(static_cast<std::size_t>(sizes[i]), rows[i].size()));
}

std::string panelTitle(int pw, std::uint16_t wTaskType, std::size_t count) {
    if (pw < 100) return formatText(" Alph: %d ", static_cast<int>(count));
    const char* words = wTaskType == TASK_ALPHABET_RECOGNITION ? "United alphabet" : "Alphabet";
    return formatText(" %s, %d %s ", words, static_cast<int>(count), count == 1 ? "item" : "items");
}

// The box of the one pattern tuple of the series.
void drawOnePatternTuple(Canvas& canvas, const SeriesViewGeometry& g, std::int16_t amplitude,
                         const SeriesHeader& series, TextSize label, int& bl, int& bw, int& bt) {
    const std::size_t n = std::min<std::size_t>(series.wSubsetSize, series.lpSubset.size());
    const int count = static_cast<int>(n);
    const int dy = (g.my >> 2) + 1;
    const int dx = (g.mx >> 2) + 1;
    int cwp = g.cw + 2 * dx;
    bw = (cwp + dx) * count + dx + 1;
    const int chp = g.ch + 2 * dy + g.lh;
    const int bhp = chp + 2 * dy;
    const int av = g.gw;
    if (av < bw && count > 0) {
        bw = av;
        cwp = (bw - dx - 1) / count - dx;
        bw = (cwp + dx) * count + dx + 1;
    }
    bw = std::max(bw, label.width + 20);
    bl = g.gx + av - bw + 1;
    bt = g.rows < 8 ? g.Y1 - bhp - g.bg : g.py + g.ph + 1 - bhp;
    canvas.rectangle(bl, bt - (g.lh >> 2) + 1, bl + bw, bt + bhp);
    int x = bl + dx;
    const int y = bt + dy;
    for (std::size_t p = 0; p < n; ++p) {
        drawCellOf(canvas, g, amplitude, series.lpSubset[p], CellState::Plain,
                   {x + dx, y - dy - 1, x + cwp - 2 * dx, y + chp - 2 * dy - g.lh}, series);
        x += cwp + dx;
    }
}

// The box of every stored pattern tuple, a row each.
void drawAllPatternTuples(Canvas& canvas, const SeriesViewGeometry& g, std::int16_t amplitude,
                          std::uint32_t dwCurrentSubset, const SeriesHeader& series,
                          std::vector<InclusiveRect>& labels, TextSize label, int& bl, int& bw,
                          int& bt) {
    const std::size_t tuples = series.wSubsets;
    int m = 0;
    for (std::size_t t = 0; t < tuples; ++t)
        m = std::max(m, static_cast<int>(
                            rowOf(series.selectedSubsetSize, series.selectedSubsetList, t).size()));
    const int dy = (g.my >> 3) + 1;
    const int dx = (g.mx >> 3) + 1;
    int cwp = g.cw;
    bw = (g.cw + dx) * m + dx + 1;
    const int chp = ((g.ch + 2 * dy + g.lh) * 8 + 5) / 9;
    const int bhp = (chp + dy) * static_cast<int>(tuples) + dy + 2;
    const int av = g.X1 - g.gx - g.mx - 1;
    if (av < bw && m > 0) {
        bw = av;
        cwp = (bw - dx - 1) / m - dx;
        bw = (cwp + dx) * m + dx + 1;
    }
    bw = std::max(bw, label.width + 20);
    bl = g.gx + av - bw + 1;
    bt = g.Y1 - bhp - dy;
    canvas.rectangle(bl, bt - (g.lh >> 2) + 1, bl + bw, bt + bhp);
    int y = bt + (dy >> 1);
    for (std::size_t t = 0; t < tuples; ++t) {
        const CellState state = rowState(t, dwCurrentSubset, series.wRecognizedSubset);
        int x = bl + dx;
        storeLabel(labels, t, {x, y, x + bw, y + chp + dy});
        for (std::int16_t number : rowOf(series.selectedSubsetSize, series.selectedSubsetList, t)) {
            drawCellOf(canvas, g, amplitude, number, state,
                       {x + dx, y - dy - 1, x + cwp - 2 * dx, y + chp - 2 * dy - g.lh}, series);
            x += cwp + dx;
        }
        y += chp + dy;
    }
}

}  // namespace

std::size_t alphabetsTopRowCount(std::span<const std::int16_t> sizes) {
    const std::size_t n = sizes.size();
    std::int64_t top = 0;
    std::int64_t bottom = 0;
    std::size_t count = n >> 1;
    for (std::size_t i = 0; i < n >> 1; ++i) {
        top += sizes[i];
        bottom += sizes[n - 1 - i];
    }
    if (n % 2 != 0 && top <= bottom) ++count;
    return count;
}

void drawAlphabetsBand(Canvas& canvas, const SeriesViewGeometry& g, std::int16_t amplitude,
                       const SeriesHeader& series, std::vector<InclusiveRect>& alphabetLabelRect) {
    {
        ScopedBrush brush(canvas, Brush{kAlphabetsBandColour});
        canvas.setBackgroundMode(BackgroundMode::Transparent);
        canvas.rectangle(g.gx, g.bandTop, g.gx + g.bandWidth + 1, g.bandTop + g.bh + 1);
        canvas.setBackgroundMode(BackgroundMode::Opaque);
    }
    const std::size_t n =
        std::min<std::size_t>(series.wAlphabets, series.selectedAlphabetSize.size());
    const std::span<const std::int16_t> sizes(series.selectedAlphabetSize.data(), n);
    const std::size_t topCount = alphabetsTopRowCount(sizes);
    const int q = (3 * g.lh) / 4;
    int x = g.gx + (g.mx >> 1);
    int y1 = g.bandTop + q;
    for (std::size_t i = 0; i < n; ++i) {
        if (i == topCount) {
            x = g.gx + (g.mx >> 1);
            y1 += g.rh + q;
        }
        const int y2 = y1 + g.rh;
        const auto etalons = rowOf(series.selectedAlphabetSize, series.selectedAlphabetList, i);
        const int x2 = x + g.cw * sizes[i] + 2;
        const std::string label = formatText(" Alphabet %c ", static_cast<int>(65 + i));
        const int tw = canvas.textExtent(label).width;
        canvas.rectangle(x, y1, x2, y2);
        storeLabel(alphabetLabelRect, i, {x, y1, x2, y2});
        canvas.textOut(x2 - tw - 10, y1 - q + 1, label);
        const CellState state = rowState(i, series.wCurrentAlphabet, series.wRecognizedAlphabet);
        for (std::size_t k = 0; k < etalons.size(); ++k) {
            const int c = x + static_cast<int>(k) * g.cw;
            drawCellOf(
                canvas, g, amplitude, etalons[k], state,
                {c + (g.mx >> 1), y1 + 1, c + g.cw - (g.mx >> 1), y1 + g.rh - (g.my >> 1) - g.lh},
                series);
        }
        x = x2 + (g.mx >> 1);
    }
}

void drawAlphabetPanel(Canvas& canvas, const SeriesViewGeometry& g, std::int16_t amplitude,
                       std::uint16_t wTaskType, std::span<const std::uint16_t> required,
                       std::int32_t bestEtalon, const SeriesHeader& series) {
    canvas.rectangle(g.px, g.py, g.px + g.pw + 1, g.py + g.ph + 1);
    canvas.textOut(g.px + 7, g.py - (3 * g.lh) / 4, panelTitle(g.pw, wTaskType, required.size()));
    const auto rows = static_cast<std::size_t>(std::max(g.rows, 0));
    for (std::size_t r = 0; r < rows; ++r) {
        for (std::size_t c = 0; c < 2; ++c) {
            const std::size_t index = r + c * rows;
            if (index >= required.size()) break;
            const int x = g.px + g.mx + (g.cw + 2 * g.mx) * static_cast<int>(c);
            const int y =
                g.py - (3 * g.lh) / 4 + 2 * g.my + (g.ch + g.myh + g.lh) * static_cast<int>(r);
            const bool best = wTaskType == TASK_RECOGNITION && required[index] == bestEtalon;
            drawCellOf(canvas, g, amplitude, required[index],
                       best ? CellState::Grey : CellState::Plain, {x, y, x + g.cw, y + g.ch},
                       series);
        }
    }
}

void drawPatternTupleBox(Canvas& canvas, const SeriesViewGeometry& g, std::int16_t amplitude,
                         std::uint16_t wTaskType, std::uint32_t dwCurrentSubset,
                         const SeriesHeader& series, std::vector<InclusiveRect>& subsetLabelRect) {
    const bool all = wTaskType == TASK_TUPLE_RECOGNITION;
    if (all ? series.wSubsets == 0 : series.wSubsetSize == 0) return;
    const std::string label = all ? " pattern tuples " : " pattern tuple ";
    const TextSize size = canvas.textExtent(label);
    int bl = 0;
    int bw = 0;
    int bt = 0;
    if (all)
        drawAllPatternTuples(canvas, g, amplitude, dwCurrentSubset, series, subsetLabelRect, size,
                             bl, bw, bt);
    else
        drawOnePatternTuple(canvas, g, amplitude, series, size, bl, bw, bt);
    canvas.textOut(bl + bw - (size.width + 10), bt - ((size.height >> 1) + (size.height >> 2)),
                   label);
}

}  // namespace mirovale
