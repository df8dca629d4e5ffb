#include "core/processing/interval_list.h"

#include <gtest/gtest.h>

#include <bitset>
#include <random>
#include <utility>
#include <vector>

#include "core/host/allocation.h"

namespace mirovale {
namespace {

using Intervals = std::vector<std::pair<int, int>>;

std::unique_ptr<IntervalList> listOf(const Intervals& intervals, std::uint16_t capacity) {
    auto list = getIntervalList(nullptr, capacity);
    for (std::size_t i = 0; i < intervals.size(); ++i) {
        list->lpIntervalBegins[i] = static_cast<std::uint16_t>(intervals[i].first);
        list->lpIntervalEnds[i] = static_cast<std::uint16_t>(intervals[i].second);
    }
    list->wIntervals = static_cast<std::uint16_t>(intervals.size());
    return list;
}

Intervals held(const IntervalList& list) {
    Intervals out;
    for (std::size_t i = 0; i < list.wIntervals; ++i) {
        out.emplace_back(list.lpIntervalBegins[i], list.lpIntervalEnds[i]);
    }
    return out;
}

enum class Op { Add, Cut, Clip };

int apply(Op op, IntervalList* list, int a, int b) {
    const auto ua = static_cast<std::uint16_t>(a);
    const auto ub = static_cast<std::uint16_t>(b);
    switch (op) {
        case Op::Add:
            return addInterval(list, ua, ub);
        case Op::Cut:
            return cutInterval(list, ua, ub);
        case Op::Clip:
            return clipIntervalList(list, ua, ub);
    }
    return -1;
}

TEST(IntervalList, OperationsGiveTheDocumentedLists) {
    struct Case {
        int line;
        Op op;
        Intervals before;
        int a, b;
        std::uint16_t capacity;
        int result;
        Intervals after;
    } cases[] = {
        {__LINE__, Op::Add, {{1, 3}, {12, 15}}, 5, 9, 8, 1, {{1, 3}, {5, 9}, {12, 15}}},
        // touching intervals are not merged
        {__LINE__, Op::Add, {{1, 3}}, 4, 4, 8, 1, {{1, 3}, {4, 4}}},
        {__LINE__, Op::Add, {{5, 6}}, 0, 4, 8, 1, {{0, 4}, {5, 6}}},
        {__LINE__, Op::Add, {{2, 3}, {5, 6}, {30, 40}}, 0, 20, 8, 1, {{0, 20}, {30, 40}}},
        {__LINE__, Op::Add, {{1, 3}, {5, 6}, {30, 40}}, 2, 35, 8, 1, {{1, 40}}},
        {__LINE__, Op::Add, {{1, 3}, {5, 6}, {30, 40}}, 2, 25, 8, 1, {{1, 25}, {30, 40}}},
        {__LINE__, Op::Add, {{1, 3}, {5, 6}}, 0, 5, 8, 1, {{0, 6}}},
        {__LINE__, Op::Add, {{1, 3}, {5, 6}}, 2, 3, 8, 1, {{1, 3}, {5, 6}}},
        {__LINE__, Op::Add, {{1, 3}, {5, 6}}, 4, 60, 8, 1, {{1, 3}, {4, 60}}},
        // a full list refuses a separate interval, before, between and after
        {__LINE__, Op::Add, {{3, 4}, {8, 9}}, 0, 1, 2, 0, {{3, 4}, {8, 9}}},
        {__LINE__, Op::Add, {{3, 4}, {8, 9}}, 6, 6, 2, 0, {{3, 4}, {8, 9}}},
        {__LINE__, Op::Add, {{3, 4}, {8, 9}}, 11, 12, 2, 0, {{3, 4}, {8, 9}}},
        // ...but still merges
        {__LINE__, Op::Add, {{3, 4}, {8, 9}}, 2, 8, 2, 1, {{2, 9}}},
        {__LINE__, Op::Add, {}, 7, 6, 4, 0, {}},
        {__LINE__, Op::Cut, {{3, 3}}, 3, 3, 4, 1, {}},
        {__LINE__, Op::Cut, {{1, 5}}, 5, 5, 4, 1, {{1, 4}}},
        {__LINE__, Op::Cut, {{1, 10}}, 4, 6, 4, 1, {{1, 3}, {7, 10}}},
        {__LINE__, Op::Cut, {{1, 10}}, 4, 6, 1, 0, {{1, 10}}},
        {__LINE__, Op::Cut, {{1, 3}, {5, 8}, {10, 12}}, 2, 10, 4, 1, {{1, 1}, {11, 12}}},
        {__LINE__, Op::Cut, {{1, 3}, {5, 8}, {10, 12}}, 0, 9, 4, 1, {{10, 12}}},
        {__LINE__, Op::Cut, {{1, 3}, {5, 8}}, 0, 65535, 4, 1, {}},
        {__LINE__, Op::Cut, {{0, 65535}}, 0, 0, 4, 1, {{1, 65535}}},
        {__LINE__, Op::Cut, {{1, 3}}, 4, 9, 4, 1, {{1, 3}}},
        {__LINE__, Op::Clip, {{1, 5}, {8, 12}}, 5, 9, 4, 1, {{5, 5}, {8, 9}}},
        {__LINE__, Op::Clip, {{1, 5}, {8, 12}}, 13, 20, 4, 1, {}},
        {__LINE__, Op::Clip, {{1, 5}, {8, 12}}, 0, 0, 4, 1, {}},
        {__LINE__, Op::Clip, {{1, 5}, {8, 12}}, 2, 3, 4, 1, {{2, 3}}},
        {__LINE__, Op::Clip, {{1, 5}, {8, 12}}, 0, 100, 4, 1, {{1, 5}, {8, 12}}},
        {__LINE__, Op::Clip, {{1, 5}}, 3, 2, 4, 0, {{1, 5}}},
    };
    for (const Case& c : cases) {
        auto list = listOf(c.before, c.capacity);
        EXPECT_EQ(apply(c.op, list.get(), c.a, c.b), c.result) << "line " << c.line;
        EXPECT_EQ(held(*list), c.after) << "line " << c.line;
    }
}

TEST(IntervalList, IntersectsAndCombinesWholeLists) {
    auto target = listOf({{0, 10}, {20, 30}}, 4);
    auto other = listOf({{5, 25}}, 4);
    EXPECT_EQ(intersectIntervalLists(target.get(), other.get()), 1);
    EXPECT_EQ(held(*target), (Intervals{{5, 10}, {20, 25}}));

    auto many = listOf({{0, 2}, {4, 40}}, 4);
    auto pieces = listOf({{1, 5}, {7, 7}, {9, 50}}, 4);
    EXPECT_EQ(intersectIntervalLists(many.get(), pieces.get()), 1);
    EXPECT_EQ(held(*many), (Intervals{{1, 2}, {4, 5}, {7, 7}, {9, 40}}));

    auto sum = listOf({{0, 2}}, 4);
    EXPECT_EQ(addIntervalList(sum.get(), pieces.get()), 1);
    EXPECT_EQ(held(*sum), (Intervals{{0, 5}, {7, 7}, {9, 50}}));
    EXPECT_EQ(cutIntervalList(sum.get(), pieces.get()), 1);
    EXPECT_EQ(held(*sum), (Intervals{{0, 0}}));

    EXPECT_EQ(addIntervalList(nullptr, sum.get()), 0);
    EXPECT_EQ(cutIntervalList(sum.get(), nullptr), 0);
    EXPECT_EQ(intersectIntervalLists(sum.get(), nullptr), 0);
    EXPECT_EQ(addInterval(nullptr, 1, 2), 0);
    EXPECT_EQ(copyIntervalList(std::move(sum), nullptr), nullptr);
}

TEST(IntervalList, ReusesLargerArraysAndZeroesEveryEntry) {
    auto list = listOf({{1, 2}, {4, 5}, {7, 9}}, 8);
    const std::uint16_t* storage = list->lpIntervalBegins.data();
    list = getIntervalList(std::move(list), 4);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->wMaxIntervals, 8);
    EXPECT_EQ(list->wIntervals, 0);
    EXPECT_EQ(list->lpIntervalBegins.data(), storage);
    EXPECT_EQ(list->lpIntervalBegins, std::vector<std::uint16_t>(8, 0));
    EXPECT_EQ(list->lpIntervalEnds, std::vector<std::uint16_t>(8, 0));

    list = getIntervalList(std::move(list), 12);
    EXPECT_EQ(list->wMaxIntervals, 12);
    EXPECT_EQ(list->lpIntervalEnds.size(), 12u);

    auto copy = copyIntervalList(nullptr, listOf({{3, 4}}, 6).get());
    EXPECT_EQ(copy->wMaxIntervals, 6);
    EXPECT_EQ(held(*copy), (Intervals{{3, 4}}));
    EXPECT_EQ(freeIntervalList(std::move(copy)), nullptr);
}

TEST(IntervalList, AllocationFailureReleasesTheOldListAndIntersectionKeepsTheTarget) {
    {
        auto small = listOf({{1, 2}}, 2);
        ScopedAllocationFailure fail(1);  // the arrays of a larger list
        EXPECT_EQ(getIntervalList(std::move(small), 5), nullptr);
    }
    {
        ScopedAllocationFailure fail(1);  // the record itself
        EXPECT_EQ(getIntervalList(nullptr, 5), nullptr);
    }
    auto target = listOf({{0, 10}, {20, 30}}, 4);
    auto other = listOf({{5, 25}, {27, 28}}, 4);
    for (int k = 1; k <= 4; ++k) {
        ScopedAllocationFailure fail(k);  // the saved copy, then the working copies
        EXPECT_EQ(intersectIntervalLists(target.get(), other.get()), 0) << k;
        EXPECT_EQ(held(*target), (Intervals{{0, 10}, {20, 30}})) << k;
    }
}

// Random operations on a short list against a set of positions: a done operation changes the
// set as the operation says, a refused one leaves the list as it was, and the list stays sorted
// and disjoint.
TEST(IntervalList, AgreesWithASetOfPositionsUnderRandomOperations) {
    constexpr int kPositions = 48;
    using Set = std::bitset<kPositions>;
    const auto setOf = [](const IntervalList& list) {
        Set s;
        for (std::size_t i = 0; i < list.wIntervals; ++i) {
            for (int t = list.lpIntervalBegins[i]; t <= list.lpIntervalEnds[i]; ++t) s.set(t);
        }
        return s;
    };
    std::mt19937 rng(20240607);
    for (int round = 0; round < 200; ++round) {
        auto list = getIntervalList(nullptr, static_cast<std::uint16_t>(1 + round % 5));
        Set model;
        for (int step = 0; step < 30; ++step) {
            const auto op = static_cast<Op>(rng() % 3);
            int a = static_cast<int>(rng() % kPositions);
            int b = static_cast<int>(rng() % kPositions);
            if (a > b) std::swap(a, b);
            const Intervals before = held(*list);
            const int result = apply(op, list.get(), a, b);
            Set range;
            for (int t = a; t <= b; ++t) range.set(t);
            if (result == 1) {
                if (op == Op::Add) model |= range;
                if (op == Op::Cut) model &= ~range;
                if (op == Op::Clip) model &= range;
            } else {
                EXPECT_EQ(held(*list), before);
                EXPECT_EQ(list->wIntervals, list->wMaxIntervals);
            }
            ASSERT_EQ(setOf(*list), model) << "round " << round << " step " << step;
            for (std::size_t i = 0; i < list->wIntervals; ++i) {
                ASSERT_LE(list->lpIntervalBegins[i], list->lpIntervalEnds[i]);
                if (i + 1 < list->wIntervals) {
                    ASSERT_LT(list->lpIntervalEnds[i], list->lpIntervalBegins[i + 1]);
                }
            }
        }
    }
}

}  // namespace
}  // namespace mirovale
