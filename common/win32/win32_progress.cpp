#include "common/win32/win32_progress.h"

#include "common/dialog/dlgtemplate_ex.h"
#include "common/names_win32.h"
#include "common/win32/win32_cancel_button.h"
#include "common/win32/win32_dialog_binder.h"
#include "common/win32/win32_message_pump.h"

#include <commctrl.h>

#include <algorithm>

namespace kolibra {

namespace {

// The template with the bar below its line: 8 units in from either side, from
// half the height down, 12 units high (about 20 pixels with an 8-point font).
DialogTemplate with_bar(const DialogTemplate* source) {
    DialogTemplate t;
    if (source) {
        t = *source;
    } else {
        t.name = "ProgressDlg";
        t.caption = "Progress";
        t.width = 104;
        t.height = 40;
    }
    ControlTemplate bar;
    bar.id = kProgressBarId;
    bar.kind = ControlKind::ProgressBar;
    bar.x = 8;
    bar.y = t.height / 2;
    bar.width = std::max(t.width - 16, 1);
    bar.height = 12;
    t.controls.push_back(bar);
    return t;
}

// Escape and the close box do nothing: the transfer closes the window. The
// Cancel button requests the stop; the transfer then closes it.
INT_PTR CALLBACK progress_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM) {
    if (message == WM_INITDIALOG) return FALSE;
    if (message == WM_CLOSE) return TRUE;
    if (message == WM_COMMAND && cancel_button_clicked(hwnd, wparam)) return TRUE;
    if (message == WM_COMMAND && LOWORD(wparam) == IDCANCEL) return TRUE;
    return FALSE;
}

// Places a Cancel button centred under the bar and grows the window to hold it.
HWND add_cancel_button(HWND dialog, HWND bar, TransferStop* stop) {
    RECT client{}, bar_rect{}, window{};
    GetClientRect(dialog, &client);
    GetWindowRect(bar, &bar_rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&bar_rect), 2);
    const int top = bar_rect.bottom + 8;
    HWND button = make_cancel_button(dialog, stop, (client.right - kCancelButtonWidth) / 2, top);
    const int needed = top + kCancelButtonHeight + 10;
    if (needed > client.bottom) {
        GetWindowRect(dialog, &window);
        SetWindowPos(dialog, nullptr, 0, 0, window.right - window.left,
                     window.bottom - window.top + needed - client.bottom,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return button;
}

// Room a title bar takes besides the caption: the window's icon, its
// minimise, maximise and close buttons (46 pixels each on Windows 10), and
// margins; the same allowance as the Qt face's.
constexpr int kTitleBarExtra = 160;

// The width a title bar needs for `caption`: the text in the caption font
// plus that room.
int width_for_caption(const std::wstring& caption) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return 0;
    HDC dc = GetDC(nullptr);
    HFONT font = CreateFontIndirectW(&metrics.lfCaptionFont);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &size);
    SelectObject(dc, old);
    DeleteObject(font);
    ReleaseDC(nullptr, dc);
    return size.cx + kTitleBarExtra;
}

}  // namespace

void center_on_screen(HWND hwnd) {
    RECT window{};
    GetWindowRect(hwnd, &window);
    RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(MonitorFromWindow(hwnd, MONITOR_DEFAULTTOPRIMARY), &info)) area = info.rcWork;
    const int width = window.right - window.left, height = window.bottom - window.top;
    SetWindowPos(hwnd, nullptr, area.left + (area.right - area.left - width) / 2,
                 area.top + (area.bottom - area.top - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

Win32Progress::Win32Progress(const DialogTemplate* tmpl, HWND owner)
    : tmpl_(with_bar(tmpl)), owner_(owner) {}

Win32Progress::~Win32Progress() { close(); }

void Win32Progress::open(const std::string& caption) {
    close();
    dialog::init_common_controls();
    const dialog::DlgTemplateBytes bytes =
        dialog::serialize_dlgtemplate_ex(tmpl_, {dialog::DlgTemplateRole::Progress});
    dialog_ = CreateDialogIndirectParamW(GetModuleHandleW(nullptr),
                                         reinterpret_cast<LPCDLGTEMPLATEW>(bytes.data()), owner_,
                                         &progress_proc, 0);
    if (!dialog_) return;  // the transfer runs on without a window
    bar_ = GetDlgItem(dialog_, kProgressBarId);
    if (!caption.empty()) SetWindowTextW(dialog_, widen_utf8(caption).c_str());
    SendMessageW(bar_, PBM_SETRANGE32, 0, 100);
    SendMessageW(bar_, PBM_SETPOS, 0, 0);

    // A long caption ("Progress (Download Lookup 1.0)") would be cut in the
    // small window's title bar: widen the window and the bar with it.
    wchar_t title[256] = {};
    GetWindowTextW(dialog_, title, 256);
    RECT window{}, bar{};
    GetWindowRect(dialog_, &window);
    const int wanted = width_for_caption(title);
    if (window.right - window.left < wanted) {
        const int extra = wanted - (window.right - window.left);
        SetWindowPos(dialog_, nullptr, 0, 0, wanted, window.bottom - window.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        GetWindowRect(bar_, &bar);
        SetWindowPos(bar_, nullptr, 0, 0, bar.right - bar.left + extra, bar.bottom - bar.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (stop_) cancel_ = add_cancel_button(dialog_, bar_, stop_);
    center_on_screen(dialog_);
    ShowWindow(dialog_, SW_SHOW);
    UpdateWindow(dialog_);
    win32::pump_paint_messages();
}

void Win32Progress::set_value(int value) {
    if (!bar_) return;
    SendMessageW(bar_, PBM_SETPOS, static_cast<WPARAM>(std::clamp(value, 0, 100)), 0);
    win32::pump_paint_messages();
}

void Win32Progress::close() {
    if (dialog_) DestroyWindow(dialog_);
    dialog_ = nullptr;
    bar_ = nullptr;
    cancel_ = nullptr;
}

}  // namespace kolibra
