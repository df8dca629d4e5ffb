#include "core/display/restore_error.h"

#include <gtest/gtest.h>

#include "display/series_sample.h"

namespace mirovale {
namespace {

// A chains record whose best chain holds the given pulses (position, etalon, begin, end).
ChainsHeader chainOf(std::vector<std::array<std::int16_t, 4>> pulses, std::uint16_t seeking) {
    ChainsHeader c;
    c.wPretenders = 1;
    c.wSeekingPulsesQuantity = seeking;
    c.pulsesList.resize(1);
    c.positionsList.resize(1);
    c.beginsList.resize(1);
    c.endsList.resize(1);
    for (const auto& p : pulses) {
        c.positionsList[0].push_back(p[0]);
        c.pulsesList[0].push_back(p[1]);
        c.beginsList[0].push_back(p[2]);
        c.endsList[0].push_back(p[3]);
    }
    return c;
}

TEST(RestoreError, RebuildsTheBestChain) {
    testing::SampleSeries s(100, 10, 2);
    s.addPulse(5, 1, 0, 9);
    s.addPulse(40, 2, 2, 7);
    std::int64_t energy = 0;
    for (std::int16_t v : s.series.lpPureData) energy += v * v;
    const std::int64_t second = energy - 10 * 10 - 11 * 11 - 12 * 12 - 13 * 13 - 14 * 14 - 15 * 15 -
                                16 * 16 - 17 * 17 - 18 * 18 - 19 * 19;

    const ChainsHeader exact = chainOf({{5, 1, 0, 9}, {40, 2, 2, 7}}, 2);
    const ChainsHeader firstOnly = chainOf({{5, 1, 0, 9}, {40, 2, 2, 7}}, 1);
    // The first pulse is taken whatever the count says.
    const ChainsHeader none = chainOf({{5, 1, 0, 9}}, 0);
    ChainsHeader emptied = chainOf({{0, 0, 0, 0}}, 0);  // an emptied record: etalon 0
    ChainsHeader noRow = exact;
    noRow.wPretenders = 0;
    struct {
        int line;
        const ChainsHeader* chains;
        std::int64_t error;
    } rows[] = {
        {__LINE__, &exact, 0},        {__LINE__, &firstOnly, second}, {__LINE__, &none, second},
        {__LINE__, &emptied, energy},  // no chain: the rebuilt signal is all zeros
        {__LINE__, &noRow, energy},   {__LINE__, nullptr, energy},
    };
    for (const auto& c : rows)
        EXPECT_EQ(restoreError(c.chains, s.series), c.error) << "line " << c.line;
}

}  // namespace
}  // namespace mirovale
