#include "core/display/window_paint.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "core/host/recording_canvas.h"
#include "core/host/recording_host.h"

namespace mirovale {
namespace {

using ::testing::ElementsAreArray;

// The picture buttons the repaint draws, in order, and the titles of the option rows.
struct Painted {
    std::vector<ButtonBitmap> buttons;
    std::vector<std::string> rowTitles;
};

Painted paint(ProgramState& state) {
    RecordingHost host;
    RecordingCanvas canvas;
    paintWindow(host, canvas, state);
    Painted p;
    for (const CanvasCall& c : canvas.callsOf(CanvasCall::Op::DrawButton))
        p.buttons.push_back(c.button);
    for (const std::string& text : canvas.texts())
        if (text == " series length: " || text == " noise level: " || text == " lost data level: ")
            p.rowTitles.push_back(text);
    return p;
}

// Without an etalon table, series or simulation the views draw little; what matters here is the
// order of the buttons and rows round them, and the state the repaint changes.
TEST(PaintWindow, DrawsTheButtonsOfTheViewThenTheOptionRows) {
    using B = ButtonBitmap;
    const struct {
        int line;
        std::uint32_t view;
        std::uint16_t resultView, task, seriesType, requiredFlags;
        std::vector<B> buttons;
        bool lostDataRow;
    } cases[] = {
        {__LINE__, VIEW_ETALON_GRID, 1, 4, 4, 0, {B::Next, B::Exit, B::SelectAll}, false},
        {__LINE__, VIEW_ETALON_GRID, 1, 4, 8, 1, {B::Next, B::Exit, B::UnselectAll}, true},
        {__LINE__, VIEW_ETALON_GRID, 1, 1, 2, 1, {B::Next, B::Exit}, true},  // detection
        {__LINE__, VIEW_RESULTS, 1, 4, 1, 0, {B::Restart, B::Next, B::Exit, B::SelectAll}, false},
        {__LINE__, VIEW_RESULTS, 1, 2, 1, 0, {B::Restart, B::Next, B::Exit, B::SelectAll}, false},
        {__LINE__, VIEW_RESULTS, 1, 64, 1, 0, {B::Restart, B::Next, B::Exit, B::SelectAll}, false},
        {__LINE__, VIEW_RESULTS, 1, 40, 40, 0, {B::Restart, B::Next, B::Exit}, false},
        {__LINE__, VIEW_SUBSET_PANEL, 1, 36, 36, 0, {B::Next, B::Exit}, false},
        {__LINE__, VIEW_PARAMS_PANEL, 1, 4, 2, 0, {B::Next, B::Exit, B::SelectAll}, true},
        {__LINE__, VIEW_ALPHABET_PANEL, 1, 48, 4, 1, {B::Next, B::Exit}, false},
        {__LINE__, VIEW_NOTHING_7, 1, 4, 4, 0, {}, false},
    };
    for (const auto& c : cases) {
        ProgramState state;
        state.dwViewMode = c.view;
        state.wResultView = c.resultView;
        state.wProcessingTask = c.task;
        state.wSeriesType = c.seriesType;
        state.wEtalonFlags.fill(c.requiredFlags);
        const Painted p = paint(state);
        EXPECT_THAT(p.buttons, ElementsAreArray(c.buttons)) << "line " << c.line;
        std::vector<std::string> titles = {" series length: ", " noise level: "};
        if (c.lostDataRow) titles.push_back(" lost data level: ");
        EXPECT_EQ(p.rowTitles, titles) << "line " << c.line;
    }
}

// The series graph's pass clears the "type more details" mark; the chart's does not, and series
// processing draws no graph for tuple series but still clears it.
TEST(PaintWindow, TheResultViewClearsTypeMoreDetailsAfterTheSeriesGraph) {
    const struct {
        int line;
        std::uint16_t resultView, task, seriesType;
        std::uint32_t after;
    } cases[] = {
        {__LINE__, 1, 4, 8, 0},
        {__LINE__, 1, 64, 36, 0},
        {__LINE__, 2, 4, 8, 1},
    };
    for (const auto& c : cases) {
        ProgramState state;
        state.dwViewMode = VIEW_RESULTS;
        state.wResultView = c.resultView;
        state.wProcessingTask = c.task;
        state.wSeriesType = c.seriesType;
        state.dwTypeMoreDetails = 1;
        static_cast<void>(paint(state));
        EXPECT_EQ(state.dwTypeMoreDetails, c.after) << "line " << c.line;
    }
}

}  // namespace
}  // namespace mirovale
