#include "simulator/qt/simulator_window.h"

#include "common/qt/dialog_builder.h"
#include "simulator/key_hit_test.h"
#include "simulator/scan_box.h"
#include "simulator/terminal_face.h"
#include "simulator/terminal_pointer.h"
#include "simulator/typed_key_picture.h"
#include "simulator/qt/qt_canvas.h"

#include "shell/document/command_numbers.h"

#include <QDialog>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>
#include <QApplication>
#include <QBitmap>
#include <QPixmap>
#include <QScreen>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>

#include <algorithm>


namespace kolibra {

namespace {

QRect to_qrect(const PixelRect& r) { return QRect(r.x, r.y, r.w, r.h); }

// How much larger than 96 dots per inch the screen's logical pixels are
// (the device pixel ratio Qt applies itself already).
double screen_scale(const QWidget& widget) {
    const QScreen* screen = widget.screen();
    if (!screen) screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInch() / 96.0 : 1.0;
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
    : QWidget(parent), own_prompter_(this), send_command_(std::move(send_command)) {
    setObjectName(QStringLiteral("Client"));
    setCursor(Qt::ArrowCursor);

    setFocusPolicy(Qt::StrongFocus);
    prompter_ = prompter ? prompter : &own_prompter_;
    runtime_ = std::make_unique<SimRuntime>(tpl, *this, *prompter_);
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

    ask_scan_ = [this](const std::vector<std::string>& recent, std::string& text) {
        QStringList items;
        for (const std::string& code : recent) items << QString::fromStdString(code);
        bool ok = false;
        const QString chosen = QInputDialog::getItem(this, QStringLiteral("Scan barcode"),
                                                     QStringLiteral("Barcode:"), items, 0, true, &ok);
        text = chosen.toStdString();
        return ok;
    };
    key_release_timer_.setSingleShot(true);
    connect(&key_release_timer_, &QTimer::timeout, this, [this] {
        if (const std::optional<PixelRect> area = typed_key_.release(lcd())) repaint_terminal_area(*area);
    });

    connect(&clock_timer_, &QTimer::timeout, this, [this] {
        runtime_->clock_tick();
        // A letter waiting for the one before it on the same key may go now.
        if (!typing_.empty()) play_typing();
    });
    clock_timer_.start(100);
    apply_zoom(remembered_zoom(screen_scale(*this)));
    runtime_->show_start_page();
}

void SimulatorWindow::apply_zoom(int percent) {
    zoom_.percent = percent;
    const PixelSize size = zoom_.window_size();
    setFixedSize(size.w, size.h);
    // The terminal fills its window: the window takes its size, and its
    // outline when it is shaped.
    QWidget* top = window();
    if (top != this) {
        top->setFixedSize(size.w, size.h);
        // Grown from its top-left corner, moved up and left as far as needed
        // to stay on its screen.
        if (const QScreen* screen = top->screen(); screen && top->isVisible()) {
            const QRect room = screen->availableGeometry();
            QPoint at = top->pos();
            if (at.x() + size.w > room.right() + 1) at.setX(std::max(room.left(), room.right() + 1 - size.w));
            if (at.y() + size.h > room.bottom() + 1) at.setY(std::max(room.top(), room.bottom() + 1 - size.h));
            top->move(at);
        }
        if (!top->mask().isEmpty()) {
            const QImage& picture = terminal_image(500, place_image(500, 0, 0, zoom_));
            top->setMask(QPixmap::fromImage(picture).mask());
        }
    }
    update();
}

void SimulatorWindow::set_zoom(int percent) {
    if (!is_zoom_step(percent) || percent == zoom_.percent) return;
    apply_zoom(percent);
    remember_zoom(percent);
}

SimulatorWindow::~SimulatorWindow() {
    clock_timer_.stop();
    delete outline_;
}

void SimulatorWindow::repaint_terminal_area(const PixelRect& area) { update(to_qrect(zoom_.to_window(area))); }

void SimulatorWindow::invalidate(const PixelRect& area) {
    // A clock line that goes is repainted whole, not only inside `area`.
    if (overlays_.wipe(area)) repaint_terminal_area(kClockLineArea);
    repaint_terminal_area(area);
}

void SimulatorWindow::invalidate_lcd() { invalidate(kLcdArea); }
void SimulatorWindow::invalidate_upper_rows() { invalidate(kUpperRowsArea); }
void SimulatorWindow::invalidate_cursor_row(int row) { invalidate(cursor_row_area(row)); }

void SimulatorWindow::draw_letter_preview(int row, int col, char letter) {
    overlays_.preview_shown = true;
    overlays_.preview_row = row;
    overlays_.preview_col = col;
    overlays_.preview_letter = letter;
    repaint_terminal_area(overlays_.preview_area());
}

void SimulatorWindow::draw_clock_line(const std::string& text) {
    overlays_.clock_shown = true;
    overlays_.clock_text = text;
    repaint_terminal_area(kClockLineArea);
}

void SimulatorWindow::release_mouse_capture() {
    LcdModel& m = lcd();
    m.key_held = false;
    m.dragging = false;
    outline_frame(false);
    update();
}

void SimulatorWindow::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    const double ratio = devicePixelRatioF();
    if (ratio == 1.0) {
        QtCanvas canvas(p, zoom_);
        draw_terminal(lcd(), overlays_, canvas);
        return;
    }
    // A screen whose pixels Qt scales itself: drawn at the screen's own
    // pixels, so nothing is stretched.
    const TerminalZoom device{static_cast<int>(zoom_.percent * ratio + 0.5)};
    const PixelSize size = device.window_size();
    QImage frame(size.w, size.h, QImage::Format_ARGB32_Premultiplied);
    frame.fill(Qt::transparent);
    {
        QPainter fp(&frame);
        QtCanvas canvas(fp, device);
        draw_terminal(lcd(), overlays_, canvas);
    }
    frame.setDevicePixelRatio(ratio);
    p.setClipRegion(event->region());
    p.drawImage(QPoint(0, 0), frame);
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
    if (typed_key_.shown()) {
        // A typed key shown pressed gives way to the click.
        key_release_timer_.stop();
        if (const std::optional<PixelRect> area = typed_key_.release(lcd())) repaint_terminal_area(*area);
    }
    const QPoint pos = event->position().toPoint();
    const TerminalPress press =
        terminal_press(*runtime_, pos.x(), pos.y(), to_lcd_rect(main_window_rect()), zoom_);
    if (press.alpha_changed) repaint_terminal_area(kAlphaIndicatorArea);
    if (press.key) {
        update(to_qrect(press.key_area));
    } else {
        outline_frame(true);
    }
}

void SimulatorWindow::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (terminal_drag_to(lcd(), pos.x(), pos.y())) outline_frame(true);
}

void SimulatorWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const TerminalRelease release = terminal_release(lcd(), zoom_);
    if (release.key) {
        update(to_qrect(release.key_area));
    } else if (release.moved) {
        outline_frame(false);
        window()->move(release.frame.left, release.frame.top);
        window()->show();
    }
    if (release.open_menu) {
        KeyHit pwr = key_origin(key::kPwr);
        show_popup(mapToGlobal(QPoint(zoom_.to_window(pwr.origin_x), zoom_.to_window(pwr.origin_y))));
    }
}

void SimulatorWindow::show_key_pressed(int code) {
    const std::vector<PixelRect> areas = typed_key_.show(lcd(), code);
    if (areas.empty()) return;  // the mouse holds a key: that one shows
    for (const PixelRect& area : areas) repaint_terminal_area(area);
    key_release_timer_.start(kTypedKeyShownMs);
}

void SimulatorWindow::play_typing() {
    if (typing_.play(*runtime_, [this](int code) { show_key_pressed(code); }) > 0) {
        QApplication::beep();
    }
}

void SimulatorWindow::keyPressEvent(QKeyEvent* event) {
    if ((event->modifiers() & Qt::ControlModifier) &&
        !(event->modifiers() & (Qt::AltModifier | Qt::MetaModifier))) {
        // Ctrl+= counts as Ctrl+plus where + needs Shift.
        switch (event->key()) {
        case Qt::Key_Plus:
        case Qt::Key_Equal: set_zoom(next_zoom(zoom_.percent)); return;
        case Qt::Key_Minus: set_zoom(previous_zoom(zoom_.percent)); return;
        default: break;
        }
    }
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
        QWidget::keyPressEvent(event);  // the main window's shortcuts
        return;
    }
    switch (event->key()) {
    case Qt::Key_F1: show_keyboard_map(); return;
    case Qt::Key_F2: scan_barcode(); return;
    case Qt::Key_Return:
    case Qt::Key_Enter: typing_.push_key(terminal_key_for(PcKey::Enter)); break;
    case Qt::Key_Backspace: typing_.push_key(terminal_key_for(PcKey::BackSpace)); break;
    case Qt::Key_Up: typing_.push_key(terminal_key_for(PcKey::Up)); break;
    case Qt::Key_Down: typing_.push_key(terminal_key_for(PcKey::Down)); break;
    case Qt::Key_Escape: typing_.push_key(terminal_key_for(PcKey::Escape)); break;
    default: {
        const QString text = event->text();
        if (text.size() != 1 || text[0].unicode() > 0x7e ||
            keys_for_char(static_cast<char>(text[0].unicode())).code == 0) {
            QWidget::keyPressEvent(event);
            return;
        }
        typing_.push_char(static_cast<char>(text[0].unicode()));
        break;
    }
    }
    play_typing();
}

void SimulatorWindow::scan_barcode() {
    std::string text;
    if (!ask_scan_ || !ask_scan_(scans_.entries(), text)) return;
    take_scan(*runtime_, scans_, typing_, *prompter_, text);
}

void SimulatorWindow::show_keyboard_map() {
    QDialog dialog(this);
    dialog.setWindowTitle(QStringLiteral("PC keyboard on the terminal"));
    auto* layout = new QVBoxLayout(&dialog);
    QString text;
    for (const std::string& line : keyboard_mapping_lines()) text += QString::fromStdString(line) + '\n';
    auto* label = new QLabel(text.trimmed(), &dialog);
    label->setObjectName(QStringLiteral("KeyboardMap"));
    label->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    layout->addWidget(label);
    dialog.exec();
}

void SimulatorWindow::show_popup(const QPoint& global_position) {
    // The zoom entries show the current size checked.
    for (QAction* action : popup_->findChildren<QAction*>()) {
        const int step = command::zoom_of_command(action->data().toInt());
        if (!step) continue;
        action->setCheckable(true);
        action->setChecked(step == zoom_.percent);
    }
    const int command = open_menu_ ? open_menu_(*popup_, global_position) : 0;
    if (const int step = command::zoom_of_command(command)) {
        set_zoom(step);
        return;
    }
    if (command == command::kScanBarcode) {
        // The scan belongs to the terminal, not to the main window.
        QMetaObject::invokeMethod(this, [this] { scan_barcode(); }, Qt::QueuedConnection);
        return;
    }
    if (command && send_command_) {
        // The menu's commands go to the main window, after this event.
        QMetaObject::invokeMethod(this, [this, command] { send_command_(command); },
                                  Qt::QueuedConnection);
    }
}

}  // namespace kolibra
