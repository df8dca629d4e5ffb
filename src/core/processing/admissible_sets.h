#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "core/host/host.h"
#include "core/processing/interval_list.h"
#include "core/processing/local_fit.h"
#include "core/synthesis/series_header.h"

namespace mirovale {

// The starts a pulse of each role may take in a chain of Kmin..Kmax pulses, as interval lists
// of capacity Kmax (a list that fills up silently loses what does not fit). A list that cannot
// be made is null; checkAdmissibleSets turns that into a refusal, since a missing set would
// silently drop starts and the routine would report a wrong chain as found.
struct AdmissibleSets {
    std::unique_ptr<IntervalList> first;      // F: starts of a first pulse
    std::unique_ptr<IntervalList> later;      // M: starts of every later pulse
    std::unique_ptr<IntervalList> last;       // Z: starts of a last pulse
    std::unique_ptr<IntervalList> fitted;     // F ∪ M: where the local fit is needed
    std::unique_ptr<IntervalList> firstOnly;  // F \ M
    std::unique_ptr<IntervalList> both;       // F ∩ M
    std::unique_ptr<IntervalList> laterOnly;  // M \ F
    // Distinct for every build (0 for sets made otherwise), so that a table laid out for these
    // sets knows them again.
    std::uint64_t build = 0;
};

// Builds the sets for k = wMinPulses..wMaxPulses of the series, intervals added with k
// ascending (and, for M, the pulse index ascending within k), each clipped to the starts
// 0..starts-1 of `view`; an interval left empty is not added.
AdmissibleSets buildAdmissibleSets(const SeriesView& view, std::uint16_t wMinPulses,
                                   std::uint16_t wMaxPulses, std::uint16_t wTmin,
                                   std::uint16_t wTmax);

// buildAdmissibleSets kept by the thread for the next calls with the same series geometry,
// pulse numbers and intervals (a simulation's series share them, and alphabet recognition
// builds them once per alphabet): the sets are valid until the thread's next call. The
// allocation requests the build made are counted again when kept sets serve a call, and a
// request armed to fail among them makes the sets anew, so that a failure shows as it would.
const AdmissibleSets& keptAdmissibleSets(const SeriesView& view, std::uint16_t wMinPulses,
                                         std::uint16_t wMaxPulses, std::uint16_t wTmin,
                                         std::uint16_t wTmax);

// Whether every set could be made. Otherwise shows "Нет памяти для IntervalList!" (no memory for
// the interval lists) without caption or icon, and the routine returns its failure.
[[nodiscard]] bool checkAdmissibleSets(Host& host, const AdmissibleSets& sets);

// A closed window of starts; empty when hi < lo.
struct StartWindow {
    std::int64_t lo = 0;
    std::int64_t hi = -1;
};

// The windows of a chain of K pulses: pulse m in
// [max(m Tmin, N - (K - m) Tmax) .. min((m + 1) Tmax - L, N - L - (K - 1 - m) Tmin)],
// clipped to the starts of `view`.
std::vector<StartWindow> computedWindows(const SeriesView& view, std::uint16_t K,
                                         std::uint16_t wTmin, std::uint16_t wTmax);

// The windows the series carries for its K = wImpulseQuantity pulses (lpMinPositions,
// lpMaxPositions), clipped to the starts of `view`; pulses beyond the arrays get empty windows.
std::vector<StartWindow> seriesWindows(const SeriesView& view, const SeriesHeader& series);

// Visits every position of `list` (null = empty) in ascending order.
template <class Visit>
void forEachPosition(const IntervalList* list, Visit&& visit) {
    if (list == nullptr) return;
    for (std::size_t i = 0; i < list->wIntervals; ++i) {
        for (std::int32_t t = list->lpIntervalBegins[i]; t <= list->lpIntervalEnds[i]; ++t) {
            visit(static_cast<std::size_t>(t));
        }
    }
}

}  // namespace mirovale
