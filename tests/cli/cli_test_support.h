#pragma once

// What the mirovale-cli tests share: a simulation run with its status and output, JSON files,
// and a fresh folder for each test.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>

#include "cli/simulate_command.h"

namespace mirovale::testing {

namespace fs = std::filesystem;

struct CliRun {
    int status = 0;
    std::string out, err;
};

// runSimulate on `o`, writing its JSON to `json` and running only part `shard` when given.
inline CliRun simulate(SimulateOptions o, const fs::path& json = {},
                       const std::string& shard = {}) {
    if (!json.empty()) o.jsonPath = json.string();
    if (!shard.empty()) o.shard = shard;
    std::ostringstream out, err;
    const int status = runSimulate(o, out, err);
    return {status, out.str(), err.str()};
}

inline nlohmann::ordered_json readJson(const fs::path& path) {
    std::ifstream in(path);
    return nlohmann::ordered_json::parse(in);
}

// A test with a folder of its own, made empty before and removed after.
class ScratchTest : public ::testing::Test {
protected:
    fs::path dir_ = fs::path(::testing::TempDir()) /
                    ("mirovale_" +
                     std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    void SetUp() override {
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
};

}  // namespace mirovale::testing
