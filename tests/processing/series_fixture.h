#pragma once

// Hand-built series for the processing tests: etalons, admissible layouts and series records
// filled field by field, independent of the synthesis routines.

#include <algorithm>
#include <cstdint>
#include <memory>
#include <random>
#include <vector>

#include "core/processing/chain_ranking.h"
#include "core/synthesis/pulse_header.h"
#include "core/synthesis/series_header.h"

namespace mirovale::fixture {

struct Geometry {
    std::uint32_t N = 0;
    std::uint16_t L = 0;
    std::uint16_t Tmin = 0;
    std::uint16_t Tmax = 0;
};

// Etalons 1..20 of length L, samples of magnitude 10..`amplitude` with random signs (none zero,
// so that no two placements explain a noiseless series equally well).
inline EtalonTable makeEtalons(std::uint16_t L, std::uint32_t seed, int amplitude = 100) {
    std::mt19937 rng(seed);
    EtalonTable etalons{};
    for (std::size_t k = 0; k < etalons.size(); ++k) {
        etalons[k].wMaxSize = L;
        etalons[k].wSize = L;
        etalons[k].wNumber = static_cast<std::uint16_t>(k + 1);
        etalons[k].lpData.resize(L);
        for (auto& sample : etalons[k].lpData) {
            const int magnitude =
                10 + static_cast<int>(rng() % static_cast<unsigned>(amplitude - 9));
            sample = static_cast<std::int16_t>(rng() % 2 == 0 ? magnitude : -magnitude);
        }
    }
    return etalons;
}

// Starts of a chain that the processing admits: the first pulse ends within the first Tmax
// samples, the last starts within the last Tmax, gaps in [Tmin, Tmax], every pulse fits.
// Empty when no such chain came up in a few tries.
inline std::vector<int> randomStarts(std::mt19937& rng, const Geometry& g) {
    const int n = static_cast<int>(g.N);
    const int firstMost = std::min<int>(g.Tmax - g.L, n - g.L);
    for (int attempt = 0; attempt < 200 && firstMost >= 0; ++attempt) {
        std::vector<int> starts{static_cast<int>(rng() % static_cast<unsigned>(firstMost + 1))};
        while (n - starts.back() > g.Tmax) {
            starts.push_back(starts.back() + g.Tmin +
                             static_cast<int>(rng() % static_cast<unsigned>(g.Tmax - g.Tmin + 1)));
        }
        if (starts.back() <= n - g.L) return starts;
    }
    return {};
}

inline std::uint16_t minPulses(const Geometry& g) {
    return static_cast<std::uint16_t>(std::max<std::uint32_t>((g.N + g.L - 1) / g.Tmax, 1));
}
inline std::uint16_t maxPulses(const Geometry& g) {
    return static_cast<std::uint16_t>((g.N - g.L + g.Tmin) / g.Tmin);
}

// A series record of `chain` (positions, etalons, kept pieces) over `etalons`, without noise:
// the pulse bounds of the geometry, the windows of a chain of that many pulses, the detected
// fields cleared, every etalon listed in lpPulsesList.
inline std::unique_ptr<SeriesHeader> makeSeries(const EtalonTable& etalons, const Geometry& g,
                                                const PulseChain& chain) {
    auto s = std::make_unique<SeriesHeader>();
    s->dwMaxSeriesSize = s->dwSeriesSize = g.N;
    s->wTmin = g.Tmin;
    s->wTmax = g.Tmax;
    s->wImpulseSize = g.L;
    s->wImpulseQuantity = static_cast<std::uint16_t>(chain.size());
    s->wMinPulses = minPulses(g);
    s->wMaxPulses = maxPulses(g);
    s->wDefaultEnd = static_cast<std::uint16_t>(g.L - 1);
    const std::size_t M = std::max<std::size_t>({s->wMaxPulses, chain.size(), 1});
    s->wMaxPulsesSpace = static_cast<std::uint16_t>(M);
    for (auto* v : {&s->lpPositions, &s->lpMinPositions, &s->lpMaxPositions, &s->lpEtalonNumbers,
                    &s->lpDetectedEtalons, &s->lpBegins, &s->lpEnds, &s->lpDetectedBegins,
                    &s->lpDetectedEnds, &s->lpSubset, &s->lpTupleFirst, &s->lpTupleLast}) {
        v->assign(M, 0);
    }
    s->lpDetectedPositions.assign(M, -1);
    s->lpPureData.assign(g.N, 0);
    const auto K = static_cast<std::int64_t>(chain.size());
    for (std::size_t m = 0; m < chain.size(); ++m) {
        const ChainPulse& p = chain[m];
        s->lpPositions[m] = static_cast<std::int16_t>(p.position);
        s->lpEtalonNumbers[m] = static_cast<std::int16_t>(p.etalon);
        s->lpBegins[m] = static_cast<std::int16_t>(p.begin);
        s->lpEnds[m] = static_cast<std::int16_t>(p.end);
        const auto& e = etalons[static_cast<std::size_t>(p.etalon - 1)].lpData;
        for (int k = p.begin; k <= p.end; ++k) {
            auto& x = s->lpPureData[static_cast<std::size_t>(p.position + k)];
            x = static_cast<std::int16_t>(x + e[static_cast<std::size_t>(k)]);
        }
        const auto mm = static_cast<std::int64_t>(m);
        const std::int64_t n = g.N;
        s->lpMinPositions[m] =
            static_cast<std::int16_t>(std::max(mm * g.Tmin, n - (K - mm) * g.Tmax));
        s->lpMaxPositions[m] = static_cast<std::int16_t>(
            std::min((mm + 1) * g.Tmax - g.L, n - g.L - (K - 1 - mm) * g.Tmin));
    }
    s->lpData = s->lpPureData;
    s->wMaxEtalons = s->wEtalons = static_cast<std::uint16_t>(etalons.size());
    for (const PulseHeader& etalon : etalons) s->lpPulsesList.push_back(&etalon);
    return s;
}

// Whole pulses at `starts`, pulse m carrying etalons[m % etalons.size()] (etalon numbers).
inline PulseChain wholeChain(const std::vector<int>& starts, const std::vector<int>& numbers,
                             std::uint16_t L, std::size_t phase = 0) {
    PulseChain chain;
    for (std::size_t m = 0; m < starts.size(); ++m) {
        chain.push_back({starts[m], numbers[(m + phase) % numbers.size()], 0, L - 1});
    }
    return chain;
}

// The detected fields of the series as a chain.
inline PulseChain detectedChain(const SeriesHeader& s) {
    PulseChain chain;
    for (std::size_t j = 0; j < s.wDetectedPulses; ++j) {
        chain.push_back({s.lpDetectedPositions[j], s.lpDetectedEtalons[j], s.lpDetectedBegins[j],
                         s.lpDetectedEnds[j]});
    }
    return chain;
}

// Row r of the chains record as a chain.
inline PulseChain rankedChain(const ChainsHeader& c, std::size_t r) {
    PulseChain chain;
    for (std::size_t j = 0; j < static_cast<std::size_t>(c.pulsesQuantity[r]); ++j) {
        chain.push_back(
            {c.positionsList[r][j], c.pulsesList[r][j], c.beginsList[r][j], c.endsList[r][j]});
    }
    return chain;
}

}  // namespace mirovale::fixture
