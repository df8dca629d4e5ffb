#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/dialogs/series_dialogs.h"
#include "core/dialogs/settings_dialogs.h"
#include "core/display/chart_scale.h"
#include "core/display/error_chart.h"
#include "core/host/recording_canvas.h"
#include "core/shell/simulation_command.h"
#include "workbench_fixture.h"

namespace mirovale {
namespace {

using L = LocationParametersDialog;

// The chart of a real simulation: joint detection of 4 and 5 whole pulses of etalon 3 in 400
// samples, at noise levels 10 and 60, two repeats each.
TEST(SimulationChart, ChartsTheRecordOfARun) {
    testing::Workbench bench;
    ProgramState& s = bench.s;
    s.wTaskType = s.wProcessingTask = TASK_JOINT_DETECTION;
    s.wSeriesType = SERIES_FIXED_WHOLE;
    bench.host.queueAnswer(
        {SeriesParametersDialog::kId, DialogResult::Ok, {{1000, "400"}, {1004, "3"}}, {}});
    bench.host.queueAnswer({L::kId,
                            DialogResult::Ok,
                            {{L::kPulsesFrom, "4"},
                             {L::kPulsesTo, "5"},
                             {L::kRepeats, "2"},
                             {L::kInitialNoise, "10"},
                             {L::kNoiseSteps, "2"},
                             {L::kNoiseIncrement, "50"}},
                            {}});
    ASSERT_TRUE(statisticalSimulation(bench.host, s));

    RecordingCanvas canvas;
    s.dwChartMode = CHART_DETECTION;
    DrawDetectionArrayZ(bench.host, canvas, s, bench.layout());
    const std::vector<std::string> texts = canvas.texts();
    ASSERT_GE(texts.size(), 9u);
    EXPECT_EQ(texts[2].rfind(" involves  4, 5, pulses from [", 0), 0u) << texts[2];
    EXPECT_EQ(texts[6], " from 10 to 60 with step 50");
    EXPECT_EQ(texts[8], " for volume of  2 repeats");

    // Every pulse at noise 10 is found where it was laid: both curves start on the axis.
    const RestErrorHeader& r = *s.lpRestErrorHeader;
    const EtalonCorrelation c = etalonCorrelation(*s.lpSeriesHeader, r, s.lpRequiredList);
    const ChartNormalizers n = chartNormalizers(*s.lpSeriesHeader, c);
    const auto curves =
        chartCurves(CHART_DETECTION, r, n, chartScale(CHART_DETECTION, r, n, false, 0), 400);
    ASSERT_EQ(curves.size(), 2u);
    for (const ChartCurve& curve : curves) EXPECT_EQ(curve.rows.front(), 400) << curve.label;
}

}  // namespace
}  // namespace mirovale
