#include "simulator/win32/terminal_window.h"

#include "common/names_win32.h"
#include "shell/document/command_numbers.h"
#include "simulator/key_hit_test.h"
#include "simulator/scan_box.h"
#include "simulator/terminal_pointer.h"
#include "simulator/win32/gdi_canvas.h"
#include "simulator/win32/scan_dialog.h"

#include <windowsx.h>

#include <algorithm>

namespace kolibra {

namespace {

constexpr wchar_t kOutlineClass[] = L"KolibraDragOutline";

RECT to_rect(const PixelRect& r) { return {r.x, r.y, r.x + r.w, r.y + r.h}; }

// The dashed one-pixel frame shown while the terminal is dragged, in place of
// the window itself, which moves only when the button comes up.
LRESULT CALLBACK outline_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT r;
        GetClientRect(hwnd, &r);
        FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        HPEN pen = CreatePen(PS_DOT, 1, RGB(0, 0, 0));
        HGDIOBJ old_pen = SelectObject(dc, pen);
        HGDIOBJ old_brush = SelectObject(dc, GetStockObject(NULL_BRUSH));
        Rectangle(dc, r.left, r.top, r.right, r.bottom);
        SelectObject(dc, old_pen);
        SelectObject(dc, old_brush);
        DeleteObject(pen);
        EndPaint(hwnd, &ps);
        return 0;
    }
    if (message == WM_NCHITTEST) return HTTRANSPARENT;
    return DefWindowProcW(hwnd, message, wparam, lparam);
}

void register_classes() {
    static const bool registered = [] {
        HINSTANCE instance = GetModuleHandleW(nullptr);
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.hInstance = instance;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.lpfnWndProc = outline_proc;
        wc.lpszClassName = kOutlineClass;
        RegisterClassExW(&wc);
        return true;
    }();
    (void)registered;
}

// The screen's scale: its dots per inch against 96.
double screen_scale() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi / 96.0;
}

// The program's icon is the terminal itself.
HICON terminal_icon() {
    const GdiImage& picture = gdi_terminal_image(500);
    if (!picture.bitmap) return nullptr;
    HBITMAP mask = CreateBitmap(picture.size.w, picture.size.h, 1, 1, nullptr);
    ICONINFO info{TRUE, 0, 0, mask, picture.bitmap};
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(mask);
    return icon;
}

void append_entries(HMENU menu, const std::vector<MenuEntry>& entries) {
    for (const MenuEntry& entry : entries) {
        switch (entry.kind) {
        case MenuEntry::Kind::Separator:
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
            break;
        case MenuEntry::Kind::Popup: {
            HMENU sub = CreatePopupMenu();
            append_entries(sub, entry.children);
            AppendMenuW(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(sub),
                        widen_utf8(entry.text).c_str());
            break;
        }
        case MenuEntry::Kind::Item:
            AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(entry.command), widen_utf8(entry.text).c_str());
            break;
        }
    }
}

}  // namespace

HMENU build_popup_menu(const std::vector<MenuEntry>& entries) {
    HMENU menu = CreatePopupMenu();
    append_entries(menu, entries);
    return menu;
}

TerminalWindow::TerminalWindow(Template& tpl, Prompter& prompter, const MenuTemplate* menu, Hooks hooks)
    : hooks_(std::move(hooks)), prompter_(prompter) {
    register_classes();
    HINSTANCE instance = GetModuleHandleW(nullptr);
    icon_ = terminal_icon();
    static const bool registered = [&] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        // No CS_DBLCLKS: a quick second click on a key is a second press.
        wc.hInstance = instance;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.lpfnWndProc = &TerminalWindow::window_proc;
        wc.lpszClassName = kTerminalWindowClass;
        return RegisterClassExW(&wc) != 0;
    }();
    (void)registered;

    // The first pop-up of the menu resource is the menu shown.
    if (menu) {
        for (const MenuEntry& entry : menu->entries) {
            if (entry.kind == MenuEntry::Kind::Popup) {
                popup_ = build_popup_menu(entry.children);
                break;
            }
        }
    }
    if (!popup_) popup_ = CreatePopupMenu();

    runtime_ = std::make_unique<SimRuntime>(tpl, *this, prompter);
    zoom_.percent = remembered_zoom(screen_scale());
    const PixelSize size = zoom_.window_size();
    hwnd_ = CreateWindowExW(WS_EX_APPWINDOW, kTerminalWindowClass, kTerminalTitle,
                            WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX, kTerminalLeft, kTerminalTop,
                            size.w, size.h, nullptr, nullptr, instance, this);
    if (!hwnd_) return;
    if (icon_) {
        SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
        SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
    }
    // The picture's transparent corners give the window its rounded outline.
    SetWindowRgn(hwnd_, terminal_outline_region(zoom_), FALSE);
    make_buffer();

    runtime_->set_new_command([this] {
        // Posted, as the terminal's "no program" case asks the shell for New.
        PostMessageW(hwnd_, WM_COMMAND, MAKEWPARAM(1010, 0), 0);
    });
    SetTimer(hwnd_, kClockTimerId, kClockTimerMs, nullptr);
    runtime_->show_start_page();
}

TerminalWindow::~TerminalWindow() {
    if (hwnd_) {
        KillTimer(hwnd_, kClockTimerId);
        KillTimer(hwnd_, kTypedKeyTimerId);
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
    if (outline_) DestroyWindow(outline_);
    if (buffer_dc_) {
        SelectObject(buffer_dc_, buffer_old_);
        DeleteObject(buffer_);
        DeleteDC(buffer_dc_);
    }
    if (popup_) DestroyMenu(popup_);
    if (icon_) DestroyIcon(icon_);
}

void TerminalWindow::make_buffer() {
    if (buffer_dc_) {
        SelectObject(buffer_dc_, buffer_old_);
        DeleteObject(buffer_);
        DeleteDC(buffer_dc_);
    }
    const PixelSize size = zoom_.window_size();
    HDC screen = GetDC(hwnd_);
    buffer_dc_ = CreateCompatibleDC(screen);
    buffer_ = CreateCompatibleBitmap(screen, size.w, size.h);
    buffer_old_ = SelectObject(buffer_dc_, buffer_);
    ReleaseDC(hwnd_, screen);
}

void TerminalWindow::apply_zoom(int percent) {
    zoom_.percent = percent;
    const PixelSize size = zoom_.window_size();
    make_buffer();
    // The window grows from its top-left corner, moved up and left as far
    // as needed to stay on its screen's work area.
    RECT r;
    GetWindowRect(hwnd_, &r);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (GetMonitorInfoW(MonitorFromWindow(hwnd_, MONITOR_DEFAULTTONEAREST), &monitor)) {
        const RECT& work = monitor.rcWork;
        if (r.left + size.w > work.right) r.left = std::max<LONG>(work.left, work.right - size.w);
        if (r.top + size.h > work.bottom) r.top = std::max<LONG>(work.top, work.bottom - size.h);
    }
    SetWindowPos(hwnd_, nullptr, r.left, r.top, size.w, size.h, SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowRgn(hwnd_, terminal_outline_region(zoom_), TRUE);
    InvalidateRect(hwnd_, nullptr, FALSE);
}

void TerminalWindow::set_zoom(int percent) {
    if (!hwnd_ || !is_zoom_step(percent) || percent == zoom_.percent) return;
    apply_zoom(percent);
    remember_zoom(percent);
}

void TerminalWindow::show() {
    ShowWindow(hwnd_, SW_SHOW);
    UpdateWindow(hwnd_);
    SetForegroundWindow(hwnd_);
}

LRESULT CALLBACK TerminalWindow::window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lparam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        static_cast<TerminalWindow*>(create->lpCreateParams)->hwnd_ = hwnd;
    }
    auto* self = reinterpret_cast<TerminalWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, message, wparam, lparam);
    return self->handle(message, wparam, lparam);
}

LRESULT TerminalWindow::handle(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1;  // the picture covers every pixel
    case WM_PAINT:
        paint();
        return 0;
    case WM_TIMER:
        if (wparam == kClockTimerId) {
            runtime_->clock_tick();
            // A letter waiting for the one before it on the same key may go now.
            if (!typing_.empty()) play_typing();
        } else if (wparam == kTypedKeyTimerId) {
            release_typed_key();
        }
        return 0;
    case WM_KEYDOWN: {
        if (GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_MENU) >= 0) {
            // Ctrl+plus (the "=+" key counts, Shift or not) and Ctrl+minus.
            if (wparam == VK_OEM_PLUS || wparam == VK_ADD) {
                set_zoom(next_zoom(zoom_.percent));
                return 0;
            }
            if (wparam == VK_OEM_MINUS || wparam == VK_SUBTRACT) {
                set_zoom(previous_zoom(zoom_.percent));
                return 0;
            }
        }
        // Keys without a character; TranslateMessage still sends WM_CHAR for
        // Enter, Backspace and Esc, which WM_CHAR passes over.
        int code = 0;
        switch (wparam) {
        case VK_F1:
            key_map_.show(hwnd_);
            return 0;
        case VK_F2:
            scan_barcode();
            return 0;
        case VK_RETURN: code = terminal_key_for(PcKey::Enter); break;
        case VK_BACK: code = terminal_key_for(PcKey::BackSpace); break;
        case VK_UP: code = terminal_key_for(PcKey::Up); break;
        case VK_DOWN: code = terminal_key_for(PcKey::Down); break;
        case VK_ESCAPE: code = terminal_key_for(PcKey::Escape); break;
        default: break;
        }
        if (!code) break;
        typing_.push_key(code);
        play_typing();
        return 0;
    }
    case WM_CHAR:
        if (wparam >= 0x20 && wparam < 0x7f && keys_for_char(static_cast<char>(wparam)).code) {
            typing_.push_char(static_cast<char>(wparam));
            play_typing();
            return 0;
        }
        break;
    case WM_LBUTTONDOWN:
        on_left_down(GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam));
        return 0;
    case WM_MOUSEMOVE:
        on_mouse_move(GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam));
        return 0;
    case WM_LBUTTONUP:
        on_left_up();
        return 0;
    case WM_RBUTTONDOWN: {
        POINT at{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
        ClientToScreen(hwnd_, &at);
        show_popup(at);
        return 0;
    }
    case WM_SETCURSOR:
        if (busy_) {
            SetCursor(LoadCursorW(nullptr, IDC_WAIT));
            return TRUE;
        }
        break;
    case WM_COMMAND:
        // The scan belongs to the terminal; the menu's other commands, the
        // accelerators and the runtime's request go to the hook.
        if (lparam != 0) return 0;
        if (LOWORD(wparam) == command::kScanBarcode) {
            scan_barcode();
        } else if (hooks_.command) {
            hooks_.command(LOWORD(wparam));
        }
        return 0;
    case WM_CLOSE:
        if (!hooks_.may_close || hooks_.may_close()) DestroyWindow(hwnd_);
        return 0;
    case WM_DESTROY:
        KillTimer(hwnd_, kClockTimerId);
        KillTimer(hwnd_, kTypedKeyTimerId);
        PostQuitMessage(0);
        return 0;
    case WM_NCDESTROY:
        hwnd_ = nullptr;
        break;
    default:
        break;
    }
    return DefWindowProcW(hwnd_, message, wparam, lparam);
}

void TerminalWindow::paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    {
        GdiCanvas canvas(buffer_dc_, zoom_.window_size(), zoom_);
        draw_terminal(lcd(), overlays_, canvas);
    }
    const RECT& r = ps.rcPaint;
    BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, buffer_dc_, r.left, r.top, SRCCOPY);
    EndPaint(hwnd_, &ps);
}

void TerminalWindow::repaint(const PixelRect& area) { repaint_window(zoom_.to_window(area)); }

void TerminalWindow::repaint_window(const PixelRect& area) {
    if (!hwnd_) return;
    const RECT r = to_rect(area);
    InvalidateRect(hwnd_, &r, FALSE);
}

void TerminalWindow::invalidate(const PixelRect& area) {
    // A clock line that goes is repainted whole, not only inside `area`.
    if (overlays_.wipe(area)) repaint(kClockLineArea);
    repaint(area);
}

void TerminalWindow::invalidate_lcd() { invalidate(kLcdArea); }
void TerminalWindow::invalidate_upper_rows() { invalidate(kUpperRowsArea); }
void TerminalWindow::invalidate_cursor_row(int row) { invalidate(cursor_row_area(row)); }

void TerminalWindow::draw_letter_preview(int row, int col, char letter) {
    overlays_.preview_shown = true;
    overlays_.preview_row = row;
    overlays_.preview_col = col;
    overlays_.preview_letter = letter;
    repaint(overlays_.preview_area());
}

void TerminalWindow::draw_clock_line(const std::string& text) {
    overlays_.clock_shown = true;
    overlays_.clock_text = text;
    repaint(kClockLineArea);
}

void TerminalWindow::release_mouse_capture() {
    LcdModel& m = lcd();
    m.key_held = false;
    m.dragging = false;
    outline_frame(false);
    if (GetCapture() == hwnd_) ReleaseCapture();
    repaint({0, 0, kTerminalSize.w, kTerminalSize.h});
}

void TerminalWindow::play_typing() {
    const bool alpha = lcd().alpha_mode;
    if (typing_.play(*runtime_, [this](int code) { show_key_pressed(code); }) > 0) MessageBeep(MB_OK);
    if (lcd().alpha_mode != alpha) repaint(kAlphaIndicatorArea);
}

void TerminalWindow::show_key_pressed(int code) {
    const std::vector<PixelRect> areas = typed_key_.show(lcd(), code);
    if (areas.empty()) return;
    for (const PixelRect& area : areas) repaint(area);
    // Setting the timer again restarts it: the key typed last shows its full time.
    SetTimer(hwnd_, kTypedKeyTimerId, kTypedKeyShownMs, nullptr);
}

void TerminalWindow::release_typed_key() {
    KillTimer(hwnd_, kTypedKeyTimerId);
    if (const std::optional<PixelRect> area = typed_key_.release(lcd())) repaint(*area);
}

void TerminalWindow::scan_barcode() {
    std::string text;
    if (!ask_barcode(hwnd_, scans_.entries(), text)) return;
    const bool alpha = lcd().alpha_mode;
    take_scan(*runtime_, scans_, typing_, prompter_, text);
    if (lcd().alpha_mode != alpha) repaint(kAlphaIndicatorArea);
}

void TerminalWindow::on_left_down(int x, int y) {
    // A typed key shown pressed gives way to the click.
    release_typed_key();
    SetCapture(hwnd_);
    RECT window;
    GetWindowRect(hwnd_, &window);
    const TerminalPress press =
        terminal_press(*runtime_, x, y, {window.left, window.top, window.right, window.bottom}, zoom_);
    if (press.alpha_changed) repaint(kAlphaIndicatorArea);
    if (press.key) {
        repaint_window(press.key_area);
    } else if (lcd().dragging) {
        outline_frame(true);
    }
}

void TerminalWindow::on_mouse_move(int x, int y) {
    if (terminal_drag_to(lcd(), x, y)) outline_frame(true);
}

void TerminalWindow::on_left_up() {
    if (GetCapture() == hwnd_) ReleaseCapture();
    const TerminalRelease release = terminal_release(lcd(), zoom_);
    if (release.key) {
        repaint_window(release.key_area);
    } else if (release.moved) {
        outline_frame(false);
        SetWindowPos(hwnd_, nullptr, release.frame.left, release.frame.top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER);
    }
    if (release.open_menu) {
        const KeyHit pwr = key_origin(key::kPwr);
        POINT at{zoom_.to_window(pwr.origin_x), zoom_.to_window(pwr.origin_y)};
        ClientToScreen(hwnd_, &at);
        show_popup(at);
    }
}

void TerminalWindow::show_popup(POINT screen) {
    // Without the foreground the menu would not close on a click elsewhere.
    SetForegroundWindow(hwnd_);
    // The zoom entries show the current size checked.
    for (const int id : {command::kZoom100, command::kZoom150, command::kZoom200})
        CheckMenuItem(popup_, id, MF_BYCOMMAND | (command::zoom_of_command(id) == zoom_.percent ? MF_CHECKED : MF_UNCHECKED));
    const int command = TrackPopupMenu(popup_, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN,
                                       screen.x, screen.y, 0, hwnd_, nullptr);
    if (const int step = command::zoom_of_command(command)) {
        set_zoom(step);  // the terminal's own, not the main window's
        return;
    }
    // The command runs after this event, as the menu's own WM_COMMAND would.
    if (command) PostMessageW(hwnd_, WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

void TerminalWindow::outline_frame(bool show) {
    if (!show) {
        if (outline_) ShowWindow(outline_, SW_HIDE);
        return;
    }
    const LcdRect& f = lcd().drag_frame;
    const int w = f.right - f.left, h = f.bottom - f.top;
    if (!outline_) {
        outline_ = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_TRANSPARENT | WS_EX_NOACTIVATE,
                                   kOutlineClass, L"", WS_POPUP, f.left, f.top, w, h, hwnd_, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
        if (!outline_) return;
        // Only the one-pixel ring shows.
        HRGN ring = CreateRectRgn(0, 0, w, h);
        HRGN inside = CreateRectRgn(1, 1, w - 1, h - 1);
        CombineRgn(ring, ring, inside, RGN_DIFF);
        DeleteObject(inside);
        SetWindowRgn(outline_, ring, FALSE);
    }
    SetWindowPos(outline_, HWND_TOPMOST, f.left, f.top, w, h, SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

}  // namespace kolibra
