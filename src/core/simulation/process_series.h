#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "core/host/host.h"
#include "core/processing/chains_header.h"
#include "core/synthesis/pulse_header.h"
#include "core/synthesis/series_header.h"

namespace mirovale {

// The processing routines, one per row of the dispatch table.
enum class ProcessingRoutine : std::uint8_t {
    DetectUnfixedPulses,
    DetectFixedPulses,
    RecognizeUnfixedPulses,
    RecognizeFixedPulses,
    TuplesDetection,
    DetectFixedTuples,
    RecognizeUnfixedTuples,
    RecognizeFixedTuples,
    RecognizeAlphabetUnfixed,
    RecognizeAlphabetFixed,
};

// How task 48 is processed: the command handler recognises the alphabet, the statistical
// simulation detects the pulses as for task 4.
enum class AlphabetTaskRule : std::uint8_t { RecognizeAlphabet, Detect };

// The routine for a task and a series type.
// wProcessingTask : task code (2 recognition, 36 and 40 tuples, 48 alphabet, any other detection)
// wSeriesType     : series type code; 4 and 8 (and 40 for the tuple tasks) take the
//                   unknown-number routines, every other code the known-number ones
[[nodiscard]] ProcessingRoutine processingRoutine(std::uint16_t wProcessingTask,
                                                  std::uint16_t wSeriesType,
                                                  AlphabetTaskRule rule) noexcept;

// Everything one processing run takes besides the alphabet, the chains record and the series.
struct ProcessingRequest {
    std::uint16_t wProcessingTask = 0;  // task code
    std::uint16_t wSeriesType = 0;      // series type code
    AlphabetTaskRule alphabetRule = AlphabetTaskRule::RecognizeAlphabet;
    // Etalons tried by recognition and by detection with an unknown number of pulses.
    std::span<const std::uint16_t> etalonList;
    // Etalons tried by detection with a known number of pulses.
    std::span<const std::uint16_t> fixedEtalonList;
    std::span<const std::uint32_t> subset;       // the current subset (tuple detection)
    std::span<const std::uint32_t> subsetSizes;  // stored subsets (tuple recognition)
    std::span<const std::vector<std::uint32_t>> subsetRows;
    std::uint32_t dwSubsets = 0;                 // stored subsets in use
    std::uint16_t wSubsetProceeding = 1;         // 1 tries phase 0 only, otherwise every phase
    std::uint16_t wTmin = 0;                     // least start-to-start distance in samples
    std::uint16_t wTmax = 0;                     // greatest start-to-start distance in samples
    std::uint16_t wSavedEnergyProcessing = 100;  // percent an etalon piece must exceed
    // The one-shot debugging flag the unknown-number tuple routines read and clear; nullptr for
    // none.
    std::uint32_t* dwDebuggingRepeat = nullptr;
};

// Runs the routine of processingRoutine() on the series; the routine fills the detected fields
// of the series and ranks its chains in `chains`.
// returns the routine's own result (see the routine)
int processSeries(Host& host, const EtalonTable& etalons, const ProcessingRequest& request,
                  ChainsHeader* chains, SeriesHeader* series);

}  // namespace mirovale
