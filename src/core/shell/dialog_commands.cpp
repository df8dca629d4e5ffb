#include "core/shell/dialog_commands.h"

#include <algorithm>

#include "core/dialogs/chart_dialog.h"
#include "core/dialogs/series_dialogs.h"
#include "core/dialogs/series_geometry.h"
#include "core/dialogs/settings_dialogs.h"
#include "core/shell/attach_selections.h"
#include "core/shell/command_handler.h"
#include "core/shell/commands.h"
#include "core/shell/make_series.h"
#include "core/shell/repaint.h"
#include "core/synthesis/series_subsets.h"

namespace mirovale {
namespace {

bool isRequired(const ProgramState& s, std::uint32_t etalon) {
    return etalon >= 1 && etalon <= s.wEtalonFlags.size() && (s.wEtalonFlags[etalon - 1] & 1u);
}

// With no required etalon, etalon 1 becomes the only one; a selected etalon that is not required
// gives way to the first required one.
void ensureSelectedEtalon(ProgramState& s) {
    if (s.wRequiredCount == 0) {
        s.wRequiredCount = 1;
        if (s.lpRequiredList.empty()) s.lpRequiredList.resize(1);
        s.lpRequiredList[0] = 1;
        if (s.lpEtalonSequence.empty()) {
            s.lpEtalonSequence.resize(1);
            s.wEtalonSequenceSize = 1;
        }
        s.lpEtalonSequence[0] = 1;
        s.dwSelectedEtalon = 1;
        s.wEtalonFlags[0] |= 1u;
    }
    if (isRequired(s, s.dwSelectedEtalon)) return;
    for (std::uint32_t e = 1; e <= s.wEtalonFlags.size(); ++e) {
        if (isRequired(s, e)) {
            s.dwSelectedEtalon = e;
            return;
        }
    }
}

// Grows `list` to n entries at least; entry i then is source[i] below sourceSize, else `fill`.
void refill(std::vector<std::uint16_t>& list, std::uint16_t& listSize, std::size_t n,
            const std::vector<std::uint16_t>& source, std::size_t sourceSize, std::uint16_t fill) {
    if (list.size() < n) {
        list.resize(n);
        listSize = static_cast<std::uint16_t>(n);
    }
    const std::size_t known = std::min(sourceSize, source.size());
    for (std::size_t i = 0; i < list.size(); ++i) list[i] = i < known ? source[i] : fill;
}

// Step 2 of " Create series... ": the pulse range of the length and intervals typed.
void computeTemporaryRange(ProgramState& s) {
    const PulseRange range =
        pulseRange(s.dwTmpSeriesLength, s.wEtalonLength, s.wTmpTmin, s.wTmpTmax);
    s.wTmpMinPulses = std::max<std::uint16_t>(range.wMinPulses, 1);
    s.wTmpMaxPulses = range.wMaxPulses;
    s.wRequestedPulses = PulseRange{s.wTmpMinPulses, s.wTmpMaxPulses}.middle();
}

void takeCreatedSeriesValues(ProgramState& s) {
    s.dwSeriesLengthSel = s.dwTmpSeriesLength;
    s.wTmin = s.wTmpTmin;
    s.wTmax = s.wTmpTmax;
    s.dwSelectedEtalon = s.dwEtalonNumber;
    s.wSavedEnergyMaking = s.wTmpSavedEnergyMaking;
    s.wSavedEnergyProcessing = s.wTmpSavedEnergyProcessing;
    s.wRequestedPulses = s.wPulsesEntered;
    s.wNoiseLevelSel = static_cast<std::int16_t>(s.wTmpNoiseLevel);
    s.wMinPulses = s.wTmpMinPulses;
    s.wMaxPulses = s.wTmpMaxPulses;
}

}  // namespace

bool seriesParameters(Host& host, ProgramState& state) {
    ensureSelectedEtalon(state);
    SeriesParametersDialog dialog(state);
    const bool ok = host.runDialog(dialog) == DialogResult::Ok;
    if (ok && !validateSeriesGeometry(host, state.wTmpTmin, state.wTmpTmax, state.dwTmpSeriesLength,
                                      state.wEtalonLength)) {
        state.dwDialogAccepted = 0;
        return false;
    }
    state.dwDialogAccepted = ok ? 1 : 0;
    return ok;
}

void createSeries(Host& host, ProgramState& state) {
    handleCommand(host, state, CMD_SERIES_PARAMETERS);
    if (state.dwDialogAccepted == 0) return;
    const std::uint16_t savedRequest = state.wRequestedPulses;
    computeTemporaryRange(state);
    const auto fill = static_cast<std::uint16_t>(state.dwEtalonNumber);
    refill(state.lpEditSequence, state.wEditSequenceSize, state.wTmpMaxPulses,
           state.lpEtalonSequence, state.wEtalonSequenceSize, fill);

    SeriesStructureDialog dialog(state);
    const bool ok = host.runDialog(dialog) == DialogResult::Ok;
    if (state.wPulsesEntered < state.wTmpMinPulses || state.wPulsesEntered > state.wTmpMaxPulses)
        state.wPulsesEntered = PulseRange{state.wTmpMinPulses, state.wTmpMaxPulses}.middle();
    if (!ok) {
        state.wRequestedPulses = savedRequest;
        return;
    }
    takeCreatedSeriesValues(state);
    refill(state.lpEtalonSequence, state.wEtalonSequenceSize, state.wTmpMaxPulses,
           state.lpEditSequence, state.wEditSequenceSize, fill);
    state.wChainsPulses = state.wTmpMaxPulses;
    state.lpChainsHeader = getChainsHeader(host, state.wChainsNumber, state.wChainsPulses,
                                           std::move(state.lpChainsHeader));
    state.seriesLengthRowPending = state.noiseLevelRowPending = state.lostDataRowPending = true;
    state.dwViewMode = VIEW_RESULTS;
    if (state.wSeriesType == SERIES_FIXED_WHOLE) state.wSeriesType = SERIES_CREATED_FIXED;
    if (state.wSeriesType == SERIES_UNFIXED_WHOLE) state.wSeriesType = SERIES_CREATED_UNFIXED;
    handleCommand(host, state, CMD_MAKE_EDITED_SERIES);
}

void editRequiredEtalons(Host& host, ProgramState& state) {
    // Only a list not made yet is made anew: one left with no etalon required opens as it is.
    if (state.lpRequiredList.empty() || state.wRequiredCount > state.wRequiredCapacity) {
        state.wRequiredCount = state.wEtalonCount;
        static_cast<void>(getRequiredList(host, state.wRequiredCount, state.lpRequiredList));
        state.wRequiredCapacity = state.wRequiredCount;
    }
    RequiredEtalonsDialog dialog(state);
    static_cast<void>(host.runDialog(dialog));
    // Entries outside the alphabet (above it, and 0, which names no etalon) become their
    // position + 1.
    for (std::size_t i = 0; i < state.lpRequiredList.size(); ++i) {
        std::uint16_t& entry = state.lpRequiredList[i];
        if (entry == 0 || entry > state.wEtalonCount) entry = static_cast<std::uint16_t>(i + 1);
    }
    const std::size_t listed =
        std::min<std::size_t>(state.wRequiredCount, state.lpRequiredList.size());
    const auto first = state.lpRequiredList.begin();
    const auto last = first + static_cast<std::ptrdiff_t>(listed);
    const std::size_t flags =
        std::min<std::size_t>(state.wRequiredCapacity, state.wEtalonFlags.size());
    for (std::size_t i = 0; i < flags; ++i)
        if (std::find(first, last, i + 1) != last) state.wEtalonFlags[i] |= 1u;
}

void subsetSettings(Host& host, ProgramState& state) {
    SubsetSettingsDialog dialog(state);
    static_cast<void>(host.runDialog(dialog));
    if (state.wProcessingTask == TASK_TUPLE_RECOGNITION) {
        attachStoredSubsets(host, state);
        return;
    }
    state.wSubsetEmployment = SUBSET_COMPLETE;
    attachSelectedSubset(state);
}

void drawingSettings(Host& host, ProgramState& state) {
    DrawingSettingsDialog dialog(state);
    static_cast<void>(host.runDialog(dialog));
}

void showStatisticalSimulation(Host& host, ProgramState& state) {
    if (!state.lpRestErrorHeader || state.lpRestErrorHeader->ifComplete == 0) return;
    state.wResultView = 2;
    const bool recognition =
        state.wTaskType == TASK_RECOGNITION || state.wTaskType == TASK_TUPLE_RECOGNITION;
    ChartSettingsDialog dialog(state, recognition);
    static_cast<void>(host.runDialog(dialog));
    state.dwChartMode = chartMode(state.dwHandlingCase, state.dwViewCase, state.dwBoundsIncluded);
    repaintWorkArea(host, state, true);
    repaintButtonsArea(host, state);
    repaintPendingOptionRows(host, state);
    state.dwViewMode = VIEW_RESULTS;
}

std::uint32_t chartMode(std::uint32_t dwHandlingCase, std::uint32_t dwViewCase,
                        std::uint32_t dwBoundsIncluded) {
    const std::uint32_t summary = dwViewCase == 2 ? 1 : 0;
    switch (dwHandlingCase) {
        case 2:
            return 2 + summary;
        case 3:
            return (dwBoundsIncluded != 0 ? 12 : 4) + summary;
        default:
            return summary;
    }
}

}  // namespace mirovale
