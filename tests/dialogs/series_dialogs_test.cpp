#include "core/dialogs/series_dialogs.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/dialogs/series_geometry.h"
#include "core/host/recording_host.h"

namespace mirovale {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

// Runs `dialog` with OK after typing `fields`.
void okWith(RecordingHost& host, DialogModel& dialog,
            std::vector<std::pair<int, std::string>> fields) {
    host.queueAnswer({dialog.id(), DialogResult::Ok, std::move(fields), {}});
    host.runDialog(dialog);
}

TEST(SeriesParametersDialog, OkWritesTheTemporaryValuesAndTheEtalonNumber) {
    const struct {
        int line;
        const char* length;
        const char* tmin;
        const char* tmax;
        std::uint32_t dwTmpSeriesLength;
        std::uint16_t wTmpTmin, wTmpTmax;
    } cases[] = {
        {__LINE__, "600", "30", "90", 600, 30, 90},
        {__LINE__, "-1", "-1", "70000", 4294967295u, 65535, 4464},  // low bits kept
    };
    for (const auto& c : cases) {
        RecordingHost host;
        ProgramState state;
        SeriesParametersDialog dialog(state);
        okWith(host, dialog,
               {{1000, c.length},
                {1001, c.tmin},
                {1003, c.tmax},
                {1004, "3"},
                {1005, "80"},
                {1006, "70"}});
        EXPECT_EQ(state.dwTmpSeriesLength, c.dwTmpSeriesLength) << c.line;
        EXPECT_EQ(state.wTmpTmin, c.wTmpTmin) << c.line;
        EXPECT_EQ(state.wTmpTmax, c.wTmpTmax) << c.line;
        EXPECT_EQ(state.dwEtalonNumber, 3u) << c.line;
        EXPECT_EQ(state.wTmpSavedEnergyMaking, 80) << c.line;
        EXPECT_EQ(state.wTmpSavedEnergyProcessing, 70) << c.line;
        EXPECT_EQ(state.dwDialogAccepted, 1u) << c.line;
        EXPECT_EQ(state.wTmin, 40) << c.line;  // the command takes the values, not the dialog
        EXPECT_EQ(state.dwSeriesLength, 1200u) << c.line;
    }
}

TEST(SeriesStructureDialog, OkReadsTheCountTheSequenceShownAndTheNoiseLevel) {
    const struct {
        int line;
        const char* sequence;
        std::vector<std::uint16_t> edit;  // lpEditSequence after OK; 4 shown of 6
    } cases[] = {
        {__LINE__, "3,5,7,9", {3, 5, 7, 9, 8, 8}},
        {__LINE__, "3, 5", {3, 5, 5, 0, 8, 8}},
        {__LINE__, "7,,9", {7, 0, 9, 0, 8, 8}},
        {__LINE__, "1,2,3,4,5,6", {1, 2, 3, 4, 8, 8}},  // cut at the count shown
    };
    for (const auto& c : cases) {
        RecordingHost host;
        ProgramState state;
        state.wRequestedPulses = 4;
        state.lpEditSequence.assign(6, 8);
        SeriesStructureDialog dialog(state);
        // 25 typed: the sequence is still read with the 4 entries shown.
        okWith(host, dialog, {{1007, "25"}, {1010, c.sequence}, {1011, "-5"}});
        EXPECT_EQ(state.wPulsesEntered, 25) << c.line;
        EXPECT_THAT(state.lpEditSequence, ElementsAreArray(c.edit)) << c.line;
        EXPECT_EQ(static_cast<std::int16_t>(state.wTmpNoiseLevel), -5) << c.line;
        EXPECT_EQ(state.wRequestedPulses, 4) << c.line;
        EXPECT_EQ(state.dwDialogAccepted, 1u) << c.line;
    }
}

TEST(SeriesStructureDialog, ReadsAtMostNinetyNineCharactersOfTheSequence) {
    RecordingHost host;
    ProgramState state;
    state.wRequestedPulses = 40;
    state.lpEditSequence.assign(40, 1);
    std::string typed;
    for (int i = 0; i < 40; ++i) typed += "10,";  // 120 characters
    SeriesStructureDialog dialog(state);
    okWith(host, dialog, {{1010, typed}});
    // 99 characters hold 33 items "10,"; the entries after them find no text.
    std::vector<std::uint16_t> expected(33, 10);
    expected.resize(40, 0);
    EXPECT_THAT(state.lpEditSequence, ElementsAreArray(expected));
}

TEST(RequiredEtalonsDialog, TakesACountWithinTheCapacityAndReadsThatManyEntries) {
    const struct {
        int line;
        const char* count;
        std::uint16_t wRequiredCount;
        std::vector<std::uint16_t> list;
    } cases[] = {
        {__LINE__, "3", 3, {4, 5, 6, 4, 5}},
        {__LINE__, "0", 5, {4, 5, 6, 0, 0}},   // refused: the old count reads the list
        {__LINE__, "21", 5, {4, 5, 6, 0, 0}},  // above the capacity of 20
        {__LINE__, "-3", 5, {4, 5, 6, 0, 0}},
        {__LINE__, "65539", 5, {4, 5, 6, 0, 0}},    // not taken as its low 16 bits, 3
        {__LINE__, "7", 7, {4, 5, 6, 0, 0, 0, 0}},  // the rebuilt list grows back to the count
    };
    for (const auto& c : cases) {
        RecordingHost host;
        ProgramState state;
        state.lpRequiredList = {1, 2, 3, 4, 5};
        state.wRequiredCount = 5;
        state.wRequiredCapacity = 20;
        RequiredEtalonsDialog dialog(state);
        okWith(host, dialog, {{1014, c.count}, {1013, "4,5,6"}});
        EXPECT_EQ(state.wRequiredCount, c.wRequiredCount) << c.line;
        EXPECT_THAT(state.lpRequiredList, ElementsAreArray(c.list)) << c.line;
    }
}

TEST(ValidateSeriesGeometry, RefusesWhatTheFormulasCannotTakeWithOneMessage) {
    const struct {
        int line;
        std::uint16_t tmin, tmax;
        std::uint32_t length;
        const char* message;  // nullptr: taken
    } cases[] = {
        {__LINE__, 40, 181, 1200, nullptr},
        {__LINE__, 1, 1, 20, nullptr},  // length L holds exactly one pulse
        {__LINE__, 40, 181, 32767, nullptr},
        {__LINE__, 0, 181, 1200, "Длина интервала должна быть больше 0!\nwTmin: 0\nwTmax: 181"},
        {__LINE__, 40, 0, 1200, "Длина интервала должна быть больше 0!\nwTmin: 40\nwTmax: 0"},
        {__LINE__, 50, 40, 1200,
         "Минимальная длина интервала больше максимальной!\nwTmin: 50\nwTmax: 40"},
        {__LINE__, 40, 181, 19,
         "В ряд такой длины не помещается ни один импульс!\nдлина серии: 19\nдлина эталона: 20"},
        {__LINE__, 40, 181, 0,
         "В ряд такой длины не помещается ни один импульс!\nдлина серии: 0\nдлина эталона: 20"},
        {__LINE__, 40, 181, 32768, "Длина ряда больше 32767!\nдлина серии: 32768"},
        {__LINE__, 40, 181, 4294967295u, "Длина ряда больше 32767!\nдлина серии: 4294967295"},
    };
    for (const auto& c : cases) {
        RecordingHost host;
        EXPECT_EQ(validateSeriesGeometry(host, c.tmin, c.tmax, c.length, 20), c.message == nullptr)
            << c.line;
        if (c.message == nullptr) {
            EXPECT_TRUE(host.messages.empty()) << c.line;
        } else {
            EXPECT_THAT(host.messages,
                        ElementsAre(RecordedMessage{c.message, " validateSeriesGeometry ",
                                                    MessageIcon::Exclamation}))
                << c.line;
        }
    }
}

}  // namespace
}  // namespace mirovale
