#include "shell/win32/list_window.h"

#include "common/names_win32.h"
#include "common/window_placement_win32.h"

#include <algorithm>

namespace kolibra {

namespace {

constexpr wchar_t kClass[] = L"KolibraListWindow";
constexpr int kMargin = 8, kButtonHeight = 24;

HFONT ui_font() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

}  // namespace

Win32ListWindow::Win32ListWindow(const std::string& title, HWND owner, int width, int height,
                                 std::vector<Button> buttons)
    : buttons_(std::move(buttons)) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    static const bool registered = [&] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.hInstance = instance;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpfnWndProc = &Win32ListWindow::window_proc;
        wc.lpszClassName = kClass;
        return RegisterClassExW(&wc) != 0;
    }();
    (void)registered;

    int x = CW_USEDEFAULT, y = CW_USEDEFAULT;
    if (owner) {
        const POINT at = win32_place_beside(owner, SIZE{width, height});
        x = at.x;
        y = at.y;
    }
    hwnd_ = CreateWindowExW(0, kClass, widen_utf8(title).c_str(), WS_OVERLAPPEDWINDOW, x, y, width, height, owner,
                            nullptr, instance, this);
    if (!hwnd_) return;
    // A long status (a saved file's path) ends in "...": the buttons stay put.
    status_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_PATHELLIPSIS, 0, 0,
                              10, 10, hwnd_, reinterpret_cast<HMENU>(kStatusId), instance, nullptr);
    SendMessageW(status_, WM_SETFONT, reinterpret_cast<WPARAM>(ui_font()), FALSE);
    for (const Button& b : buttons_) {
        HWND button = CreateWindowExW(0, L"BUTTON", b.label, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0,
                                      0, 10, 10, hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(b.id)),
                                      instance, nullptr);
        SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(ui_font()), FALSE);
    }
}

Win32ListWindow::~Win32ListWindow() {
    if (hwnd_) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

HWND Win32ListWindow::make_list(const wchar_t* window_class, DWORD style) {
    if (!hwnd_) return nullptr;
    list_ = CreateWindowExW(WS_EX_CLIENTEDGE, window_class, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, 0, 0,
                            10, 10, hwnd_, reinterpret_cast<HMENU>(kListId), GetModuleHandleW(nullptr), nullptr);
    layout();
    return list_;
}

void Win32ListWindow::set_status(const std::string& utf8) {
    if (status_) SetWindowTextW(status_, widen_utf8(utf8).c_str());
}

void Win32ListWindow::raise() {
    if (!hwnd_) return;
    ShowWindow(hwnd_, SW_SHOW);
    SetForegroundWindow(hwnd_);
}

LRESULT CALLBACK Win32ListWindow::window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lparam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<Win32ListWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self || !self->hwnd_) return DefWindowProcW(hwnd, message, wparam, lparam);
    return self->handle(message, wparam, lparam);
}

LRESULT Win32ListWindow::handle(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_SIZE:
        layout();
        return 0;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lparam);
        if (header->idFrom == kListId) on_list_notify(*header);
        return 0;
    }
    case WM_COMMAND:
        if (LOWORD(wparam) != kListId && lparam != 0 && HIWORD(wparam) == BN_CLICKED) {
            on_button(LOWORD(wparam));
            return 0;
        }
        break;
    case WM_CLOSE:
        // Closing hides: the window keeps its list for the next time.
        ShowWindow(hwnd_, SW_HIDE);
        return 0;
    case WM_NCDESTROY:
        hwnd_ = nullptr;
        return 0;
    default:
        break;
    }
    return DefWindowProcW(hwnd_, message, wparam, lparam);
}

void Win32ListWindow::layout() {
    if (!hwnd_) return;
    RECT client;
    GetClientRect(hwnd_, &client);
    const int w = client.right, h = client.bottom;
    const int row_y = h - kMargin - kButtonHeight;
    if (list_) MoveWindow(list_, kMargin, kMargin, w - 2 * kMargin, row_y - 2 * kMargin, TRUE);
    int x = w - kMargin;
    for (auto b = buttons_.rbegin(); b != buttons_.rend(); ++b) {
        x -= b->width;
        MoveWindow(GetDlgItem(hwnd_, b->id), x, row_y, b->width, kButtonHeight, TRUE);
        x -= kMargin / 2;
    }
    MoveWindow(status_, kMargin, row_y + 4, std::max(0, x - 2 * kMargin), kButtonHeight - 4, TRUE);
}

}  // namespace kolibra
