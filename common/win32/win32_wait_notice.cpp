#include "common/win32/win32_wait_notice.h"

#include "common/names_win32.h"
#include "common/win32/win32_cancel_button.h"
#include "common/win32/win32_message_pump.h"
#include "common/win32/win32_progress.h"

#include <algorithm>

namespace kolibra {

namespace {

constexpr wchar_t kClassName[] = L"KolibraWaitNotice";
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_BORDER;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_TOPMOST;
// Margins around the text and the button, and the narrowest client area.
constexpr int kMargin = 16;
constexpr int kGap = 12;
constexpr int kMinWidth = 280;

// The text with CR LF line ends, as a static control draws them.
std::wstring with_crlf(const std::string& text) {
    std::wstring wide = widen_utf8(text), out;
    for (wchar_t c : wide) {
        if (c == L'\n') out += L'\r';
        out += c;
    }
    return out;
}

}  // namespace

Win32WaitNotice::~Win32WaitNotice() { hide(); }

LRESULT CALLBACK Win32WaitNotice::window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_COMMAND:
        if (cancel_button_clicked(hwnd, wparam)) return 0;
        break;
    case WM_CLOSE:
        return 0;  // the transfer takes it away
    default:
        break;
    }
    return DefWindowProcW(hwnd, message, wparam, lparam);
}

void Win32WaitNotice::create() {
    static const bool registered = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &Win32WaitNotice::window_proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // the arrow
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = kClassName;
        return RegisterClassExW(&wc) != 0;
    }();
    if (!registered) return;
    window_ = CreateWindowExW(kExStyle, kClassName, L"Waiting", kStyle, 0, 0, kMinWidth, 100,
                              owner_, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!window_) return;
    label_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, kMargin,
                             kMargin, 10, 10, window_, nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(label_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    if (stop_) cancel_ = make_cancel_button(window_, stop_, 0, 0);
}

// Sizes the window to its text (and the button below it) and centres it.
void Win32WaitNotice::layout(const std::wstring& text) {
    HDC dc = GetDC(label_);
    HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    RECT measured{0, 0, 0, 0};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measured, DT_CALCRECT | DT_NOPREFIX);
    SelectObject(dc, old);
    ReleaseDC(label_, dc);
    const int text_width = measured.right - measured.left;
    const int text_height = measured.bottom - measured.top;
    const int width = std::max(kMinWidth, text_width + 2 * kMargin);
    int height = kMargin + text_height + kMargin;
    MoveWindow(label_, kMargin, kMargin, width - 2 * kMargin, text_height, FALSE);
    if (cancel_) {
        MoveWindow(cancel_, (width - kCancelButtonWidth) / 2, kMargin + text_height + kGap,
                   kCancelButtonWidth, kCancelButtonHeight, FALSE);
        height += kGap + kCancelButtonHeight - kMargin + kGap;
    }
    RECT frame{0, 0, width, height};
    AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
    SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    center_on_screen(window_);
}

void Win32WaitNotice::show(const std::string& text) {
    if (!window_) create();
    if (!window_) return;  // the transfer waits on without a window
    const std::wstring wide = with_crlf(text);
    SetWindowTextW(label_, wide.c_str());
    layout(wide);
    ShowWindow(window_, SW_SHOW);
    InvalidateRect(window_, nullptr, TRUE);
    UpdateWindow(window_);
    win32::pump_paint_messages();
}

void Win32WaitNotice::hide() {
    if (window_) DestroyWindow(window_);
    window_ = nullptr;
    label_ = nullptr;
    cancel_ = nullptr;
}

}  // namespace kolibra
