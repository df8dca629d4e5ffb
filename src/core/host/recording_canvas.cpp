#include "core/host/recording_canvas.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "core/host/format_text.h"

namespace mirovale {
namespace {

std::string colourText(Colour c) { return formatText("%d,%d,%d", c.red, c.green, c.blue); }

// Characters of a UTF-8 text: every byte that does not continue a sequence.
int characterCount(std::string_view text) {
    return static_cast<int>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0U) != 0x80U;
    }));
}

CanvasCall callAt(CanvasCall::Op op, int x, int y) {
    CanvasCall call;
    call.op = op;
    call.x = x;
    call.y = y;
    return call;
}

CanvasCall boxCall(CanvasCall::Op op, int left, int top, int right, int bottom) {
    CanvasCall call = callAt(op, left, top);
    call.right = right;
    call.bottom = bottom;
    return call;
}

}  // namespace

std::string CanvasCall::describe() const {
    switch (op) {
        case Op::MoveTo: return formatText("moveTo %d %d", x, y);
        case Op::LineTo: return formatText("lineTo %d %d", x, y);
        case Op::Rectangle: return formatText("rectangle %d %d %d %d", x, y, right, bottom);
        case Op::Ellipse: return formatText("ellipse %d %d %d %d", x, y, right, bottom);
        case Op::SetPixel: return formatText("pixel %d %d ", x, y) + colourText(colour);
        case Op::TextOut: return formatText("text %d %d '", x, y) + text + "'";
        case Op::SelectPen: return "pen " + colourText(colour);
        case Op::SelectBrush: return "brush " + colourText(colour);
        case Op::SelectFont:
            return formatText("font %s %d", font.face == FontFace::Symbol ? "symbol" : "window",
                              font.height);
        case Op::BackgroundMode:
            return mode == BackgroundMode::Opaque ? "background opaque" : "background transparent";
        case Op::DrawButton:
            return formatText("button %d %d %d", static_cast<int>(button), x, y);
    }
    return "?";
}

void RecordingCanvas::moveTo(int x, int y) { record(callAt(CanvasCall::Op::MoveTo, x, y)); }

void RecordingCanvas::lineTo(int x, int y) { record(callAt(CanvasCall::Op::LineTo, x, y)); }

void RecordingCanvas::rectangle(int left, int top, int right, int bottom) {
    record(boxCall(CanvasCall::Op::Rectangle, left, top, right, bottom));
}

void RecordingCanvas::ellipse(int left, int top, int right, int bottom) {
    record(boxCall(CanvasCall::Op::Ellipse, left, top, right, bottom));
}

void RecordingCanvas::setPixel(int x, int y, Colour colour) {
    CanvasCall call = callAt(CanvasCall::Op::SetPixel, x, y);
    call.colour = colour;
    record(std::move(call));
}

void RecordingCanvas::textOut(int x, int y, std::string_view text) {
    CanvasCall call = callAt(CanvasCall::Op::TextOut, x, y);
    call.text = std::string(text);
    record(std::move(call));
}

TextSize RecordingCanvas::textExtent(std::string_view text) const {
    const FontMetrics m = fontMetrics();
    return {m.averageCharWidth * characterCount(text), m.height};
}

FontMetrics RecordingCanvas::fontMetrics() const {
    if (font.height <= 0) return {kFontHeight, 0, kCharWidth};
    return {font.height, 0, std::max(1, font.height / 2)};
}

Pen RecordingCanvas::selectPen(Pen newPen) {
    CanvasCall call = callAt(CanvasCall::Op::SelectPen, 0, 0);
    call.colour = newPen.colour;
    record(std::move(call));
    return std::exchange(pen, newPen);
}

Brush RecordingCanvas::selectBrush(Brush newBrush) {
    CanvasCall call = callAt(CanvasCall::Op::SelectBrush, 0, 0);
    call.colour = newBrush.colour;
    record(std::move(call));
    return std::exchange(brush, newBrush);
}

Font RecordingCanvas::selectFont(Font newFont) {
    CanvasCall call = callAt(CanvasCall::Op::SelectFont, 0, 0);
    call.font = newFont;
    record(std::move(call));
    return std::exchange(font, newFont);
}

BackgroundMode RecordingCanvas::setBackgroundMode(BackgroundMode newMode) {
    CanvasCall call = callAt(CanvasCall::Op::BackgroundMode, 0, 0);
    call.mode = newMode;
    record(std::move(call));
    return std::exchange(mode, newMode);
}

void RecordingCanvas::drawButton(ButtonBitmap bitmap, int x, int y) {
    CanvasCall call = callAt(CanvasCall::Op::DrawButton, x, y);
    call.button = bitmap;
    record(std::move(call));
}

std::vector<CanvasCall> RecordingCanvas::callsOf(CanvasCall::Op op) const {
    std::vector<CanvasCall> out;
    std::copy_if(calls.begin(), calls.end(), std::back_inserter(out),
                 [op](const CanvasCall& c) { return c.op == op; });
    return out;
}

std::vector<std::string> RecordingCanvas::texts() const {
    std::vector<std::string> out;
    for (const CanvasCall& c : calls) {
        if (c.op == CanvasCall::Op::TextOut) out.push_back(c.text);
    }
    return out;
}

std::string RecordingCanvas::transcript() const {
    std::string out;
    for (const CanvasCall& c : calls) out += c.describe() + '\n';
    return out;
}

}  // namespace mirovale
