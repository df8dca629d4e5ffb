#pragma once

#include <cstdint>

namespace mirovale {

// The error measures of one processed repeat.
struct RepeatErrors {
    std::uint64_t restoring = 0;  // squared restoring error
    std::uint64_t detection = 0;  // 128 times the mean squared position error, rounded
    bool misrecognized = false;   // tuple recognition named another subset than the one laid in
};

// Exact integer sums of one cell (or of the repeats of it that one part of a plan ran); the
// order of the additions cannot change them, so the sums of the parts of a cell add up to the
// sums of the whole cell.
struct CellSums {
    std::uint64_t restoring = 0;
    std::uint64_t detection = 0;
    std::uint32_t misrecognized = 0;

    void add(const RepeatErrors& e) {
        restoring += e.restoring;
        detection += e.detection;
        misrecognized += e.misrecognized ? 1u : 0u;
    }
    void add(const CellSums& other) {
        restoring += other.restoring;
        detection += other.detection;
        misrecognized += other.misrecognized;
    }

    friend bool operator==(const CellSums&, const CellSums&) = default;
};

}  // namespace mirovale
