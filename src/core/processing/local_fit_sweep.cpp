#include "core/processing/local_fit_sweep.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "core/processing/sentinels.h"

// The sweeps are plain loops over a block of starts that the compiler vectorises; on x86-64 they
// are also built for AVX2 and for AVX-512 (x86-64-v4, whose 32 vector registers hold a whole
// block's state) and chosen at run time, the baseline build staying the fallback.
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define MIROVALE_SWEEP_CLONES __attribute__((target_clones("arch=x86-64-v4", "avx2", "default")))
#else
#define MIROVALE_SWEEP_CLONES
#endif

namespace mirovale {
namespace {

// Starts fitted side by side; the per-start state of one block lives in arrays of this length.
constexpr std::size_t kBlock = 64;

// The best fit of every start of a block over the entries swept so far, every field in the
// sweep's arithmetic so that the lanes stay of one width.
template <class V>
struct BlockBest {
    V score[kBlock];
    V etalon[kBlock];
    V begin[kBlock];
    V end[kBlock];
};

// Sweeps one entry over the block at x0 (kBlock + L samples readable) in arithmetic of type V
// and merges its fits into `best` (taken outright for the first entry, otherwise only where
// strictly smaller). rows holds (L + 1) * kBlock values: row j is C[j] of every start, stored
// where a begin or a piece end reads it.
template <class V>
[[gnu::always_inline]] inline void sweepEntry(const FitPlan::Entry& entry, std::size_t L,
                                              const std::int32_t* x0, V* rows, bool firstEntry,
                                              BlockBest<V>& best) {
    const bool pieces = !entry.begins.empty();
    // acc[i] = sum over m <= j of e[m] x[i + m] (L >= 1).
    V acc[kBlock];
    const V e0 = entry.samples[0];
    for (std::size_t i = 0; i < kBlock; ++i) acc[i] = e0 * static_cast<V>(x0[i]);
    if (pieces && entry.rowUsed[0]) std::fill(rows, rows + kBlock, V{0});
    for (std::size_t j = 0; j < L; ++j) {
        if (j > 0) {
            const V e = entry.samples[j];
            const std::int32_t* x = x0 + j;
            for (std::size_t i = 0; i < kBlock; ++i) acc[i] += e * static_cast<V>(x[i]);
        }
        if (pieces && entry.rowUsed[j + 1]) {
            const auto energy = static_cast<V>(entry.energy[j + 1]);
            V* row = rows + (j + 1) * kBlock;
            for (std::size_t i = 0; i < kBlock; ++i) row[i] = energy - 2 * acc[i];
        }
    }
    const auto total = static_cast<V>(entry.energy[L]);
    const auto etalon = static_cast<V>(entry.etalonIndex);
    if (!pieces) {
        const auto last = static_cast<V>(L - 1);
        for (std::size_t i = 0; i < kBlock; ++i) {
            const V score = total - 2 * acc[i];
            const bool take = firstEntry || score < best.score[i];
            best.score[i] = take ? score : best.score[i];
            best.etalon[i] = take ? etalon : best.etalon[i];
            best.begin[i] = take ? V{0} : best.begin[i];
            best.end[i] = take ? last : best.end[i];
        }
        return;
    }
    // The whole etalon, then its pieces.
    V score[kBlock];
    V begin[kBlock];
    V end[kBlock];
    {
        // Begins are taken from the last to the first and each extends the suffix minimum of
        // C down to its least stop; `<=` keeps the earliest end and then the earliest begin.
        constexpr V kTop = std::numeric_limits<V>::max();
        V suffix[kBlock];
        V suffixAt[kBlock];
        V piece[kBlock];
        V pieceBegin[kBlock];
        V pieceEnd[kBlock];
        for (std::size_t i = 0; i < kBlock; ++i) {
            suffix[i] = kTop;
            suffixAt[i] = 0;
            piece[i] = kTop;
            pieceBegin[i] = 0;
            pieceEnd[i] = 0;
        }
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
        const auto last = static_cast<V>(L - 1);
        for (std::size_t i = 0; i < kBlock; ++i) {
            const V whole = total - 2 * acc[i];
            const bool take = piece[i] < whole;
            score[i] = take ? piece[i] : whole;
            begin[i] = take ? pieceBegin[i] : V{0};
            end[i] = take ? pieceEnd[i] : last;
        }
    }
    for (std::size_t i = 0; i < kBlock; ++i) {
        const bool take = firstEntry || score[i] < best.score[i];
        best.score[i] = take ? score[i] : best.score[i];
        best.etalon[i] = take ? etalon : best.etalon[i];
        best.begin[i] = take ? begin[i] : best.begin[i];
        best.end[i] = take ? end[i] : best.end[i];
    }
}

// Sweeps every entry of the plan over one block.
template <class V>
[[gnu::always_inline]] inline void sweepBlock(const FitPlan& plan, const std::int32_t* x0, V* rows,
                                              BlockBest<V>& best) {
    bool firstEntry = true;
    for (const FitPlan::Entry& entry : plan.entries) {
        sweepEntry<V>(entry, plan.L, x0, rows, firstEntry, best);
        firstEntry = false;
    }
}

MIROVALE_SWEEP_CLONES void sweepWide(const FitPlan& plan, const std::int32_t* x0,
                                     std::int64_t* rows, BlockBest<std::int64_t>& best) {
    sweepBlock<std::int64_t>(plan, x0, rows, best);
}

// Whether every sum of the plan over samples of magnitude at most `peak` stays in 32 bits:
// |C[j]| and every piece score of an entry are at most P[L] + 2 * sum |e| * peak.
bool fitsNarrow(const FitPlan& plan, std::int64_t peak) {
    return std::all_of(plan.entries.begin(), plan.entries.end(), [&](const FitPlan::Entry& e) {
        return e.energy[plan.L] + 2 * e.magnitude * peak <=
               std::numeric_limits<std::int32_t>::max();
    });
}

// Fits every block of the call in 64 bits and writes the first out.size() starts.
void sweepAllWide(const FitPlan& plan, const std::int32_t* samples, std::int64_t* rows,
                  std::span<LocalFit> out) {
    BlockBest<std::int64_t> best;
    for (std::size_t first = 0; first < out.size(); first += kBlock) {
        sweepWide(plan, samples + first, rows, best);
        const std::size_t lanes = std::min(kBlock, out.size() - first);
        for (std::size_t i = 0; i < lanes; ++i) {
            out[first + i] = {best.score[i], static_cast<std::int32_t>(best.etalon[i]),
                              static_cast<std::int32_t>(best.begin[i]),
                              static_cast<std::int32_t>(best.end[i])};
        }
    }
}

// The 32-bit sweep keeps its starts in vectors of eight lanes, four vectors side by side, so
// that everything a start needs stays in registers from the first etalon sample to the merge.
using Lanes = std::int32_t __attribute__((vector_size(32)));

// The helpers below pass lanes by value; they are inlined into the one caller, whose clones pick
// the instructions, so the by-value ABI the warning is about never applies.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wpsabi"
#endif

constexpr std::size_t kLanes = sizeof(Lanes) / sizeof(std::int32_t);
constexpr std::size_t kGroups = 4;
constexpr std::size_t kSpan = kLanes * kGroups;  // starts per sweep

[[gnu::always_inline]] inline Lanes loadLanes(const std::int32_t* p) {
    Lanes v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

[[gnu::always_inline]] inline void storeLanes(std::int32_t* p, Lanes v) {
    std::memcpy(p, &v, sizeof v);
}

// The fits of kSpan starts: score, etalon, piece.
struct LaneFits {
    Lanes score[kGroups];
    Lanes etalon[kGroups];
    Lanes begin[kGroups];
    Lanes end[kGroups];
};

// The entry's fits at kSpan starts (as sweepEntry); rows holds (L + 1) * kSpan values.
[[gnu::always_inline]] inline void entryFits(const FitPlan::Entry& entry, std::size_t L,
                                             const std::int32_t* x, std::int32_t* rows,
                                             LaneFits& fits) {
    const bool pieces = !entry.begins.empty();
    Lanes acc[kGroups];
    for (std::size_t g = 0; g < kGroups; ++g) acc[g] = entry.samples[0] * loadLanes(x + g * kLanes);
    if (pieces && entry.rowUsed[0]) {
        for (std::size_t g = 0; g < kGroups; ++g) storeLanes(rows + g * kLanes, Lanes{});
    }
    for (std::size_t j = 0; j < L; ++j) {
        if (j > 0) {
            const std::int32_t e = entry.samples[j];
            for (std::size_t g = 0; g < kGroups; ++g) acc[g] += e * loadLanes(x + j + g * kLanes);
        }
        if (pieces && entry.rowUsed[j + 1]) {
            const auto energy = static_cast<std::int32_t>(entry.energy[j + 1]);
            for (std::size_t g = 0; g < kGroups; ++g) {
                storeLanes(rows + (j + 1) * kSpan + g * kLanes, energy - 2 * acc[g]);
            }
        }
    }
    const auto total = static_cast<std::int32_t>(entry.energy[L]);
    for (std::size_t g = 0; g < kGroups; ++g) {
        fits.score[g] = total - 2 * acc[g];
        fits.begin[g] = Lanes{};
        fits.end[g] = (static_cast<std::int32_t>(L) - 1 - Lanes{});
    }
    if (!pieces) return;
    // As sweepEntry: begins from the last to the first, suffix minima of C down to each least
    // stop, `<=` keeping the earliest end and then the earliest begin.
    const Lanes top = (std::int32_t{std::numeric_limits<std::int32_t>::max()} - Lanes{});
    Lanes suffix[kGroups];
    Lanes suffixAt[kGroups];
    Lanes piece[kGroups];
    Lanes pieceBegin[kGroups];
    Lanes pieceEnd[kGroups];
    for (std::size_t g = 0; g < kGroups; ++g) {
        suffix[g] = piece[g] = top;
        suffixAt[g] = pieceBegin[g] = pieceEnd[g] = Lanes{};
    }
    std::size_t low = L + 1;
    for (std::size_t k = entry.begins.size(); k-- > 0;) {
        for (const std::size_t stop = entry.leastStops[k]; low > stop;) {
            --low;
            const Lanes at = (static_cast<std::int32_t>(low) - 1 - Lanes{});  // the piece's end
            for (std::size_t g = 0; g < kGroups; ++g) {
                const Lanes row = loadLanes(rows + low * kSpan + g * kLanes);
                const Lanes take = row <= suffix[g];
                suffix[g] = take ? row : suffix[g];
                suffixAt[g] = take ? at : suffixAt[g];
            }
        }
        const std::size_t a = entry.begins[k];
        const Lanes begin = (static_cast<std::int32_t>(a) - Lanes{});
        for (std::size_t g = 0; g < kGroups; ++g) {
            const Lanes s = suffix[g] - loadLanes(rows + a * kSpan + g * kLanes);
            const Lanes take = s <= piece[g];
            piece[g] = take ? s : piece[g];
            pieceBegin[g] = take ? begin : pieceBegin[g];
            pieceEnd[g] = take ? suffixAt[g] : pieceEnd[g];
        }
    }
    for (std::size_t g = 0; g < kGroups; ++g) {
        const Lanes take = piece[g] < fits.score[g];
        fits.score[g] = take ? piece[g] : fits.score[g];
        fits.begin[g] = take ? pieceBegin[g] : fits.begin[g];
        fits.end[g] = take ? pieceEnd[g] : fits.end[g];
    }
}

MIROVALE_SWEEP_CLONES void sweepLanes(const FitPlan& plan, const std::int32_t* x,
                                      std::int32_t* rows, LaneFits& best) {
    for (std::size_t k = 0; k < plan.entries.size(); ++k) {
        const FitPlan::Entry& entry = plan.entries[k];
        LaneFits fits{};
        entryFits(entry, plan.L, x, rows, fits);
        const Lanes etalon = (entry.etalonIndex - Lanes{});
        for (std::size_t g = 0; g < kGroups; ++g) {
            const Lanes take =
                k == 0 ? (std::int32_t{-1} - Lanes{}) : fits.score[g] < best.score[g];
            best.score[g] = take ? fits.score[g] : best.score[g];
            best.etalon[g] = take ? etalon : best.etalon[g];
            best.begin[g] = take ? fits.begin[g] : best.begin[g];
            best.end[g] = take ? fits.end[g] : best.end[g];
        }
    }
}

#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif

// Fits every start of the call in 32 bits and writes the first out.size() starts.
void sweepAllLanes(const FitPlan& plan, const std::int32_t* samples, std::int32_t* rows,
                   std::span<LocalFit> out) {
    LaneFits best{};
    for (std::size_t first = 0; first < out.size(); first += kSpan) {
        sweepLanes(plan, samples + first, rows, best);
        const std::size_t lanes = std::min(kSpan, out.size() - first);
        for (std::size_t i = 0; i < lanes; ++i) {
            const std::size_t g = i / kLanes;
            const std::size_t lane = i % kLanes;
            out[first + i] = {best.score[g][lane], best.etalon[g][lane], best.begin[g][lane],
                              best.end[g][lane]};
        }
    }
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
        entry.rowUsed.assign(std::size_t{L} + 1, 0);
        for (const std::uint16_t a : entry.begins) entry.rowUsed[a] = 1;
        if (!entry.leastStops.empty()) {
            std::fill(entry.rowUsed.begin() + entry.leastStops.front(), entry.rowUsed.end(), 1);
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
    if (plan.entries.empty() || L == 0) {
        // No candidates: unreachable. No samples: every whole etalon scores 0, the first wins.
        const LocalFit fit = plan.entries.empty()
                                 ? LocalFit{kEightNines, 0, 0, static_cast<std::int32_t>(L) - 1}
                                 : LocalFit{0, plan.entries[0].etalonIndex, 0, -1};
        std::fill(out.begin(), out.end(), fit);
        return;
    }
    // The call's samples, followed by zeros so that every block reads kBlock + L of them.
    const std::size_t blocks = (count + kBlock - 1) / kBlock;
    const auto samples = view.x.subspan(first, count + L - 1);
    reserveFitSweep(buffers, plan.L, count);
    buffers.padded.assign(samples.begin(), samples.end());
    buffers.padded.resize(blocks * kBlock + L, 0);
    std::int64_t peak = 0;
    for (const std::int16_t v : samples) peak = std::max(peak, std::abs(std::int64_t{v}));
    if (fitsNarrow(plan, peak)) {
        sweepAllLanes(plan, buffers.padded.data(), buffers.narrow.data(), out);
    } else {
        sweepAllWide(plan, buffers.padded.data(), buffers.wide.data(), out);
    }
}

}  // namespace mirovale
