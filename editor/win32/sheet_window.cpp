#include "editor/win32/sheet_window.h"

#include "common/dialog/dlgtemplate_ex.h"
#include "common/names_win32.h"
#include "common/window_placement_win32.h"
#include "common/win32/win32_text.h"

#include <commctrl.h>

#include <algorithm>

namespace kolibra::editor {

namespace {

using dialog::Win32BoundDialog;

// The tab strip's control number; pages use numbers far below it.
constexpr int kTabsId = 0x3020;

// Spacing in dialog units of the sheet's font, as Windows' own sheets have it.
constexpr int kMargin = 4;       // around the tab control
constexpr int kButtonGap = 4;    // between the tab control and the buttons, and between buttons
constexpr int kButtonWidth = 50;
constexpr int kButtonHeight = 14;

// The frame as a dialog template: caption, the pages' font, OK and Cancel.
// Its size and the buttons' places are set from the pages once Windows has
// measured the font and the tab strip.
DialogTemplate frame_template(Sheet& sheet) {
    DialogTemplate frame;
    frame.name = "EditorSheet";
    frame.caption = kSheetCaption;
    if (sheet.page_count() > 0) {
        const DialogTemplate& first = sheet.page(0).dialog_template();
        frame.font_face = first.font_face;
        frame.font_points = first.font_points;
    }
    frame.width = 200;
    frame.height = 100;
    ControlTemplate ok;
    ok.id = IDOK;
    ok.kind = ControlKind::DefaultButton;
    ok.text = "OK";
    ok.width = kButtonWidth;
    ok.height = kButtonHeight;
    ControlTemplate cancel = ok;
    cancel.id = IDCANCEL;
    cancel.kind = ControlKind::Button;
    cancel.text = "Cancel";
    frame.controls = {ok, cancel};
    return frame;
}

RECT dialog_units(HWND dialog, int width, int height) {
    RECT r{0, 0, width, height};
    MapDialogRect(dialog, &r);
    return r;
}

}  // namespace

Win32SheetWindow::Win32SheetWindow(Sheet& sheet, dialog::Win32DialogHost& host, HWND owner)
    : sheet_(sheet), host_(host), owner_(owner), pages_(static_cast<std::size_t>(sheet.page_count())) {
    dialog::init_common_controls();
    if (!create_frame()) return;
    // The pages' dialogs open over the sheet.
    host_.push_parent(frame_);
    select(sheet_.current());
    if (shown_ < 0) {
        // Not even the first page could be made: there is no sheet to show.
        host_.pop_parent();
        pages_.clear();
        SetWindowLongPtrW(frame_, DWLP_USER, 0);
        DestroyWindow(frame_);
        frame_ = nullptr;
    }
}

Win32SheetWindow::~Win32SheetWindow() {
    if (!frame_) return;
    host_.pop_parent();
    pages_.clear();  // each page destroys its own window first
    SetWindowLongPtrW(frame_, DWLP_USER, 0);
    DestroyWindow(frame_);
}

dialog::Win32BoundDialog* Win32SheetWindow::page_window(int index) const {
    if (index < 0 || index >= static_cast<int>(pages_.size())) return nullptr;
    return pages_[static_cast<std::size_t>(index)].get();
}

bool Win32SheetWindow::create_frame() {
    const DialogTemplate tmpl = frame_template(sheet_);
    const dialog::DlgTemplateBytes bytes = dialog::serialize_dlgtemplate_ex(tmpl, {dialog::DlgTemplateRole::Modal});
    SetLastError(0);
    frame_ = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(bytes.data()),
                                        owner_, &Win32SheetWindow::frame_proc, reinterpret_cast<LPARAM>(this));
    if (!frame_) {
        failure_ = "Windows refused the editor's window (error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    tabs_ = CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS, 0, 0,
                            100, 100, frame_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kTabsId)),
                            GetModuleHandleW(nullptr), nullptr);
    if (!tabs_) {
        failure_ = "Windows refused the editor's tab control (error " + std::to_string(GetLastError()) + ")";
        DestroyWindow(frame_);
        frame_ = nullptr;
        return false;
    }
    SendMessageW(tabs_, WM_SETFONT, SendMessageW(frame_, WM_GETFONT, 0, 0), FALSE);
    for (int i = 0; i < sheet_.page_count(); ++i) {
        std::wstring caption = win32::dialog_text_to_wide(sheet_.tab(i));
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = caption.data();
        SendMessageW(tabs_, TCM_INSERTITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    }
    // Tab order follows the windows' order: the page on top, then OK and
    // Cancel, the tab strip last. The strip lies under the pages and clips
    // them out of its painting.
    SetWindowPos(tabs_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    lay_out();
    return true;
}

void Win32SheetWindow::lay_out() {
    // The page area holds the largest page; all pages use the sheet's font.
    LONG page_width = 0, page_height = 0;
    for (int i = 0; i < sheet_.page_count(); ++i) {
        const DialogTemplate& t = sheet_.page(i).dialog_template();
        const RECT r = dialog_units(frame_, t.width, t.height);
        page_width = std::max(page_width, r.right);
        page_height = std::max(page_height, r.bottom);
    }
    const RECT margin = dialog_units(frame_, kMargin, kMargin);
    const RECT gap = dialog_units(frame_, kButtonGap, kButtonGap);
    const RECT button = dialog_units(frame_, kButtonWidth, kButtonHeight);

    // The tab control's size for that display area (it adds the strip and border).
    RECT strip{0, 0, page_width, page_height};
    SendMessageW(tabs_, TCM_ADJUSTRECT, TRUE, reinterpret_cast<LPARAM>(&strip));
    const LONG tabs_width = strip.right - strip.left, tabs_height = strip.bottom - strip.top;
    SetWindowPos(tabs_, nullptr, margin.right, margin.bottom, tabs_width, tabs_height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    page_area_ = {margin.right - strip.left, margin.bottom - strip.top, margin.right - strip.left + page_width,
                  margin.bottom - strip.top + page_height};

    const LONG client_width = tabs_width + 2 * margin.right;
    const LONG buttons_top = margin.bottom + tabs_height + gap.bottom;
    const LONG client_height = buttons_top + button.bottom + margin.bottom;
    const LONG cancel_left = client_width - margin.right - button.right;
    SetWindowPos(GetDlgItem(frame_, IDCANCEL), nullptr, cancel_left, buttons_top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(GetDlgItem(frame_, IDOK), nullptr, cancel_left - gap.right - button.right, buttons_top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

    RECT outer{0, 0, client_width, client_height};
    AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongW(frame_, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongW(frame_, GWL_EXSTYLE)));
    const SIZE size{outer.right - outer.left, outer.bottom - outer.top};
    // Beside the terminal, so the user sees the form change as OK restarts it.
    const POINT place = win32_place_beside(owner_, size);
    SetWindowPos(frame_, nullptr, place.x, place.y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32SheetWindow::select(int index) {
    if (!frame_ || finished_ || index < 0 || index >= sheet_.page_count()) return;
    // The page's logic is initialised on its first showing, before its
    // window exists, so the window starts with the page's values.
    sheet_.show(index);
    std::unique_ptr<Win32BoundDialog>& page = pages_[static_cast<std::size_t>(index)];
    if (!page) {
        auto made = std::make_unique<Win32BoundDialog>(sheet_.page(index), Win32BoundDialog::Role::Page, frame_);
        if (!made->hwnd()) {
            failure_ = made->failure();
            if (shown_ >= 0) {
                MessageBoxW(frame_, widen_utf8(failure_).c_str(), L"Application Template", MB_OK | MB_ICONERROR);
                SendMessageW(tabs_, TCM_SETCURSEL, static_cast<WPARAM>(shown_), 0);
            }
            return;
        }
        // Every page fills the page area, so a smaller one shows no seam.
        SetWindowPos(made->hwnd(), HWND_TOP, page_area_.left, page_area_.top, page_area_.right - page_area_.left,
                     page_area_.bottom - page_area_.top, SWP_NOACTIVATE);
        page = std::move(made);
    }
    if (shown_ != index && shown_ >= 0 && pages_[static_cast<std::size_t>(shown_)]) {
        HWND old = pages_[static_cast<std::size_t>(shown_)]->hwnd();
        // The focus leaves a page that goes out of sight for the tab strip.
        HWND focus = GetFocus();
        if (focus && (focus == old || IsChild(old, focus))) SetFocus(tabs_);
        ShowWindow(old, SW_HIDE);
    }
    shown_ = index;
    if (SendMessageW(tabs_, TCM_GETCURSEL, 0, 0) != index)
        SendMessageW(tabs_, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
    // Another page's OK-time work may have changed what this one shows.
    page->sync();
    ShowWindow(page->hwnd(), SW_SHOW);
}

INT_PTR CALLBACK Win32SheetWindow::frame_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(hwnd, DWLP_USER, lparam);
        return FALSE;  // the focus goes to the page once it exists
    }
    auto* self = reinterpret_cast<Win32SheetWindow*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    return self ? self->handle(message, wparam, lparam) : FALSE;
}

INT_PTR Win32SheetWindow::handle(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_COMMAND:
        // OK and Cancel, also sent for Enter and Escape by the dialog manager.
        if ((LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL) && HIWORD(wparam) == BN_CLICKED) {
            close(LOWORD(wparam) == IDOK);
            return TRUE;
        }
        return FALSE;
    case WM_CLOSE:
        close(false);
        return TRUE;
    case WM_NOTIFY: {
        const auto* note = reinterpret_cast<const NMHDR*>(lparam);
        if (note->hwndFrom == tabs_ && note->code == TCN_SELCHANGE) {
            select(static_cast<int>(SendMessageW(tabs_, TCM_GETCURSEL, 0, 0)));
            return TRUE;
        }
        return FALSE;
    }
    default:
        return FALSE;
    }
}

void Win32SheetWindow::close(bool ok) {
    if (finished_) return;
    finished_ = true;
    // The toolkit-free sheet decides what OK commits: every shown page, once, in page order.
    if (ok) sheet_.ok();
    else sheet_.cancel();
}

bool Win32SheetWindow::page_switch_key(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || GetKeyState(VK_CONTROL) >= 0) return false;
    if (msg.hwnd != frame_ && !IsChild(frame_, msg.hwnd)) return false;
    int step = 0;
    if (msg.wParam == VK_TAB) step = GetKeyState(VK_SHIFT) < 0 ? -1 : 1;
    else if (msg.wParam == VK_NEXT) step = 1;
    else if (msg.wParam == VK_PRIOR) step = -1;
    else return false;
    const int count = sheet_.page_count();
    if (count == 0 || shown_ < 0) return false;
    select((shown_ + step + count) % count);
    return true;
}

void Win32SheetWindow::run() {
    if (!frame_) return;
    // Modal over the owner: it takes no input while the sheet is up.
    const bool disable_owner = owner_ && IsWindowEnabled(owner_);
    if (disable_owner) EnableWindow(owner_, FALSE);
    ShowWindow(frame_, SW_SHOW);
    SendMessageW(frame_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetNextDlgTabItem(frame_, nullptr, FALSE)), TRUE);
    MSG msg;
    while (!finished_) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1) {
            // The program is quitting: the sheet ends cancelled and the
            // program's own loop still sees the quit.
            if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
            close(false);
            break;
        }
        if (page_switch_key(msg)) continue;
        if (IsDialogMessageW(frame_, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    // Enabled again before the sheet goes, so the owner gets the activation back.
    if (disable_owner) EnableWindow(owner_, TRUE);
    ShowWindow(frame_, SW_HIDE);
}

bool run_editor_window(HWND owner, TemplateDocument& doc, SimulatorHooks hooks) {
    // The nested dialogs centre on the sheet (or the dialog they come from).
    Win32DialogPlacement placement(owner);
    dialog::Win32DialogHost host(owner);
    EditorContext context(doc, host, std::move(hooks));
    Sheet sheet(context);
    Win32SheetWindow window(sheet, host, owner);
    if (!window.hwnd()) {
        MessageBoxW(owner, widen_utf8(window.failure()).c_str(), L"Application Template", MB_OK | MB_ICONERROR);
        return false;
    }
    window.run();
    return sheet.accepted();
}

}  // namespace kolibra::editor
