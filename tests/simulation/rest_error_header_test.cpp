#include "core/simulation/rest_error_header.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/host/allocation.h"
#include "core/host/recording_host.h"
#include "golden.h"

namespace mirovale {
namespace {

using ::testing::ElementsAre;

// A record sized for p x q with a plan of 6, 7, ... and 5, 10, ..., every table entry 99.
std::unique_ptr<RestErrorHeader> dirtyRecord(Host& host, std::uint16_t p, std::uint16_t q) {
    auto record = getRestErrHeader(host, p, q, 7, nullptr);
    EXPECT_EQ(initRestErrHeader(host, p, 6, 1, q, 5, 5, 7, record.get()), 1);
    std::ranges::fill(record->lpErrorData, 99u);
    record->ifComplete = 1;
    return record;
}

TEST(GetRestErrHeader, ReusesStorageThatFitsAndGrowsToExactlyALargerPlan) {
    RecordingHost host;
    auto record = dirtyRecord(host, 5, 6);
    const std::uint32_t* data = record->lpErrorData.data();
    record = getRestErrHeader(host, 3, 2, 10, std::move(record));
    EXPECT_EQ(record->lpErrorData.data(), data);
    EXPECT_EQ(record->wReservedPulses, 5);
    EXPECT_EQ(record->wVariousPulses, 3);
    EXPECT_EQ(std::ranges::count(record->lpErrorData, 0u), 180);

    record = getRestErrHeader(host, 4, 7, 1, std::move(record));
    EXPECT_EQ(record->wReservedPulses, 4);
    // Table m starts at m * q * p entries, row j of a table j * p entries later.
    EXPECT_EQ(record->errors(2, 1).data(), record->lpErrorData.data() + 2 * 28 + 1 * 4);
    EXPECT_EQ(record->errors(5, 6).data() + 4, record->lpErrorData.data() + 168);
    EXPECT_TRUE(host.messages.empty());
}

TEST(GetRestErrHeader, EachFailedAllocationIsReportedAndReleasesTheOldRecord) {
    const struct {
        int line;
        bool withOld;
        int failAt;
        const char* text;
    } cases[] = {
        {__LINE__, false, 1, "Нет памяти для newRestErrorHeader!"},
        {__LINE__, false, 2, "Нет памяти для newRestErrorHeader->lpNoiseLevel!"},
        {__LINE__, false, 3, "Нет памяти для newRestErrorHeader->lpErrors!"},
        {__LINE__, true, 3, "Нет памяти для newRestErrorHeader->lpErrors[]!"},
    };
    for (const auto& c : cases) {
        RecordingHost host;
        std::unique_ptr<RestErrorHeader> old = c.withOld ? dirtyRecord(host, 2, 2) : nullptr;
        host.messages.clear();
        ScopedAllocationFailure failure(c.failAt);
        EXPECT_EQ(getRestErrHeader(host, 3, 4, 100, std::move(old)), nullptr) << c.line;
        EXPECT_THAT(host.messages,
                    ElementsAre(RecordedMessage{c.text, " getRestErrHeader ", MessageIcon::None}))
            << c.line;
    }
}

TEST(InitRestErrHeader, WritesThePlanOrRefusesItWithoutChangingTheRecord) {
    RecordingHost host;
    auto record = dirtyRecord(host, 4, 5);
    ASSERT_EQ(initRestErrHeader(host, 3, 6, 1, 4, 5, 5, 50, record.get()), 1);
    // Entries beyond the plan keep what the earlier plan wrote; only table 0 is cleared.
    EXPECT_THAT(record->wPulseValues, ElementsAre(6, 7, 8, 9));
    EXPECT_THAT(record->lpNoiseLevels, ElementsAre(5, 10, 15, 20, 25));
    EXPECT_EQ(record->ifComplete, 0);
    EXPECT_THAT(record->errors(0, 3), ElementsAre(0, 0, 0, 99));
    EXPECT_THAT(record->errors(1, 0), ElementsAre(99, 99, 99, 99));

    host.messages.clear();
    EXPECT_EQ(initRestErrHeader(host, 5, 1, 1, 3, 0, 1, 9, record.get()), 0);
    EXPECT_EQ(initRestErrHeader(host, 3, 1, 1, 6, 0, 1, 9, record.get()), 0);
    EXPECT_EQ(initRestErrHeader(host, 1, 1, 1, 1, 0, 1, 9, nullptr), 0);
    EXPECT_THAT(host.messages,
                ElementsAre(RecordedMessage{"Неверно задан wVariousPulsesNumber!",
                                            " initRestErrHeader ", MessageIcon::None},
                            RecordedMessage{"Неверно задан wNoiseLevels!", " initRestErrHeader ",
                                            MessageIcon::None},
                            RecordedMessage{"Не определен lpErrorHeader!", " initRestErrHeader ",
                                            MessageIcon::None}));
    EXPECT_EQ(record->repeats, 50u);
}

// Every field and the planned part of each table: tests/data/simulation.
TEST(AboutRestErrHeader, DumpsEveryFieldAndThePlannedPartOfEachTable) {
    RecordingHost host;
    auto record = getRestErrHeader(host, 3, 3, 100, nullptr);
    ASSERT_EQ(initRestErrHeader(host, 2, 6, 2, 2, 0, 10, 4, record.get()), 1);
    ASSERT_EQ(addInitRestErrHeader(host, 4, 48, 100, 90, record.get()), 1);
    record->errors(0, 1)[1] = 17;
    record->errors(3, 0)[0] = 4;
    record->errors(5, 2)[2] = 55;  // outside the plan: not shown
    aboutRestErrHeader(host, record.get());
    aboutRestErrHeader(host, nullptr);
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[0].caption, "aboutRestErrHeader Info");
    testing::expectGoldenText("simulation/about_rest_err_header.txt", host.messages[0].text);
    EXPECT_EQ(host.messages[1], (RecordedMessage{"Не определен lpErrorHeader!",
                                                 " aboutRestErrHeader ", MessageIcon::None}));
}

}  // namespace
}  // namespace mirovale
