#pragma once

// Hand-built series for the processing tests, independent of the synthesis routines.

#include <algorithm>
#include <memory>
#include <random>
#include <vector>

#include "core/processing/chain_ranking.h"
#include "core/synthesis/random.h"
#include "core/synthesis/series_header.h"

namespace mirovale::fixture {

struct Geometry {
    std::uint32_t N = 0;
    std::uint16_t L = 0, Tmin = 0, Tmax = 0;
};

// Etalons 1..20 of length L, samples of magnitude 10..amplitude with random signs (none zero,
// so that no two layouts explain a noiseless series equally well).
inline EtalonTable makeEtalons(std::uint16_t L, std::uint32_t seed, int amplitude = 100) {
    std::mt19937 rng(seed);
    EtalonTable etalons{};
    for (std::size_t k = 0; k < etalons.size(); ++k) {
        etalons[k].wMaxSize = etalons[k].wSize = L;
        etalons[k].wNumber = static_cast<std::uint16_t>(k + 1);
        for (int j = 0; j < L; ++j) {
            const int v = 10 + static_cast<int>(rng() % static_cast<unsigned>(amplitude - 9));
            etalons[k].lpData.push_back(static_cast<std::int16_t>(rng() % 2 ? v : -v));
        }
    }
    return etalons;
}

// Starts of a chain the processing admits (the first pulse ends within Tmax samples, the last
// starts within the last Tmax, gaps in [Tmin, Tmax]); empty when none came up.
template <class Rng>
std::vector<int> randomStarts(Rng& rng, const Geometry& g) {
    const int n = static_cast<int>(g.N), first = std::min(g.Tmax - g.L, n - g.L);
    for (int attempt = 0; attempt < 200 && first >= 0; ++attempt) {
        std::vector<int> t{static_cast<int>(rng() % static_cast<unsigned>(first + 1))};
        while (n - t.back() > g.Tmax) {
            t.push_back(t.back() + g.Tmin + static_cast<int>(rng() % (g.Tmax - g.Tmin + 1u)));
        }
        if (t.back() <= n - g.L) return t;
    }
    return {};
}

inline std::uint16_t maxPulses(const Geometry& g) {
    return static_cast<std::uint16_t>((g.N - g.L + g.Tmin) / g.Tmin);
}

// The series of `chain` over `etalons`, noiseless: the pulse bounds of the geometry, the
// windows of a chain of that many pulses, detected fields cleared, lpPulsesList filled.
inline std::unique_ptr<SeriesHeader> makeSeries(const EtalonTable& etalons, const Geometry& g,
                                                const PulseChain& chain) {
    auto s = std::make_unique<SeriesHeader>();
    s->dwMaxSeriesSize = s->dwSeriesSize = g.N;
    s->wTmin = g.Tmin;
    s->wTmax = g.Tmax;
    s->wImpulseSize = g.L;
    s->wImpulseQuantity = static_cast<std::uint16_t>(chain.size());
    s->wMinPulses = static_cast<std::uint16_t>(std::max((g.N + g.L - 1) / g.Tmax, 1u));
    s->wMaxPulses = maxPulses(g);
    const std::size_t M = std::max<std::size_t>({s->wMaxPulses, chain.size(), 1});
    s->wMaxPulsesSpace = static_cast<std::uint16_t>(M);
    for (auto* v : {&s->lpPositions, &s->lpMinPositions, &s->lpMaxPositions, &s->lpEtalonNumbers,
                    &s->lpDetectedEtalons, &s->lpBegins, &s->lpEnds, &s->lpDetectedBegins,
                    &s->lpDetectedEnds, &s->lpTupleFirst, &s->lpTupleLast}) {
        v->assign(M, 0);
    }
    s->lpDetectedPositions.assign(M, -1);
    s->lpPureData.assign(g.N, 0);
    const auto K = static_cast<std::int64_t>(chain.size()), n = std::int64_t{g.N};
    for (std::size_t m = 0; m < chain.size(); ++m) {
        const ChainPulse& p = chain[m];
        const auto i = static_cast<std::int64_t>(m);
        s->lpPositions[m] = static_cast<std::int16_t>(p.position);
        s->lpEtalonNumbers[m] = static_cast<std::int16_t>(p.etalon);
        s->lpBegins[m] = static_cast<std::int16_t>(p.begin);
        s->lpEnds[m] = static_cast<std::int16_t>(p.end);
        for (int k = p.begin; k <= p.end; ++k) {
            s->lpPureData[static_cast<std::size_t>(p.position + k)] +=
                etalons[static_cast<std::size_t>(p.etalon - 1)].lpData[static_cast<std::size_t>(k)];
        }
        s->lpMinPositions[m] =
            static_cast<std::int16_t>(std::max(i * g.Tmin, n - (K - i) * g.Tmax));
        s->lpMaxPositions[m] = static_cast<std::int16_t>(
            std::min((i + 1) * g.Tmax - g.L, n - g.L - (K - 1 - i) * g.Tmin));
    }
    s->lpData = s->lpPureData;
    for (const PulseHeader& etalon : etalons) s->lpPulsesList.push_back(&etalon);
    return s;
}

// Whole pulses at `starts`, pulse m of etalon numbers[(m + phase) % size].
inline PulseChain wholeChain(const std::vector<int>& starts, const std::vector<int>& numbers,
                             std::uint16_t L, std::size_t phase = 0) {
    PulseChain chain;
    for (std::size_t m = 0; m < starts.size(); ++m) {
        chain.push_back({starts[m], numbers[(m + phase) % numbers.size()], 0, L - 1});
    }
    return chain;
}

inline std::int64_t energy(const std::vector<std::int16_t>& e, int a, int b) {
    std::int64_t sum = 0;
    for (int m = a; m <= b; ++m)
        sum += e[static_cast<std::size_t>(m)] * e[static_cast<std::size_t>(m)];
    return sum;
}

// Whether processing at `level` percent fits piece [a..b]: the whole etalon always, a piece
// keeping more than the level from a to the end and within itself.
inline bool admissible(const std::vector<std::int16_t>& e, int a, int b, std::uint16_t level) {
    const int L = static_cast<int>(e.size());
    const std::int64_t h = energy(e, 0, L - 1) * level / 100;
    return (a == 0 && b == L - 1) || (energy(e, a, L - 1) > h && energy(e, a, b) > h);
}

// Pulses at `starts`, pulse m of etalon pick(m), whole or (about every other one) a random
// piece the level admits, plus noise of a random deviation sd0..sd0 + span - 1.
template <class Rng, class Pick>
std::unique_ptr<SeriesHeader> noisySeries(Rng& rng, const EtalonTable& etalons, const Geometry& g,
                                          std::uint16_t level, const std::vector<int>& starts,
                                          Pick pick, int sd0, int span) {
    PulseChain truth;
    for (std::size_t m = 0; m < starts.size(); ++m) {
        const int number = pick(m);
        const int a = static_cast<int>(rng() % g.L),
                  b = a + static_cast<int>(rng() % (g.L - a + 0u));
        const bool piece = admissible(etalons[number - 1u].lpData, a, b, level) && rng() % 2;
        truth.push_back({starts[m], number, piece ? a : 0, piece ? b : g.L - 1});
    }
    auto series = makeSeries(etalons, g, truth);
    std::uint16_t state = static_cast<std::uint16_t>(rng());
    addNoise(static_cast<std::int16_t>(sd0 + static_cast<int>(rng() % static_cast<unsigned>(span))),
             *series, state);
    return series;
}

// The pass that computes a start from the sets' definitions: 1 first pulses only (F \ M),
// 2 both (F ∩ M), 3 later pulses only (M \ F), 0 none; and whether it may end a chain (Z).
struct Roles {
    std::vector<int> pass;
    std::vector<bool> last;
};

inline Roles definedRoles(const SeriesHeader& s) {
    const std::int64_t n = s.dwSeriesSize, L = s.wImpulseSize, a = s.wTmin, b = s.wTmax;
    const auto starts = static_cast<std::size_t>(n - L + 1);
    std::vector<bool> f(starts), m(starts), z(starts);
    const auto mark = [&](std::vector<bool>& set, std::int64_t lo, std::int64_t hi) {
        for (std::int64_t t = std::max<std::int64_t>(lo, 0);
             t <= hi && t < static_cast<std::int64_t>(starts); ++t) {
            set[static_cast<std::size_t>(t)] = true;
        }
    };
    for (std::int64_t k = s.wMinPulses; k <= s.wMaxPulses; ++k) {
        mark(f, std::max<std::int64_t>(0, n - k * b), std::min(b - L, n - L - (k - 1) * a));
        for (std::int64_t j = 1; j < k; ++j) {
            mark(m, std::max(j * a, n - (k - j) * b),
                 std::min((j + 1) * b - L, n - L - (k - 1 - j) * a));
        }
        mark(z, std::max((k - 1) * a, n - b), std::min(k * b - L, n - L));
    }
    Roles roles{std::vector<int>(starts), z};
    for (std::size_t t = 0; t < starts; ++t)
        roles.pass[t] = f[t] && !m[t] ? 1 : f[t] && m[t] ? 2 : m[t] ? 3 : 0;
    return roles;
}

inline PulseChain detectedChain(const SeriesHeader& s) {
    PulseChain chain;
    for (std::size_t j = 0; j < s.wDetectedPulses; ++j) {
        chain.push_back({s.lpDetectedPositions[j], s.lpDetectedEtalons[j], s.lpDetectedBegins[j],
                         s.lpDetectedEnds[j]});
    }
    return chain;
}

inline PulseChain rankedChain(const ChainsHeader& c, std::size_t r) {
    PulseChain chain;
    for (std::size_t j = 0; j < static_cast<std::size_t>(c.pulsesQuantity[r]); ++j) {
        chain.push_back(
            {c.positionsList[r][j], c.pulsesList[r][j], c.beginsList[r][j], c.endsList[r][j]});
    }
    return chain;
}

}  // namespace mirovale::fixture
