#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/host/host.h"
#include "core/processing/chains_header.h"
#include "core/simulation/rest_error_header.h"
#include "core/simulation/stat_cutoff_quorvel.h"
#include "core/state/panel_state.h"
#include "core/state/params_header.h"
#include "core/synthesis/pulse_header.h"
#include "core/synthesis/random.h"
#include "core/synthesis/series_header.h"

namespace mirovale {

// Task codes (wTaskType, wProcessingTask).
enum TaskCode : std::uint16_t {
    TASK_DETECTION = 1,
    TASK_RECOGNITION = 2,
    TASK_JOINT_DETECTION = 4,
    TASK_DETECTION_ESTIMATION = 8,
    TASK_DETECTION_ESTIMATION_2 = 16,
    TASK_BLIND_DETECTION = 32,
    TASK_TUPLE_DETECTION = 36,
    TASK_TUPLE_RECOGNITION = 40,
    TASK_ALPHABET_RECOGNITION = 48,
    TASK_SERIES_PROCESSING = 64,
};

// Series type codes (wSeriesType).
enum SeriesTypeCode : std::uint16_t {
    SERIES_FIXED_WHOLE = 1,
    SERIES_FIXED_CUTOFF = 2,
    SERIES_UNFIXED_WHOLE = 4,
    SERIES_UNFIXED_CUTOFF = 8,
    SERIES_CREATED_FIXED = 16,
    SERIES_CREATED_UNFIXED = 32,
    SERIES_FIXED_TUPLES = 36,
    SERIES_UNFIXED_TUPLES = 40,
};

// View modes (dwViewMode).
enum ViewMode : std::uint32_t {
    VIEW_ETALON_GRID = 5,
    VIEW_RESULTS = 6,
    VIEW_NOTHING_7 = 7,
    VIEW_NOTHING_8 = 8,
    VIEW_SUBSET_PANEL = 9,
    VIEW_PARAMS_PANEL = 10,
    VIEW_ALPHABET_PANEL = 11,
};

// Series types whose number of pulses is drawn at random (made by getRandomCountSeries).
constexpr bool hasRandomPulseCount(std::uint16_t wSeriesType) {
    return wSeriesType == SERIES_UNFIXED_WHOLE || wSeriesType == SERIES_UNFIXED_CUTOFF ||
           wSeriesType == SERIES_UNFIXED_TUPLES;
}
// The cut-off series types, the only ones that show and use the lost data level.
constexpr bool isCutOffSeriesType(std::uint16_t wSeriesType) {
    return wSeriesType == SERIES_FIXED_CUTOFF || wSeriesType == SERIES_UNFIXED_CUTOFF;
}
// The tuple series types.
constexpr bool isTupleSeriesType(std::uint16_t wSeriesType) {
    return wSeriesType == SERIES_FIXED_TUPLES || wSeriesType == SERIES_UNFIXED_TUPLES;
}

// The task processing runs: the task chosen, except that detection and recognition of a tuple
// series become tuple detection (36) and tuple recognition (40).
constexpr std::uint16_t deriveProcessingTask(std::uint16_t wTaskType, std::uint16_t wSeriesType) {
    if (isTupleSeriesType(wSeriesType)) {
        if (wTaskType == TASK_DETECTION) return TASK_TUPLE_DETECTION;
        if (wTaskType == TASK_RECOGNITION) return TASK_TUPLE_RECOGNITION;
    }
    return wTaskType;
}

// Least and greatest number of pulses a series of `length` samples holds, and their middle.
// Unsigned integer division; a zero wTmin or wTmax gives 0 instead of dividing by zero.
struct PulseRange {
    std::uint16_t wMinPulses = 0;
    std::uint16_t wMaxPulses = 0;
    [[nodiscard]] std::uint16_t middle() const {
        return static_cast<std::uint16_t>((wMinPulses + wMaxPulses) / 2);
    }
};
PulseRange pulseRange(std::uint32_t length, std::uint16_t wEtalonLength, std::uint16_t wTmin,
                      std::uint16_t wTmax);

// Every setting and record of the workbench, with the values the program holds before its
// start-up runs. One value per window; nothing of it lives in global variables.
struct ProgramState {
    // Problem codes.
    std::uint16_t wTaskType = TASK_JOINT_DETECTION;
    std::uint16_t wProcessingTask = TASK_JOINT_DETECTION;
    std::uint16_t wSeriesType = SERIES_UNFIXED_CUTOFF;
    std::uint32_t dwViewMode = VIEW_ETALON_GRID;
    std::uint32_t dwPrevViewMode = VIEW_ETALON_GRID;
    std::uint16_t wResultView = 1;  // in view 6: 1 the processed series, 2 the statistics chart

    // Series synthesis parameters.
    std::array<std::uint32_t, 4> dwSeriesLengthOptions{3, 200, 600, 1200};  // count, then lengths
    std::uint32_t dwSeriesLengthIndex = 3;                                  // 1-based option chosen
    std::uint32_t dwSeriesLengthSel = 1200;
    std::uint32_t dwSeriesLength = 1200;
    std::uint16_t wEtalonLength = 20;
    std::uint16_t wAmplitude = 128;
    std::uint16_t wEtalonCount = 20;
    std::uint16_t wTmin = 40;
    std::uint16_t wTmax = 181;
    std::uint16_t wMinPulses = 0;
    std::uint16_t wMaxPulses = 0;
    std::uint16_t wRequestedPulses = 40;
    std::uint16_t wSeriesPulses = 40;
    std::uint16_t wPulsesEntered = 40;
    std::array<std::uint32_t, 4> dwNoiseLevelOptions{3, 20, 35, 50};
    std::uint32_t dwNoiseLevelIndex = 1;
    std::int16_t wNoiseLevelSel = 20;
    std::int16_t wNoiseLevel = 20;
    std::array<std::uint32_t, 4> dwLostLevelOptions{3, 0, 25, 50};
    std::uint32_t dwLostLevelIndex = 2;
    std::int16_t wLostLevelSel = 25;
    std::int16_t wLostLevel = 25;
    std::uint16_t wSavedEnergyMakingSel = 75;
    std::uint16_t wSavedEnergyMaking = 75;
    std::uint16_t wSavedEnergyProcessingSel = 75;
    std::uint16_t wSavedEnergyProcessing = 75;
    std::uint32_t dwEtalonNumber = 1;
    std::uint16_t wNoiseSeed = 10597;  // noise generator state, never reset

    // Etalon selections.
    std::array<std::uint16_t, kEtalonTableSize>
        wEtalonFlags{};                         // bit 0 required, bit 1 in alphabet
    std::vector<std::uint16_t> lpRequiredList;  // required etalons, increasing when rebuilt
    std::uint16_t wRequiredCount = 20;
    std::uint16_t wRequiredCapacity = 20;
    std::vector<std::uint16_t> lpActiveList;  // the list the etalon sequence is drawn from
    std::uint16_t wActiveCount = 20;
    std::uint32_t dwSelectedEtalon = 1;
    std::uint32_t dwPrevSelectedEtalon = 0;
    std::vector<std::uint16_t> lpEtalonSequence;  // etalon number of each pulse of the next series
    std::uint16_t wEtalonSequenceSize = 0;
    std::vector<std::uint16_t> lpEditSequence;  // the sequence edited in "Create Series"
    std::uint16_t wEditSequenceSize = 0;

    // Simulation settings.
    std::uint16_t wRepeats = 100;
    std::uint16_t wPulsesIncrement = 1;
    std::uint16_t wPulsesSteps = 0;
    std::uint16_t wInitialNoiseLevel = 0;
    std::uint16_t wNoiseSteps = 29;
    std::uint16_t wNoiseIncrement = 5;
    std::uint32_t dwResetSequenceOnSim = 1;

    // Chart settings.
    std::uint32_t dwHandlingCase = 1;
    std::uint32_t dwViewCase = 1;
    std::uint32_t dwFixedUpperBound = 0;
    double dUpperBound = 0.25;
    std::uint32_t dwBoundsIncluded = 1;
    std::uint32_t dwChartMode = 2;

    // Subset settings.
    std::uint16_t wSubsetEmployment = 4;
    std::uint16_t wSubsetInitPosition = 1;
    std::uint16_t wSubsetProceeding = 1;

    // Drawing settings.
    std::uint32_t dwFrameGraphFields = 1;
    std::uint32_t dwShadedOriginal = 1;
    std::uint32_t dwHighlightDetected = 1;
    std::uint32_t dwSpecialGraphSize = 0;
    std::uint16_t wDetectedTuplesStyle = 2;
    std::uint16_t wOriginalTuplesStyle = 0;

    // What the series dialogs hand to the command that opened them, and the pulse range that
    // command computes from them (the dialogs 106 and 110 show it). Until a dialog has run they
    // hold the values in effect above.
    std::uint32_t dwTmpSeriesLength = 1200;        // "Samples Length"
    std::uint16_t wTmpTmin = 40;                   // "Min Length of Interval"
    std::uint16_t wTmpTmax = 181;                  // "Max Length of Interval"
    std::uint16_t wTmpSavedEnergyMaking = 75;      // percent, for making
    std::uint16_t wTmpSavedEnergyProcessing = 75;  // percent, for processing
    std::uint16_t wTmpMinPulses = 0;               // least pulse count of the series asked for
    std::uint16_t wTmpMaxPulses = 0;               // greatest pulse count
    std::uint16_t wTmpNoiseLevel = 20;             // "Noise Level"; signed value kept in 16 bits

    // One-shot flags.
    std::uint32_t dwTypeMoreDetails = 0;
    std::uint32_t dwDebuggingRepeat = 0;
    std::uint32_t dwDialogAccepted = 0;

    // Generator states (wNoiseSeed above is the noise one) and the etalon-sequence generator.
    GeneratorStates generators;
    std::uint32_t dwSequenceSeed = 1;

    // Records owned by the shell.
    EtalonTable etalonTable{};
    std::unique_ptr<SeriesHeader> lpSeriesHeader;
    std::uint16_t wChainsNumber = 10;  // chains the chains record holds
    std::uint16_t wChainsPulses = 0;   // pulses per chain it holds
    std::unique_ptr<ChainsHeader> lpChainsHeader;
    std::unique_ptr<RestErrorHeader> lpRestErrorHeader;
    SimulationTimes simulationTimes;  // start and end of the last simulation, for the chart

    // Repaint-pending flags of the three option rows and of the buttons area: the mouse rules
    // set them, the commands that repaint clear them.
    bool seriesLengthRowPending = false;
    bool noiseLevelRowPending = false;
    bool lostDataRowPending = false;
    bool buttonsAreaPending = false;
    std::unique_ptr<ParamsHeader> lpParamsHeader;  // the parameters panel's record

    // The file name last chosen in " Save image as..."; emptied when its dialog opens.
    std::string szSnapshotFile;

    // What the subset and alphabet selection panels have composed.
    SubsetPanel subsetPanel;
    AlphabetPanel alphabetPanel;
};

// The program-start derivation of the selected and in-effect copies from the option tables.
void deriveStartValues(ProgramState& state);

// Replaces `list` by n entries 1, 2, ..., n. On allocation failure shows its message through
// `host`, leaves `list` empty and returns false.
[[nodiscard]] bool getRequiredList(Host& host, std::uint16_t n, std::vector<std::uint16_t>& list);

// Rebuilds lpRequiredList and wRequiredCount from bit 0 of wEtalonFlags, in increasing order.
void rebuildRequiredList(ProgramState& state);

// Recomputes wMinPulses and wMaxPulses for `length` from the state's L, Tmin and Tmax.
void updatePulseRange(ProgramState& state, std::uint32_t length);

}  // namespace mirovale
