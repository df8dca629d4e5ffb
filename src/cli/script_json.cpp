#include "cli/script_json.h"

#include <algorithm>
#include <span>

#include "cli/json_dump.h"

namespace mirovale {
namespace {

using Json = nlohmann::ordered_json;

// The first `rows` rows of a table, row r cut to count(r) entries.
template <class T, class Count>
Json firstRows(const std::vector<std::vector<T>>& table, std::size_t rows, Count count) {
    Json out = Json::array();
    for (std::size_t r = 0; r < rows && r < table.size(); ++r)
        out.push_back(firstEntries(table[r], count(r)));
    return out;
}

template <class T>
std::size_t sizeAt(const std::vector<T>& sizes, std::size_t r) {
    return r < sizes.size() && sizes[r] > 0 ? static_cast<std::size_t>(sizes[r]) : 0;
}

Json nameOrNull(const char* name) {
    return name != nullptr ? Json(name) : Json(nullptr);
}

Json absent() {
    return Json{{"present", false}};
}

Json generatorsJson(const GeneratorStates& g) {
    Json j;
    j["wFragmentBeginSeed"] = g.wFragmentBeginSeed;
    j["wFragmentEndSeed"] = g.wFragmentEndSeed;
    j["wPositionSeed"] = g.wPositionSeed;
    j["wPulseCountSeed"] = g.wPulseCountSeed;
    j["wSubsetStartSeed"] = g.wSubsetStartSeed;
    j["wSubsetPickSeed"] = g.wSubsetPickSeed;
    j["wShapeSeed"] = g.wShapeSeed;
    return j;
}

// The numbers and the marks of the selection being built: slots in use of each half.
Json slotsJson(const std::vector<std::uint32_t>& slots, std::uint32_t capacity, std::uint32_t used,
               bool marks) {
    if (slots.size() < 2 * std::size_t{capacity}) return Json::array();
    const auto half = std::span<const std::uint32_t>(slots).subspan(marks ? capacity : 0, capacity);
    return Json(half.first(std::min<std::size_t>(used, capacity)));
}

Json labelsJson(const std::vector<InclusiveRect>& labels, std::size_t count) {
    Json out = Json::array();
    for (std::size_t i = 0; i < count && i < labels.size(); ++i)
        out.push_back({labels[i].left, labels[i].top, labels[i].right, labels[i].bottom});
    return out;
}

Json subsetPanelJson(const SubsetPanel& p) {
    const std::size_t stored = p.dwSubsetArraySize;
    Json j;
    j["dwSubsetCapacity"] = p.dwSubsetCapacity;
    j["selectedSubset"] =
        slotsJson(p.selectedSubset, p.dwSubsetCapacity, p.dwSelectedSubsetSize, false);
    j["selectedSubsetMarks"] =
        slotsJson(p.selectedSubset, p.dwSubsetCapacity, p.dwSelectedSubsetSize, true);
    j["dwSelectedSubsetSize"] = p.dwSelectedSubsetSize;
    j["dwSubsetArrayReserve"] = p.dwSubsetArrayReserve;
    j["dwSubsetArrayCapacity"] = p.dwSubsetArrayCapacity;
    j["dwSubsetArraySize"] = p.dwSubsetArraySize;
    j["selectedSubsetArraySize"] = firstEntries(p.selectedSubsetArraySize, stored);
    j["selectedSubsetArray"] = firstRows(p.selectedSubsetArray, stored, [&](std::size_t r) {
        return sizeAt(p.selectedSubsetArraySize, r);
    });
    j["subsetLabelRect"] = labelsJson(p.subsetLabelRect, stored);
    j["dwCurrentSubset"] = p.dwCurrentSubset;
    j["dwMarkAllSubsets"] = p.dwMarkAllSubsets;
    j["dwSubsetButtons"] = p.dwSubsetButtons;
    return j;
}

Json alphabetPanelJson(const AlphabetPanel& p) {
    const std::size_t stored = p.dwAlphabetArraySize;
    Json j;
    j["dwAlphabetCapacity"] = p.dwAlphabetCapacity;
    j["selectedAlphabet"] =
        slotsJson(p.selectedAlphabet, p.dwAlphabetCapacity, p.dwSelectedAlphabetSize, false);
    j["selectedAlphabetMarks"] =
        slotsJson(p.selectedAlphabet, p.dwAlphabetCapacity, p.dwSelectedAlphabetSize, true);
    j["dwSelectedAlphabetSize"] = p.dwSelectedAlphabetSize;
    j["dwAlphabetArrayReserve"] = p.dwAlphabetArrayReserve;
    j["dwAlphabetArrayCapacity"] = p.dwAlphabetArrayCapacity;
    j["dwAlphabetArraySize"] = p.dwAlphabetArraySize;
    j["selectedAlphabetsSize"] = firstEntries(p.selectedAlphabetsSize, stored);
    j["selectedAlphabetArray"] = firstRows(p.selectedAlphabetArray, stored, [&](std::size_t r) {
        return sizeAt(p.selectedAlphabetsSize, r);
    });
    j["alphabetLabelRect"] = labelsJson(p.alphabetLabelRect, stored);
    j["dwCurrentAlphabet"] = p.dwCurrentAlphabet;
    j["dwMarkAllAlphabets"] = p.dwMarkAllAlphabets;
    j["dwAlphabetButtons"] = p.dwAlphabetButtons;
    j["dwQuickGroups"] = p.dwQuickGroups;
    j["dwQuickGroupsDefault"] = p.dwQuickGroupsDefault;
    j["dwRepaintItem"] = p.dwRepaintItem;
    return j;
}

}  // namespace

Json seriesJson(const SeriesHeader* series) {
    if (series == nullptr) return absent();
    const SeriesHeader& s = *series;
    const std::size_t n = s.wImpulseQuantity;
    const std::size_t found = s.wDetectedPulses;
    Json etalons = Json::array();
    for (std::size_t k = 0; k < s.wEtalons && k < s.lpPulsesList.size(); ++k)
        etalons.push_back(s.lpPulsesList[k] != nullptr ? s.lpPulsesList[k]->wNumber : 0);
    Json j;
    j["dwMaxSeriesSize"] = s.dwMaxSeriesSize;
    j["dwSeriesSize"] = s.dwSeriesSize;
    j["wTmin"] = s.wTmin;
    j["wTmax"] = s.wTmax;
    j["wImpulseSize"] = s.wImpulseSize;
    j["wImpulseQuantity"] = s.wImpulseQuantity;
    j["wMaxPulses"] = s.wMaxPulses;
    j["wMinPulses"] = s.wMinPulses;
    j["wNoiseLevel"] = s.wNoiseLevel;
    j["wAmplitude"] = s.wAmplitude;
    j["wMaxEtalons"] = s.wMaxEtalons;
    j["wEtalons"] = s.wEtalons;
    j["wMaxPulsesSpace"] = s.wMaxPulsesSpace;
    j["wDetectedPulses"] = s.wDetectedPulses;
    j["wDefaultBegin"] = s.wDefaultBegin;
    j["wDefaultEnd"] = s.wDefaultEnd;
    j["lpFirstPulse"] = s.lpFirstPulse != nullptr ? Json(s.lpFirstPulse->wNumber) : Json(nullptr);
    j["lpPulsesList"] = std::move(etalons);
    j["lpPositions"] = firstEntries(s.lpPositions, n);
    j["lpEtalonNumbers"] = firstEntries(s.lpEtalonNumbers, n);
    j["lpBegins"] = firstEntries(s.lpBegins, n);
    j["lpEnds"] = firstEntries(s.lpEnds, n);
    j["lpMinPositions"] = firstEntries(s.lpMinPositions, n);
    j["lpMaxPositions"] = firstEntries(s.lpMaxPositions, n);
    j["lpBlocks"] = firstEntries(s.lpBlocks, n);
    j["lpMinBlocks"] = firstEntries(s.lpMinBlocks, n);
    j["lpMaxBlocks"] = firstEntries(s.lpMaxBlocks, n);
    j["lpDetectedPositions"] = firstEntries(s.lpDetectedPositions, found);
    j["lpDetectedEtalons"] = firstEntries(s.lpDetectedEtalons, found);
    j["lpDetectedBegins"] = firstEntries(s.lpDetectedBegins, found);
    j["lpDetectedEnds"] = firstEntries(s.lpDetectedEnds, found);
    j["lpDetectedBlocks"] = firstEntries(s.lpDetectedBlocks, found);
    j["wSubsetSize"] = s.wSubsetSize;
    j["wSubsetMode"] = s.wSubsetMode;
    j["wSubsetPosition"] = s.wSubsetPosition;
    j["lpSubset"] = firstEntries(s.lpSubset, s.wSubsetSize);
    j["wDetectedTuples"] = s.wDetectedTuples;
    j["lpTupleFirst"] = firstEntries(s.lpTupleFirst, s.wDetectedTuples);
    j["lpTupleLast"] = firstEntries(s.lpTupleLast, s.wDetectedTuples);
    j["wMaxSubsets"] = s.wMaxSubsets;
    j["wSubsets"] = s.wSubsets;
    j["wMaxSubsetLength"] = s.wMaxSubsetLength;
    j["wRecognizedSubset"] = s.wRecognizedSubset;
    j["selectedSubsetSize"] = firstEntries(s.selectedSubsetSize, s.wSubsets);
    j["selectedSubsetList"] = firstRows(s.selectedSubsetList, s.wSubsets, [&](std::size_t r) {
        return sizeAt(s.selectedSubsetSize, r);
    });
    j["wCurrentAlphabetSize"] = s.wCurrentAlphabetSize;
    j["lpAlphabet"] = firstEntries(s.lpAlphabet, s.wCurrentAlphabetSize);
    j["wMaxAlphabets"] = s.wMaxAlphabets;
    j["wAlphabets"] = s.wAlphabets;
    j["wMaxAlphabetLength"] = s.wMaxAlphabetLength;
    j["wRecognizedAlphabet"] = s.wRecognizedAlphabet;
    j["wCurrentAlphabet"] = s.wCurrentAlphabet;
    j["selectedAlphabetSize"] = firstEntries(s.selectedAlphabetSize, s.wAlphabets);
    j["selectedAlphabetList"] = firstRows(s.selectedAlphabetList, s.wAlphabets, [&](std::size_t r) {
        return sizeAt(s.selectedAlphabetSize, r);
    });
    j["wVectorMode"] = s.wVectorMode;
    j["dwMaxBlocks"] = s.dwMaxBlocks;
    j["dwBlocks"] = s.dwBlocks;
    j["wTminBlocks"] = s.wTminBlocks;
    j["wTmaxBlocks"] = s.wTmaxBlocks;
    j["lpPureData"] = firstEntries(s.lpPureData, s.dwSeriesSize);
    j["lpData"] = firstEntries(s.lpData, s.dwSeriesSize);
    return j;
}

Json chainsJson(const ChainsHeader* chains) {
    if (chains == nullptr) return absent();
    const ChainsHeader& c = *chains;
    const std::size_t held = c.wPretenders;
    const auto pulses = [&](std::size_t r) { return sizeAt(c.pulsesQuantity, r); };
    Json j;
    j["wMaxSize"] = c.wMaxSize;
    j["wPretenders"] = c.wPretenders;
    j["wMaxPulses"] = c.wMaxPulses;
    j["wQuanPulses"] = c.wQuanPulses;
    j["wSeekingPulsesQuantity"] = c.wSeekingPulsesQuantity;
    j["distance"] = firstEntries(c.distance, held);
    j["pulsesQuantity"] = firstEntries(c.pulsesQuantity, held);
    j["alphabetNumber"] = firstEntries(c.alphabetNumber, held);
    j["pulsesList"] = firstRows(c.pulsesList, held, pulses);
    j["positionsList"] = firstRows(c.positionsList, held, pulses);
    j["beginsList"] = firstRows(c.beginsList, held, pulses);
    j["endsList"] = firstRows(c.endsList, held, pulses);
    j["wMark"] = c.wMark;
    j["wSeriesType"] = c.wSeriesType;
    j["wTaskType"] = c.wTaskType;
    j["lpTaskName"] = nameOrNull(c.lpTaskName);
    j["lpSeriesTypeName"] = nameOrNull(c.lpSeriesTypeName);
    j["wMakingLevel"] = c.wMakingLevel;
    j["wProcessingLevel"] = c.wProcessingLevel;
    return j;
}

Json errorsJson(const RestErrorHeader* errors) {
    return errors != nullptr ? restErrorHeaderJson(*errors) : absent();
}

Json stateJson(const ProgramState& s) {
    Json j;
    j["wTaskType"] = s.wTaskType;
    j["wProcessingTask"] = s.wProcessingTask;
    j["wSeriesType"] = s.wSeriesType;
    j["dwViewMode"] = s.dwViewMode;
    j["dwPrevViewMode"] = s.dwPrevViewMode;
    j["wResultView"] = s.wResultView;
    j["dwSeriesLengthIndex"] = s.dwSeriesLengthIndex;
    j["dwSeriesLengthSel"] = s.dwSeriesLengthSel;
    j["dwSeriesLength"] = s.dwSeriesLength;
    j["wEtalonLength"] = s.wEtalonLength;
    j["wAmplitude"] = s.wAmplitude;
    j["wEtalonCount"] = s.wEtalonCount;
    j["wTmin"] = s.wTmin;
    j["wTmax"] = s.wTmax;
    j["wMinPulses"] = s.wMinPulses;
    j["wMaxPulses"] = s.wMaxPulses;
    j["wRequestedPulses"] = s.wRequestedPulses;
    j["wSeriesPulses"] = s.wSeriesPulses;
    j["wPulsesEntered"] = s.wPulsesEntered;
    j["dwNoiseLevelIndex"] = s.dwNoiseLevelIndex;
    j["wNoiseLevelSel"] = s.wNoiseLevelSel;
    j["wNoiseLevel"] = s.wNoiseLevel;
    j["dwLostLevelIndex"] = s.dwLostLevelIndex;
    j["wLostLevelSel"] = s.wLostLevelSel;
    j["wLostLevel"] = s.wLostLevel;
    j["wSavedEnergyMakingSel"] = s.wSavedEnergyMakingSel;
    j["wSavedEnergyMaking"] = s.wSavedEnergyMaking;
    j["wSavedEnergyProcessingSel"] = s.wSavedEnergyProcessingSel;
    j["wSavedEnergyProcessing"] = s.wSavedEnergyProcessing;
    j["dwEtalonNumber"] = s.dwEtalonNumber;
    j["wNoiseSeed"] = s.wNoiseSeed;
    j["wRequiredCount"] = s.wRequiredCount;
    j["wRequiredCapacity"] = s.wRequiredCapacity;
    j["wActiveCount"] = s.wActiveCount;
    j["dwSelectedEtalon"] = s.dwSelectedEtalon;
    j["dwPrevSelectedEtalon"] = s.dwPrevSelectedEtalon;
    j["wEtalonSequenceSize"] = s.wEtalonSequenceSize;
    j["wEditSequenceSize"] = s.wEditSequenceSize;
    j["wRepeats"] = s.wRepeats;
    j["wPulsesIncrement"] = s.wPulsesIncrement;
    j["wPulsesSteps"] = s.wPulsesSteps;
    j["wInitialNoiseLevel"] = s.wInitialNoiseLevel;
    j["wNoiseSteps"] = s.wNoiseSteps;
    j["wNoiseIncrement"] = s.wNoiseIncrement;
    j["dwResetSequenceOnSim"] = s.dwResetSequenceOnSim;
    j["dwHandlingCase"] = s.dwHandlingCase;
    j["dwViewCase"] = s.dwViewCase;
    j["dwFixedUpperBound"] = s.dwFixedUpperBound;
    j["dUpperBound"] = s.dUpperBound;
    j["dwBoundsIncluded"] = s.dwBoundsIncluded;
    j["dwChartMode"] = s.dwChartMode;
    j["wSubsetEmployment"] = s.wSubsetEmployment;
    j["wSubsetInitPosition"] = s.wSubsetInitPosition;
    j["wSubsetProceeding"] = s.wSubsetProceeding;
    j["dwFrameGraphFields"] = s.dwFrameGraphFields;
    j["dwShadedOriginal"] = s.dwShadedOriginal;
    j["dwHighlightDetected"] = s.dwHighlightDetected;
    j["dwSpecialGraphSize"] = s.dwSpecialGraphSize;
    j["wDetectedTuplesStyle"] = s.wDetectedTuplesStyle;
    j["wOriginalTuplesStyle"] = s.wOriginalTuplesStyle;
    j["dwTmpSeriesLength"] = s.dwTmpSeriesLength;
    j["wTmpTmin"] = s.wTmpTmin;
    j["wTmpTmax"] = s.wTmpTmax;
    j["wTmpSavedEnergyMaking"] = s.wTmpSavedEnergyMaking;
    j["wTmpSavedEnergyProcessing"] = s.wTmpSavedEnergyProcessing;
    j["wTmpMinPulses"] = s.wTmpMinPulses;
    j["wTmpMaxPulses"] = s.wTmpMaxPulses;
    j["wTmpNoiseLevel"] = s.wTmpNoiseLevel;
    j["dwTypeMoreDetails"] = s.dwTypeMoreDetails;
    j["dwDebuggingRepeat"] = s.dwDebuggingRepeat;
    j["dwDialogAccepted"] = s.dwDialogAccepted;
    j["dwSequenceSeed"] = s.dwSequenceSeed;
    j["wChainsNumber"] = s.wChainsNumber;
    j["wChainsPulses"] = s.wChainsPulses;
    j["seriesLengthRowPending"] = s.seriesLengthRowPending;
    j["noiseLevelRowPending"] = s.noiseLevelRowPending;
    j["lostDataRowPending"] = s.lostDataRowPending;
    j["buttonsAreaPending"] = s.buttonsAreaPending;
    j["dwSeriesLengthOptions"] = s.dwSeriesLengthOptions;
    j["dwNoiseLevelOptions"] = s.dwNoiseLevelOptions;
    j["dwLostLevelOptions"] = s.dwLostLevelOptions;
    j["wEtalonFlags"] = s.wEtalonFlags;
    j["lpRequiredList"] = firstEntries(s.lpRequiredList, s.wRequiredCount);
    j["lpActiveList"] = firstEntries(s.lpActiveList, s.wActiveCount);
    j["lpEtalonSequence"] = firstEntries(s.lpEtalonSequence, s.wEtalonSequenceSize);
    j["lpEditSequence"] = firstEntries(s.lpEditSequence, s.wEditSequenceSize);
    j["generators"] = generatorsJson(s.generators);
    j["seriesLengthRowPending"] = s.seriesLengthRowPending;
    j["noiseLevelRowPending"] = s.noiseLevelRowPending;
    j["lostDataRowPending"] = s.lostDataRowPending;
    j["buttonsAreaPending"] = s.buttonsAreaPending;
    j["lpSeriesHeader"] = s.lpSeriesHeader != nullptr;
    j["lpChainsHeader"] = s.lpChainsHeader != nullptr;
    j["lpRestErrorHeader"] = s.lpRestErrorHeader != nullptr;
    j["lpParamsHeader"] = s.lpParamsHeader != nullptr;
    j["subsetPanel"] = subsetPanelJson(s.subsetPanel);
    j["alphabetPanel"] = alphabetPanelJson(s.alphabetPanel);
    return j;
}

Json alphabetJson(const ProgramState& s) {
    Json table = Json::array();
    for (std::size_t i = 0; i < s.wEtalonCount && i < s.etalonTable.size(); ++i) {
        const PulseHeader& p = s.etalonTable[i];
        Json e;
        e["wNumber"] = p.wNumber;
        e["wSize"] = p.wSize;
        e["wMaxSize"] = p.wMaxSize;
        e["lpData"] = firstEntries(p.lpData, p.wSize);
        table.push_back(std::move(e));
    }
    Json j;
    j["wEtalonCount"] = s.wEtalonCount;
    j["wEtalonLength"] = s.wEtalonLength;
    j["wAmplitude"] = s.wAmplitude;
    j["etalonTable"] = std::move(table);
    return j;
}

}  // namespace mirovale
