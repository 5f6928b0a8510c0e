// A key typed on the PC keyboard shown pressed for a moment on the terminal
// picture, so the user learns where it sits on the keypad. The mouse wins: a
// key it holds is not covered, and a click ends the moment at once. Without
// a toolkit: the face runs the timer and repaints the areas named here.
#pragma once

#include "simulator/canvas.h"
#include "simulator/lcd_model.h"

#include <optional>
#include <vector>

namespace kolibra {

// How long a typed key shows pressed.
constexpr int kTypedKeyShownMs = 150;

// A key's picture with room for its pressed image.
PixelRect key_picture_area(int code);

class TypedKeyPicture {
public:
    // Shows `code` pressed in place of the typed key shown before. Returns
    // the areas to repaint; empty when the mouse holds a key (nothing is
    // shown then). When not empty the face (re)starts its timer.
    std::vector<PixelRect> show(LcdModel& lcd, int code);
    // The moment is over (the timer ran out, or a click takes over): the key
    // is let go. The area to repaint, or none when no typed key was shown.
    std::optional<PixelRect> release(LcdModel& lcd);
    bool shown() const { return shown_; }

private:
    bool shown_ = false;
};

}  // namespace kolibra
