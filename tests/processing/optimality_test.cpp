// The dynamic programming against an enumeration of every admissible chain and every
// admissible piece, on small random series with noise.

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <limits>

#include "core/host/recording_host.h"
#include "core/processing/admissible_sets.h"
#include "core/processing/pulse_detection.h"
#include "implementations.h"
#include "series_fixture.h"

namespace mirovale {
namespace {

constexpr int kCases = 150;
constexpr double kMostChains = 20000;  // cases with more chains are drawn again
constexpr std::int64_t kNone = std::numeric_limits<std::int64_t>::max();

struct RandomCase {
    fixture::Geometry g;
    std::uint16_t level = 100;
    EtalonTable etalons;
    std::vector<std::uint16_t> list;  // two or three etalons
    std::unique_ptr<SeriesHeader> series;
    std::vector<std::int64_t> best;  // per start: the smallest score of any etalon and piece
};

using fixture::admissible;

std::int64_t score(const RandomCase& c, const ChainPulse& p) {
    const auto& e = c.etalons[static_cast<std::size_t>(p.etalon - 1)].lpData;
    std::int64_t sum = 0;
    for (int m = p.begin; m <= p.end; ++m) {
        const std::int64_t v = e[static_cast<std::size_t>(m)];
        sum +=
            v * (v - 2 * std::int64_t{c.series->lpData[static_cast<std::size_t>(p.position + m)]});
    }
    return sum;
}

RandomCase drawCase(std::mt19937& rng) {
    RandomCase c;
    std::vector<int> starts;
    while (starts.empty()) {
        c.g = {60 + static_cast<std::uint32_t>(rng() % 91),
               static_cast<std::uint16_t>(3 + rng() % 4),
               static_cast<std::uint16_t>(8 + rng() % 18), 0};
        c.g.Tmax = static_cast<std::uint16_t>(c.g.Tmin + rng() % 11);
        starts = fixture::randomStarts(rng, c.g);
    }
    c.level = std::array<std::uint16_t, 3>{100, 60, 0}[rng() % 3];
    c.etalons = fixture::makeEtalons(c.g.L, static_cast<std::uint32_t>(rng()), 40);
    for (const std::size_t listed = 2 + rng() % 2; c.list.size() < listed;) {
        const auto number = static_cast<std::uint16_t>(1 + rng() % 6);
        if (std::find(c.list.begin(), c.list.end(), number) == c.list.end())
            c.list.push_back(number);
    }
    c.series = fixture::noisySeries(
        rng, c.etalons, c.g, c.level, starts,
        [&](std::size_t) { return c.list[rng() % c.list.size()]; }, 0, 40);
    for (int t = 0; t + c.g.L <= static_cast<int>(c.g.N); ++t) {
        std::int64_t best = kNone;
        for (const int number : c.list) {
            for (int a = 0; a < c.g.L; ++a) {
                for (int b = a; b < c.g.L; ++b) {
                    if (admissible(c.etalons[number - 1u].lpData, a, b, c.level)) {
                        best = std::min(best, score(c, {t, number, a, b}));
                    }
                }
            }
        }
        c.best.push_back(best);
    }
    return c;
}

// Whether the lists the passes walk hold exactly the defined sets. They have room for Kmax
// intervals only: when Tmin is close to Tmax a list (or F ∪ M) can fill up and silently lose
// intervals, and the passes then see fewer starts than the definitions admit.
bool listsHoldTheRoles(const RandomCase& c, const fixture::Roles& roles) {
    const AdmissibleSets s = buildAdmissibleSets(viewOf(*c.series), c.series->wMinPulses,
                                                 c.series->wMaxPulses, c.g.Tmin, c.g.Tmax);
    const auto holds = [&](const IntervalList* list, auto member) {
        std::vector<bool> held(roles.pass.size()), wanted(roles.pass.size());
        forEachPosition(list, [&](std::size_t t) { held[t] = true; });
        for (std::size_t t = 0; t < wanted.size(); ++t) wanted[t] = member(roles.pass[t]);
        return held == wanted;
    };
    return holds(s.firstOnly.get(), [](int p) { return p == 1; }) &&
           holds(s.both.get(), [](int p) { return p == 2; }) &&
           holds(s.laterOnly.get(), [](int p) { return p == 3; }) &&
           holds(s.fitted.get(), [](int p) { return p != 0; }) &&
           holds(s.first.get(), [](int p) { return p == 1 || p == 2; }) &&
           holds(s.later.get(), [](int p) { return p == 2 || p == 3; });
}

// The chains a routine may report: their first starts, the starts that may follow pulse i at t,
// and whether a chain may end with pulse i at t.
struct Search {
    std::vector<int> firsts;
    std::function<std::vector<int>(int, int)> next;
    std::function<bool(int, int)> done;
};

// Unknown number: the first pulse in F, the others in M, the last in Z; a pulse of F ∩ M never
// follows one of M \ F, whose pass runs later.
Search unknownNumberSearch(const RandomCase& c, const fixture::Roles& roles) {
    Search search;
    for (std::size_t t = 0; t < roles.pass.size(); ++t) {
        if (roles.pass[t] == 1 || roles.pass[t] == 2) search.firsts.push_back(static_cast<int>(t));
    }
    search.next = [&c, &roles](int t, int) {
        std::vector<int> follow;
        for (int u = t + c.g.Tmin; u <= t + c.g.Tmax && u < static_cast<int>(roles.pass.size());
             ++u) {
            const int pass = roles.pass[static_cast<std::size_t>(u)];
            if (pass >= 2 && pass >= roles.pass[static_cast<std::size_t>(t)]) follow.push_back(u);
        }
        return follow;
    };
    search.done = [&roles](int t, int) { return roles.last[static_cast<std::size_t>(t)]; };
    return search;
}

// Known number K: pulse m inside the series' window m.
Search knownNumberSearch(const RandomCase& c) {
    const SeriesHeader& s = *c.series;
    Search search;
    for (int t = s.lpMinPositions[0]; t <= s.lpMaxPositions[0]; ++t) search.firsts.push_back(t);
    search.next = [&c, &s](int t, int i) {
        std::vector<int> follow;
        if (i + 1 >= s.wImpulseQuantity) return follow;
        const auto m = static_cast<std::size_t>(i + 1);
        for (int u = std::max<int>(t + c.g.Tmin, s.lpMinPositions[m]);
             u <= std::min<int>(t + c.g.Tmax, s.lpMaxPositions[m]); ++u) {
            follow.push_back(u);
        }
        return follow;
    };
    search.done = [&s](int, int i) { return i + 1 == s.wImpulseQuantity; };
    return search;
}

// Enumerates the chains of the search, the smallest total into `smallest`; false when there
// are too many.
bool enumerate(const RandomCase& c, const Search& search, std::int64_t& smallest) {
    double chains = 0;
    std::function<bool(int, int, std::int64_t)> extend = [&](int t, int i, std::int64_t total) {
        if (search.done(t, i)) {
            smallest = std::min(smallest, total);
            if (++chains > kMostChains) return false;
        }
        for (const int u : search.next(t, i)) {
            if (!extend(u, i + 1, total + c.best[static_cast<std::size_t>(u)])) return false;
        }
        return true;
    };
    for (const int t : search.firsts) {
        if (!extend(t, 0, c.best[static_cast<std::size_t>(t)])) return false;
    }
    return true;
}

// The reported chain is made of admissible pieces, each the best fit at its start, spaced
// Tmin..Tmax apart, and adds up to the distance.
void expectValidChain(const RandomCase& c, const PulseChain& chain, std::int64_t distance) {
    std::int64_t total = 0;
    for (std::size_t j = 0; j < chain.size(); ++j) {
        const ChainPulse& p = chain[j];
        EXPECT_TRUE(admissible(c.etalons[static_cast<std::size_t>(p.etalon - 1)].lpData, p.begin,
                               p.end, c.level));
        EXPECT_EQ(score(c, p), c.best[static_cast<std::size_t>(p.position)]);
        total += score(c, p);
        if (j > 0) {
            EXPECT_GE(p.position - chain[j - 1].position, c.g.Tmin);
            EXPECT_LE(p.position - chain[j - 1].position, c.g.Tmax);
        }
    }
    EXPECT_EQ(total, distance);
}

template <class>
class Optimality : public ::testing::Test {};
TYPED_TEST_SUITE(Optimality, implementations::Both, implementations::Names);

TYPED_TEST(Optimality, DetectionFindsTheSmallestChain) {
    using R = TypeParam;
    RecordingHost host;
    for (const bool fixed : {false, true}) {
        std::mt19937 rng(fixed ? 815 : 4711);
        int compared = 0;
        for (int attempt = 0; compared < kCases && attempt < 20 * kCases; ++attempt) {
            const RandomCase c = drawCase(rng);
            const SeriesHeader& s = *c.series;
            SCOPED_TRACE(::testing::Message()
                         << (fixed ? "known" : "unknown") << ", attempt " << attempt);
            const fixture::Roles roles = fixture::definedRoles(*c.series);
            if (!fixed && !listsHoldTheRoles(c, roles)) continue;
            std::int64_t smallest = kNone;
            if (!enumerate(c, fixed ? knownNumberSearch(c) : unknownNumberSearch(c, roles),
                           smallest))
                continue;
            auto chains = getChainsHeader(host, 2, s.wMaxPulses, nullptr);
            (fixed ? R::detectFixedPulses : R::detectUnfixedPulses)(
                host, c.etalons, c.list, c.g.Tmin, c.g.Tmax, c.level, chains.get(), c.series.get());
            ++compared;
            ASSERT_LT(smallest, 9999999);  // the true chain is one of them
            EXPECT_EQ(chains->distance[0], smallest);
            if (fixed) {
                EXPECT_EQ(s.wDetectedPulses, s.wImpulseQuantity);
            }
            expectValidChain(c, fixture::detectedChain(s), smallest);
        }
        EXPECT_EQ(compared, kCases);
    }
}

}  // namespace
}  // namespace mirovale
