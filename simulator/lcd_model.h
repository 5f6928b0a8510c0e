// The simulated LCD and the key state of the simulator window, and the small
// interface through which the simulated terminal asks the window to draw.
//
// The runtime (sim_runtime.h) writes rows, highlight, cursor and alpha mode;
// the window only draws them. The window writes the key and drag fields.
#pragma once

#include <string>

namespace kolibra {

constexpr int kLcdRows = 8;
constexpr int kLcdRowSize = 30;  // buffer per row; at most 20 characters are meant to show

// Key codes given to SimRuntime::press_key: the terminal's keys in hit-test
// order (codes 1 to 20), then the commands (51 to 58).
namespace key {
// Keys 1 to 11 carry a digit (or the dot) and a letter group.
constexpr int k7 = 1, k8 = 2, k9 = 3, k4 = 4, k5 = 5, k6 = 6;
constexpr int k1 = 7, k2 = 8, k3 = 9, k0 = 10, kDot = 11;
constexpr int kEnter = 12;
constexpr int kBackSpace = 13;
constexpr int kSpace = 14;
constexpr int kUp = 15;
constexpr int kDown = 16;
constexpr int kAlpha = 17;
constexpr int kFn = 18;
constexpr int kEsc = 19;
constexpr int kPwr = 20;
// Commands.
constexpr int kRestart = 51;     // back to the main page, line 1 highlighted
constexpr int kConnecting = 52;  // the connecting page
constexpr int kUtility = 53;     // the utility menu, line 1 highlighted
constexpr int kLastCommand = 58;
}  // namespace key

// The digit printed on keys 1 to 9 (7 8 9 / 4 5 6 / 1 2 3), or 0 for any other code.
int key_digit(int code);

struct LcdPoint {
    int x = 0;
    int y = 0;
};

struct LcdRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

struct LcdModel {
    // Rows 0 to 7 top to bottom, each zero-terminated.
    char lcd_rows[kLcdRows][kLcdRowSize] = {};
    // 0: no row highlighted; n: row n-1 is shown inverted. Values above 8
    // (the 8th item of a menu with a caption) highlight nothing.
    int highlight = 0;
    // The input cursor's cell; drawn only while a form is shown.
    int cursor_row = 0;
    int cursor_col = 0;
    // The Alpha key has switched the keypad to letters. The window toggles it
    // (only while a form is shown) before the key reaches the runtime.
    bool alpha_mode = false;

    // Key and drag state, kept by the window.
    bool key_held = false;
    int pressed_key = 0;
    LcdPoint pressed_origin;
    bool dragging = false;
    LcdPoint drag_start;
    LcdRect drag_window;
    LcdRect drag_frame;

    // Kept by the runtime: true while a form (not its error page) is shown.
    bool screen_is_form = false;

    // Row text helpers; a text longer than the buffer is cut.
    void set_row(int row, const std::string& text);
    void clear_row(int row);
    std::string row(int row) const;
};

// What the simulated terminal asks of the window. Rectangles are those of the
// terminal picture (LCD from (25, 52) to (154, 133)).
class LcdView {
public:
    virtual ~LcdView() = default;
    // Repaint the whole LCD (which also removes the clock line and a letter preview).
    virtual void invalidate_lcd() = 0;
    // Repaint rows 0 to 4 only.
    virtual void invalidate_upper_rows() = 0;
    // Repaint the row of the input cursor.
    virtual void invalidate_cursor_row(int cursor_row) = 0;
    // Draw the cursor block at the cell and the letter over it, straight on
    // the window without invalidating (cell x = 26 + 5 * col, y = 52 + 10 * row;
    // the letter at y = 50 + 10 * row).
    virtual void draw_letter_preview(int cursor_row, int cursor_col, char letter) = 0;
    // Erase the clock strip and write `text` at (26, 122), straight on the window.
    virtual void draw_clock_line(const std::string& text) = 0;
    // After the "no program" message box: let go of the mouse.
    virtual void release_mouse_capture() {}
};

// A view that draws nothing, for runs without a window.
class NullLcdView : public LcdView {
public:
    void invalidate_lcd() override {}
    void invalidate_upper_rows() override {}
    void invalidate_cursor_row(int) override {}
    void draw_letter_preview(int, int, char) override {}
    void draw_clock_line(const std::string&) override {}
};

}  // namespace kolibra
