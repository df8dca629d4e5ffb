#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "cli/simulate_command.h"

namespace mirovale {
namespace {

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

TEST(RunSimulate, GivesEqualTablesWithOneAndWithSeveralThreads) {
    SimulateOptions o;
    o.seriesType = 8;
    o.task = "joint";
    o.seriesLength = 400;
    o.savedMaking = 75;
    o.savedProcessing = 75;
    o.required = "1,2,3";
    o.pulses = "3:6";
    o.noise = "0:3:60";
    o.repeats = 4;
    o.showProgress = false;
    nlohmann::json results[2];
    const unsigned threads[] = {1, 3};
    for (int k = 0; k < 2; ++k) {
        o.threads = threads[k];
        std::ostringstream out, err;
        ASSERT_EQ(runSimulate(o, out, err), 0) << err.str();
        results[k] = nlohmann::json::parse(out.str());
    }
    EXPECT_EQ(results[0]["record"], results[1]["record"]);
    EXPECT_EQ(results[0]["generators"], results[1]["generators"]);
    EXPECT_EQ(results[0]["record"]["ifComplete"], 1);
}

}  // namespace
}  // namespace mirovale
