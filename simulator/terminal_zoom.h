// The terminal window's size steps (100, 150 and 200 %) and the mapping
// between the window's pixels and the terminal picture's own pixels (the
// 180 x 400 picture every drawing and hit-test rule is written in). Both
// window faces only convert through this.
//
//   TerminalZoom zoom{150};
//   const LcdPoint p = zoom.to_terminal(window_x, window_y);  // for the hit test
//   update(zoom.to_window(key_area));                          // repaint a key
#pragma once

#include "simulator/canvas.h"
#include "simulator/lcd_model.h"

#include <array>
#include <string>

namespace kolibra {

constexpr std::array<int, 3> kZoomSteps{100, 150, 200};
constexpr int kDefaultZoom = 100;

// The settings key the chosen step is remembered under.
constexpr char kZoomSettingKey[] = "terminal_zoom";

struct TerminalZoom {
    int percent = kDefaultZoom;

    double scale() const { return percent / 100.0; }
    // A terminal coordinate in window pixels (rounded down), and back: the
    // terminal pixel a window pixel lies in.
    int to_window(int v) const;
    int to_terminal(int v) const;
    LcdPoint to_terminal(int x, int y) const { return {to_terminal(x), to_terminal(y)}; }
    // The window pixels that cover a terminal rectangle, every partly
    // covered pixel included, so a repaint leaves nothing stale.
    PixelRect to_window(const PixelRect& r) const;
    PixelSize window_size() const;
};

// True for 100, 150 and 200.
bool is_zoom_step(int percent);
// The next larger and smaller step; the largest and smallest stay.
int next_zoom(int percent);
int previous_zoom(int percent);
// The step nearest a screen's scale (1.0 = 96 dots per inch); halfway
// between two steps takes the larger. Anything not positive gives 100.
int zoom_for_screen_scale(double scale);
inline int zoom_for_dpi(int dots_per_inch) { return zoom_for_screen_scale(dots_per_inch / 96.0); }

// The step stored in the user's settings text (see common/user_settings.h),
// or, when none or a damaged one is stored, the one the screen's scale asks.
int zoom_from_settings(const std::string& stored, double screen_scale);

// The step this user chose last (read from the user's settings file), or
// the screen's on the first start.
int remembered_zoom(double screen_scale);
// Keeps `percent` in the user's settings file for the next start; a failure
// is told on stderr (the window works on at the new size all the same).
void remember_zoom(int percent);

}  // namespace kolibra
