#include "common/win32/win32_receive_count_view.h"

#include "common/win32/win32_cancel_button.h"
#include "common/win32/win32_message_pump.h"

#include <algorithm>

namespace kolibra {

namespace {

constexpr wchar_t kClassName[] = L"KolibraReceiveCount";
constexpr COLORREF kBackground = RGB(255, 255, 100);
constexpr int kHeight = 40;

}  // namespace

Win32ReceiveCountView::~Win32ReceiveCountView() { remove(); }

LRESULT CALLBACK Win32ReceiveCountView::window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* view = reinterpret_cast<Win32ReceiveCountView*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    switch (message) {
    case WM_PAINT:
        if (view) {
            view->paint(hwnd);
            return 0;
        }
        break;
    case WM_COMMAND:
        if (cancel_button_clicked(hwnd, wparam)) return 0;
        break;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;  // a click never takes the focus from the program
    default:
        break;
    }
    return DefWindowProcW(hwnd, message, wparam, lparam);
}

void Win32ReceiveCountView::paint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT client{};
    GetClientRect(hwnd, &client);
    HBRUSH brush = CreateSolidBrush(kBackground);
    HGDIOBJ old_brush = SelectObject(dc, brush);
    HGDIOBJ old_pen = SelectObject(dc, GetStockObject(BLACK_PEN));
    Rectangle(dc, client.left, client.top, client.right, client.bottom);
    // The count keeps the top line; a Cancel button sits below it.
    RECT line = client;
    line.bottom = line.top + kHeight;
    HGDIOBJ old_font = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    DrawTextW(dc, text_.c_str(), static_cast<int>(text_.size()), &line,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old_font);
    SelectObject(dc, old_pen);
    SelectObject(dc, old_brush);
    DeleteObject(brush);
    EndPaint(hwnd, &ps);
}

void Win32ReceiveCountView::prepare() {
    remove();
    static const bool registered = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &Win32ReceiveCountView::window_proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // the arrow
        wc.lpszClassName = kClassName;
        return RegisterClassExW(&wc) != 0;
    }();
    if (!registered) return;

    // As wide as the line with a few more digits, in the middle of the screen.
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    const std::wstring sample = L"Data received : 0   ";
    SIZE size{};
    GetTextExtentPoint32W(dc, sample.c_str(), static_cast<int>(sample.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    const int width = std::max<int>(size.cx + 20, kCancelButtonWidth + 20);
    const int height = stop_ ? kHeight + kCancelButtonHeight + 8 : kHeight;
    const int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2;

    box_ = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kClassName, L"",
                           WS_POPUP, x, y, width, height, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
    if (!box_) return;
    SetWindowLongPtrW(box_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    if (stop_) cancel_ = make_cancel_button(box_, stop_, (width - kCancelButtonWidth) / 2, kHeight);
}

void Win32ReceiveCountView::show(int count) {
    if (!box_) return;
    text_ = L"Data received : " + std::to_wstring(count);
    if (!IsWindowVisible(box_)) ShowWindow(box_, SW_SHOWNOACTIVATE);
    SetWindowPos(box_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    InvalidateRect(box_, nullptr, TRUE);
    UpdateWindow(box_);
    win32::pump_paint_messages();
}

void Win32ReceiveCountView::remove() {
    if (box_) {
        SetWindowLongPtrW(box_, GWLP_USERDATA, 0);
        DestroyWindow(box_);
    }
    box_ = nullptr;
    cancel_ = nullptr;
    text_.clear();
}

}  // namespace kolibra
