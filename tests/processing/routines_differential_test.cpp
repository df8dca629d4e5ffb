// Every processing routine against its literal transcription on random series built to make
// ties frequent: the same return value, detected fields, chains record row by row, messages and
// allocation requests. A failure names the seed that replays it.

#include <gtest/gtest.h>

#include <random>

#include "differential_cases.h"
#include "differential_scale.h"

namespace mirovale {
namespace {

using namespace differential;

void expectSame(const Outcome& fast, const Outcome& reference) {
    EXPECT_EQ(fast.result, reference.result);
    EXPECT_EQ(fast.series, reference.series);
    EXPECT_EQ(fast.chains, reference.chains);
    EXPECT_EQ(fast.messages, reference.messages);
    EXPECT_EQ(fast.debugging, reference.debugging);
    EXPECT_EQ(fast.requests, reference.requests);
}

TEST(RoutinesDifferential, EveryRoutineMatchesItsReferenceOnRandomSeries) {
    const int cases = differential::scaled(1500);
    const std::vector<Routine> all = routines();
    for (int k = 0; k < cases; ++k) {
        const std::uint32_t seed = 70000 + static_cast<std::uint32_t>(k);
        std::mt19937 rng(seed);
        Case c = drawCase(rng);
        c.in.debugging = rng() % 16 == 0 ? 1 : 0;  // the dumps now and then
        for (const Routine& routine : all) {
            SCOPED_TRACE(::testing::Message() << "seed " << seed << ", " << routine.name);
            const Outcome reference = runOn(routine.reference, c);
            const Outcome fast = runOn(routine.fast, c);
            expectSame(fast, reference);
            if (fast != reference) return;  // one replayable failure is enough
        }
    }
}

// Failing each allocation request in turn: the same message, result and untouched series.
TEST(RoutinesDifferential, AllocationFailuresMatchTheReference) {
    const int cases = differential::scaled(40);
    const std::vector<Routine> all = routines();
    for (int k = 0; k < cases; ++k) {
        const std::uint32_t seed = 80000 + static_cast<std::uint32_t>(k);
        std::mt19937 rng(seed);
        const Case c = drawCase(rng);
        for (const Routine& routine : all) {
            const int requests = runOn(routine.reference, c).requests;
            for (int failAt = 1; failAt <= requests; ++failAt) {
                SCOPED_TRACE(::testing::Message()
                             << "seed " << seed << ", " << routine.name << ", request " << failAt);
                expectSame(runOn(routine.fast, c, failAt), runOn(routine.reference, c, failAt));
            }
        }
    }
}

}  // namespace
}  // namespace mirovale
