// The window's full repaint into the QtCanvas backbuffer at 1920 x 1080: the result view of a
// processed 1200-sample series of cut-off pulses (joint detection, series type 8), erased and
// drawn afresh, as after " Processing Next Data ".
#include <benchmark/benchmark.h>

#include "core/host/recording_host.h"
#include "core/shell/command_handler.h"
#include "core/shell/commands.h"
#include "core/shell/startup.h"
#include "qt/button_bitmaps.h"
#include "qt/gui_application.h"
#include "qt/window_surface.h"

namespace mirovale {
namespace {

void BM_RepaintResultView(benchmark::State& bench) {
    ensureGuiApplication();
    RecordingHost host;
    host.size = {1920, 1080};
    ProgramState state;
    startWorkbench(host, state);
    for (const std::uint16_t command : {IDM_UNFIXED_CUTOFF, IDM_JOINT_DETECTION, IDM_PROCESS_NEXT})
        handleCommand(host, state, command);
    if (state.dwViewMode != VIEW_RESULTS || !state.lpSeriesHeader ||
        state.lpSeriesHeader->dwSeriesSize != 1200) {
        bench.SkipWithError("no processed 1200-sample series");
        return;
    }
    WindowSurface surface(QSize(1920, 1080), *loadButtonBitmaps(host));
    for (auto _ : bench) {
        surface.invalidate({0, 0, 1920, 1080}, true);
        surface.repaint(host, state);
        benchmark::DoNotOptimize(surface.image().constBits());
    }
}
BENCHMARK(BM_RepaintResultView)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace mirovale
