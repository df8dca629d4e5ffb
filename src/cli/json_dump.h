#pragma once

#include <algorithm>
#include <nlohmann/json.hpp>
#include <span>
#include <string>
#include <vector>

#include "core/simulation/rest_error_header.h"

namespace mirovale {

// The first `count` entries of `values` (all of them when it holds fewer) as a JSON array.
template <class T>
[[nodiscard]] nlohmann::ordered_json firstEntries(const std::vector<T>& values, std::size_t count) {
    return nlohmann::ordered_json(std::span<const T>(values).first(std::min(count, values.size())));
}

// The error record as JSON: every field under its own name, the lists cut to the plan
// (wVariousPulses pulse numbers, wNoiseLevels levels) and lpErrors as six tables of
// wNoiseLevels rows of wVariousPulses entries. A missing name is null.
[[nodiscard]] nlohmann::ordered_json restErrorHeaderJson(const RestErrorHeader& record);

// The result tables as CSV: a header line "table,noise level" followed by the pulse numbers,
// then one line per table and noise level.
[[nodiscard]] std::string restErrorHeaderCsv(const RestErrorHeader& record);

}  // namespace mirovale
