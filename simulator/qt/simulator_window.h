// The simulator window: the terminal picture with its keys and LCD. It turns
// clicks and the PC keyboard into key codes for the runtime (each key shown
// pressed for a moment), asks for a barcode to scan (F2 and the menu), drags the whole terminal across the
// desktop when pressed off the keys, and opens the pop-up menu on a right
// click and when PWR is released. It shows the terminal at 100, 150 or 200 %
// (the menu's "Zoom" and Ctrl+plus / Ctrl+minus), drawn afresh at that size,
// and remembers the choice in the user's settings. It draws; it never
// touches a port.
#pragma once

#include "common/qt/qt_prompter.h"
#include "common/resource_script.h"
#include "simulator/keyboard_mapping.h"
#include "simulator/lcd_model.h"
#include "simulator/sim_runtime.h"
#include "simulator/typed_key_picture.h"
#include "simulator/terminal_face.h"
#include "simulator/terminal_zoom.h"

#include <QPointer>
#include <QRect>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

class QMenu;

namespace kolibra {

// Builds a QMenu from a menu template; each item's action carries its command
// number in data(). For the first pop-up of "PopMenuQ5", pass its entries.
void fill_menu(QMenu& menu, const std::vector<MenuEntry>& entries);

class SimulatorWindow : public QWidget, public LcdView {
public:
    // `tpl` is the template the runtime plays; `send_command` receives the
    // pop-up menu's commands and the runtime's "new template" request. The
    // runtime's message boxes go to `prompter`, or to boxes owned by this
    // window when it is null.
    SimulatorWindow(Template& tpl, std::function<void(int)> send_command, Prompter* prompter,
                    QWidget* parent);
    ~SimulatorWindow() override;

    SimRuntime& runtime() { return *runtime_; }
    LcdModel& lcd() { return runtime_->lcd(); }
    QMenu* popup_menu() const { return popup_; }

    // Where the pop-up menu opens; tests replace it to see the request
    // without a blocking menu. Returns the chosen command or 0.
    using MenuOpener = std::function<int(QMenu& menu, const QPoint& global_position)>;
    void set_menu_opener(MenuOpener opener) { open_menu_ = std::move(opener); }

    // Asks for the barcode to scan; tests replace it. Returns false when
    // the user cancelled. `recent` is offered again, newest first.
    using ScanAsker = std::function<bool(const std::vector<std::string>& recent, std::string& text)>;
    void set_scan_asker(ScanAsker asker) { ask_scan_ = std::move(asker); }
    // "Scan barcode...": asks for a code and reads it into the current line.
    void scan_barcode();
    // F1: the small picture of the keyboard mapping.
    void show_keyboard_map();

    // The terminal's size in percent (100, 150 or 200).
    int zoom() const { return zoom_.percent; }
    // Shows the terminal at `percent` (another value is ignored), resizes
    // the window holding it and remembers the choice for this user.
    void set_zoom(int percent);

    // The outline shown while dragging (a frameless overlay window), for tests.
    QWidget* drag_outline() const { return outline_; }

    // LcdView.
    void invalidate_lcd() override;
    void invalidate_upper_rows() override;
    void invalidate_cursor_row(int cursor_row) override;
    void draw_letter_preview(int cursor_row, int cursor_col, char letter) override;
    void draw_clock_line(const std::string& text) override;
    void release_mouse_capture() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void invalidate(const PixelRect& area);
    void repaint_terminal_area(const PixelRect& area);
    void apply_zoom(int percent);
    void show_popup(const QPoint& global_position);
    void outline_frame(bool show);
    void play_typing();
    void show_key_pressed(int code);
    QRect main_window_rect() const;

    QtPrompter own_prompter_;
    std::unique_ptr<SimRuntime> runtime_;
    std::function<void(int)> send_command_;
    QTimer clock_timer_;
    QMenu* popup_ = nullptr;
    MenuOpener open_menu_;
    QWidget* outline_ = nullptr;

    LcdOverlays overlays_;
    TerminalZoom zoom_;

    PcTypingQueue typing_;
    QTimer key_release_timer_;  // ends the moment a typed key is shown pressed
    TypedKeyPicture typed_key_;  // a typed key shown pressed, not the mouse's
    ScanHistory scans_;
    ScanAsker ask_scan_;
    Prompter* prompter_ = nullptr;
};

}  // namespace kolibra
