#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace mirovale {

// One etalon (reference pulse shape).
struct PulseHeader {
    std::uint16_t wMaxSize = 0;        // capacity of lpData in samples
    std::uint16_t wSize = 0;           // etalon length in samples, L
    std::uint16_t wNumber = 0;         // 1-based etalon number (table index + 1)
    std::vector<std::int16_t> lpData;  // wMaxSize samples; empty while not allocated
};

// Room of the alphabet table: no run uses more etalons.
inline constexpr std::size_t kEtalonTableSize = 20;
using EtalonTable = std::array<PulseHeader, kEtalonTableSize>;

}  // namespace mirovale
