#include "core/shell/startup.h"

#include "core/shell/commands.h"
#include "core/synthesis/pulse_alphabet.h"
#include "core/synthesis/series_allocation.h"

namespace mirovale {
namespace {

void checkOnly(Host& host, std::span<const std::uint16_t> items, std::uint16_t checked) {
    for (const std::uint16_t item : items) host.checkMenuItem(item, false);
    host.checkMenuItem(checked, true);
}

void makeAlphabet(Host& host, ProgramState& state) {
    for (PulseHeader& etalon : state.etalonTable) {
        etalon.lpData.clear();
        etalon.wMaxSize = 0;
    }
    // A failure has been reported by createPulses; the workbench opens all the same.
    static_cast<void>(createPulses(host, state.generators, state.wAmplitude, state.wEtalonCount,
                                   state.wEtalonLength, state.etalonTable));
}

void requireEveryEtalon(Host& host, ProgramState& state) {
    state.wRequiredCount = state.wRequiredCapacity = state.wEtalonCount;
    static_cast<void>(getRequiredList(host, state.wRequiredCount, state.lpRequiredList));
    state.wEtalonFlags.fill(0);
    for (std::size_t i = 0; i < state.wEtalonCount && i < state.wEtalonFlags.size(); ++i)
        state.wEtalonFlags[i] = 1;
}

void takeFirstSeriesSettings(ProgramState& state) {
    state.dwSeriesLengthIndex = state.dwSeriesLengthOptions[0];
    state.dwSeriesLengthSel = state.dwSeriesLength =
        state.dwSeriesLengthOptions[state.dwSeriesLengthIndex];
    updatePulseRange(state, state.dwSeriesLength);
    state.wRequestedPulses = PulseRange{state.wMinPulses, state.wMaxPulses}.middle();
    state.wSeriesPulses = state.wRequestedPulses;

    state.lpEtalonSequence.assign(state.wMaxPulses,
                                  static_cast<std::uint16_t>(state.dwEtalonNumber));
    state.lpEditSequence = state.lpEtalonSequence;
    state.wEtalonSequenceSize = state.wEditSequenceSize = state.wMaxPulses;

    state.dwNoiseLevelIndex = 1;
    state.wNoiseLevelSel = state.wNoiseLevel =
        static_cast<std::int16_t>(state.dwNoiseLevelOptions[state.dwNoiseLevelIndex]);
}

void takeWholePulseLevels(ProgramState& state) {
    state.dwLostLevelIndex = 1;
    state.wLostLevelSel = state.wLostLevel = 0;
    state.wSavedEnergyMaking = state.wSavedEnergyMakingSel = state.wTmpSavedEnergyMaking = 100;
    state.wSavedEnergyProcessing = state.wSavedEnergyProcessingSel =
        state.wTmpSavedEnergyProcessing = 100;
}

}  // namespace

void startUp(Host& host, ProgramState& state) {
    makeAlphabet(host, state);
    requireEveryEtalon(host, state);

    checkOnly(host, kSeriesTypeItems, IDM_UNFIXED_WHOLE);
    state.wSeriesType = SERIES_UNFIXED_WHOLE;
    checkOnly(host, kTaskItems, IDM_ALPHABET_RECOGNITION);
    state.wTaskType = state.wProcessingTask = TASK_ALPHABET_RECOGNITION;
    state.wResultView = 1;
    state.dwViewMode = VIEW_ALPHABET_PANEL;

    rebuildRequiredList(state);
    state.lpActiveList = state.lpRequiredList;
    state.wActiveCount = state.wRequiredCount;

    takeFirstSeriesSettings(state);
    state.wChainsNumber = 10;
    state.wChainsPulses = state.wMaxPulses;
    state.lpChainsHeader = getChainsHeader(host, state.wChainsNumber, state.wChainsPulses,
                                           std::move(state.lpChainsHeader));
    takeWholePulseLevels(state);

    state.lpSeriesHeader = getRandomCountSeries(
        host, state.generators, state.wEtalonCount, state.etalonTable, state.wEtalonLength,
        state.wTmin, state.wTmax, state.dwSeriesLength, state.wSeriesPulses, state.lpEtalonSequence,
        state.wAmplitude, state.wSavedEnergyMaking, std::move(state.lpSeriesHeader));
    if (state.lpSeriesHeader) state.wSeriesPulses = state.lpSeriesHeader->wImpulseQuantity;
}

void startWorkbench(Host& host, ProgramState& state) {
    deriveStartValues(state);
    startUp(host, state);
}

void shutDown(ProgramState& state) noexcept {
    for (PulseHeader& etalon : state.etalonTable) {
        etalon.lpData = {};
        etalon.wMaxSize = 0;
    }
    state.lpRequiredList = {};
    state.wRequiredCount = 0;
    state.lpActiveList = {};
    state.wActiveCount = 0;
    state.lpEtalonSequence = {};
    state.lpEditSequence = {};
    state.wEtalonSequenceSize = state.wEditSequenceSize = 0;
    freeSeriesHeader(state.lpSeriesHeader);
    freeChainsHeader(state.lpChainsHeader);
    freeRestErrHeader(state.lpRestErrorHeader);
    freeSubsetPanel(state.subsetPanel);
    freeAlphabetPanel(state.alphabetPanel);
    freeParamsHeader(state.lpParamsHeader);
}

}  // namespace mirovale
