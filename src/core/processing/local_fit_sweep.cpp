#include "core/processing/local_fit_sweep.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

#include "core/processing/sentinels.h"

// The sweeps are plain loops over a block of starts that the compiler vectorises; on x86-64 they
// are also built for AVX2 and chosen at run time, the baseline build staying the fallback.
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define MIROVALE_SWEEP_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define MIROVALE_SWEEP_CLONES
#endif

namespace mirovale {
namespace {

// Starts fitted side by side; the per-start state of one block lives in arrays of this length.
constexpr std::size_t kBlock = 64;

// The best fit of every start of a block over the entries swept so far.
struct BlockBest {
    std::int64_t score[kBlock];
    std::int32_t etalon[kBlock];
    std::int32_t begin[kBlock];
    std::int32_t end[kBlock];
};

// Sweeps one entry over the block at x0 (kBlock + L samples readable) in arithmetic of type V
// and merges its fits into `best` (taken outright for the first entry, otherwise only where
// strictly smaller). rows holds (L + 1) * kBlock values: row j is C[j] of every start.
template <class V>
[[gnu::always_inline]] inline void sweepEntry(const FitPlan::Entry& entry, std::size_t L,
                                              const std::int16_t* x0, V* rows, bool firstEntry,
                                              BlockBest& best) {
    const bool pieces = !entry.begins.empty();
    V acc[kBlock] = {};
    if (pieces) std::fill(rows, rows + kBlock, V{0});
    for (std::size_t j = 0; j < L; ++j) {
        const V e = entry.samples[j];
        const std::int16_t* x = x0 + j;
        for (std::size_t i = 0; i < kBlock; ++i) acc[i] += e * static_cast<V>(x[i]);
        if (pieces) {
            const auto energy = static_cast<V>(entry.energy[j + 1]);
            V* row = rows + (j + 1) * kBlock;
            for (std::size_t i = 0; i < kBlock; ++i) row[i] = energy - 2 * acc[i];
        }
    }
    // The whole etalon, then the pieces when some begin admits one.
    V score[kBlock];
    V begin[kBlock] = {};
    V end[kBlock];
    const auto total = static_cast<V>(entry.energy[L]);
    for (std::size_t i = 0; i < kBlock; ++i) {
        score[i] = total - 2 * acc[i];
        end[i] = static_cast<V>(L - 1);
    }
    if (pieces) {
        // Begins are taken from the last to the first and each extends the suffix minimum of
        // C down to its least stop; `<=` keeps the earliest end and then the earliest begin.
        constexpr V kTop = std::numeric_limits<V>::max();
        V suffix[kBlock];
        V suffixAt[kBlock] = {};
        V piece[kBlock];
        V pieceBegin[kBlock] = {};
        V pieceEnd[kBlock] = {};
        std::fill(suffix, suffix + kBlock, kTop);
        std::fill(piece, piece + kBlock, kTop);
        std::size_t low = L + 1;
        for (std::size_t k = entry.begins.size(); k-- > 0;) {
            const std::size_t stop = entry.leastStops[k];
            for (; low > stop; --low) {
                const V* row = rows + (low - 1) * kBlock;
                const auto at = static_cast<V>(low - 1);
                for (std::size_t i = 0; i < kBlock; ++i) {
                    const bool take = row[i] <= suffix[i];
                    suffix[i] = take ? row[i] : suffix[i];
                    suffixAt[i] = take ? at : suffixAt[i];
                }
            }
            const V a = entry.begins[k];
            const V* row = rows + static_cast<std::size_t>(a) * kBlock;
            for (std::size_t i = 0; i < kBlock; ++i) {
                const V s = suffix[i] - row[i];
                const bool take = s <= piece[i];
                piece[i] = take ? s : piece[i];
                pieceBegin[i] = take ? a : pieceBegin[i];
                pieceEnd[i] = take ? suffixAt[i] - 1 : pieceEnd[i];
            }
        }
        for (std::size_t i = 0; i < kBlock; ++i) {
            const bool take = piece[i] < score[i];
            score[i] = take ? piece[i] : score[i];
            begin[i] = take ? pieceBegin[i] : begin[i];
            end[i] = take ? pieceEnd[i] : end[i];
        }
    }
    for (std::size_t i = 0; i < kBlock; ++i) {
        const auto s = static_cast<std::int64_t>(score[i]);
        const bool take = firstEntry || s < best.score[i];
        best.score[i] = take ? s : best.score[i];
        best.etalon[i] = take ? entry.etalonIndex : best.etalon[i];
        best.begin[i] = take ? static_cast<std::int32_t>(begin[i]) : best.begin[i];
        best.end[i] = take ? static_cast<std::int32_t>(end[i]) : best.end[i];
    }
}

MIROVALE_SWEEP_CLONES void sweepNarrow(const FitPlan::Entry& entry, std::size_t L,
                                       const std::int16_t* x0, std::int32_t* rows, bool firstEntry,
                                       BlockBest& best) {
    sweepEntry<std::int32_t>(entry, L, x0, rows, firstEntry, best);
}

MIROVALE_SWEEP_CLONES void sweepWide(const FitPlan::Entry& entry, std::size_t L,
                                     const std::int16_t* x0, std::int64_t* rows, bool firstEntry,
                                     BlockBest& best) {
    sweepEntry<std::int64_t>(entry, L, x0, rows, firstEntry, best);
}

// Whether every sum of the entry over samples of magnitude at most `peak` stays in 32 bits:
// |C[j]| and every piece score are at most P[L] + 2 * sum |e| * peak.
bool fitsNarrow(const FitPlan::Entry& entry, std::size_t L, std::int64_t peak) {
    return entry.energy[L] + 2 * entry.magnitude * peak <= std::numeric_limits<std::int32_t>::max();
}

}  // namespace

FitPlan makeFitPlan(std::span<const FitCandidate> candidates, std::uint16_t L) {
    FitPlan plan;
    plan.L = L;
    plan.entries.reserve(candidates.size());
    for (const FitCandidate& c : candidates) {
        FitPlan::Entry entry;
        entry.etalonIndex = c.etalonIndex;
        entry.samples = c.samples.first(L);
        entry.energy = std::span<const std::int64_t>(c.energy).first(std::size_t{L} + 1);
        for (const std::int16_t e : entry.samples) entry.magnitude += std::abs(std::int64_t{e});
        const auto& P = c.energy;
        std::size_t b = 0;
        for (std::size_t a = 0; a < L; ++a) {
            if (!(P[L] - P[a] > c.threshold)) continue;
            // The least end is non-decreasing in a, and b = L - 1 always qualifies here.
            b = std::max(b, a);
            while (!(P[b + 1] - P[a] > c.threshold)) ++b;
            entry.begins.push_back(static_cast<std::uint16_t>(a));
            entry.leastStops.push_back(static_cast<std::uint16_t>(b + 1));
        }
        plan.entries.push_back(std::move(entry));
    }
    return plan;
}

void reserveFitSweep(FitSweepBuffers& buffers, std::uint16_t L, std::size_t most) {
    const std::size_t rows = (std::size_t{L} + 1) * kBlock;
    buffers.padded.reserve(most + kBlock + L);
    if (buffers.wide.size() < rows) buffers.wide.resize(rows);
    if (buffers.narrow.size() < rows) buffers.narrow.resize(rows);
}

void fitStarts(const FitPlan& plan, const SeriesView& view, std::size_t first,
               std::span<LocalFit> out, FitSweepBuffers& buffers) {
    const std::size_t L = plan.L;
    const std::size_t count = out.size();
    if (count == 0) return;
    if (plan.entries.empty()) {
        std::fill(out.begin(), out.end(),
                  LocalFit{kEightNines, 0, 0, static_cast<std::int32_t>(L) - 1});
        return;
    }
    // The call's samples, followed by zeros so that every block reads kBlock + L of them.
    const std::size_t blocks = (count + kBlock - 1) / kBlock;
    const auto samples = view.x.subspan(first, count + L - 1);
    buffers.padded.assign(samples.begin(), samples.end());
    buffers.padded.resize(blocks * kBlock + L, 0);
    reserveFitSweep(buffers, plan.L, count);
    std::int64_t peak = 0;
    for (const std::int16_t v : samples) peak = std::max(peak, std::abs(std::int64_t{v}));

    BlockBest best;
    for (std::size_t block = 0; block < blocks; ++block) {
        const std::int16_t* x0 = buffers.padded.data() + block * kBlock;
        bool firstEntry = true;
        for (const FitPlan::Entry& entry : plan.entries) {
            if (fitsNarrow(entry, L, peak)) {
                sweepNarrow(entry, L, x0, buffers.narrow.data(), firstEntry, best);
            } else {
                sweepWide(entry, L, x0, buffers.wide.data(), firstEntry, best);
            }
            firstEntry = false;
        }
        const std::size_t lanes = std::min(kBlock, count - block * kBlock);
        for (std::size_t i = 0; i < lanes; ++i) {
            out[block * kBlock + i] = {best.score[i], best.etalon[i], best.begin[i], best.end[i]};
        }
    }
}

}  // namespace mirovale
