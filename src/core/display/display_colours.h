#pragma once

#include "core/host/canvas.h"

namespace mirovale {

// The colours the views draw with besides the canvas's own pen, brush and text colours.

// The noisy series curve, and the curve of a required etalon in the alphabet view.
inline constexpr Colour kSeriesCurveColour{0, 0, 255};
// The curve of an etalon that is not required (alphabet view).
inline constexpr Colour kOptionalEtalonColour{0, 0, 127};
// The frame of a grid cell that is not required (alphabet view).
inline constexpr Colour kOptionalCellFrameColour{127, 127, 127};
// The background of a state-1 etalon cell, the frame of a required grid cell and the marker of
// an option that is not the value in effect.
inline constexpr Colour kGreyCellColour{163, 163, 163};
// The background of a state-2 etalon cell.
inline constexpr Colour kRedCellColour{255, 0, 0};
// Axes and curve drawn on a coloured cell background.
inline constexpr Colour kGlyphOnColour = kWhite;
// A selection-panel cell, selected and not: background and lines.
inline constexpr Colour kPanelSelectedBackground{203, 203, 203};
inline constexpr Colour kPanelSelectedLines{63, 63, 63};
inline constexpr Colour kPanelPlainBackground = kWhite;
inline constexpr Colour kPanelPlainLines = kBlack;
// The background of the alphabets band of the series view.
inline constexpr Colour kAlphabetsBandColour{235, 240, 225};
// The shading of a tuple span.
inline constexpr Colour kTupleShadeColour{192, 191, 178};
// The dots of shadings and dotted frames.
inline constexpr Colour kDotColour = kBlack;

}  // namespace mirovale
