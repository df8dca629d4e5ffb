#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/display/panel_geometry.h"
#include "core/display/window_paint.h"
#include "core/host/allocation.h"
#include "core/host/recording_canvas.h"
#include "core/shell/click_handler.h"
#include "core/shell/command_handler.h"
#include "core/shell/commands.h"
#include "workbench_fixture.h"

namespace mirovale {
namespace {

using ::testing::ElementsAre;

// The clicks through the subset and alphabet panels are golden scripts (tests/data/cli
// subset_panel_* and alphabet_panel*); here the panel whose arrays cannot be made, which a script
// cannot bring about.
TEST(SubsetPanelFlows, APanelWithoutArraysDrawsAndAnswersAsOneWithoutSlots) {
    testing::Workbench w;
    RecordingCanvas canvas;
    const auto paint = [&] {
        canvas.clear();
        paintWindow(w.host, canvas, w.s);
    };
    w.command(IDM_FIXED_TUPLES);
    w.command(IDM_DETECTION);
    w.command(IDM_SELECT_SUBSETS);
    w.forget();
    {
        ScopedAllocationFailure fail(1);
        paint();
    }
    EXPECT_THAT(w.host.messages, ElementsAre(RecordedMessage{"Нет памяти для selectedSubset!", "",
                                                             MessageIcon::None}));
    EXPECT_FALSE(w.s.subsetPanel.made());
    const InclusiveRect first = subsetPanelGeometry(w.layout(), w.s).itemRects[0];
    handleClick(w.host, w.s, (first.left + first.right) / 2, first.top + 2);
    EXPECT_FALSE(w.s.subsetPanel.made());
    paint();  // the next repaint tries again
    EXPECT_TRUE(w.s.subsetPanel.made());
    w.clickOn(subsetPanelGeometry(w.layout(), w.s).itemRects[0]);
    EXPECT_THAT(w.s.subsetPanel.subset(), ElementsAre(1));
}

}  // namespace
}  // namespace mirovale
