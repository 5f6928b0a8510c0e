#include "simulator/qt/simulator_window.h"

#include "common/qt/dialog_builder.h"
#include "simulator/qt/key_hit_test.h"
#include "simulator/qt/terminal_artwork.h"

#include <QFontMetricsF>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>

namespace kolibra {

namespace {

// The LCD's repaint areas; each ends just before its right and bottom
// coordinates, so (25, 52) to (154, 133) is 129 x 81 pixels.
const QRect kLcdArea(QPoint(25, 52), QPoint(153, 132));
const QRect kUpperRowsArea(QPoint(25, 52), QPoint(153, 102));  // rows 0 to 4
const QRect kLcdWindow(24, 50, 132, 84);                       // where LCD text may show
const QPoint kAlphaIndicator(146, 114);
const QPoint kClockLine(26, 122);
// Everything the clock line's glyphs may touch, down to the LCD's last row
// (the comma reaches below the row the other glyphs keep to).
const QRect kClockLineArea(kClockLine, QSize(127, 12));
constexpr int kTextX = 26;
constexpr int kFirstRowY = 50;
constexpr int kRowStep = 10;
// The text's baseline below the top of its row: the glyphs then sit on the
// highlight bar, which starts 3 pixels below the row's top and is 10 high.
constexpr int kBaseline = 11;

void draw_image(QPainter& p, int number, int x, int y) {
    p.drawImage(QPoint(x, y), terminal_artwork().image(number));
}

void draw_lcd_text(QPainter& p, int x, int y, const char* text, std::size_t max_length) {
    for (std::size_t i = 0; i < max_length && text[i]; ++i) {
        const char c = text[i];
        if (c == ' ') continue;
        p.drawText(QPointF(x + kLcdColumnStep * static_cast<int>(i), y + kBaseline),
                   QString(QChar::fromLatin1(c)));
    }
}

// A frameless window showing only a one-pixel outline: stands in for the
// inverted frame drawn on the screen while the terminal is dragged.
class DragOutline : public QWidget {
public:
    DragOutline()
        : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                               Qt::WindowTransparentForInput | Qt::WindowDoesNotAcceptFocus) {
        setAttribute(Qt::WA_ShowWithoutActivating);
        setObjectName(QStringLiteral("DragOutline"));
    }
    void place(const QRect& frame) {
        setGeometry(frame);
        QRegion ring(QRect(0, 0, frame.width(), frame.height()));
        ring -= QRegion(QRect(1, 1, frame.width() - 2, frame.height() - 2));
        setMask(ring);
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        QPen pen(Qt::black);
        pen.setDashPattern({2, 2});
        p.fillRect(rect(), Qt::white);
        p.setPen(pen);
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
};

LcdRect to_lcd_rect(const QRect& r) { return {r.left(), r.top(), r.right() + 1, r.bottom() + 1}; }
QRect to_qrect(const LcdRect& r) { return QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1)); }

}  // namespace

QFont lcd_font() {
    QFont font(QStringLiteral("DejaVu Sans Mono"));
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    font.setPixelSize(9);
    font.setHintingPreference(QFont::PreferFullHinting);
    // Narrow the face until a character fits its 5-pixel column.
    for (int stretch = 100; stretch >= 70; stretch -= 2) {
        font.setStretch(stretch);
        if (QFontMetricsF(font).horizontalAdvance(QLatin1Char('M')) <= kLcdColumnStep + 0.01) break;
    }
    return font;
}

void fill_menu(QMenu& menu, const std::vector<MenuEntry>& entries) {
    for (const MenuEntry& entry : entries) {
        switch (entry.kind) {
        case MenuEntry::Kind::Separator:
            menu.addSeparator();
            break;
        case MenuEntry::Kind::Popup: {
            QMenu* sub = menu.addMenu(QString::fromStdString(entry.text));
            fill_menu(*sub, entry.children);
            break;
        }
        case MenuEntry::Kind::Item: {
            QAction* action = menu.addAction(QString::fromStdString(entry.text));
            action->setData(entry.command);
            break;
        }
        }
    }
}

SimulatorWindow::SimulatorWindow(Template& tpl, std::function<void(int)> send_command,
                                 Prompter* prompter, QWidget* parent)
    : QWidget(parent), own_prompter_(this), send_command_(std::move(send_command)), font_(lcd_font()) {
    setObjectName(QStringLiteral("Client"));
    setFixedSize(180, 400);
    setCursor(Qt::ArrowCursor);

    runtime_ = std::make_unique<SimRuntime>(tpl, *this, prompter ? *prompter : own_prompter_);
    runtime_->set_new_command([this] {
        // Posted, as the terminal's "no program" case asks the shell for New.
        QMetaObject::invokeMethod(this, [this] { if (send_command_) send_command_(1010); },
                                  Qt::QueuedConnection);
    });

    popup_ = new QMenu(this);
    popup_->setObjectName(QStringLiteral("PopMenuQ5"));
    if (const MenuTemplate* menu = app_resources().menu("PopMenuQ5")) {
        // The first pop-up of the menu resource is the menu shown.
        for (const MenuEntry& entry : menu->entries) {
            if (entry.kind == MenuEntry::Kind::Popup) {
                fill_menu(*popup_, entry.children);
                break;
            }
        }
    }
    open_menu_ = [](QMenu& menu, const QPoint& at) {
        QAction* chosen = menu.exec(at);
        return chosen ? chosen->data().toInt() : 0;
    };

    connect(&clock_timer_, &QTimer::timeout, this, [this] { runtime_->clock_tick(); });
    clock_timer_.start(100);
    runtime_->show_start_page();
}

SimulatorWindow::~SimulatorWindow() {
    clock_timer_.stop();
    delete outline_;
}

void SimulatorWindow::invalidate(const QRect& area) {
    if (clock_shown_ && area.intersects(QRect(kClockLine, QSize(127, 10)))) {
        // The line goes: repaint all of it, not only the part inside `area`.
        clock_shown_ = false;
        update(kClockLineArea);
    }
    if (preview_shown_ &&
        area.intersects(QRect(kTextX + kLcdColumnStep * preview_col_,
                              kFirstRowY + kRowStep * preview_row_, 6, 12)))
        preview_shown_ = false;
    update(area);
}

void SimulatorWindow::invalidate_lcd() { invalidate(kLcdArea); }
void SimulatorWindow::invalidate_upper_rows() { invalidate(kUpperRowsArea); }
void SimulatorWindow::invalidate_cursor_row(int row) {
    invalidate(QRect(QPoint(25, 52 + kRowStep * row), QPoint(153, 61 + kRowStep * row)));
}

void SimulatorWindow::draw_letter_preview(int row, int col, char letter) {
    preview_shown_ = true;
    preview_row_ = row;
    preview_col_ = col;
    preview_letter_ = letter;
    update(QRect(kTextX + kLcdColumnStep * col, kFirstRowY + kRowStep * row, 6, 14));
}

void SimulatorWindow::draw_clock_line(const std::string& text) {
    clock_shown_ = true;
    clock_text_ = text;
    update(kClockLineArea);
}

void SimulatorWindow::release_mouse_capture() {
    LcdModel& m = lcd();
    m.key_held = false;
    m.dragging = false;
    outline_frame(false);
    update();
}

void SimulatorWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    draw_image(p, 500, 0, 0);
    const LcdModel& m = lcd();
    for (int code = 1; code <= 20; ++code) {
        KeyHit key = key_origin(code);
        bool down = m.key_held && m.pressed_key == code;
        draw_image(p, 500 + code + (down ? 20 : 0), key.origin_x, key.origin_y);
    }

    p.setClipRect(kLcdWindow);
    p.setFont(font_);
    if (m.screen_is_form) {
        draw_image(p, 541, kTextX + kLcdColumnStep * m.cursor_col, 52 + kRowStep * m.cursor_row);
    }
    if (m.alpha_mode) draw_image(p, 543, kAlphaIndicator.x(), kAlphaIndicator.y());
    for (int i = 0; i < kLcdRows; ++i) {
        const int y = kFirstRowY + kRowStep * i;
        if (m.highlight == i + 1) {
            draw_image(p, 542, kTextX, y + 3);
            p.setPen(Qt::white);
        } else {
            p.setPen(Qt::black);
        }
        draw_lcd_text(p, kTextX, y, m.lcd_rows[i], kLcdRowSize);
    }
    if (clock_shown_) {
        draw_image(p, 545, kClockLine.x(), kClockLine.y());
        p.setPen(Qt::black);
        draw_lcd_text(p, kClockLine.x(), kClockLine.y(), clock_text_.c_str(), clock_text_.size());
    }
    if (preview_shown_) {
        const int x = kTextX + kLcdColumnStep * preview_col_;
        draw_image(p, 541, x, 52 + kRowStep * preview_row_);
        p.setPen(Qt::black);
        const char letter[2] = {preview_letter_, 0};
        draw_lcd_text(p, x, kFirstRowY + kRowStep * preview_row_, letter, 1);
    }
}

QRect SimulatorWindow::main_window_rect() const {
    const QWidget* top = window();
    return QRect(top->pos(), top->size());
}

void SimulatorWindow::outline_frame(bool show) {
    if (!show) {
        if (outline_) outline_->hide();
        return;
    }
    if (!outline_) outline_ = new DragOutline;
    static_cast<DragOutline*>(outline_)->place(to_qrect(lcd().drag_frame));
    outline_->show();
}

void SimulatorWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        show_popup(event->globalPosition().toPoint());
        return;
    }
    if (event->button() != Qt::LeftButton) return;
    LcdModel& m = lcd();
    const QPoint pos = event->position().toPoint();
    KeyHit hit = hit_test_key(pos.x(), pos.y());
    m.pressed_key = hit.code;
    if (hit.code) {
        m.key_held = true;
        m.pressed_origin = {hit.origin_x, hit.origin_y};
        if (hit.code == key::kAlpha && m.screen_is_form) {
            // Alpha works before the runtime sees the key.
            m.alpha_mode = !m.alpha_mode;
            update(QRect(kAlphaIndicator, QSize(8, 10)));
        }
        update(QRect(hit.origin_x, hit.origin_y, 32, 20));
        runtime_->press_key(hit.code);
        return;
    }
    m.dragging = true;
    m.drag_window = to_lcd_rect(main_window_rect());
    m.drag_frame = m.drag_window;
    m.drag_start = {pos.x(), pos.y()};
    outline_frame(true);
}

void SimulatorWindow::mouseMoveEvent(QMouseEvent* event) {
    LcdModel& m = lcd();
    if (m.key_held || !m.dragging) return;
    const QPoint pos = event->position().toPoint();
    const int dx = pos.x() - m.drag_start.x, dy = pos.y() - m.drag_start.y;
    m.drag_frame = {m.drag_window.left + dx, m.drag_window.top + dy, m.drag_window.right + dx,
                    m.drag_window.bottom + dy};
    outline_frame(true);
}

void SimulatorWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    LcdModel& m = lcd();
    const int released = m.pressed_key;
    if (released) {
        update(QRect(m.pressed_origin.x, m.pressed_origin.y, 32, 20));
    } else if (m.dragging) {
        outline_frame(false);
        window()->move(m.drag_frame.left, m.drag_frame.top);
        window()->show();
    }
    m.key_held = false;
    m.dragging = false;
    if (released == key::kPwr) {
        KeyHit pwr = key_origin(key::kPwr);
        show_popup(mapToGlobal(QPoint(pwr.origin_x, pwr.origin_y)));
    }
}

void SimulatorWindow::show_popup(const QPoint& global_position) {
    const int command = open_menu_ ? open_menu_(*popup_, global_position) : 0;
    if (command && send_command_) {
        // The menu's commands go to the main window, after this event.
        QMetaObject::invokeMethod(this, [this, command] { send_command_(command); },
                                  Qt::QueuedConnection);
    }
}

}  // namespace kolibra
