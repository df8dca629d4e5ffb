#include "core/processing/fit_plan_cache.h"

#include <algorithm>

namespace mirovale {

namespace {

// Whether number names an etalon of the table, and which.
bool inTable(std::int64_t number, const EtalonTable& etalons, std::size_t& index) {
    if (number < 1 || number > static_cast<std::int64_t>(etalons.size())) return false;
    index = static_cast<std::size_t>(number - 1);
    return true;
}

}  // namespace

bool FitPlanCache::holds(const Entry& entry, const EtalonTable& etalons,
                         std::span<const std::int64_t> numbers, std::uint16_t L,
                         std::uint16_t wLevel) {
    if (!entry.valid || entry.L != L || entry.wLevel != wLevel ||
        !std::equal(numbers.begin(), numbers.end(), entry.numbers.begin(), entry.numbers.end()))
        return false;
    // The listed etalons' samples as they were; numbers outside the table name none.
    return std::all_of(numbers.begin(), numbers.end(), [&](std::int64_t number) {
        std::size_t k = 0;
        return !inTable(number, etalons, k) || etalons[k].lpData == entry.etalons[k].lpData;
    });
}

template <class Number>
const FitPlan& FitPlanCache::get(const EtalonTable& etalons, std::span<const Number> numbers,
                                 std::uint16_t L, std::uint16_t wLevel) {
    ++asked_;
    distinct_.clear();
    for (const Number number : numbers) {
        if (std::find(distinct_.begin(), distinct_.end(), number) == distinct_.end())
            distinct_.push_back(number);
    }
    for (Entry& entry : entries_) {
        if (!holds(entry, etalons, distinct_, L, wLevel)) continue;
        entry.used = asked_;
        return entry.plan;
    }
    Entry& entry =
        *std::min_element(entries_.begin(), entries_.end(),
                          [](const Entry& a, const Entry& b) { return a.used < b.used; });
    entry.valid = false;
    entry.used = asked_;
    entry.numbers = distinct_;
    entry.L = L;
    entry.wLevel = wLevel;
    for (const std::int64_t number : distinct_) {
        std::size_t k = 0;
        if (inTable(number, etalons, k)) entry.etalons[k].lpData = etalons[k].lpData;
    }
    entry.plan = makeFitPlan(
        makeFitCandidates(entry.etalons, std::span<const std::int64_t>(distinct_), L, wLevel), L);
    entry.valid = true;
    return entry.plan;
}

template const FitPlan& FitPlanCache::get(const EtalonTable&, std::span<const std::uint16_t>,
                                          std::uint16_t, std::uint16_t);
template const FitPlan& FitPlanCache::get(const EtalonTable&, std::span<const std::int16_t>,
                                          std::uint16_t, std::uint16_t);

bool SubsetPlanCache::holds(const EtalonTable& etalons,
                            std::span<const std::span<const std::uint32_t>> subsets,
                            std::uint16_t L, std::uint16_t wLevel) const {
    if (!valid_ || L_ != L || wLevel_ != wLevel || subsets_.size() != subsets.size()) return false;
    for (std::size_t k = 0; k < subsets.size(); ++k) {
        if (!std::equal(subsets[k].begin(), subsets[k].end(), subsets_[k].begin(),
                        subsets_[k].end()))
            return false;
        for (const std::uint32_t number : subsets[k]) {
            std::size_t e = 0;
            if (inTable(number, etalons, e) && etalons[e].lpData != etalons_[e].lpData)
                return false;
        }
    }
    return true;
}

const SubsetPlanCache::Prepared& SubsetPlanCache::get(
    const EtalonTable& etalons, std::span<const std::span<const std::uint32_t>> subsets,
    std::uint16_t L, std::uint16_t wLevel) {
    if (holds(etalons, subsets, L, wLevel)) return prepared_;
    valid_ = false;
    subsets_.clear();
    for (const auto subset : subsets) subsets_.emplace_back(subset.begin(), subset.end());
    L_ = L;
    wLevel_ = wLevel;
    prepared_.members.clear();
    prepared_.plans.clear();
    for (const auto subset : subsets) {
        for (const std::uint32_t number : subset) {
            std::size_t e = 0;
            if (inTable(number, etalons, e)) etalons_[e].lpData = etalons[e].lpData;
        }
        prepared_.members.push_back(makeSubsetCandidates(etalons_, subset, L, wLevel));
        std::vector<FitPlan>& plans = prepared_.plans.emplace_back();
        for (const FitCandidate& member : prepared_.members.back())
            plans.push_back(makeFitPlan(std::span(&member, 1), L));
    }
    valid_ = true;
    return prepared_;
}

}  // namespace mirovale
