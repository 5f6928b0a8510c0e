// The Qt face of the terminal's Canvas: the artwork's operations on a
// QPainter (antialiased, as the picture is drawn at any size), and the
// window's images and LCD glyphs at the window's zoom, each drawn afresh at
// that size.
#pragma once

#include "simulator/canvas.h"
#include "simulator/rendered_images.h"
#include "simulator/terminal_artwork.h"
#include "simulator/terminal_zoom.h"

#include <QFont>
#include <QImage>
#include <QPainter>

namespace kolibra {

// The LCD font at a zoom: a fixed-pitch face narrowed until a character
// fits its column (5 terminal pixels).
QFont lcd_font(int zoom_percent = kDefaultZoom);

// Image `number` of the artwork rendered for a placement in the window
// (rendered once, then kept); without one, at its own size.
const QImage& terminal_image(int number, const ImagePlacement& placement);
const QImage& terminal_image(int number);

class QtCanvas : public Canvas {
public:
    // The artwork's operations draw in the painter's own coordinates; the
    // window's operations take terminal coordinates and draw at `zoom`.
    explicit QtCanvas(QPainter& painter, TerminalZoom zoom = {}) : p_(painter), zoom_(zoom) {}

    void fill(Rgba colour) override;
    void rect(PixelRect box, Rgba fill, std::optional<Rgba> edge) override;
    void round_rect(PixelRect box, int radius, Rgba fill, std::optional<Rgba> edge) override;
    void line(int x1, int y1, int x2, int y2, Rgba colour, int width) override;
    void text(PixelRect box, int pixels, Rgba colour, std::string_view text, bool bold) override;
    void image(int number, int x, int y) override;
    void clip(PixelRect box) override;
    void lcd_glyph(int x, int baseline_y, char c, Rgba colour) override;

private:
    QPainter& p_;
    TerminalZoom zoom_;
};

}  // namespace kolibra
