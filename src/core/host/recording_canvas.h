#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/host/canvas.h"

namespace mirovale {

// One call on a RecordingCanvas. Only the fields its operation uses are set.
struct CanvasCall {
    enum class Op : int {
        MoveTo,         // x, y
        LineTo,         // x, y
        Rectangle,      // x, y, right, bottom
        Ellipse,        // x, y, right, bottom
        SetPixel,       // x, y, colour
        TextOut,        // x, y, text
        SelectPen,      // colour
        SelectBrush,    // colour
        SelectFont,     // font
        BackgroundMode, // mode
        DrawButton,     // x, y, button
    };
    Op op = Op::MoveTo;
    int x = 0;
    int y = 0;
    int right = 0;
    int bottom = 0;
    Colour colour;
    std::string text;
    Font font;
    BackgroundMode mode = BackgroundMode::Opaque;
    ButtonBitmap button = ButtonBitmap::Next;

    // One line such as "lineTo 10 20", "pen 0,0,255" or "text 5 7 'abc'", for messages of tests.
    [[nodiscard]] std::string describe() const;
    friend bool operator==(const CanvasCall&, const CanvasCall&) = default;
};

// A Canvas without pixels: records every call in order, with the pen, brush, font and mode
// it selected, and answers text questions with fixed metrics: the window font is 16 pixels
// high with no external leading (a line height of 15, as RecordingHost's), every character
// 7 pixels wide; a symbol font of height h is h high and h / 2 wide a character.
class RecordingCanvas : public Canvas {
public:
    static constexpr int kFontHeight = 16;
    static constexpr int kCharWidth = 7;

    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    void rectangle(int left, int top, int right, int bottom) override;
    void ellipse(int left, int top, int right, int bottom) override;
    void setPixel(int x, int y, Colour colour) override;
    void textOut(int x, int y, std::string_view text) override;
    [[nodiscard]] TextSize textExtent(std::string_view text) const override;
    [[nodiscard]] FontMetrics fontMetrics() const override;
    Pen selectPen(Pen pen) override;
    Brush selectBrush(Brush brush) override;
    Font selectFont(Font font) override;
    BackgroundMode setBackgroundMode(BackgroundMode mode) override;
    void drawButton(ButtonBitmap bitmap, int x, int y) override;

    // The calls of one operation, in order.
    [[nodiscard]] std::vector<CanvasCall> callsOf(CanvasCall::Op op) const;
    // The texts drawn, in order.
    [[nodiscard]] std::vector<std::string> texts() const;
    // Every call described, one a line.
    [[nodiscard]] std::string transcript() const;
    void clear() { calls.clear(); }

    std::vector<CanvasCall> calls;
    Pen pen;
    Brush brush;
    Font font;
    BackgroundMode mode = BackgroundMode::Opaque;

private:
    void record(CanvasCall call) { calls.push_back(std::move(call)); }
};

}  // namespace mirovale
