#pragma once

// The typed tests run against both implementations of the processing routines: the fast routines
// the workbench uses and their literal transcription (the structs in differential_cases.h).

#include <gtest/gtest.h>

#include <string>

#include "differential_cases.h"

namespace mirovale::implementations {

using Both = ::testing::Types<Reference, Fast>;

struct Names {
    template <class T>
    static std::string GetName(int) {
        return T::name;
    }
};

}  // namespace mirovale::implementations
