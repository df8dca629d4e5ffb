#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "core/host/canvas.h"
#include "core/host/rect.h"

namespace mirovale {

// Draws one option row: its box, the title straddling the top edge and one round marker per
// option, the chosen one filled (black when it is the value in effect, grey while it waits for
// the next series). Returns 1.
// box           : the row's box, both corners inside
// items         : receives one clickable rectangle per option
// title         : e.g. " series length: "
// values        : the option values
// selectedIndex : 1-based option chosen; outside 1..values.size() marks the first
// valueInEffect : the value the current series was made with
// lineHeight    : wLineHeight
int drawOptionList(Canvas& canvas, const InclusiveRect& box, std::vector<InclusiveRect>& items,
                   std::string_view title, std::span<const std::uint32_t> values,
                   std::uint32_t selectedIndex, std::int64_t valueInEffect, int lineHeight);

}  // namespace mirovale
