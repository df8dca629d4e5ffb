#pragma once

// The workbench of the simulation tests: an alphabet of 20 etalons of 20 samples, its
// generators, and the records a run changes.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "core/host/recording_host.h"
#include "core/simulation/stat_cutoff_quorvel.h"
#include "core/synthesis/pulse_alphabet.h"
#include "core/synthesis/series_allocation.h"
#include "core/synthesis/series_subsets.h"

namespace mirovale::testing {

struct SimulationBench {
    RecordingHost host;
    GeneratorStates states;
    std::uint16_t wNoiseSeed = 10597;
    EtalonTable table{};
    std::unique_ptr<SeriesHeader> series;
    std::unique_ptr<RestErrorHeader> record;
    SimulationTimes times;

    SimulationBench() { EXPECT_EQ(createPulses(host, states, 128, 20, 20, table), 1); }
    // A series record on N = 400 samples (2..10 pulses fit with L = 20, Tmin = 40, Tmax = 181)
    // holding two stored subsets, {1, 2} current and {3, 5, 4}, laid complete from pulse 1.
    void storeSubsets() {
        series = getCutOffSeriesHeader(host, 20, 20, 40, 181, 400, nullptr);
        const std::vector<std::uint32_t> sizes{2, 3};
        const std::vector<std::vector<std::uint32_t>> rows{{1, 2, 0}, {3, 5, 4}};
        EXPECT_EQ(
            addSomeSelectedSubsetToSeriesHeader(host, sizes, rows, 2, 2, 3, 1, 4, 1, series.get()),
            1);
    }
};

}  // namespace mirovale::testing
