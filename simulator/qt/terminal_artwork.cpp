#include "simulator/qt/terminal_artwork.h"

#include "common/resource_script.h"

#include <QFile>
#include <QFont>
#include <QPainter>
#include <QPainterPath>

#include <charconv>
#include <cstdio>
#include <optional>
#include <vector>

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

std::optional<QColor> colour(const ScriptToken& t) {
    if (t.quoted || t.text.size() != 7 || t.text[0] != '#') return std::nullopt;
    QColor c(QString::fromStdString(t.text));
    if (!c.isValid()) return std::nullopt;
    return c;
}

struct KeyStyle {
    QColor face{Qt::lightGray}, edge{Qt::darkGray}, text{Qt::black};
};

struct Styles {
    KeyStyle upper_up, upper_pressed, lower_up, lower_pressed;
};

QFont art_font(int pixels, bool bold) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixels > 0 ? pixels : 1);
    font.setBold(bold);
    return font;
}

void draw_key(QImage& image, const KeyStyle& style, bool upper, bool pressed, const QString& label,
              const QString& letters) {
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF body(0.5, 0.5, image.width() - 1, image.height() - 1);
    p.setPen(style.edge);
    p.setBrush(style.face);
    p.drawRoundedRect(body, 3, 3);
    if (!pressed) {
        // A light upper rim makes the key stand up; the pressed image lacks it.
        p.setPen(QColor(255, 255, 255, 90));
        p.drawLine(QPointF(3, 1.5), QPointF(image.width() - 3, 1.5));
    }
    p.setPen(style.text);
    const int shift = pressed ? 1 : 0;
    if (upper && !letters.isEmpty()) {
        p.setFont(art_font(10, true));
        p.drawText(QRect(2, shift, 14, image.height() - 2), Qt::AlignCenter, label);
        p.setFont(art_font(7, false));
        p.drawText(QRect(14, shift, image.width() - 15, image.height() - 2), Qt::AlignCenter,
                   letters);
    } else {
        int px = upper ? 12 : (label.size() > 3 ? 7 : 8);
        p.setFont(art_font(px, true));
        p.drawText(QRect(0, shift, image.width(), image.height()), Qt::AlignCenter, label);
    }
}

}  // namespace

QSize terminal_image_size(int n) {
    if (n == 500) return QSize(180, 400);
    if (n >= 501 && n <= 512) return QSize(32, 20);
    if (n >= 513 && n <= 520) return QSize(23, 15);
    if (n >= 521 && n <= 540) return terminal_image_size(n - 20);
    if (n == 541) return QSize(6, 10);
    if (n == 542) return QSize(120, 10);
    if (n == 543 || n == 544) return QSize(8, 10);
    if (n == 545) return QSize(127, 10);
    return QSize();
}

bool draw_terminal_artwork(std::string_view script, TerminalArtwork& out, std::string& error) {
    Styles styles;
    std::optional<QPainter> painter;
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
                if (terminal_image_size(*n) != QSize(*w, *h))
                    return fail("image " + t[1].text + " has the wrong number or size");
                current = *n;
                QImage& image = out.images[*n - kFirstImage];
                image = QImage(*w, *h, QImage::Format_ARGB32_Premultiplied);
                image.fill(Qt::transparent);
                painter.emplace(&image);
                painter->setRenderHint(QPainter::Antialiasing);
                continue;
            }
            if (word == "keystyle") {
                std::optional<QColor> face, edge, text;
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
                const QString label = QString::fromStdString(t[2].text);
                const QString letters = QString::fromStdString(t[3].text);
                for (bool pressed : {false, true}) {
                    const int n = kFirstImage + *code + (pressed ? 20 : 0);
                    QImage image(terminal_image_size(n), QImage::Format_ARGB32_Premultiplied);
                    const KeyStyle& style = upper ? (pressed ? styles.upper_pressed : styles.upper_up)
                                                  : (pressed ? styles.lower_pressed : styles.lower_up);
                    draw_key(image, style, upper, pressed, label, letters);
                    out.images[n - kFirstImage] = image;
                }
                continue;
            }
            return fail("expected image, keystyle or key");
        }

        QPainter& p = *painter;
        if (word == "end" && t.size() == 1) {
            painter.reset();
            current = 0;
            continue;
        }
        if (word == "fill") {
            std::optional<QColor> c;
            if (t.size() != 2 || !(c = colour(t[1]))) return fail("expected: fill #RRGGBB");
            p.fillRect(QRect(QPoint(0, 0), terminal_image_size(current)), *c);
            continue;
        }
        if (word == "rect" || word == "round") {
            const bool round = word == "round";
            const std::size_t base = round ? 7 : 6;  // tokens up to the fill colour
            std::optional<int> x, y, w, h, r = 0;
            std::optional<QColor> fill, edge;
            if ((t.size() != base && t.size() != base + 1) || !(x = number(t[1])) ||
                !(y = number(t[2])) || !(w = number(t[3])) || !(h = number(t[4])) ||
                (round && !(r = number(t[5]))) || !(fill = colour(t[base - 1])) ||
                (t.size() == base + 1 && !(edge = colour(t[base]))))
                return fail(round ? "expected: round X Y W H R #FILL [#EDGE]"
                                  : "expected: rect X Y W H #FILL [#EDGE]");
            if (edge) {
                p.setPen(*edge);
                p.setBrush(*fill);
                QRectF box(*x + 0.5, *y + 0.5, *w - 1, *h - 1);
                if (round) p.drawRoundedRect(box, *r, *r);
                else p.drawRect(box);
            } else if (round) {
                QPainterPath path;
                path.addRoundedRect(QRectF(*x, *y, *w, *h), *r, *r);
                p.fillPath(path, *fill);
            } else {
                p.fillRect(QRect(*x, *y, *w, *h), *fill);
            }
            continue;
        }
        if (word == "line") {
            std::optional<int> x1, y1, x2, y2, width = 1;
            std::optional<QColor> c;
            if ((t.size() != 6 && t.size() != 7) || !(x1 = number(t[1])) || !(y1 = number(t[2])) ||
                !(x2 = number(t[3])) || !(y2 = number(t[4])) || !(c = colour(t[5])) ||
                (t.size() == 7 && !(width = number(t[6]))))
                return fail("expected: line X1 Y1 X2 Y2 #COLOUR [WIDTH]");
            p.setPen(QPen(*c, *width));
            p.drawLine(QPointF(*x1 + 0.5, *y1 + 0.5), QPointF(*x2 + 0.5, *y2 + 0.5));
            continue;
        }
        if (word == "text") {
            std::optional<int> x, y, w, h, px;
            std::optional<QColor> c;
            const bool bold = t.size() == 9 && !t[8].quoted && t[8].text == "bold";
            if ((t.size() != 8 && !bold) || !(x = number(t[1])) || !(y = number(t[2])) ||
                !(w = number(t[3])) || !(h = number(t[4])) || !(px = number(t[5])) ||
                !(c = colour(t[6])) || !t[7].quoted)
                return fail("expected: text X Y W H PX #COLOUR \"TEXT\" [bold]");
            p.setPen(*c);
            p.setFont(art_font(*px, bold));
            p.drawText(QRect(*x, *y, *w, *h), Qt::AlignCenter, QString::fromStdString(t[7].text));
            continue;
        }
        return fail("unknown drawing command '" + word + "'");
    }
    if (current) {
        error = "line " + std::to_string(line_number) + ": missing 'end'";
        return false;
    }
    return true;
}

const TerminalArtwork& terminal_artwork() {
    static const TerminalArtwork artwork = [] {
        TerminalArtwork art;
        QFile file(QStringLiteral(":/kolibra/tgen/terminal.art"));
        QByteArray script;
        if (file.open(QIODevice::ReadOnly)) script = file.readAll();
        std::string error;
        if (!draw_terminal_artwork(std::string_view(script.constData(), script.size()), art, error))
            std::fprintf(stderr, "terminal.art: %s\n", error.c_str());
        for (int i = 0; i < kImageCount; ++i) {
            if (!art.images[i].isNull()) continue;
            std::fprintf(stderr, "terminal.art: image %d missing\n", kFirstImage + i);
            art.images[i] = QImage(terminal_image_size(kFirstImage + i), QImage::Format_ARGB32_Premultiplied);
            art.images[i].fill(Qt::gray);
        }
        return art;
    }();
    return artwork;
}

}  // namespace kolibra
