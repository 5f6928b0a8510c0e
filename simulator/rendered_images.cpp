#include "simulator/rendered_images.h"

namespace kolibra {

ImagePlacement place_image(int number, int x, int y, const TerminalZoom& zoom) {
    ImagePlacement out;
    out.size = terminal_image_size(number);
    out.window = zoom.to_window(PixelRect{x, y, out.size.w, out.size.h});
    out.scale = zoom.scale();
    out.shift_x = x * out.scale - out.window.x;
    out.shift_y = y * out.scale - out.window.y;
    return out;
}

}  // namespace kolibra
