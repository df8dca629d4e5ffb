#pragma once

#include <cstdio>
#include <string>

namespace mirovale {

// printf-style formatting into a std::string, for message texts and record dumps whose exact
// formats are fixed.
template <class... Args>
[[nodiscard]] std::string formatText(const char* format, Args... args) {
    const int size = std::snprintf(nullptr, 0, format, args...);
    if (size <= 0) return {};
    std::string text(static_cast<std::size_t>(size) + 1, '\0');
    std::snprintf(text.data(), text.size(), format, args...);
    text.resize(static_cast<std::size_t>(size));
    return text;
}

}  // namespace mirovale
