#pragma once

// A dialog's answer for the tests: OK or Cancel, with the texts typed and the boxes clicked.

#include <string>
#include <utility>
#include <vector>

#include "core/host/dialog_answers.h"

namespace mirovale::testing {

inline DialogAnswer ok(int dialog, std::vector<std::pair<int, std::string>> fields = {},
                       std::vector<std::pair<int, bool>> checks = {}) {
    return {dialog, DialogResult::Ok, std::move(fields), std::move(checks)};
}

inline DialogAnswer cancel(int dialog, std::vector<std::pair<int, std::string>> fields = {},
                           std::vector<std::pair<int, bool>> checks = {}) {
    return {dialog, DialogResult::Cancel, std::move(fields), std::move(checks)};
}

}  // namespace mirovale::testing
