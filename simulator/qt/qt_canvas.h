// The Qt face of the terminal's Canvas: the artwork's operations on a
// QPainter (antialiased, as the picture is drawn at any size), and the
// window's images and LCD glyphs.
#pragma once

#include "simulator/canvas.h"
#include "simulator/terminal_artwork.h"

#include <QFont>
#include <QImage>
#include <QPainter>

#include <array>

namespace kolibra {

// The LCD font: a fixed-pitch face narrowed until a character fits its
// 5-pixel column.
QFont lcd_font();

// The artwork's images rendered once from the description.
struct TerminalImages {
    std::array<QImage, kImageCount> images;  // index = image number - 500
    const QImage& image(int number) const { return images[number - kFirstImage]; }
};
TerminalImages render_terminal_images(const ArtworkDescription& art);
const TerminalImages& terminal_images();

class QtCanvas : public Canvas {
public:
    explicit QtCanvas(QPainter& painter) : p_(painter) {}

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
};

}  // namespace kolibra
