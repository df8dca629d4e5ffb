#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace mirovale {

// Stores a 16- or 32-bit value little-endian at `offset` of `bytes`.
inline void putLittle16(std::span<std::uint8_t> bytes, std::size_t offset, std::uint32_t value) {
    bytes[offset] = static_cast<std::uint8_t>(value);
    bytes[offset + 1] = static_cast<std::uint8_t>(value >> 8);
}

inline void putLittle32(std::span<std::uint8_t> bytes, std::size_t offset, std::uint32_t value) {
    putLittle16(bytes, offset, value);
    putLittle16(bytes, offset + 2, value >> 16);
}

inline std::uint32_t getLittle32(std::span<const std::uint8_t> bytes, std::size_t offset) {
    return static_cast<std::uint32_t>(bytes[offset]) |
           static_cast<std::uint32_t>(bytes[offset + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[offset + 2]) << 16 |
           static_cast<std::uint32_t>(bytes[offset + 3]) << 24;
}

}  // namespace mirovale
