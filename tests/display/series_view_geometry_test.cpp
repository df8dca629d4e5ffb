#include "core/display/series_view_geometry.h"

#include <gtest/gtest.h>

namespace mirovale {
namespace {

TEST(GraphAmplitude, AmplitudeAndHalfRange) {
    struct {
        int line;
        std::uint16_t amplitude, noise;
        std::uint32_t a;
        std::int16_t r, cell;
    } rows[] = {
        {__LINE__, 0, 300, 512, 900, 512},   // 128, 256, 512; 8 * 300 / 3 = 800 is larger
        {__LINE__, 128, 20, 128, 144, 128},  // the amplitude is larger than 53
        {__LINE__, 0, 0, 128, 144, 128},     // no noise: 128
        // Noise beyond 32768 stops the doubling there, and the half-range is held at 32767
        // instead of wrapping to a negative value.
        {__LINE__, 0, 40000, 32768, 32767, 32767},
        {__LINE__, 0, 21846, 32768, 32767, 32767},  // 58256 + 7282 would wrap to 2
    };
    for (const auto& c : rows) {
        const GraphAmplitude g = graphAmplitude(c.amplitude, c.noise);
        EXPECT_EQ(g.a, c.a) << "line " << c.line;
        EXPECT_EQ(g.r, c.r) << "line " << c.line;
        EXPECT_EQ(g.cellAmplitude(), c.cell) << "line " << c.line;
    }
}

TEST(SeriesViewGeometry, FixedGraphSizeAndAnEmptyPanel) {
    const SeriesViewGeometry g = seriesViewGeometry({10, 10, 1114, 787}, 15, 5, 4, true);
    EXPECT_EQ(g.graph(0), (GraphRect{23, 71, 641, 183}));  // 618 x 112 whatever the window
    // No required etalon: no rows to divide the panel's height among.
    EXPECT_EQ(seriesViewGeometry({10, 10, 60, 60}, 15, 0, 4, false).rows, 0);
}

}  // namespace
}  // namespace mirovale
