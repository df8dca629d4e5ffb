#include "core/display/chart_scale.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/display/graph_primitives.h"
#include "core/host/format_text.h"
#include "core/state/program_state.h"

namespace mirovale {
namespace {

constexpr std::int64_t kLargestTop = 1'000'000'000'000;  // far above any error the tables hold
constexpr int kTallestPlot = 1 << 20;                    // keeps table * 1000 * h within 64 bits
constexpr double kFarRow = 1e7;  // rows beyond this are clamped before conversion

std::int64_t energyOf(const PulseHeader& e) {
    std::int64_t sum = 0;
    for (std::size_t k = 0; k < e.wSize && k < e.lpData.size(); ++k)
        sum += std::int64_t{e.lpData[k]} * e.lpData[k];
    return sum;
}

// Folds every c(t) = sum over k of a[k + t] b[k], t = -L..L, into the extremes.
void correlate(const PulseHeader& a, const PulseHeader& b, std::size_t L, EtalonCorrelation& c) {
    L = std::min({L, std::size_t{a.wSize}, std::size_t{b.wSize}, a.lpData.size(), b.lpData.size()});
    const auto n = static_cast<std::ptrdiff_t>(L);
    for (std::ptrdiff_t t = -n; t <= n; ++t) {
        std::int64_t sum = 0;
        for (std::ptrdiff_t k = std::max<std::ptrdiff_t>(0, -t); k < n && k + t < n; ++k)
            sum += std::int64_t{a.lpData[static_cast<std::size_t>(k + t)]} *
                   b.lpData[static_cast<std::size_t>(k)];
        c.rMin = std::min(c.rMin, sum);
        c.rMax = std::max(c.rMax, sum);
    }
}

// The etalon of a required number, lpFirstPulse for 0 or a number beyond wEtalons.
const PulseHeader* requiredEtalon(const SeriesHeader& s, std::uint16_t number) {
    const PulseHeader* e = number <= s.wEtalons ? etalonOf(s, number) : nullptr;
    return e != nullptr ? e : s.lpFirstPulse;
}

// The plan's counts as far as the record's storage holds them; repeats of 0 count as 1.
struct Plan {
    std::size_t p = 0;
    std::size_t q = 0;
    std::uint64_t repeats = 1;
};

Plan planOf(const RestErrorHeader& r) {
    Plan plan;
    plan.p = std::min<std::size_t>({r.wVariousPulses, r.wReservedPulses, r.wPulseValues.size()});
    plan.q = std::min<std::size_t>({r.wNoiseLevels, r.wReservedLevels, r.lpNoiseLevels.size()});
    if (r.lpErrors.size() < kErrorTables * r.wReservedLevels) plan.p = plan.q = 0;
    plan.repeats = std::max<std::uint64_t>(r.repeats, 1);
    return plan;
}

std::uint64_t entry(const RestErrorHeader& r, std::size_t m, std::size_t j, std::size_t i) {
    return r.errors(m, j)[i];
}

std::uint64_t rowSum(const RestErrorHeader& r, std::size_t m, std::size_t j, std::size_t p) {
    std::uint64_t sum = 0;
    for (std::size_t i = 0; i < p; ++i) sum += entry(r, m, j, i);
    return sum;
}

std::int64_t perMille(double v) {
    return static_cast<std::int64_t>(std::min(1000.0 * v, static_cast<double>(kLargestTop)));
}

// The largest plotted value of a mode, per mille, before its clean top is taken.
std::int64_t largestValue(std::uint32_t mode, const RestErrorHeader& r, const ChartNormalizers& n) {
    const Plan plan = planOf(r);
    const double p = static_cast<double>(std::max<std::size_t>(plan.p, 1));
    const double R0 = static_cast<double>(n.R0);
    const double D0 = static_cast<double>(n.D0);
    const double repeats = static_cast<double>(plan.repeats);
    switch (mode) {
        case CHART_RESTORED: {
            std::uint64_t most = 0;
            for (std::size_t j = 0; j < plan.q; ++j)
                for (std::size_t i = 0; i < plan.p; ++i)
                    most = std::max(most, entry(r, ERR_RESTORING, j, i));
            return std::max<std::int64_t>(
                static_cast<std::int64_t>(most * 1000 / static_cast<std::uint64_t>(n.R0)), 50);
        }
        case CHART_RESTORED_AGGREGATE: {
            double most = 0;
            for (std::size_t j = 0; j < plan.q; ++j)
                most =
                    std::max(most, static_cast<double>(rowSum(r, ERR_RESTORING, j, plan.p)) / R0);
            return perMille(std::max({most, 0.079, 0.49 * p}) / p);
        }
        case CHART_DETECTION: {
            double most = 0.3;
            for (std::size_t i = 0; i < plan.p; ++i) {
                std::uint64_t m = 0;
                for (std::size_t j = 0; j < plan.q; ++j)
                    m = std::max(m, entry(r, ERR_DETECTION, j, i));
                const std::uint64_t d = (plan.repeats + 2 * m) / (2 * plan.repeats);
                most = std::max(most, std::sqrt(static_cast<double>(d) / D0));
            }
            return std::max<std::int64_t>(perMille(most), 50);
        }
        case CHART_DETECTION_AGGREGATE: {
            std::uint64_t most = 0;
            for (std::size_t j = 0; j < plan.q; ++j)
                most = std::max(most, rowSum(r, ERR_DETECTION, j, plan.p));
            const double root = std::sqrt(static_cast<double>(most) / (p * D0 * repeats));
            return std::max<std::int64_t>(perMille(std::max(0.24, root)), 50);
        }
        default:
            return 500;  // the recognition axis spans 0 to 0.5
    }
}

// Rows of plotted values: h - trunc(f v h) with f = 1000 / T, in double only where T does not
// divide 1000 (the integer factor would misplace the curves against the axis labels).
struct RowScale {
    int h = 0;
    std::int64_t top = 1;
    [[nodiscard]] int of(double value) const {
        const double f =
            1000 % top == 0 ? static_cast<double>(1000 / top) : 1000.0 / static_cast<double>(top);
        double rise = std::trunc(f * value * h);
        if (std::isnan(rise)) rise = 0;
        return h - static_cast<int>(std::clamp(rise, -kFarRow, kFarRow));
    }
    // h - (table * 1000 * h) / (denominator * T) in integers: the same as (f * table * h) /
    // denominator when T divides 1000, without a 32-bit product.
    [[nodiscard]] int ofRatio(std::uint64_t table, std::uint64_t denominator) const {
        const std::uint64_t rise = table * 1000 * static_cast<std::uint64_t>(h) / denominator /
                                   static_cast<std::uint64_t>(top);
        return h -
               static_cast<int>(std::min<std::uint64_t>(rise, static_cast<std::uint64_t>(kFarRow)));
    }
};

}  // namespace

std::vector<std::vector<const PulseHeader*>> storedSubsetEtalons(const SeriesHeader& s) {
    std::vector<std::vector<const PulseHeader*>> rows;
    const std::size_t count = std::min<std::size_t>(
        {s.wSubsets, s.selectedSubsetList.size(), s.selectedSubsetSize.size()});
    for (std::size_t r = 0; r < count; ++r) {
        const auto& row = s.selectedSubsetList[r];
        const std::size_t size = std::min<std::size_t>(
            static_cast<std::size_t>(std::max<std::int16_t>(s.selectedSubsetSize[r], 0)),
            row.size());
        std::vector<const PulseHeader*>& etalons = rows.emplace_back();
        for (std::size_t k = 0; k < size; ++k)
            if (const PulseHeader* e = etalonOf(s, row[k])) etalons.push_back(e);
    }
    return rows;
}

EtalonCorrelation etalonCorrelation(const SeriesHeader& series, const RestErrorHeader& record,
                                    std::span<const std::uint16_t> required) {
    EtalonCorrelation c;
    if (isTupleSeriesType(record.wSeriesType) && record.wTaskType == TASK_TUPLE_RECOGNITION) {
        const auto subsets = storedSubsetEtalons(series);
        for (std::size_t r = 0; r < subsets.size(); ++r)
            for (const PulseHeader* a : subsets[r]) {
                c.energy = std::max(c.energy, energyOf(*a));
                for (std::size_t later = r + 1; later < subsets.size(); ++later)
                    for (const PulseHeader* b : subsets[later]) correlate(*a, *b, a->wSize, c);
            }
        return c;
    }
    if (series.lpFirstPulse != nullptr) c.energy = energyOf(*series.lpFirstPulse);
    const PulseHeader* a = requiredEtalon(series, required.empty() ? 0 : required[0]);
    const PulseHeader* b = required.size() >= 2 ? requiredEtalon(series, required[1]) : a;
    if (a != nullptr && b != nullptr) correlate(*a, *b, series.wImpulseSize, c);
    return c;
}

ChartNormalizers chartNormalizers(const SeriesHeader& series, const EtalonCorrelation& c) {
    ChartNormalizers n;
    const std::int64_t R0 = 2 * std::int64_t{series.wMaxPulses} * (c.energy - c.rMin);
    const std::int64_t spread = std::int64_t{series.wTmax} - series.wImpulseSize;
    if (R0 > 0) n.R0 = R0;
    if (spread != 0) n.D0 = spread * spread;
    return n;
}

std::int64_t cleanTop(std::int64_t v) {
    v = std::clamp<std::int64_t>(v, 0, kLargestTop);
    std::int64_t top = 10;
    while (top <= v) top *= 10;
    if (5 * v <= top) top /= 5;
    if (2 * v <= top) top /= 2;
    if (2 * v <= top) top /= 2;
    return top;
}

ChartScale chartScale(std::uint32_t mode, const RestErrorHeader& record, const ChartNormalizers& n,
                      bool fixed, double upperBound) {
    ChartScale scale;
    scale.top = cleanTop(largestValue(mode, record, n));
    // A bound below one per mille would leave no axis: the computed top stays.
    if (fixed && upperBound >= 0.001)
        scale.top = static_cast<std::int64_t>(
            std::min(1000.0 * upperBound, static_cast<double>(kLargestTop)));
    scale.tick = scale.top / 5;
    return scale;
}

std::vector<ChartCurve> chartCurves(std::uint32_t mode, const RestErrorHeader& r,
                                    const ChartNormalizers& n, const ChartScale& scale, int h) {
    const Plan plan = planOf(r);
    std::vector<ChartCurve> curves;
    // One noise level leaves the plot no width, and an aggregate over no pulse numbers no value.
    if (plan.q < 2 || plan.p == 0) return curves;
    const RowScale rows{std::clamp(h, 0, kTallestPlot), std::max<std::int64_t>(scale.top, 1)};
    const double p = static_cast<double>(plan.p);
    const double R0 = static_cast<double>(n.R0);
    const double D0 = static_cast<double>(n.D0);
    const double repeats = static_cast<double>(plan.repeats);
    const bool perPulse = mode == CHART_RESTORED || mode == CHART_DETECTION ||
                          mode == CHART_RECOGNITION || mode == CHART_RECOGNITION_BOUNDS;
    if (perPulse) {
        for (std::size_t i = 0; i < plan.p; ++i) {
            ChartCurve& c = curves.emplace_back();
            c.label = formatText("%d", r.wPulseValues[i]);
            for (std::size_t j = 0; j < plan.q; ++j) {
                if (mode == CHART_RESTORED)
                    c.rows.push_back(rows.ofRatio(entry(r, ERR_RESTORING, j, i),
                                                  static_cast<std::uint64_t>(n.R0)));
                else if (mode == CHART_DETECTION)
                    c.rows.push_back(rows.of(std::sqrt(
                        static_cast<double>(entry(r, ERR_DETECTION, j, i)) / repeats / D0)));
                else
                    c.rows.push_back(rows.ofRatio(entry(r, ERR_MISRECOGNIZED, j, i), plan.repeats));
            }
        }
        return curves;
    }
    ChartCurve c;
    for (std::size_t j = 0; j < plan.q; ++j) {
        if (mode == CHART_RESTORED_AGGREGATE) {
            double sum = 0;
            for (std::size_t i = 0; i < plan.p; ++i)
                sum += static_cast<double>(entry(r, ERR_RESTORING, j, i)) / R0;
            c.rows.push_back(rows.of(sum / p));
        } else if (mode == CHART_DETECTION_AGGREGATE) {
            const double sum = static_cast<double>(rowSum(r, ERR_DETECTION, j, plan.p));
            c.rows.push_back(rows.of(std::sqrt(sum / (p * D0 * repeats))));
        } else if (mode == CHART_RECOGNITION_AGGREGATE ||
                   mode == CHART_RECOGNITION_AGGREGATE_BOUNDS) {
            const double sum = static_cast<double>(rowSum(r, ERR_MISRECOGNIZED, j, plan.p));
            c.rows.push_back(rows.of(sum / (repeats * p)));
        } else {
            return curves;  // no other mode is derived
        }
    }
    if (mode == CHART_DETECTION_AGGREGATE) c.label = formatText("%d", static_cast<int>(plan.p));
    if (mode == CHART_RECOGNITION_AGGREGATE || mode == CHART_RECOGNITION_AGGREGATE_BOUNDS)
        c.label = "S";
    curves.push_back(std::move(c));
    return curves;
}

std::vector<ChartCurve> boundCurves(const RestErrorHeader& r, const SeriesHeader& series,
                                    const EtalonCorrelation& c, const ChartScale& scale, int h) {
    const Plan plan = planOf(r);
    if (plan.q < 2) return {};
    h = std::clamp(h, 0, kTallestPlot);
    const std::int64_t top = std::max<std::int64_t>(scale.top, 1);
    const std::int64_t d1 = ((c.energy - c.rMin) * 4 + 4) / 8;
    std::int64_t d2 = 0;
    if (r.wSeriesType == SERIES_FIXED_TUPLES || r.wTaskType == TASK_TUPLE_RECOGNITION) {
        d2 = c.energy - c.rMax;
    } else {
        d2 = (c.energy * r.wMakingLevel + 50) / 100;
        if (const PulseHeader* first = series.lpFirstPulse; first != nullptr && first->wSize > 0) {
            std::int64_t least = std::numeric_limits<std::int64_t>::max();
            for (std::size_t k = 0; k < first->wSize && k < first->lpData.size(); ++k)
                least = std::min(least, std::int64_t{first->lpData[k]} * first->lpData[k]);
            if (least != std::numeric_limits<std::int64_t>::max()) d2 = std::max(d2, least);
        }
    }
    d2 = (d2 * 4 + 8) / 16;
    // -d / s^2, taking a zero noise level as the limit the curves approach.
    auto exponent = [](double d, double sigma) {
        if (sigma == 0) return d > 0 ? -std::numeric_limits<double>::infinity() : 0.0;
        return -d / (sigma * sigma);
    };
    // h - 2 trunc(h v) on the 0..0.5 axis; the factor follows the axis top.
    auto rowOf = [&](double v) {
        double rise = std::trunc(h * v);
        if (std::isnan(rise)) rise = 0;
        rise = std::clamp(rise, -kFarRow, kFarRow);
        return h - static_cast<int>(static_cast<std::int64_t>(rise) * 1000 / top);
    };
    std::vector<ChartCurve> curves(2);
    for (std::size_t j = 1; j < plan.q; ++j) {
        const double sigma = r.lpNoiseLevels[j];
        const double v1 =
            0.5 - 0.5 * std::sqrt(1 - std::exp(exponent(static_cast<double>(d1) * series.wMaxPulses,
                                                        sigma)));
        const double v2 =
            0.5 * std::exp(exponent(static_cast<double>(d2) * series.wMinPulses, sigma));
        curves[0].rows.push_back(rowOf(v1));
        curves[1].rows.push_back(rowOf(v2));
    }
    for (ChartCurve& curve : curves) curve.firstColumn = 1;
    return curves;
}

}  // namespace mirovale
