#include "cli/provenance.h"

#include <algorithm>
#include <cmath>
#include <ctime>
#include <span>

#include "cli/json_dump.h"
#include "cli/version.h"
#include "core/shell/simulation_command.h"
#include "core/simulation/rest_error_header.h"

namespace mirovale {
namespace {

constexpr const char* kProgramName = "mirovale-cli";

nlohmann::ordered_json nameOrNull(const char* name) {
    return name != nullptr ? nlohmann::ordered_json(name) : nlohmann::ordered_json(nullptr);
}

// Rows of a table of lists (subsets, alphabets), each cut to its size.
nlohmann::ordered_json rows(const std::vector<std::vector<std::int16_t>>& lists,
                            const std::vector<std::int16_t>& sizes, std::size_t count) {
    nlohmann::ordered_json json = nlohmann::ordered_json::array();
    for (std::size_t k = 0; k < std::min({count, lists.size(), sizes.size()}); ++k)
        json.push_back(firstEntries(lists[k], static_cast<std::uint16_t>(sizes[k])));
    return json;
}

void addSeriesSelections(nlohmann::ordered_json& json, const SeriesHeader* series) {
    if (series == nullptr) return;
    json["lpSubset"] = firstEntries(series->lpSubset, series->wSubsetSize);
    json["wSubsetMode"] = series->wSubsetMode;
    json["wSubsetPosition"] = series->wSubsetPosition;
    json["selectedSubsetList"] =
        rows(series->selectedSubsetList, series->selectedSubsetSize, series->wSubsets);
    json["wCurrentAlphabet"] = series->wCurrentAlphabet;
    json["selectedAlphabetList"] =
        rows(series->selectedAlphabetList, series->selectedAlphabetSize, series->wAlphabets);
}

std::string utcText(std::int64_t seconds) {
    const auto time = static_cast<std::time_t>(seconds);
    std::tm parts{};
    gmtime_r(&time, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &parts);
    return text;
}

}  // namespace

std::string versionText() {
    std::string text = std::string(kProgramName) + ' ' + kProgramVersion;
    if (*kSourceRevision != '\0') text += std::string(" (revision ") + kSourceRevision + ')';
    return text;
}

nlohmann::ordered_json programJson() {
    nlohmann::ordered_json json;
    json["name"] = kProgramName;
    json["version"] = kProgramVersion;
    if (*kSourceRevision != '\0') json["revision"] = kSourceRevision;
    return json;
}

nlohmann::ordered_json simulationPlanJson(const ProgramState& s) {
    const SimulationPlan plan = simulationPlanOf(s);
    nlohmann::ordered_json json;
    json["wTaskType"] = s.wTaskType;
    json["wProcessingTask"] = s.wProcessingTask;
    json["lpTaskName"] = nameOrNull(restErrTaskName(s.wProcessingTask));
    json["wSeriesType"] = s.wSeriesType;
    json["lpSeriesTypeName"] = nameOrNull(restErrSeriesTypeName(s.wSeriesType));
    json["dwSeriesLength"] = plan.dwSeriesLength;
    json["wTmin"] = plan.wTmin;
    json["wTmax"] = plan.wTmax;
    json["wEtalonLength"] = plan.wEtalonLength;
    json["wAmplitude"] = s.wAmplitude;
    json["wSavedEnergyMaking"] = s.wSavedEnergyMaking;
    json["wSavedEnergyProcessing"] = s.wSavedEnergyProcessing;
    json["lpRequiredList"] = firstEntries(s.lpRequiredList, s.wRequiredCount);
    json["wSubsetProceeding"] = s.wSubsetProceeding;
    addSeriesSelections(json, s.lpSeriesHeader.get());
    json["wPulsesSteps"] = plan.wPulsesSteps;
    json["wMinPulses"] = plan.wMinPulses;
    json["wPulsesIncrement"] = plan.wPulsesIncrement;
    json["pulseNumbers"] = planPulseNumbers(plan);
    json["wNoiseSteps"] = plan.wNoiseSteps;
    json["wInitialNoiseLevel"] = plan.wInitialNoiseLevel;
    json["wNoiseIncrement"] = plan.wNoiseIncrement;
    json["noiseLevels"] = planNoiseLevels(plan);
    json["wRepeats"] = plan.wRepeats;
    return json;
}

nlohmann::ordered_json generatorStatesJson(const ProgramState& s) {
    const GeneratorStates& g = s.generators;
    nlohmann::ordered_json json;
    json["wFragmentBeginSeed"] = g.wFragmentBeginSeed;
    json["wFragmentEndSeed"] = g.wFragmentEndSeed;
    json["wPositionSeed"] = g.wPositionSeed;
    json["wPulseCountSeed"] = g.wPulseCountSeed;
    json["wSubsetStartSeed"] = g.wSubsetStartSeed;
    json["wSubsetPickSeed"] = g.wSubsetPickSeed;
    json["wShapeSeed"] = g.wShapeSeed;
    json["wNoiseSeed"] = s.wNoiseSeed;
    json["dwSequenceSeed"] = s.dwSequenceSeed;
    return json;
}

nlohmann::ordered_json timesJson(std::int64_t startTime, std::int64_t endTime, double elapsed) {
    nlohmann::ordered_json json;
    json["start"] = utcText(startTime);
    json["end"] = utcText(endTime);
    json["elapsed"] = std::round(elapsed * 1000.0) / 1000.0;
    return json;
}

}  // namespace mirovale
