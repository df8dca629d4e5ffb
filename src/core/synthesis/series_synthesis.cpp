#include "core/synthesis/series_synthesis.h"

#include <algorithm>
#include <limits>
#include <string>
#include <vector>

#include "core/host/allocation.h"
#include "core/host/format_text.h"
#include "core/synthesis/series_geometry.h"
#include "core/synthesis/series_subsets.h"

namespace mirovale {
namespace {

constexpr const char* kCaption = " makeExtSeries ";

std::int16_t saturated(std::int64_t x) {
    return static_cast<std::int16_t>(std::clamp<std::int64_t>(
        x, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max()));
}

void refuse(Host& host, const std::string& text) {
    host.messageBox(text, kCaption, MessageIcon::Exclamation);
}

std::string incompatibleMessage(const SeriesHeader& series, std::uint32_t N, std::uint16_t L,
                                const SeriesGeometry& g, std::uint16_t n) {
    // "Incompatible input parameters!", each value of this call followed by the series' own.
    return formatText(
        "Несовместимые входные параметры!\n\ndwSeriesSize: %d [%d]\nwImpulseSize: %d [%d]\n"
        "wMinPulses: %d [%d]\nwMaxPulses: %d [%d]\nwImpulseQuantity: %d\n\n",
        static_cast<int>(N), static_cast<int>(series.dwSeriesSize), static_cast<int>(L),
        static_cast<int>(series.wImpulseSize), static_cast<int>(g.wMinPulses),
        static_cast<int>(series.wMinPulses), static_cast<int>(g.wMaxPulses),
        static_cast<int>(series.wMaxPulses), static_cast<int>(n));
}

std::string infeasibleBlocksMessage(const SeriesGeometry& g, std::uint16_t n) {
    // "The pulses cannot be placed block by block!": with Tmin or Tmax not a multiple of L the
    // block distances are coarser than the sample ones, and some counts inside least..most no
    // longer fit.
    return formatText(
        "Импульсы не размещаются по блокам!\n\nwImpulseQuantity: %d\ndwBlocks: %d\n"
        "wTminBlocks: %d\nwTmaxBlocks: %d\n\n",
        static_cast<int>(n), static_cast<int>(g.dwBlocks), static_cast<int>(g.wTminBlocks),
        static_cast<int>(g.wTmaxBlocks));
}

// Whether the record was sized by getCutOffSeriesHeader for this request and the sequence
// holds every pulse, so that no array below is written past its end.
bool sizedFor(const SeriesHeader& s, const SeriesGeometry& g, std::uint16_t P, std::uint16_t L,
              std::uint32_t N, std::uint16_t n, std::size_t sequenceSize) {
    const std::size_t blockSamples = static_cast<std::size_t>(g.dwBlocks) * L;
    const std::vector<const std::vector<std::int16_t>*> perPulse = {
        &s.lpEtalonNumbers,  &s.lpDetectedEtalons, &s.lpPositions, &s.lpDetectedPositions,
        &s.lpMinPositions,   &s.lpMaxPositions,    &s.lpBegins,    &s.lpEnds,
        &s.lpDetectedBegins, &s.lpDetectedEnds,    &s.lpBlocks,    &s.lpDetectedBlocks,
        &s.lpMinBlocks,      &s.lpMaxBlocks};
    return sequenceSize >= n && s.lpPureData.size() >= N && s.lpData.size() >= N &&
           std::all_of(perPulse.begin(), perPulse.end(),
                       [n](const auto* v) { return v->size() >= n; }) &&
           s.dwBlocks == g.dwBlocks && s.wTminBlocks == g.wTminBlocks &&
           s.wTmaxBlocks == g.wTmaxBlocks && s.lpVectorPureData.size() >= blockSamples &&
           s.lpVectorData.size() >= blockSamples && s.lpPulsesList.size() >= P;
}

// The refusals, all before anything is changed. Returns false after the message.
bool acceptRequest(Host& host, std::uint16_t P, std::size_t tableSize, std::uint16_t L,
                   std::uint16_t wTmin, std::uint16_t wTmax, std::uint32_t N, std::uint16_t n,
                   std::size_t sequenceSize, const SeriesHeader& series) {
    if (const std::string problem = seriesParametersProblem(L, wTmin, wTmax, N); !problem.empty()) {
        refuse(host, problem);
        return false;
    }
    const SeriesGeometry g = seriesGeometry(L, wTmin, wTmax, N);
    if (n < g.wMinPulses || n > g.wMaxPulses) {
        refuse(host, incompatibleMessage(series, N, L, g, n));
        return false;
    }
    if (P < 1 || P > tableSize) {
        // "Invalid number of etalons: %d (allowed 1 to %d)!"
        refuse(host, formatText("Недопустимое число эталонов: %d (допустимо от 1 до %d)!",
                                static_cast<int>(P), static_cast<int>(tableSize)));
        return false;
    }
    if (!blockProblemFeasible(g, n)) {
        refuse(host, infeasibleBlocksMessage(g, n));
        return false;
    }
    if (!sizedFor(series, g, P, L, N, n, sequenceSize)) {
        // "The series record or the etalon sequence is too small for these parameters!"
        refuse(host, "Запись серии или последовательность эталонов мала для этих параметров!");
        return false;
    }
    return true;
}

void setHeaderFields(SeriesHeader& s, std::uint16_t L, std::uint16_t wTmin, std::uint16_t wTmax,
                     std::uint32_t N, std::uint16_t n, std::uint16_t A, const SeriesGeometry& g) {
    s.dwSeriesSize = N;
    s.wMaxPulses = g.wMaxPulses;
    s.wMinPulses = g.wMinPulses;
    s.wNoiseLevel = 0;
    s.wAmplitude = A;
    s.wDefaultBegin = 0;
    s.wDefaultEnd = static_cast<std::uint16_t>(L - 1);
    s.wTmin = wTmin;
    s.wTmax = wTmax;
    s.wImpulseSize = L;
    s.wImpulseQuantity = n;
}

void setPulseArrays(SeriesHeader& s, std::uint16_t P, std::uint16_t L, std::uint16_t n,
                    std::span<std::uint16_t> sequence) {
    for (std::size_t k = 0; k < n; ++k) {
        if (sequence[k] < 1 || sequence[k] > P) sequence[k] = 1;
        s.lpEtalonNumbers[k] = static_cast<std::int16_t>(sequence[k]);
        s.lpDetectedEtalons[k] = 0;
        s.lpDetectedBegins[k] = 0;
        s.lpDetectedEnds[k] = 0;
        s.lpBegins[k] = 0;
        s.lpEnds[k] = static_cast<std::int16_t>(L - 1);
    }
}

// The samples of the etalon with 1-based `number`; a missing record or sample reads as 0.
std::int64_t etalonSample(std::span<const PulseHeader> table, std::int16_t number, std::size_t j) {
    if (number < 1 || static_cast<std::size_t>(number) > table.size()) return 0;
    const auto& data = table[static_cast<std::size_t>(number - 1)].lpData;
    return j < data.size() ? data[j] : 0;
}

struct Fragment {
    std::int16_t begin = 0;
    std::int16_t end = 0;
};

// A random fragment [begin, end] of L samples whose energy exceeds `keep` (the whole etalon
// when keep is its total). E holds the L + 1 cumulative energies.
Fragment drawFragment(GeneratorStates& states, std::span<const std::int64_t> E, std::int32_t L,
                      std::int64_t keep) {
    const std::int64_t total = E[static_cast<std::size_t>(L)];
    // Latest begin: from any begin up to s to the end lies more than keep.
    std::int32_t s = 0;
    while (s < L && keep < total - E[static_cast<std::size_t>(s + 1)]) ++s;
    s = std::min(s, L - 1);
    const std::int32_t begin = nextUniform(states.wFragmentBeginSeed) % (s + 1);
    // Least end: the sample whose inclusion makes the fragment's energy exceed keep.
    std::int32_t e = L;
    do {
        --e;
    } while (e > begin &&
             E[static_cast<std::size_t>(e)] - E[static_cast<std::size_t>(begin)] > keep);
    const std::int32_t end = e + nextUniform(states.wFragmentEndSeed) % (L - e);
    return {static_cast<std::int16_t>(begin), static_cast<std::int16_t>(end)};
}

}  // namespace

std::uint16_t makeExtSeries(Host& host, GeneratorStates& states, std::uint16_t P,
                            std::span<const PulseHeader> table, std::uint16_t L,
                            std::uint16_t wTmin, std::uint16_t wTmax, std::uint32_t N,
                            std::uint16_t n, std::span<std::uint16_t> sequence, std::uint16_t A,
                            std::uint16_t wSavedEnergy, SeriesHeader& series) {
    if (!acceptRequest(host, P, table.size(), L, wTmin, wTmax, N, n, sequence.size(), series))
        return 0;
    const SeriesGeometry g = seriesGeometry(L, wTmin, wTmax, N);
    setHeaderFields(series, L, wTmin, wTmax, N, n, A, g);
    if (series.wSubsetSize != 0) applySubset(states, n, sequence, series);
    setPulseArrays(series, P, L, n, sequence);

    series.wEtalons = P;
    for (std::size_t i = 0; i < P; ++i) series.lpPulsesList[i] = &table[i];
    series.lpFirstPulse = series.lpPulsesList[static_cast<std::size_t>(sequence[0] - 1)];
    std::fill_n(series.lpPureData.begin(), N, std::int16_t{0});

    boundPositions(n, L, wTmin, wTmax, N, series.lpMinPositions, series.lpMaxPositions);
    boundPositions(n, 1, g.wTminBlocks, g.wTmaxBlocks, g.dwBlocks, series.lpMinBlocks,
                   series.lpMaxBlocks);
    if (!drawPositions(states, n, g.wTminBlocks, g.wTmaxBlocks, series.lpMinBlocks,
                       series.lpMaxBlocks, series.lpBlocks))
        return 0;
    // A signal that could not be built is reported as a failure, not as n pulses.
    return buildCutOffSignal(host, states, table, n, wSavedEnergy, series) ? n : 0;
}

void boundPositions(std::uint16_t n, std::uint16_t D, std::uint16_t wTmin, std::uint16_t wTmax,
                    std::uint32_t T, std::span<std::int16_t> lows, std::span<std::int16_t> highs) {
    const std::int64_t tmin = wTmin;
    const std::int64_t tmax = wTmax;
    const std::int64_t d = D;
    const std::int64_t t = T;
    for (std::int64_t k = 0; k < n; ++k) {
        const auto i = static_cast<std::size_t>(k);
        lows[i] = saturated(std::max(k * tmin, t - tmax * (n - k)));
        highs[i] = saturated(std::min((k + 1) * tmax - d, t - d - tmin * (n - 1 - k)));
    }
}

bool drawPositions(GeneratorStates& states, std::uint16_t n, std::uint16_t wTmin,
                   std::uint16_t wTmax, std::span<const std::int16_t> lows,
                   std::span<const std::int16_t> highs, std::span<std::int16_t> positions) {
    if (n == 0) return true;
    // One draw inside lo..hi; false instead of reducing by an empty range.
    auto draw = [&](std::int32_t lo, std::int32_t hi, std::int16_t& out) {
        if (hi < lo) return false;
        out = static_cast<std::int16_t>(lo +
                                        (nextUniform(states.wPositionSeed) >> 2) % (hi - lo + 1));
        return true;
    };
    const std::size_t k0 = static_cast<std::size_t>((nextUniform(states.wPositionSeed) >> 2) % n);
    if (!draw(lows[k0], highs[k0], positions[k0])) return false;
    for (std::size_t k = k0 + 1; k < n; ++k) {
        const std::int32_t lo = std::max(positions[k - 1] + wTmin, std::int32_t{lows[k]});
        const std::int32_t hi = std::min(positions[k - 1] + wTmax, std::int32_t{highs[k]});
        if (!draw(lo, hi, positions[k])) return false;
    }
    for (std::size_t k = k0; k-- > 0;) {
        const std::int32_t lo = std::max(positions[k + 1] - wTmax, std::int32_t{lows[k]});
        const std::int32_t hi = std::min(positions[k + 1] - wTmin, std::int32_t{highs[k]});
        if (!draw(lo, hi, positions[k])) return false;
    }
    return true;
}

bool buildCutOffSignal(Host& host, GeneratorStates& states, std::span<const PulseHeader> table,
                       std::uint16_t n, std::uint16_t wSavedEnergy, SeriesHeader& series) {
    const std::size_t L = series.wImpulseSize;
    // Cumulative energies, 64-bit so that long etalons of large samples cannot wrap.
    std::vector<std::int64_t> partialEnergy;
    if (!tryAssign(partialEnergy, L + 1, std::int64_t{0})) {
        // "No memory for PartialEnergy!"
        host.messageBox("Нет памяти для PartialEnergy!", "", MessageIcon::None);
        return false;
    }
    if (L == 0) return true;  // no etalon samples to cut
    const std::size_t B = series.dwBlocks;
    std::fill_n(series.lpVectorPureData.begin(), B * L, std::int16_t{0});
    for (std::size_t k = 0; k < n; ++k) {
        const std::int16_t number = series.lpEtalonNumbers[k];
        for (std::size_t j = 0; j < L; ++j) {
            const std::int64_t x = etalonSample(table, number, j);
            partialEnergy[j + 1] = partialEnergy[j] + x * x;
        }
        const std::int64_t keep = partialEnergy[L] * wSavedEnergy / 100;
        const Fragment f = drawFragment(states, partialEnergy, static_cast<std::int32_t>(L), keep);
        const auto block = static_cast<std::size_t>(series.lpBlocks[k]);
        const std::span<std::int16_t> samples = series.pureBlock(block);
        for (auto j = static_cast<std::size_t>(f.begin); j <= static_cast<std::size_t>(f.end); ++j)
            samples[j] = static_cast<std::int16_t>(etalonSample(table, number, j));
        series.lpDetectedBlocks[k] = -1;
        series.lpPositions[k] = static_cast<std::int16_t>(block * L);
        series.lpDetectedPositions[k] = -1;
        series.lpBegins[k] = f.begin;
        series.lpEnds[k] = f.end;
    }
    const auto laid = series.lpVectorPureData.begin();
    std::copy_n(laid, B * L, series.lpVectorData.begin());
    const std::size_t shown = std::min<std::size_t>(B * L, series.dwSeriesSize);
    std::copy_n(laid, shown, series.lpPureData.begin());
    std::copy_n(laid, shown, series.lpData.begin());
    return true;
}

}  // namespace mirovale
