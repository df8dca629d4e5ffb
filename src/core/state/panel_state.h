#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "core/host/host.h"
#include "core/host/rect.h"

namespace mirovale {

// What the subset selection panel has composed: the subset being built (the selected subset
// tuple detection uses) and the stored subsets tuple recognition chooses from. The arrays are
// made by makeSubsetArrays on the first showing of the panel and kept to shut-down.
struct SubsetPanel {
    std::uint32_t dwSubsetCapacity = 0;  // slots in a subset: 10 once made, 0 before
    // 2 * dwSubsetCapacity entries: the etalon numbers of the subset being built, then one mark
    // per slot (non-zero = marked).
    std::vector<std::uint32_t> selectedSubset;
    std::uint32_t dwSelectedSubsetSize = 0;              // slots in use
    std::uint32_t dwSubsetArrayReserve = 10;             // stored subsets the array is made for
    std::uint32_t dwSubsetArrayCapacity = 0;             // capacity of the stored array
    std::uint32_t dwSubsetArraySize = 0;                 // stored subsets in use
    std::vector<std::uint32_t> selectedSubsetArraySize;  // [capacity] size of each stored subset
    // [capacity] rows of dwSubsetCapacity + 1 entries: the etalon numbers of each stored subset.
    std::vector<std::vector<std::uint32_t>> selectedSubsetArray;
    // [capacity] the label of each stored subset under the series graph, placed by the graph's
    // drawing and hit-tested by the result view's clicks.
    std::vector<InclusiveRect> subsetLabelRect;
    std::uint32_t dwCurrentSubset = 0;   // 1-based current stored subset
    std::uint32_t dwMarkAllSubsets = 0;  // > 0: the next drawing marks every slot, then clears it
    std::uint32_t dwSubsetButtons = 0;   // buttons of the panel last drawn (4 or 6)
    // One rectangle per text button, as the panel's drawing placed them; made by the first
    // drawing, hit-tested by the clicks.
    std::vector<InclusiveRect> ButtonsWhileSelectedSubsetRect;

    [[nodiscard]] bool made() const { return dwSubsetCapacity >= 10; }
    // The etalon numbers of the subset being built, dwSelectedSubsetSize of them.
    [[nodiscard]] std::span<const std::uint32_t> subset() const {
        return {selectedSubset.data(), made() ? dwSelectedSubsetSize : 0u};
    }
};

// What the alphabet selection panel has composed: the alphabet being composed and the stored
// alphabets alphabet recognition chooses from. Each field mirrors its SubsetPanel counterpart.
struct AlphabetPanel {
    std::uint32_t dwAlphabetCapacity = 0;
    std::vector<std::uint32_t> selectedAlphabet;  // numbers, then marks
    std::uint32_t dwSelectedAlphabetSize = 0;
    std::uint32_t dwAlphabetArrayReserve = 10;
    std::uint32_t dwAlphabetArrayCapacity = 0;
    std::uint32_t dwAlphabetArraySize = 0;
    std::vector<std::uint32_t> selectedAlphabetsSize;
    std::vector<std::vector<std::uint32_t>> selectedAlphabetArray;
    std::vector<InclusiveRect> alphabetLabelRect;  // [capacity] labels under the series graph
    std::uint32_t dwCurrentAlphabet = 0;           // 1-based
    std::uint32_t dwMarkAllAlphabets = 0;
    std::uint32_t dwAlphabetButtons = 0;
    std::vector<InclusiveRect> ButtonsWhileSelectedAlphabetRect;  // [7] as last drawn
    std::uint32_t dwQuickGroups = 2;  // alphabets " Quick " makes; the default once made
    std::uint32_t dwQuickGroupsDefault = 5;
    std::uint16_t dwRepaintItem = 0;  // 0-based available item that CMD_SHOW_ALPHABET_ITEM repaints

    [[nodiscard]] bool made() const { return dwAlphabetCapacity >= 10; }
};

// Makes the subset panel's arrays unless they exist: 10 zeroed slots, the subset being built
// emptied, the stored array made for dwSubsetArrayReserve subsets (its stored count kept when it
// already had a capacity). On allocation failure shows "Нет памяти для <array>!" without a
// caption, releases what this call made and returns false.
[[nodiscard]] bool makeSubsetArrays(Host& host, SubsetPanel& panel);
[[nodiscard]] bool makeAlphabetArrays(Host& host, AlphabetPanel& panel);

// Releases the arrays and sets the capacities, the size and the stored count to 0.
void freeSubsetPanel(SubsetPanel& panel) noexcept;
void freeAlphabetPanel(AlphabetPanel& panel) noexcept;

// Stores a finished selection as the next row of a stored array.
// list   : the selection's etalon numbers; its first `count` entries are copied
// count  : entries to copy, at most the row length
// sizes  : size of each stored row; sizes[stored] becomes count
// rows   : the stored rows; rows[stored] receives the entries
// stored : rows in use now
// capacity : rows the array holds
// returns the new number of rows in use: stored + 1, or stored unchanged when the array is full
std::uint32_t addSelectionToArray(std::span<const std::uint32_t> list, std::uint32_t count,
                                  std::span<std::uint32_t> sizes,
                                  std::span<std::vector<std::uint32_t>> rows, std::uint32_t stored,
                                  std::uint32_t capacity);

}  // namespace mirovale
