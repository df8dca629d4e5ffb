#include "core/processing/admissible_sets.h"

#include <atomic>

#include <algorithm>
#include <array>
#include <utility>

#include "core/host/allocation.h"

namespace mirovale {
namespace {

// Adds [lo..hi] clipped to the starts of the view; nothing when it is left empty.
void addClipped(IntervalList* list, const SeriesView& view, std::int64_t lo, std::int64_t hi) {
    if (view.starts == 0) return;
    lo = std::max<std::int64_t>(lo, 0);
    hi = std::min<std::int64_t>(hi, static_cast<std::int64_t>(view.starts) - 1);
    if (hi < lo) return;
    addInterval(list, static_cast<std::uint16_t>(lo), static_cast<std::uint16_t>(hi));
}

StartWindow clipped(const SeriesView& view, std::int64_t lo, std::int64_t hi) {
    return {std::max<std::int64_t>(lo, 0),
            std::min<std::int64_t>(hi, static_cast<std::int64_t>(view.starts) - 1)};
}

}  // namespace

AdmissibleSets buildAdmissibleSets(const SeriesView& view, std::uint16_t wMinPulses,
                                   std::uint16_t wMaxPulses, std::uint16_t wTmin,
                                   std::uint16_t wTmax) {
    static std::atomic<std::uint64_t> builds{0};
    AdmissibleSets sets;
    sets.build = ++builds;
    sets.first = getIntervalList(nullptr, wMaxPulses);
    sets.later = getIntervalList(nullptr, wMaxPulses);
    sets.last = getIntervalList(nullptr, wMaxPulses);
    const auto n = static_cast<std::int64_t>(view.x.size());
    const std::int64_t L = view.L;
    const std::int64_t tmin = wTmin;
    const std::int64_t tmax = wTmax;
    for (std::int64_t k = wMinPulses; k <= wMaxPulses; ++k) {
        addClipped(sets.first.get(), view, std::max<std::int64_t>(0, n - k * tmax),
                   std::min(tmax - L, n - L - (k - 1) * tmin));
        for (std::int64_t j = 1; j <= k - 1; ++j) {
            addClipped(sets.later.get(), view, std::max(j * tmin, n - (k - j) * tmax),
                       std::min((j + 1) * tmax - L, n - L - (k - 1 - j) * tmin));
        }
        addClipped(sets.last.get(), view, std::max((k - 1) * tmin, n - tmax),
                   std::min(k * tmax - L, n - L));
    }
    sets.fitted = copyIntervalList(nullptr, sets.first.get());
    addIntervalList(sets.fitted.get(), sets.later.get());
    sets.firstOnly = copyIntervalList(nullptr, sets.first.get());
    cutIntervalList(sets.firstOnly.get(), sets.later.get());
    sets.both = copyIntervalList(nullptr, sets.first.get());
    if (!intersectIntervalLists(sets.both.get(), sets.later.get())) sets.both.reset();
    sets.laterOnly = copyIntervalList(nullptr, sets.later.get());
    cutIntervalList(sets.laterOnly.get(), sets.first.get());
    return sets;
}

const AdmissibleSets& keptAdmissibleSets(const SeriesView& view, std::uint16_t wMinPulses,
                                         std::uint16_t wMaxPulses, std::uint16_t wTmin,
                                         std::uint16_t wTmax) {
    struct Kept {
        bool valid = false;
        std::array<std::int64_t, 7> key{};
        int requests = 0;  // the allocation requests the build made
        AdmissibleSets sets;
    };
    thread_local Kept kept;
    const std::array<std::int64_t, 7> key{static_cast<std::int64_t>(view.x.size()),
                                          view.L,
                                          static_cast<std::int64_t>(view.starts),
                                          wMinPulses,
                                          wMaxPulses,
                                          wTmin,
                                          wTmax};
    if (kept.valid && kept.key == key && !AllocationProbe::armedWithin(kept.requests)) {
        AllocationProbe::countServed(kept.requests);
        return kept.sets;
    }
    const int before = AllocationProbe::requests();
    AdmissibleSets made = buildAdmissibleSets(view, wMinPulses, wMaxPulses, wTmin, wTmax);
    const int requests = AllocationProbe::requests() - before;
    if (!(made.first && made.later && made.last && made.fitted && made.firstOnly && made.both &&
          made.laterOnly)) {
        // Sets a failed request left out are not kept (the next call tries again), nor do they
        // replace the kept ones, which earlier calls may still read.
        thread_local AdmissibleSets failed;
        failed = std::move(made);
        return failed;
    }
    kept = {true, key, requests, std::move(made)};
    return kept.sets;
}

bool checkAdmissibleSets(Host& host, const AdmissibleSets& sets) {
    if (sets.first && sets.later && sets.last && sets.fitted && sets.firstOnly && sets.both &&
        sets.laterOnly) {
        return true;
    }
    host.messageBox("Нет памяти для IntervalList!", "", MessageIcon::None);
    return false;
}

std::vector<StartWindow> computedWindows(const SeriesView& view, std::uint16_t K,
                                         std::uint16_t wTmin, std::uint16_t wTmax) {
    const auto n = static_cast<std::int64_t>(view.x.size());
    const std::int64_t L = view.L;
    const std::int64_t tmin = wTmin;
    const std::int64_t tmax = wTmax;
    std::vector<StartWindow> windows;
    for (std::int64_t m = 0; m < K; ++m) {
        windows.push_back(clipped(view, std::max(m * tmin, n - (K - m) * tmax),
                                  std::min((m + 1) * tmax - L, n - L - (K - 1 - m) * tmin)));
    }
    return windows;
}

std::vector<StartWindow> seriesWindows(const SeriesView& view, const SeriesHeader& series) {
    std::vector<StartWindow> windows;
    for (std::size_t m = 0; m < series.wImpulseQuantity; ++m) {
        if (m < series.lpMinPositions.size() && m < series.lpMaxPositions.size()) {
            windows.push_back(clipped(view, series.lpMinPositions[m], series.lpMaxPositions[m]));
        } else {
            windows.push_back({});
        }
    }
    return windows;
}

}  // namespace mirovale
