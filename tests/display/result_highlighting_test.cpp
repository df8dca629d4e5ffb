#include "core/display/result_highlighting.h"

#include <gtest/gtest.h>

#include "display/series_sample.h"

namespace mirovale {
namespace {

// 101 samples over 100 columns: column = position.
constexpr GraphRect kGraph{10, 20, 110, 80};

TEST(TupleSpans, GroupsAndWidening) {
    testing::SampleSeries s(101, 10, 1);
    for (std::int16_t i = 0; i < 10; ++i) s.addPulse(static_cast<std::int16_t>(i * 9), 1, 0, 9);
    s.series.lpPositions[9] = 89;  // the last pulse ends on column w - 2
    s.series.wSubsetSize = 3;
    // Groups 1-3, 4-6, 7-9 and 10; the first is not widened left of column 0, the last only up
    // to column w - 1.
    EXPECT_EQ(tupleSpans(kGraph, s.series, false),
              (std::vector<TupleSpan>{{0, 29}, {25, 56}, {52, 83}, {87, 99}}));
    s.series.wSubsetSize = 0;
    EXPECT_TRUE(tupleSpans(kGraph, s.series, false).empty());

    s.addDetected(1, 1, 0, 9);
    s.addDetected(30, 1, 0, 9);
    s.series.wDetectedTuples = 2;
    s.series.lpTupleFirst = {1, 2};
    s.series.lpTupleLast = {2, 5};  // the second names a pulse that was not detected
    EXPECT_EQ(tupleSpans(kGraph, s.series, true), (std::vector<TupleSpan>{{0, 41}}));
}

}  // namespace
}  // namespace mirovale
