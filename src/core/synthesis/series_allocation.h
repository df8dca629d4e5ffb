#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "core/host/host.h"
#include "core/synthesis/pulse_header.h"
#include "core/synthesis/random.h"
#include "core/synthesis/series_header.h"

namespace mirovale {

// Sizes a series record for N samples and the most pulses that fit, reusing `old` and its
// buffers when they are large enough. Buffers grow and never shrink; the subset laid into every
// series and the subset and alphabet tables are carried over.
// host         : shows the failure messages
// P            : etalons in the alphabet
// L            : etalon length in samples, >= 1
// wTmin, wTmax : least and greatest start-to-start distance, 1 <= wTmin <= wTmax
// N            : series length in samples, <= kMaxSeriesLength
// old          : the previous record, or nullptr
// returns the record; nullptr after "no memory" (the old record released); `old` unchanged after
//         the message refusing sizes no series can be built with
[[nodiscard]] std::unique_ptr<SeriesHeader> getCutOffSeriesHeader(
    Host& host, std::uint16_t P, std::uint16_t L, std::uint16_t wTmin, std::uint16_t wTmax,
    std::uint32_t N, std::unique_ptr<SeriesHeader> old);

// Sizes the record and synthesizes a series of n pulses into it (makeExtSeries). When
// makeExtSeries refuses n the record keeps its previous series.
// host, states : as for makeExtSeries
// P, table, L, wTmin, wTmax, N, n, sequence, A, wSavedEnergy : as for makeExtSeries
// old          : the previous record, or nullptr
// returns the record; nullptr after the messages when it cannot be had; `old` unchanged after
//         the message refusing sizes no series can be built with
[[nodiscard]] std::unique_ptr<SeriesHeader> getCutOffSeries(
    Host& host, GeneratorStates& states, std::uint16_t P, std::span<const PulseHeader> table,
    std::uint16_t L, std::uint16_t wTmin, std::uint16_t wTmax, std::uint32_t N, std::uint16_t n,
    std::span<std::uint16_t> sequence, std::uint16_t A, std::uint16_t wSavedEnergy,
    std::unique_ptr<SeriesHeader> old);

// getCutOffSeries with a number of pulses drawn uniformly from least..most (wPulseCountSeed);
// the argument n is ignored. The count placed is the record's wImpulseQuantity.
// returns nullptr without a message when most < least (the old record released), else as
//         getCutOffSeries
[[nodiscard]] std::unique_ptr<SeriesHeader> getRandomCountSeries(
    Host& host, GeneratorStates& states, std::uint16_t P, std::span<const PulseHeader> table,
    std::uint16_t L, std::uint16_t wTmin, std::uint16_t wTmax, std::uint32_t N, std::uint16_t n,
    std::span<std::uint16_t> sequence, std::uint16_t A, std::uint16_t wSavedEnergy,
    std::unique_ptr<SeriesHeader> old);

}  // namespace mirovale
