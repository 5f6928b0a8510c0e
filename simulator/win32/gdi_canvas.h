// The Win32 face of the terminal's Canvas: the artwork's operations with GDI
// (not antialiased; rounded rectangles and text as close to the Qt face as
// GDI draws them), the images rendered once from the description into 32-bit
// DIB sections whose never-drawn pixels are transparent, and the LCD's
// glyphs in a fixed-pitch font whose advance fits the 5-pixel column.
//
// Usage (in WM_PAINT, drawing into a memory DC of the window's size):
//   GdiCanvas canvas(memory_dc, kTerminalSize);
//   draw_terminal(lcd, overlays, canvas);
//   BitBlt(window_dc, 0, 0, 180, 400, memory_dc, 0, 0, SRCCOPY);
#pragma once

#include "simulator/canvas.h"
#include "simulator/terminal_artwork.h"

#include <windows.h>

#include <array>
#include <cstdint>

namespace kolibra {

// One artwork image: a top-down 32-bit DIB section, premultiplied alpha
// (0 where the description drew nothing, 255 elsewhere).
struct GdiImage {
    HBITMAP bitmap = nullptr;
    uint32_t* pixels = nullptr;  // BGRA, row by row from the top
    PixelSize size;
    bool transparent_at(int x, int y) const;
};

struct GdiTerminalImages {
    std::array<GdiImage, kImageCount> images;  // index = image number - 500
    const GdiImage& image(int number) const { return images[number - kFirstImage]; }
};
// Renders every image of the description (once per program: see below).
GdiTerminalImages render_gdi_terminal_images(const ArtworkDescription& art);
const GdiTerminalImages& gdi_terminal_images();

// The window's outline: the opaque pixels of image 500 as a region (the
// caller owns it; SetWindowRgn takes it over).
HRGN terminal_outline_region();

// The LCD's font: fixed pitch, 9 pixels high, narrowed until 'M' advances
// at most 5 pixels. Made once, kept for the program's life.
HFONT lcd_gdi_font();

class GdiCanvas : public Canvas {
public:
    // Draws on `dc`, a surface of `size` pixels.
    GdiCanvas(HDC dc, PixelSize size);
    ~GdiCanvas() override;
    GdiCanvas(const GdiCanvas&) = delete;
    GdiCanvas& operator=(const GdiCanvas&) = delete;

    void fill(Rgba colour) override;
    void rect(PixelRect box, Rgba fill, std::optional<Rgba> edge) override;
    void round_rect(PixelRect box, int radius, Rgba fill, std::optional<Rgba> edge) override;
    void line(int x1, int y1, int x2, int y2, Rgba colour, int width) override;
    void text(PixelRect box, int pixels, Rgba colour, std::string_view text, bool bold) override;
    void image(int number, int x, int y) override;
    void clip(PixelRect box) override;
    void lcd_glyph(int x, int baseline_y, char c, Rgba colour) override;

private:
    HDC dc_;
    PixelSize size_;
    int saved_ = 0;  // SaveDC's state, restored at the end
};

}  // namespace kolibra
