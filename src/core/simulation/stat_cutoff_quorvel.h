#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <vector>

#include "core/host/host.h"
#include "core/simulation/cell_sums.h"
#include "core/simulation/rest_error_header.h"
#include "core/synthesis/pulse_header.h"
#include "core/synthesis/random.h"
#include "core/synthesis/series_header.h"

namespace mirovale {

// The program values the simulation reads besides its plan and the series.
struct SimulationSettings {
    std::uint16_t wEtalonCount = 20;                // P, etalons of the alphabet
    const EtalonTable* etalonTable = nullptr;       // the alphabet
    std::span<const std::uint16_t> lpRequiredList;  // required etalons; its size is wRequiredCount
    std::uint16_t wSeriesType = 0;                  // S, series type code
    std::uint16_t wProcessingTask = 0;              // T, task code processing runs
    std::uint16_t wSavedEnergyMaking = 100;         // percent of energy each made pulse keeps
    std::uint16_t wSavedEnergyProcessing = 100;     // percent a processed piece must exceed
    std::uint16_t wAmplitude = 128;                 // amplitude setting handed to synthesis
    std::uint16_t wSubsetProceeding = 1;            // handed to the tuple routines
    std::uint32_t* dwDebuggingRepeat = nullptr;     // the tuple routines' one-shot dump flag
};

// Wall-clock seconds at the start and at the end of the last simulation; the chart prints
// their difference.
struct SimulationTimes {
    std::int64_t startTime = 0;
    std::int64_t endTime = 0;
};

// Observation and cancelling of a running simulation; both may be empty.
struct SimulationControl {
    // Called after each finished (pulse number, noise level) cell with cells done and all cells.
    std::function<void(std::uint32_t done, std::uint32_t total)> progress;
    // Asked before every repeat is made; true stops the simulation (the record stays
    // incomplete, and the stop is reported).
    std::function<bool()> cancelled;
    // Threads that process series; 0 for one per core.
    unsigned threads = 0;
    // Called once on the calling thread, after every check has passed and before the first
    // series is made: the plan, the series and the generators are as the simulation starts.
    std::function<void()> starting = nullptr;
    // The part of the plan's series this run processes: part `shard` of `shards` contiguous
    // parts (shardSeries). The series before it are made but not processed, so the generators
    // reach its first series exactly as a run of the whole plan would; none after it is made.
    // A run of a proper part leaves the tables and ifComplete alone.
    std::uint32_t shard = 1;
    std::uint32_t shards = 1;
    // When set, receives the sums of every cell from the repeats this run processed, zero for
    // the others: wNoiseLevels * wVariousPulses entries, noise level j and pulse number i at
    // j * wVariousPulses + i.
    std::vector<CellSums>* partSums = nullptr;
};

// Caption of the driver's own reports.
inline constexpr const char* kStatCutoffCaption = " About statCutoffQuorvel ";

// Runs the statistical simulation of the record's plan: for every pulse number (outermost),
// noise level and repeat it makes a series, adds noise, processes it and accumulates the
// restoring and detection errors (and, for tuple recognition, the misrecognitions) into the
// record's tables. The series are made on the calling thread in the generators' fixed order
// (the noise state jumping over the draws of each series) and noised and processed on
// control.threads worker threads, a bounded number in flight at once; their
// results and messages are taken back in the order they were made, so the tables, the
// messages, the generators and the last series are those of the one-loop reference driver
// (reference::statCutoffQuorvel) whatever the number of threads. Progress, cancelling and
// every message happen on the calling thread.
// host     : shows the messages
// record   : the prepared error record; nullptr is reported
// settings : alphabet, required etalons, codes, levels
// states   : the synthesis generators; they advance
// wNoiseSeed : the noise generator state; it advances
// series   : the current series, whose N, Tmin, Tmax, capacity and subsets the simulation uses;
//            replaced by each new series, the last one remains (nullptr once synthesis failed)
// times    : receives the start and end stamps
// control  : progress (cells done, in plan order), cancelling, threads, the part of the plan
// Before anything is changed the plan is checked against the series (pulse numbers within the
// working arrays and the feasible range, repeats at least 1, required etalons in the alphabet)
// and refused with one message, as is a part the plan does not have.
// returns 1 when it ran to its end (ifComplete = 1 for the whole plan), 0 when it stopped at a
// failure or was cancelled
int statCutoffQuorvel(Host& host, RestErrorHeader* record, const SimulationSettings& settings,
                      GeneratorStates& states, std::uint16_t& wNoiseSeed,
                      std::unique_ptr<SeriesHeader>& series, SimulationTimes& times,
                      const SimulationControl& control = {});

}  // namespace mirovale
