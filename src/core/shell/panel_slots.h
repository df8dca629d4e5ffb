#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "core/host/rect.h"

namespace mirovale {

// The slots of the selection a panel is building: `entries` holds the etalon numbers of the
// `capacity` slots, then one mark per slot (non-zero = marked); `size` slots are in use.
struct PanelSlots {
    std::vector<std::uint32_t>& entries;  // 2 * capacity entries
    std::uint32_t& size;
    std::uint32_t capacity;
};

// Deletes every marked slot in use, from the last to the first, closing the gap each time.
// deleted : receives the etalon of each deleted slot in that order; may be nullptr
void deleteMarkedSlots(PanelSlots slots, std::vector<std::uint32_t>* deleted);

// Appends an unmarked slot; false (nothing changed) when every slot is in use.
bool appendToSlots(PanelSlots slots, std::uint32_t etalon);

// Zeroes every number and mark; no slot in use.
void emptySlots(PanelSlots slots);

// Unmarks every slot, then marks the slot in use whose rectangle holds (x, y), if any.
// rects : the slots' rectangles as drawn; slots beyond it cannot be hit
void markSlotAt(PanelSlots slots, std::span<const InclusiveRect> rects, int x, int y);

}  // namespace mirovale
