#include "core/shell/click_handler.h"

#include <algorithm>
#include <numeric>

#include "core/shell/alphabet_panel_clicks.h"
#include "core/shell/attach_selections.h"
#include "core/shell/command_handler.h"
#include "core/shell/commands.h"
#include "core/shell/params_panel_input.h"
#include "core/shell/subset_panel_clicks.h"
#include "core/display/layout.h"

namespace mirovale {
namespace {

std::uint32_t option(const std::array<std::uint32_t, 4>& options, std::size_t i) {
    return i + 1 < options.size() ? options[i + 1] : 0;
}

void clearOptionRowFlags(ProgramState& s) {
    s.seriesLengthRowPending = s.noiseLevelRowPending = s.lostDataRowPending = false;
}

// The select-all button: Unselect All clears every flag, Select All requires every etalon.
void selectAll(Host& host, ProgramState& s) {
    if (selectAllMode(s) == SelectAllMode::UnselectAll) {
        s.wEtalonFlags.fill(0);
        s.wRequiredCount = 0;
    } else {
        const std::size_t n = std::min<std::size_t>(s.wEtalonCount, s.wEtalonFlags.size());
        for (std::size_t i = 0; i < n; ++i) s.wEtalonFlags[i] |= 1u;
        s.lpRequiredList.resize(std::max<std::size_t>(s.lpRequiredList.size(), n));
        std::iota(s.lpRequiredList.begin(),
                  s.lpRequiredList.begin() + static_cast<std::ptrdiff_t>(n), std::uint16_t{1});
        s.wRequiredCount = static_cast<std::uint16_t>(n);
        s.wRequiredCapacity = std::max(s.wRequiredCapacity, s.wRequiredCount);
    }
    s.dwViewMode = VIEW_ETALON_GRID;
    handleCommand(host, s, CMD_SHOW_ETALON_GRID);
}

void clickEtalonCell(Host& host, ProgramState& s, std::size_t i) {
    if (s.wProcessingTask != TASK_DETECTION) {
        s.wEtalonFlags[i] ^= 1u;
    } else {
        // Detection works with one etalon at a time.
        if ((s.wEtalonFlags[i] & 1u) == 0) {
            s.wEtalonFlags.fill(0);
            s.wEtalonFlags[i] = 1;
        }
        s.buttonsAreaPending = true;
        clearOptionRowFlags(s);
    }
    s.dwViewMode = VIEW_ETALON_GRID;
    rebuildRequiredList(s);
    s.dwPrevSelectedEtalon = s.dwSelectedEtalon;
    s.dwSelectedEtalon = static_cast<std::uint32_t>(i + 1);
    handleCommand(host, s, CMD_SHOW_SELECTED_ETALON);
}

// The Next button of the etalon grid.
void nextFromGrid(Host& host, ProgramState& s) {
    const std::uint16_t oldCount = s.wRequiredCount;
    rebuildRequiredList(s);
    if (isTupleSeriesType(s.wSeriesType) && s.subsetPanel.subset().empty()) {
        s.wRequiredCount = oldCount;  // only the entries were rebuilt
        s.dwViewMode = VIEW_SUBSET_PANEL;
        return;
    }
    if (s.wRequiredCount == 0) {
        s.dwViewMode = VIEW_ETALON_GRID;
        return;
    }
    s.buttonsAreaPending = true;
    clearOptionRowFlags(s);
    s.dwViewMode = VIEW_RESULTS;
    handleCommand(host, s, CMD_NEXT_DATA);
}

void restart(Host& host, ProgramState& s) {
    switch (s.wProcessingTask) {
        case TASK_TUPLE_DETECTION:
        case TASK_TUPLE_RECOGNITION:
            s.dwViewMode = VIEW_SUBSET_PANEL;
            handleCommand(host, s, IDM_SELECT_SUBSETS);
            return;
        case TASK_ALPHABET_RECOGNITION:
            s.dwViewMode = VIEW_ALPHABET_PANEL;
            handleCommand(host, s, IDM_SELECT_ALPHABETS);
            return;
        default:
            s.dwViewMode = VIEW_ETALON_GRID;
            handleCommand(host, s, CMD_SHOW_ETALON_GRID);
            return;
    }
}

// A click on series-length or noise-level option i: the next-step decision, and when it stays
// with the result view the option becomes the pending value.
void clickLengthOrNoise(Host& host, ProgramState& s, bool length, std::size_t i) {
    s.dwPrevViewMode = s.dwViewMode;
    const std::uint16_t command = decideNextStep(host, s);
    if (s.dwViewMode == VIEW_RESULTS) {
        const auto index = static_cast<std::uint32_t>(i + 1);
        if (length) {
            if (s.dwSeriesLengthIndex != index) s.seriesLengthRowPending = true;
            s.dwSeriesLengthIndex = index;
            s.dwSeriesLengthSel = option(s.dwSeriesLengthOptions, i);
            updatePulseRange(s, s.dwSeriesLengthSel);
            s.wRequestedPulses = PulseRange{s.wMinPulses, s.wMaxPulses}.middle();
        } else {
            if (s.dwNoiseLevelIndex != index) s.noiseLevelRowPending = true;
            s.dwNoiseLevelIndex = index;
            s.wNoiseLevelSel = static_cast<std::int16_t>(option(s.dwNoiseLevelOptions, i));
        }
        s.buttonsAreaPending = false;
    }
    if (s.dwPrevViewMode != VIEW_RESULTS) s.buttonsAreaPending = true;
    handleCommand(host, s, command);
}

void clickLostData(Host& host, ProgramState& s, std::size_t i) {
    const auto index = static_cast<std::uint32_t>(i + 1);
    const bool changed = s.dwLostLevelIndex != index;
    s.dwLostLevelIndex = index;
    if (s.wRequiredCount == 0) {
        handleCommand(host, s, CMD_APPLY_OPTIONS);
        return;
    }
    s.wLostLevelSel = static_cast<std::int16_t>(option(s.dwLostLevelOptions, i));
    s.wSavedEnergyMakingSel = s.wSavedEnergyProcessingSel =
        static_cast<std::uint16_t>(100 - s.wLostLevelSel);
    if (s.dwViewMode != VIEW_RESULTS) s.buttonsAreaPending = true;
    s.dwViewMode = VIEW_RESULTS;
    if (changed) s.lostDataRowPending = true;
    handleCommand(host, s, CMD_NEXT_DATA);
}

void clickEtalonGrid(Host& host, ProgramState& s, const WindowLayout& layout, int x, int y) {
    const int cell = hitEtalonCell(layout, x, y);
    if (cell >= 0 && static_cast<std::size_t>(cell) <
                         std::min<std::size_t>(s.wEtalonCount, s.wEtalonFlags.size()))
        return clickEtalonCell(host, s, static_cast<std::size_t>(cell));
    if (layout.nextButton.contains(x, y)) return nextFromGrid(host, s);
    if (layout.exitButton.contains(x, y)) return handleCommand(host, s, CMD_CLOSE);
    if (layout.hasSelectAll && layout.selectAllButton.contains(x, y)) return selectAll(host, s);
    handleOptionRowsClick(host, s, x, y);
}

void clickResultView(Host& host, ProgramState& s, int x, int y) {
    // Choosing a stored subset or alphabet by its label under the series graph.
    if (s.wProcessingTask == TASK_TUPLE_RECOGNITION) {
        const SubsetPanel& p = s.subsetPanel;
        const std::size_t n = std::min<std::size_t>(p.dwSubsetArraySize, p.subsetLabelRect.size());
        for (std::size_t i = 0; i < n; ++i) {
            if (!p.subsetLabelRect[i].contains(x, y)) continue;
            s.subsetPanel.dwCurrentSubset = static_cast<std::uint32_t>(i + 1);
            attachStoredSubsets(host, s);
            return handleCommand(host, s, CMD_NEXT_DATA);
        }
    }
    if (s.wProcessingTask == TASK_ALPHABET_RECOGNITION) {
        const AlphabetPanel& p = s.alphabetPanel;
        const std::size_t n =
            std::min<std::size_t>(p.dwAlphabetArraySize, p.alphabetLabelRect.size());
        for (std::size_t i = 0; i < n; ++i) {
            if (!p.alphabetLabelRect[i].contains(x, y)) continue;
            s.alphabetPanel.dwCurrentAlphabet = static_cast<std::uint32_t>(i + 1);
            attachStoredAlphabets(host, s);
            return handleCommand(host, s, CMD_NEXT_DATA);
        }
    }
    handleClickOutsidePanel(host, s, x, y);
}

}  // namespace

std::uint16_t decideNextStep(Host& host, ProgramState& s) {
    switch (s.wProcessingTask) {
        case TASK_TUPLE_DETECTION:
            if (s.subsetPanel.subset().empty()) break;
            attachSelectedSubset(s);
            s.buttonsAreaPending = true;
            s.dwViewMode = VIEW_RESULTS;
            return CMD_NEXT_DATA;
        case TASK_TUPLE_RECOGNITION:
            if (s.subsetPanel.dwSubsetArraySize == 0) break;
            attachStoredSubsets(host, s);
            s.buttonsAreaPending = true;
            s.dwViewMode = VIEW_RESULTS;
            return CMD_NEXT_DATA;
        case TASK_ALPHABET_RECOGNITION:
            if (s.alphabetPanel.dwAlphabetArraySize == 0) {
                s.dwViewMode = VIEW_ALPHABET_PANEL;
                return CMD_SHOW_ALPHABET_LIST;
            }
            if (s.dwViewMode != VIEW_ALPHABET_PANEL) {
                s.dwViewMode = VIEW_RESULTS;
                return CMD_NEXT_DATA;
            }
            attachStoredAlphabets(host, s);
            s.buttonsAreaPending = true;
            s.dwViewMode = VIEW_RESULTS;
            return CMD_NEXT_DATA;
        default:
            if (s.wRequiredCount != 0) {
                s.dwViewMode = VIEW_RESULTS;
                return CMD_NEXT_DATA;
            }
            s.dwViewMode = VIEW_ETALON_GRID;
            return CMD_APPLY_OPTIONS;
    }
    s.dwViewMode = VIEW_SUBSET_PANEL;
    return CMD_SHOW_SUBSET_LIST;
}

void handleClick(Host& host, ProgramState& state, int x, int y) {
    const WindowLayout layout = currentLayout(host, state);
    switch (state.dwViewMode) {
        case VIEW_ETALON_GRID:
            return clickEtalonGrid(host, state, layout, x, y);
        case VIEW_RESULTS:
            return clickResultView(host, state, x, y);
        case VIEW_SUBSET_PANEL:
            return handleSubsetPanelClick(host, state, x, y);
        case VIEW_PARAMS_PANEL:
            return handleParamsPanelPress(host, state, x, y);
        case VIEW_ALPHABET_PANEL:
            return handleAlphabetPanelClick(host, state, x, y);
        default:
            return handleOptionRowsClick(host, state, x, y);
    }
}

void handlePointerMove(Host& host, ProgramState& state, int x, int y) {
    if (state.dwViewMode == VIEW_PARAMS_PANEL) handleParamsPanelMove(host, state, x, y);
}

void handlePointerRelease(Host& host, ProgramState& state, int x, int y) {
    if (state.dwViewMode == VIEW_PARAMS_PANEL) handleParamsPanelRelease(host, state, x, y);
}

void handleClickOutsidePanel(Host& host, ProgramState& state, int x, int y) {
    const WindowLayout layout = currentLayout(host, state);
    if (layout.restartButton.contains(x, y)) return restart(host, state);
    if (layout.nextButton.contains(x, y)) {
        const std::uint16_t command = decideNextStep(host, state);
        return handleCommand(host, state, command);
    }
    if (layout.exitButton.contains(x, y)) return handleCommand(host, state, CMD_CLOSE);
    if (layout.hasSelectAll && layout.selectAllButton.contains(x, y)) {
        state.buttonsAreaPending = true;
        return selectAll(host, state);
    }
    handleOptionRowsClick(host, state, x, y);
}

void handleOptionRowsClick(Host& host, ProgramState& state, int x, int y) {
    const OptionHit hit = hitOption(currentLayout(host, state), x, y);
    const auto option = static_cast<std::size_t>(hit.option);
    switch (hit.row) {
        case OptionHit::SeriesLength:
            return clickLengthOrNoise(host, state, true, option);
        case OptionHit::NoiseLevel:
            return clickLengthOrNoise(host, state, false, option);
        case OptionHit::LostDataLevel:
            return clickLostData(host, state, option);
        case OptionHit::None:
            break;
    }
    handleCommand(host, state, CMD_NONE);
}

}  // namespace mirovale
