#include "core/shell/attach_selections.h"

#include "core/synthesis/series_subsets.h"

namespace mirovale {

void attachSelectedSubset(ProgramState& state) {
    const auto subset = state.subsetPanel.subset();
    setSubset(subset, static_cast<std::uint32_t>(subset.size()), state.wSubsetEmployment,
              state.wSubsetInitPosition, state.lpSeriesHeader.get());
}

int attachStoredSubsets(Host& host, ProgramState& state) {
    const SubsetPanel& p = state.subsetPanel;
    return addSomeSelectedSubsetToSeriesHeader(
        host, p.selectedSubsetArraySize, p.selectedSubsetArray, p.dwSubsetArraySize,
        p.dwSubsetArrayCapacity, p.dwSubsetCapacity, p.dwCurrentSubset, state.wSubsetEmployment,
        state.wSubsetInitPosition, state.lpSeriesHeader.get());
}

int attachStoredAlphabets(Host& host, ProgramState& state) {
    const AlphabetPanel& p = state.alphabetPanel;
    return addSelectedAlphabetsToSeriesHeader(host, p.selectedAlphabetsSize,
                                              p.selectedAlphabetArray, p.dwAlphabetArraySize,
                                              p.dwAlphabetArrayCapacity, p.dwAlphabetCapacity,
                                              p.dwCurrentAlphabet, state.lpSeriesHeader.get());
}

}  // namespace mirovale
