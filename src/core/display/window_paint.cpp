#include "core/display/window_paint.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "core/display/alphabet_panel.h"
#include "core/display/error_chart.h"
#include "core/display/etalon_grid.h"
#include "core/display/layout.h"
#include "core/display/option_list.h"
#include "core/display/params_panel.h"
#include "core/display/series_graph.h"
#include "core/display/subset_panel.h"

namespace mirovale {
namespace {

void drawButton(Canvas& canvas, ButtonBitmap bitmap, const InclusiveRect& at) {
    canvas.drawButton(bitmap, at.left, at.top);
}

// Next and Exit, then the select-all button where the task has one, showing what a click on
// it would do.
void drawNextExitSelectAll(Canvas& canvas, const ProgramState& state, const WindowLayout& layout) {
    drawButton(canvas, ButtonBitmap::Next, layout.nextButton);
    drawButton(canvas, ButtonBitmap::Exit, layout.exitButton);
    if (!layout.hasSelectAll) return;
    const ButtonBitmap bitmap = selectAllMode(state) == SelectAllMode::UnselectAll
                                    ? ButtonBitmap::UnselectAll
                                    : ButtonBitmap::SelectAll;
    drawButton(canvas, bitmap, layout.selectAllButton);
}

// Series processing shows the series graph only for plain whole and cut-off series.
bool showsSeriesGraph(const ProgramState& state) {
    if (state.wProcessingTask != TASK_SERIES_PROCESSING) return true;
    const std::uint16_t t = state.wSeriesType;
    return t == SERIES_FIXED_WHOLE || t == SERIES_FIXED_CUTOFF || t == SERIES_UNFIXED_WHOLE ||
           t == SERIES_UNFIXED_CUTOFF;
}

void drawResults(Host& host, Canvas& canvas, ProgramState& state, const WindowLayout& layout) {
    if (state.wResultView == 2) {
        DrawDetectionArrayZ(host, canvas, state, layout);
    } else {
        if (showsSeriesGraph(state)) drawSeriesGraph(canvas, state, layout);
        state.dwTypeMoreDetails = 0;
    }
    drawButton(canvas, ButtonBitmap::Restart, layout.restartButton);
    drawNextExitSelectAll(canvas, state, layout);
}

// One option row: the options are elements 1.. of the table, element 0 their number.
void drawOptionRow(Canvas& canvas, const InclusiveRect& row, std::vector<InclusiveRect>& items,
                   std::string_view title, const std::array<std::uint32_t, 4>& options,
                   std::uint32_t index, std::int64_t valueInEffect, int lineHeight) {
    const std::size_t count = std::min<std::size_t>(options[0], options.size() - 1);
    const std::span<const std::uint32_t> values(options.data() + 1, count);
    drawOptionList(canvas, row, items, title, values, index, valueInEffect, lineHeight);
}

void drawOptionRows(Canvas& canvas, const ProgramState& state, WindowLayout& layout) {
    const int lh = layout.wLineHeight;
    drawOptionRow(canvas, layout.seriesLengthRow, layout.seriesLengthItems,
                  " series length: ", state.dwSeriesLengthOptions, state.dwSeriesLengthIndex,
                  state.dwSeriesLength, lh);
    drawOptionRow(canvas, layout.noiseLevelRow, layout.noiseLevelItems,
                  " noise level: ", state.dwNoiseLevelOptions, state.dwNoiseLevelIndex,
                  state.wNoiseLevel, lh);
    if (layout.hasLostDataRow)
        drawOptionRow(canvas, layout.lostDataRow, layout.lostDataItems,
                      " lost data level: ", state.dwLostLevelOptions, state.dwLostLevelIndex,
                      state.wLostLevel, lh);
}

}  // namespace

void paintWindow(Host& host, Canvas& canvas, ProgramState& state) {
    WindowLayout layout = currentLayout(host, state);
    switch (state.dwViewMode) {
        case VIEW_ETALON_GRID:
            drawEtalonGrid(canvas, state, layout);
            drawNextExitSelectAll(canvas, state, layout);
            break;
        case VIEW_RESULTS:
            drawResults(host, canvas, state, layout);
            break;
        case VIEW_SUBSET_PANEL:
            prepareSubsetPanel(host, state);
            if (state.wProcessingTask == TASK_TUPLE_RECOGNITION)
                drawSubsetArrayPanel(host, canvas, layout, state);
            else
                drawSubsetPanel(host, canvas, layout, state);
            drawNextExitSelectAll(canvas, state, layout);
            break;
        case VIEW_PARAMS_PANEL:
            drawParamsPanel(host, canvas, layout, state.lpParamsHeader.get());
            drawNextExitSelectAll(canvas, state, layout);
            break;
        case VIEW_ALPHABET_PANEL:
            prepareAlphabetPanel(host, state);
            drawAlphabetPanel(host, canvas, layout, state);
            drawNextExitSelectAll(canvas, state, layout);
            break;
        default:  // nothing in the work area
            break;
    }
    drawOptionRows(canvas, state, layout);
}

}  // namespace mirovale
