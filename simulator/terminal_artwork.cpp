#include "simulator/terminal_artwork.h"

#include "common/resource_script.h"
#include "resources/embedded_scripts.h"

#include <charconv>
#include <cstdio>
#include <optional>

namespace kolibra {

namespace {

std::optional<int> number(const ScriptToken& t) {
    if (t.quoted || t.text.empty()) return std::nullopt;
    int value = 0;
    const char* first = t.text.data();
    const char* last = first + t.text.size();
    auto result = std::from_chars(first, last, value);
    if (result.ec != std::errc() || result.ptr != last) return std::nullopt;
    return value;
}

std::optional<Rgba> colour(const ScriptToken& t) {
    if (t.quoted || t.text.size() != 7 || t.text[0] != '#') return std::nullopt;
    unsigned value = 0;
    const char* first = t.text.data() + 1;
    const char* last = t.text.data() + t.text.size();
    auto result = std::from_chars(first, last, value, 16);
    if (result.ec != std::errc() || result.ptr != last) return std::nullopt;
    return Rgba{static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 8),
                static_cast<uint8_t>(value), 255};
}

std::size_t code_points(std::string_view utf8) {
    std::size_t n = 0;
    for (const char c : utf8) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
}

struct KeyStyle {
    Rgba face{192, 192, 192}, edge{128, 128, 128}, text{0, 0, 0};
};

struct Styles {
    KeyStyle upper_up, upper_pressed, lower_up, lower_pressed;
};

ArtOp text_op(PixelRect box, int pixels, Rgba colour, const std::string& text, bool bold) {
    ArtOp op;
    op.kind = ArtOp::Kind::Text;
    op.box = box;
    op.pixels = pixels;
    op.colour = colour;
    op.text = text;
    op.bold = bold;
    return op;
}

// A key image: a rounded body, a light upper rim when not pressed (it makes
// the key stand up), and the label, shifted down a pixel when pressed.
std::vector<ArtOp> key_ops(PixelSize size, const KeyStyle& style, bool upper, bool pressed,
                           const std::string& label, const std::string& letters) {
    std::vector<ArtOp> ops;
    ArtOp body;
    body.kind = ArtOp::Kind::Round;
    body.box = {0, 0, size.w, size.h};
    body.radius = 3;
    body.colour = style.face;
    body.edge = style.edge;
    ops.push_back(body);
    if (!pressed) {
        ArtOp rim;
        rim.kind = ArtOp::Kind::Line;
        rim.x1 = 3, rim.y1 = 1, rim.x2 = size.w - 3, rim.y2 = 1;
        rim.colour = Rgba{255, 255, 255, 90};
        ops.push_back(rim);
    }
    const int shift = pressed ? 1 : 0;
    if (upper && !letters.empty()) {
        ops.push_back(text_op({2, shift, 14, size.h - 2}, 10, style.text, label, true));
        ops.push_back(text_op({14, shift, size.w - 15, size.h - 2}, 7, style.text, letters, false));
    } else {
        const int pixels = upper ? 12 : (code_points(label) > 3 ? 7 : 8);
        ops.push_back(text_op({0, shift, size.w, size.h}, pixels, style.text, label, true));
    }
    return ops;
}

}  // namespace

PixelSize terminal_image_size(int n) {
    if (n == 500) return {180, 400};
    if (n >= 501 && n <= 512) return {32, 20};
    if (n >= 513 && n <= 520) return {23, 15};
    if (n >= 521 && n <= 540) return terminal_image_size(n - 20);
    if (n == 541) return {6, 10};
    if (n == 542) return {120, 10};
    if (n == 543 || n == 544) return {8, 10};
    if (n == 545) return {127, 10};
    return {};
}

bool read_terminal_artwork(std::string_view script, ArtworkDescription& out, std::string& error) {
    Styles styles;
    int current = 0;
    int line_number = 0;
    std::size_t start = 0;
    auto fail = [&](const std::string& what) {
        error = "line " + std::to_string(line_number) + ": " + what;
        return false;
    };
    while (start <= script.size()) {
        std::size_t end = script.find('\n', start);
        if (end == std::string_view::npos) end = script.size();
        ++line_number;
        std::vector<ScriptToken> t;
        std::string what;
        if (!split_script_line(script.substr(start, end - start), t, what)) return fail(what);
        start = end + 1;
        if (t.empty()) continue;
        const std::string& word = t[0].text;

        if (!current) {
            if (word == "image") {
                std::optional<int> n, w, h;
                if (t.size() != 4 || !(n = number(t[1])) || !(w = number(t[2])) ||
                    !(h = number(t[3])))
                    return fail("expected: image N W H");
                if (terminal_image_size(*n) != PixelSize{*w, *h} || *w == 0)
                    return fail("image " + t[1].text + " has the wrong number or size");
                current = *n;
                out.images[*n - kFirstImage].clear();
                out.defined[*n - kFirstImage] = true;
                continue;
            }
            if (word == "keystyle") {
                std::optional<Rgba> face, edge, text;
                if (t.size() != 6 || !(face = colour(t[3])) || !(edge = colour(t[4])) ||
                    !(text = colour(t[5])))
                    return fail("expected: keystyle upper|lower up|pressed #FACE #EDGE #TEXT");
                KeyStyle style{*face, *edge, *text};
                if (t[1].text == "upper" && t[2].text == "up") styles.upper_up = style;
                else if (t[1].text == "upper" && t[2].text == "pressed") styles.upper_pressed = style;
                else if (t[1].text == "lower" && t[2].text == "up") styles.lower_up = style;
                else if (t[1].text == "lower" && t[2].text == "pressed") styles.lower_pressed = style;
                else return fail("expected: keystyle upper|lower up|pressed ...");
                continue;
            }
            if (word == "key") {
                std::optional<int> code;
                if (t.size() != 4 || !(code = number(t[1])) || *code < 1 || *code > 20 ||
                    !t[2].quoted || !t[3].quoted)
                    return fail("expected: key CODE(1-20) \"LABEL\" \"LETTERS\"");
                const bool upper = *code <= 12;
                for (bool pressed : {false, true}) {
                    const int n = kFirstImage + *code + (pressed ? 20 : 0);
                    const KeyStyle& style = upper ? (pressed ? styles.upper_pressed : styles.upper_up)
                                                  : (pressed ? styles.lower_pressed : styles.lower_up);
                    out.images[n - kFirstImage] =
                        key_ops(terminal_image_size(n), style, upper, pressed, t[2].text, t[3].text);
                    out.defined[n - kFirstImage] = true;
                }
                continue;
            }
            return fail("expected image, keystyle or key");
        }

        std::vector<ArtOp>& ops = out.images[current - kFirstImage];
        if (word == "end" && t.size() == 1) {
            current = 0;
            continue;
        }
        ArtOp op;
        if (word == "fill") {
            std::optional<Rgba> c;
            if (t.size() != 2 || !(c = colour(t[1]))) return fail("expected: fill #RRGGBB");
            op.kind = ArtOp::Kind::Fill;
            op.colour = *c;
        } else if (word == "rect" || word == "round") {
            const bool round = word == "round";
            const std::size_t base = round ? 7 : 6;  // tokens up to the fill colour
            std::optional<int> x, y, w, h, r = 0;
            std::optional<Rgba> fill, edge;
            if ((t.size() != base && t.size() != base + 1) || !(x = number(t[1])) ||
                !(y = number(t[2])) || !(w = number(t[3])) || !(h = number(t[4])) ||
                (round && !(r = number(t[5]))) || !(fill = colour(t[base - 1])) ||
                (t.size() == base + 1 && !(edge = colour(t[base]))))
                return fail(round ? "expected: round X Y W H R #FILL [#EDGE]"
                                  : "expected: rect X Y W H #FILL [#EDGE]");
            op.kind = round ? ArtOp::Kind::Round : ArtOp::Kind::Rect;
            op.box = {*x, *y, *w, *h};
            op.radius = *r;
            op.colour = *fill;
            op.edge = edge;
        } else if (word == "line") {
            std::optional<int> x1, y1, x2, y2, width = 1;
            std::optional<Rgba> c;
            if ((t.size() != 6 && t.size() != 7) || !(x1 = number(t[1])) || !(y1 = number(t[2])) ||
                !(x2 = number(t[3])) || !(y2 = number(t[4])) || !(c = colour(t[5])) ||
                (t.size() == 7 && !(width = number(t[6]))))
                return fail("expected: line X1 Y1 X2 Y2 #COLOUR [WIDTH]");
            op.kind = ArtOp::Kind::Line;
            op.x1 = *x1, op.y1 = *y1, op.x2 = *x2, op.y2 = *y2, op.width = *width;
            op.colour = *c;
        } else if (word == "text") {
            std::optional<int> x, y, w, h, px;
            std::optional<Rgba> c;
            const bool bold = t.size() == 9 && !t[8].quoted && t[8].text == "bold";
            if ((t.size() != 8 && !bold) || !(x = number(t[1])) || !(y = number(t[2])) ||
                !(w = number(t[3])) || !(h = number(t[4])) || !(px = number(t[5])) ||
                !(c = colour(t[6])) || !t[7].quoted)
                return fail("expected: text X Y W H PX #COLOUR \"TEXT\" [bold]");
            op = text_op({*x, *y, *w, *h}, *px, *c, t[7].text, bold);
        } else {
            return fail("unknown drawing command '" + word + "'");
        }
        ops.push_back(std::move(op));
    }
    if (current) {
        error = "line " + std::to_string(line_number) + ": missing 'end'";
        return false;
    }
    return true;
}

void draw_artwork_image(const ArtworkDescription& art, int number, Canvas& canvas) {
    if (number < kFirstImage || number >= kFirstImage + kImageCount) return;
    for (const ArtOp& op : art.image(number)) {
        switch (op.kind) {
        case ArtOp::Kind::Fill: canvas.fill(op.colour); break;
        case ArtOp::Kind::Rect: canvas.rect(op.box, op.colour, op.edge); break;
        case ArtOp::Kind::Round: canvas.round_rect(op.box, op.radius, op.colour, op.edge); break;
        case ArtOp::Kind::Line: canvas.line(op.x1, op.y1, op.x2, op.y2, op.colour, op.width); break;
        case ArtOp::Kind::Text: canvas.text(op.box, op.pixels, op.colour, op.text, op.bold); break;
        }
    }
}

const ArtworkDescription& terminal_artwork_description() {
    static const ArtworkDescription artwork = [] {
        ArtworkDescription art;
        std::string error;
        if (!read_terminal_artwork(terminal_artwork_script(), art, error))
            std::fprintf(stderr, "terminal.art: %s\n", error.c_str());
        for (int i = 0; i < kImageCount; ++i) {
            if (art.defined[i]) continue;
            std::fprintf(stderr, "terminal.art: image %d missing\n", kFirstImage + i);
            ArtOp grey;
            grey.colour = Rgba{160, 160, 164};
            art.images[i] = {grey};
        }
        return art;
    }();
    return artwork;
}

}  // namespace kolibra
