#include "core/state/params_header.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/host/allocation.h"
#include "core/host/recording_host.h"

namespace mirovale {
namespace {

using ::testing::ElementsAre;

SeriesHeader seriesOf(std::uint32_t n, std::uint16_t l, std::uint16_t tmin, std::uint16_t tmax,
                      std::uint16_t pulses) {
    SeriesHeader series;
    series.dwSeriesSize = n;
    series.wImpulseSize = l;
    series.wTmin = tmin;
    series.wTmax = tmax;
    series.wImpulseQuantity = pulses;
    return series;
}

// The ranges and marks of the first series are drawn in the golden parameters panel picture;
// what it cannot show is checked here.
TEST(GetParamsHeader, SizesTheAreasAndShowsTmin) {
    RecordingHost host;
    const SeriesHeader series = seriesOf(1200, 20, 40, 181, 18);
    const auto record = getParamsHeader(host, &series, nullptr);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->dwAreas, 25);
    EXPECT_EQ(record->dwAreasCapacity, 25);
    EXPECT_EQ(record->pulsesSelectedAreas.size(), 25u);
    EXPECT_EQ(record->dwPrevTmin, 40);
    EXPECT_EQ(record->dwPrevMinPulses, 6);
    EXPECT_EQ(host.editFieldContents, "40");
    EXPECT_TRUE(host.messages.empty());
}

TEST(GetParamsHeader, ReusesARecordThatIsLargeEnoughAndKeepsItWithoutASeries) {
    RecordingHost host;
    const SeriesHeader big = seriesOf(1200, 20, 40, 181, 18);
    auto record = getParamsHeader(host, &big, nullptr);
    record->pulsesSelectedAreas[3] = {1, 2, 3, 4};
    record->dwTmin = 55;  // dragged
    const ParamsHeader* address = record.get();

    const SeriesHeader small = seriesOf(600, 20, 40, 181, 9);
    AllocationProbe::failAt(0);
    record = getParamsHeader(host, &small, std::move(record));
    EXPECT_EQ(AllocationProbe::requests(), 0);
    EXPECT_EQ(record.get(), address);
    EXPECT_EQ(record->dwAreas, 13);              // 3 .. 15
    EXPECT_EQ(record->dwAreasCapacity, 25);      // never shrinks
    EXPECT_EQ(record->dwAreasSeriesSize, 1200);  // only a growth updates it
    EXPECT_EQ(record->dwTmin, 40);
    EXPECT_EQ(record->pulsesSelectedAreas[3], InclusiveRect{});
    // Without a series the old record is kept as it is.
    record->dwTmin = 77;
    const std::size_t fieldCalls = host.editFieldCalls.size();
    record = getParamsHeader(host, nullptr, std::move(record));
    EXPECT_EQ(record.get(), address);
    EXPECT_EQ(record->dwTmin, 77);
    EXPECT_EQ(host.editFieldCalls.size(), fieldCalls);
}

TEST(GetParamsHeader, ReportsEachAllocationFailureAndReturnsNothing) {
    const SeriesHeader series = seriesOf(1200, 20, 40, 181, 18);
    const struct {
        int line;
        int failAt;
        const char* text;
    } cases[] = {
        {__LINE__, 1, "Нет памяти для newParamsHeader!"},
        {__LINE__, 2, "Нет памяти для newParamsHeader->pulsesSelectedAreas!"},
    };
    for (const auto& c : cases) {
        RecordingHost host;
        ScopedAllocationFailure failure(c.failAt);
        EXPECT_EQ(getParamsHeader(host, &series, nullptr), nullptr) << c.line;
        EXPECT_THAT(host.messages,
                    ElementsAre(RecordedMessage{c.text, " getParamsHeader ", MessageIcon::None}))
            << c.line;
    }
}

TEST(GetParamsHeader, ASeriesWithZeroIntervalsGivesAnEmptyRangeInsteadOfDividingByZero) {
    RecordingHost host;
    const SeriesHeader series = seriesOf(1200, 20, 0, 0, 0);
    const auto record = getParamsHeader(host, &series, nullptr);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->dwMinPulses, 0);
    EXPECT_EQ(record->dwMaxPulses, 0);
    EXPECT_EQ(record->dwAreas, 1);
}

}  // namespace
}  // namespace mirovale
