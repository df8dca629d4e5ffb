#include "cli/number_lists.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace mirovale {
namespace {

using ::testing::ElementsAre;

TEST(NumberLists, ParseDigitsOnlyWithin16BitsAndNameTheFirstFault) {
    std::string error;
    EXPECT_THAT(*parseTriple("0:29:5", error), ElementsAre(0, 29, 5));
    EXPECT_THAT(*parseLists("1,2/3,5,4/65535", error),
                ElementsAre(ElementsAre(1, 2), ElementsAre(3, 5, 4), ElementsAre(65535)));
    const struct {
        int line;
        bool triple;
        const char* text;
        const char* error;
    } bad[] = {
        {__LINE__, true, "4", "'4' is not of the form a:b or a:b:c"},
        {__LINE__, true, "4:", "'' is not a number from 0 to 65535"},
        {__LINE__, true, "-1:5", "'-1' is not a number from 0 to 65535"},
        {__LINE__, true, "1: 5", "' 5' is not a number from 0 to 65535"},
        {__LINE__, true, "1:65536", "'65536' is not a number from 0 to 65535"},
        {__LINE__, false, "99999999999999999999",
         "'99999999999999999999' is not a number from 0 to 65535"},
        {__LINE__, false, "3;4", "'3;4' is not a number from 0 to 65535"},
    };
    for (const auto& c : bad) {
        EXPECT_FALSE(c.triple ? parseTriple(c.text, error) : parseList(c.text, error)) << c.line;
        EXPECT_EQ(error, c.error) << c.line;
    }
}

}  // namespace
}  // namespace mirovale
