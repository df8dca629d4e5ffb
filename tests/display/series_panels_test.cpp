#include "core/display/series_panels.h"

#include <gtest/gtest.h>

#include "core/host/recording_canvas.h"
#include "display/series_sample.h"

namespace mirovale {
namespace {

TEST(AlphabetsBand, RowSplit) {
    struct {
        int line;
        std::vector<std::int16_t> sizes;
        std::size_t top;
    } rows[] = {
        {__LINE__, {3, 3, 4, 2, 2}, 2},  // sums 6 and 4: the middle one goes down
        {__LINE__, {2, 2, 4, 3, 3}, 3},  // sums 4 and 6: the middle one goes up
        {__LINE__, {2, 9, 2}, 2},        // a tie sends it up
        {__LINE__, {1, 1, 1, 1}, 2},    {__LINE__, {}, 0},
    };
    for (const auto& c : rows) EXPECT_EQ(alphabetsTopRowCount(c.sizes), c.top) << "line " << c.line;
}

// The label tables are written only as far as they reach; the boxes are drawn all the same.
TEST(LabelTables, TooSmallTablesAreNotWrittenPastTheirEnd) {
    testing::SampleSeries s(100, 10, 3);
    s.series.wAlphabets = 3;
    s.series.selectedAlphabetSize = {2, 2, 2};
    s.series.selectedAlphabetList = {{1, 2}, {2, 3}, {3, 1}};
    s.series.wSubsets = 2;
    s.series.selectedSubsetSize = {3, 1};
    s.series.selectedSubsetList = {{1, 2, 3}, {2, 0, 0}};
    const SeriesViewGeometry g = seriesViewGeometry({10, 10, 1114, 787}, 15, 5, 48, false);

    RecordingCanvas canvas;
    std::vector<InclusiveRect> whole(3);
    std::vector<InclusiveRect> small(1);
    drawAlphabetsBand(canvas, g, 128, s.series, whole);
    drawAlphabetsBand(canvas, g, 128, s.series, small);
    EXPECT_EQ(small, std::vector<InclusiveRect>{whole[0]});
    EXPECT_EQ(whole[2].left, whole[0].left);  // two on top, the third below
    EXPECT_EQ(whole[2].top, whole[0].top + g.rh + (3 * 15) / 4);

    canvas.clear();
    small.assign(1, {});
    drawPatternTupleBox(canvas, g, 128, 40, 2, s.series, small);
    EXPECT_EQ(canvas.texts(),
              (std::vector<std::string>{" a ", " b ", " c ", " b ", " pattern tuples "}));
    EXPECT_EQ(small.size(), 1u);
    EXPECT_EQ(small[0].left, canvas.callsOf(CanvasCall::Op::Rectangle)[0].x + (g.mx >> 3) + 1);
}

TEST(AlphabetPanel, OneItemTitle) {
    testing::SampleSeries s(100, 10, 1);
    const SeriesViewGeometry g = seriesViewGeometry({10, 10, 1114, 787}, 15, 1, 2, false);
    const std::vector<std::uint16_t> required{1};
    RecordingCanvas canvas;
    drawAlphabetPanel(canvas, g, 128, 2, required, 0, s.series);
    EXPECT_EQ(canvas.texts()[0], " Alphabet, 1 item ");
}

}  // namespace
}  // namespace mirovale
