#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace mirovale {

// Reads a field as a decimal integer: leading blanks skipped, an optional sign, then digits up
// to the first other character; text without digits gives 0. A number beyond the 32-bit range
// gives the nearest 32-bit limit. Narrowed into a 16-bit setting it keeps its low 16 bits, as
// a 16-bit variable does: 70000 becomes 4464 and -5 becomes 65531 (-5 again in a signed one).
[[nodiscard]] std::int32_t readInteger(std::string_view text);

// Reads a field as a decimal floating-point number: leading blanks, an optional sign, digits
// with an optional point and exponent; 0 for text without a number, +-infinity when it is too
// large for a double. The decimal point is '.' whatever the locale.
[[nodiscard]] double readDecimal(std::string_view text);

// Writes a number with 5 significant digits in the general format: 0.25 gives "0.25",
// 123456 gives "1.2346e+05". The decimal point is '.' whatever the locale.
[[nodiscard]] std::string writeDecimal(double value);

// Reads a list of numbers typed as "3,5,7" into `entries`, one number per entry: each entry
// converts the number at the current position (readInteger), then the position moves past the
// next comma or blank, or to the end. So "3, 5" reads 3, 5, 5 (the blank after the comma starts
// an item of its own) and "7,,9" reads 7, 0, 9; entries beyond the text become 0.
// entries : the values read, low 16 bits of each number
void readSequence(std::string_view text, std::span<std::uint16_t> entries);

// Writes entries as "3,5,7"; empty for no entries.
[[nodiscard]] std::string writeSequence(std::span<const std::uint16_t> entries);

}  // namespace mirovale
