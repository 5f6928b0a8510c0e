// The terminal window on Windows: the frameless 180 x 400 picture of the
// terminal at (300, 50), shaped by the picture's outline, with its keys, LCD
// and pop-up menu; at 150 or 200 % (the menu's "Zoom", Ctrl+plus and
// Ctrl+minus) everything is drawn afresh at that size, and the choice is
// remembered for the user (the first start follows the screen's scale). A left click on a key goes to the simulator's runtime as
// the key's code; a press off the keys drags the whole window; a right click
// and the release of PWR open the pop-up menu "PopMenuQ5". The PC keyboard
// types through the same keys (each shown pressed a moment), F1 opens the
// picture of that mapping, and F2 or the menu's "Scan barcode..." the scan
// box. The window draws and forwards: the menu's other commands, the
// accelerators' WM_COMMAND and the runtime's "new template" request go to the
// `command` hook, the close box (Alt+F4) asks `may_close`.
//
// Usage:
//   TerminalWindow terminal(doc.tpl, prompter, {.command = run_command,
//                                               .may_close = [&] { return cmds.may_close(); }});
//   terminal.show();
//   ... message loop; the window posts WM_QUIT when it is destroyed ...
#pragma once

#include "common/prompter.h"
#include "common/resource_script.h"
#include "model/template.h"
#include "simulator/keyboard_mapping.h"
#include "simulator/lcd_model.h"
#include "simulator/sim_runtime.h"
#include "simulator/terminal_face.h"
#include "simulator/typed_key_picture.h"
#include "simulator/win32/key_map_window.h"
#include "simulator/terminal_zoom.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

namespace kolibra {

constexpr wchar_t kTerminalWindowClass[] = L"VUR5";
constexpr wchar_t kTerminalTitle[] = L"Application Generator";
constexpr int kTerminalLeft = 300, kTerminalTop = 50;
constexpr UINT_PTR kClockTimerId = 1;
constexpr UINT kClockTimerMs = 100;
constexpr UINT_PTR kTypedKeyTimerId = 2;  // ends a typed key's pressed picture

// A Win32 pop-up menu from a menu template's entries (item ids are the
// command numbers). The caller owns the menu (DestroyMenu).
HMENU build_popup_menu(const std::vector<MenuEntry>& entries);

class TerminalWindow : public LcdView {
public:
    struct Hooks {
        std::function<void(int command)> command;
        std::function<bool()> may_close;  // unset: the window always closes
    };

    // Creates the window hidden, with its runtime playing `tpl`; the
    // runtime's message boxes go to `prompter`. `menu` is the pop-up
    // menu's template ("PopMenuQ5"; its first pop-up is shown).
    TerminalWindow(Template& tpl, Prompter& prompter, const MenuTemplate* menu, Hooks hooks);
    ~TerminalWindow() override;
    TerminalWindow(const TerminalWindow&) = delete;
    TerminalWindow& operator=(const TerminalWindow&) = delete;

    HWND hwnd() const { return hwnd_; }
    HMENU popup_menu() const { return popup_; }
    SimRuntime& runtime() { return *runtime_; }
    LcdModel& lcd() { return runtime_->lcd(); }
    void show();
    // While a transfer runs: the busy cursor over the window.
    void set_busy(bool busy) { busy_ = busy; }
    // The terminal's size in percent (100, 150 or 200).
    int zoom() const { return zoom_.percent; }
    // Shows the terminal at `percent` (another value is ignored) and
    // remembers the choice for this user.
    void set_zoom(int percent);
    // The frameless outline that follows a drag, while one runs, else nullptr.
    HWND drag_outline() const { return outline_; }
    // The picture of the PC keyboard's keys (F1).
    const KeyMapWindow& key_map() const { return key_map_; }
    // The barcodes scanned in this window, newest first.
    const ScanHistory& scans() const { return scans_; }

    // LcdView.
    void invalidate_lcd() override;
    void invalidate_upper_rows() override;
    void invalidate_cursor_row(int cursor_row) override;
    void draw_letter_preview(int cursor_row, int cursor_col, char letter) override;
    void draw_clock_line(const std::string& text) override;
    void release_mouse_capture() override;

private:
    static LRESULT CALLBACK window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
    LRESULT handle(UINT message, WPARAM wparam, LPARAM lparam);
    void paint();
    void repaint(const PixelRect& area);  // terminal pixels
    void repaint_window(const PixelRect& area);  // window pixels
    void apply_zoom(int percent);
    void make_buffer();
    void invalidate(const PixelRect& area);
    void play_typing();
    void on_left_down(int x, int y);
    void on_mouse_move(int x, int y);
    void on_left_up();
    void show_popup(POINT screen);
    void outline_frame(bool show);
    void scan_barcode();
    void show_key_pressed(int code);
    void release_typed_key();

    HWND hwnd_ = nullptr;
    HMENU popup_ = nullptr;
    HICON icon_ = nullptr;
    HWND outline_ = nullptr;
    HDC buffer_dc_ = nullptr;
    HBITMAP buffer_ = nullptr;
    HGDIOBJ buffer_old_ = nullptr;
    std::unique_ptr<SimRuntime> runtime_;
    Hooks hooks_;
    LcdOverlays overlays_;
    TerminalZoom zoom_;
    PcTypingQueue typing_;  // the PC keyboard's keys not yet played
    TypedKeyPicture typed_key_;
    ScanHistory scans_;
    Prompter& prompter_;
    KeyMapWindow key_map_;
    bool busy_ = false;
};

}  // namespace kolibra
