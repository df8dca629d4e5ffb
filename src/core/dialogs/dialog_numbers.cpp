#include "core/dialogs/dialog_numbers.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace mirovale {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Skips leading blanks and takes a sign; returns true for a minus.
bool takeSign(std::string_view& text) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    text.remove_prefix(i);
    return negative;
}

// True when an out-of-range number is too small rather than too large: its exponent is negative.
bool hasNegativeExponent(std::string_view number) {
    const std::size_t e = number.find_first_of("eE");
    return e != std::string_view::npos && e + 1 < number.size() && number[e + 1] == '-';
}

}  // namespace

std::int32_t readInteger(std::string_view text) {
    const bool negative = takeSign(text);
    constexpr std::int64_t kBeyond = std::int64_t{1} << 31;  // 2^31: enough to saturate
    std::int64_t value = 0;
    for (std::size_t i = 0; i < text.size() && isDigit(text[i]); ++i)
        if (value < kBeyond) value = value * 10 + (text[i] - '0');
    if (value > kBeyond) value = kBeyond;
    if (negative) return static_cast<std::int32_t>(-value);
    return static_cast<std::int32_t>(std::min<std::int64_t>(value, kBeyond - 1));
}

double readDecimal(std::string_view text) {
    const bool negative = takeSign(text);
    if (text.empty() || !(isDigit(text[0]) || text[0] == '.')) return 0.0;
    double value = 0.0;
    const auto [end, error] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
    if (error == std::errc::invalid_argument) return 0.0;
    if (error == std::errc::result_out_of_range) {
        const std::string_view number(text.data(), static_cast<std::size_t>(end - text.data()));
        value = hasNegativeExponent(number) ? 0.0 : std::numeric_limits<double>::infinity();
    }
    return negative ? -value : value;
}

std::string writeDecimal(double value) {
    std::array<char, 32> buffer{};
    const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                            std::chars_format::general, 5);
    if (error != std::errc()) return {};
    return std::string(buffer.data(), end);
}

void readSequence(std::string_view text, std::span<std::uint16_t> entries) {
    std::size_t position = 0;
    for (std::uint16_t& entry : entries) {
        entry = static_cast<std::uint16_t>(readInteger(text.substr(position)));
        while (position < text.size()) {
            const char c = text[position++];
            if (c == ',' || c == ' ') break;
        }
    }
}

std::string writeSequence(std::span<const std::uint16_t> entries) {
    std::string text;
    for (const std::uint16_t entry : entries) {
        if (!text.empty()) text += ',';
        text += std::to_string(entry);
    }
    return text;
}

}  // namespace mirovale
