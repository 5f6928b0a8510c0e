// The terminal's picture and LCD as drawn through a recording canvas: what
// each face must draw, where, in what order, from the artwork description and
// the LCD's drawing rules.
#include "simulator/terminal_artwork.h"
#include "simulator/terminal_face.h"

#include <gtest/gtest.h>

#include <cstring>
#include <cstdio>
#include <string>
#include <vector>

namespace kolibra {
namespace {

std::string hex(Rgba c) {
    char text[16];
    std::snprintf(text, sizeof text, "#%02x%02x%02x%s", c.r, c.g, c.b, c.a == 255 ? "" : "/a");
    return text;
}

std::string box(PixelRect b) {
    return std::to_string(b.x) + "," + std::to_string(b.y) + " " + std::to_string(b.w) + "x" +
           std::to_string(b.h);
}

// Every call as one line of text, so a test reads like the drawing it expects.
struct RecordingCanvas : Canvas {
    std::vector<std::string> calls;
    void fill(Rgba c) override { calls.push_back("fill " + hex(c)); }
    void rect(PixelRect b, Rgba f, std::optional<Rgba> e) override {
        calls.push_back("rect " + box(b) + " " + hex(f) + (e ? " " + hex(*e) : ""));
    }
    void round_rect(PixelRect b, int r, Rgba f, std::optional<Rgba> e) override {
        calls.push_back("round " + box(b) + " r" + std::to_string(r) + " " + hex(f) + (e ? " " + hex(*e) : ""));
    }
    void line(int x1, int y1, int x2, int y2, Rgba c, int w) override {
        calls.push_back("line " + std::to_string(x1) + "," + std::to_string(y1) + " " + std::to_string(x2) +
                        "," + std::to_string(y2) + " " + hex(c) + " w" + std::to_string(w));
    }
    void text(PixelRect b, int px, Rgba c, std::string_view t, bool bold) override {
        calls.push_back("text " + box(b) + " " + std::to_string(px) + "px " + hex(c) + " \"" +
                        std::string(t) + "\"" + (bold ? " bold" : ""));
    }
    void image(int n, int x, int y) override {
        calls.push_back("image " + std::to_string(n) + " " + std::to_string(x) + "," + std::to_string(y));
    }
    void clip(PixelRect b) override { calls.push_back("clip " + box(b)); }
    void lcd_glyph(int x, int y, char c, Rgba colour) override {
        calls.push_back(std::string("glyph ") + c + " " + std::to_string(x) + "," + std::to_string(y) +
                        " " + hex(colour));
    }
    bool has(const std::string& call) const {
        for (const std::string& c : calls)
            if (c == call) return true;
        return false;
    }
};

std::vector<std::string> drawn(const ArtworkDescription& art, int number) {
    RecordingCanvas canvas;
    draw_artwork_image(art, number, canvas);
    return canvas.calls;
}

TEST(TerminalArtwork, TheScriptBecomesTheCanvasOperationsOfEachImage) {
    const std::string script =
        "image 541 6 10\n"
        "  fill #000080\n"
        "end\n"
        "image 500 180 400\n"
        "  round 0 0 180 400 24 #3b4250 #161a20   # body\n"
        "  rect 24 50 132 84 #8fe3e0\n"
        "  line 28 342 152 342 #4a5261 2\n"
        "  text 122 386 31 9 8 #d8dde6 \"Menu\"\n"
        "end\n"
        "keystyle upper up #dfe3ea #6b7280 #1b1f27\n"
        "keystyle upper pressed #a9b0bd #4b5260 #1b1f27\n"
        "keystyle lower up #586274 #252a33 #f2f4f8\n"
        "key 1 \"7\" \"ABC\"\n"
        "key 17 \"Alpha\" \"\"\n";
    ArtworkDescription art;
    std::string error;
    ASSERT_TRUE(read_terminal_artwork(script, art, error)) << error;
    EXPECT_EQ(drawn(art, 541), std::vector<std::string>{"fill #000080"});
    EXPECT_EQ(drawn(art, 500), (std::vector<std::string>{
                                   "round 0,0 180x400 r24 #3b4250 #161a20",
                                   "rect 24,50 132x84 #8fe3e0",
                                   "line 28,342 152,342 #4a5261 w2",
                                   "text 122,386 31x9 8px #d8dde6 \"Menu\"",
                               }));
    // Key 1 up (image 501, 32 x 20): its body, a light rim, the digit and
    // the letters; pressed (521): darker, no rim, the labels a pixel lower.
    EXPECT_EQ(drawn(art, 501), (std::vector<std::string>{
                                   "round 0,0 32x20 r3 #dfe3ea #6b7280",
                                   "line 3,1 29,1 #ffffff/a w1",
                                   "text 2,0 14x18 10px #1b1f27 \"7\" bold",
                                   "text 14,0 17x18 7px #1b1f27 \"ABC\"",
                               }));
    const std::vector<std::string> pressed = drawn(art, 521);
    ASSERT_EQ(pressed.size(), 3u);
    EXPECT_EQ(pressed[0], "round 0,0 32x20 r3 #a9b0bd #4b5260");
    EXPECT_EQ(pressed[1], "text 2,1 14x18 10px #1b1f27 \"7\" bold");
    // A lower key (23 x 15) with a long label uses the small face.
    EXPECT_EQ(drawn(art, 517).back(), "text 0,0 23x15 7px #f2f4f8 \"Alpha\" bold");
    EXPECT_FALSE(art.defined[545 - 500]);
}

TEST(TerminalArtwork, AFaultyScriptIsNamedByItsLine) {
    struct Case {
        const char* script;
        const char* error;
    };
    const Case cases[] = {
        {"image 541 6 10\nfill red\nend\n", "line 2: expected: fill #RRGGBB"},
        {"image 541 7 10\nend\n", "line 1: image 541 has the wrong number or size"},
        {"image 546 6 10\nend\n", "line 1: image 546 has the wrong number or size"},
        {"image 541 6 10\nfill #000000\n", "line 3: missing 'end'"},
        {"image 541 6 10\nwobble 1\nend\n", "line 2: unknown drawing command 'wobble'"},
        {"key 21 \"X\" \"\"\n", "line 1: expected: key CODE(1-20) \"LABEL\" \"LETTERS\""},
        {"rect 0 0 1 1 #000000\n", "line 1: expected image, keystyle or key"},
    };
    for (const Case& c : cases) {
        ArtworkDescription art;
        std::string error;
        EXPECT_FALSE(read_terminal_artwork(c.script, art, error)) << c.script;
        EXPECT_EQ(error, c.error) << c.script;
    }
}

// Shapes stay inside their image (a text is centred in its box and cut by the
// image's edge, so its box may reach past it).
TEST(TerminalArtwork, TheShippedPictureDefinesEveryImageAndDrawsInsideIt) {
    const ArtworkDescription& art = terminal_artwork_description();
    for (int n = 500; n <= 545; ++n) {
        SCOPED_TRACE(n);
        EXPECT_TRUE(art.defined[n - 500]);
        EXPECT_FALSE(art.image(n).empty());
        const PixelSize size = terminal_image_size(n);
        for (const ArtOp& op : art.image(n)) {
            if (op.kind == ArtOp::Kind::Line) {
                EXPECT_TRUE(op.x1 >= 0 && op.x2 < size.w && op.y1 >= 0 && op.y2 < size.h);
            } else if (op.kind == ArtOp::Kind::Rect || op.kind == ArtOp::Kind::Round) {
                EXPECT_TRUE(op.box.x >= 0 && op.box.y >= 0 && op.box.x + op.box.w <= size.w &&
                            op.box.y + op.box.h <= size.h);
            }
        }
    }
    EXPECT_EQ(terminal_image_size(500), (PixelSize{180, 400}));
    EXPECT_EQ(terminal_image_size(520), (PixelSize{23, 15}));
    EXPECT_EQ(terminal_image_size(521), (PixelSize{32, 20}));
    EXPECT_EQ(terminal_image_size(542), (PixelSize{120, 10}));
    EXPECT_EQ(terminal_image_size(545), (PixelSize{127, 10}));
}

TEST(TerminalFace, TheWindowDrawsThePictureKeysAndLcdByItsRules) {
    LcdModel m;
    std::strcpy(m.lcd_rows[0], "1.Count");
    std::strcpy(m.lcd_rows[7], "Z");
    m.highlight = 1;
    m.screen_is_form = true;
    m.cursor_row = 2;
    m.cursor_col = 4;
    m.alpha_mode = true;
    m.key_held = true;
    m.pressed_key = 17;
    LcdOverlays overlays;
    RecordingCanvas canvas;
    draw_terminal(m, overlays, canvas);
    const std::vector<std::string>& c = canvas.calls;
    ASSERT_GE(c.size(), 24u);
    EXPECT_EQ(c[0], "image 500 0,0");
    EXPECT_EQ(c[1], "image 501 30,235");    // key 1, the top-left key
    EXPECT_EQ(c[12], "image 512 120,319");  // key 12 (Enter)
    EXPECT_EQ(c[13], "image 513 33,347");
    EXPECT_EQ(c[17], "image 537 33,370");   // Alpha held: its pressed image
    EXPECT_EQ(c[20], "image 520 126,370");
    EXPECT_EQ(c[21], "clip 24,50 132x84");
    EXPECT_EQ(c[22], "image 541 46,72");    // cursor at (26 + 5 x 4, 52 + 10 x 2)
    EXPECT_EQ(c[23], "image 543 146,114");
    EXPECT_EQ(c[24], "image 542 26,53");    // the highlight bar under row 0
    // Row 0 in white on the bar, one glyph per 5 pixels, spaces not drawn;
    // row 7 in black at y = 50 + 70, baseline 11 lower.
    EXPECT_EQ(c[25], "glyph 1 26,61 #ffffff");
    EXPECT_EQ(c[26], "glyph . 31,61 #ffffff");
    EXPECT_EQ(c[31], "glyph t 56,61 #ffffff");
    EXPECT_EQ(c.back(), "glyph Z 26,131 #000000");
    EXPECT_EQ(c.size(), 33u);

    // Off a form, with nothing held: no cursor, no alpha mark, key 17 up.
    m.screen_is_form = false;
    m.alpha_mode = false;
    m.key_held = false;
    m.highlight = 9;  // beyond the rows: nothing inverted
    RecordingCanvas plain;
    draw_terminal(m, overlays, plain);
    EXPECT_TRUE(plain.has("image 517 33,370"));
    EXPECT_FALSE(plain.has("image 541 46,72") || plain.has("image 543 146,114"));
    EXPECT_FALSE(plain.has("image 542 26,53"));
    EXPECT_TRUE(plain.has("glyph 1 26,61 #000000"));
}

TEST(TerminalFace, TheClockLineAndLetterPreviewLastUntilTheirAreaIsRepainted) {
    LcdModel m;
    LcdOverlays overlays;
    overlays.clock_shown = true;
    overlays.clock_text = "12:00";
    overlays.preview_shown = true;
    overlays.preview_row = 3;
    overlays.preview_col = 3;
    overlays.preview_letter = 'B';
    RecordingCanvas canvas;
    draw_terminal(m, overlays, canvas);
    EXPECT_TRUE(canvas.has("image 545 26,122"));
    EXPECT_TRUE(canvas.has("glyph 1 26,133 #000000"));
    EXPECT_TRUE(canvas.has("glyph : 36,133 #000000"));
    EXPECT_TRUE(canvas.has("image 541 41,82"));
    EXPECT_TRUE(canvas.has("glyph B 41,91 #000000"));
    EXPECT_EQ(overlays.preview_area(), (PixelRect{41, 80, 6, 14}));

    // Repainting row 0 touches neither; row 3 takes the preview, row 7 the clock.
    EXPECT_FALSE(overlays.wipe(cursor_row_area(0)));
    EXPECT_TRUE(overlays.clock_shown && overlays.preview_shown);
    EXPECT_FALSE(overlays.wipe(cursor_row_area(3)));
    EXPECT_FALSE(overlays.preview_shown);
    EXPECT_TRUE(overlays.wipe(cursor_row_area(7)));
    EXPECT_FALSE(overlays.clock_shown);
    EXPECT_EQ(cursor_row_area(7), (PixelRect{25, 122, 129, 10}));
    overlays.clock_shown = true;
    EXPECT_FALSE(overlays.wipe(kUpperRowsArea));
    EXPECT_TRUE(overlays.wipe(kLcdArea));
}

}  // namespace
}  // namespace kolibra
