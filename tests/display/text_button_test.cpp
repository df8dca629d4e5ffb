#include "core/display/text_button.h"

#include <gtest/gtest.h>

#include "core/host/recording_canvas.h"
#include "golden_transcript.h"

namespace mirovale {
namespace {

TEST(TextButton, DrawsTheBevelAndTheCentredCaption) {
    RecordingCanvas canvas;
    drawTextButton(canvas, {40, 300, 140, 329}, " Delete All ", 15);
    // The caption (12 characters of 7 pixels) is centred over the 100 pixels.
    EXPECT_EQ(canvas.callsOf(CanvasCall::Op::TextOut)[0].describe(), "text 48 306 ' Delete All '");
    testing::expectGoldenTranscript("text_button", canvas.transcript());
    // Pen and background mode are handed back as they came.
    EXPECT_EQ(canvas.pen, Pen{});
    EXPECT_EQ(canvas.mode, BackgroundMode::Opaque);
}

}  // namespace
}  // namespace mirovale
