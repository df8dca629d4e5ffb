#include "cli/number_lists.h"

#include <charconv>

namespace mirovale {
namespace {

std::optional<std::uint16_t> parseNumber(std::string_view text, std::string& error) {
    unsigned value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    const bool digitsOnly = !text.empty() && text.find_first_not_of("0123456789") == text.npos;
    if (!digitsOnly || ec != std::errc{} || ptr != end || value > 65535) {
        error = "'" + std::string(text) + "' is not a number from 0 to 65535";
        return std::nullopt;
    }
    return static_cast<std::uint16_t>(value);
}

std::optional<std::vector<std::uint16_t>> split(std::string_view text, char separator,
                                                std::string& error) {
    std::vector<std::uint16_t> numbers;
    while (true) {
        const std::size_t cut = text.find(separator);
        const auto number = parseNumber(text.substr(0, cut), error);
        if (!number) return std::nullopt;
        numbers.push_back(*number);
        if (cut == text.npos) return numbers;
        text.remove_prefix(cut + 1);
    }
}

}  // namespace

std::optional<std::vector<std::uint16_t>> parseTriple(std::string_view text, std::string& error) {
    auto numbers = split(text, ':', error);
    if (numbers && (numbers->size() < 2 || numbers->size() > 3)) {
        error = "'" + std::string(text) + "' is not of the form a:b or a:b:c";
        return std::nullopt;
    }
    return numbers;
}

std::optional<std::vector<std::uint16_t>> parseList(std::string_view text, std::string& error) {
    return split(text, ',', error);
}

std::optional<std::vector<std::vector<std::uint16_t>>> parseLists(std::string_view text,
                                                                  std::string& error) {
    std::vector<std::vector<std::uint16_t>> lists;
    while (true) {
        const std::size_t cut = text.find('/');
        auto list = parseList(text.substr(0, cut), error);
        if (!list) return std::nullopt;
        lists.push_back(std::move(*list));
        if (cut == text.npos) return lists;
        text.remove_prefix(cut + 1);
    }
}

}  // namespace mirovale
