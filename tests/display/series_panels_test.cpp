#include "core/display/series_panels.h"

#include <gtest/gtest.h>

#include "core/host/recording_canvas.h"
#include "display/series_sample.h"

namespace mirovale {
namespace {

using Op = CanvasCall::Op;

TEST(AlphabetsBand, RowSplit) {
    struct {
        int line;
        std::vector<std::int16_t> sizes;
        std::size_t top;
    } rows[] = {
        {__LINE__, {3, 3, 4, 2, 2}, 2},  // sums 6 and 4: the middle one goes down
        {__LINE__, {2, 2, 4, 3, 3}, 3},  // sums 4 and 6: the middle one goes up
        {__LINE__, {2, 9, 2}, 2},        // a tie sends it up
        {__LINE__, {1, 1, 1, 1}, 2},    {__LINE__, {4}, 1}, {__LINE__, {}, 0},
    };
    for (const auto& c : rows) EXPECT_EQ(alphabetsTopRowCount(c.sizes), c.top) << "line " << c.line;
}

// Three alphabets of two etalons, the second recognised and current.
testing::SampleSeries& withAlphabets(testing::SampleSeries& s) {
    s.series.wAlphabets = 3;
    s.series.selectedAlphabetSize = {2, 2, 2};
    s.series.selectedAlphabetList = {{1, 2}, {2, 3}, {3, 1}};
    s.series.wRecognizedAlphabet = 2;
    s.series.wCurrentAlphabet = 2;
    return s;
}

TEST(AlphabetsBand, BoxesLabelsAndStates) {
    testing::SampleSeries s(100, 10, 3);
    withAlphabets(s);
    const SeriesViewGeometry g = seriesViewGeometry({10, 10, 1114, 787}, 15, 5, 48, false);
    RecordingCanvas canvas;
    std::vector<InclusiveRect> labels(3);
    drawAlphabetsBand(canvas, g, 128, s.series, labels);
    EXPECT_EQ(canvas.texts(),
              (std::vector<std::string>{" Alphabet A ", " a ", " b ", " Alphabet B ", " b ", " c ",
                                        " Alphabet C ", " c ", " a "}));
    // Two alphabets on top, the third one row lower at the left again.
    EXPECT_EQ(labels[1].left, labels[0].right + (g.mx >> 1));
    EXPECT_EQ(labels[2].left, labels[0].left);
    EXPECT_EQ(labels[2].top, labels[0].top + g.rh + (3 * 15) / 4);
    EXPECT_EQ(labels[0].right - labels[0].left, 2 * g.cw + 2);
    // The recognised alphabet is grey though it is also the current one.
    const auto brushes = canvas.callsOf(Op::SelectBrush);
    EXPECT_EQ(brushes[0].colour, (Colour{235, 240, 225}));
    std::size_t grey = 0;
    for (const auto& b : brushes) grey += b.colour == Colour{163, 163, 163};
    EXPECT_EQ(grey, 2u);

    // A table with room for one box is written only there.
    std::vector<InclusiveRect> small(1);
    drawAlphabetsBand(canvas, g, 128, s.series, small);
    EXPECT_EQ(small.size(), 1u);
    EXPECT_EQ(small[0], labels[0]);
}

TEST(AlphabetPanel, TitlesAndColumns) {
    testing::SampleSeries s(100, 10, 5);
    const SeriesViewGeometry g = seriesViewGeometry({10, 10, 1114, 787}, 15, 5, 2, false);
    const std::vector<std::uint16_t> required{1, 2, 3, 4, 5};
    RecordingCanvas canvas;
    drawAlphabetPanel(canvas, g, 128, 2, required, 4, s.series);
    EXPECT_EQ(canvas.texts(),
              (std::vector<std::string>{" Alphabet, 5 items ", " a ", " d ", " b ", " e ", " c "}));
    const auto texts = canvas.callsOf(Op::TextOut);
    EXPECT_EQ(texts[2].x, texts[1].x + g.cw + 2 * g.mx);  // d in column 1 beside a
    EXPECT_EQ(canvas.callsOf(Op::Rectangle).size(), 2u);  // the panel and grey d's background

    canvas.clear();
    drawAlphabetPanel(canvas, g, 128, 48, std::span(required).first(1), 0, s.series);
    EXPECT_EQ(canvas.texts()[0], " United alphabet, 1 item ");
}

TEST(PatternTuples, RowsLabelsAndShrinking) {
    testing::SampleSeries s(100, 10, 3);
    s.series.wSubsets = 2;
    s.series.selectedSubsetSize = {3, 1};
    s.series.selectedSubsetList = {{1, 2, 3}, {2, 0, 0}};
    s.series.wRecognizedSubset = 1;
    const SeriesViewGeometry g = seriesViewGeometry({10, 10, 1114, 787}, 15, 5, 40, false);
    RecordingCanvas canvas;
    std::vector<InclusiveRect> labels(1);
    drawPatternTupleBox(canvas, g, 128, 40, 2, s.series, labels);
    EXPECT_EQ(canvas.texts(),
              (std::vector<std::string>{" a ", " b ", " c ", " b ", " pattern tuples "}));
    EXPECT_EQ(labels.size(), 1u);  // the second row's rectangle had no room
    EXPECT_EQ(labels[0].left, canvas.callsOf(Op::Rectangle)[0].x + (g.mx >> 3) + 1);

    // One tuple too wide for the graphs is shrunk to their width.
    s.series.lpSubset = {1, 2, 3, 1, 2, 3, 1, 2, 3, 1, 2, 3, 1, 2, 3, 1, 2, 3, 1, 2};
    s.series.wSubsetSize = 20;
    canvas.clear();
    drawPatternTupleBox(canvas, g, 128, 36, 0, s.series, labels);
    const auto box = canvas.callsOf(Op::Rectangle)[0];
    EXPECT_LE(box.right - box.x, g.gw);
    EXPECT_EQ(box.right - 1, g.gx + g.gw);  // right edge on the graphs' right edge
}

}  // namespace
}  // namespace mirovale
