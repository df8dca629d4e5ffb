#pragma once

#include <cstdint>
#include <memory>

#include "core/host/host.h"
#include "core/processing/chains_header.h"
#include "core/simulation/process_series.h"
#include "core/simulation/rest_error_header.h"
#include "core/simulation/stat_cutoff_quorvel.h"
#include "core/synthesis/pulse_header.h"
#include "core/synthesis/random.h"
#include "core/synthesis/series_header.h"

// The statistical simulation as one loop on the calling thread: every repeat is made, noised,
// processed and measured before the next one is made. The workbench runs the parallel driver;
// this one is the reference its tables are compared with, in the tests and the benchmarks.

namespace mirovale::reference {

// The processing step of one repeat, as processSeries.
using SeriesProcessor = int (*)(Host& host, const EtalonTable& etalons,
                                const ProcessingRequest& request, ChainsHeader* chains,
                                SeriesHeader* series);

// Same contract as mirovale::statCutoffQuorvel; control.threads is ignored.
// process : the processing step; the benchmarks hand in the literal routines to measure the
//           whole way from them to the workbench's driver
int statCutoffQuorvel(Host& host, RestErrorHeader* record, const SimulationSettings& settings,
                      GeneratorStates& states, std::uint16_t& wNoiseSeed,
                      std::unique_ptr<SeriesHeader>& series, SimulationTimes& times,
                      const SimulationControl& control = {},
                      SeriesProcessor process = &processSeries);

}  // namespace mirovale::reference
