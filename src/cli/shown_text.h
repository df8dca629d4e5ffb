#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace mirovale {

// A piece of user input as a message may quote it: control bytes and bytes that are not UTF-8
// written as \xNN, and anything past `limit` characters cut off with "...", so that a binary file
// or a megabyte-long line gives a message of one short line.
std::string shownText(std::string_view text, std::size_t limit = 40);

}  // namespace mirovale
