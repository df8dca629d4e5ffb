#pragma once

#include <cstdint>

namespace mirovale {

// The decimal nines the processing routines use as "unreachable" scores and search starts.
// Which one a comparison starts from is part of each routine's behaviour, ties included.
inline constexpr std::int64_t kSixNines = 999999;
inline constexpr std::int64_t kSevenNines = 9999999;
inline constexpr std::int64_t kEightNines = 99999999;
inline constexpr std::int64_t kNineNines = 999999999;

}  // namespace mirovale
