#include "cli/json_dump.h"

#include <span>

namespace mirovale {
namespace {

nlohmann::ordered_json nameOrNull(const char* name) {
    return name != nullptr ? nlohmann::ordered_json(name) : nlohmann::ordered_json(nullptr);
}

template <class T>
nlohmann::ordered_json firstEntries(std::span<const T> values, std::size_t count) {
    return nlohmann::ordered_json(values.first(std::min(count, values.size())));
}

}  // namespace

nlohmann::ordered_json restErrorHeaderJson(const RestErrorHeader& r) {
    nlohmann::ordered_json tables = nlohmann::ordered_json::array();
    for (std::size_t m = 0; m < kErrorTables; ++m) {
        nlohmann::ordered_json rows = nlohmann::ordered_json::array();
        for (std::size_t j = 0; j < r.wNoiseLevels; ++j)
            rows.push_back(firstEntries(r.errors(m, j), r.wVariousPulses));
        tables.push_back(std::move(rows));
    }
    nlohmann::ordered_json json;
    json["wReservedPulses"] = r.wReservedPulses;
    json["wVariousPulses"] = r.wVariousPulses;
    json["wReservedLevels"] = r.wReservedLevels;
    json["wNoiseLevels"] = r.wNoiseLevels;
    json["repeats"] = r.repeats;
    json["wPulseValues"] = firstEntries(std::span(r.wPulseValues), r.wVariousPulses);
    json["lpNoiseLevels"] = firstEntries(std::span(r.lpNoiseLevels), r.wNoiseLevels);
    json["lpErrors"] = std::move(tables);
    json["wRecordKind"] = r.wRecordKind;
    json["wSeriesType"] = r.wSeriesType;
    json["wTaskType"] = r.wTaskType;
    json["lpTaskName"] = nameOrNull(r.lpTaskName);
    json["lpSeriesTypeName"] = nameOrNull(r.lpSeriesTypeName);
    json["wMakingLevel"] = r.wMakingLevel;
    json["wProcessingLevel"] = r.wProcessingLevel;
    json["ifComplete"] = r.ifComplete;
    return json;
}

std::string restErrorHeaderCsv(const RestErrorHeader& r) {
    std::string csv = "table,noise level";
    for (std::size_t i = 0; i < r.wVariousPulses; ++i)
        csv += ',' + std::to_string(r.wPulseValues[i]);
    csv += '\n';
    for (std::size_t m = 0; m < kErrorTables; ++m) {
        for (std::size_t j = 0; j < r.wNoiseLevels; ++j) {
            csv += std::to_string(m) + ',' + std::to_string(r.lpNoiseLevels[j]);
            for (const std::uint32_t value : r.errors(m, j).first(r.wVariousPulses))
                csv += ',' + std::to_string(value);
            csv += '\n';
        }
    }
    return csv;
}

}  // namespace mirovale
