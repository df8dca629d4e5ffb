#include "core/simulation/restoring_error.h"

#include <gtest/gtest.h>

#include <vector>

namespace mirovale {
namespace {

struct Detected {
    std::int16_t position, etalon, begin, end;
};

// Two etalons of L = 4; the pure signal holds etalon 1 at 2 and etalon 2 at 10 of N = 16.
struct Fixture {
    std::vector<PulseHeader> etalons{{4, 4, 1, {3, -1, 2, 5}}, {4, 4, 2, {-4, 6, 1, -2}}};
    SeriesHeader series;

    explicit Fixture(const std::vector<Detected>& detected) {
        series.dwSeriesSize = 16;
        series.wImpulseSize = 4;
        series.lpPureData.assign(16, 0);
        for (std::size_t c = 0; c < 4; ++c) {
            series.lpPureData[2 + c] = etalons[0].lpData[c];
            series.lpPureData[10 + c] = etalons[1].lpData[c];
        }
        series.lpPulsesList = {&etalons[0], &etalons[1]};
        for (const Detected& d : detected) {
            series.lpDetectedPositions.push_back(d.position);
            series.lpDetectedEtalons.push_back(d.etalon);
            series.lpDetectedBegins.push_back(d.begin);
            series.lpDetectedEnds.push_back(d.end);
        }
        series.wDetectedPulses = static_cast<std::uint16_t>(detected.size());
    }
};

TEST(GetRestoringError, ComparesThePureSignalWithTheOneRebuiltFromTheDetection) {
    // Energies: etalon 1 is 9 + 1 + 4 + 25 = 39, etalon 2 is 16 + 36 + 1 + 4 = 57.
    const struct {
        int line;
        std::vector<Detected> detected;
        std::int64_t error;
    } cases[] = {
        {__LINE__, {{2, 1, 0, 3}, {10, 2, 0, 3}}, 0},
        {__LINE__, {}, 96},
        // Kept piece 1..2 of etalon 1: its samples 0 and 3 are missing.
        {__LINE__, {{2, 1, 1, 2}, {10, 2, 0, 3}}, 34},
        // The wrong etalon at the right place: (3+4)^2 + (-1-6)^2 + (2-1)^2 + (5+2)^2 = 148.
        {__LINE__, {{2, 2, 0, 3}, {10, 2, 0, 3}}, 148},
        // One sample late: rebuilt 3, -1, 2, 5 at 3..6 against 3, -1, 2, 5 at 2..5.
        {__LINE__, {{3, 1, 0, 3}, {10, 2, 0, 3}}, 9 + 16 + 9 + 9 + 25},
        // A pulse starting inside its predecessor is never found, nor is any pulse after it.
        {__LINE__, {{2, 1, 0, 3}, {4, 1, 0, 3}, {10, 2, 0, 3}}, 57},
        // A pulse running past the end is cut at N.
        {__LINE__, {{2, 1, 0, 3}, {10, 2, 0, 3}, {14, 1, 0, 3}}, 9 + 1},
    };
    for (const auto& c : cases) {
        const Fixture f(c.detected);
        EXPECT_EQ(getRestoringError(f.series), c.error) << c.line;
    }
}

}  // namespace
}  // namespace mirovale
