// The allocation-fault sweep: each flow runs once for every allocation request it makes, with
// that request failing. Every run must show a message, keep the workbench's invariants, leak
// nothing (the sanitizer build checks) and leave a workbench on which " Processing Next Data "
// either succeeds or says why not.

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <set>

#include "../fuzz/workbench_invariants.h"
#include "core/display/window_paint.h"
#include "core/host/allocation.h"
#include "core/host/recording_canvas.h"
#include "core/shell/click_handler.h"
#include "core/shell/command_handler.h"
#include "core/shell/commands.h"
#include "dialog_answers.h"
#include "workbench_fixture.h"

namespace mirovale {
namespace {

using testing::ok;
using testing::Workbench;

struct Flow {
    const char* name;
    std::function<void(Workbench&)> prepare;  // runs unarmed
    std::function<void(Workbench&)> run;      // runs with one request failing
};

// Selects a task and a series type, and composes what the tuple and alphabet tasks need.
std::function<void(Workbench&)> choose(std::uint16_t task, std::uint16_t type) {
    return [=](Workbench& w) {
        w.command(type);
        w.command(task);
        w.composeSubsets({3, 4}, {{1, 2}, {3, 4}});
        w.composeAlphabets({{1, 2, 3}, {4, 5, 6}});
        // The stored alphabets are attached when processing starts from their panel.
        w.s.dwViewMode = task == IDM_ALPHABET_RECOGNITION ? VIEW_ALPHABET_PANEL : VIEW_RESULTS;
    };
}

std::vector<Flow> flows() {
    std::vector<Flow> all;
    const std::pair<const char*, std::uint16_t> tasks[] = {
        {"detection", IDM_DETECTION},
        {"recognition", IDM_RECOGNITION},
        {"joint", IDM_JOINT_DETECTION},
        {"series processing", IDM_SERIES_PROCESSING},
        {"alphabets", IDM_ALPHABET_RECOGNITION}};
    const std::pair<const char*, std::uint16_t> types[] = {
        {"fixed whole", IDM_FIXED_WHOLE},    {"unfixed whole", IDM_UNFIXED_WHOLE},
        {"fixed cut-off", IDM_FIXED_CUTOFF}, {"unfixed cut-off", IDM_UNFIXED_CUTOFF},
        {"fixed tuples", IDM_FIXED_TUPLES},  {"unfixed tuples", IDM_UNFIXED_TUPLES}};
    // Alphabet recognition starts from its panel's Next button, which attaches the alphabets.
    const auto next = [](Workbench& w) {
        if (w.s.wTaskType != TASK_ALPHABET_RECOGNITION) return w.command(IDM_PROCESS_NEXT);
        const InclusiveRect button = w.layout().nextButton;
        handleClick(w.host, w.s, button.left + 1, button.top + 1);
    };
    for (const auto& [task, taskId] : tasks) {
        for (const auto& [type, typeId] : types) {
            static std::vector<std::string> names;  // the flows' names outlive the table
            names.push_back(std::string("next data, ") + task + ", " + type);
            all.push_back({names.back().c_str(), choose(taskId, typeId), next});
        }
    }
    all.push_back(
        {"small simulation",
         [](Workbench& w) {
             w.command(IDM_DETECTION);
             w.host.queueAnswer(ok(105, {{1000, "200"}, {1001, "40"}, {1003, "181"}}));
             w.host.queueAnswer(ok(110, {{1015, "2"}, {1016, "3"}, {1017, "1"}, {1021, "2"},
                                         {1019, "0"}, {1018, "2"}, {1020, "40"}}));
             w.host.queueAnswer(ok(113, {}, {{1029, true}}));
         },
         [](Workbench& w) { w.command(IDM_STATISTICAL_SIMULATION); }});
    // The panels make their arrays on their first showing, when the window paints them.
    const std::pair<const char*, std::uint16_t> panels[] = {
        {"subset panel", IDM_SELECT_SUBSETS},
        {"alphabet panel", IDM_SELECT_ALPHABETS},
        {"parameters panel", IDM_VIEW_SERIES_PARAMETERS}};
    for (const auto& [panel, commandId] : panels)
        all.push_back({panel, [](Workbench& w) { w.command(IDM_PROCESS_NEXT); },
                       [id = commandId](Workbench& w) {
                           w.command(id);
                           RecordingCanvas canvas;
                           paintWindow(w.host, canvas, w.s);
                       }});
    for (const char* file : {"sweep.bmp", "sweep.pcx"})
        all.push_back({file,
                       [file](Workbench& w) {
                           w.command(IDM_PROCESS_NEXT);
                           w.host.screen = PixelImage(64, 48, Colour{});
                           w.host.queueFileName(::testing::TempDir() + file);
                       },
                       [](Workbench& w) { w.command(IDM_SAVE_IMAGE); }});
    return all;
}

// Runs `flow` with request k failing; returns whether the flow made that many requests.
bool runFailing(const Flow& flow, int k, std::set<std::string>& messages) {
    Workbench w;
    flow.prepare(w);
    w.forget();
    bool reached = false;
    {
        ScopedAllocationFailure fail(k);
        flow.run(w);
        reached = AllocationProbe::requests() >= k;
    }
    if (!reached) return false;
    EXPECT_FALSE(w.host.messages.empty()) << "request " << k << " failed silently";
    for (const RecordedMessage& m : w.host.messages) messages.insert(m.text);
    EXPECT_EQ(fuzz::brokenInvariant(w.s), "") << "request " << k;
    // The workbench still works: the next series is made and processed, or a message says why.
    w.forget();
    w.command(IDM_PROCESS_NEXT);
    EXPECT_TRUE(w.s.lpSeriesHeader != nullptr || !w.host.messages.empty()) << "request " << k;
    EXPECT_EQ(fuzz::brokenInvariant(w.s), "") << "after request " << k;
    return true;
}

TEST(AllocationSweep, EveryFailedRequestIsReportedAndTheWorkbenchGoesOn) {
    std::printf("%-46s %8s %8s\n", "flow", "requests", "messages");
    for (const Flow& flow : flows()) {
        SCOPED_TRACE(flow.name);
        std::set<std::string> messages;
        int k = 1;
        while (runFailing(flow, k, messages)) ++k;
        std::printf("%-46s %8d %8zu\n", flow.name, k - 1, messages.size());
        if (::testing::Test::HasFailure()) return;  // one flow's failures are enough to read
    }
}

TEST(AllocationSweep, StartUpFailsWithAMessageAndCleansUp) {
    std::set<std::string> messages;
    int k = 1;
    for (;; ++k) {
        RecordingHost host;
        ProgramState s;
        {
            ScopedAllocationFailure fail(k);
            startWorkbench(host, s);
            if (AllocationProbe::requests() < k) break;
        }
        EXPECT_FALSE(host.messages.empty()) << "request " << k;
        for (const RecordedMessage& m : host.messages) messages.insert(m.text);
        handleCommand(host, s, IDM_PROCESS_NEXT);
        EXPECT_EQ(fuzz::brokenInvariant(s), "") << "request " << k;
        shutDown(s);
    }
    std::printf("%-46s %8d %8zu\n", "start-up", k - 1, messages.size());
}

}  // namespace
}  // namespace mirovale
