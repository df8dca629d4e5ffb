#include "cli/simulate_command.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "cli/demo_command.h"

namespace mirovale {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::MatchesRegex;

// A small plan: known number of whole pulses, joint detection, 400 samples.
SimulateOptions smallPlan() {
    SimulateOptions o;
    o.seriesType = 1;
    o.task = "joint";
    o.seriesLength = 400;
    o.required = "1,2";
    o.pulses = "4:5";
    o.noise = "0:2:80";
    o.repeats = 2;
    return o;
}

struct CliRun {
    int status = 0;
    std::string out, err;
};

CliRun simulate(const SimulateOptions& o) {
    std::ostringstream out, err;
    CliRun run;
    run.status = runSimulate(o, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

TEST(RunSimulate, WritesTheCompleteRecordAsJsonAndShowsProgress) {
    SimulateOptions o = smallPlan();
    o.verbose = true;
    const CliRun run = simulate(o);
    ASSERT_EQ(run.status, 0) << run.err;
    const auto json = nlohmann::json::parse(run.out)["record"];
    EXPECT_EQ(json["ifComplete"], 1);
    EXPECT_EQ(json["wPulseValues"], nlohmann::json({4, 5}));
    EXPECT_EQ(json["lpNoiseLevels"], nlohmann::json({0, 80}));
    EXPECT_EQ(json["wTaskType"], 4);
    EXPECT_EQ(json["wSeriesType"], 1);
    EXPECT_EQ(json["repeats"], 2);
    // Without noise whole pulses are restored exactly.
    EXPECT_EQ(json["lpErrors"][0][0], nlohmann::json({0, 0}));
    EXPECT_THAT(run.err, HasSubstr("[getPulseEstAsRepeats] Create series parameters:"));
    EXPECT_THAT(run.err, HasSubstr("\rsimulating: 4 of 4 cells, "));
    // Quiet by default: no message boxes after a run that succeeded, and no progress when asked.
    o.verbose = false;
    o.showProgress = false;
    EXPECT_EQ(simulate(o).err, "");
}

std::vector<std::string> keysOf(const nlohmann::ordered_json& object) {
    std::vector<std::string> keys;
    for (const auto& item : object.items()) keys.push_back(item.key());
    return keys;
}

TEST(RunSimulate, ResultsFileHoldsThePlanTheGeneratorStatesTheProgramAndTheTimes) {
    SimulateOptions o = smallPlan();
    o.seriesType = 36;  // recognition of a known number of tuples: task 40
    o.task = "recognition";
    o.subset = "2,1";
    o.subsets = "1,2/2,1";
    const CliRun run = simulate(o);
    ASSERT_EQ(run.status, 0) << run.err;
    const auto json = nlohmann::ordered_json::parse(run.out);
    EXPECT_THAT(keysOf(json), ElementsAre("program", "plan", "record", "generators", "times"));
    EXPECT_EQ(json["program"]["name"], "mirovale-cli");
    EXPECT_THAT(json["program"]["version"].get<std::string>(), MatchesRegex("[0-9]+\\.[0-9.]+"));
    const auto& plan = json["plan"];
    EXPECT_THAT(
        keysOf(plan),
        ElementsAre("wTaskType", "wProcessingTask", "lpTaskName", "wSeriesType", "lpSeriesTypeName",
                    "dwSeriesLength", "wTmin", "wTmax", "wEtalonLength", "wAmplitude",
                    "wSavedEnergyMaking", "wSavedEnergyProcessing", "lpRequiredList",
                    "wSubsetProceeding", "lpSubset", "wSubsetMode", "wSubsetPosition",
                    "selectedSubsetList", "wCurrentAlphabet", "selectedAlphabetList",
                    "wPulsesSteps", "wMinPulses", "wPulsesIncrement", "pulseNumbers", "wNoiseSteps",
                    "wInitialNoiseLevel", "wNoiseIncrement", "noiseLevels", "wRepeats"));
    EXPECT_EQ(plan["wProcessingTask"], 40);
    EXPECT_EQ(plan["dwSeriesLength"], 400);
    EXPECT_EQ(plan["lpRequiredList"], nlohmann::json({1, 2}));
    EXPECT_EQ(plan["selectedSubsetList"], nlohmann::json::parse("[[1, 2], [2, 1]]"));
    EXPECT_EQ(plan["pulseNumbers"], nlohmann::json({4, 5}));
    EXPECT_EQ(plan["noiseLevels"], nlohmann::json({0, 80}));
    EXPECT_EQ(plan["wRepeats"], 2);
    const auto& states = json["generators"];
    EXPECT_EQ(states["start"].size(), 9u);
    EXPECT_EQ(keysOf(states["start"]), keysOf(states["end"]));
    EXPECT_NE(states["start"]["wNoiseSeed"], states["end"]["wNoiseSeed"]);
    EXPECT_NE(states["start"]["wPositionSeed"], states["end"]["wPositionSeed"]);
    const auto& times = json["times"];
    const char* utc = "20[0-9][0-9]-[01][0-9]-[0-3][0-9]T[0-2][0-9]:[0-5][0-9]:[0-6][0-9]Z";
    EXPECT_THAT(times["start"].get<std::string>(), MatchesRegex(utc));
    EXPECT_THAT(times["end"].get<std::string>(), MatchesRegex(utc));
    EXPECT_GE(times["elapsed"].get<double>(), 0.0);
}

TEST(RunSimulate, RefusesUnusableOptionsWithStatusTwoAndNoResult) {
    const std::string notRun = "mirovale-cli simulate: the simulation did not run to its end\n";
    const struct {
        int line;
        void (*edit)(SimulateOptions&);
        const char* shown;  // a message box shown before the refusal, or nullptr
        std::string last;   // the last line on standard error
    } cases[] = {
        {__LINE__, [](SimulateOptions& o) { o.pulses = "4:x"; }, nullptr,
         "mirovale-cli simulate: --pulses: 'x' is not a number from 0 to 65535\n"},
        {__LINE__, [](SimulateOptions& o) { o.noise = "0:70000"; }, nullptr,
         "mirovale-cli simulate: --noise: '70000' is not a number from 0 to 65535\n"},
        {__LINE__, [](SimulateOptions& o) { o.required = "1,21"; }, nullptr,
         "mirovale-cli simulate: --required: etalon 21 is not one of 1..20\n"},
        {__LINE__, [](SimulateOptions& o) { o.pulses = "1:5"; },
         "[About statCutoffQuorvel] План моделирования отклонён: число импульсов 1 вне 2..10",
         notRun},
        {__LINE__, [](SimulateOptions& o) { o.tmin = 0; }, "[validateSeriesGeometry]", notRun},
        {__LINE__, [](SimulateOptions& o) { o.seriesType = 36; },
         "[About selectedSubset] Error: selected Subset is absence!", notRun},
        {__LINE__, [](SimulateOptions& o) { o.csvPath = "no/such/directory/tables.csv"; }, nullptr,
         "mirovale-cli simulate: cannot write no/such/directory/tables.csv\n"},
    };
    for (const auto& c : cases) {
        SimulateOptions o = smallPlan();
        c.edit(o);
        const CliRun run = simulate(o);
        EXPECT_EQ(run.status, 2) << c.line;
        EXPECT_EQ(run.out, "") << c.line;
        if (c.shown != nullptr) {
            EXPECT_THAT(run.err, HasSubstr(c.shown)) << c.line;
        }
        ASSERT_GE(run.err.size(), c.last.size()) << c.line;
        EXPECT_EQ(run.err.substr(run.err.size() - c.last.size()), c.last) << c.line << run.err;
    }
}

TEST(RunDemo, ShowsTheAlphabetTheFirstSeriesAndADetection) {
    std::ostringstream out, err;
    EXPECT_EQ(runDemo(out, err), 0);
    const std::string text = out.str();
    EXPECT_THAT(text, HasSubstr("Alphabet: 20 etalons of 20 samples, amplitude 128\n  a  1:"));
    EXPECT_THAT(text, HasSubstr("\n  t 20:"));
    EXPECT_THAT(text, HasSubstr("\nFirst series: 1200 samples, "));
    EXPECT_THAT(text,
                HasSubstr("\nNoise level 20 added; joint detection and identification found "));
    EXPECT_EQ(err.str(), "");
}

}  // namespace
}  // namespace mirovale
