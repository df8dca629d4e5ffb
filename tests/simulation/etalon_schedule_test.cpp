#include "core/simulation/etalon_schedule.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace mirovale {
namespace {

using ::testing::ElementsAre;

EtalonSchedule scheduleFor(std::size_t pulses) {
    EtalonSchedule schedule;
    schedule.counters.assign(pulses, 1);
    schedule.sequence.assign(pulses, 1);
    return schedule;
}

// Repeats before which the sequence (or the subset) changed, over R repeats.
std::vector<std::uint32_t> switchRepeats(std::uint16_t task,
                                         std::span<const std::uint16_t> required,
                                         std::uint32_t subsets, std::uint32_t R, std::uint16_t n) {
    EtalonSchedule schedule = scheduleFor(n);
    startCell(schedule, task, required, subsets, R, n);
    std::vector<std::uint32_t> switches;
    for (std::uint32_t r = 0; r < R; ++r) {
        const auto before = schedule.sequence;
        const bool subsetChanged = advanceSchedule(schedule, task, required, subsets, r, n);
        if (subsetChanged || schedule.sequence != before) switches.push_back(r);
    }
    return switches;
}

TEST(SchedulePeriod, FollowsTheTaskFormulas) {
    const struct {
        int line;
        std::uint16_t task, required;
        std::uint32_t subsets, R;
        std::uint16_t n;
        std::uint64_t period;
    } cases[] = {
        {__LINE__, 2, 3, 0, 100, 6, 33},  // (3 + 200) / 6
        {__LINE__, 2, 20, 0, 100, 6, 5},  // (20 + 200) / 40
        {__LINE__, 2, 3, 0, 1, 6, 0},     // fewer repeats than etalons: a switch every repeat
        {__LINE__, 40, 0, 3, 10, 6, 3},   // (3 + 20) / 6
        {__LINE__, 36, 5, 2, 7, 6, 7},    // R
        {__LINE__, 4, 20, 0, 100, 6, 9},  // 600 >> 6
        {__LINE__, 48, 20, 0, 100, 6, 9},
        {__LINE__, 4, 20, 0, 100, 30, 0},  // 3000 >> 30
        {__LINE__, 4, 20, 0, 65535, 1, 32767},
        {__LINE__, 4, 20, 0, 65535, 40, 0},  // wider than 32 bits before the shift
        {__LINE__, 4, 20, 0, 65535, 64, 0},  // a shift by the full width leaves nothing
        {__LINE__, 1, 20, 0, 9, 6, 9},
    };
    for (const auto& c : cases)
        EXPECT_EQ(schedulePeriod(c.task, c.required, c.subsets, c.R, c.n), c.period) << c.line;
}

TEST(AdvanceSchedule, RecognitionTurnsTheRequiredEtalonsInRunsOfThePeriod) {
    const std::uint16_t required[] = {3, 8, 11};
    EXPECT_THAT(switchRepeats(2, required, 0, 100, 6), ElementsAre(33, 66, 99));

    EtalonSchedule schedule = scheduleFor(4);
    startCell(schedule, 2, required, 0, 100, 4);
    EXPECT_THAT(schedule.sequence, ElementsAre(3, 3, 3, 3));
    for (std::uint32_t r = 0; r <= 66; ++r) advanceSchedule(schedule, 2, required, 0, r, 4);
    EXPECT_THAT(schedule.sequence, ElementsAre(11, 11, 11, 11));
    advanceSchedule(schedule, 2, required, 0, 99, 4);
    EXPECT_THAT(schedule.sequence, ElementsAre(3, 3, 3, 3));  // back to the first after the last
}

TEST(AdvanceSchedule, JointDetectionStepsAnOdometerWheneverRTimesNReachesTheSwitchPoint) {
    const std::uint16_t required[] = {4, 7, 9};
    // Period 600 >> 6 = 9: r * 6 >= 9, 18, 27, ... at most one step a repeat.
    const auto switches = switchRepeats(4, required, 0, 100, 6);
    ASSERT_GE(switches.size(), 6u);
    EXPECT_THAT(std::vector(switches.begin(), switches.begin() + 6), ElementsAre(2, 3, 5, 6, 8, 9));
    EXPECT_EQ(switches.size(), 66u);

    EtalonSchedule schedule = scheduleFor(6);
    startCell(schedule, 4, required, 0, 100, 6);
    for (std::uint32_t r = 0; r <= 6; ++r) advanceSchedule(schedule, 4, required, 0, r, 6);
    // Four steps: pulse 0 runs 1, 2, 3, back to 1 carrying into pulse 1, then 2.
    EXPECT_THAT(schedule.counters, ElementsAre(2, 2, 1, 1, 1, 1));
    EXPECT_THAT(schedule.sequence, ElementsAre(7, 7, 4, 4, 4, 4));
}

TEST(AdvanceSchedule, TheOdometerWrapsAroundWhenEveryPulseIsAtTheLastEtalon) {
    const std::uint16_t required[] = {5, 6};
    EtalonSchedule schedule = scheduleFor(2);
    startCell(schedule, 4, required, 0, 4, 2);  // period (4 * 2) >> 2 = 2
    std::vector<std::vector<std::uint16_t>> seen;
    for (std::uint32_t r = 0; r < 4; ++r) {
        advanceSchedule(schedule, 4, required, 0, r, 2);
        seen.push_back(schedule.sequence);
    }
    // r * 2 >= 2 at r = 1, >= 4 at r = 2, >= 6 at r = 3: three steps of the odometer.
    EXPECT_THAT(seen, ElementsAre(ElementsAre(5, 5), ElementsAre(6, 5), ElementsAre(5, 6),
                                  ElementsAre(6, 6)));
}

TEST(AdvanceSchedule, TupleRecognitionTurnsTheStoredSubsetsAndOtherTasksStayPut) {
    const std::uint16_t required[] = {2, 4};
    EXPECT_THAT(switchRepeats(40, required, 3, 10, 5), ElementsAre(3, 6, 9));
    EtalonSchedule schedule = scheduleFor(5);
    startCell(schedule, 40, required, 3, 10, 5);
    EXPECT_EQ(schedule.currentSubset, 1u);
    for (std::uint32_t r = 0; r < 10; ++r) advanceSchedule(schedule, 40, required, 3, r, 5);
    EXPECT_EQ(schedule.currentSubset, 1u);  // 2, 3, then back to 1

    for (const std::uint16_t task : {1, 36, 48, 64}) {
        EXPECT_TRUE(switchRepeats(task, required, 3, 50, 5).empty()) << task;
        startCell(schedule, task, required, 3, 50, 5);
        EXPECT_THAT(schedule.sequence, ElementsAre(2, 2, 2, 2, 2)) << task;
        EXPECT_EQ(schedule.currentSubset, 0u) << task;
    }
}

TEST(StartCell, TouchesOnlyTheFirstNPulses) {
    const std::uint16_t required[] = {9};
    EtalonSchedule schedule = scheduleFor(5);
    schedule.sequence = {7, 7, 7, 7, 7};
    startCell(schedule, 4, required, 0, 10, 3);
    EXPECT_THAT(schedule.sequence, ElementsAre(9, 9, 9, 7, 7));
}

}  // namespace
}  // namespace mirovale
