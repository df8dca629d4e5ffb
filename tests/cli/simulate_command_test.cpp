#include "cli/simulate_command.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "cli/demo_command.h"

namespace mirovale {
namespace {

using ::testing::HasSubstr;

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
    const CliRun run = simulate(smallPlan());
    ASSERT_EQ(run.status, 0) << run.err;
    const auto json = nlohmann::json::parse(run.out);
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
