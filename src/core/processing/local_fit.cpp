#include "core/processing/local_fit.h"

#include <algorithm>
#include <limits>

#include "core/processing/sentinels.h"

namespace mirovale {
namespace {

FitCandidate prepare(const PulseHeader& etalon, std::int32_t index, std::uint16_t L,
                     std::uint16_t wLevel) {
    FitCandidate candidate;
    candidate.etalonIndex = index;
    candidate.samples = std::span<const std::int16_t>(etalon.lpData).first(L);
    candidate.energy.assign(static_cast<std::size_t>(L) + 1, 0);
    for (std::size_t j = 0; j < L; ++j) {
        const std::int64_t e = candidate.samples[j];
        candidate.energy[j + 1] = candidate.energy[j] + e * e;
    }
    candidate.threshold = candidate.energy[L] * wLevel / 100;
    return candidate;
}

std::int64_t term(std::int16_t e, std::int16_t x) {
    return static_cast<std::int64_t>(e) * (static_cast<std::int64_t>(e) - 2 * std::int64_t{x});
}

}  // namespace

SeriesView viewOf(const SeriesHeader& series) {
    SeriesView view;
    const std::size_t n = std::min<std::size_t>(series.dwSeriesSize, series.lpData.size());
    view.x = std::span<const std::int16_t>(series.lpData).first(n);
    view.L = series.wImpulseSize;
    if (view.L > 0 && n >= view.L) {
        constexpr std::size_t kMaxStart = std::numeric_limits<std::int16_t>::max();
        view.starts = std::min<std::size_t>(n - view.L, kMaxStart) + 1;
    }
    return view;
}

std::int64_t samplePeak(std::span<const std::int16_t> samples) {
    // The least and the greatest sample, in 16 bits, which vectorises on every instruction set.
    std::int16_t low = 0;
    std::int16_t high = 0;
    for (const std::int16_t v : samples) {
        low = std::min(low, v);
        high = std::max(high, v);
    }
    return std::max(-std::int64_t{low}, std::int64_t{high});
}

template <class Number>
std::vector<FitCandidate> makeFitCandidates(const EtalonTable& etalons,
                                            std::span<const Number> numbers, std::uint16_t L,
                                            std::uint16_t wLevel) {
    std::vector<FitCandidate> candidates;
    candidates.reserve(numbers.size());
    for (const Number number : numbers) {
        const auto value = static_cast<std::int64_t>(number);
        if (value < 1 || value > static_cast<std::int64_t>(etalons.size())) continue;
        const PulseHeader& etalon = etalons[static_cast<std::size_t>(value - 1)];
        if (etalon.lpData.size() < L) continue;
        candidates.push_back(prepare(etalon, static_cast<std::int32_t>(value - 1), L, wLevel));
    }
    return candidates;
}

template std::vector<FitCandidate> makeFitCandidates(const EtalonTable&,
                                                     std::span<const std::uint16_t>, std::uint16_t,
                                                     std::uint16_t);
template std::vector<FitCandidate> makeFitCandidates(const EtalonTable&,
                                                     std::span<const std::int16_t>, std::uint16_t,
                                                     std::uint16_t);
template std::vector<FitCandidate> makeFitCandidates(const EtalonTable&,
                                                     std::span<const std::uint32_t>, std::uint16_t,
                                                     std::uint16_t);
template std::vector<FitCandidate> makeFitCandidates(const EtalonTable&,
                                                     std::span<const std::int64_t>, std::uint16_t,
                                                     std::uint16_t);

DistinctCandidates distinctCandidates(std::span<const FitCandidate> candidates) {
    DistinctCandidates d;
    d.of.reserve(candidates.size());
    for (std::size_t k = 0; k < candidates.size(); ++k) {
        const auto same = std::find_if(d.firsts.begin(), d.firsts.end(), [&](std::size_t first) {
            return candidates[first].etalonIndex == candidates[k].etalonIndex;
        });
        if (same == d.firsts.end()) {
            d.of.push_back(d.firsts.size());
            d.firsts.push_back(k);
            d.repeated.push_back(false);
        } else {
            d.of.push_back(static_cast<std::size_t>(same - d.firsts.begin()));
            d.repeated[d.of.back()] = true;
        }
    }
    return d;
}

std::vector<FitCandidate> makeSubsetCandidates(const EtalonTable& etalons,
                                               std::span<const std::uint32_t> subset,
                                               std::uint16_t L, std::uint16_t wLevel) {
    std::vector<FitCandidate> members = makeFitCandidates(etalons, subset, L, wLevel);
    if (members.size() != subset.size()) members.clear();
    return members;
}

LocalFit fitAt(const SeriesView& series, std::size_t t, std::span<const FitCandidate> candidates) {
    const std::size_t L = series.L;
    LocalFit best{kEightNines, 0, 0, static_cast<std::int32_t>(L) - 1};
    bool first = true;
    for (const FitCandidate& c : candidates) {
        std::int64_t whole = 0;
        for (std::size_t m = 0; m < L; ++m) whole += term(c.samples[m], series.x[t + m]);
        if (first || whole < best.score) {
            best = {whole, c.etalonIndex, 0, static_cast<std::int32_t>(L) - 1};
            first = false;
        }
        for (std::size_t a = 0; a < L; ++a) {
            if (!(c.energy[L] - c.energy[a] > c.threshold)) continue;
            std::int64_t piece = 0;
            for (std::size_t b = a; b < L; ++b) {
                piece += term(c.samples[b], series.x[t + b]);
                if (c.energy[b + 1] - c.energy[a] > c.threshold && piece < best.score) {
                    best = {piece, c.etalonIndex, static_cast<std::int32_t>(a),
                            static_cast<std::int32_t>(b)};
                }
            }
        }
    }
    return best;
}

}  // namespace mirovale
