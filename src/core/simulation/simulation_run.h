#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "core/host/host.h"
#include "core/processing/chains_header.h"
#include "core/simulation/cell_sums.h"
#include "core/simulation/etalon_schedule.h"
#include "core/simulation/process_series.h"
#include "core/simulation/rest_error_header.h"
#include "core/simulation/stat_cutoff_quorvel.h"
#include "core/synthesis/series_header.h"

// The steps the sequential and the parallel simulation drivers share: the checks and working
// storage made before the loops, the etalon schedule of a cell, the request handed to
// processing, the error measures of one repeat and the tables of a finished cell.

namespace mirovale {

// 32-bit copies of the subsets the tuple routines take.
struct SubsetCopies {
    std::vector<std::uint32_t> current;            // the series' current subset
    std::vector<std::uint32_t> sizes;              // size of each stored subset
    std::vector<std::vector<std::uint32_t>> rows;  // each stored subset, padded to the longest
};

// The simulation's own storage and the series values it remembers at the start.
struct Workspace {
    std::unique_ptr<ChainsHeader> chains;  // 10 chains of wMaxPulses pulses, labelled
    EtalonSchedule schedule;
    SubsetCopies subsets;
    std::uint32_t N = 0;            // series length in samples
    std::uint16_t L = 0;            // length of the first required etalon
    std::uint16_t wTmin = 0;        // least start-to-start distance
    std::uint16_t wTmax = 0;        // greatest start-to-start distance
    std::uint16_t wSubsetSize = 0;  // the series' subset size, given back at the end
};

// Everything before the loops: the record and the series present, the plan checked against
// the series, the chains record made and labelled, the record labelled, the working arrays
// and the subset copies made.
// record, settings : as for statCutoffQuorvel
// series           : the current series
// work             : receives the storage and the remembered values
// returns false after reporting the first failure (nothing simulated, generators untouched)
[[nodiscard]] bool prepareSimulation(Host& host, RestErrorHeader* record,
                                     const SimulationSettings& settings, const SeriesHeader* series,
                                     Workspace& work);

// Starts cell (pulse number i) of the plan on the series: detection and recognition clear the
// subset size, the schedule restarts, tuple recognition lays in stored subset 1.
// returns the cell's pulse number n
std::uint16_t beginCell(const SimulationSettings& settings, const RestErrorHeader& record,
                        std::size_t i, Workspace& work, SeriesHeader& series);

// The schedule step due before repeat r of a cell of n pulses; lays in a changed subset.
void beginRepeat(const SimulationSettings& settings, std::uint32_t r, std::uint16_t n,
                 Workspace& work, SeriesHeader& series);

// The request one repeat is processed with.
// sequence  : the etalon sequence of the repeat, as synthesis left it
// debugging : the tuple routines' dump flag for this run, or nullptr
[[nodiscard]] ProcessingRequest processingRequest(const SimulationSettings& settings,
                                                  const Workspace& work,
                                                  std::span<const std::uint16_t> sequence,
                                                  std::uint32_t* debugging);

// Measures a processed series of n pulses.
// chains        : the record the series was processed with (its sought pulse count)
// currentSubset : the stored subset laid in (tuple recognition), else 0
[[nodiscard]] RepeatErrors measureRepeat(const SimulationSettings& settings,
                                         const SeriesHeader& series, const ChainsHeader& chains,
                                         std::uint16_t n, std::uint32_t currentSubset);

// Writes the six tables of noise level j and pulse number i from the sums of the cell.
void storeCell(RestErrorHeader& record, std::size_t i, std::size_t j, const CellSums& sums);

// Shows that a simulation was stopped by its user before its end.
void reportCancelled(Host& host);

// Wall-clock seconds for the time stamps.
[[nodiscard]] std::int64_t wallClockSeconds();

}  // namespace mirovale
