#include "core/state/panel_state.h"

#include <algorithm>
#include <string>

#include "core/host/allocation.h"

namespace mirovale {
namespace {

constexpr std::uint32_t kSlots = 10;

void noMemory(Host& host, const char* what) {
    host.messageBox(std::string("Нет памяти для ") + what + "!", "", MessageIcon::None);
}

// The slots, the stored sizes and the stored rows of one panel, by reference, so that both
// panels share one preparation.
struct PanelArrays {
    std::uint32_t& capacity;
    std::vector<std::uint32_t>& slots;
    std::uint32_t& slotsInUse;
    std::uint32_t reserve;
    std::uint32_t& arrayCapacity;
    std::uint32_t& arraySize;
    std::vector<std::uint32_t>& sizes;
    std::vector<std::vector<std::uint32_t>>& rows;
    std::vector<InclusiveRect>& labels;
    const char* slotsName;
    const char* sizesName;
    const char* rowsName;
};

void release(PanelArrays& a) noexcept {
    a.slots = {};
    a.sizes = {};
    a.rows = {};
    a.labels = {};
    a.capacity = 0;
    a.slotsInUse = 0;
    a.arrayCapacity = 0;
    a.arraySize = 0;
}

bool makeArrays(Host& host, PanelArrays a) {
    if (a.capacity >= kSlots) return true;
    const bool hadArray = a.arrayCapacity != 0;
    a.capacity = kSlots;
    if (!tryAssign(a.slots, 2 * kSlots, 0u)) {
        noMemory(host, a.slotsName);
        release(a);
        return false;
    }
    a.slotsInUse = 0;
    a.rows.clear();
    if (!hadArray) {
        a.arrayCapacity = a.reserve;
        a.arraySize = 0;
    }
    if (!tryAssign(a.sizes, a.arrayCapacity, 0u)) {
        noMemory(host, a.sizesName);
        release(a);
        return false;
    }
    const std::vector<std::uint32_t> row(kSlots + 1, 0u);
    if (!tryAllocate([&] {
            a.rows.assign(a.arrayCapacity, row);
            a.labels.assign(a.arrayCapacity, InclusiveRect{});
        })) {
        noMemory(host, a.rowsName);
        release(a);
        return false;
    }
    return true;
}

PanelArrays arraysOf(SubsetPanel& p) {
    return {p.dwSubsetCapacity,        p.selectedSubset,          p.dwSelectedSubsetSize,
            p.dwSubsetArrayReserve,    p.dwSubsetArrayCapacity,   p.dwSubsetArraySize,
            p.selectedSubsetArraySize, p.selectedSubsetArray,     p.subsetLabelRect,
            "selectedSubset",          "selectedSubsetArraySize", "possibleSubsetArrayRect"};
}

PanelArrays arraysOf(AlphabetPanel& p) {
    return {p.dwAlphabetCapacity,     p.selectedAlphabet,        p.dwSelectedAlphabetSize,
            p.dwAlphabetArrayReserve, p.dwAlphabetArrayCapacity, p.dwAlphabetArraySize,
            p.selectedAlphabetsSize,  p.selectedAlphabetArray,   p.alphabetLabelRect,
            "selectedAlphabet",       "selectedAlphabetsSize",   "possibleAlphabetArrayRect"};
}

}  // namespace

bool makeSubsetArrays(Host& host, SubsetPanel& panel) {
    return makeArrays(host, arraysOf(panel));
}

bool makeAlphabetArrays(Host& host, AlphabetPanel& panel) {
    const bool wasMade = panel.made();
    if (!makeArrays(host, arraysOf(panel))) return false;
    if (!wasMade) panel.dwQuickGroups = panel.dwQuickGroupsDefault;
    return true;
}

void freeSubsetPanel(SubsetPanel& panel) noexcept {
    auto arrays = arraysOf(panel);
    release(arrays);
    panel.ButtonsWhileSelectedSubsetRect = {};
}

void freeAlphabetPanel(AlphabetPanel& panel) noexcept {
    auto arrays = arraysOf(panel);
    release(arrays);
    panel.ButtonsWhileSelectedAlphabetRect = {};
}

std::uint32_t addSelectionToArray(std::span<const std::uint32_t> list, std::uint32_t count,
                                  std::span<std::uint32_t> sizes,
                                  std::span<std::vector<std::uint32_t>> rows, std::uint32_t stored,
                                  std::uint32_t capacity) {
    if (stored >= capacity || stored >= rows.size() || stored >= sizes.size()) return stored;
    auto& row = rows[stored];
    const std::size_t n = std::min({static_cast<std::size_t>(count), list.size(), row.size()});
    std::copy_n(list.begin(), n, row.begin());
    sizes[stored] = static_cast<std::uint32_t>(n);
    return stored + 1;
}

}  // namespace mirovale
