#include "core/processing/interval_list.h"

#include <algorithm>
#include <utility>

#include "core/host/allocation.h"

namespace mirovale {
namespace {

// Removes intervals first..last-1, closing the gap.
void dropIntervals(IntervalList& list, std::size_t first, std::size_t last) {
    if (last <= first) return;
    auto& begins = list.lpIntervalBegins;
    auto& ends = list.lpIntervalEnds;
    const std::size_t count = list.wIntervals;
    std::move(begins.begin() + static_cast<std::ptrdiff_t>(last),
              begins.begin() + static_cast<std::ptrdiff_t>(count),
              begins.begin() + static_cast<std::ptrdiff_t>(first));
    std::move(ends.begin() + static_cast<std::ptrdiff_t>(last),
              ends.begin() + static_cast<std::ptrdiff_t>(count),
              ends.begin() + static_cast<std::ptrdiff_t>(first));
    list.wIntervals = static_cast<std::uint16_t>(count - (last - first));
}

// Opens a free entry at index i (the caller has checked that one is left) and stores [a..b].
void insertInterval(IntervalList& list, std::size_t i, std::uint16_t a, std::uint16_t b) {
    auto& begins = list.lpIntervalBegins;
    auto& ends = list.lpIntervalEnds;
    for (std::size_t k = list.wIntervals; k > i; --k) {
        begins[k] = begins[k - 1];
        ends[k] = ends[k - 1];
    }
    begins[i] = a;
    ends[i] = b;
    ++list.wIntervals;
}

// First j >= from with b < end[j] (which covers b < begin[j]); wIntervals when there is none.
std::size_t firstNotCovered(const IntervalList& list, std::size_t from, std::uint16_t b) {
    std::size_t j = from;
    while (j < list.wIntervals && b >= list.lpIntervalEnds[j]) ++j;
    return j;
}

bool isFull(const IntervalList& list) {
    return list.wIntervals >= list.wMaxIntervals;
}

// The intervals of `source`, copied when they would change under the loop over them.
std::vector<std::pair<std::uint16_t, std::uint16_t>> snapshot(const IntervalList& source) {
    std::vector<std::pair<std::uint16_t, std::uint16_t>> intervals;
    for (std::size_t i = 0; i < source.wIntervals; ++i) {
        intervals.emplace_back(source.lpIntervalBegins[i], source.lpIntervalEnds[i]);
    }
    return intervals;
}

}  // namespace

std::unique_ptr<IntervalList> getIntervalList(std::unique_ptr<IntervalList> list,
                                              std::uint16_t wCapacity) {
    bool hasArrays = list != nullptr;
    if (list && list->wMaxIntervals < wCapacity) {
        list->lpIntervalBegins = {};
        list->lpIntervalEnds = {};
        hasArrays = false;
    }
    if (!list && !tryAllocate([&] { list = std::make_unique<IntervalList>(); })) return nullptr;
    if (!hasArrays) {
        if (!tryAllocate([&] {
                list->lpIntervalBegins.assign(wCapacity, 0);
                list->lpIntervalEnds.assign(wCapacity, 0);
            })) {
            return nullptr;
        }
        list->wMaxIntervals = wCapacity;
    }
    list->wIntervals = 0;
    std::fill(list->lpIntervalBegins.begin(), list->lpIntervalBegins.end(), 0);
    std::fill(list->lpIntervalEnds.begin(), list->lpIntervalEnds.end(), 0);
    return list;
}

std::unique_ptr<IntervalList> freeIntervalList(std::unique_ptr<IntervalList> list) {
    list.reset();
    return nullptr;
}

int addInterval(IntervalList* list, std::uint16_t a, std::uint16_t b) {
    if (list == nullptr || a > b) return 0;
    auto& begins = list->lpIntervalBegins;
    auto& ends = list->lpIntervalEnds;
    for (std::size_t i = 0; i < list->wIntervals; ++i) {
        if (a < begins[i] && b < begins[i]) {  // wholly before interval i
            if (isFull(*list)) return 0;
            insertInterval(*list, i, a, b);
            return 1;
        }
        if (a < begins[i]) {  // starts before interval i and overlaps it
            const std::size_t j = firstNotCovered(*list, i, b);
            if (j < list->wIntervals && begins[j] <= b) {
                ends[i] = ends[j];
                begins[i] = a;
                dropIntervals(*list, i + 1, j + 1);
            } else {
                begins[i] = a;
                ends[i] = b;
                dropIntervals(*list, i + 1, j);
            }
            return 1;
        }
        if (a <= ends[i]) {  // starts inside interval i
            if (b <= ends[i]) return 1;
            const std::size_t j = firstNotCovered(*list, i, b);
            if (j < list->wIntervals && begins[j] <= b) {
                ends[i] = ends[j];
                dropIntervals(*list, i + 1, j + 1);
            } else {
                ends[i] = b;
                dropIntervals(*list, i + 1, j);
            }
            return 1;
        }
    }
    if (isFull(*list)) return 0;
    insertInterval(*list, list->wIntervals, a, b);
    return 1;
}

int addIntervalList(IntervalList* target, const IntervalList* source) {
    if (target == nullptr || source == nullptr) return 0;
    for (const auto& [a, b] : snapshot(*source)) addInterval(target, a, b);
    return 1;
}

int cutInterval(IntervalList* list, std::uint16_t a, std::uint16_t b) {
    if (list == nullptr || a > b) return 0;
    auto& begins = list->lpIntervalBegins;
    auto& ends = list->lpIntervalEnds;
    const auto before = static_cast<std::uint16_t>(a - 1);
    const auto after = static_cast<std::uint16_t>(b + 1);
    // Drops the intervals from `from` on that [..b] covers and trims a partly covered one.
    const auto cutFrom = [&](std::size_t from) {
        const std::size_t j = firstNotCovered(*list, from, b);
        if (j < list->wIntervals && begins[j] <= b) begins[j] = after;
        dropIntervals(*list, from, j);
    };
    for (std::size_t i = 0; i < list->wIntervals; ++i) {
        if (a <= begins[i]) {
            if (b < begins[i]) return 1;
            if (b < ends[i]) {
                begins[i] = after;
                return 1;
            }
            cutFrom(i);
            return 1;
        }
        if (a <= ends[i]) {  // the cut starts inside interval i
            if (b < ends[i]) {
                if (isFull(*list)) return 0;
                const std::uint16_t end = ends[i];
                ends[i] = before;
                insertInterval(*list, i + 1, after, end);
                return 1;
            }
            ends[i] = before;
            cutFrom(i + 1);
            return 1;
        }
    }
    return 1;
}

int cutIntervalList(IntervalList* target, const IntervalList* source) {
    if (target == nullptr || source == nullptr) return 0;
    for (const auto& [a, b] : snapshot(*source)) cutInterval(target, a, b);
    return 1;
}

std::unique_ptr<IntervalList> copyIntervalList(std::unique_ptr<IntervalList> destination,
                                               const IntervalList* source) {
    if (source == nullptr) return nullptr;
    destination = getIntervalList(std::move(destination), source->wMaxIntervals);
    if (!destination) return nullptr;
    destination->wIntervals = source->wIntervals;
    std::copy_n(source->lpIntervalBegins.begin(), source->wIntervals,
                destination->lpIntervalBegins.begin());
    std::copy_n(source->lpIntervalEnds.begin(), source->wIntervals,
                destination->lpIntervalEnds.begin());
    return destination;
}

int clipIntervalList(IntervalList* list, std::uint16_t a, std::uint16_t b) {
    if (list == nullptr || a > b) return 0;
    auto& begins = list->lpIntervalBegins;
    auto& ends = list->lpIntervalEnds;
    std::size_t leading = 0;
    while (leading < list->wIntervals && ends[leading] < a) ++leading;
    dropIntervals(*list, 0, leading);
    for (std::size_t i = 0; i < list->wIntervals; ++i) {
        if (a <= begins[i]) {
            if (b < begins[i]) {
                list->wIntervals = static_cast<std::uint16_t>(i);
                return 1;
            }
            if (b < ends[i]) {
                ends[i] = b;
                list->wIntervals = static_cast<std::uint16_t>(i + 1);
                return 1;
            }
        } else {  // only the first remaining interval can start before a
            begins[i] = a;
            if (b < ends[i]) {
                ends[i] = b;
                list->wIntervals = 1;
                return 1;
            }
        }
    }
    return 1;
}

int intersectIntervalLists(IntervalList* target, const IntervalList* other) {
    if (target == nullptr || other == nullptr) return 0;
    auto saved = copyIntervalList(nullptr, target);
    if (!saved) return 0;
    const auto pieces = snapshot(*other);
    target->wIntervals = 0;
    std::unique_ptr<IntervalList> work;
    for (const auto& [p, q] : pieces) {
        work = copyIntervalList(std::move(work), saved.get());
        if (!work) {  // put the target back as it was
            target->wIntervals = saved->wIntervals;
            std::copy_n(saved->lpIntervalBegins.begin(), saved->wIntervals,
                        target->lpIntervalBegins.begin());
            std::copy_n(saved->lpIntervalEnds.begin(), saved->wIntervals,
                        target->lpIntervalEnds.begin());
            return 0;
        }
        clipIntervalList(work.get(), p, q);
        addIntervalList(target, work.get());
    }
    return 1;
}

}  // namespace mirovale
