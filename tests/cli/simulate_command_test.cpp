#include "cli/simulate_command.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

#include "cli/demo_command.h"
#include "cli_test_support.h"

namespace mirovale {
namespace {

using ::testing::HasSubstr;
using ::testing::MatchesRegex;
using testing::CliRun;
using testing::simulate;

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

// The whole file of a joint-detection plan, its keys in order and every value, is pinned by the
// golden cli_simulate_golden; here are what it does not show: the progress and the message
// boxes on standard error, and a tuple plan's subsets in the file.
TEST(RunSimulate, ShowsProgressWhenAskedAndWritesTheSubsetsOfATuplePlan) {
    SimulateOptions o = smallPlan();
    o.verbose = true;
    const CliRun run = simulate(o);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(nlohmann::json::parse(run.out)["record"]["ifComplete"], 1);
    EXPECT_THAT(run.err, HasSubstr("[getPulseEstAsRepeats] Create series parameters:"));
    EXPECT_THAT(run.err, HasSubstr("\rsimulating: 4 of 4 cells, "));
    // Quiet by default: no message boxes after a run that succeeded, and no progress when asked.
    o.verbose = false;
    o.showProgress = false;
    EXPECT_EQ(simulate(o).err, "");

    o.seriesType = 36;  // recognition of a known number of tuples: task 40
    o.task = "recognition";
    o.subset = "2,1";
    o.subsets = "1,2/2,1";
    const CliRun tuples = simulate(o);
    ASSERT_EQ(tuples.status, 0) << tuples.err;
    const auto json = nlohmann::json::parse(tuples.out);
    EXPECT_EQ(json["plan"]["wProcessingTask"], 40);
    EXPECT_EQ(json["plan"]["selectedSubsetList"], nlohmann::json::parse("[[1, 2], [2, 1]]"));
    const char* utc = "20[0-9][0-9]-[01][0-9]-[0-3][0-9]T[0-2][0-9]:[0-5][0-9]:[0-6][0-9]Z";
    EXPECT_THAT(json["times"]["start"].get<std::string>(), MatchesRegex(utc));
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
        {__LINE__, [](SimulateOptions& o) { o.shard = "0/3"; }, nullptr,
         "mirovale-cli simulate: --shard: '0/3' is not I/K with 1 <= I <= K\n"},
        {__LINE__, [](SimulateOptions& o) { o.shard = "4/3"; }, nullptr,
         "mirovale-cli simulate: --shard: '4/3' is not I/K with 1 <= I <= K\n"},
        {__LINE__, [](SimulateOptions& o) { o.shard = "1/4294967296"; }, nullptr,
         "mirovale-cli simulate: --shard: '1/4294967296' is not I/K with 1 <= I <= K\n"},
        // 8 series cannot make 9 parts.
        {__LINE__, [](SimulateOptions& o) { o.shard = "1/9"; },
         "План моделирования отклонён: его 8 серий нельзя разделить на 9 частей.", notRun},
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

TEST(ProgressText, ShowsCellsElapsedTimeAndTheTimeLeftAtThePaceSoFar) {
    const struct {
        int line;
        std::uint32_t done, total;
        double elapsed;
        const char* text;
    } cases[] = {
        // Nothing done yet: no pace to estimate from.
        {__LINE__, 0, 725, 0.2, "simulating: 0 of 725 cells, 0 s elapsed"},
        {__LINE__, 1, 4, 2.0, "simulating: 1 of 4 cells, 2 s elapsed, about 6 s left"},
        // Seconds round to the nearest; minutes and hours carry two-digit parts.
        {__LINE__, 29, 725, 59.6,
         "simulating: 29 of 725 cells, 1 min 00 s elapsed, about "
         "23 min 50 s left"},
        {__LINE__, 100, 725, 600.0,
         "simulating: 100 of 725 cells, 10 min 00 s elapsed, about "
         "1 h 02 min left"},
        // Done: the estimate goes.
        {__LINE__, 725, 725, 3725.0, "simulating: 725 of 725 cells, 1 h 02 min elapsed"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(progressText(c.done, c.total, c.elapsed), c.text) << c.line;
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
