#pragma once

#include <nlohmann/json.hpp>

#include "core/state/program_state.h"

namespace mirovale {

// The records and the state as a script's `print` shows them: every field under its own name,
// arrays cut to the entries in use (per-pulse arrays to the pulses placed or detected, signals
// to the series length, chain rows to the chains held and each to its pulses). A missing record
// prints as {"present":false}.
[[nodiscard]] nlohmann::ordered_json seriesJson(const SeriesHeader* series);
[[nodiscard]] nlohmann::ordered_json chainsJson(const ChainsHeader* chains);
[[nodiscard]] nlohmann::ordered_json errorsJson(const RestErrorHeader* errors);
// Every setting of the program state and the panels' selections; the records appear only as
// present or not, and the wall-clock stamps of the last simulation are left out.
[[nodiscard]] nlohmann::ordered_json stateJson(const ProgramState& state);
// The alphabet: each etalon's number, size and samples.
[[nodiscard]] nlohmann::ordered_json alphabetJson(const ProgramState& state);

}  // namespace mirovale
