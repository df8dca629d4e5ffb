#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mirovale {

// Parsers of the number lists the command line takes. Each accepts decimal digits only (no
// sign, no blanks), every number within 0..65535, and reports the first fault in `error`.

// "a:b" or "a:b:c" -> the two or three numbers.
[[nodiscard]] std::optional<std::vector<std::uint16_t>> parseTriple(std::string_view text,
                                                                    std::string& error);

// "1,2,3" -> the numbers, at least one.
[[nodiscard]] std::optional<std::vector<std::uint16_t>> parseList(std::string_view text,
                                                                  std::string& error);

// "1,2/3,5,4" -> lists separated by '/', each at least one number.
[[nodiscard]] std::optional<std::vector<std::vector<std::uint16_t>>> parseLists(
    std::string_view text, std::string& error);

}  // namespace mirovale
