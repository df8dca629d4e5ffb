#include "core/processing/interval_list.h"

#include <gtest/gtest.h>

#include <bitset>
#include <random>

#include "core/host/allocation.h"

namespace mirovale {
namespace {

using Intervals = std::vector<std::pair<int, int>>;

std::unique_ptr<IntervalList> listOf(const Intervals& intervals, std::uint16_t capacity) {
    auto list = getIntervalList(nullptr, capacity);
    for (const auto& [a, b] : intervals)
        addInterval(list.get(), static_cast<std::uint16_t>(a), static_cast<std::uint16_t>(b));
    return list;
}

Intervals held(const IntervalList& list) {
    Intervals out;
    for (std::size_t i = 0; i < list.wIntervals; ++i)
        out.emplace_back(list.lpIntervalBegins[i], list.lpIntervalEnds[i]);
    return out;
}

enum class Op { Add, Cut, Clip };

int apply(Op op, IntervalList* list, int a, int b) {
    const auto ua = static_cast<std::uint16_t>(a), ub = static_cast<std::uint16_t>(b);
    return op == Op::Add   ? addInterval(list, ua, ub)
           : op == Op::Cut ? cutInterval(list, ua, ub)
                           : clipIntervalList(list, ua, ub);
}

// The exact lists where the random test below sees only sets of positions: touching intervals
// kept apart, merges, refusals of a full list, bounds at the ends of the range, empty ranges.
TEST(IntervalList, OperationsGiveTheDocumentedLists) {
    const struct {
        int line;
        Op op;
        Intervals before;
        int a, b;
        std::uint16_t capacity;
        int result;
        Intervals after;
    } cases[] = {
        {__LINE__, Op::Add, {{1, 3}}, 4, 4, 8, 1, {{1, 3}, {4, 4}}},  // touching: not merged
        {__LINE__, Op::Add, {{2, 3}, {5, 6}, {30, 40}}, 0, 20, 8, 1, {{0, 20}, {30, 40}}},
        {__LINE__, Op::Add, {{1, 3}, {5, 6}, {30, 40}}, 2, 35, 8, 1, {{1, 40}}},
        {__LINE__, Op::Add, {{1, 3}, {5, 6}, {30, 40}}, 2, 25, 8, 1, {{1, 25}, {30, 40}}},
        {__LINE__, Op::Add, {{1, 3}, {5, 6}}, 0, 5, 8, 1, {{0, 6}}},
        {__LINE__, Op::Add, {{1, 3}, {5, 6}}, 4, 60, 8, 1, {{1, 3}, {4, 60}}},
        {__LINE__, Op::Add, {{3, 4}, {8, 9}}, 0, 1, 2, 0, {{3, 4}, {8, 9}}},  // full: refused
        {__LINE__, Op::Add, {{3, 4}, {8, 9}}, 6, 6, 2, 0, {{3, 4}, {8, 9}}},
        {__LINE__, Op::Add, {{3, 4}, {8, 9}}, 11, 12, 2, 0, {{3, 4}, {8, 9}}},
        {__LINE__, Op::Add, {{3, 4}, {8, 9}}, 2, 8, 2, 1, {{2, 9}}},  // full, but merging
        {__LINE__, Op::Add, {}, 7, 6, 4, 0, {}},
        {__LINE__, Op::Cut, {{1, 10}}, 4, 6, 1, 0, {{1, 10}}},  // a split needs one more entry
        {__LINE__, Op::Cut, {{1, 3}, {5, 8}}, 0, 65535, 4, 1, {}},
        {__LINE__, Op::Cut, {{0, 65535}}, 0, 0, 4, 1, {{1, 65535}}},
        {__LINE__, Op::Clip, {{1, 5}}, 3, 2, 4, 0, {{1, 5}}},
    };
    for (const auto& c : cases) {
        auto list = listOf(c.before, c.capacity);
        EXPECT_EQ(apply(c.op, list.get(), c.a, c.b), c.result) << "line " << c.line;
        EXPECT_EQ(held(*list), c.after) << "line " << c.line;
    }
    auto target = listOf({{0, 10}, {20, 30}}, 4);
    EXPECT_EQ(intersectIntervalLists(target.get(), listOf({{5, 25}}, 4).get()), 1);
    EXPECT_EQ(held(*target), (Intervals{{5, 10}, {20, 25}}));
    EXPECT_EQ(addIntervalList(nullptr, target.get()) + cutIntervalList(target.get(), nullptr) +
                  intersectIntervalLists(target.get(), nullptr) + addInterval(nullptr, 1, 2),
              0);
}

TEST(IntervalList, ReusesLargerArraysAndReleasesTheListWhenAllocationFails) {
    auto list = listOf({{1, 2}, {4, 5}, {7, 9}}, 8);
    const std::uint16_t* storage = list->lpIntervalBegins.data();
    list = getIntervalList(std::move(list), 4);
    EXPECT_EQ(list->wMaxIntervals, 8);
    EXPECT_EQ(list->lpIntervalBegins.data(), storage);
    EXPECT_EQ(list->wIntervals, 0);
    EXPECT_EQ(list->lpIntervalEnds, std::vector<std::uint16_t>(8, 0));
    {
        ScopedAllocationFailure fail(1);  // the arrays of a larger list
        EXPECT_EQ(getIntervalList(std::move(list), 9), nullptr);
    }
    auto target = listOf({{0, 10}, {20, 30}}, 4);
    auto other = listOf({{5, 25}, {27, 28}}, 4);
    for (int k = 1; k <= 4; ++k) {  // the saved copy, then the working copies
        ScopedAllocationFailure fail(k);
        EXPECT_EQ(intersectIntervalLists(target.get(), other.get()), 0) << k;
        EXPECT_EQ(held(*target), (Intervals{{0, 10}, {20, 30}})) << k;
    }
}

// Random operations on short lists against sets of positions: a done operation changes the set
// as it says, a refused one leaves a full list as it was, and lists stay sorted and disjoint.
// An intersection adds its pieces one by one and loses those a full list cannot take.
TEST(IntervalList, AgreesWithSetsOfPositionsUnderRandomOperations) {
    using Set = std::bitset<48>;
    const auto setOf = [](const IntervalList& list) {
        Set s;
        for (const auto& [a, b] : held(list)) {
            for (int t = a; t <= b; ++t) s.set(static_cast<std::size_t>(t));
        }
        return s;
    };
    std::mt19937 rng(20240607);
    for (int round = 0; round < 200; ++round) {
        auto list = getIntervalList(nullptr, static_cast<std::uint16_t>(1 + round % 5));
        auto other = listOf({}, 6);
        for (int step = 0; step < 30; ++step) {
            const int a = static_cast<int>(rng() % 48), b = a + static_cast<int>(rng() % (48u - a));
            const Intervals before = held(*list);
            const Set was = setOf(*list);
            Set range;
            for (int t = a; t <= b; ++t) range.set(static_cast<std::size_t>(t));
            const auto op = static_cast<Op>(rng() % 4 % 3);
            if (rng() % 4 == 0) {  // intersection with a second list
                addInterval(other.get(), static_cast<std::uint16_t>(a),
                            static_cast<std::uint16_t>(b));
                ASSERT_EQ(intersectIntervalLists(list.get(), other.get()), 1);
                // pieces that a full target has no room for are lost
                const Set expected = was & setOf(*other);
                ASSERT_EQ(setOf(*list) & ~expected, Set{});
                ASSERT_TRUE(setOf(*list) == expected || list->wIntervals == list->wMaxIntervals);
            } else if (apply(op, list.get(), a, b) == 1) {
                ASSERT_EQ(setOf(*list), op == Op::Add   ? was | range
                                        : op == Op::Cut ? was & ~range
                                                        : was & range);
            } else {
                ASSERT_EQ(held(*list), before);
                ASSERT_EQ(list->wIntervals, list->wMaxIntervals);
            }
            for (std::size_t i = 0; i < list->wIntervals; ++i) {
                ASSERT_LE(list->lpIntervalBegins[i], list->lpIntervalEnds[i]);
                ASSERT_TRUE(i + 1 == list->wIntervals ||
                            list->lpIntervalEnds[i] < list->lpIntervalBegins[i + 1]);
            }
        }
    }
}

}  // namespace
}  // namespace mirovale
