#include "core/simulation/simulation_plan.h"

#include "core/host/format_text.h"
#include "core/synthesis/series_allocation.h"
#include "core/synthesis/series_geometry.h"

namespace mirovale {
namespace {

constexpr std::int64_t kLargestLevel = 32767;

std::string requiredProblem(const SimulationSettings& settings) {
    // "Simulation plan refused: there are no required etalons to build series from."
    if (settings.lpRequiredList.empty())
        return "План моделирования отклонён: нет обязательных эталонов, из которых строятся серии.";
    const std::size_t tableSize = settings.etalonTable ? settings.etalonTable->size() : 0;
    const std::size_t alphabet = std::min<std::size_t>(settings.wEtalonCount, tableSize);
    for (const std::uint16_t etalon : settings.lpRequiredList)
        if (etalon < 1 || etalon > alphabet)
            // "Simulation plan refused: required etalon %d is not one of the %d etalons of the
            // alphabet."
            return formatText(
                "План моделирования отклонён: обязательный эталон %d не из числа %d "
                "эталонов алфавита.",
                etalon, static_cast<int>(alphabet));
    return {};
}

std::string pulseProblem(std::int64_t n, const PlanShape& shape, const SeriesGeometry& geometry) {
    if (n < geometry.wMinPulses || n > geometry.wMaxPulses)
        // "Simulation plan refused: pulse number %lld is outside %d..%d, the numbers of pulses a
        // series of %u samples holds with L %d, Tmin %d and Tmax %d."
        return formatText(
            "План моделирования отклонён: число импульсов %lld вне %d..%d, чисел импульсов, "
            "которые вмещает серия из %u отсчётов при L %d, Tmin %d и Tmax %d.",
            static_cast<long long>(n), geometry.wMinPulses, geometry.wMaxPulses, shape.N, shape.L,
            shape.wTmin, shape.wTmax);
    if (!blockProblemFeasible(geometry, static_cast<std::uint16_t>(n)))
        // "Simulation plan refused: %lld pulses cannot be laid one per block of %d samples
        // between Tmin %d and Tmax %d in a series of %u samples."
        return formatText(
            "План моделирования отклонён: импульсы в числе %lld нельзя уложить по одному на блок "
            "из %d отсчётов с интервалами от Tmin %d до Tmax %d в серии из %u отсчётов.",
            static_cast<long long>(n), shape.L, shape.wTmin, shape.wTmax, shape.N);
    if (n > shape.wArrayPulses)
        // "Simulation plan refused: pulse number %lld exceeds the %d pulses the simulation's
        // working arrays hold."
        return formatText(
            "План моделирования отклонён: число импульсов %lld больше %d, которые вмещают рабочие "
            "массивы моделирования.",
            static_cast<long long>(n), shape.wArrayPulses);
    return {};
}

}  // namespace

std::string simulationPlanProblem(std::span<const std::int64_t> pulses,
                                  std::span<const std::int64_t> levels, std::uint64_t repeats,
                                  const PlanShape& shape, const SimulationSettings& settings) {
    // "Simulation plan refused." above the series parameters' own report.
    if (std::string problem = seriesParametersProblem(shape.L, shape.wTmin, shape.wTmax, shape.N);
        !problem.empty())
        return "План моделирования отклонён.\n\n" + problem;
    if (std::string problem = requiredProblem(settings); !problem.empty()) return problem;
    // "Simulation plan refused: the plan has no pulse numbers." / "... no noise levels." /
    // "... the number of repeats must be at least 1."
    if (pulses.empty())
        return "План моделирования отклонён: в плане нет ни одного числа импульсов.";
    if (levels.empty()) return "План моделирования отклонён: в плане нет ни одного уровня шума.";
    if (repeats == 0)
        return "План моделирования отклонён: число повторений должно быть не меньше 1.";
    for (const std::int64_t level : levels)
        if (level < 0 || level > kLargestLevel)
            // "Simulation plan refused: noise level %lld is outside 0..%lld."
            return formatText("План моделирования отклонён: уровень шума %lld вне 0..%lld.",
                              static_cast<long long>(level), static_cast<long long>(kLargestLevel));
    const SeriesGeometry geometry = seriesGeometry(shape.L, shape.wTmin, shape.wTmax, shape.N);
    for (const std::int64_t n : pulses)
        if (std::string problem = pulseProblem(n, shape, geometry); !problem.empty())
            return problem;
    return {};
}

std::vector<std::int64_t> planPulseNumbers(const SimulationPlan& plan) {
    std::vector<std::int64_t> pulses(plan.wPulsesSteps);
    for (std::size_t i = 0; i < pulses.size(); ++i)
        pulses[i] = plan.wMinPulses + static_cast<std::int64_t>(i) * plan.wPulsesIncrement;
    return pulses;
}

std::vector<std::int64_t> planNoiseLevels(const SimulationPlan& plan) {
    std::vector<std::int64_t> levels(plan.wNoiseSteps);
    for (std::size_t j = 0; j < levels.size(); ++j)
        levels[j] = plan.wInitialNoiseLevel + static_cast<std::int64_t>(j) * plan.wNoiseIncrement;
    return levels;
}

int runStatisticalSimulation(Host& host, const SimulationPlan& plan,
                             const SimulationSettings& settings, GeneratorStates& states,
                             std::uint16_t& wNoiseSeed, std::unique_ptr<SeriesHeader>& series,
                             std::unique_ptr<RestErrorHeader>& record, SimulationTimes& times,
                             const SimulationControl& control) {
    PlanShape shape{plan.dwSeriesLength, plan.wEtalonLength, plan.wTmin, plan.wTmax, 0};
    if (seriesParametersProblem(shape.L, shape.wTmin, shape.wTmax, shape.N).empty())
        shape.wArrayPulses = seriesGeometry(shape.L, shape.wTmin, shape.wTmax, shape.N).wMaxPulses;
    const std::string problem = simulationPlanProblem(planPulseNumbers(plan), planNoiseLevels(plan),
                                                      plan.wRepeats, shape, settings);
    if (!problem.empty()) {
        host.messageBox(problem, kStatCutoffCaption, MessageIcon::None);
        return 0;
    }
    // The error record first: a failure there leaves the current series as it was, instead of
    // a series record resized for the plan that holds the old series' pulses.
    record = getRestErrHeader(host, plan.wPulsesSteps, plan.wNoiseSteps, plan.wRepeats,
                              std::move(record));
    if (!record) {
        host.messageBox("Нет RestoreErrorHeader!", " About RestoreErrorHeader ", MessageIcon::None);
        return 0;
    }
    if (!initRestErrHeader(host, plan.wPulsesSteps, plan.wMinPulses, plan.wPulsesIncrement,
                           plan.wNoiseSteps, plan.wInitialNoiseLevel, plan.wNoiseIncrement,
                           plan.wRepeats, record.get())) {
        host.messageBox("Ошибка initRestErrHeader!", " About RestoreErrorHeader ",
                        MessageIcon::None);
        return 0;
    }
    series = getCutOffSeriesHeader(host, settings.wEtalonCount, plan.wEtalonLength, plan.wTmin,
                                   plan.wTmax, plan.dwSeriesLength, std::move(series));
    if (!series) {
        host.messageBox("Не могу выделить память для lpCutOffSeriesHeader!",
                        " About getCutOffSeriesHeader ", MessageIcon::Exclamation);
        return 0;
    }
    return statCutoffQuorvel(host, record.get(), settings, states, wNoiseSeed, series, times,
                             control);
}

}  // namespace mirovale
