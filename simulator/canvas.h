// What the terminal's picture is drawn through: a few plain operations that
// each window face implements (Qt's painter, Win32's GDI) and tests record.
// The artwork description and the LCD drawing rules are read once, in the
// core, and drawn through this, so both faces draw the same terminal.
//
//   class MyCanvas : public Canvas { ... };   // one per face
//   draw_artwork_image(terminal_artwork_description(), 500, canvas);
//   draw_terminal(lcd_model, overlays, canvas);
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace kolibra {

struct Rgba {
    uint8_t r = 0, g = 0, b = 0, a = 255;
    bool operator==(const Rgba&) const = default;
};

// A rectangle of whole pixels: its top-left corner and its size.
struct PixelRect {
    int x = 0, y = 0, w = 0, h = 0;
    bool operator==(const PixelRect&) const = default;
    bool intersects(const PixelRect& o) const {
        return x < o.x + o.w && o.x < x + w && y < o.y + o.h && o.y < y + h;
    }
};

struct PixelSize {
    int w = 0, h = 0;
    bool operator==(const PixelSize&) const = default;
};

class Canvas {
public:
    virtual ~Canvas() = default;

    // The artwork's operations, in the pixels of the image being drawn.
    // The whole surface in one colour.
    virtual void fill(Rgba colour) = 0;
    // A rectangle filled with `fill`; with `edge`, a one-pixel edge inside it.
    virtual void rect(PixelRect box, Rgba fill, std::optional<Rgba> edge) = 0;
    // The same with corners rounded to `radius` pixels.
    virtual void round_rect(PixelRect box, int radius, Rgba fill, std::optional<Rgba> edge) = 0;
    // A line from the centre of pixel (x1, y1) to the centre of (x2, y2).
    virtual void line(int x1, int y1, int x2, int y2, Rgba colour, int width) = 0;
    // UTF-8 text centred in `box`, in the artwork's sans-serif face of
    // `pixels` height.
    virtual void text(PixelRect box, int pixels, Rgba colour, std::string_view text, bool bold) = 0;

    // The window's operations, in the pixels of the terminal window.
    // Artwork image `number` (500 to 545) with its top-left corner at (x, y).
    virtual void image(int number, int x, int y) = 0;
    // Later drawing shows only inside `box` (the LCD's window).
    virtual void clip(PixelRect box) = 0;
    // One LCD character (a byte of the terminal's character set) in the LCD
    // face, its baseline at y, its cell starting at x.
    virtual void lcd_glyph(int x, int baseline_y, char c, Rgba colour) = 0;
};

}  // namespace kolibra
