#include "cli/shown_text.h"

#include <gtest/gtest.h>

namespace mirovale {
namespace {

TEST(ShownText, KeepsPrintableUtf8EscapesTheRestAndCuts) {
    const struct {
        std::string text;
        std::size_t limit;
        std::string shown;
    } rows[] = {
        {"command 40005", 40, "command 40005"},
        {"шум 5", 40, "шум 5"},                     // Cyrillic counts one a letter
        {"a\tb\x01\x7F", 40, "a\\x09b\\x01\\x7F"},  // control bytes
        {"\xD1\x88\xD1", 40, "ш\\xD1"},             // a sequence cut short
        {"\xC0\x80\xFF", 40, "\\xC0\\x80\\xFF"},    // overlong and impossible bytes
        {"abcdef", 3, "abc..."},
        {"шумы", 3, "шум..."},
        {std::string(5, '\0'), 2, "\\x00\\x00..."},
    };
    for (const auto& row : rows) EXPECT_EQ(shownText(row.text, row.limit), row.shown) << row.shown;
}

}  // namespace
}  // namespace mirovale
