#include "cli/number_lists.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace mirovale {
namespace {

using ::testing::ElementsAre;

TEST(ParseTriple, TakesTwoOrThreeNumbersAndNamesTheFirstFault) {
    std::string error;
    EXPECT_THAT(*parseTriple("4:30", error), ElementsAre(4, 30));
    EXPECT_THAT(*parseTriple("0:29:5", error), ElementsAre(0, 29, 5));
    EXPECT_THAT(*parseTriple("65535:0", error), ElementsAre(65535, 0));
    const struct {
        int line;
        const char* text;
        const char* error;
    } bad[] = {
        {__LINE__, "4", "'4' is not of the form a:b or a:b:c"},
        {__LINE__, "1:2:3:4", "'1:2:3:4' is not of the form a:b or a:b:c"},
        {__LINE__, "4:", "'' is not a number from 0 to 65535"},
        {__LINE__, "4:x", "'x' is not a number from 0 to 65535"},
        {__LINE__, "-1:5", "'-1' is not a number from 0 to 65535"},
        {__LINE__, "1:65536", "'65536' is not a number from 0 to 65535"},
        {__LINE__, "1: 5", "' 5' is not a number from 0 to 65535"},
        {__LINE__, "99999999999999999999:1",
         "'99999999999999999999' is not a number from 0 to 65535"},
    };
    for (const auto& c : bad) {
        EXPECT_FALSE(parseTriple(c.text, error)) << c.line;
        EXPECT_EQ(error, c.error) << c.line;
    }
}

TEST(ParseLists, SplitsListsAtSlashesAndNumbersAtCommas) {
    std::string error;
    EXPECT_THAT(*parseList("1,2,17", error), ElementsAre(1, 2, 17));
    EXPECT_THAT(*parseLists("1,2/3,5,4/9", error),
                ElementsAre(ElementsAre(1, 2), ElementsAre(3, 5, 4), ElementsAre(9)));
    EXPECT_FALSE(parseList("1,,2", error));
    EXPECT_EQ(error, "'' is not a number from 0 to 65535");
    EXPECT_FALSE(parseLists("1,2/", error));
    EXPECT_EQ(error, "'' is not a number from 0 to 65535");
    EXPECT_FALSE(parseList("3;4", error));
    EXPECT_EQ(error, "'3;4' is not a number from 0 to 65535");
}

}  // namespace
}  // namespace mirovale
