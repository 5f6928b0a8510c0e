#include "simulator/win32/key_map_window.h"

#include "common/names_win32.h"
#include "simulator/keyboard_mapping.h"

#include <algorithm>

namespace kolibra {

namespace {

constexpr wchar_t kKeyMapClass[] = L"KolibraKeyMap";
constexpr int kMargin = 10;  // pixels around the text
constexpr int kGap = 8;      // pixels between the terminal and this window

bool same_width(HDC dc, wchar_t a, wchar_t b) {
    SIZE sa{}, sb{};
    GetTextExtentPoint32W(dc, &a, 1, &sa);
    GetTextExtentPoint32W(dc, &b, 1, &sb);
    return sa.cx == sb.cx;
}

// A fixed-pitch font: the named monospaced face when the system has it (or
// one of its kind), else the stock fixed font, which every system has.
HFONT fixed_font(bool& own) {
    HFONT f = CreateFontW(-13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                          CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, L"Courier New");
    if (f) {
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, f);
        const bool fixed = same_width(dc, L'i', L'W');
        SelectObject(dc, old);
        DeleteDC(dc);
        if (fixed) {
            own = true;
            return f;
        }
        DeleteObject(f);
    }
    own = false;
    return static_cast<HFONT>(GetStockObject(ANSI_FIXED_FONT));
}

}  // namespace

KeyMapWindow::~KeyMapWindow() {
    if (hwnd_) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
    if (font_ && own_font_) DeleteObject(font_);
}

bool KeyMapWindow::show(HWND terminal) {
    if (hwnd_) {
        SetForegroundWindow(hwnd_);
        return true;
    }
    static const bool registered = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpfnWndProc = &KeyMapWindow::window_proc;
        wc.lpszClassName = kKeyMapClass;
        return RegisterClassExW(&wc) != 0;
    }();
    (void)registered;
    if (!font_) font_ = fixed_font(own_font_);
    if (lines_.empty()) {
        for (const std::string& line : keyboard_mapping_lines()) lines_.push_back(widen_utf8(line));
    }

    // The window's size from the text's, its place to the right of the
    // terminal, or to its left where the screen has no room on the right.
    const SIZE text = text_size();
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    RECT frame{0, 0, text.cx + 2 * kMargin, text.cy + 2 * kMargin};
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    const int w = frame.right - frame.left, h = frame.bottom - frame.top;
    RECT owner{};
    GetWindowRect(terminal, &owner);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(terminal, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    int x = owner.right + kGap;
    if (x + w > work.right && owner.left - kGap - w >= work.left) x = owner.left - kGap - w;
    const int y = std::max<int>(work.top, std::min<int>(owner.top, work.bottom - h));

    hwnd_ = CreateWindowExW(0, kKeyMapClass, kKeyMapTitle, style, x, y, w, h, terminal, nullptr,
                            GetModuleHandleW(nullptr), this);
    if (!hwnd_) return false;
    ShowWindow(hwnd_, SW_SHOW);
    SetForegroundWindow(hwnd_);
    return true;
}

SIZE KeyMapWindow::text_size() {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font_);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SIZE out{0, metrics.tmHeight * static_cast<LONG>(lines_.size())};
    for (const std::wstring& line : lines_) {
        SIZE s{};
        GetTextExtentPoint32W(dc, line.c_str(), static_cast<int>(line.size()), &s);
        out.cx = std::max(out.cx, s.cx);
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    return out;
}

LRESULT CALLBACK KeyMapWindow::window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lparam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        static_cast<KeyMapWindow*>(create->lpCreateParams)->hwnd_ = hwnd;
    }
    auto* self = reinterpret_cast<KeyMapWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, message, wparam, lparam);
    return self->handle(message, wparam, lparam);
}

LRESULT KeyMapWindow::handle(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_PAINT:
        paint();
        return 0;
    case WM_KEYDOWN:
        if (wparam == VK_ESCAPE || wparam == VK_RETURN || wparam == VK_F1) {
            DestroyWindow(hwnd_);
            return 0;
        }
        break;
    case WM_NCDESTROY: {
        // The window is gone; the next F1 opens a new one.
        HWND gone = hwnd_;
        hwnd_ = nullptr;
        SetWindowLongPtrW(gone, GWLP_USERDATA, 0);
        return DefWindowProcW(gone, message, wparam, lparam);
    }
    default:
        break;
    }
    return DefWindowProcW(hwnd_, message, wparam, lparam);
}

void KeyMapWindow::paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    HGDIOBJ old = SelectObject(dc, font_);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    int y = kMargin;
    for (const std::wstring& line : lines_) {
        TextOutW(dc, kMargin, y, line.c_str(), static_cast<int>(line.size()));
        y += metrics.tmHeight;
    }
    SelectObject(dc, old);
    EndPaint(hwnd_, &ps);
}

}  // namespace kolibra
