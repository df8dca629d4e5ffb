#pragma once

// Reading a fuzzer's input as a stream of choices. Every read succeeds: once the bytes run out,
// the values come from a generator seeded by the input's length, so one input always replays
// the same run.

#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <random>
#include <string>

namespace mirovale::fuzz {

class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size)
        : data_(data), size_(size), rest_(static_cast<std::uint32_t>(size)) {}

    [[nodiscard]] std::uint8_t byte() {
        if (pos_ < size_) return data_[pos_++];
        return static_cast<std::uint8_t>(rest_());
    }
    // 16 random bits: what the case generators call a draw (their moduli stay well below it).
    std::uint32_t operator()() {
        const std::uint32_t low = byte();
        return low | static_cast<std::uint32_t>(byte()) << 8;
    }
    // A text of at most `limit` bytes, any bytes at all.
    [[nodiscard]] std::string text(std::size_t limit) {
        const std::size_t length = std::min<std::size_t>(byte(), limit);
        std::string out;
        for (std::size_t k = 0; k < length; ++k) out.push_back(static_cast<char>(byte()));
        return out;
    }
    [[nodiscard]] bool exhausted() const { return pos_ >= size_; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
    std::minstd_rand rest_;
};

}  // namespace mirovale::fuzz
