#include "core/dialogs/dialog_numbers.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace mirovale {
namespace {

using ::testing::ElementsAreArray;

TEST(ReadInteger, ReadsLikeTheDialogsConversion) {
    const struct {
        int line;
        const char* text;
        std::int32_t value;
    } cases[] = {
        {__LINE__, "", 0},
        {__LINE__, "abc", 0},
        {__LINE__, "42", 42},
        {__LINE__, "  \t42abc", 42},  // blanks skipped, stops at the first non-digit
        {__LINE__, "-5", -5},
        {__LINE__, "+7", 7},
        {__LINE__, "- 5", 0},  // no blank between sign and digits
        {__LINE__, "1 2", 1},
        {__LINE__, "2147483647", 2147483647},
        {__LINE__, "99999999999999999999", 2147483647},  // saturates, no wrap
        {__LINE__, "-2147483648", -2147483647 - 1},
        {__LINE__, "-99999999999", -2147483647 - 1},
        {__LINE__, "0x10", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(readInteger(c.text), c.value) << c.line;
}

TEST(ReadSequence, StepsPastOneCommaOrBlankPerEntry) {
    const struct {
        int line;
        const char* text;
        std::vector<std::uint16_t> entries;
    } cases[] = {
        {__LINE__, "3,5,7", {3, 5, 7}},
        {__LINE__, "3, 5", {3, 5, 5}},  // the blank after the comma is an item of its own
        {__LINE__, "7,,9", {7, 0, 9}},
        {__LINE__, "4", {4, 0, 0}},          // the text runs out: the rest become 0
        {__LINE__, "1,2,3,4,5", {1, 2, 3}},  // cut at the count
        {__LINE__, "", {0, 0, 0}},
        {__LINE__, "12 x,3", {12, 0, 3}},  // "x,3" reads 0 and moves past its comma
        {__LINE__, "-1,2", {65535, 2, 0}},
    };
    for (const auto& c : cases) {
        std::vector<std::uint16_t> entries(c.entries.size(), 99);
        readSequence(c.text, entries);
        EXPECT_THAT(entries, ElementsAreArray(c.entries)) << c.line;
    }
}

TEST(Decimal, WritesFiveSignificantDigitsAndReadsWhatWasTyped) {
    EXPECT_EQ(writeDecimal(0.25), "0.25");
    EXPECT_EQ(writeDecimal(1.0 / 3.0), "0.33333");
    EXPECT_EQ(writeDecimal(123456.0), "1.2346e+05");
    EXPECT_EQ(writeDecimal(0.0), "0");
    const struct {
        int line;
        const char* text;
        double value;
    } cases[] = {
        {__LINE__, "0.5", 0.5},    {__LINE__, " .5", 0.5},       {__LINE__, "-2.5e1", -25.0},
        {__LINE__, "3,5", 3.0},    {__LINE__, "abc", 0.0},       {__LINE__, "", 0.0},
        {__LINE__, "1e-999", 0.0}, {__LINE__, "+0.125x", 0.125},
    };
    for (const auto& c : cases) EXPECT_EQ(readDecimal(c.text), c.value) << c.line;
    EXPECT_TRUE(std::isinf(readDecimal("1e999")));
}

}  // namespace
}  // namespace mirovale
