// The block window minimum against a direct search of every window, over random passes with
// ties, windows clipped at 0, jumps and restarts.

#include "core/processing/window_minimum.h"

#include <gtest/gtest.h>

#include <random>

#include "differential_cases.h"

namespace mirovale {
namespace {

TEST(WindowMinimum, EqualsTheEarliestSmallestOfEveryWindow) {
    const int cases = differential::scaled(400);
    WindowMinimum window;  // reused across passes, as the sweeps do
    for (int k = 0; k < cases; ++k) {
        const std::uint32_t seed = 7100 + static_cast<std::uint32_t>(k);
        SCOPED_TRACE(::testing::Message() << "seed " << seed);
        std::mt19937 rng(seed);
        const std::int64_t starts = 1 + rng() % 200;
        const std::int64_t Tmin = 1 + rng() % 12;
        const std::int64_t Tmax = Tmin + rng() % 30 - (rng() % 10 == 0 ? 5 : 0);
        std::vector<std::int64_t> scores(static_cast<std::size_t>(starts));
        for (auto& s : scores) s = static_cast<std::int64_t>(rng() % 5) - 2;  // ties galore
        const std::int64_t from = static_cast<std::int64_t>(rng() % 3) - 1;
        window.reserve(static_cast<std::size_t>(starts));
        window.restart(Tmax - Tmin + 1);
        std::int64_t previous = -1;
        for (std::int64_t t = static_cast<std::int64_t>(rng() % 5); t < starts;
             t += 1 + (rng() % 6 == 0 ? static_cast<std::int64_t>(rng() % 40) : 0)) {
            if (rng() % 50 == 0) {  // a pass starting over, with scores written meanwhile
                window.restart(Tmax - Tmin + 1);
                for (auto& s : scores) s = static_cast<std::int64_t>(rng() % 5) - 2;
            }
            ASSERT_GT(t, previous);
            previous = t;
            const std::int64_t lo = std::max<std::int64_t>(0, t - Tmax);
            const std::int64_t hi = t - Tmin;
            window.slide(lo, hi,
                         [&](std::int64_t p) { return scores[static_cast<std::size_t>(p)]; });
            WindowMinimum::Best want{from, -1};
            for (std::int64_t p = lo; p <= hi; ++p) {
                if (scores[static_cast<std::size_t>(p)] < want.score) {
                    want = {scores[static_cast<std::size_t>(p)], p};
                }
            }
            const WindowMinimum::Best got = window.below(from);
            ASSERT_EQ(got.start, want.start) << "t " << t;
            ASSERT_EQ(got.score, want.score) << "t " << t;
        }
    }
}

}  // namespace
}  // namespace mirovale
