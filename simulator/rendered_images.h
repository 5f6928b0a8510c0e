// The artwork's images rendered for the window, once per size and place: an
// image is drawn afresh from its description at each zoom (never a
// stretched bitmap), so it stays sharp. At 150 % an image whose terminal
// origin is odd starts half-way into a window pixel; it is rendered with
// that half pixel, so a key lines up exactly with the picture under it.
//
// Each face supplies how one image is rendered into its own image type:
//   RenderedImages<QImage> images([](int number, const ImagePlacement& p) { ... });
//   const QImage& key = images.get(501, place_image(501, 30, 235, zoom));
#pragma once

#include "simulator/terminal_artwork.h"
#include "simulator/terminal_zoom.h"

#include <functional>
#include <map>
#include <tuple>

namespace kolibra {

// Where image `number` drawn at terminal point (x, y) lands in the window.
struct ImagePlacement {
    PixelRect window;                 // the window pixels it covers
    double scale = 1.0;               // window pixels per terminal pixel
    double shift_x = 0, shift_y = 0;  // where its (0, 0) lies inside the first pixel, 0 <= shift < 1
    PixelSize size;                   // the image's own size in terminal pixels
};

ImagePlacement place_image(int number, int x, int y, const TerminalZoom& zoom);

template <class Image>
class RenderedImages {
public:
    using Render = std::function<Image(int number, const ImagePlacement& placement)>;
    explicit RenderedImages(Render render) : render_(std::move(render)) {}

    // The image rendered for this placement, made on first use and kept
    // (three zoom steps and at most two shifts per axis bound the count).
    const Image& get(int number, const ImagePlacement& placement) {
        const Key key{number, static_cast<int>(placement.scale * 1000 + 0.5),
                      static_cast<int>(placement.shift_x * 1000 + 0.5),
                      static_cast<int>(placement.shift_y * 1000 + 0.5)};
        auto it = images_.find(key);
        if (it == images_.end()) it = images_.emplace(key, render_(number, placement)).first;
        return it->second;
    }

private:
    using Key = std::tuple<int, int, int, int>;
    Render render_;
    std::map<Key, Image> images_;
};

}  // namespace kolibra
