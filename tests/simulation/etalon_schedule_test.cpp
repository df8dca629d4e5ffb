#include "core/simulation/etalon_schedule.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace mirovale {
namespace {

using ::testing::ElementsAre;

// Starts a cell of R repeats and n pulses, then records the sequence after each repeat's switch
// and the repeats at which the sequence or the subset changed.
struct Trace {
    EtalonSchedule schedule;
    std::vector<std::uint32_t> switches;
    std::vector<std::vector<std::uint16_t>> sequences;

    Trace(std::uint16_t task, std::span<const std::uint16_t> required, std::uint32_t subsets,
          std::uint32_t R, std::uint16_t n) {
        schedule.counters.assign(n, 1);
        schedule.sequence.assign(n, 1);
        startCell(schedule, task, required, subsets, R, n);
        for (std::uint32_t r = 0; r < R; ++r) {
            const auto before = schedule.sequence;
            if (advanceSchedule(schedule, task, required, subsets, r, n) ||
                schedule.sequence != before)
                switches.push_back(r);
            sequences.push_back(schedule.sequence);
        }
    }
};

TEST(SchedulePeriod, FollowsTheTaskFormulasInSixtyFourBits) {
    const struct {
        int line;
        std::uint16_t task, required;
        std::uint32_t subsets, R;
        std::uint16_t n;
        std::uint64_t period;
    } cases[] = {
        {__LINE__, 2, 3, 0, 100, 6, 33},     // (3 + 200) / 6
        {__LINE__, 2, 3, 0, 1, 6, 0},        // fewer repeats than etalons: a switch every repeat
        {__LINE__, 40, 0, 3, 10, 6, 3},      // (3 + 20) / 6
        {__LINE__, 36, 5, 2, 7, 6, 7},       // R
        {__LINE__, 4, 20, 0, 100, 6, 9},     // 600 >> 6
        {__LINE__, 48, 20, 0, 100, 30, 0},   // 3000 >> 30
        {__LINE__, 4, 20, 0, 65535, 40, 0},  // R * n is wider than 32 bits before the shift
        {__LINE__, 4, 20, 0, 65535, 64, 0},  // a shift by the full width leaves nothing
    };
    for (const auto& c : cases)
        EXPECT_EQ(schedulePeriod(c.task, c.required, c.subsets, c.R, c.n), c.period) << c.line;
}

TEST(AdvanceSchedule, RecognitionTurnsTheRequiredEtalonsInRunsOfThePeriod) {
    const std::uint16_t required[] = {3, 8, 11};
    const Trace trace(2, required, 0, 100, 4);
    EXPECT_THAT(trace.switches, ElementsAre(33, 66, 99));
    EXPECT_THAT(trace.sequences[32], ElementsAre(3, 3, 3, 3));
    EXPECT_THAT(trace.sequences[66], ElementsAre(11, 11, 11, 11));
    EXPECT_THAT(trace.sequences[99], ElementsAre(3, 3, 3, 3));  // back to the first
}

TEST(AdvanceSchedule, JointDetectionStepsAnOdometerWheneverRTimesNReachesTheSwitchPoint) {
    const std::uint16_t required[] = {4, 7, 9};
    // Period 600 >> 6 = 9: r * 6 >= 9, 18, 27, ... at most one step a repeat.
    const Trace trace(4, required, 0, 100, 6);
    ASSERT_EQ(trace.switches.size(), 66u);
    EXPECT_THAT(std::vector(trace.switches.begin(), trace.switches.begin() + 6),
                ElementsAre(2, 3, 5, 6, 8, 9));
    // Four steps by repeat 6: pulse 0 runs 4, 7, 9, back to 4 carrying into pulse 1, then 7.
    EXPECT_THAT(trace.sequences[6], ElementsAre(7, 7, 4, 4, 4, 4));

    // Two pulses of two etalons: the odometer wraps round once every pulse is at the last one.
    const std::uint16_t two[] = {5, 6};
    EXPECT_THAT(Trace(4, two, 0, 5, 2).sequences,  // period (5 * 2) >> 2 = 2
                ElementsAre(ElementsAre(5, 5), ElementsAre(6, 5), ElementsAre(5, 6),
                            ElementsAre(6, 6), ElementsAre(5, 5)));
}

TEST(AdvanceSchedule, TupleRecognitionTurnsTheStoredSubsetsAndOtherTasksStayPut) {
    const std::uint16_t required[] = {2, 4};
    const Trace tuples(40, required, 3, 10, 5);
    EXPECT_THAT(tuples.switches, ElementsAre(3, 6, 9));
    EXPECT_EQ(tuples.schedule.currentSubset, 1u);  // 2, 3, then back to 1
    for (const std::uint16_t task : {1, 36, 48, 64}) {
        const Trace trace(task, required, 3, 50, 5);
        EXPECT_TRUE(trace.switches.empty()) << task;
        EXPECT_THAT(trace.schedule.sequence, ElementsAre(2, 2, 2, 2, 2)) << task;
        EXPECT_EQ(trace.schedule.currentSubset, 0u) << task;
    }
}

}  // namespace
}  // namespace mirovale
