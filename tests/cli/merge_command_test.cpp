#include "cli/merge_command.h"

#include <gtest/gtest.h>

#include <sstream>

#include "cli_test_support.h"

namespace mirovale {
namespace {

namespace fs = std::filesystem;
using testing::CliRun;
using testing::readJson;
using testing::simulate;

// A plan of 2 pulse numbers, 2 noise levels and 3 repeats: 12 series of 400 samples.
SimulateOptions smallPlan(std::uint16_t seriesType, const char* task) {
    SimulateOptions o;
    o.seriesType = seriesType;
    o.task = task;
    o.seriesLength = 400;
    o.savedMaking = 75;
    o.savedProcessing = 75;
    o.required = "1,2,3";
    o.subset = "2,1";
    o.subsets = "1,2/3,1";
    o.pulses = "4:5";
    o.noise = "0:2:80";
    o.repeats = 3;
    o.showProgress = false;
    o.threads = 2;
    return o;
}

CliRun merge(const std::vector<fs::path>& parts, const fs::path& json) {
    MergeOptions o;
    for (const fs::path& part : parts) o.parts.push_back(part.string());
    o.jsonPath = json.string();
    std::ostringstream out, err;
    const int status = runMerge(o, out, err);
    return {status, out.str(), err.str()};
}

class MergeTest : public testing::ScratchTest {
protected:
    // Runs parts 1..count of the plan (or the given ones) into NAME-I.json.
    std::vector<fs::path> parts(const std::string& name, const SimulateOptions& plan,
                                std::uint32_t count, std::vector<std::uint32_t> indices = {}) {
        if (indices.empty())
            for (std::uint32_t i = 1; i <= count; ++i) indices.push_back(i);
        std::vector<fs::path> files;
        for (const std::uint32_t i : indices) {
            const std::string shard = std::to_string(i) + "/" + std::to_string(count);
            files.push_back(dir_ / (name + "-" + std::to_string(files.size() + 1) + ".json"));
            const CliRun run = simulate(plan, files.back(), shard);
            EXPECT_EQ(run.status, 0) << shard << run.err;
        }
        return files;
    }
};

TEST_F(MergeTest, MergedPartsEqualOneRunOfTheWholePlanForEverySeriesType) {
    const struct {
        int line;
        std::uint16_t seriesType;
        const char* task;
    } plans[] = {
        {__LINE__, 1, "joint"},      {__LINE__, 2, "joint"},        {__LINE__, 4, "joint"},
        {__LINE__, 8, "joint"},      {__LINE__, 36, "recognition"},  // tuple recognition
        {__LINE__, 40, "detection"},  // tuple detection, unknown number
    };
    for (const auto& p : plans) {
        const SimulateOptions plan = smallPlan(p.seriesType, p.task);
        const CliRun whole = simulate(plan, dir_ / "whole.json");
        ASSERT_EQ(whole.status, 0) << p.line << whole.err;
        const auto expected = readJson(dir_ / "whole.json");
        for (const std::uint32_t count : {1u, 2u, 3u, 7u}) {
            // Given in reverse: the order of the files does not matter.
            std::vector<fs::path> files = parts("part", plan, count);
            std::reverse(files.begin(), files.end());
            const CliRun merged = merge(files, dir_ / "merged.json");
            ASSERT_EQ(merged.status, 0) << p.line << " " << count << merged.err;
            const auto got = readJson(dir_ / "merged.json");
            EXPECT_EQ(got["record"], expected["record"]) << p.line << " " << count;
            EXPECT_EQ(got["generators"], expected["generators"]) << p.line << " " << count;
            EXPECT_EQ(got["plan"], expected["plan"]) << p.line << " " << count;
        }
    }
}

TEST_F(MergeTest, RefusesPartsThatDoNotMakeUpOnePlanNamingTheFirstOffendingFile) {
    const SimulateOptions plan = smallPlan(2, "joint");
    SimulateOptions other = plan;
    other.repeats = 4;
    const std::vector<fs::path> halves = parts("half", plan, 2);
    const std::vector<fs::path> thirds = parts("third", plan, 3, {1, 3});
    const std::vector<fs::path> twice = parts("twice", plan, 2, {1, 1});
    const std::vector<fs::path> otherHalves = parts("other", other, 2);
    ASSERT_EQ(simulate(plan, dir_ / "whole.json").status, 0);
    const auto name = [](const fs::path& p) { return p.string(); };
    const struct {
        int line;
        std::vector<fs::path> files;
        std::string message;
    } cases[] = {
        {__LINE__,
         {halves[0], otherHalves[1]},
         name(otherHalves[1]) + ": belongs to another plan than " + name(halves[0])},
        {__LINE__,
         {twice[0], twice[1]},
         name(twice[1]) + ": is part 1 of 2, as is " + name(twice[0])},
        {__LINE__,
         {halves[0], thirds[1]},
         name(thirds[1]) + ": is part 3 of 3, but " + name(halves[0]) + " is part 1 of 2"},
        {__LINE__,
         {thirds[1], thirds[0]},
         name(thirds[0]) + ": is part 1 of 3, and part 2 is missing"},
        {__LINE__, {halves[1]}, name(halves[1]) + ": is part 2 of 2, and part 1 is missing"},
        {__LINE__, {halves[0]}, name(halves[0]) + ": is part 1 of 2, and part 2 is missing"},
        {__LINE__,
         {halves[0], dir_ / "whole.json"},
         name(dir_ / "whole.json") + ": is not a part of a simulation (it has no \"shard\")"},
        {__LINE__, {dir_ / "none.json"}, name(dir_ / "none.json") + ": cannot be read"},
    };
    for (const auto& c : cases) {
        const fs::path out = dir_ / "merged.json";
        const CliRun run = merge(c.files, out);
        EXPECT_EQ(run.status, 2) << c.line;
        EXPECT_EQ(run.err, "mirovale-cli merge: " + c.message + "\n") << c.line;
        EXPECT_FALSE(fs::exists(out)) << c.line;
    }
}

}  // namespace
}  // namespace mirovale
