#pragma once

#include <cstdint>

#include "core/host/host.h"

namespace mirovale {

// Longest series the workbench makes: pulse positions are signed 16-bit numbers.
inline constexpr std::uint32_t kMaxSeriesLength = 32767;

// Checks the geometry of a series typed into a dialog or the parameters panel before it is
// taken: both intervals at least 1 (they divide the length in the pulse-count formulas), the
// least not above the greatest, room for at least one pulse, and a length whose positions fit
// 16 bits. Shows one message for the first rule broken (caption " validateSeriesGeometry ",
// exclamation icon) and returns false; the caller then keeps its old values.
// wTmin          : least start-to-start distance typed, samples
// wTmax          : greatest start-to-start distance typed, samples
// dwSeriesLength : series length typed, samples
// wEtalonLength  : samples per etalon (L)
[[nodiscard]] bool validateSeriesGeometry(Host& host, std::uint16_t wTmin, std::uint16_t wTmax,
                                          std::uint32_t dwSeriesLength,
                                          std::uint16_t wEtalonLength);

}  // namespace mirovale
