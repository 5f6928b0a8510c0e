// What the left mouse button does on the terminal picture, without a
// toolkit: a press on a key holds it and hands its code to the runtime (Alpha
// on a form toggles the alpha mode first, as the terminal does before the
// key is read); a press off the keys starts dragging the whole window, whose
// frame follows the mouse until the release. Each face turns its mouse
// events into these calls and repaints the areas they name. Points and areas
// are the window's pixels at `zoom`; the drag's frame is screen pixels.
#pragma once

#include "simulator/canvas.h"
#include "simulator/lcd_model.h"
#include "simulator/sim_runtime.h"
#include "simulator/terminal_zoom.h"

namespace kolibra {

struct TerminalPress {
    int key = 0;              // the key pressed, 0 when a drag started
    PixelRect key_area;       // the key's picture in the window, to repaint
    bool alpha_changed = false;  // repaint kAlphaIndicatorArea too
};

// The left button went down at (x, y) of the window, which lies at `window`
// on the screen.
TerminalPress terminal_press(SimRuntime& runtime, int x, int y, const LcdRect& window,
                             const TerminalZoom& zoom = {});

// The mouse moved to (x, y) of the window with the button down: true when a
// drag is running and its frame (lcd().drag_frame) moved with the mouse.
bool terminal_drag_to(LcdModel& lcd, int x, int y);

struct TerminalRelease {
    int key = 0;              // the key let go, 0 for none
    PixelRect key_area;       // its picture, to repaint
    bool moved = false;       // a drag ended: move the window to `frame`
    LcdRect frame;
    bool open_menu = false;   // PWR was let go: the pop-up menu opens
};

// The left button came up.
TerminalRelease terminal_release(LcdModel& lcd, const TerminalZoom& zoom = {});

// The window pixels of key `code`'s picture (up or pressed) at `zoom`.
PixelRect key_window_area(int code, const TerminalZoom& zoom);

}  // namespace kolibra
