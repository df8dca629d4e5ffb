#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace mirovale {

// The etalons that the pulses of each simulated series carry, and the stored subset laid into
// it, as they change from repeat to repeat within one (pulse number, noise level) cell:
// - recognition (task 2): all pulses carry one required etalon; the etalons take turns in runs
//   of `period` repeats;
// - joint detection (task 4): the pulses count through the required etalons like an odometer,
//   pulse 0 fastest, one step whenever r * n reaches the next switch point;
// - tuple recognition (task 40): the stored subsets take turns in runs of `period` repeats;
// - every other task keeps the first required etalon on every pulse.
struct EtalonSchedule {
    std::vector<std::uint16_t> counters;  // per pulse: 1-based index into the required list
    std::vector<std::uint16_t> sequence;  // per pulse: etalon number handed to synthesis
    std::uint64_t period = 0;             // distance between switch points
    std::uint64_t nextSwitch = 0;         // the next switch point, `a`
    std::uint32_t currentSubset = 0;      // 1-based stored subset laid in (task 40), else 0
};

// Distance between switch points of a cell, computed in 64 bits.
// wTask          : task code
// wRequiredCount : required etalons, >= 1 for task 2
// dwSubsets      : stored subsets, >= 1 for task 40
// repeats        : R, repeats per cell
// n              : pulses of every series of the cell
// returns (count + 2R) / (2 count) for tasks 2 (count = required) and 40 (count = subsets),
// R for task 36, (R * n) >> n for tasks 4 and 48 (0 once n reaches 64), R otherwise
[[nodiscard]] std::uint64_t schedulePeriod(std::uint16_t wTask, std::uint16_t wRequiredCount,
                                           std::uint32_t dwSubsets, std::uint32_t repeats,
                                           std::uint16_t n) noexcept;

// Starts a cell: period, first switch point, subset 1 for task 40 (0 otherwise), and the first
// n counters 1 with their pulses on the first required etalon. The arrays must hold n entries.
void startCell(EtalonSchedule& schedule, std::uint16_t wTask,
               std::span<const std::uint16_t> requiredList, std::uint32_t dwSubsets,
               std::uint32_t repeats, std::uint16_t n);

// Applies the switch due before repeat r, if any.
// returns true when the stored subset changed (task 40), so the caller lays in the new one
bool advanceSchedule(EtalonSchedule& schedule, std::uint16_t wTask,
                     std::span<const std::uint16_t> requiredList, std::uint32_t dwSubsets,
                     std::uint32_t r, std::uint16_t n);

}  // namespace mirovale
