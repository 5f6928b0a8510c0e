#include "simulator/qt/qt_canvas.h"

#include "simulator/terminal_face.h"

#include <QFontMetricsF>
#include <QPainterPath>

#include <map>

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

QFont lcd_font(int zoom_percent) {
    const TerminalZoom zoom{zoom_percent};
    const double column = kLcdColumnStep * zoom.scale();
    QFont font(QStringLiteral("DejaVu Sans Mono"));
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    font.setPixelSize(static_cast<int>(9 * zoom.scale() + 0.5));
    font.setHintingPreference(QFont::PreferFullHinting);
    for (int stretch = 100; stretch >= 70; stretch -= 2) {
        font.setStretch(stretch);
        if (QFontMetricsF(font).horizontalAdvance(QLatin1Char('M')) <= column + 0.01) break;
    }
    return font;
}

namespace {

QImage render_image(int number, const ImagePlacement& placement) {
    QImage image(placement.window.w, placement.window.h, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.translate(placement.shift_x, placement.shift_y);
    painter.scale(placement.scale, placement.scale);
    QtCanvas canvas(painter);
    draw_artwork_image(terminal_artwork_description(), number, canvas);
    painter.end();
    return image;
}

RenderedImages<QImage>& rendered_images() {
    static RenderedImages<QImage> images(render_image);
    return images;
}

}  // namespace

const QImage& terminal_image(int number, const ImagePlacement& placement) {
    return rendered_images().get(number, placement);
}

const QImage& terminal_image(int number) { return terminal_image(number, place_image(number, 0, 0, {})); }

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
    if (number < kFirstImage || number >= kFirstImage + kImageCount) return;
    const ImagePlacement placement = place_image(number, x, y, zoom_);
    p_.drawImage(QPoint(placement.window.x, placement.window.y), terminal_image(number, placement));
}

void QtCanvas::clip(PixelRect b) {
    const PixelRect w = zoom_.to_window(b);
    p_.setClipRect(QRect(w.x, w.y, w.w, w.h));
}

void QtCanvas::lcd_glyph(int x, int baseline_y, char c, Rgba colour) {
    // One font per zoom step, made on first use.
    static std::map<int, QFont> fonts;
    auto it = fonts.find(zoom_.percent);
    if (it == fonts.end()) it = fonts.emplace(zoom_.percent, lcd_font(zoom_.percent)).first;
    p_.setFont(it->second);
    p_.setPen(to_qt(colour));
    p_.drawText(QPointF(x * zoom_.scale(), baseline_y * zoom_.scale()), QString(QChar::fromLatin1(c)));
}

}  // namespace kolibra
