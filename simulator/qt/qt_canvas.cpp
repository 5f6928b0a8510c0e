#include "simulator/qt/qt_canvas.h"

#include "simulator/terminal_face.h"

#include <QFontMetricsF>
#include <QPainterPath>

namespace kolibra {

namespace {

QColor to_qt(Rgba c) { return QColor(c.r, c.g, c.b, c.a); }

QFont art_font(int pixels, bool bold) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixels > 0 ? pixels : 1);
    font.setBold(bold);
    return font;
}

}  // namespace

QFont lcd_font() {
    QFont font(QStringLiteral("DejaVu Sans Mono"));
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    font.setPixelSize(9);
    font.setHintingPreference(QFont::PreferFullHinting);
    for (int stretch = 100; stretch >= 70; stretch -= 2) {
        font.setStretch(stretch);
        if (QFontMetricsF(font).horizontalAdvance(QLatin1Char('M')) <= kLcdColumnStep + 0.01) break;
    }
    return font;
}

TerminalImages render_terminal_images(const ArtworkDescription& art) {
    TerminalImages out;
    for (int i = 0; i < kImageCount; ++i) {
        const PixelSize size = terminal_image_size(kFirstImage + i);
        QImage image(size.w, size.h, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        QtCanvas canvas(painter);
        draw_artwork_image(art, kFirstImage + i, canvas);
        painter.end();
        out.images[i] = image;
    }
    return out;
}

const TerminalImages& terminal_images() {
    static const TerminalImages images = render_terminal_images(terminal_artwork_description());
    return images;
}

void QtCanvas::fill(Rgba colour) { p_.fillRect(p_.window(), to_qt(colour)); }

void QtCanvas::rect(PixelRect b, Rgba fill, std::optional<Rgba> edge) {
    if (edge) {
        p_.setPen(to_qt(*edge));
        p_.setBrush(to_qt(fill));
        p_.drawRect(QRectF(b.x + 0.5, b.y + 0.5, b.w - 1, b.h - 1));
    } else {
        p_.fillRect(QRect(b.x, b.y, b.w, b.h), to_qt(fill));
    }
}

void QtCanvas::round_rect(PixelRect b, int radius, Rgba fill, std::optional<Rgba> edge) {
    if (edge) {
        p_.setPen(to_qt(*edge));
        p_.setBrush(to_qt(fill));
        p_.drawRoundedRect(QRectF(b.x + 0.5, b.y + 0.5, b.w - 1, b.h - 1), radius, radius);
    } else {
        QPainterPath path;
        path.addRoundedRect(QRectF(b.x, b.y, b.w, b.h), radius, radius);
        p_.fillPath(path, to_qt(fill));
    }
}

void QtCanvas::line(int x1, int y1, int x2, int y2, Rgba colour, int width) {
    p_.setPen(QPen(to_qt(colour), width));
    p_.drawLine(QPointF(x1 + 0.5, y1 + 0.5), QPointF(x2 + 0.5, y2 + 0.5));
}

void QtCanvas::text(PixelRect b, int pixels, Rgba colour, std::string_view text, bool bold) {
    p_.setPen(to_qt(colour));
    p_.setFont(art_font(pixels, bold));
    p_.drawText(QRect(b.x, b.y, b.w, b.h), Qt::AlignCenter,
                QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

void QtCanvas::image(int number, int x, int y) {
    p_.drawImage(QPoint(x, y), terminal_images().image(number));
}

void QtCanvas::clip(PixelRect b) { p_.setClipRect(QRect(b.x, b.y, b.w, b.h)); }

void QtCanvas::lcd_glyph(int x, int baseline_y, char c, Rgba colour) {
    static const QFont font = lcd_font();
    p_.setFont(font);
    p_.setPen(to_qt(colour));
    p_.drawText(QPointF(x, baseline_y), QString(QChar::fromLatin1(c)));
}

}  // namespace kolibra
