#include "cli/results_file.h"

#include "cli/json_dump.h"
#include "cli/provenance.h"
#include "core/export/output_file.h"

namespace mirovale {
namespace {

nlohmann::ordered_json generators(const RunProvenance& run) {
    nlohmann::ordered_json json;
    json["start"] = run.startStates;
    json["end"] = run.endStates;
    return json;
}

template <class Field>
nlohmann::ordered_json sumTable(const PlanPart& part, Field field) {
    nlohmann::ordered_json rows = nlohmann::ordered_json::array();
    for (std::size_t j = 0; j < part.levels; ++j) {
        nlohmann::ordered_json row = nlohmann::ordered_json::array();
        for (std::size_t i = 0; i < part.pulses; ++i)
            row.push_back(field(part.sums[j * part.pulses + i]));
        rows.push_back(std::move(row));
    }
    return rows;
}

}  // namespace

nlohmann::ordered_json simulationResultJson(const RestErrorHeader& record,
                                            const RunProvenance& run) {
    nlohmann::ordered_json json;
    json["program"] = programJson();
    json["plan"] = run.plan;
    json["record"] = restErrorHeaderJson(record);
    json["generators"] = generators(run);
    json["times"] = run.times;
    return json;
}

nlohmann::ordered_json simulationPartJson(const PlanPart& part, const RunProvenance& run) {
    nlohmann::ordered_json shard;
    shard["index"] = part.shard;
    shard["count"] = part.shards;
    shard["firstSeries"] = part.series.begin;
    shard["endSeries"] = part.series.end;
    shard["planSeries"] = part.planSeries;
    nlohmann::ordered_json sums;
    sums["restoring"] = sumTable(part, [](const CellSums& c) { return c.restoring; });
    sums["detection"] = sumTable(part, [](const CellSums& c) { return c.detection; });
    sums["misrecognized"] = sumTable(part, [](const CellSums& c) { return c.misrecognized; });
    nlohmann::ordered_json json;
    json["program"] = programJson();
    json["plan"] = run.plan;
    json["shard"] = std::move(shard);
    json["sums"] = std::move(sums);
    json["generators"] = generators(run);
    json["times"] = run.times;
    return json;
}

bool writeTextFile(const std::string& path, const std::string& text) {
    OutputFile file(path);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    return file.create() && file.write({bytes, text.size()}) && file.commit();
}

}  // namespace mirovale
