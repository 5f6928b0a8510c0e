// The terminal picture and its key, cursor and LCD images, drawn from the
// drawing script resources/tgen/terminal.art.
#pragma once

#include <QImage>
#include <QString>

#include <array>
#include <string>
#include <string_view>

namespace kolibra {

constexpr int kFirstImage = 500;
constexpr int kImageCount = 46;  // images 500 to 545

struct TerminalArtwork {
    std::array<QImage, kImageCount> images;  // index = image number - 500
    const QImage& image(int number) const { return images[number - kFirstImage]; }
};

// Draws every image the script defines. False with `error` ("line N: ...")
// on a faulty script; images drawn before the fault are kept.
bool draw_terminal_artwork(std::string_view script, TerminalArtwork& out, std::string& error);

// The artwork from the embedded script. Images the script lacks, or a faulty
// script, leave grey stand-ins of the right size (and a note on stderr), so
// the window still works.
const TerminalArtwork& terminal_artwork();

// The size each image must have.
QSize terminal_image_size(int number);

}  // namespace kolibra
