// The simulator window's drawing rules, without a toolkit: where the LCD's
// rows, highlight, cursor, alpha mark, clock line and letter preview go, the
// areas a face repaints for each of the runtime's requests, and the whole
// window drawn through a Canvas.
#pragma once

#include "simulator/canvas.h"
#include "simulator/lcd_model.h"

#include <string>

namespace kolibra {

constexpr PixelSize kTerminalSize{180, 400};

// One LCD character per 5 pixels, so text, cursor and letter preview line up.
constexpr int kLcdColumnStep = 5;

// The LCD's repaint areas: rows 0 to 7, rows 0 to 4, and one row.
constexpr PixelRect kLcdArea{25, 52, 129, 81};
constexpr PixelRect kUpperRowsArea{25, 52, 129, 51};
PixelRect cursor_row_area(int row);
// Where LCD text may show.
constexpr PixelRect kLcdWindow{24, 50, 132, 84};
constexpr PixelRect kAlphaIndicatorArea{146, 114, 8, 10};
// The clock line and everything its glyphs may touch, down to the LCD's last
// row (the comma reaches below the row the other glyphs keep to).
constexpr PixelRect kClockLineRow{26, 122, 127, 10};
constexpr PixelRect kClockLineArea{26, 122, 127, 12};

// What the runtime drew straight on the window; a repaint of the area under
// it removes it, as on the terminal.
struct LcdOverlays {
    bool clock_shown = false;
    std::string clock_text;
    bool preview_shown = false;
    int preview_row = 0, preview_col = 0;
    char preview_letter = 0;

    // Forgets what a repaint of `area` wipes out; true when the clock line
    // went, so the face repaints all of the clock line's area too.
    bool wipe(const PixelRect& area);
    // The area to repaint for a new letter preview or clock line.
    PixelRect preview_area() const;
};

// The whole window: the terminal picture, every key (the held one pressed),
// then, inside the LCD window, the cursor, the alpha mark, the rows with the
// highlight, the clock line and the letter preview.
void draw_terminal(const LcdModel& lcd, const LcdOverlays& overlays, Canvas& canvas);

}  // namespace kolibra
