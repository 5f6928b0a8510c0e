#include "shell/win32/history_window.h"

#include "common/names_win32.h"

#include <commctrl.h>

#include <algorithm>

namespace kolibra {

namespace {

constexpr wchar_t kClass[] = L"KolibraReceptionHistory";
constexpr int kGapBesideOwner = 8;
constexpr int kInitialWidth = 620, kInitialHeight = 320;
constexpr int kMargin = 8, kButtonHeight = 24;

struct ButtonSpec {
    int id;
    const wchar_t* label;
    int width;
};
constexpr ButtonSpec kButtons[] = {
    {kHistoryTextId, L"Save as &text...", 100},
    {kHistoryColumnsId, L"Save as c&olumns...", 115},
    {kHistoryDeleteId, L"&Delete", 70},
    {kHistoryCloseId, L"&Close", 70},
};

HFONT ui_font() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

}  // namespace

Win32HistoryWindow::Win32HistoryWindow(std::string folder, const TemplateDocument& doc, FilePicker& picker,
                                       Prompter& prompter, HWND owner)
    : browser_(std::move(folder), picker, prompter), doc_(doc) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    static const bool registered = [&] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.hInstance = instance;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpfnWndProc = &Win32HistoryWindow::window_proc;
        wc.lpszClassName = kClass;
        return RegisterClassExW(&wc) != 0;
    }();
    (void)registered;

    // Beside the terminal, but never off the screen's right edge.
    int x = CW_USEDEFAULT, y = CW_USEDEFAULT;
    RECT owner_rect;
    if (owner && GetWindowRect(owner, &owner_rect)) {
        RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        x = std::min<int>(owner_rect.right + kGapBesideOwner, work.right - kInitialWidth);
        x = std::max<int>(x, work.left);
        y = owner_rect.top;
    }
    hwnd_ = CreateWindowExW(0, kClass, widen_utf8(kHistoryWindowTitle).c_str(), WS_OVERLAPPEDWINDOW, x, y,
                            kInitialWidth, kInitialHeight, owner, nullptr, instance, this);
    if (!hwnd_) return;
    list_ = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
                            0, 0, 10, 10, hwnd_, reinterpret_cast<HMENU>(kHistoryListId), instance, nullptr);
    SendMessageW(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT);
    int column = 0;
    for (const std::string& heading : HistoryBrowser::headings()) {
        std::wstring text = widen_utf8(heading);
        LVCOLUMNW c{};
        c.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        // The number and the record count line up on the right.
        c.fmt = (column == 0 || column == 6) ? LVCFMT_RIGHT : LVCFMT_LEFT;
        c.cx = 60;
        c.pszText = text.data();
        SendMessageW(list_, LVM_INSERTCOLUMNW, column++, reinterpret_cast<LPARAM>(&c));
    }
    // A long message (a saved file's path) ends in "...": the buttons stay put.
    status_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_PATHELLIPSIS,
                              0, 0, 10, 10, hwnd_, reinterpret_cast<HMENU>(kHistoryStatusId), instance, nullptr);
    SendMessageW(status_, WM_SETFONT, reinterpret_cast<WPARAM>(ui_font()), FALSE);
    for (const ButtonSpec& b : kButtons) {
        HWND button = CreateWindowExW(0, L"BUTTON", b.label, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                                      0, 0, 10, 10, hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(b.id)),
                                      instance, nullptr);
        SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(ui_font()), FALSE);
    }
    layout();
    refresh();
}

Win32HistoryWindow::~Win32HistoryWindow() {
    if (hwnd_) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

void Win32HistoryWindow::show() {
    if (!hwnd_) return;
    refresh();
    ShowWindow(hwnd_, SW_SHOW);
    SetForegroundWindow(hwnd_);
}

LRESULT CALLBACK Win32HistoryWindow::window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lparam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<Win32HistoryWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self || !self->hwnd_) return DefWindowProcW(hwnd, message, wparam, lparam);
    return self->handle(message, wparam, lparam);
}

LRESULT Win32HistoryWindow::handle(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_SIZE:
        layout();
        return 0;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lparam);
        if (header->idFrom == kHistoryListId && header->code == LVN_ITEMCHANGED) update_buttons();
        return 0;
    }
    case WM_COMMAND:
        switch (LOWORD(wparam)) {
        case kHistoryTextId:
            save_text();
            return 0;
        case kHistoryColumnsId:
            save_columns();
            return 0;
        case kHistoryDeleteId:
            remove();
            return 0;
        case kHistoryCloseId:
            ShowWindow(hwnd_, SW_HIDE);
            return 0;
        default:
            break;
        }
        break;
    case WM_CLOSE:
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

void Win32HistoryWindow::layout() {
    RECT client;
    GetClientRect(hwnd_, &client);
    const int w = client.right, h = client.bottom;
    const int row_y = h - kMargin - kButtonHeight;
    MoveWindow(list_, kMargin, kMargin, w - 2 * kMargin, row_y - 2 * kMargin, TRUE);
    int x = w - kMargin;
    for (int i = static_cast<int>(std::size(kButtons)) - 1; i >= 0; --i) {
        x -= kButtons[i].width;
        MoveWindow(GetDlgItem(hwnd_, kButtons[i].id), x, row_y, kButtons[i].width, kButtonHeight, TRUE);
        x -= kMargin / 2;
    }
    MoveWindow(status_, kMargin, row_y + 4, std::max(0, x - 2 * kMargin), kButtonHeight - 4, TRUE);
}

void Win32HistoryWindow::refresh() {
    const int keep = chosen();
    SendMessageW(list_, LVM_DELETEALLITEMS, 0, 0);
    int index = 0;
    for (const ReceptionEntry& entry : browser_.refresh()) {
        const std::vector<std::string> cells = HistoryBrowser::row(entry);
        for (std::size_t c = 0; c < cells.size(); ++c) {
            std::wstring text = widen_utf8(cells[c]);
            LVITEMW item{};
            item.iItem = index;
            item.iSubItem = static_cast<int>(c);
            item.pszText = text.data();
            if (c == 0) {
                item.mask = LVIF_TEXT | LVIF_PARAM;
                item.lParam = entry.number;
                SendMessageW(list_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
            } else {
                item.mask = LVIF_TEXT;
                SendMessageW(list_, LVM_SETITEMTEXTW, index, reinterpret_cast<LPARAM>(&item));
            }
        }
        ++index;
    }
    const int columns = static_cast<int>(HistoryBrowser::headings().size());
    for (int c = 0; c < columns; ++c) SendMessageW(list_, LVM_SETCOLUMNWIDTH, c, LVSCW_AUTOSIZE_USEHEADER);
    // The newest is the one most often wanted.
    if (keep != 0) choose(keep);
    if (chosen() == 0 && index > 0) choose(browser_.entries().back().number);
    const std::string count = index == 1 ? "1 reception" : std::to_string(index) + " receptions";
    SetWindowTextW(status_, widen_utf8(count).c_str());
    update_buttons();
}

int Win32HistoryWindow::chosen() const {
    const LRESULT index = SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
    if (index < 0) return 0;
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = static_cast<int>(index);
    SendMessageW(list_, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return static_cast<int>(item.lParam);
}

void Win32HistoryWindow::choose(int number) {
    const int count = static_cast<int>(SendMessageW(list_, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        LVITEMW item{};
        item.mask = LVIF_PARAM;
        item.iItem = i;
        SendMessageW(list_, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
        if (item.lParam != number) continue;
        LVITEMW state{};
        state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        state.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageW(list_, LVM_SETITEMSTATE, i, reinterpret_cast<LPARAM>(&state));
        SendMessageW(list_, LVM_ENSUREVISIBLE, i, FALSE);
        return;
    }
}

void Win32HistoryWindow::update_buttons() {
    const bool any = chosen() != 0;
    for (int id : {kHistoryTextId, kHistoryColumnsId, kHistoryDeleteId}) EnableWindow(GetDlgItem(hwnd_, id), any);
}

void Win32HistoryWindow::show_status() { SetWindowTextW(status_, widen_utf8(browser_.status()).c_str()); }

bool Win32HistoryWindow::save_text() {
    const int number = chosen();
    if (number == 0 || !browser_.save_text(number)) return false;
    show_status();
    return true;
}

bool Win32HistoryWindow::save_columns() {
    const int number = chosen();
    if (number == 0 || !browser_.save_columns(number, doc_.tpl)) return false;
    show_status();
    return true;
}

bool Win32HistoryWindow::remove() {
    const int number = chosen();
    if (number == 0 || !browser_.remove(number)) return false;
    refresh();
    show_status();
    return true;
}

}  // namespace kolibra
