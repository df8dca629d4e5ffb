#include "core/shell/panel_slots.h"

#include <algorithm>

namespace mirovale {
namespace {

// Slots the entries really hold, whatever the fields claim.
std::uint32_t slotCount(const PanelSlots& s) {
    return std::min<std::uint32_t>(s.capacity, static_cast<std::uint32_t>(s.entries.size() / 2));
}

std::uint32_t sizeInUse(const PanelSlots& s) {
    return std::min(s.size, slotCount(s));
}

}  // namespace

void deleteMarkedSlots(PanelSlots slots, std::vector<std::uint32_t>* deleted) {
    const std::uint32_t count = slotCount(slots);
    auto numbers = slots.entries.begin();
    auto marks = numbers + count;
    std::uint32_t size = sizeInUse(slots);
    for (std::uint32_t j = size; j-- > 0;) {
        if (marks[j] == 0) continue;
        if (deleted != nullptr) deleted->push_back(numbers[j]);
        std::copy(numbers + j + 1, numbers + size, numbers + j);
        std::copy(marks + j + 1, marks + size, marks + j);
        --size;
        numbers[size] = 0;
        marks[size] = 0;
    }
    slots.size = size;
}

bool appendToSlots(PanelSlots slots, std::uint32_t etalon) {
    const std::uint32_t count = slotCount(slots);
    const std::uint32_t size = sizeInUse(slots);
    if (size >= count) return false;
    slots.entries[size] = etalon;
    slots.entries[count + size] = 0;
    slots.size = size + 1;
    return true;
}

void emptySlots(PanelSlots slots) {
    std::fill(slots.entries.begin(), slots.entries.end(), 0u);
    slots.size = 0;
}

void markSlotAt(PanelSlots slots, std::span<const InclusiveRect> rects, int x, int y) {
    const std::uint32_t count = slotCount(slots);
    auto marks = slots.entries.begin() + count;
    std::fill(marks, marks + count, 0u);
    const std::size_t used = std::min<std::size_t>(sizeInUse(slots), rects.size());
    for (std::size_t j = 0; j < used; ++j)
        if (rects[j].contains(x, y)) marks[static_cast<std::ptrdiff_t>(j)] = 1;
}

}  // namespace mirovale
