#include "core/simulation/etalon_schedule.h"

namespace mirovale {
namespace {

// Sets every pulse below n to the etalon its counter points at.
void applyCounters(EtalonSchedule& schedule, std::span<const std::uint16_t> requiredList,
                   std::uint16_t n) {
    for (std::size_t k = 0; k < n; ++k)
        schedule.sequence[k] = requiredList[schedule.counters[k] - 1u];
}

// One step of every counter at once, each back to 1 after the required count.
void stepAllCounters(EtalonSchedule& schedule, std::size_t count, std::uint16_t n) {
    for (std::size_t k = 0; k < n; ++k)
        if (++schedule.counters[k] > count) schedule.counters[k] = 1;
}

// One step of the odometer: pulse 0 advances, and a counter passing the required count goes
// back to 1 and carries into the next pulse.
void stepOdometer(EtalonSchedule& schedule, std::size_t count, std::uint16_t n) {
    for (std::size_t k = 0; k < n; ++k) {
        if (++schedule.counters[k] <= count) return;
        schedule.counters[k] = 1;
    }
}

}  // namespace

std::uint64_t schedulePeriod(std::uint16_t wTask, std::uint16_t wRequiredCount,
                             std::uint32_t dwSubsets, std::uint32_t repeats,
                             std::uint16_t n) noexcept {
    const std::uint64_t r = repeats;
    switch (wTask) {
        case 2:
            return wRequiredCount == 0 ? r : (wRequiredCount + 2 * r) / (2u * wRequiredCount);
        case 40:
            return dwSubsets == 0 ? r : (dwSubsets + 2 * r) / (2u * dwSubsets);
        case 4:
        case 48:
            // R * n needs up to 48 bits; a shift by the width or more leaves nothing.
            return n >= 64 ? 0 : (r * n) >> n;
        default:
            return r;
    }
}

void startCell(EtalonSchedule& schedule, std::uint16_t wTask,
               std::span<const std::uint16_t> requiredList, std::uint32_t dwSubsets,
               std::uint32_t repeats, std::uint16_t n) {
    schedule.period = schedulePeriod(wTask, static_cast<std::uint16_t>(requiredList.size()),
                                     dwSubsets, repeats, n);
    schedule.nextSwitch = schedule.period;
    schedule.currentSubset = wTask == 40 ? 1 : 0;
    for (std::size_t k = 0; k < n; ++k) schedule.counters[k] = 1;
    applyCounters(schedule, requiredList, n);
}

bool advanceSchedule(EtalonSchedule& schedule, std::uint16_t wTask,
                     std::span<const std::uint16_t> requiredList, std::uint32_t dwSubsets,
                     std::uint32_t r, std::uint16_t n) {
    if (wTask == 2 && r >= schedule.nextSwitch) {
        stepAllCounters(schedule, requiredList.size(), n);
        applyCounters(schedule, requiredList, n);
        schedule.nextSwitch += schedule.period;
    } else if (wTask == 4 && static_cast<std::uint64_t>(r) * n >= schedule.nextSwitch) {
        schedule.nextSwitch += schedule.period;
        stepOdometer(schedule, requiredList.size(), n);
        applyCounters(schedule, requiredList, n);
    } else if (wTask == 40 && r >= schedule.nextSwitch) {
        if (++schedule.currentSubset > dwSubsets) schedule.currentSubset = 1;
        schedule.nextSwitch += schedule.period;
        return true;
    }
    return false;
}

}  // namespace mirovale
