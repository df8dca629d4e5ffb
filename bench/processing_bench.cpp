// Every processing routine, fast and reference, on the workbench's default series: N = 1200,
// the alphabet of 20 etalons of length 20, Tmin 40, Tmax 181, pieces made at level 75, noise 20,
// processed at the levels 100, 75 and 0. Names read <routine>/<fast|reference>/<level>;
// bench/compare pairs them. Items processed are series samples.

#include <benchmark/benchmark.h>

#include <memory>
#include <numeric>
#include <string>
#include <vector>

#include "core/host/recording_host.h"
#include "core/processing/alphabet_recognition.h"
#include "core/processing/chains_header.h"
#include "core/processing/pulse_detection.h"
#include "core/processing/pulse_recognition.h"
#include "core/processing/reference/alphabet_recognition.h"
#include "core/processing/reference/pulse_detection.h"
#include "core/processing/reference/pulse_recognition.h"
#include "core/processing/reference/tuple_detection.h"
#include "core/processing/reference/tuple_recognition_unfixed.h"
#include "core/processing/tuple_detection.h"
#include "core/processing/tuple_recognition_unfixed.h"
#include "core/synthesis/pulse_alphabet.h"
#include "core/synthesis/random.h"
#include "core/synthesis/series_allocation.h"

namespace mirovale {
namespace {

constexpr std::uint16_t kTmin = 40;
constexpr std::uint16_t kTmax = 181;
constexpr std::uint32_t kLength = 1200;

// The alphabet, the lists and the two default series (known and unknown number of pulses).
struct Workbench {
    RecordingHost host;
    GeneratorStates states;
    EtalonTable etalons{};
    std::vector<std::uint16_t> list;  // every etalon, as the required list holds them
    std::vector<std::uint32_t> subset{2, 5, 9};
    std::vector<std::uint32_t> subsetSizes{3, 2, 4};
    std::vector<std::vector<std::uint32_t>> subsetRows{{2, 5, 9}, {1, 3}, {4, 8, 12, 16}};
    std::unique_ptr<SeriesHeader> fixed;
    std::unique_ptr<SeriesHeader> unfixed;

    Workbench() {
        createPulses(host, states, 128, 20, 20, etalons);
        list.resize(20);
        std::iota(list.begin(), list.end(), std::uint16_t{1});
        std::vector<std::uint16_t> sequence(64);
        for (std::size_t m = 0; m < sequence.size(); ++m) {
            sequence[m] = static_cast<std::uint16_t>(1 + m * 7 % 20);
        }
        std::uint16_t noise = 10597;
        fixed = getCutOffSeries(host, states, 20, etalons, 20, kTmin, kTmax, kLength, 15, sequence,
                                128, 75, nullptr);
        addNoise(20, *fixed, noise);
        unfixed = getRandomCountSeries(host, states, 20, etalons, 20, kTmin, kTmax, kLength, 15,
                                       sequence, 128, 75, nullptr);
        addNoise(20, *unfixed, noise);
        for (SeriesHeader* s : {fixed.get(), unfixed.get()}) {
            s->wAlphabets = 3;
            s->selectedAlphabetSize = {5, 7, 8};
            s->selectedAlphabetList = {
                {1, 3, 5, 7, 9}, {2, 4, 6, 8, 10, 12, 14}, {11, 13, 15, 16, 17, 18, 19, 20}};
        }
    }
};

Workbench& workbench() {
    static Workbench bench;
    return bench;
}

// One routine of one implementation on the series it takes.
using Run = int (*)(Workbench&, std::uint16_t level, ChainsHeader*, SeriesHeader*);

void runRoutine(benchmark::State& state, Run run, bool fixedSeries) {
    Workbench& w = workbench();
    const auto level = static_cast<std::uint16_t>(state.range(0));
    SeriesHeader series = fixedSeries ? *w.fixed : *w.unfixed;
    auto chains = getChainsHeader(w.host, 10, series.wMaxPulses, nullptr);
    for (auto _ : state) {
        benchmark::DoNotOptimize(run(w, level, chains.get(), &series));
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * kLength);
}

// "<routine>/<implementation>", to which the level is appended as the argument; built by
// appending, which keeps GCC 12's restrict warning on concatenated temporaries away.
std::string caseName(const char* routine, const char* implementation) {
    std::string name(routine);
    name.append("/").append(implementation);
    return name;
}

// Registers <name>/fast/<level> and <name>/reference/<level>; the reference at the levels that
// admit pieces runs a few iterations only.
void registerPair(const char* name, Run fast, Run reference, bool fixedSeries) {
    for (const int level : {100, 75, 0}) {
        benchmark::RegisterBenchmark(caseName(name, "fast").c_str(),
                                     [=](benchmark::State& s) { runRoutine(s, fast, fixedSeries); })
            ->Arg(level)
            ->Unit(benchmark::kMicrosecond);
        auto* slow = benchmark::RegisterBenchmark(
            caseName(name, "reference").c_str(),
            [=](benchmark::State& s) { runRoutine(s, reference, fixedSeries); });
        slow->Arg(level)->Unit(benchmark::kMicrosecond);
        if (level < 100) slow->Iterations(3);
    }
}

// The routines with the workbench's lists, one adapter per parameter list.
template <auto routine>
int pulses(Workbench& w, std::uint16_t level, ChainsHeader* c, SeriesHeader* s) {
    return routine(w.host, w.etalons, std::span<const std::uint16_t>(w.list), kTmin, kTmax, level,
                   c, s);
}

template <auto routine>
int subsetTuples(Workbench& w, std::uint16_t level, ChainsHeader* c, SeriesHeader* s) {
    std::uint32_t debugging = 0;
    const std::span<const std::uint32_t> subset(w.subset);
    if constexpr (requires { routine(w.host, w.etalons, subset, 2, kTmin, kTmax, level, c, s); }) {
        return routine(w.host, w.etalons, subset, 2, kTmin, kTmax, level, c, s);
    } else {
        return routine(w.host, w.etalons, subset, 2, kTmin, kTmax, level, c, s, debugging);
    }
}

template <auto routine>
int storedTuples(Workbench& w, std::uint16_t level, ChainsHeader* c, SeriesHeader* s) {
    std::uint32_t debugging = 0;
    const std::span<const std::uint32_t> sizes(w.subsetSizes);
    const std::span<const std::vector<std::uint32_t>> rows(w.subsetRows);
    if constexpr (requires {
                      routine(w.host, w.etalons, sizes, rows, 3, 2, kTmin, kTmax, level, c, s);
                  }) {
        return routine(w.host, w.etalons, sizes, rows, 3, 2, kTmin, kTmax, level, c, s);
    } else {
        return routine(w.host, w.etalons, sizes, rows, 3, 2, kTmin, kTmax, level, c, s, debugging);
    }
}

template <auto routine>
int alphabets(Workbench& w, std::uint16_t level, ChainsHeader* c, SeriesHeader* s) {
    return routine(w.host, w.etalons, kTmin, kTmax, level, c, s);
}

const bool registered = [] {
    namespace ref = reference;
    registerPair("detectUnfixedPulses", pulses<&detectUnfixedPulses>,
                 pulses<&ref::detectUnfixedPulses>, false);
    registerPair("detectFixedPulses", pulses<&detectFixedPulses>, pulses<&ref::detectFixedPulses>,
                 true);
    registerPair("recognizeUnfixedPulses", pulses<&recognizeUnfixedPulses>,
                 pulses<&ref::recognizeUnfixedPulses>, false);
    registerPair("recognizeFixedPulses", pulses<&recognizeFixedPulses>,
                 pulses<&ref::recognizeFixedPulses>, true);
    registerPair("detectFixedTuples", subsetTuples<&detectFixedTuples>,
                 subsetTuples<&ref::detectFixedTuples>, true);
    registerPair("recognizeFixedTuples", storedTuples<&recognizeFixedTuples>,
                 storedTuples<&ref::recognizeFixedTuples>, true);
    registerPair("TuplesDetection", subsetTuples<&TuplesDetection>,
                 subsetTuples<&ref::TuplesDetection>, false);
    registerPair("recognizeUnfixedTuples", storedTuples<&recognizeUnfixedTuples>,
                 storedTuples<&ref::recognizeUnfixedTuples>, false);
    registerPair("recognizeAlphabetFixed", alphabets<&recognizeAlphabetFixed>,
                 alphabets<&ref::recognizeAlphabetFixed>, true);
    registerPair("recognizeAlphabetUnfixed", alphabets<&recognizeAlphabetUnfixed>,
                 alphabets<&ref::recognizeAlphabetUnfixed>, false);
    return true;
}();

}  // namespace
}  // namespace mirovale
