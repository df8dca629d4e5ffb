#include "core/processing/unknown_number_sweep.h"

#include <algorithm>
#include <array>

#include "core/processing/admissible_sets.h"

namespace mirovale {
namespace {

// One pass that continues chains over `layers` layers with windows[l] the window over the layer
// before layer l: `restart` says whether a start with no negative predecessor starts a chain
// (F ∩ M) or continues from U (M \ F).
template <class Windows>
void continueChains(LayerTable& table, std::size_t layers, Windows& windows,
                    const IntervalList* list, const PassSettings& settings, bool restart) {
    const std::int64_t width = std::int64_t{settings.wTmax} - settings.wTmin + 1;
    for (std::size_t l = 0; l < layers; ++l) windows[l].restart(width);
    const std::int64_t from = restart ? 0 : settings.unreachable;
    std::int64_t previous = -1;
    forEachPosition(list, [&](std::size_t start) {
        const auto t = static_cast<std::int64_t>(start);
        if (t < previous) {
            for (std::size_t l = 0; l < layers; ++l) windows[l].restart(width);
        }
        previous = t;
        const std::int64_t lo = std::max<std::int64_t>(0, t - settings.wTmax);
        const std::int64_t hi = t - settings.wTmin;
        for (std::size_t l = 0; l < layers; ++l) {
            const std::vector<ChainCell>& before = table.layers[l == 0 ? layers - 1 : l - 1];
            WindowMinimum& window = windows[l];
            window.slide(lo, hi,
                         [&](std::int64_t p) { return before[static_cast<std::size_t>(p)].score; });
            const WindowMinimum::Best best = window.below(from);
            ChainCell& cell = table.layers[l][start];
            if (best.start >= 0) {
                cell.score = best.score + cell.local;
                cell.back = static_cast<std::int32_t>(best.start);
            } else if (!restart) {
                cell.score = settings.unreachable + cell.local;
                cell.back = -2;
            } else if (l == 0) {
                cell.score = cell.local;
                cell.back = -1;
            } else {
                cell.score = settings.unreachable;
                cell.back = -2;
            }
        }
    });
}

void sweepContinuations(LayerTable& table, const IntervalList* list, const PassSettings& settings,
                        SweepWork& work, bool restart) {
    const std::size_t layers = table.layers.size();
    if (settings.wTmin == 0) {
        // A window that reaches its own start reads scores the pass is still writing: the
        // direct search keeps to the order of the definition.
        PassSettings prefitted = settings;
        prefitted.prefitted = true;
        (restart ? passBoth : passLaterOnly)(table, SeriesView{}, list, {}, prefitted);
        return;
    }
    if (work.windows.size() < layers) work.windows.resize(layers);
    if (layers == 1) {
        // One layer, as plain detection has: the window's bookkeeping stays in registers.
        std::array<WindowMinimum, 1> single{std::move(work.windows[0])};
        continueChains(table, 1, single, list, settings, restart);
        work.windows[0] = std::move(single[0]);
    } else {
        continueChains(table, layers, work.windows, list, settings, restart);
    }
}

}  // namespace

void reserveSweepWork(SweepWork& work, std::size_t layers, std::size_t starts, std::uint16_t L) {
    reserveFitSweep(work.fit, L, starts);
    work.fits.reserve(starts);
    work.windows.resize(layers);
    for (WindowMinimum& window : work.windows) window.reserve(starts);
}

void fitLayer(LayerTable& table, std::size_t layer, const SeriesView& view,
              const IntervalList* list, const FitPlan& plan, SweepWork& work) {
    if (list == nullptr) return;
    std::vector<ChainCell>& cells = table.layers[layer];
    for (std::size_t i = 0; i < list->wIntervals; ++i) {
        const std::size_t begin = list->lpIntervalBegins[i];
        const std::size_t end = list->lpIntervalEnds[i];
        // Grown only (within what reserveSweepWork reserved), never cleared for an interval.
        if (work.fits.size() < end - begin + 1) work.fits.resize(end - begin + 1);
        const std::span<LocalFit> fits = std::span(work.fits).first(end - begin + 1);
        fitStarts(plan, view, begin, fits, work.fit);
        for (std::size_t t = begin; t <= end; ++t) {
            const LocalFit& fit = fits[t - begin];
            ChainCell& cell = cells[t];
            cell.local = fit.score;
            cell.etalonIndex = fit.etalonIndex;
            cell.begin = fit.begin;
            cell.end = fit.end;
        }
    }
}

void sweepFirstOnly(LayerTable& table, const IntervalList* list) {
    forEachPosition(list, [&](std::size_t t) {
        ChainCell& cell = table.layers[0][t];
        cell.score = cell.local;
        cell.back = -1;
    });
}

void sweepBoth(LayerTable& table, const IntervalList* list, const PassSettings& settings,
               SweepWork& work) {
    sweepContinuations(table, list, settings, work, true);
}

void sweepLaterOnly(LayerTable& table, const IntervalList* list, const PassSettings& settings,
                    SweepWork& work) {
    sweepContinuations(table, list, settings, work, false);
}

PulseChain traceSettledChain(const LayerTable& table, const ChainEnd& end, const SeriesView& view,
                             std::span<const FitPlan> layerPlans) {
    PulseChain chain = traceChain(table, end);
    // The chain steps one layer back per pulse from the end's layer.
    const std::size_t layers = table.layers.size();
    for (std::size_t k = 0; k < chain.size(); ++k) {
        const std::size_t back = (chain.size() - 1 - k) % layers;
        const std::size_t layer = (end.layer + layers - back) % layers;
        ChainPulse& pulse = chain[k];
        if (pulse.begin != kUnsettled) continue;  // a cell no pass fitted keeps its piece
        const LocalFit fit = settleFit(layerPlans[layer], view,
                                       static_cast<std::size_t>(pulse.position), pulse.etalon - 1);
        pulse.begin = fit.begin;
        pulse.end = fit.end;
    }
    return chain;
}

}  // namespace mirovale
