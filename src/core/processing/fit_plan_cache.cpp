#include "core/processing/fit_plan_cache.h"

#include <algorithm>

namespace mirovale {

template <class Number>
bool FitPlanCache::holds(const Entry& entry, const EtalonTable& etalons,
                         std::span<const Number> numbers, std::uint16_t L, std::uint16_t wLevel) {
    if (!entry.valid || entry.L != L || entry.wLevel != wLevel ||
        !std::equal(numbers.begin(), numbers.end(), entry.numbers.begin(), entry.numbers.end(),
                    [](Number a, std::int64_t b) { return static_cast<std::int64_t>(a) == b; }))
        return false;
    // The listed etalons' samples as they were; numbers outside the table name none.
    return std::all_of(numbers.begin(), numbers.end(), [&](Number number) {
        const auto value = static_cast<std::int64_t>(number);
        if (value < 1 || value > static_cast<std::int64_t>(etalons.size())) return true;
        const auto k = static_cast<std::size_t>(value - 1);
        return etalons[k].lpData == entry.etalons[k].lpData;
    });
}

template <class Number>
const FitPlanCache::Prepared& FitPlanCache::get(const EtalonTable& etalons,
                                                std::span<const Number> numbers, std::uint16_t L,
                                                std::uint16_t wLevel) {
    ++asked_;
    for (Entry& entry : entries_) {
        if (!holds(entry, etalons, numbers, L, wLevel)) continue;
        entry.used = asked_;
        return entry.prepared;
    }
    Entry& entry = *std::min_element(entries_.begin(), entries_.end(),
                                     [](const Entry& a, const Entry& b) { return a.used < b.used; });
    entry.valid = false;
    entry.used = asked_;
    entry.numbers.assign(numbers.begin(), numbers.end());
    entry.L = L;
    entry.wLevel = wLevel;
    for (const Number number : numbers) {
        const auto value = static_cast<std::int64_t>(number);
        if (value < 1 || value > static_cast<std::int64_t>(etalons.size())) continue;
        const auto k = static_cast<std::size_t>(value - 1);
        entry.etalons[k].lpData = etalons[k].lpData;
    }
    entry.prepared.candidates = makeFitCandidates(entry.etalons, numbers, L, wLevel);
    entry.prepared.plan = makeFitPlan(entry.prepared.candidates, L);
    entry.valid = true;
    return entry.prepared;
}

template const FitPlanCache::Prepared& FitPlanCache::get(const EtalonTable&,
                                                         std::span<const std::uint16_t>,
                                                         std::uint16_t, std::uint16_t);
template const FitPlanCache::Prepared& FitPlanCache::get(const EtalonTable&,
                                                         std::span<const std::int16_t>,
                                                         std::uint16_t, std::uint16_t);

}  // namespace mirovale
