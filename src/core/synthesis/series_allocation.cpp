#include "core/synthesis/series_allocation.h"

#include <algorithm>
#include <string>
#include <vector>

#include "core/host/allocation.h"
#include "core/synthesis/series_geometry.h"
#include "core/synthesis/series_synthesis.h"

namespace mirovale {
namespace {

constexpr const char* kHeaderCaption = " getCutOffSeriesHeader ";

// Capacities after growing: never below what the record already holds.
struct Capacity {
    std::uint32_t samples = 0;  // dwMaxSeriesSize
    std::uint16_t pulses = 0;   // wMaxPulsesSpace
    std::uint32_t blocks = 0;   // dwMaxBlocks
};

Capacity grownCapacity(const SeriesHeader& s, const SeriesGeometry& g, std::uint16_t L,
                       std::uint32_t N) {
    Capacity c;
    c.samples = std::max(N, s.dwMaxSeriesSize);
    c.pulses = std::max(g.wMaxPulses, s.wMaxPulsesSpace);
    c.blocks = std::max((c.samples + L - 1) / L, g.dwBlocks);
    return c;
}

bool buffersFit(const SeriesHeader& s, const SeriesGeometry& g, std::uint16_t L, std::uint32_t N) {
    const std::size_t blockSamples = static_cast<std::size_t>(g.dwBlocks) * L;
    return N <= s.dwMaxSeriesSize && g.wMaxPulses <= s.wMaxPulsesSpace &&
           g.dwBlocks <= s.dwMaxBlocks && blockSamples <= s.lpVectorPureData.size() &&
           blockSamples <= s.lpVectorData.size();
}

// The signal and per-pulse arrays, made anew and zeroed as one allocation request. The subset
// laid into every series is carried over.
bool growSignalBuffer(SeriesHeader& s, const Capacity& c) {
    return tryAllocate([&] {
        const std::size_t kept = std::min<std::size_t>(s.wSubsetSize, s.lpSubset.size());
        const std::vector<std::int16_t> subset(s.lpSubset.begin(),
                                               s.lpSubset.begin() + static_cast<long>(kept));
        s.lpPureData.assign(c.samples, 0);
        s.lpData.assign(c.samples, 0);
        for (auto* v :
             {&s.lpEtalonNumbers, &s.lpDetectedEtalons, &s.lpPositions, &s.lpDetectedPositions,
              &s.lpMinPositions, &s.lpMaxPositions, &s.lpBegins, &s.lpEnds, &s.lpDetectedBegins,
              &s.lpDetectedEnds, &s.lpSubset, &s.lpTupleFirst, &s.lpTupleLast, &s.lpBlocks,
              &s.lpDetectedBlocks, &s.lpMinBlocks, &s.lpMaxBlocks})
            v->assign(c.pulses, 0);
        std::copy(subset.begin(), subset.end(), s.lpSubset.begin());
    });
}

// The two block views, as the second request.
bool growBlockViews(SeriesHeader& s, const Capacity& c, std::uint16_t L) {
    const std::size_t samples = static_cast<std::size_t>(c.blocks) * L;
    return tryAllocate([&] {
        s.lpVectorPureData.assign(samples, 0);
        s.lpVectorData.assign(samples, 0);
    });
}

void setSizes(SeriesHeader& s, std::uint16_t P, std::uint16_t wTmin, std::uint16_t wTmax,
              std::uint32_t N, const SeriesGeometry& g) {
    s.wEtalons = P;
    s.dwSeriesSize = N;
    s.wMaxPulses = g.wMaxPulses;
    s.wMinPulses = g.wMinPulses;
    s.wTmin = wTmin;
    s.wTmax = wTmax;
    s.dwBlocks = g.dwBlocks;
    s.wTminBlocks = g.wTminBlocks;
    s.wTmaxBlocks = g.wTmaxBlocks;
    s.wVectorMode = 0;  // the block view is filled but never switched on
    std::fill(s.lpPulsesList.begin(), s.lpPulsesList.end(), nullptr);
    // Sized afresh, the record holds no series until one is laid in: a series whose making is
    // then refused must not show the old pulses over emptied arrays and etalons.
    s.wImpulseQuantity = 0;
    s.wDetectedPulses = 0;
}

}  // namespace

std::unique_ptr<SeriesHeader> getCutOffSeriesHeader(Host& host, std::uint16_t P, std::uint16_t L,
                                                    std::uint16_t wTmin, std::uint16_t wTmax,
                                                    std::uint32_t N,
                                                    std::unique_ptr<SeriesHeader> old) {
    if (const std::string problem = seriesParametersProblem(L, wTmin, wTmax, N); !problem.empty()) {
        host.messageBox(problem, kHeaderCaption, MessageIcon::Exclamation);
        return old;
    }
    const SeriesGeometry g = seriesGeometry(L, wTmin, wTmax, N);
    std::unique_ptr<SeriesHeader> series = std::move(old);
    if (!series && !tryAllocate([&] { series = std::make_unique<SeriesHeader>(); })) {
        host.messageBox("Нет памяти для newSeriesHeader!", kHeaderCaption, MessageIcon::None);
        return nullptr;
    }
    if (!buffersFit(*series, g, L, N)) {
        const Capacity c = grownCapacity(*series, g, L, N);
        if (!growSignalBuffer(*series, c)) {
            host.messageBox("Нет памяти для newSeriesHeader->lpPureData!", kHeaderCaption,
                            MessageIcon::None);
            return nullptr;
        }
        if (!growBlockViews(*series, c, L)) {
            host.messageBox("Нет памяти для newSeriesHeader->lpVectorPureData!", kHeaderCaption,
                            MessageIcon::None);
            return nullptr;
        }
        series->dwMaxSeriesSize = c.samples;
        series->wMaxPulsesSpace = c.pulses;
        series->dwMaxBlocks = c.blocks;
    }
    if (series->wMaxEtalons < P || series->lpPulsesList.size() < P) {
        if (!tryAssign(series->lpPulsesList, P, static_cast<const PulseHeader*>(nullptr))) {
            host.messageBox("Нет памяти для newSeriesHeader->lpPulsesList!", kHeaderCaption,
                            MessageIcon::None);
            return nullptr;
        }
        series->wMaxEtalons = P;
    }
    setSizes(*series, P, wTmin, wTmax, N, g);
    return series;
}

std::unique_ptr<SeriesHeader> getCutOffSeries(Host& host, GeneratorStates& states, std::uint16_t P,
                                              std::span<const PulseHeader> table, std::uint16_t L,
                                              std::uint16_t wTmin, std::uint16_t wTmax,
                                              std::uint32_t N, std::uint16_t n,
                                              std::span<std::uint16_t> sequence, std::uint16_t A,
                                              std::uint16_t wSavedEnergy,
                                              std::unique_ptr<SeriesHeader> old) {
    if (const std::string problem = seriesParametersProblem(L, wTmin, wTmax, N); !problem.empty()) {
        host.messageBox(problem, " getCutOffSeries ", MessageIcon::Exclamation);
        return old;
    }
    auto series = getCutOffSeriesHeader(host, P, L, wTmin, wTmax, N, std::move(old));
    if (!series) {
        // "Cannot allocate memory for lpSeriesHeader!"
        host.messageBox("Не могу выделить память для lpSeriesHeader!", " getCutOffSeries ",
                        MessageIcon::Exclamation);
        return nullptr;
    }
    if (series->wMinPulses == 0) series->wMinPulses = 1;
    // A refused n leaves the record with its previous series; the message has been shown.
    static_cast<void>(makeExtSeries(host, states, P, table, L, wTmin, wTmax, N, n, sequence, A,
                                    wSavedEnergy, *series));
    return series;
}

std::unique_ptr<SeriesHeader> getRandomCountSeries(
    Host& host, GeneratorStates& states, std::uint16_t P, std::span<const PulseHeader> table,
    std::uint16_t L, std::uint16_t wTmin, std::uint16_t wTmax, std::uint32_t N, std::uint16_t /*n*/,
    std::span<std::uint16_t> sequence, std::uint16_t A, std::uint16_t wSavedEnergy,
    std::unique_ptr<SeriesHeader> old) {
    if (const std::string problem = seriesParametersProblem(L, wTmin, wTmax, N); !problem.empty()) {
        host.messageBox(problem, " getRandomCountSeries ", MessageIcon::Exclamation);
        return old;
    }
    const SeriesGeometry g = seriesGeometry(L, wTmin, wTmax, N);
    if (g.wMaxPulses < g.wMinPulses) return nullptr;
    const auto span = static_cast<std::uint32_t>(g.wMaxPulses - g.wMinPulses + 1);
    const auto n = static_cast<std::uint16_t>(
        g.wMinPulses + static_cast<std::uint32_t>(nextUniform(states.wPulseCountSeed) >> 2) % span);
    return getCutOffSeries(host, states, P, table, L, wTmin, wTmax, N, n, sequence, A, wSavedEnergy,
                           std::move(old));
}

}  // namespace mirovale
