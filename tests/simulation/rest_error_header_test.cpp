#include "core/simulation/rest_error_header.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/host/allocation.h"
#include "core/host/recording_host.h"

namespace mirovale {
namespace {

using ::testing::ElementsAre;

// A record sized for p x q, its plan written, every table entry set to a marker value.
std::unique_ptr<RestErrorHeader> dirtyRecord(Host& host, std::uint16_t p, std::uint16_t q) {
    auto record = getRestErrHeader(host, p, q, 7, nullptr);
    EXPECT_EQ(initRestErrHeader(host, p, 6, 1, q, 5, 5, 7, record.get()), 1);
    std::ranges::fill(record->lpErrorData, 99u);
    record->ifComplete = 1;
    return record;
}

TEST(GetRestErrHeader, LaysOutSixTablesOfLevelRowsOverOneDataBlock) {
    RecordingHost host;
    auto record = getRestErrHeader(host, 3, 4, 100, nullptr);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->wReservedPulses, 3);
    EXPECT_EQ(record->wReservedLevels, 4);
    ASSERT_EQ(record->lpErrors.size(), 24u);
    ASSERT_EQ(record->lpErrorData.size(), 72u);
    // Table m starts at m * q * p entries; row j of a table j * p entries later.
    EXPECT_EQ(record->errors(2, 1).data(), record->lpErrorData.data() + 2 * 12 + 1 * 3);
    EXPECT_EQ(record->errors(5, 3).data() + 3, record->lpErrorData.data() + 72);
    EXPECT_TRUE(host.messages.empty());
}

TEST(GetRestErrHeader, ReusesStorageForASmallerPlanAndStartsFromZeroedTables) {
    RecordingHost host;
    auto record = dirtyRecord(host, 5, 6);
    const std::uint32_t* data = record->lpErrorData.data();
    record = getRestErrHeader(host, 3, 2, 10, std::move(record));
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->lpErrorData.data(), data);
    EXPECT_EQ(record->wReservedPulses, 5);
    EXPECT_EQ(record->wReservedLevels, 6);
    EXPECT_EQ(record->wVariousPulses, 3);
    EXPECT_EQ(record->wNoiseLevels, 2);
    EXPECT_EQ(record->repeats, 10u);
    EXPECT_EQ(std::ranges::count(record->lpErrorData, 0u), 180);
    EXPECT_EQ(std::ranges::count(record->wPulseValues, 0), 5);
    EXPECT_EQ(std::ranges::count(record->lpNoiseLevels, 0), 6);
}

TEST(GetRestErrHeader, GrowsToExactlyTheLargerPlan) {
    RecordingHost host;
    auto record = dirtyRecord(host, 5, 2);
    record = getRestErrHeader(host, 4, 3, 1, std::move(record));
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->wReservedPulses, 4);
    EXPECT_EQ(record->wReservedLevels, 3);
    EXPECT_EQ(record->lpErrorData.size(), 72u);
    EXPECT_EQ(std::ranges::count(record->lpErrorData, 0u), 72);
    EXPECT_EQ(record->errors(5, 2).data() + 4, record->lpErrorData.data() + 72);
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
        {__LINE__, false, 4, "Нет памяти для newRestErrorHeader->lpErrors[]!"},
        {__LINE__, true, 1, "Нет памяти для newRestErrorHeader->lpNoiseLevel!"},
        {__LINE__, true, 3, "Нет памяти для newRestErrorHeader->lpErrors[]!"},
    };
    for (const auto& c : cases) {
        RecordingHost host;
        std::unique_ptr<RestErrorHeader> old = c.withOld ? dirtyRecord(host, 2, 2) : nullptr;
        host.messages.clear();
        std::unique_ptr<RestErrorHeader> record;
        {
            ScopedAllocationFailure failure(c.failAt);
            record = getRestErrHeader(host, 3, 4, 100, std::move(old));
        }
        EXPECT_EQ(record, nullptr) << c.line;
        EXPECT_THAT(host.messages,
                    ElementsAre(RecordedMessage{c.text, " getRestErrHeader ", MessageIcon::None}))
            << c.line;
    }
}

TEST(InitRestErrHeader, WritesThePlanAndClearsOnlyTheRestoringTable) {
    RecordingHost host;
    auto record = dirtyRecord(host, 4, 5);
    ASSERT_EQ(initRestErrHeader(host, 3, 6, 1, 4, 5, 5, 50, record.get()), 1);
    // Entries beyond the plan keep what the earlier plan wrote.
    EXPECT_THAT(record->wPulseValues, ElementsAre(6, 7, 8, 9));
    EXPECT_THAT(record->lpNoiseLevels, ElementsAre(5, 10, 15, 20, 25));
    EXPECT_EQ(record->repeats, 50u);
    EXPECT_EQ(record->ifComplete, 0);
    EXPECT_THAT(record->errors(0, 3), ElementsAre(0, 0, 0, 99));
    EXPECT_THAT(record->errors(0, 4), ElementsAre(99, 99, 99, 99));
    EXPECT_THAT(record->errors(1, 0), ElementsAre(99, 99, 99, 99));
}

TEST(InitRestErrHeader, RefusesAMissingRecordOrAPlanBeyondTheCapacity) {
    const struct {
        int line;
        bool withRecord;
        std::uint16_t p, q;
        const char* text;
    } cases[] = {
        {__LINE__, false, 1, 1, "Не определен lpErrorHeader!"},
        {__LINE__, true, 4, 3, "Неверно задан wVariousPulsesNumber!"},
        {__LINE__, true, 3, 4, "Неверно задан wNoiseLevels!"},
    };
    for (const auto& c : cases) {
        RecordingHost host;
        auto record = dirtyRecord(host, 3, 3);
        host.messages.clear();
        EXPECT_EQ(
            initRestErrHeader(host, c.p, 1, 1, c.q, 0, 1, 9, c.withRecord ? record.get() : nullptr),
            0)
            << c.line;
        EXPECT_THAT(host.messages,
                    ElementsAre(RecordedMessage{c.text, " initRestErrHeader ", MessageIcon::None}))
            << c.line;
        EXPECT_EQ(record->ifComplete, 1) << c.line;
        EXPECT_EQ(record->repeats, 7u) << c.line;
    }
}

TEST(AddInitRestErrHeader, AttachesTheNamesOfTheErrorRecord) {
    const struct {
        int line;
        std::uint16_t series, task;
        const char* seriesName;
        const char* taskName;
    } cases[] = {
        {__LINE__, 1, 1, "known number of whole pulses", "detection"},
        {__LINE__, 8, 36, "unknown number of cut-off pulses", "detection"},
        {__LINE__, 36, 40, "known number of whole pulses tuples", "recognition"},
        {__LINE__, 40, 16, "unknown number of whole pulses tuples",
         "joint detection and estimation"},
        {__LINE__, 2, 32, "known number of cut-off pulses", "blind detection"},
        {__LINE__, 4, 4, "unknown number of whole pulses", "joint detection and identification"},
        // Alphabet recognition and the series types of "Create series..." have no name here.
        {__LINE__, 16, 48, nullptr, nullptr},
        {__LINE__, 32, 64, nullptr, nullptr},
    };
    for (const auto& c : cases) {
        RecordingHost host;
        RestErrorHeader record;
        ASSERT_EQ(addInitRestErrHeader(host, c.series, c.task, 75, 60, &record), 1);
        EXPECT_EQ(record.wRecordKind, 2) << c.line;
        EXPECT_EQ(record.wSeriesType, c.series) << c.line;
        EXPECT_EQ(record.wTaskType, c.task) << c.line;
        EXPECT_EQ(record.wMakingLevel, 75) << c.line;
        EXPECT_EQ(record.wProcessingLevel, 60) << c.line;
        EXPECT_STREQ(record.lpSeriesTypeName, c.seriesName) << c.line;
        EXPECT_STREQ(record.lpTaskName, c.taskName) << c.line;
    }
    RecordingHost host;
    EXPECT_EQ(addInitRestErrHeader(host, 1, 1, 100, 100, nullptr), 0);
    EXPECT_THAT(host.messages,
                ElementsAre(RecordedMessage{"Не определен lpErrorHeader!", " addInitRestErrHeader ",
                                            MessageIcon::None}));
}

TEST(AboutRestErrHeader, DumpsEveryFieldAndTheUsedPartOfEachTable) {
    RecordingHost host;
    auto record = getRestErrHeader(host, 3, 3, 100, nullptr);
    ASSERT_EQ(initRestErrHeader(host, 2, 6, 2, 2, 0, 10, 4, record.get()), 1);
    ASSERT_EQ(addInitRestErrHeader(host, 4, 48, 100, 90, record.get()), 1);
    record->errors(0, 1)[1] = 17;
    record->errors(3, 0)[0] = 4;
    record->errors(5, 2)[2] = 55;  // outside the plan: not shown
    aboutRestErrHeader(host, record.get());
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].caption, "aboutRestErrHeader Info");
    EXPECT_EQ(host.messages[0].text,
              "RestErrorHeader:\n"
              "wReservedPulses: 3\nwVariousPulses: 2\nwReservedLevels: 3\nwNoiseLevels: 2\n"
              "repeats: 4\nwRecordKind: 2\nwSeriesType: 4\nwTaskType: 48\n"
              "lpTaskName: none\nlpSeriesTypeName: unknown number of whole pulses\n"
              "wMakingLevel: 100\nwProcessingLevel: 90\nifComplete: 0\n"
              "wPulseValues: 6 8\nlpNoiseLevels: 0 10\n"
              "lpErrors[0]:\n 0: 0 0\n 10: 0 17\n"
              "lpErrors[1]:\n 0: 0 0\n 10: 0 0\n"
              "lpErrors[2]:\n 0: 0 0\n 10: 0 0\n"
              "lpErrors[3]:\n 0: 4 0\n 10: 0 0\n"
              "lpErrors[4]:\n 0: 0 0\n 10: 0 0\n"
              "lpErrors[5]:\n 0: 0 0\n 10: 0 0\n");
}

TEST(AboutRestErrHeader, CutsALongDumpAndReportsAMissingRecord) {
    RecordingHost host;
    auto record = getRestErrHeader(host, 25, 29, 100, nullptr);
    ASSERT_EQ(initRestErrHeader(host, 25, 6, 1, 29, 0, 5, 100, record.get()), 1);
    EXPECT_EQ(formatRestErrHeader(*record).size(), kRestErrDumpLimit);
    aboutRestErrHeader(host, nullptr);
    EXPECT_THAT(host.messages,
                ElementsAre(RecordedMessage{"Не определен lpErrorHeader!", " aboutRestErrHeader ",
                                            MessageIcon::None}));
}

}  // namespace
}  // namespace mirovale
