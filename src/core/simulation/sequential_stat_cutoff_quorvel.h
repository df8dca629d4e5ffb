#pragma once

#include <cstdint>
#include <memory>

#include "core/host/host.h"
#include "core/simulation/rest_error_header.h"
#include "core/simulation/stat_cutoff_quorvel.h"
#include "core/synthesis/random.h"
#include "core/synthesis/series_header.h"

// The statistical simulation as one loop on the calling thread: every repeat is made, noised,
// processed and measured before the next one is made. The workbench runs the parallel driver;
// this one is the reference its tables are compared with, in the tests and the benchmarks.

namespace mirovale::reference {

// Same contract as mirovale::statCutoffQuorvel; control.threads is ignored.
int statCutoffQuorvel(Host& host, RestErrorHeader* record, const SimulationSettings& settings,
                      GeneratorStates& states, std::uint16_t& wNoiseSeed,
                      std::unique_ptr<SeriesHeader>& series, SimulationTimes& times,
                      const SimulationControl& control = {});

}  // namespace mirovale::reference
