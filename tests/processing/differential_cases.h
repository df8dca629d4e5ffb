#pragma once

// The two implementations of the processing routines, random cases for comparing every routine
// with its literal transcription, and the comparison of what one run leaves behind. Shared by the
// differential test and the differential fuzzer, which draws the same cases from its input bytes.

#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "core/host/allocation.h"
#include "core/host/recording_host.h"
#include "core/processing/alphabet_recognition.h"
#include "core/processing/pulse_detection.h"
#include "core/processing/pulse_recognition.h"
#include "core/processing/reference/alphabet_recognition.h"
#include "core/processing/reference/pulse_detection.h"
#include "core/processing/reference/pulse_recognition.h"
#include "core/processing/reference/tuple_detection.h"
#include "core/processing/reference/tuple_recognition_unfixed.h"
#include "core/processing/tuple_detection.h"
#include "core/processing/tuple_recognition_unfixed.h"
#include "series_fixture.h"

namespace mirovale::implementations {

// The two implementations, so that one test body or table runs against either.
struct Fast {
    static constexpr const char* name = "Fast";
    static constexpr auto detectUnfixedPulses = &mirovale::detectUnfixedPulses;
    static constexpr auto detectFixedPulses = &mirovale::detectFixedPulses;
    static constexpr auto recognizeUnfixedPulses = &mirovale::recognizeUnfixedPulses;
    static constexpr auto recognizeFixedPulses = &mirovale::recognizeFixedPulses;
    static constexpr auto detectFixedTuples = &mirovale::detectFixedTuples;
    static constexpr auto recognizeFixedTuples = &mirovale::recognizeFixedTuples;
    static constexpr auto TuplesDetection = &mirovale::TuplesDetection;
    static constexpr auto recognizeUnfixedTuples = &mirovale::recognizeUnfixedTuples;
    static constexpr auto recognizeAlphabetFixed = &mirovale::recognizeAlphabetFixed;
    static constexpr auto recognizeAlphabetUnfixed = &mirovale::recognizeAlphabetUnfixed;
};

struct Reference {
    static constexpr const char* name = "Reference";
    static constexpr auto detectUnfixedPulses = &reference::detectUnfixedPulses;
    static constexpr auto detectFixedPulses = &reference::detectFixedPulses;
    static constexpr auto recognizeUnfixedPulses = &reference::recognizeUnfixedPulses;
    static constexpr auto recognizeFixedPulses = &reference::recognizeFixedPulses;
    static constexpr auto detectFixedTuples = &reference::detectFixedTuples;
    static constexpr auto recognizeFixedTuples = &reference::recognizeFixedTuples;
    static constexpr auto TuplesDetection = &reference::TuplesDetection;
    static constexpr auto recognizeUnfixedTuples = &reference::recognizeUnfixedTuples;
    static constexpr auto recognizeAlphabetFixed = &reference::recognizeAlphabetFixed;
    static constexpr auto recognizeAlphabetUnfixed = &reference::recognizeAlphabetUnfixed;
};

}  // namespace mirovale::implementations

namespace mirovale::differential {

// How many random cases a differential test draws: the sanitizer builds run several times
// slower, so they draw a fraction (at least one); every case stays replayable from its seed.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr int kDivisor = 8;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr int kDivisor = 8;
#else
inline constexpr int kDivisor = 1;
#endif
#else
inline constexpr int kDivisor = 1;
#endif

constexpr int scaled(int cases) {
    return cases / kDivisor > 0 ? cases / kDivisor : 1;
}

// Everything a routine reads besides the series and the chains record.
struct Inputs {
    EtalonTable etalons{};
    std::vector<std::uint16_t> list;  // repeats, reorderings and numbers outside the table
    std::vector<std::uint32_t> subset;
    std::vector<std::uint32_t> subsetSizes;
    std::vector<std::vector<std::uint32_t>> subsetRows;
    std::uint16_t proceeding = 0, Tmin = 0, Tmax = 0, level = 0;
    std::uint32_t debugging = 0;
};

// One routine of either implementation, run on the inputs; returns its result.
using Run = std::function<int(Host&, Inputs&, ChainsHeader*, SeriesHeader*)>;

struct Routine {
    const char* name;
    Run fast;
    Run reference;
};

inline constexpr const char* kRoutineNames[] = {
    "detectUnfixedPulses",     "detectFixedPulses",      "recognizeUnfixedPulses",
    "recognizeFixedPulses",    "detectFixedTuples",      "recognizeFixedTuples",
    "TuplesDetection",         "recognizeUnfixedTuples", "recognizeAlphabetFixed",
    "recognizeAlphabetUnfixed"};

// The routines of implementation R, in the order of kRoutineNames.
template <class R>
std::vector<Run> runsOf() {
    using H = Host&;
    using I = Inputs&;
    using C = ChainsHeader*;
    using S = SeriesHeader*;
    const auto rows = [](const Inputs& i) {
        return static_cast<std::uint32_t>(i.subsetRows.size());
    };
    return {
        [](H h, I i, C c, S s) {
            return R::detectUnfixedPulses(h, i.etalons, i.list, i.Tmin, i.Tmax, i.level, c, s);
        },
        [](H h, I i, C c, S s) {
            return R::detectFixedPulses(h, i.etalons, i.list, i.Tmin, i.Tmax, i.level, c, s);
        },
        [](H h, I i, C c, S s) {
            return R::recognizeUnfixedPulses(h, i.etalons, i.list, i.Tmin, i.Tmax, i.level, c, s);
        },
        [](H h, I i, C c, S s) {
            return R::recognizeFixedPulses(h, i.etalons, i.list, i.Tmin, i.Tmax, i.level, c, s);
        },
        [](H h, I i, C c, S s) {
            return R::detectFixedTuples(h, i.etalons, i.subset, i.proceeding, i.Tmin, i.Tmax,
                                        i.level, c, s);
        },
        [rows](H h, I i, C c, S s) {
            return R::recognizeFixedTuples(h, i.etalons, i.subsetSizes, i.subsetRows, rows(i),
                                           i.proceeding, i.Tmin, i.Tmax, i.level, c, s);
        },
        [](H h, I i, C c, S s) {
            return R::TuplesDetection(h, i.etalons, i.subset, i.proceeding, i.Tmin, i.Tmax, i.level,
                                      c, s, i.debugging);
        },
        [rows](H h, I i, C c, S s) {
            return R::recognizeUnfixedTuples(h, i.etalons, i.subsetSizes, i.subsetRows, rows(i),
                                             i.proceeding, i.Tmin, i.Tmax, i.level, c, s,
                                             i.debugging);
        },
        [](H h, I i, C c, S s) {
            return R::recognizeAlphabetFixed(h, i.etalons, i.Tmin, i.Tmax, i.level, c, s);
        },
        [](H h, I i, C c, S s) {
            return R::recognizeAlphabetUnfixed(h, i.etalons, i.Tmin, i.Tmax, i.level, c, s);
        },
    };
}

// Runs the routine of implementation R called `name`.
template <class R>
int runNamed(std::string_view name, Host& h, Inputs& in, ChainsHeader* c, SeriesHeader* s) {
    const auto* names = std::begin(kRoutineNames);
    const auto k = std::find(names, std::end(kRoutineNames), name) - names;
    return runsOf<R>().at(static_cast<std::size_t>(k))(h, in, c, s);  // throws on a wrong name
}

inline std::vector<Routine> routines() {
    const std::vector<Run> fast = runsOf<implementations::Fast>(),
                           reference = runsOf<implementations::Reference>();
    std::vector<Routine> all;
    for (std::size_t k = 0; k < fast.size(); ++k) {
        all.push_back({kRoutineNames[k], fast[k], reference[k]});
    }
    return all;
}

// A draw from a few values, so that equal fits and equal chain scores come up often.
template <class Rng>
std::int16_t coarse(Rng& rng, int amplitude) {
    return static_cast<std::int16_t>(static_cast<int>(rng() % (2u * amplitude + 1)) - amplitude);
}

template <class Rng>
std::uint16_t drawNumber(Rng& rng) {
    return static_cast<std::uint16_t>(rng() % 13 == 0 ? 21 : 1 + rng() % 5);  // 21: no etalon
}

struct Case {
    Inputs in;
    std::unique_ptr<SeriesHeader> series;
    std::uint16_t chainRows = 0;
};

// rng : any generator whose call gives 32 random bits (std::mt19937, or a fuzzer's bytes)
template <class Rng>
Case drawCase(Rng& rng) {
    Case c;
    Inputs& in = c.in;
    const auto L = static_cast<std::uint16_t>(1 + rng() % 10);
    in.Tmin = static_cast<std::uint16_t>(L + rng() % 12);
    in.Tmax = static_cast<std::uint16_t>(in.Tmin + (rng() % 3 == 0 ? rng() % 3 : rng() % 25));
    if (rng() % 20 == 0) in.Tmin = static_cast<std::uint16_t>(rng() % 2);  // windows reach back
    const bool reversed = rng() % 40 == 0;  // Tmax < Tmin: no predecessor is ever in reach
    std::uint32_t N = L + static_cast<std::uint32_t>(rng() % 8 == 0 ? rng() % 40 : rng() % 300);
    if (rng() % 5 == 0) N = L * (1 + static_cast<std::uint32_t>(rng() % 30));  // a multiple of L
    const fixture::Geometry g{N, L, std::max<std::uint16_t>(in.Tmin, 1), in.Tmax};
    const std::uint16_t levels[] = {0, 1, 50, 75, 99, 100};
    in.level = rng() % 4 == 0 ? static_cast<std::uint16_t>(rng() % 101) : levels[rng() % 6];
    // Now and then samples near full scale, whose sums need the 64-bit sweeps.
    const int amplitude = rng() % 12 == 0 ? 9000 : std::array{1, 2, 5, 60}[rng() % 4];
    for (auto& etalon : in.etalons) {
        for (std::size_t j = 0; j < L; ++j) {
            etalon.lpData.push_back(rng() % 5 == 0 ? std::int16_t{0} : coarse(rng, amplitude));
        }
    }
    in.etalons[3].lpData = in.etalons[1].lpData;  // twins
    for (std::size_t n = 1 + rng() % 5; in.list.size() < n;) in.list.push_back(drawNumber(rng));
    for (std::size_t n = rng() % 4; in.subset.size() < n + 1;) in.subset.push_back(drawNumber(rng));
    for (std::size_t k = 0, rows = 1 + rng() % 3; k < rows; ++k) {
        auto& row = in.subsetRows.emplace_back();
        for (std::size_t n = 1 + rng() % 3; row.size() < n;) row.push_back(drawNumber(rng));
        in.subsetSizes.push_back(
            static_cast<std::uint32_t>(row.size() - rng() % 2 * (row.size() > 1)));
    }
    in.proceeding = static_cast<std::uint16_t>(1 + rng() % 2);
    if (reversed) std::swap(in.Tmin, in.Tmax);

    // A chain the processing admits when one comes up, else a silent series with no pulses.
    const std::vector<int> starts = fixture::randomStarts(rng, g);
    c.series = starts.empty() ? fixture::makeSeries(in.etalons, g, {})
                              : fixture::noisySeries(
                                    rng, in.etalons, g, in.level, starts,
                                    [&](std::size_t) { return 1 + static_cast<int>(rng() % 5); }, 0,
                                    1 + 3 * amplitude);
    SeriesHeader& s = *c.series;
    if (rng() % 6 == 0) s.wMinPulses = static_cast<std::uint16_t>(s.wMaxPulses + 1);
    if (rng() % 6 == 0) s.wMinPulses = 0;
    s.wAlphabets = static_cast<std::uint16_t>(1 + rng() % 3);
    for (std::size_t a = 0; a < s.wAlphabets; ++a) {
        auto& row = s.selectedAlphabetList.emplace_back();
        for (std::size_t n = 1 + rng() % 3; row.size() < n;) {
            row.push_back(static_cast<std::int16_t>(drawNumber(rng)));
        }
        s.selectedAlphabetSize.push_back(static_cast<std::int16_t>(row.size()));
    }
    c.chainRows = static_cast<std::uint16_t>(1 + rng() % 4);
    return c;
}

// The record as text, row by row, so that a difference shows where it is.
inline std::string chainsText(const ChainsHeader& c) {
    std::ostringstream text;
    text << c.wPretenders << '/' << c.wQuanPulses << '/' << c.wSeekingPulsesQuantity << '\n';
    for (std::size_t r = 0; r < c.wMaxSize; ++r) {
        text << c.distance[r] << ' ' << c.pulsesQuantity[r] << ' ' << c.alphabetNumber[r] << ':';
        for (std::size_t j = 0; j < c.wMaxPulses; ++j) {
            text << ' ' << c.positionsList[r][j] << '(' << c.pulsesList[r][j] << ")["
                 << c.beginsList[r][j] << ' ' << c.endsList[r][j] << ']';
        }
        text << '\n';
    }
    return text.str();
}

inline std::string seriesText(const SeriesHeader& s) {
    std::ostringstream text;
    text << s.wDetectedPulses << " tuples " << s.wDetectedTuples << " subset "
         << s.wRecognizedSubset << " alphabet " << s.wRecognizedAlphabet << '\n';
    for (std::size_t j = 0; j < s.lpDetectedPositions.size(); ++j) {
        text << ' ' << s.lpDetectedPositions[j] << '(' << s.lpDetectedEtalons[j] << ")["
             << s.lpDetectedBegins[j] << ' ' << s.lpDetectedEnds[j] << ']';
    }
    for (std::size_t k = 0; k < s.lpTupleFirst.size(); ++k) {
        text << ' ' << s.lpTupleFirst[k] << '-' << s.lpTupleLast[k];
    }
    return text.str();
}

// What one run left behind.
struct Outcome {
    int result = 0;
    std::string series;
    std::string chains;
    std::vector<RecordedMessage> messages;
    std::uint32_t debugging = 0;
    int requests = 0;

    friend bool operator==(const Outcome&, const Outcome&) = default;
};

inline Outcome runOn(const Run& run, const Case& c, int failAt = 0) {
    RecordingHost host;
    Inputs in = c.in;
    auto series = std::make_unique<SeriesHeader>(*c.series);
    auto chains = getChainsHeader(host, c.chainRows, series->wMaxPulsesSpace, nullptr);
    Outcome outcome;
    {
        ScopedAllocationFailure fail(failAt);
        outcome.result = run(host, in, chains.get(), series.get());
        outcome.requests = AllocationProbe::requests();
    }
    outcome.series = seriesText(*series);
    outcome.chains = chainsText(*chains);
    outcome.messages = host.messages;
    outcome.debugging = in.debugging;
    return outcome;
}

}  // namespace mirovale::differential
