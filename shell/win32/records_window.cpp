#include "shell/win32/records_window.h"

#include "common/names_win32.h"
#include "common/win32/win32_text.h"
#include "shell/document/collected_records.h"

namespace kolibra {

namespace {

constexpr wchar_t kClass[] = L"KolibraCollectedRecords";
constexpr int kGapBesideOwner = 8;
constexpr int kInitialWidth = 460, kInitialHeight = 300;
constexpr int kMargin = 8, kButtonWidth = 75, kButtonHeight = 24;

HFONT ui_font() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

}  // namespace

Win32RecordsWindow::Win32RecordsWindow(SimRuntime& runtime, FilePicker& picker, Prompter& prompter,
                                       HWND owner)
    : runtime_(runtime), picker_(picker), prompter_(prompter) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    static const bool registered = [&] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.hInstance = instance;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpfnWndProc = &Win32RecordsWindow::window_proc;
        wc.lpszClassName = kClass;
        return RegisterClassExW(&wc) != 0;
    }();
    (void)registered;

    int x = CW_USEDEFAULT, y = CW_USEDEFAULT;
    RECT owner_rect;
    if (owner && GetWindowRect(owner, &owner_rect)) {
        x = owner_rect.right + kGapBesideOwner;
        y = owner_rect.top;
    }
    hwnd_ = CreateWindowExW(0, kClass, widen_utf8(kRecordsWindowTitle).c_str(), WS_OVERLAPPEDWINDOW, x, y,
                            kInitialWidth, kInitialHeight, owner, nullptr, instance, this);
    if (!hwnd_) return;
    list_font_ = CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, L"Courier New");
    list_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"",
                            WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | LBS_NOINTEGRALHEIGHT |
                                LBS_EXTENDEDSEL | LBS_NOTIFY,
                            0, 0, 10, 10, hwnd_, reinterpret_cast<HMENU>(kRecordsListId), instance, nullptr);
    // A long status (a saved file's path) ends in "...": the buttons stay put.
    status_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_PATHELLIPSIS,
                              0, 0, 10, 10, hwnd_, reinterpret_cast<HMENU>(kRecordsStatusId), instance, nullptr);
    const wchar_t* labels[3] = {L"&Save...", L"C&lear", L"&Close"};
    const int ids[3] = {kRecordsSaveId, kRecordsClearId, kRecordsCloseId};
    for (int i = 0; i < 3; ++i) {
        buttons_[i] = CreateWindowExW(0, L"BUTTON", labels[i], WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                                      0, 0, 10, 10, hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(ids[i])),
                                      instance, nullptr);
        SendMessageW(buttons_[i], WM_SETFONT, reinterpret_cast<WPARAM>(ui_font()), FALSE);
    }
    SendMessageW(status_, WM_SETFONT, reinterpret_cast<WPARAM>(ui_font()), FALSE);
    SendMessageW(list_, WM_SETFONT, reinterpret_cast<WPARAM>(list_font_ ? list_font_ : ui_font()), FALSE);
    layout();

    for (const std::string& record : runtime_.collected_records()) add(record);
    show_count();
    runtime_.set_record_listener([this](const std::string& record) {
        add(record);
        show_count();
    });
}

Win32RecordsWindow::~Win32RecordsWindow() {
    runtime_.set_record_listener(nullptr);
    if (hwnd_) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
    if (list_font_) DeleteObject(list_font_);
}

void Win32RecordsWindow::show() {
    if (!hwnd_) return;
    ShowWindow(hwnd_, SW_SHOW);
    SetForegroundWindow(hwnd_);
}

LRESULT CALLBACK Win32RecordsWindow::window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lparam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<Win32RecordsWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self || !self->hwnd_) return DefWindowProcW(hwnd, message, wparam, lparam);
    return self->handle(message, wparam, lparam);
}

LRESULT Win32RecordsWindow::handle(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_SIZE:
        layout();
        return 0;
    case WM_COMMAND:
        switch (LOWORD(wparam)) {
        case kRecordsSaveId:
            save();
            return 0;
        case kRecordsClearId:
            clear();
            return 0;
        case kRecordsCloseId:
            ShowWindow(hwnd_, SW_HIDE);
            return 0;
        default:
            break;
        }
        break;
    case WM_CLOSE:
        // Closing hides: the list keeps growing while the terminal runs.
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

void Win32RecordsWindow::layout() {
    RECT client;
    GetClientRect(hwnd_, &client);
    const int w = client.right, h = client.bottom;
    const int row_y = h - kMargin - kButtonHeight;
    MoveWindow(list_, kMargin, kMargin, w - 2 * kMargin, row_y - 2 * kMargin, TRUE);
    int x = w - kMargin;
    for (int i = 2; i >= 0; --i) {
        x -= kButtonWidth;
        MoveWindow(buttons_[i], x, row_y, kButtonWidth, kButtonHeight, TRUE);
        x -= kMargin / 2;
    }
    MoveWindow(status_, kMargin, row_y + 4, x - 2 * kMargin > 0 ? x - 2 * kMargin : 0, kButtonHeight - 4, TRUE);
}

void Win32RecordsWindow::add(const std::string& record) {
    const std::wstring line = win32::dialog_text_to_wide(visible_record(record));
    const LRESULT index = SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    if (index >= 0) SendMessageW(list_, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
}

void Win32RecordsWindow::show_count() {
    SetWindowTextW(status_, widen_utf8(record_count_text(runtime_.collected_records().size())).c_str());
}

bool Win32RecordsWindow::save() {
    const std::vector<std::string>& records = runtime_.collected_records();
    const std::optional<std::string> path = save_collected_records(records, picker_, prompter_);
    if (!path) return false;
    SetWindowTextW(status_, widen_utf8(record_count_text(records.size()) + " saved to " + *path).c_str());
    return true;
}

void Win32RecordsWindow::clear() {
    if (!confirm_clear_records(runtime_.collected_records().size(), prompter_)) return;
    runtime_.clear_collected_records();
    SendMessageW(list_, LB_RESETCONTENT, 0, 0);
    show_count();
}

}  // namespace kolibra
