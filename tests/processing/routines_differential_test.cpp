// Every processing routine against its literal transcription on random series built to make
// ties frequent: the same return value, detected fields, chains record row by row, messages and
// allocation requests. A failure names the seed that replays it.

#include <gtest/gtest.h>

#include <random>
#include <string_view>

#include "differential_cases.h"

namespace mirovale {
namespace {

using namespace differential;

// Runs the routines `picked` by name on the case, failing request `failAt`; false after the
// first difference, so that one replayable failure is reported.
template <class Pick>
bool expectSame(const std::vector<Routine>& all, const Case& c, std::uint32_t seed, Pick picked,
                int failAt = 0) {
    for (const Routine& routine : all) {
        if (!picked(std::string_view(routine.name))) continue;
        SCOPED_TRACE(::testing::Message()
                     << "seed " << seed << ", " << routine.name << ", failing request " << failAt);
        const Outcome reference = runOn(routine.reference, c, failAt);
        const Outcome fast = runOn(routine.fast, c, failAt);
        EXPECT_EQ(fast.result, reference.result);
        EXPECT_EQ(fast.series, reference.series);
        EXPECT_EQ(fast.chains, reference.chains);
        EXPECT_EQ(fast.messages, reference.messages);
        EXPECT_EQ(fast.debugging, reference.debugging);
        EXPECT_EQ(fast.requests, reference.requests);
        if (fast != reference) return false;
    }
    return true;
}

const auto every = [](std::string_view) { return true; };

TEST(RoutinesDifferential, EveryRoutineMatchesItsReferenceOnRandomSeries) {
    const std::vector<Routine> all = routines();
    for (int k = 0; k < differential::scaled(1500); ++k) {
        const std::uint32_t seed = 70000 + static_cast<std::uint32_t>(k);
        std::mt19937 rng(seed);
        Case c = drawCase(rng);
        c.in.debugging = rng() % 16 == 0 ? 1 : 0;  // the dumps now and then
        if (!expectSame(all, c, seed, every)) return;
    }
}

// Lists of more etalons than chain lanes (several batches), repeats spread over the batches, and
// subsets of up to ten members (the lanes, or the table where more layers than lanes are needed;
// more phases than a batch holds).
TEST(RoutinesDifferential, LongListsAndSubsetsMatchTheReference) {
    const std::vector<Routine> all = routines();
    const auto runsLanes = [](std::string_view name) {
        return name == "recognizeUnfixedPulses" || name == "recognizeFixedPulses" ||
               name == "TuplesDetection" || name == "recognizeUnfixedTuples" ||
               name == "detectFixedTuples" || name == "recognizeFixedTuples";
    };
    for (int k = 0; k < differential::scaled(300); ++k) {
        const std::uint32_t seed = 61000 + static_cast<std::uint32_t>(k);
        std::mt19937 rng(seed);
        Case c = drawCase(rng);
        c.in.list.clear();
        for (std::size_t n = 9 + rng() % 16; c.in.list.size() < n;)
            c.in.list.push_back(static_cast<std::uint16_t>(1 + rng() % 21));  // 21: no etalon
        c.in.subset.clear();
        for (std::size_t n = 5 + rng() % 6; c.in.subset.size() < n;)
            c.in.subset.push_back(1 + rng() % 5);
        c.in.subsetRows.push_back(c.in.subset);
        c.in.subsetSizes.push_back(static_cast<std::uint32_t>(c.in.subset.size()));
        if (!expectSame(all, c, seed, runsLanes)) return;
    }
}

// Failing each allocation request in turn: the same message, result and untouched series.
TEST(RoutinesDifferential, AllocationFailuresMatchTheReference) {
    const std::vector<Routine> all = routines();
    for (int k = 0; k < differential::scaled(40); ++k) {
        const std::uint32_t seed = 80000 + static_cast<std::uint32_t>(k);
        std::mt19937 rng(seed);
        const Case c = drawCase(rng);
        for (const Routine& routine : all) {
            const auto only = [&](std::string_view name) { return name == routine.name; };
            const int requests = runOn(routine.reference, c).requests;
            for (int failAt = 1; failAt <= requests; ++failAt) {
                if (!expectSame(all, c, seed, only, failAt)) return;
            }
        }
    }
}

}  // namespace
}  // namespace mirovale
