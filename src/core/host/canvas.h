#pragma once

#include <cstdint>
#include <string_view>
#include <utility>

namespace mirovale {

// A colour of 8-bit red, green and blue.
struct Colour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend constexpr bool operator==(const Colour&, const Colour&) = default;
};

inline constexpr Colour kBlack{0, 0, 0};
inline constexpr Colour kWhite{255, 255, 255};

// A solid pen one pixel wide.
struct Pen {
    Colour colour = kBlack;
    friend constexpr bool operator==(const Pen&, const Pen&) = default;
};

// A solid brush.
struct Brush {
    Colour colour = kWhite;
    friend constexpr bool operator==(const Brush&, const Brush&) = default;
};

// The faces a view writes with: the window's proportional font, and the symbol face of the
// error charts, which shows Greek letters for Latin ones (s as sigma, S as capital sigma).
enum class FontFace : int { Window, Symbol };

// A font asked for: a face and a cell height in pixels; height 0 is the window font as the
// canvas starts with it.
struct Font {
    FontFace face = FontFace::Window;
    int height = 0;
    friend constexpr bool operator==(const Font&, const Font&) = default;
};

// Metrics of the selected font, pixels. A line of text is height + externalLeading - 1 high
// in the views' terms (wLineHeight).
struct FontMetrics {
    int height = 0;
    int externalLeading = 0;
    int averageCharWidth = 0;
    friend constexpr bool operator==(const FontMetrics&, const FontMetrics&) = default;
};

// Size of a text in the selected font, pixels.
struct TextSize {
    int width = 0;
    int height = 0;
    friend constexpr bool operator==(const TextSize&, const TextSize&) = default;
};

// Whether text cells are filled with the background (white) before the glyphs are drawn.
enum class BackgroundMode : int { Opaque, Transparent };

// The picture buttons, by their bitmap numbers; each is kButtonWidth x kButtonHeight.
enum class ButtonBitmap : int {
    Next = 101,
    Exit = 102,
    Restart = 103,
    UnselectAll = 108,
    SelectAll = 109,
};

// The drawing vocabulary of the views. Coordinates are client pixels; text is UTF-8. A canvas
// starts every paint with a black pen, a white brush, black text on an opaque white
// background, the window font and the current position at 0, 0.
class Canvas {
public:
    virtual ~Canvas() = default;

    // Sets the current position.
    virtual void moveTo(int x, int y) = 0;
    // Draws a line with the current pen from the current position to (x, y), without the end
    // pixel, and makes (x, y) the current position.
    virtual void lineTo(int x, int y) = 0;
    // Outlines a rectangle with the current pen and fills its inside with the current brush;
    // right and bottom are exclusive (the outline's last column is right - 1).
    virtual void rectangle(int left, int top, int right, int bottom) = 0;
    // The ellipse inscribed in the same rectangle, outlined and filled as rectangle().
    virtual void ellipse(int left, int top, int right, int bottom) = 0;
    // Sets one pixel.
    virtual void setPixel(int x, int y, Colour colour) = 0;
    // Draws text in the selected font with its top-left corner at (x, y).
    virtual void textOut(int x, int y, std::string_view text) = 0;
    [[nodiscard]] virtual TextSize textExtent(std::string_view text) const = 0;
    [[nodiscard]] virtual FontMetrics fontMetrics() const = 0;

    // Each select returns what it replaces, so a routine restores it when it is done.
    virtual Pen selectPen(Pen pen) = 0;
    virtual Brush selectBrush(Brush brush) = 0;
    virtual Font selectFont(Font font) = 0;
    virtual BackgroundMode setBackgroundMode(BackgroundMode mode) = 0;

    // Copies a picture button's bitmap unchanged with its top-left corner at (x, y).
    virtual void drawButton(ButtonBitmap bitmap, int x, int y) = 0;
};

// The part of a Canvas every drawing device shares: the current position, and the pen, brush,
// font and background mode in use, each select swapping in the new one and returning the old.
class DeviceCanvas : public Canvas {
public:
    void moveTo(int x, int y) override {
        x_ = x;
        y_ = y;
    }
    Pen selectPen(Pen pen) override { return std::exchange(pen_, pen); }
    Brush selectBrush(Brush brush) override { return std::exchange(brush_, brush); }
    Font selectFont(Font font) override { return std::exchange(font_, font); }
    BackgroundMode setBackgroundMode(BackgroundMode mode) override {
        return std::exchange(mode_, mode);
    }

protected:
    // The tools of a fresh paint: black pen, white brush, window font, opaque text, at 0,0.
    void resetTools() {
        pen_ = Pen{};
        brush_ = Brush{};
        font_ = Font{};
        mode_ = BackgroundMode::Opaque;
        x_ = y_ = 0;
    }

    Pen pen_;
    Brush brush_;
    Font font_;
    BackgroundMode mode_ = BackgroundMode::Opaque;
    int x_ = 0;
    int y_ = 0;
};

// Selects a pen, brush, font or background mode for one scope and restores the old one.
class ScopedPen {
public:
    ScopedPen(Canvas& canvas, Pen pen) : canvas_(canvas), old_(canvas.selectPen(pen)) {}
    ~ScopedPen() { canvas_.selectPen(old_); }
    ScopedPen(const ScopedPen&) = delete;
    ScopedPen& operator=(const ScopedPen&) = delete;

private:
    Canvas& canvas_;
    Pen old_;
};

class ScopedBrush {
public:
    ScopedBrush(Canvas& canvas, Brush brush) : canvas_(canvas), old_(canvas.selectBrush(brush)) {}
    ~ScopedBrush() { canvas_.selectBrush(old_); }
    ScopedBrush(const ScopedBrush&) = delete;
    ScopedBrush& operator=(const ScopedBrush&) = delete;

private:
    Canvas& canvas_;
    Brush old_;
};

class ScopedFont {
public:
    ScopedFont(Canvas& canvas, Font font) : canvas_(canvas), old_(canvas.selectFont(font)) {}
    ~ScopedFont() { canvas_.selectFont(old_); }
    ScopedFont(const ScopedFont&) = delete;
    ScopedFont& operator=(const ScopedFont&) = delete;

private:
    Canvas& canvas_;
    Font old_;
};

class ScopedBackgroundMode {
public:
    ScopedBackgroundMode(Canvas& canvas, BackgroundMode mode)
        : canvas_(canvas), old_(canvas.setBackgroundMode(mode)) {}
    ~ScopedBackgroundMode() { canvas_.setBackgroundMode(old_); }
    ScopedBackgroundMode(const ScopedBackgroundMode&) = delete;
    ScopedBackgroundMode& operator=(const ScopedBackgroundMode&) = delete;

private:
    Canvas& canvas_;
    BackgroundMode old_;
};

}  // namespace mirovale
