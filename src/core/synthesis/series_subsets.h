#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "core/host/host.h"
#include "core/synthesis/random.h"
#include "core/synthesis/series_header.h"

namespace mirovale {

// Subset employment modes (wSubsetMode): how the current subset is laid into the etalon sequence
// of every new series, from the pulse at wSubsetPosition on.
enum SubsetMode : std::uint16_t {
    SUBSET_SINGLE_RANDOM = 1,     // once, at a random start at or after the position
    SUBSET_SINGLE_FIXED = 2,      // once, at the position
    SUBSET_MULTIPLE_RANDOM = 3,   // every pulse from the position gets a random entry
    SUBSET_COMPLETE = 4,          // repeated from the position to the end
    SUBSET_SHIFTED_COMPLETE = 5,  // as 4, starting at a random entry
};

// Makes a single list the current subset.
// entries  : etalon numbers; only the low 16 bits are kept
// count    : entries to take; at most wMaxPulses (and entries.size()) are kept, and wSubsetSize
//            is the number kept
// mode     : subset employment mode 1..5
// position : 1-based pulse the subset is laid from
// series   : the record, or nullptr (then nothing happens)
// returns 1
int setSubset(std::span<const std::uint32_t> entries, std::uint32_t count, std::uint16_t mode,
              std::uint16_t position, SeriesHeader* series);

// Copies the subsets chosen in the panel into the record's subset table and makes row
// `current` the current subset.
// host     : shows "no memory"
// sizes    : length of each subset (low 16 bits kept)
// rows     : etalon numbers of each subset (low 16 bits kept)
// count    : subsets to copy, >= 1
// R, K     : rows and columns the table is made for; grown to hold count rows and the longest row
// current  : 1-based current subset; 0 or beyond count selects the last
// mode     : subset employment mode 1..5
// position : 1-based pulse the subset is laid from
// series   : the record, or nullptr
// returns 1 (also without effect on a nullptr series); 0 on count < 1 or no memory (no table)
int addSomeSelectedSubsetToSeriesHeader(Host& host, std::span<const std::uint32_t> sizes,
                                        std::span<const std::vector<std::uint32_t>> rows,
                                        std::uint32_t count, std::uint32_t R, std::uint32_t K,
                                        std::uint32_t current, std::uint16_t mode,
                                        std::uint16_t position, SeriesHeader* series);

// The same for the alphabets chosen in the panel; row `current` becomes lpAlphabet.
int addSelectedAlphabetsToSeriesHeader(Host& host, std::span<const std::uint32_t> sizes,
                                       std::span<const std::vector<std::uint32_t>> rows,
                                       std::uint32_t count, std::uint32_t R, std::uint32_t K,
                                       std::uint32_t current, SeriesHeader* series);

// Lays the current subset of `series` into the first n entries of `sequence` by wSubsetMode.
// Does nothing while wSubsetSize is 0.
// states   : wSubsetStartSeed (modes 1 and 5) and wSubsetPickSeed (mode 3) advance
// n        : pulses of the series; nothing at or beyond it is written
// sequence : at least n etalon numbers; entries outside 1..P are corrected by the caller
// series   : holds lpSubset, wSubsetSize, wSubsetMode and wSubsetPosition
void applySubset(GeneratorStates& states, std::uint16_t n, std::span<std::uint16_t> sequence,
                 const SeriesHeader& series);

}  // namespace mirovale
