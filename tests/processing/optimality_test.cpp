// The dynamic programming against an enumeration of every admissible chain and every
// admissible piece, on small random series with noise.

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <optional>

#include "core/host/recording_host.h"
#include "core/processing/admissible_sets.h"
#include "core/processing/pulse_detection.h"
#include "core/processing/tuple_recognition_unfixed.h"
#include "core/synthesis/random.h"
#include "series_fixture.h"

namespace mirovale {
namespace {

using fixture::Geometry;

constexpr double kMostChains = 20000;  // cases with more chains are drawn again
constexpr int kCases = 150;
constexpr std::int64_t kNone = std::numeric_limits<std::int64_t>::max();

struct Piece {
    std::int64_t score;
    int begin, end;
};

// A random small case: geometry, level, etalons, listed etalons and a noisy series of an
// admissible chain of them.
struct RandomCase {
    Geometry g;
    std::uint16_t level = 100;
    EtalonTable etalons;
    std::vector<std::uint16_t> list;
    std::unique_ptr<SeriesHeader> series;
};

bool admissiblePiece(const std::vector<std::int16_t>& e, int a, int b, std::uint16_t level) {
    std::int64_t total = 0, tail = 0, within = 0;
    for (std::size_t m = 0; m < e.size(); ++m) total += std::int64_t{e[m]} * e[m];
    for (std::size_t m = static_cast<std::size_t>(a); m < e.size(); ++m)
        tail += std::int64_t{e[m]} * e[m];
    for (int m = a; m <= b; ++m)
        within += std::int64_t{e[static_cast<std::size_t>(m)]} * e[static_cast<std::size_t>(m)];
    const std::int64_t h = total * level / 100;
    return (a == 0 && b + 1 == static_cast<int>(e.size())) || (tail > h && within > h);
}

std::int64_t pieceScore(const std::vector<std::int16_t>& e, const SeriesHeader& s, int t, int a,
                        int b) {
    std::int64_t sum = 0;
    for (int m = a; m <= b; ++m) {
        const std::int64_t v = e[static_cast<std::size_t>(m)];
        sum += v * (v - 2 * std::int64_t{s.lpData[static_cast<std::size_t>(t + m)]});
    }
    return sum;
}

// The smallest score over every listed etalon and every admissible piece of it at t.
std::int64_t bestScore(const RandomCase& c, std::span<const std::uint16_t> list, int t) {
    std::int64_t best = kNone;
    for (const std::uint16_t number : list) {
        const auto& e = c.etalons[number - 1u].lpData;
        for (int a = 0; a < c.g.L; ++a) {
            for (int b = a; b < c.g.L; ++b) {
                if (admissiblePiece(e, a, b, c.level))
                    best = std::min(best, pieceScore(e, *c.series, t, a, b));
            }
        }
    }
    return best;
}

RandomCase drawCase(std::mt19937& rng) {
    RandomCase c;
    for (;;) {
        c.g.L = static_cast<std::uint16_t>(3 + rng() % 4);
        c.g.Tmin = static_cast<std::uint16_t>(8 + rng() % 18);
        c.g.Tmax = static_cast<std::uint16_t>(c.g.Tmin + rng() % 11);
        c.g.N = 60 + rng() % 91;
        if (c.g.Tmax < c.g.L + 1) continue;
        const std::vector<int> starts = fixture::randomStarts(rng, c.g);
        if (starts.empty()) continue;
        const std::uint16_t levels[] = {100, 60, 0};
        c.level = levels[rng() % 3];
        c.etalons = fixture::makeEtalons(c.g.L, static_cast<std::uint32_t>(rng()), 40);
        c.list.clear();
        const std::size_t listed = 2 + rng() % 2;
        while (c.list.size() < listed) {
            const auto number = static_cast<std::uint16_t>(1 + rng() % 6);
            if (std::find(c.list.begin(), c.list.end(), number) == c.list.end())
                c.list.push_back(number);
        }
        PulseChain truth;
        for (const int t : starts) {
            const std::uint16_t number = c.list[rng() % c.list.size()];
            const auto& e = c.etalons[number - 1u].lpData;
            int a = 0, b = c.g.L - 1;
            if (c.level < 100 && rng() % 2 == 0) {
                a = static_cast<int>(rng() % c.g.L);
                b = a + static_cast<int>(rng() % static_cast<unsigned>(c.g.L - a));
                if (!admissiblePiece(e, a, b, c.level)) a = 0, b = c.g.L - 1;
            }
            truth.push_back({t, number, a, b});
        }
        c.series = fixture::makeSeries(c.etalons, c.g, truth);
        std::uint16_t noiseState = static_cast<std::uint16_t>(rng());
        addNoise(static_cast<std::int16_t>(rng() % 40), *c.series, noiseState);
        return c;
    }
}

// Membership of every start in F, M and Z, straight from their definitions.
struct Sets {
    std::vector<bool> first, later, last;
};

Sets definedSets(const RandomCase& c) {
    const int starts = static_cast<int>(c.g.N) - c.g.L + 1;
    Sets sets{std::vector<bool>(starts), std::vector<bool>(starts), std::vector<bool>(starts)};
    const auto mark = [&](std::vector<bool>& set, std::int64_t lo, std::int64_t hi) {
        for (std::int64_t t = std::max<std::int64_t>(lo, 0);
             t <= std::min<std::int64_t>(hi, starts - 1); ++t) {
            set[static_cast<std::size_t>(t)] = true;
        }
    };
    const std::int64_t n = c.g.N, L = c.g.L, a = c.g.Tmin, b = c.g.Tmax;
    for (std::int64_t k = c.series->wMinPulses; k <= c.series->wMaxPulses; ++k) {
        mark(sets.first, std::max<std::int64_t>(0, n - k * b),
             std::min(b - L, n - L - (k - 1) * a));
        for (std::int64_t j = 1; j < k; ++j) {
            mark(sets.later, std::max(j * a, n - (k - j) * b),
                 std::min((j + 1) * b - L, n - L - (k - 1 - j) * a));
        }
        mark(sets.last, std::max((k - 1) * a, n - b), std::min(k * b - L, n - L));
    }
    return sets;
}

bool listHolds(const IntervalList* list, const std::vector<bool>& set) {
    std::vector<bool> held(set.size());
    forEachPosition(list, [&](std::size_t t) { held[t] = true; });
    return held == set;
}

// Whether every list the passes walk holds exactly its defined set. Lists have room for Kmax
// intervals only; when Tmin is close to Tmax a list (or the union F ∪ M) can fill up and
// silently lose intervals, and the passes then see fewer starts than the definitions admit.
bool listsHoldTheSets(const RandomCase& c, const Sets& sets) {
    const AdmissibleSets lists = buildAdmissibleSets(viewOf(*c.series), c.series->wMinPulses,
                                                     c.series->wMaxPulses, c.g.Tmin, c.g.Tmax);
    const std::size_t n = sets.first.size();
    std::vector<bool> fitted(n), firstOnly(n), both(n), laterOnly(n);
    for (std::size_t t = 0; t < n; ++t) {
        fitted[t] = sets.first[t] || sets.later[t];
        firstOnly[t] = sets.first[t] && !sets.later[t];
        both[t] = sets.first[t] && sets.later[t];
        laterOnly[t] = !sets.first[t] && sets.later[t];
    }
    return listHolds(lists.first.get(), sets.first) && listHolds(lists.later.get(), sets.later) &&
           listHolds(lists.last.get(), sets.last) && listHolds(lists.fitted.get(), fitted) &&
           listHolds(lists.firstOnly.get(), firstOnly) && listHolds(lists.both.get(), both) &&
           listHolds(lists.laterOnly.get(), laterOnly);
}

// The pass that computes a start: first pulses only, both, later pulses only.
int passOf(const Sets& sets, int t) {
    const bool f = sets.first[static_cast<std::size_t>(t)];
    const bool m = sets.later[static_cast<std::size_t>(t)];
    return f && !m ? 1 : f && m ? 2 : m ? 3 : 0;
}

// Every chain the unknown-number passes can build: first pulse in F, the others in M, the
// last in Z, gaps in [Tmin, Tmax], and no pulse of F ∩ M after one of M \ F (that pass runs
// first). Layer l of pulse i is i mod layers; a pulse of F ∩ M on a layer other than 0 needs
// a negative score before it. Calls visit(total) for each; returns false when there are more
// than kMostChains.
bool enumerateUnknown(const RandomCase& c, const Sets& sets,
                      const std::vector<std::vector<std::int64_t>>& layerScores,
                      const std::function<void(std::int64_t)>& visit) {
    const int starts = static_cast<int>(sets.first.size());
    const std::size_t layers = layerScores.size();
    double chains = 0;
    std::function<bool(int, std::size_t, std::int64_t)> extend = [&](int t, std::size_t i,
                                                                     std::int64_t total) {
        if (sets.last[static_cast<std::size_t>(t)]) {
            visit(total);
            if (++chains > kMostChains) return false;
        }
        for (int next = t + c.g.Tmin; next <= std::min(t + c.g.Tmax, starts - 1); ++next) {
            const int pass = passOf(sets, next);
            if (pass < 2 || pass < passOf(sets, t)) continue;
            const std::size_t layer = (i + 1) % layers;
            if (pass == 2 && layer != 0 && total >= 0) continue;
            if (!extend(next, i + 1, total + layerScores[layer][static_cast<std::size_t>(next)]))
                return false;
        }
        return true;
    };
    for (int t = 0; t < starts; ++t) {
        if (sets.first[static_cast<std::size_t>(t)] &&
            !extend(t, 0, layerScores[0][static_cast<std::size_t>(t)])) {
            return false;
        }
    }
    return true;
}

// Every chain of K pulses with pulse m inside the series' window m and gaps in [Tmin, Tmax].
bool enumerateKnown(const RandomCase& c, const std::vector<std::int64_t>& scores,
                    const std::function<void(std::int64_t)>& visit) {
    const SeriesHeader& s = *c.series;
    const std::size_t K = s.wImpulseQuantity;
    double chains = 0;
    std::function<bool(std::size_t, int, std::int64_t)> extend = [&](std::size_t m, int t,
                                                                     std::int64_t total) {
        if (m + 1 == K) {
            visit(total);
            return ++chains <= kMostChains;
        }
        const int lo = std::max<int>(t + c.g.Tmin, s.lpMinPositions[m + 1]);
        const int hi = std::min<int>(t + c.g.Tmax, s.lpMaxPositions[m + 1]);
        for (int next = lo; next <= hi; ++next) {
            if (!extend(m + 1, next, total + scores[static_cast<std::size_t>(next)])) return false;
        }
        return true;
    };
    for (int t = s.lpMinPositions[0]; t <= s.lpMaxPositions[0]; ++t) {
        if (!extend(0, t, scores[static_cast<std::size_t>(t)])) return false;
    }
    return true;
}

std::vector<std::int64_t> scoresFor(const RandomCase& c, std::span<const std::uint16_t> list) {
    std::vector<std::int64_t> scores;
    for (int t = 0; t + c.g.L <= static_cast<int>(c.g.N); ++t)
        scores.push_back(bestScore(c, list, t));
    return scores;
}

// The reported chain is one the enumeration allows, every pulse is the best fit at its start
// and the pulses add up to the distance.
void expectConsistentChain(const RandomCase& c, const PulseChain& chain, std::int64_t distance) {
    std::int64_t total = 0;
    for (std::size_t j = 0; j < chain.size(); ++j) {
        const ChainPulse& p = chain[j];
        const auto& e = c.etalons[static_cast<std::size_t>(p.etalon - 1)].lpData;
        ASSERT_TRUE(admissiblePiece(e, p.begin, p.end, c.level));
        const std::int64_t score = pieceScore(e, *c.series, p.position, p.begin, p.end);
        EXPECT_EQ(score, bestScore(c, c.list, p.position));
        total += score;
        if (j > 0) {
            EXPECT_GE(p.position - chain[j - 1].position, c.g.Tmin);
            EXPECT_LE(p.position - chain[j - 1].position, c.g.Tmax);
        }
    }
    EXPECT_EQ(total, distance);
}

TEST(Optimality, UnknownNumberDetectionFindsTheSmallestChain) {
    std::mt19937 rng(4711);
    RecordingHost host;
    int compared = 0, overflowing = 0;
    for (int attempt = 0; compared < kCases && attempt < 20 * kCases; ++attempt) {
        RandomCase c = drawCase(rng);
        SCOPED_TRACE(::testing::Message()
                     << "attempt " << attempt << " N " << c.g.N << " L " << c.g.L << " T "
                     << c.g.Tmin << ".." << c.g.Tmax << " level " << c.level);
        const Sets sets = definedSets(c);
        if (!listsHoldTheSets(c, sets)) {
            ++overflowing;
            continue;
        }
        std::int64_t smallest = kNone;
        if (!enumerateUnknown(c, sets, {scoresFor(c, c.list)},
                              [&](std::int64_t v) { smallest = std::min(smallest, v); })) {
            continue;
        }
        auto chains = getChainsHeader(host, 2, c.series->wMaxPulses, nullptr);
        ASSERT_EQ(detectUnfixedPulses(host, c.etalons, c.list, c.g.Tmin, c.g.Tmax, c.level,
                                      chains.get(), c.series.get()),
                  1);
        ++compared;
        if (smallest >= 9999999) {
            EXPECT_EQ(chains->distance[0], 9999999);
            EXPECT_EQ(c.series->wDetectedPulses, 0);
            continue;
        }
        EXPECT_EQ(chains->distance[0], smallest);
        expectConsistentChain(c, fixture::detectedChain(*c.series), smallest);
    }
    EXPECT_EQ(compared, kCases);
    EXPECT_LT(overflowing, kCases);
}

TEST(Optimality, KnownNumberDetectionFindsTheSmallestChain) {
    std::mt19937 rng(815);
    RecordingHost host;
    int compared = 0;
    for (int attempt = 0; compared < kCases && attempt < 20 * kCases; ++attempt) {
        RandomCase c = drawCase(rng);
        SCOPED_TRACE(::testing::Message() << "attempt " << attempt);
        std::int64_t smallest = kNone;
        if (!enumerateKnown(c, scoresFor(c, c.list),
                            [&](std::int64_t v) { smallest = std::min(smallest, v); })) {
            continue;
        }
        auto chains = getChainsHeader(host, 2, c.series->wMaxPulses, nullptr);
        ASSERT_EQ(detectFixedPulses(host, c.etalons, c.list, c.g.Tmin, c.g.Tmax, c.level,
                                    chains.get(), c.series.get()),
                  1);
        ++compared;
        ASSERT_LT(smallest, 9999999);  // the true chain is admissible
        EXPECT_EQ(chains->distance[0], smallest);
        EXPECT_EQ(c.series->wDetectedPulses, c.series->wImpulseQuantity);
        expectConsistentChain(c, fixture::detectedChain(*c.series), smallest);
    }
    EXPECT_EQ(compared, kCases);
}

TEST(Optimality, UnknownNumberTuplesFindTheSmallestCyclicChain) {
    std::mt19937 rng(1234);
    RecordingHost host;
    int compared = 0;
    for (int attempt = 0; compared < kCases && attempt < 20 * kCases; ++attempt) {
        RandomCase c = drawCase(rng);
        SCOPED_TRACE(::testing::Message() << "attempt " << attempt);
        const Sets sets = definedSets(c);
        if (!listsHoldTheSets(c, sets)) continue;
        const std::vector<std::uint32_t> subset(c.list.begin(), c.list.end());
        std::vector<std::vector<std::int64_t>> layerScores;
        for (std::size_t l = 0; l < std::min<std::size_t>(subset.size(), c.series->wMaxPulses);
             ++l) {
            layerScores.push_back(scoresFor(c, std::span(c.list).subspan(l, 1)));
        }
        std::int64_t smallest = kNone;
        if (!enumerateUnknown(c, sets, layerScores,
                              [&](std::int64_t v) { smallest = std::min(smallest, v); })) {
            continue;
        }
        auto chains = getChainsHeader(host, 2, c.series->wMaxPulses, nullptr);
        std::uint32_t debugging = 0;
        ASSERT_EQ(TuplesDetection(host, c.etalons, subset, 1, c.g.Tmin, c.g.Tmax, c.level,
                                  chains.get(), c.series.get(), debugging),
                  1);
        ++compared;
        if (smallest >= 99999999) {
            EXPECT_EQ(c.series->wDetectedPulses, 0);
            continue;
        }
        EXPECT_EQ(chains->distance[0], smallest);
        const PulseChain chain = fixture::detectedChain(*c.series);
        for (std::size_t j = 0; j < chain.size(); ++j) {
            EXPECT_EQ(chain[j].etalon, subset[j % layerScores.size()]);
        }
    }
    EXPECT_EQ(compared, kCases);
}

}  // namespace
}  // namespace mirovale
