// The terminal picture and its key, cursor and LCD images as a description:
// the drawing script resources/tgen/terminal.art read once into the canvas
// operations of each image, so every face draws the same pictures.
#pragma once

#include "simulator/canvas.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace kolibra {

constexpr int kFirstImage = 500;
constexpr int kImageCount = 46;  // images 500 to 545

// One drawing operation of an image; which members count depends on `kind`.
struct ArtOp {
    enum class Kind { Fill, Rect, Round, Line, Text };
    Kind kind = Kind::Fill;
    PixelRect box;              // Rect, Round, Text
    int radius = 0;             // Round
    Rgba colour;                // the fill (Fill, Rect, Round) or the pen (Line, Text)
    std::optional<Rgba> edge;   // Rect, Round
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0, width = 1;  // Line
    int pixels = 0;             // Text
    std::string text;           // Text, UTF-8
    bool bold = false;          // Text
};

struct ArtworkDescription {
    std::array<std::vector<ArtOp>, kImageCount> images;  // index = image number - 500
    std::array<bool, kImageCount> defined{};             // the script drew it
    const std::vector<ArtOp>& image(int number) const { return images[number - kFirstImage]; }
};

// The size each image must have; 0 x 0 for a number outside 500 to 545.
PixelSize terminal_image_size(int number);

// Reads every image the script defines. False with `error` ("line N: ...")
// on a faulty script; images read before the fault are kept.
bool read_terminal_artwork(std::string_view script, ArtworkDescription& out, std::string& error);

// Draws image `number` onto a canvas of the image's size, transparent where
// nothing is drawn.
void draw_artwork_image(const ArtworkDescription& art, int number, Canvas& canvas);

// The description from the embedded script. A faulty script is named on
// stderr once; images it lacks are drawn as grey stand-ins of the right
// size, so the window still works.
const ArtworkDescription& terminal_artwork_description();

}  // namespace kolibra
