#include "simulator/terminal_face.h"

#include "simulator/key_hit_test.h"

namespace kolibra {

namespace {

constexpr int kTextX = 26;
constexpr int kFirstRowY = 50;
constexpr int kRowStep = 10;
// The text's baseline below the top of its row: the glyphs then sit on the
// highlight bar, which starts 3 pixels below the row's top and is 10 high.
constexpr int kBaseline = 11;
constexpr Rgba kInk{0, 0, 0};
constexpr Rgba kInverseInk{255, 255, 255};

void draw_lcd_text(Canvas& canvas, int x, int row_top, const char* text, std::size_t max_length,
                   Rgba colour) {
    for (std::size_t i = 0; i < max_length && text[i]; ++i) {
        if (text[i] == ' ') continue;
        canvas.lcd_glyph(x + kLcdColumnStep * static_cast<int>(i), row_top + kBaseline, text[i], colour);
    }
}

}  // namespace

PixelRect cursor_row_area(int row) { return {25, 52 + kRowStep * row, 129, 10}; }

bool LcdOverlays::wipe(const PixelRect& area) {
    bool clock_went = false;
    if (clock_shown && area.intersects(kClockLineRow)) {
        clock_shown = false;
        clock_went = true;
    }
    if (preview_shown && area.intersects({kTextX + kLcdColumnStep * preview_col,
                                          kFirstRowY + kRowStep * preview_row, 6, 12}))
        preview_shown = false;
    return clock_went;
}

PixelRect LcdOverlays::preview_area() const {
    return {kTextX + kLcdColumnStep * preview_col, kFirstRowY + kRowStep * preview_row, 6, 14};
}

void draw_terminal(const LcdModel& m, const LcdOverlays& overlays, Canvas& canvas) {
    canvas.image(500, 0, 0);
    for (int code = 1; code <= 20; ++code) {
        const KeyHit key = key_origin(code);
        const bool down = m.key_held && m.pressed_key == code;
        canvas.image(500 + code + (down ? 20 : 0), key.origin_x, key.origin_y);
    }

    canvas.clip(kLcdWindow);
    if (m.screen_is_form)
        canvas.image(541, kTextX + kLcdColumnStep * m.cursor_col, 52 + kRowStep * m.cursor_row);
    if (m.alpha_mode) canvas.image(543, kAlphaIndicatorArea.x, kAlphaIndicatorArea.y);
    for (int i = 0; i < kLcdRows; ++i) {
        const int y = kFirstRowY + kRowStep * i;
        const bool highlighted = m.highlight == i + 1;
        if (highlighted) canvas.image(542, kTextX, y + 3);
        draw_lcd_text(canvas, kTextX, y, m.lcd_rows[i], kLcdRowSize, highlighted ? kInverseInk : kInk);
    }
    if (overlays.clock_shown) {
        canvas.image(545, kClockLineRow.x, kClockLineRow.y);
        draw_lcd_text(canvas, kClockLineRow.x, kClockLineRow.y, overlays.clock_text.c_str(),
                      overlays.clock_text.size(), kInk);
    }
    if (overlays.preview_shown) {
        const int x = kTextX + kLcdColumnStep * overlays.preview_col;
        canvas.image(541, x, 52 + kRowStep * overlays.preview_row);
        const char letter[2] = {overlays.preview_letter, 0};
        draw_lcd_text(canvas, x, kFirstRowY + kRowStep * overlays.preview_row, letter, 1, kInk);
    }
}

}  // namespace kolibra
