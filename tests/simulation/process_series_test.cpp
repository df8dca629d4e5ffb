#include "core/simulation/process_series.h"

#include <gtest/gtest.h>

namespace mirovale {
namespace {

TEST(ProcessingRoutine, DispatchesOnTaskAndSeriesType) {
    using enum ProcessingRoutine;
    using enum AlphabetTaskRule;
    const struct {
        int line;
        std::uint16_t task, series;
        AlphabetTaskRule rule;
        ProcessingRoutine routine;
    } cases[] = {
        {__LINE__, 2, 4, RecognizeAlphabet, RecognizeUnfixedPulses},
        {__LINE__, 2, 8, Detect, RecognizeUnfixedPulses},
        // Type 40 counts as unfixed only for the tuple tasks.
        {__LINE__, 2, 40, RecognizeAlphabet, RecognizeFixedPulses},
        {__LINE__, 2, 32, RecognizeAlphabet, RecognizeFixedPulses},
        {__LINE__, 36, 40, RecognizeAlphabet, TuplesDetection},
        {__LINE__, 36, 8, RecognizeAlphabet, TuplesDetection},
        {__LINE__, 36, 36, RecognizeAlphabet, DetectFixedTuples},
        {__LINE__, 40, 40, Detect, RecognizeUnfixedTuples},
        {__LINE__, 40, 4, Detect, RecognizeUnfixedTuples},
        {__LINE__, 40, 36, Detect, RecognizeFixedTuples},
        {__LINE__, 40, 16, Detect, RecognizeFixedTuples},
        {__LINE__, 48, 4, RecognizeAlphabet, RecognizeAlphabetUnfixed},
        {__LINE__, 48, 40, RecognizeAlphabet, RecognizeAlphabetFixed},
        {__LINE__, 48, 1, RecognizeAlphabet, RecognizeAlphabetFixed},
        // The simulation processes task 48 as joint detection.
        {__LINE__, 48, 4, Detect, DetectUnfixedPulses},
        {__LINE__, 48, 2, Detect, DetectFixedPulses},
        {__LINE__, 1, 4, RecognizeAlphabet, DetectUnfixedPulses},
        {__LINE__, 4, 8, RecognizeAlphabet, DetectUnfixedPulses},
        {__LINE__, 64, 40, RecognizeAlphabet, DetectFixedPulses},
        {__LINE__, 4, 32, RecognizeAlphabet, DetectFixedPulses},
        {__LINE__, 1, 1, Detect, DetectFixedPulses},
        {__LINE__, 16, 2, Detect, DetectFixedPulses},
    };
    for (const auto& c : cases)
        EXPECT_EQ(processingRoutine(c.task, c.series, c.rule), c.routine) << c.line;
}

}  // namespace
}  // namespace mirovale
