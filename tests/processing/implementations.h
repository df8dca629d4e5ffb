#pragma once

// The two implementations of the processing routines, so that a typed test runs against both:
// the fast routines the workbench uses and their literal transcription.

#include <gtest/gtest.h>

#include <string>

#include "core/processing/alphabet_recognition.h"
#include "core/processing/pulse_detection.h"
#include "core/processing/pulse_recognition.h"
#include "core/processing/reference/alphabet_recognition.h"
#include "core/processing/reference/pulse_detection.h"
#include "core/processing/reference/pulse_recognition.h"
#include "core/processing/reference/tuple_detection.h"
#include "core/processing/reference/tuple_recognition_unfixed.h"
#include "core/processing/tuple_detection.h"
#include "core/processing/tuple_recognition_unfixed.h"

namespace mirovale::implementations {

struct Fast {
    static constexpr const char* name = "Fast";
    static constexpr auto detectUnfixedPulses = &mirovale::detectUnfixedPulses;
    static constexpr auto detectFixedPulses = &mirovale::detectFixedPulses;
    static constexpr auto recognizeUnfixedPulses = &mirovale::recognizeUnfixedPulses;
    static constexpr auto recognizeFixedPulses = &mirovale::recognizeFixedPulses;
    static constexpr auto detectFixedTuples = &mirovale::detectFixedTuples;
    static constexpr auto recognizeFixedTuples = &mirovale::recognizeFixedTuples;
    static constexpr auto TuplesDetection = &mirovale::TuplesDetection;
    static constexpr auto recognizeUnfixedTuples = &mirovale::recognizeUnfixedTuples;
    static constexpr auto recognizeAlphabetFixed = &mirovale::recognizeAlphabetFixed;
    static constexpr auto recognizeAlphabetUnfixed = &mirovale::recognizeAlphabetUnfixed;
};

struct Reference {
    static constexpr const char* name = "Reference";
    static constexpr auto detectUnfixedPulses = &reference::detectUnfixedPulses;
    static constexpr auto detectFixedPulses = &reference::detectFixedPulses;
    static constexpr auto recognizeUnfixedPulses = &reference::recognizeUnfixedPulses;
    static constexpr auto recognizeFixedPulses = &reference::recognizeFixedPulses;
    static constexpr auto detectFixedTuples = &reference::detectFixedTuples;
    static constexpr auto recognizeFixedTuples = &reference::recognizeFixedTuples;
    static constexpr auto TuplesDetection = &reference::TuplesDetection;
    static constexpr auto recognizeUnfixedTuples = &reference::recognizeUnfixedTuples;
    static constexpr auto recognizeAlphabetFixed = &reference::recognizeAlphabetFixed;
    static constexpr auto recognizeAlphabetUnfixed = &reference::recognizeAlphabetUnfixed;
};

using Both = ::testing::Types<Reference, Fast>;

struct Names {
    template <class T>
    static std::string GetName(int) {
        return T::name;
    }
};

}  // namespace mirovale::implementations
