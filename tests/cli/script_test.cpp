#include "cli/script.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

namespace mirovale {
namespace {

struct Result {
    int status = 0;
    std::string out;
    std::string err;
};

Result run(const std::string& script, const std::string& size = "1280x800") {
    std::istringstream in(script);
    std::ostringstream out, err;
    ScriptCommandOptions options;
    options.file = "-";
    options.size = size;
    const int status = runScriptCommand(options, in, out, err);
    return {status, out.str(), err.str()};
}

TEST(Script, ReportsTheFirstBadLineWithItsNumberAndPrintsNoResult) {
    const struct {
        int line;
        const char* script;
        const char* error;
    } cases[] = {
        {__LINE__, "print state\n\n# comment\nfrobnicate 3\n",
         "line 4: unknown action 'frobnicate'\n"},
        {__LINE__, "print state\ncommand 40013\n", "line 2: unknown command id 40013\n"},
        {__LINE__, "command 217\n", "line 1: unknown command id 217\n"},
        {__LINE__, "command 4x\n", "line 1: bad command id '4x' (0 to 65535)\n"},
        {__LINE__, "click 10\n", "line 1: click takes 2 argument(s)\n"},
        {__LINE__, "click 10 99999\n", "line 1: bad y '99999' (-32768 to 32767)\n"},
        {__LINE__, "answer 108 ok\n", "line 1: unknown dialog 108\n"},
        {__LINE__, "answer 105 maybe\n", "line 1: expected ok or cancel, not 'maybe'\n"},
        {__LINE__, "answer 105 ok 1001\n", "line 1: expected CONTROL=VALUE, not '1001'\n"},
        {__LINE__, "print everything\n", "line 1: cannot print 'everything'\n"},
        {__LINE__, "set subset 1,21\n", "line 1: bad etalon number '21' (1 to 20)\n"},
        {__LINE__, "set subset 1,2,3,4,5,6,7,8,9,10,11\n",
         "line 1: a selection holds at most 10 etalons: '1,2,3,4,5,6,7,8,9,10,11'\n"},
        {__LINE__, "set stored-subsets 1 2 current 3\n", "line 1: bad current row '3' (1 to 2)\n"},
        {__LINE__, "set everything 1\n", "line 1: unknown action 'set everything'\n"},
        {__LINE__, "save picture.gif\n",
         "line 1: cannot save 'picture.gif': the picture types are .png, .bmp and .pcx\n"},
        {__LINE__, "save .png\n",
         "line 1: cannot save '.png': the picture types are .png, .bmp and .pcx\n"},
        {__LINE__, "set simulation-times 5 4\n",
         "line 1: bad end time '4' (5 to 9223372036854775807)\n"},
        // Errors found while running also discard what was printed before them.
        {__LINE__, "print state\nset alphabets 1,2 2,3\n", "line 2: etalon 2 is taken twice\n"},
        {__LINE__, "command 40005\nprint state\nset alphabets 1,2\n",
         "line 3: etalon 2 is not among the required etalons\n"},
        {__LINE__, "command 40004\nprint state\n", "line 2: the window is closed\n"},
        {__LINE__, "save no-such-folder/window.png\n",
         "line 1: cannot write no-such-folder/window.png\n"},
        {__LINE__, "save no-such-folder/window.Bmp\n",
         "line 1: cannot write no-such-folder/window.Bmp: CreateFile ERROR!\n"},
    };
    for (const auto& c : cases) {
        const Result r = run(c.script);
        EXPECT_EQ(r.status, 2) << c.line;
        EXPECT_EQ(r.out, "") << c.line;
        EXPECT_EQ(r.err, c.error) << c.line;
    }
}

// One JSON object a line, messages printed once, and the panels as "set" composes them are
// pinned by the golden scripts under tests/data/cli (refused_geometry, dialog_flows,
// set_panels_default_current).
TEST(Script, TakesTheClientSizeAndRefusesABadOne) {
    // A click on the Next button of a 900 x 600 client, 10 pixels from its right and bottom.
    const Result small = run("set alphabets 1,2\nclick 889 536\nprint state\n", "900x600");
    ASSERT_EQ(small.status, 0) << small.err;
    EXPECT_EQ(nlohmann::json::parse(small.out)["dwViewMode"], 6);
    const Result same = run("set alphabets 1,2\nclick 889 536\nprint state\n");
    EXPECT_EQ(nlohmann::json::parse(same.out)["dwViewMode"], 11) << "no button there at 1280 x 800";

    for (const char* size : {"900", "0x600", "x", "900x-1"}) {
        const Result bad = run("print state\n", size);
        EXPECT_EQ(bad.status, 2) << size;
        EXPECT_EQ(bad.out, "") << size;
        EXPECT_THAT(bad.err, ::testing::HasSubstr("bad --size")) << size;
    }
}

}  // namespace
}  // namespace mirovale
