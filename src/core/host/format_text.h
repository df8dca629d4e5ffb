#pragma once

#include <cstdio>
#include <string>

namespace mirovale {

// printf-style formatting into a std::string, for message texts and record dumps whose exact
// formats are fixed.
template <class... Args>
[[nodiscard]] std::string formatText(const char* format, Args... args) {
    const int size = std::snprintf(nullptr, 0, format, args...);
    std::string text;
    if (size <= 0) return text;
    // The string's own terminator takes the '\0' snprintf writes after the text.
    text.resize(static_cast<std::size_t>(size));
    std::snprintf(text.data(), text.size() + 1, format, args...);
    return text;
}

}  // namespace mirovale
