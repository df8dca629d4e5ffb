#include "cli/results_file.h"

#include "cli/json_dump.h"
#include "cli/provenance.h"

namespace mirovale {
namespace {

nlohmann::ordered_json generators(const RunProvenance& run) {
    nlohmann::ordered_json json;
    json["start"] = run.startStates;
    json["end"] = run.endStates;
    return json;
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

}  // namespace mirovale
