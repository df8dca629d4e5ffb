#include "core/shell/make_series.h"

#include <algorithm>

#include "core/shell/command_handler.h"
#include "core/shell/commands.h"
#include "core/shell/repaint.h"
#include "core/simulation/process_series.h"
#include "core/synthesis/series_allocation.h"

namespace mirovale {
namespace {

constexpr const char* kFlowCaption = "CM_INFO";

std::span<const std::uint16_t> requiredEtalons(const ProgramState& s) {
    const std::size_t n = std::min<std::size_t>(s.wRequiredCount, s.lpRequiredList.size());
    return {s.lpRequiredList.data(), n};
}

// The list the etalon sequence is drawn from: the required etalons, or for alphabet
// recognition the series' current alphabet when it has one.
std::vector<std::uint16_t> activeEtalons(const ProgramState& s) {
    const auto required = requiredEtalons(s);
    std::vector<std::uint16_t> active(required.begin(), required.end());
    const SeriesHeader* series = s.lpSeriesHeader.get();
    if (s.wProcessingTask != TASK_ALPHABET_RECOGNITION || series == nullptr) return active;
    const std::size_t c = series->wCurrentAlphabet;
    if (c < 1 || c > series->selectedAlphabetSize.size() || c > series->selectedAlphabetList.size())
        return active;
    const auto& row = series->selectedAlphabetList[c - 1];
    const std::size_t size = std::min<std::size_t>(
        static_cast<std::uint16_t>(series->selectedAlphabetSize[c - 1]), row.size());
    active.assign(row.begin(), row.begin() + static_cast<std::ptrdiff_t>(size));
    return active;
}

// Makes the sequence hold at least n entries; new entries name dwEtalonNumber.
void growSequence(ProgramState& s, std::size_t n) {
    if (s.lpEtalonSequence.size() >= n) return;
    s.lpEtalonSequence.resize(n, static_cast<std::uint16_t>(s.dwEtalonNumber));
    s.wEtalonSequenceSize = static_cast<std::uint16_t>(n);
}

// Steps 1 to 4: the processing task, the active list and a new etalon sequence drawn from it.
bool drawEtalonSequence(Host& host, ProgramState& s) {
    s.wProcessingTask = deriveProcessingTask(s.wTaskType, s.wSeriesType);
    const std::vector<std::uint16_t> active = activeEtalons(s);
    if (active.empty()) {
        // The draw takes an entry modulo the list's length: with no etalon there is no series.
        host.messageBox("Нет эталонов для создания ряда!", kFlowCaption, MessageIcon::Exclamation);
        return false;
    }
    s.lpActiveList = active;
    s.wActiveCount = static_cast<std::uint16_t>(active.size());
    s.wSeriesPulses = s.wRequestedPulses;
    s.wMaxPulses = pulseRange(s.dwSeriesLengthSel, s.wEtalonLength, s.wTmin, s.wTmax).wMaxPulses;
    growSequence(s, s.wMaxPulses);
    for (std::size_t i = 0; i < s.wMaxPulses; ++i) {
        const std::uint16_t r = nextSequenceRandom(s.dwSequenceSeed);
        s.lpEtalonSequence[i] = active[(r >> 3) % active.size()];
    }
    return true;
}

// Steps 5 and 6: the series length and pulse count in effect, the pending values taken.
void takePendingValues(ProgramState& s) {
    s.dwSeriesLength = s.dwSeriesLengthSel;
    updatePulseRange(s, s.dwSeriesLength);
    s.wSeriesPulses = clampedPulseCount(s, s.wRequestedPulses);
    s.wNoiseLevel = s.wNoiseLevelSel;
    s.wLostLevel = s.wLostLevelSel;
    s.wSavedEnergyMaking = s.wSavedEnergyMakingSel;
    s.wSavedEnergyProcessing = s.wSavedEnergyProcessingSel;
    if (s.wProcessingTask == TASK_DETECTION || s.wProcessingTask == TASK_RECOGNITION) {
        growSequence(s, std::max<std::size_t>(s.wMaxPulses, 1));
        std::fill_n(s.lpEtalonSequence.begin(), s.wMaxPulses, s.lpEtalonSequence[0]);
    }
}

// Step 7.
void takeEditedValues(ProgramState& s) {
    s.dwSeriesLength = s.dwSeriesLengthSel;
    s.wSeriesPulses = clampedPulseCount(s, s.wRequestedPulses);
    s.wNoiseLevel = s.wNoiseLevelSel;
}

// Step 8: the series itself.
bool makeSeries(Host& host, ProgramState& s) {
    // Synthesis reads as many sequence entries as it places pulses, at most as many as fit.
    growSequence(s, pulseRange(s.dwSeriesLength, s.wEtalonLength, s.wTmin, s.wTmax).wMaxPulses);
    const bool randomCount = hasRandomPulseCount(s.wSeriesType);
    auto make = randomCount ? getRandomCountSeries : getCutOffSeries;
    s.lpSeriesHeader = make(host, s.generators, s.wEtalonCount, s.etalonTable, s.wEtalonLength,
                            s.wTmin, s.wTmax, s.dwSeriesLength, s.wSeriesPulses, s.lpEtalonSequence,
                            s.wAmplitude, s.wSavedEnergyMaking, std::move(s.lpSeriesHeader));
    if (!s.lpSeriesHeader) {
        host.messageBox("Не могу создать ряд!", kFlowCaption, MessageIcon::None);
        return false;
    }
    if (randomCount) s.wSeriesPulses = s.lpSeriesHeader->wImpulseQuantity;
    return true;
}

bool haveSeries(Host& host, const ProgramState& s) {
    if (s.lpSeriesHeader) return true;
    host.messageBox("Нет ряда для обработки!", kFlowCaption, MessageIcon::Exclamation);
    return false;
}

// The tuple tasks need the subsets of the subset panel; without them the panel is shown.
bool haveSubsets(Host& host, ProgramState& s) {
    const SubsetPanel& panel = s.subsetPanel;
    bool ready = true;
    if (s.wProcessingTask == TASK_TUPLE_DETECTION) ready = !panel.subset().empty();
    if (s.wProcessingTask == TASK_TUPLE_RECOGNITION)
        ready = !panel.subset().empty() && panel.dwSubsetArraySize > 0;
    if (!ready) handleCommand(host, s, IDM_SELECT_SUBSETS);
    return ready;
}

// Steps 10 and 11.
bool processAndLabel(Host& host, ProgramState& s) {
    if (!haveSubsets(host, s)) return false;
    const SubsetPanel& panel = s.subsetPanel;
    ProcessingRequest request;
    request.wProcessingTask = s.wProcessingTask;
    request.wSeriesType = s.wSeriesType;
    request.etalonList = request.fixedEtalonList = requiredEtalons(s);
    request.subset = panel.subset();
    request.subsetSizes = panel.selectedSubsetArraySize;
    request.subsetRows = panel.selectedSubsetArray;
    request.dwSubsets = std::min<std::uint32_t>(
        panel.dwSubsetArraySize, static_cast<std::uint32_t>(panel.selectedSubsetArray.size()));
    request.wSubsetProceeding = s.wSubsetProceeding;
    request.wTmin = s.wTmin;
    request.wTmax = s.wTmax;
    request.wSavedEnergyProcessing = s.wSavedEnergyProcessing;
    request.dwDebuggingRepeat = &s.dwDebuggingRepeat;
    processSeries(host, s.etalonTable, request, s.lpChainsHeader.get(), s.lpSeriesHeader.get());

    if (addToChainsHeader(host, s.wSeriesType, s.wProcessingTask, s.wSavedEnergyMaking,
                          s.wSavedEnergyProcessing, s.lpChainsHeader.get()) == 0) {
        host.messageBox("Ошибка addToChainsHeader!", " About ChainsHeader ", MessageIcon::None);
        return false;
    }
    s.dwViewMode = VIEW_RESULTS;
    s.wResultView = 1;
    return true;
}

}  // namespace

std::uint16_t clampedPulseCount(const ProgramState& state, std::uint16_t requested) {
    if (requested >= state.wMinPulses && requested <= state.wMaxPulses) return requested;
    return PulseRange{state.wMinPulses, state.wMaxPulses}.middle();
}

void runMakeSeriesFlow(Host& host, ProgramState& state, FlowEntry entry) {
    switch (entry) {
        case FlowEntry::NextData:
            if (!drawEtalonSequence(host, state)) return;
            [[fallthrough]];
        case FlowEntry::MakeSeries:
            takePendingValues(state);
            [[fallthrough]];
        case FlowEntry::MakeEditedSeries:
            takeEditedValues(state);
            if (!makeSeries(host, state)) return;
            [[fallthrough]];
        case FlowEntry::AddNoise:
            if (!haveSeries(host, state)) return;
            addNoise(state.wNoiseLevel, *state.lpSeriesHeader, state.wNoiseSeed);
            [[fallthrough]];
        case FlowEntry::Process:
            if (!haveSeries(host, state)) return;
            if (!processAndLabel(host, state)) return;
            [[fallthrough]];
        case FlowEntry::ShowResults:
            showResults(host, state);
            break;
    }
}

}  // namespace mirovale
