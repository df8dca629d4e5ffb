// Every processing routine, fast and reference, on the workbench's default series: N = 1200,
// the alphabet of 20 etalons of length 20, Tmin 40, Tmax 181, pieces made at level 75, noise 20,
// processed at the levels 100, 75 and 0. Names read <routine>/<fast|reference>/<level>;
// bench/compare pairs them. Items processed are series samples. Besides, <routine>/floor/0 is
// the floor of the routine: one plain pass that correlates every etalon the routine needs with
// the whole series, which no routine can beat.

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

// Correlations of the etalons with the series at every start, in 32 bits, a block of starts at a
// time so that the sums stay in registers; x holds kBlock - 1 zeros past the series. Built for
// the widest instruction set the processor runs, as the routines' sweeps are.
constexpr std::size_t kBlock = 32;

__attribute__((target_clones("arch=x86-64-v4", "avx2", "default"))) void correlate(
    std::span<const std::int16_t> x, std::size_t starts,
    std::span<const std::vector<std::int16_t>> etalons, std::size_t L, std::int32_t* out) {
    for (const std::vector<std::int16_t>& e : etalons) {
        for (std::size_t t0 = 0; t0 < starts; t0 += kBlock) {
            std::int32_t sum[kBlock] = {};
            for (std::size_t m = 0; m < L; ++m) {
                const std::int32_t em = e[m];
                const std::int16_t* xm = x.data() + t0 + m;
                for (std::size_t i = 0; i < kBlock; ++i) sum[i] += em * xm[i];
            }
            for (std::size_t i = 0; i < kBlock; ++i) out[t0 + i] = sum[i];
        }
        out += starts + kBlock;
    }
}

// The floor of a routine that needs the etalons `numbers` on the unknown or the known series.
void runFloor(benchmark::State& state, std::vector<std::uint16_t> numbers, bool fixedSeries) {
    Workbench& w = workbench();
    const SeriesHeader& series = fixedSeries ? *w.fixed : *w.unfixed;
    const std::size_t L = series.wImpulseSize;
    std::vector<std::int16_t> x(series.lpData.begin(), series.lpData.begin() + kLength);
    x.resize(kLength + kBlock, 0);
    const std::size_t starts = kLength - L + 1;
    std::vector<std::vector<std::int16_t>> etalons;
    for (const std::uint16_t n : numbers) {
        const auto& data = w.etalons[n - 1u].lpData;
        etalons.emplace_back(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(L));
    }
    std::vector<std::int32_t> out(etalons.size() * (starts + kBlock));
    for (auto _ : state) {
        correlate(x, starts, etalons, L, out.data());
        benchmark::DoNotOptimize(out.data());
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
void registerPair(const char* name, Run fast, Run reference, bool fixedSeries,
                  std::vector<std::uint16_t> required) {
    benchmark::RegisterBenchmark(caseName(name, "floor").c_str(),
                                 [=](benchmark::State& s) { runFloor(s, required, fixedSeries); })
        ->Arg(0)
        ->Unit(benchmark::kMicrosecond);
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
    // The etalons each routine correlates: the list, the subset, the stored subsets' distinct
    // members, the selected alphabets' members (together every etalon).
    std::vector<std::uint16_t> all(20);
    std::iota(all.begin(), all.end(), std::uint16_t{1});
    const std::vector<std::uint16_t> subset{2, 5, 9};
    const std::vector<std::uint16_t> stored{2, 5, 9, 1, 3, 4, 8, 12, 16};
    registerPair("detectUnfixedPulses", pulses<&detectUnfixedPulses>,
                 pulses<&ref::detectUnfixedPulses>, false, all);
    registerPair("detectFixedPulses", pulses<&detectFixedPulses>, pulses<&ref::detectFixedPulses>,
                 true, all);
    registerPair("recognizeUnfixedPulses", pulses<&recognizeUnfixedPulses>,
                 pulses<&ref::recognizeUnfixedPulses>, false, all);
    registerPair("recognizeFixedPulses", pulses<&recognizeFixedPulses>,
                 pulses<&ref::recognizeFixedPulses>, true, all);
    registerPair("detectFixedTuples", subsetTuples<&detectFixedTuples>,
                 subsetTuples<&ref::detectFixedTuples>, true, subset);
    registerPair("recognizeFixedTuples", storedTuples<&recognizeFixedTuples>,
                 storedTuples<&ref::recognizeFixedTuples>, true, stored);
    registerPair("TuplesDetection", subsetTuples<&TuplesDetection>,
                 subsetTuples<&ref::TuplesDetection>, false, subset);
    registerPair("recognizeUnfixedTuples", storedTuples<&recognizeUnfixedTuples>,
                 storedTuples<&ref::recognizeUnfixedTuples>, false, stored);
    registerPair("recognizeAlphabetFixed", alphabets<&recognizeAlphabetFixed>,
                 alphabets<&ref::recognizeAlphabetFixed>, true, all);
    registerPair("recognizeAlphabetUnfixed", alphabets<&recognizeAlphabetUnfixed>,
                 alphabets<&ref::recognizeAlphabetUnfixed>, false, all);
    return true;
}();

}  // namespace
}  // namespace mirovale
