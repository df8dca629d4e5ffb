#include "core/state/program_state.h"

#include <numeric>

#include "core/host/allocation.h"

namespace mirovale {

PulseRange pulseRange(std::uint32_t length, std::uint16_t wEtalonLength, std::uint16_t wTmin,
                      std::uint16_t wTmax) {
    PulseRange range;
    if (wTmax != 0)
        range.wMinPulses = static_cast<std::uint16_t>((length + wEtalonLength - 1) / wTmax);
    if (wTmin != 0 && length + wTmin >= wEtalonLength)
        range.wMaxPulses = static_cast<std::uint16_t>((length - wEtalonLength + wTmin) / wTmin);
    return range;
}

void deriveStartValues(ProgramState& state) {
    state.dwSeriesLengthSel = state.dwSeriesLengthOptions[state.dwSeriesLengthIndex];
    state.dwSeriesLength = state.dwSeriesLengthSel;
    state.wNoiseLevelSel =
        static_cast<std::int16_t>(state.dwNoiseLevelOptions[state.dwNoiseLevelIndex]);
    state.wNoiseLevel = state.wNoiseLevelSel;
    state.wLostLevelSel =
        static_cast<std::int16_t>(state.dwLostLevelOptions[state.dwLostLevelIndex]);
    state.wLostLevel = state.wLostLevelSel;
    state.wSavedEnergyMakingSel = static_cast<std::uint16_t>(100 - state.wLostLevel);
    state.wSavedEnergyMaking = state.wSavedEnergyMakingSel;
    state.wSavedEnergyProcessingSel = static_cast<std::uint16_t>(100 - state.wLostLevel);
    state.wSavedEnergyProcessing = state.wSavedEnergyProcessingSel;
    state.dwSelectedEtalon = state.dwEtalonNumber;
}

bool getRequiredList(Host& host, std::uint16_t n, std::vector<std::uint16_t>& list) {
    list.clear();
    if (!tryAssign(list, n)) {
        host.messageBox("Нет памяти для newList!", " getRequiredList ", MessageIcon::None);
        return false;
    }
    std::iota(list.begin(), list.end(), std::uint16_t{1});
    return true;
}

void rebuildRequiredList(ProgramState& state) {
    std::vector<std::uint16_t>& list = state.lpRequiredList;
    std::size_t count = 0;
    for (std::size_t i = 0; i < state.wEtalonFlags.size(); ++i) {
        if ((state.wEtalonFlags[i] & 1u) == 0) continue;
        const auto etalon = static_cast<std::uint16_t>(i + 1);
        if (count < list.size())
            list[count] = etalon;
        else
            list.push_back(etalon);
        ++count;
    }
    state.wRequiredCount = static_cast<std::uint16_t>(count);
    if (state.wRequiredCapacity < state.wRequiredCount)
        state.wRequiredCapacity = state.wRequiredCount;
}

void updatePulseRange(ProgramState& state, std::uint32_t length) {
    const PulseRange range = pulseRange(length, state.wEtalonLength, state.wTmin, state.wTmax);
    state.wMinPulses = range.wMinPulses;
    state.wMaxPulses = range.wMaxPulses;
}

}  // namespace mirovale
