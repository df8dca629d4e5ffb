#include "core/display/error_chart.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/display/chart_scale.h"
#include "core/host/allocation.h"
#include "core/host/recording_canvas.h"
#include "core/host/recording_host.h"
#include "core/synthesis/pulse_alphabet.h"
#include "core/synthesis/series_allocation.h"
#include "series_sample.h"

namespace mirovale {
namespace {

using ::testing::ElementsAre;

// A finished simulation of a 1200-sample series with the default Tmin and Tmax (6 to 30
// pulses) over pulse numbers 6, 7, ... and noise levels 0, 5, 10, ...
struct Chart {
    RecordingHost host;
    ProgramState s;
    RecordingCanvas canvas;

    Chart(std::uint16_t p, std::uint16_t q, std::uint32_t repeats = 100) {
        EXPECT_EQ(createPulses(host, s.generators, 128, 20, 20, s.etalonTable), 1);
        s.lpRequiredList = {1, 2, 3};
        s.wRequiredCount = 3;
        std::vector<std::uint16_t> sequence(30, 1);
        s.lpSeriesHeader = getCutOffSeries(host, s.generators, 20, s.etalonTable, 20, 40, 181, 1200,
                                           6, sequence, 128, 100, nullptr);
        s.lpRestErrorHeader = getRestErrHeader(host, p, q, repeats, nullptr);
        EXPECT_EQ(initRestErrHeader(host, p, 6, 1, q, 0, 5, repeats, s.lpRestErrorHeader.get()), 1);
        EXPECT_EQ(addInitRestErrHeader(host, 1, 4, 100, 100, s.lpRestErrorHeader.get()), 1);
    }
    RestErrorHeader& record() { return *s.lpRestErrorHeader; }
    std::vector<std::string> draw(std::uint32_t mode) {
        s.dwChartMode = mode;
        canvas.clear();
        DrawDetectionArrayZ(host, canvas, s, computeWindowLayout({1280, 800}, 15, s));
        return canvas.texts();
    }
};

// The text block as a finished simulation shows it is in the golden chart pictures
// (tests/data/views/chart_mode_*); these are the cases they do not show.
TEST(ErrorChart, UnsetTimesAndLongPulseListsInTheTextBlock) {
    Chart chart(3, 4);
    // Unset times (no clock read) draw no calendar line and a zero elapsed time.
    chart.s.simulationTimes = {};
    const std::vector<std::string> unset = chart.draw(CHART_DETECTION);
    const auto diagnostics = std::find_if(unset.begin(), unset.end(), [](const std::string& t) {
        return t.rfind("etEnergy=", 0) == 0;
    });
    ASSERT_LT(diagnostics + 1, unset.end());
    EXPECT_EQ(*(diagnostics + 1), "elapsed time 0:00:00");

    // Four pulse numbers or more: the first two and the last.
    Chart longer(5, 4);
    EXPECT_EQ(longer.draw(CHART_DETECTION)[2], " involves  6, 7,..., 10  pulses from [6-30],");
}

// The axes' labels of several levels, with a computed or a fixed top, are in the golden chart
// pictures and follow chartScale (below). One noise level: the text block and empty axes, no
// curve and so no curve label.
TEST(ErrorChart, OneNoiseLevelLabelsTheAxesWithoutACurve) {
    Chart chart(2, 1);
    const std::vector<std::string> texts = chart.draw(CHART_RECOGNITION);
    const auto at = std::find(texts.begin(), texts.end(), "  0");
    EXPECT_THAT(std::vector(at, texts.end()),
                ElementsAre("  0", "s", "0.00", "0.10", "0.20", "0.30", "0.40", "0.50"));
}

TEST(ErrorChart, ReportsAFailedNormalizerAndDrawsNothing) {
    Chart chart(3, 4);
    chart.s.dwChartMode = CHART_DETECTION;
    {
        ScopedAllocationFailure fail(1);
        DrawDetectionArrayZ(chart.host, chart.canvas, chart.s,
                            computeWindowLayout({1280, 800}, 15, chart.s));
    }
    EXPECT_TRUE(chart.canvas.calls.empty());
    EXPECT_THAT(chart.host.messages,
                ElementsAre(RecordedMessage{"No memory to RestoredErrorNormalizer",
                                            " ERROR in DrawDetectionArrayZ ", MessageIcon::None}));
}

// Tuple recognition shows every stored subset and records each row's rectangle, as far as the
// subset panel's label table reaches.
TEST(ErrorChart, RecordsTheRowsOfThePatternTuples) {
    Chart chart(2, 4);
    chart.record().wSeriesType = SERIES_UNFIXED_TUPLES;
    chart.record().wTaskType = TASK_TUPLE_RECOGNITION;
    SeriesHeader& series = *chart.s.lpSeriesHeader;
    series.wSubsets = 3;
    series.selectedSubsetList = {{1, 2}, {3}, {4, 25}};  // 25 is no etalon: left out
    series.selectedSubsetSize = {2, 1, 2};
    chart.s.subsetPanel.subsetLabelRect.assign(2, InclusiveRect{});
    const std::vector<std::string> texts = chart.draw(CHART_RECOGNITION);
    const auto& labels = chart.s.subsetPanel.subsetLabelRect;
    EXPECT_LT(labels[0].bottom, labels[1].top);
    EXPECT_EQ(labels[0].left, labels[1].left);
    const auto heading = std::find(texts.begin(), texts.end(), " pattern tuples ");
    ASSERT_LT(heading + 5, texts.end());
    EXPECT_THAT(std::vector(heading + 1, heading + 5), ElementsAre(" a ", " b ", " c ", " d "));
}

TEST(ChartScale, TakesACleanTopAboveTheLargestValue) {
    struct Case {
        int line;
        std::int64_t v;
        std::int64_t top;
    } cases[] = {
        {__LINE__, 500, 500}, {__LINE__, 300, 500},   {__LINE__, 240, 250}, {__LINE__, 50, 50},
        {__LINE__, 51, 100},  {__LINE__, 1000, 1000}, {__LINE__, 20, 20},
    };
    for (const Case& c : cases) EXPECT_EQ(cleanTop(c.v), c.top) << c.line;

    Chart chart(2, 4);
    const ChartScale fixed = chartScale(CHART_RECOGNITION, chart.record(), {}, true, 0.25);
    EXPECT_EQ(fixed.top, 250);
    EXPECT_EQ(fixed.tick, 50);
    // A bound below one per mille would leave no axis: the computed top stays.
    EXPECT_EQ(chartScale(CHART_RECOGNITION, chart.record(), {}, true, 0.0004).top, 500);
}

TEST(ChartScale, PlacesValuesWithoutWrappingOrDividingByZero) {
    Chart chart(2, 3, 0);  // no repeats
    RestErrorHeader& r = chart.record();
    // A restored error of 4e9 against a normalizer of 4e9 is the top of a 1000 axis; in 32
    // bits f * table * h would wrap.
    r.errors(ERR_RESTORING, 1)[0] = 4'000'000'000u;
    const ChartNormalizers n{4'000'000'000, 1};
    const ChartScale scale = chartScale(CHART_RESTORED, r, n, false, 0);
    EXPECT_EQ(scale.top, 1000);
    const std::vector<ChartCurve> curves = chartCurves(CHART_RESTORED, r, n, scale, 400);
    ASSERT_EQ(curves.size(), 2u);
    EXPECT_THAT(curves[0].rows, ElementsAre(400, 0, 400));
    EXPECT_EQ(curves[0].label, "6");
    // Above a top of 1000 the integer factor 1000 / T would be 0 and flatten every curve.
    EXPECT_THAT(chartCurves(CHART_RESTORED, r, n, {2000, 400}, 400)[0].rows,
                ElementsAre(400, 200, 400));
    // Zero repeats count as one: half a misrecognition is the top of the recognition axis.
    r.errors(ERR_MISRECOGNIZED, 2)[1] = 1;
    r.repeats = 2;
    EXPECT_THAT(chartCurves(CHART_RECOGNITION, r, n, {500, 100}, 400)[1].rows,
                ElementsAre(400, 400, 0));
    r.repeats = 0;
    EXPECT_THAT(chartCurves(CHART_RECOGNITION, r, n, {500, 100}, 400)[1].rows,
                ElementsAre(400, 400, -400));

    // No pulse numbers or a single noise level: nothing to draw.
    r.wVariousPulses = 0;
    EXPECT_TRUE(chartCurves(CHART_RECOGNITION_AGGREGATE, r, n, scale, 400).empty());
    r.wVariousPulses = 2;
    r.wNoiseLevels = 1;
    EXPECT_TRUE(chartCurves(CHART_DETECTION, r, n, scale, 400).empty());
    EXPECT_TRUE(boundCurves(r, *chart.s.lpSeriesHeader, {}, scale, 400).empty());
}

TEST(ChartScale, CorrelatesTheFirstTwoRequiredEtalons) {
    testing::SampleSeries sample(100, 2, 2);  // etalons {10, -11} and {20, -21}
    SeriesHeader& s = sample.series;
    s.wEtalons = 2;
    s.lpFirstPulse = s.lpPulsesList[0];
    RestErrorHeader record;
    const std::uint16_t both[] = {1, 2};
    const EtalonCorrelation c = etalonCorrelation(s, record, both);
    EXPECT_EQ(c.energy, 221);
    EXPECT_EQ(c.rMin, -220);  // lag 1: -11 * 20
    EXPECT_EQ(c.rMax, 431);   // lag 0: 200 + 231
    // A number beyond the alphabet stands for the first pulse's etalon: its autocorrelation.
    const std::uint16_t beyond[] = {7};
    EXPECT_EQ(etalonCorrelation(s, record, beyond).rMin, -110);

    // Equal energy and Rmin, and Tmax equal to L, keep the normalizers at 1.
    s.wMaxPulses = 5;
    s.wTmax = s.wImpulseSize;
    const ChartNormalizers n = chartNormalizers(s, {100, 100, 100});
    EXPECT_EQ(n.R0, 1);
    EXPECT_EQ(n.D0, 1);
}

}  // namespace
}  // namespace mirovale
