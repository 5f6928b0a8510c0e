// The Win32 face of the terminal's Canvas: the artwork's operations with GDI
// (not antialiased; rounded rectangles and text as close to the Qt face as
// GDI draws them), the images rendered from the description at the window's
// zoom into 32-bit DIB sections whose never-drawn pixels are transparent,
// and the LCD's glyphs in a fixed-pitch font whose advance fits the column.
//
// Usage (in WM_PAINT, drawing into a memory DC of the window's size):
//   GdiCanvas canvas(memory_dc, zoom.window_size(), zoom);
//   draw_terminal(lcd, overlays, canvas);
//   BitBlt(window_dc, 0, 0, w, h, memory_dc, 0, 0, SRCCOPY);
#pragma once

#include "simulator/canvas.h"
#include "simulator/rendered_images.h"
#include "simulator/terminal_artwork.h"
#include "simulator/terminal_zoom.h"

#include <windows.h>

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

// Image `number` rendered for a placement in the window (once, then kept
// for the program's life); without one, at its own size.
const GdiImage& gdi_terminal_image(int number, const ImagePlacement& placement);
const GdiImage& gdi_terminal_image(int number);

// The window's outline at `zoom`: the opaque pixels of image 500 as a
// region (the caller owns it; SetWindowRgn takes it over).
HRGN terminal_outline_region(const TerminalZoom& zoom = {});

// The LCD's font at a zoom: fixed pitch, 9 terminal pixels high, narrowed
// until 'M' advances at most one column (5 terminal pixels). Made once per
// zoom, kept for the program's life.
HFONT lcd_gdi_font(int zoom_percent = kDefaultZoom);

class GdiCanvas : public Canvas {
public:
    // Draws on `dc`, a surface of `size` pixels. The artwork's operations
    // draw in the DC's own coordinates; the window's operations take
    // terminal coordinates and draw at `zoom`.
    GdiCanvas(HDC dc, PixelSize size, TerminalZoom zoom = {});
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
    TerminalZoom zoom_;
    int saved_ = 0;  // SaveDC's state, restored at the end
};

}  // namespace kolibra
