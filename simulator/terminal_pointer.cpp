#include "simulator/terminal_pointer.h"

#include "simulator/key_hit_test.h"
#include "simulator/keyboard_mapping.h"
#include "simulator/terminal_face.h"

namespace kolibra {

namespace {

// A key's picture with room for its pressed image, in the window.
PixelRect key_area(const LcdPoint& origin, const TerminalZoom& zoom) {
    return zoom.to_window(PixelRect{origin.x, origin.y, 32, 20});
}

}  // namespace

PixelRect key_window_area(int code, const TerminalZoom& zoom) {
    const KeyHit key = key_origin(code);
    return key_area({key.origin_x, key.origin_y}, zoom);
}

TerminalPress terminal_press(SimRuntime& runtime, int x, int y, const LcdRect& window,
                             const TerminalZoom& zoom) {
    LcdModel& m = runtime.lcd();
    TerminalPress out;
    const LcdPoint at = zoom.to_terminal(x, y);
    const KeyHit hit = hit_test_key(at.x, at.y);
    m.pressed_key = hit.code;
    if (hit.code) {
        m.key_held = true;
        m.pressed_origin = {hit.origin_x, hit.origin_y};
        out.key = hit.code;
        out.key_area = key_area(m.pressed_origin, zoom);
        out.alpha_changed = press_terminal_key(runtime, hit.code);
        return out;
    }
    m.dragging = true;
    m.drag_window = window;
    m.drag_frame = window;
    m.drag_start = {x, y};
    return out;
}

bool terminal_drag_to(LcdModel& m, int x, int y) {
    if (m.key_held || !m.dragging) return false;
    const int dx = x - m.drag_start.x, dy = y - m.drag_start.y;
    m.drag_frame = {m.drag_window.left + dx, m.drag_window.top + dy, m.drag_window.right + dx,
                    m.drag_window.bottom + dy};
    return true;
}

TerminalRelease terminal_release(LcdModel& m, const TerminalZoom& zoom) {
    TerminalRelease out;
    out.key = m.pressed_key;
    if (out.key) {
        out.key_area = key_area(m.pressed_origin, zoom);
    } else if (m.dragging) {
        out.moved = true;
        out.frame = m.drag_frame;
    }
    m.key_held = false;
    m.dragging = false;
    out.open_menu = out.key == key::kPwr;
    return out;
}

}  // namespace kolibra
