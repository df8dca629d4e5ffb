#include "core/simulation/process_series.h"

#include "core/processing/alphabet_recognition.h"
#include "core/processing/pulse_detection.h"
#include "core/processing/pulse_recognition.h"
#include "core/processing/tuple_detection.h"
#include "core/processing/tuple_recognition_unfixed.h"

namespace mirovale {
namespace {

constexpr bool isUnfixedPulses(std::uint16_t wSeriesType) {
    return wSeriesType == 4 || wSeriesType == 8;
}
constexpr bool isUnfixedTuples(std::uint16_t wSeriesType) {
    return isUnfixedPulses(wSeriesType) || wSeriesType == 40;
}

}  // namespace

ProcessingRoutine processingRoutine(std::uint16_t wProcessingTask, std::uint16_t wSeriesType,
                                    AlphabetTaskRule rule) noexcept {
    using enum ProcessingRoutine;
    const bool unfixed = isUnfixedPulses(wSeriesType);
    switch (wProcessingTask) {
        case 2:
            return unfixed ? RecognizeUnfixedPulses : RecognizeFixedPulses;
        case 36:
            return isUnfixedTuples(wSeriesType) ? TuplesDetection : DetectFixedTuples;
        case 40:
            return isUnfixedTuples(wSeriesType) ? RecognizeUnfixedTuples : RecognizeFixedTuples;
        case 48:
            if (rule == AlphabetTaskRule::RecognizeAlphabet)
                return unfixed ? RecognizeAlphabetUnfixed : RecognizeAlphabetFixed;
            break;
        default:
            break;
    }
    return unfixed ? DetectUnfixedPulses : DetectFixedPulses;
}

int processSeries(Host& host, const EtalonTable& etalons, const ProcessingRequest& request,
                  ChainsHeader* chains, SeriesHeader* series) {
    const ProcessingRequest& q = request;
    std::uint32_t noDebugging = 0;
    std::uint32_t& debugging = q.dwDebuggingRepeat != nullptr ? *q.dwDebuggingRepeat : noDebugging;
    switch (processingRoutine(q.wProcessingTask, q.wSeriesType, q.alphabetRule)) {
        using enum ProcessingRoutine;
        case DetectUnfixedPulses:
            return detectUnfixedPulses(host, etalons, q.etalonList, q.wTmin, q.wTmax,
                                       q.wSavedEnergyProcessing, chains, series);
        case DetectFixedPulses:
            return detectFixedPulses(host, etalons, q.fixedEtalonList, q.wTmin, q.wTmax,
                                     q.wSavedEnergyProcessing, chains, series);
        case RecognizeUnfixedPulses:
            return recognizeUnfixedPulses(host, etalons, q.etalonList, q.wTmin, q.wTmax,
                                          q.wSavedEnergyProcessing, chains, series);
        case RecognizeFixedPulses:
            return recognizeFixedPulses(host, etalons, q.etalonList, q.wTmin, q.wTmax,
                                        q.wSavedEnergyProcessing, chains, series);
        case TuplesDetection:
            return mirovale::TuplesDetection(host, etalons, q.subset, q.wSubsetProceeding, q.wTmin,
                                             q.wTmax, q.wSavedEnergyProcessing, chains, series,
                                             debugging);
        case DetectFixedTuples:
            return detectFixedTuples(host, etalons, q.subset, q.wSubsetProceeding, q.wTmin, q.wTmax,
                                     q.wSavedEnergyProcessing, chains, series);
        case RecognizeUnfixedTuples:
            return recognizeUnfixedTuples(host, etalons, q.subsetSizes, q.subsetRows, q.dwSubsets,
                                          q.wSubsetProceeding, q.wTmin, q.wTmax,
                                          q.wSavedEnergyProcessing, chains, series, debugging);
        case RecognizeFixedTuples:
            return recognizeFixedTuples(host, etalons, q.subsetSizes, q.subsetRows, q.dwSubsets,
                                        q.wSubsetProceeding, q.wTmin, q.wTmax,
                                        q.wSavedEnergyProcessing, chains, series);
        case RecognizeAlphabetUnfixed:
            return recognizeAlphabetUnfixed(host, etalons, q.wTmin, q.wTmax,
                                            q.wSavedEnergyProcessing, chains, series);
        case RecognizeAlphabetFixed:
            return recognizeAlphabetFixed(host, etalons, q.wTmin, q.wTmax, q.wSavedEnergyProcessing,
                                          chains, series);
    }
    return 0;
}

}  // namespace mirovale
