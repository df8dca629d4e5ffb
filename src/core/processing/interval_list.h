#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace mirovale {

// A sorted list of disjoint closed intervals of 16-bit sample positions: the set of starts at
// which a pulse of some role may lie. For i < wIntervals: begin[i] <= end[i] < begin[i + 1].
// Touching intervals (end[i] + 1 == begin[i + 1]) are not merged. A list never grows: an
// operation that would need more than wMaxIntervals entries is refused and changes nothing.
struct IntervalList {
    std::uint16_t wMaxIntervals = 0;              // capacity of both arrays
    std::uint16_t wIntervals = 0;                 // intervals held, 0..wMaxIntervals
    std::vector<std::uint16_t> lpIntervalBegins;  // [wMaxIntervals] first position of each
    std::vector<std::uint16_t> lpIntervalEnds;    // [wMaxIntervals] last position (inclusive)
};

// Makes an empty list or empties `list`, keeping its arrays when they hold wCapacity entries.
// list      : old list to reuse, or null
// wCapacity : entries wanted; a reused larger list keeps its larger capacity
// returns the list with every entry zeroed; null when the arrays cannot be had (the old list is
// released then). Nothing is reported.
[[nodiscard]] std::unique_ptr<IntervalList> getIntervalList(std::unique_ptr<IntervalList> list,
                                                            std::uint16_t wCapacity);

// Releases `list` (null accepted); returns null for the caller to store back.
std::unique_ptr<IntervalList> freeIntervalList(std::unique_ptr<IntervalList> list);

// Union with [a..b]. Returns 1 when done, 0 for a null list, a > b, or a full list that would
// need one more entry (the list is then unchanged).
int addInterval(IntervalList* list, std::uint16_t a, std::uint16_t b);

// Union with every interval of `source`, in order, ignoring refusals. 0 when either is null.
int addIntervalList(IntervalList* target, const IntervalList* source);

// Difference: removes positions a..b. Returns 1 when done, 0 for a null list, a > b, or a split
// that a full list cannot hold (the list is then unchanged).
int cutInterval(IntervalList* list, std::uint16_t a, std::uint16_t b);

// Removes every interval of `source`, in order, ignoring refusals. 0 when either is null.
int cutIntervalList(IntervalList* target, const IntervalList* source);

// Copies `source` into `destination` (made or reused by getIntervalList with the source's
// capacity). Returns null when the source is null or the arrays cannot be had.
[[nodiscard]] std::unique_ptr<IntervalList> copyIntervalList(
    std::unique_ptr<IntervalList> destination, const IntervalList* source);

// Intersection with [a..b]. Returns 1, or 0 for a null list or a > b.
int clipIntervalList(IntervalList* list, std::uint16_t a, std::uint16_t b);

// target := target ∩ other. Returns 1, or 0 when either is null or a working copy cannot be had
// (the target is then unchanged).
int intersectIntervalLists(IntervalList* target, const IntervalList* other);

}  // namespace mirovale
