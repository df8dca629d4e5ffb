#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/simulation/rest_error_header.h"
#include "core/synthesis/series_header.h"

namespace mirovale {

// What the error chart plots (dwChartMode): the restored, detection or recognition error, per
// pulse number (componentwise) or summed over them (aggregate); 12 and 13 add the two bound
// curves to the recognition charts.
enum ChartMode : std::uint32_t {
    CHART_RESTORED = 0,
    CHART_RESTORED_AGGREGATE = 1,
    CHART_DETECTION = 2,
    CHART_DETECTION_AGGREGATE = 3,
    CHART_RECOGNITION = 4,
    CHART_RECOGNITION_AGGREGATE = 5,
    CHART_RECOGNITION_BOUNDS = 12,
    CHART_RECOGNITION_AGGREGATE_BOUNDS = 13,
};

// Energy of the simulated etalons and the extremes of their cross-correlations, 64-bit.
struct EtalonCorrelation {
    std::int64_t energy = 0;  // E
    std::int64_t rMin = 0;    // least of 0 and every correlation value
    std::int64_t rMax = 0;    // greatest of 0 and every correlation value
};

// E, Rmin and Rmax of a simulation. In general E is the energy of the series' lpFirstPulse and
// the correlations are those of the etalons of the first two required numbers (the first twice
// when there is one; lpFirstPulse for a number that is 0 or beyond wEtalons) at every lag from
// -L to L. For tuple recognition (series type 36 or 40, task 40) E is the greatest energy of an
// etalon of any stored subset and the correlations pair an etalon of one subset with one of
// every later subset.
// required : the required etalon numbers, wRequiredCount of them
[[nodiscard]] EtalonCorrelation etalonCorrelation(const SeriesHeader& series,
                                                  const RestErrorHeader& record,
                                                  std::span<const std::uint16_t> required);

// The etalons of each stored subset of the series (wSubsets rows, as far as the tables hold
// them), leaving out numbers without an etalon.
[[nodiscard]] std::vector<std::vector<const PulseHeader*>> storedSubsetEtalons(
    const SeriesHeader& series);

// The normalizers of the error tables; a value that comes out 0 stays 1.
struct ChartNormalizers {
    std::int64_t R0 = 1;  // restored error: 2 * wMaxPulses * (E - Rmin)
    std::int64_t D0 = 1;  // detection error: (wTmax - L)^2
};
[[nodiscard]] ChartNormalizers chartNormalizers(const SeriesHeader& series,
                                                const EtalonCorrelation& correlation);

// The top of the vertical axis and its tick, per mille of the plotted value.
struct ChartScale {
    std::int64_t top = 500;   // T, at least 1
    std::int64_t tick = 100;  // T / 5
};

// The smallest power of ten above v, divided by 5 when 5 v still fits under it and then by 2,
// twice, while 2 v still fits.
[[nodiscard]] std::int64_t cleanTop(std::int64_t v);

// The axis of a chart mode: the clean top above the largest value (or 500 for recognition), or
// trunc(1000 * upperBound) when `fixed` and that is at least 1.
// record : p = wVariousPulses, q = wNoiseLevels and repeats are read with the tables
[[nodiscard]] ChartScale chartScale(std::uint32_t mode, const RestErrorHeader& record,
                                    const ChartNormalizers& n, bool fixed, double upperBound);

// One polyline of the chart: the row of each column, counted down from the plot's top, for the
// columns firstColumn, firstColumn + 1, ...; it starts at the plot's bottom-left corner.
struct ChartCurve {
    std::size_t firstColumn = 0;
    std::vector<int> rows;
    std::string label;  // written at the curve's end; empty for none
};

// The error curves of a chart mode for a plot of height h: one per pulse number (modes 0, 2, 4,
// 12) labelled with it, or one aggregate curve (1 unlabelled, 3 labelled with p, 5 and 13 with
// "S", a capital sigma in the symbol face). None for p = 0, for fewer than 2 noise levels and
// for any other mode. A value v is drawn at h - trunc(1000 v h / T).
[[nodiscard]] std::vector<ChartCurve> chartCurves(std::uint32_t mode, const RestErrorHeader& record,
                                                  const ChartNormalizers& n,
                                                  const ChartScale& scale, int h);

// The two bounds of the recognition error over the noise levels of columns 1..q-1 (modes 12 and
// 13): 0.5 - 0.5 sqrt(1 - exp(-d1 wMaxPulses / s^2)) and 0.5 exp(-d2 wMinPulses / s^2).
[[nodiscard]] std::vector<ChartCurve> boundCurves(const RestErrorHeader& record,
                                                  const SeriesHeader& series,
                                                  const EtalonCorrelation& c,
                                                  const ChartScale& scale, int h);

}  // namespace mirovale
