#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "core/host/host.h"

namespace mirovale {

// Number of result tables of the error record.
inline constexpr std::size_t kErrorTables = 6;

// Meaning of each result table: lpErrors row m * wReservedLevels + j is noise level j of table m.
enum ErrorTable : std::size_t {
    ERR_RESTORING = 0,      // mean squared difference of the pure and the rebuilt signal
    ERR_DETECTION = 1,      // summed per-pulse mean squared position error, fixed point
    ERR_FRAGMENTS = 2,      // reserved, written as 0
    ERR_MISRECOGNIZED = 3,  // repeats whose recognised subset was not the one laid in
    ERR_RESERVED_4 = 4,
    ERR_RESERVED_5 = 5,
};

// Plan and result tables of one statistical simulation. The two lists share one allocation
// request, the row table another and the table data a third, as the capacity rules expect:
// storage is kept while the plan fits and replaced only when it grows.
//
// lpErrors holds views into lpErrorData, so the record is not copyable; it lives behind a
// std::unique_ptr, whose moves keep the views valid.
struct RestErrorHeader {
    std::uint16_t wReservedPulses = 0;        // capacity of wPulseValues, row length of every table
    std::uint16_t wVariousPulses = 0;         // pulse numbers to simulate, <= wReservedPulses
    std::uint16_t wReservedLevels = 0;        // capacity of lpNoiseLevels, rows of every table
    std::uint16_t wNoiseLevels = 0;           // noise levels to simulate, <= wReservedLevels
    std::uint32_t repeats = 0;                // repeats per (noise level, pulse number)
    std::vector<std::int16_t> wPulseValues;   // [wReservedPulses] pulse numbers in order
    std::vector<std::int16_t> lpNoiseLevels;  // [wReservedLevels] noise standard deviations
    std::vector<std::span<std::uint32_t>> lpErrors;  // [6 * wReservedLevels] rows of the tables
    std::vector<std::uint32_t> lpErrorData;  // 6 * wReservedLevels * wReservedPulses entries
    std::uint16_t wRecordKind = 0;           // 2 once labelled
    std::uint16_t wSeriesType = 0;           // series type simulated
    std::uint16_t wTaskType = 0;             // task code simulated
    const char* lpTaskName = nullptr;        // fixed text, nullptr = none
    const char* lpSeriesTypeName = nullptr;  // fixed text, nullptr = none
    std::uint16_t wMakingLevel = 0;          // saved energy level used for making, percent
    std::uint16_t wProcessingLevel = 0;      // saved energy level used for processing, percent
    std::uint16_t ifComplete = 0;            // 1 once a simulation has run to its end

    RestErrorHeader() = default;
    RestErrorHeader(const RestErrorHeader&) = delete;
    RestErrorHeader& operator=(const RestErrorHeader&) = delete;

    // Row j (noise level index) of table m; wReservedPulses entries, the first wVariousPulses used.
    [[nodiscard]] std::span<std::uint32_t> errors(std::size_t m, std::size_t j) {
        return lpErrors[m * wReservedLevels + j];
    }
    [[nodiscard]] std::span<const std::uint32_t> errors(std::size_t m, std::size_t j) const {
        return lpErrors[m * wReservedLevels + j];
    }
};

// The names the error record carries for a series type and a task code; nullptr = none.
[[nodiscard]] const char* restErrSeriesTypeName(std::uint16_t wSeriesType) noexcept;
[[nodiscard]] const char* restErrTaskName(std::uint16_t wTaskType) noexcept;

// Sizes an error record for a plan and empties it; reuses `old` when its capacities suffice.
// p       : pulse numbers to simulate (row length)
// q       : noise levels to simulate (rows)
// repeats : repeats per combination
// old     : the previous record, or nullptr
// On an allocation failure reports it, releases everything (old included), returns nullptr.
[[nodiscard]] std::unique_ptr<RestErrorHeader> getRestErrHeader(
    Host& host, std::uint16_t p, std::uint16_t q, std::uint32_t repeats,
    std::unique_ptr<RestErrorHeader> old);

// Writes the plan into a sized record and clears ifComplete and table 0.
// p, q          : pulse numbers and noise levels, at most the record's capacities
// wFirstPulses  : first pulse number; wPulsesStep : step between pulse numbers
// wFirstLevel   : first noise level; wLevelStep : step between noise levels
// repeats       : repeats per combination
// record        : nullptr is refused
// Returns 1, or 0 after reporting a missing record or a plan beyond the capacities.
int initRestErrHeader(Host& host, std::uint16_t p, std::uint16_t wFirstPulses,
                      std::uint16_t wPulsesStep, std::uint16_t q, std::uint16_t wFirstLevel,
                      std::uint16_t wLevelStep, std::uint32_t repeats, RestErrorHeader* record);

// Labels the record with the run it holds: kind 2, codes, their names and the energy levels.
// Returns 1, or 0 after reporting a missing record.
int addInitRestErrHeader(Host& host, std::uint16_t wSeriesType, std::uint16_t wTaskType,
                         std::uint16_t wMakingLevel, std::uint16_t wProcessingLevel,
                         RestErrorHeader* record);

// Releases the record; accepts an empty pointer. Returns 1.
int freeRestErrHeader(std::unique_ptr<RestErrorHeader>& record) noexcept;

// Upper bound of a dump text, in characters; a longer dump is cut there.
inline constexpr std::size_t kRestErrDumpLimit = 2500;

// The field-by-field dump of the record (cut at kRestErrDumpLimit characters).
[[nodiscard]] std::string formatRestErrHeader(const RestErrorHeader& record);

// Shows the dump in a message box; reports a missing record instead.
void aboutRestErrHeader(Host& host, const RestErrorHeader* record);

}  // namespace mirovale
