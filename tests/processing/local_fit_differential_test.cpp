// The block sweep of the local fit, and the pieces settled after it, against the literal
// enumeration of every etalon and piece, start by start, on random etalons and series built to
// make ties frequent.

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "core/processing/local_fit.h"
#include "core/processing/local_fit_sweep.h"
#include "differential_cases.h"

namespace mirovale {
namespace {

// Samples from a small alphabet of values, so that equal scores come up often.
std::int16_t drawSample(std::mt19937& rng, int amplitude, bool sparse) {
    return sparse && rng() % 3 == 0 ? std::int16_t{0} : differential::coarse(rng, amplitude);
}

struct FitCase {
    EtalonTable etalons{};
    std::vector<std::uint16_t> list;
    std::uint16_t L = 0;
    std::uint16_t level = 0;
    std::vector<std::int16_t> x;
};

FitCase drawFitCase(std::mt19937& rng) {
    FitCase c;
    c.L = static_cast<std::uint16_t>(1 + rng() % 24);
    c.level = std::array<std::uint16_t, 6>{0, 1, 50, 75, 99, 100}[rng() % 6];
    const bool extreme = rng() % 8 == 0;
    // Up to 181 the sweep multiplies-adds pairs of 16-bit words; 300 keeps to 32-bit sums
    // without; 32767 needs 64-bit ones.
    const int amplitude = extreme ? 32767 : std::array{1, 2, 3, 40, 300}[rng() % 5];
    const bool sparse = rng() % 2 == 0;
    for (auto& etalon : c.etalons) {
        for (std::size_t j = 0; j < c.L; ++j)
            etalon.lpData.push_back(drawSample(rng, amplitude, sparse));
    }
    c.etalons[1].lpData = c.etalons[0].lpData;  // twins: every fit of one is a fit of the other
    for (std::size_t n = 1 + rng() % 6; c.list.size() < n;) {
        c.list.push_back(static_cast<std::uint16_t>(1 + rng() % 5));  // repeats allowed
    }
    c.x.resize(c.L + rng() % 300);
    for (auto& v : c.x)
        v = extreme && rng() % 2 ? (rng() % 2 ? 32767 : -32768)
                                 : drawSample(rng, amplitude, sparse);
    return c;
}

std::string text(const LocalFit& f) {
    return std::to_string(f.score) + " (" + std::to_string(f.etalonIndex) + ") [" +
           std::to_string(f.begin) + ".." + std::to_string(f.end) + "]";
}

TEST(LocalFitSweep, EqualsTheLiteralFitAtEveryStart) {
    const int cases = differential::scaled(2000);
    FitSweepBuffers buffers;  // reused across cases, as the routines do across plans
    for (int k = 0; k < cases; ++k) {
        buffers.forget();  // each case is a new series
        const std::uint32_t seed = 9000 + static_cast<std::uint32_t>(k);
        SCOPED_TRACE(::testing::Message() << "seed " << seed);
        std::mt19937 rng(seed);
        const FitCase c = drawFitCase(rng);
        const SeriesView view{c.x, c.L, c.x.size() - c.L + 1};
        const std::vector<FitCandidate> candidates =
            makeFitCandidates(c.etalons, std::span<const std::uint16_t>(c.list), c.L, c.level);
        const FitPlan plan = makeFitPlan(candidates, c.L);
        // A random sub-range, so that blocks start anywhere and end part-filled.
        const std::size_t first = rng() % view.starts;
        std::vector<LocalFit> got(1 + rng() % (view.starts - first));
        for (const SweepKernels kernels :
             {SweepKernels::Widest, SweepKernels::UpToAvx2, SweepKernels::Baseline}) {
            SCOPED_TRACE(::testing::Message() << "kernels " << static_cast<int>(kernels));
            fitStarts(plan, view, first, got, buffers, kernels);
            // The same fits written a row apart, as the chain lanes take them.
            std::vector<std::int32_t> rows(2 * got.size());
            fitStarts(plan, view, first, got.size(), FitOut{nullptr, &rows[0], &rows[1], 2},
                      buffers, kernels);
            for (std::size_t i = 0; i < got.size(); ++i) {
                const std::size_t t = first + i;
                ASSERT_TRUE(rows[2 * i] == static_cast<std::int32_t>(got[i].score) &&
                            rows[2 * i + 1] == got[i].etalonIndex)
                    << "start " << t << ", in rows";
                const LocalFit want = fitAt(view, t, candidates);
                ASSERT_TRUE(got[i].score == want.score && got[i].etalonIndex == want.etalonIndex)
                    << "start " << t << ": got " << text(got[i]) << ", want " << text(want);
                ASSERT_EQ(text(settleFit(plan, view, t, got[i].etalonIndex)), text(want))
                    << "start " << t;
            }
        }
    }
}

// No candidates: every start holds the unreachable score over the whole length.
TEST(LocalFitSweep, WithoutCandidatesEveryStartIsUnreachable) {
    const std::vector<std::int16_t> x(30, 5);
    const SeriesView view{x, 4, 27};
    FitSweepBuffers buffers;
    std::vector<LocalFit> got(27);
    fitStarts(makeFitPlan({}, 4), view, 0, got, buffers);
    for (const LocalFit& fit : got) EXPECT_EQ(text(fit), "99999999 (0) [0..3]");
}

}  // namespace
}  // namespace mirovale
