#pragma once

// What must hold of a workbench after any command, click or answer, however hostile: counts
// within capacities, lists within the alphabet, a valid view, and a series whose fields stay
// inside the series. The fuzzers and the monkey stop on the first broken one.

#include <string>

#include "core/host/format_text.h"
#include "core/state/program_state.h"

namespace mirovale::fuzz {

namespace detail {

inline std::string seriesFault(const SeriesHeader& s) {
    if (s.dwSeriesSize > s.dwMaxSeriesSize || s.lpData.size() < s.dwSeriesSize ||
        s.lpPureData.size() < s.dwSeriesSize)
        return "series length beyond its arrays";
    const std::size_t M = s.wMaxPulsesSpace;
    if (s.wImpulseQuantity > M || s.wDetectedPulses > M || s.lpPositions.size() < M ||
        s.lpEtalonNumbers.size() < M || s.lpDetectedPositions.size() < M)
        return "pulse counts beyond the pulse space";
    for (std::size_t i = 0; i < s.wImpulseQuantity; ++i) {
        // Pulses sit in blocks of L samples; when N is not a multiple of L the last block is
        // partial, and a pulse laid there is cut by the series' end. Its start is inside.
        if (s.lpPositions[i] < 0 || static_cast<std::uint32_t>(s.lpPositions[i]) >= s.dwSeriesSize)
            return formatText("pulse %zu outside the series", i);
        if (s.lpEtalonNumbers[i] < 1 || static_cast<std::size_t>(s.lpEtalonNumbers[i]) > kEtalonTableSize)
            return formatText("pulse %zu of etalon %d", i, s.lpEtalonNumbers[i]);
        if (s.lpBegins[i] < 0 || s.lpBegins[i] > s.lpEnds[i] || s.lpEnds[i] >= s.wImpulseSize)
            return formatText("pulse %zu keeps samples outside its etalon", i);
    }
    if (s.wSubsets > s.wMaxSubsets || s.wAlphabets > s.wMaxAlphabets) return "selections overflow";
    return {};
}

}  // namespace detail

// The first broken invariant, described; empty when all hold.
inline std::string brokenInvariant(const ProgramState& s) {
    if (s.wRequiredCount > s.lpRequiredList.size()) return "required count beyond its list";
    for (std::size_t i = 0; i < s.wRequiredCount; ++i) {
        if (s.lpRequiredList[i] < 1 || s.lpRequiredList[i] > s.wEtalonCount)
            return formatText("required etalon %u outside the alphabet", s.lpRequiredList[i]);
    }
    if (s.dwViewMode < VIEW_ETALON_GRID || s.dwViewMode > VIEW_ALPHABET_PANEL)
        return formatText("view mode %u", s.dwViewMode);
    // " Clear All " empties the stored rows but keeps the current row's number, as the panels
    // define it; whoever reads that row checks it against the rows stored.
    const SubsetPanel& sp = s.subsetPanel;
    if (sp.dwSelectedSubsetSize > sp.dwSubsetCapacity || sp.dwSubsetArraySize > sp.dwSubsetArrayCapacity ||
        sp.dwCurrentSubset > sp.dwSubsetArrayCapacity)
        return "subset panel counts beyond its arrays";
    const AlphabetPanel& ap = s.alphabetPanel;
    if (ap.dwSelectedAlphabetSize > ap.dwAlphabetCapacity ||
        ap.dwAlphabetArraySize > ap.dwAlphabetArrayCapacity ||
        ap.dwCurrentAlphabet > ap.dwAlphabetArrayCapacity)
        return "alphabet panel counts beyond its arrays";
    if (s.lpSeriesHeader) return detail::seriesFault(*s.lpSeriesHeader);
    return {};
}

}  // namespace mirovale::fuzz
