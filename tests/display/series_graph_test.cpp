#include "core/display/series_graph.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/display/series_view_geometry.h"
#include "core/host/recording_canvas.h"
#include "display/series_sample.h"

namespace mirovale {
namespace {

using Op = CanvasCall::Op;

constexpr InclusiveRect kWorkArea{10, 10, 1114, 787};

WindowLayout layoutOf(const InclusiveRect& work) {
    WindowLayout layout;
    layout.wLineHeight = 15;
    layout.rcWorkArea = work;
    return layout;
}

// A program state showing a hand-made series of `pulses` whole pulses (etalon 1, every 40
// samples) with the detected pulses given, and a labelled joint-detection record of `chains`
// chains of one pulse each.
struct HandMade {
    testing::SampleSeries sample{1200, 20, 3};
    ProgramState state;

    HandMade(std::int16_t pulses, std::vector<std::int16_t> detectedEtalons, std::uint16_t chains) {
        for (std::int16_t i = 0; i < pulses; ++i)
            sample.addPulse(static_cast<std::int16_t>(i * 40), 1, 0, 19);
        for (std::size_t i = 0; i < detectedEtalons.size(); ++i)
            sample.addDetected(static_cast<std::int16_t>(i * 40), detectedEtalons[i], 0, 19);
        state.lpSeriesHeader = std::make_unique<SeriesHeader>(std::move(sample.series));
        auto c = std::make_unique<ChainsHeader>();
        c->wPretenders = chains;
        c->wSeekingPulsesQuantity = 1;
        c->wMark = 2;
        c->wTaskType = TASK_JOINT_DETECTION;
        c->wSeriesType = SERIES_UNFIXED_WHOLE;
        c->distance.assign(chains, -100);
        c->pulsesQuantity.assign(chains, 1);
        c->alphabetNumber.assign(chains, 0);
        for (auto* list : {&c->pulsesList, &c->positionsList, &c->beginsList, &c->endsList})
            list->assign(chains, std::vector<std::int16_t>{1});
        state.lpChainsHeader = std::move(c);
        state.lpRequiredList = {1, 2, 3};
        state.wRequiredCount = 3;
    }
    RecordingCanvas draw() {
        RecordingCanvas canvas;
        drawSeriesGraph(canvas, state, layoutOf(kWorkArea));
        return canvas;
    }
};

bool hasText(const RecordingCanvas& canvas, const std::string& prefix) {
    const auto texts = canvas.texts();
    return std::any_of(texts.begin(), texts.end(),
                       [&](const std::string& t) { return t.rfind(prefix, 0) == 0; });
}

// The caption's list cut after nineteen pulses is in the golden pictures of the unfixed series;
// the singular and a record without names are not.
TEST(SeriesGraph, DetectedLineCountsBothAndARecordWithoutNamesShowsNull) {
    HandMade many(25, {1}, 1);
    const RecordingCanvas canvas = many.draw();
    EXPECT_TRUE(hasText(canvas, "Detected 1 (25) pulse:  0a")) << canvas.transcript();
    EXPECT_TRUE(hasText(canvas, " (null) for series with (null) "));
    HandMade one(1, {1}, 1);
    EXPECT_TRUE(hasText(one.draw(), "Detected 1 pulse:  0a"));
}

TEST(SeriesGraph, ChainTableShowsAtMostSixChains) {
    HandMade h(3, {1, 1, 1}, 8);
    const RecordingCanvas canvas = h.draw();
    for (const char* row : {" 1.      -100", " 6.      -100", " 0.     "})
        EXPECT_TRUE(hasText(canvas, row)) << row << "\n" << canvas.transcript();
    EXPECT_FALSE(hasText(canvas, " 7. "));
}

// Recognition, which no golden picture shows, names each chain's etalon and not its pulses'.
TEST(SeriesGraph, RecognitionChainTableHasAnEtalonColumn) {
    HandMade h(2, {1, 1}, 1);
    h.state.lpChainsHeader->wTaskType = TASK_RECOGNITION;
    const RecordingCanvas canvas = h.draw();
    for (const char* row : {" n   et   measure ", " 1.  a      -100", "  positions of etalons"})
        EXPECT_TRUE(hasText(canvas, row)) << row << "\n" << canvas.transcript();
}

TEST(SeriesGraph, ThirdGraphIsLeftOutWhenADetectedEtalonIsZero) {
    const SeriesViewGeometry g = seriesViewGeometry(kWorkArea, 15, 3, TASK_JOINT_DETECTION, false);
    const auto thirdGraphCalls = [&](const RecordingCanvas& canvas) {
        return std::count_if(canvas.calls.begin(), canvas.calls.end(), [&](const CanvasCall& c) {
            return c.op != Op::SelectPen && c.op != Op::SelectBrush && c.x >= g.gx &&
                   c.x <= g.gx + g.gw && c.y >= g.g3 && c.y < g.g3 + g.gh;
        });
    };
    HandMade known(3, {1, 2, 3}, 1);
    HandMade unknown(3, {1, 0, 3}, 1);
    EXPECT_GT(thirdGraphCalls(known.draw()), 0);
    EXPECT_EQ(thirdGraphCalls(unknown.draw()), 0);
}

}  // namespace
}  // namespace mirovale
