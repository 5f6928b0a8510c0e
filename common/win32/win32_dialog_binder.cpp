#include "common/win32/win32_dialog_binder.h"

#include "common/dialog/dlgtemplate_ex.h"
#include "common/names_win32.h"
#include "common/win32/win32_text.h"

#include <commctrl.h>

namespace kolibra::dialog {

namespace {

using win32::dialog_text_from_wide;
using win32::dialog_text_to_wide;
using win32::window_text;

// WM_COMMAND's notification code for a command from an accelerator key.
constexpr int kAcceleratorCode = 1;

// The icon a template's icon control shows: the program's own first icon,
// else Windows' information icon (as the Qt face falls back to).
HICON dialog_icon() {
    if (HICON own = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1))) return own;
    return LoadIconW(nullptr, IDI_INFORMATION);
}

// The messages that fill and select a list: combo boxes and list boxes
// take the same ones under other numbers.
struct ListMessages {
    UINT reset, add, get_selection, set_selection;
};
constexpr ListMessages kComboMessages{CB_RESETCONTENT, CB_ADDSTRING, CB_GETCURSEL, CB_SETCURSEL};
constexpr ListMessages kListBoxMessages{LB_RESETCONTENT, LB_ADDSTRING, LB_GETCURSEL, LB_SETCURSEL};

void set_text_if_different(HWND hwnd, const std::string& bytes) {
    const std::wstring wanted = dialog_text_to_wide(bytes);
    if (window_text(hwnd) != wanted) SetWindowTextW(hwnd, wanted.c_str());
}

// Refills the list when its entries changed, then selects as the state says.
void mirror_list(HWND w, const ControlState& c, unsigned& entries_revision, const ListMessages& m) {
    if (entries_revision != c.entries_revision) {
        entries_revision = c.entries_revision;
        SendMessageW(w, m.reset, 0, 0);
        for (const std::string& entry : c.entries)
            SendMessageW(w, m.add, 0, reinterpret_cast<LPARAM>(dialog_text_to_wide(entry).c_str()));
    }
    if (SendMessageW(w, m.get_selection, 0, 0) != c.selection)
        SendMessageW(w, m.set_selection, static_cast<WPARAM>(c.selection), 0);
}

}  // namespace

void init_common_controls() {
    static const bool done = [] {
        INITCOMMONCONTROLSEX init{};
        init.dwSize = sizeof init;
        init.dwICC = ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS | ICC_WIN95_CLASSES;
        return InitCommonControlsEx(&init) != FALSE;
    }();
    (void)done;
}

Win32BoundDialog::Win32BoundDialog(DialogLogic& logic, Role role, HWND parent)
    : logic_(logic), role_(role) {
    init_common_controls();
    const DlgTemplateBytes bytes = serialize_dlgtemplate_ex(
        logic.dialog_template(), {role == Role::Page ? DlgTemplateRole::Page : DlgTemplateRole::Modal});
    writing_ = true;  // creation may notify; nothing is the user's yet
    SetLastError(0);
    HWND hwnd = CreateDialogIndirectParamW(GetModuleHandleW(nullptr),
                                           reinterpret_cast<LPCDLGTEMPLATEW>(bytes.data()), parent,
                                           &Win32BoundDialog::dialog_proc, reinterpret_cast<LPARAM>(this));
    if (!hwnd) {
        failure_ = "Windows refused the dialog " + logic.dialog_template().name + " (error " +
                   std::to_string(GetLastError()) + ")";
        writing_ = false;
        return;
    }
    hwnd_ = hwnd;
    if (!bind_controls()) {
        SetWindowLongPtrW(hwnd_, DWLP_USER, 0);
        DestroyWindow(hwnd_);
        hwnd_ = nullptr;
        writing_ = false;
        return;
    }
    writing_ = false;
    sync();
    if (role_ == Role::Page) ShowWindow(hwnd_, SW_SHOW);
}

Win32BoundDialog::~Win32BoundDialog() {
    if (!hwnd_) return;
    // No message reaches this object while the window goes.
    SetWindowLongPtrW(hwnd_, DWLP_USER, 0);
    DestroyWindow(hwnd_);
}

bool Win32BoundDialog::bind_controls() {
    const DialogTemplate& tmpl = logic_.dialog_template();
    // The children come in template order; icon controls get their picture here.
    HWND child = GetWindow(hwnd_, GW_CHILD);
    for (const ControlTemplate& c : tmpl.controls) {
        if (!child) break;
        if (c.kind == ControlKind::Icon)
            SendMessageW(child, STM_SETICON, reinterpret_cast<WPARAM>(dialog_icon()), 0);
        child = GetWindow(child, GW_HWNDNEXT);
    }
    for (const ControlState& c : logic_.state().controls()) {
        HWND control = GetDlgItem(hwnd_, c.id);
        if (!control) {
            failure_ = "dialog " + tmpl.name + ": no window for control " + std::to_string(c.id);
            return false;
        }
        Bound& b = bound_[c.id];
        b.hwnd = control;
        b.kind = c.kind;
    }
    return true;
}

HWND Win32BoundDialog::control(int id) const {
    auto it = bound_.find(id);
    return it == bound_.end() ? nullptr : it->second.hwnd;
}

INT_PTR CALLBACK Win32BoundDialog::dialog_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(hwnd, DWLP_USER, lparam);
        return TRUE;  // the first tab stop gets the focus
    }
    auto* self = reinterpret_cast<Win32BoundDialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    return self ? self->handle(message, wparam, lparam) : FALSE;
}

INT_PTR Win32BoundDialog::handle(UINT message, WPARAM wparam, LPARAM) {
    switch (message) {
    case WM_COMMAND:
        if (!writing_) on_command(LOWORD(wparam), HIWORD(wparam));
        return TRUE;
    case WM_CLOSE:
        if (role_ == Role::Modal) close_with(IDCANCEL);
        return TRUE;
    default:
        return FALSE;
    }
}

void Win32BoundDialog::on_command(int id, int code) {
    // A button's click, or an accelerator key standing for it.
    const bool pressed = code == BN_CLICKED || code == kAcceleratorCode;
    // Buttons 1 and 2 of a modal dialog, also sent for Enter and Escape.
    if (role_ == Role::Modal && (id == IDOK || id == IDCANCEL) && pressed) {
        close_with(id);
        return;
    }
    auto it = bound_.find(id);
    if (it == bound_.end()) return;
    HWND control = it->second.hwnd;
    switch (it->second.kind) {
    case ControlKind::Edit:
        if (code != EN_CHANGE) return;
        logic_.user_text(id, dialog_text_from_wide(window_text(control)));
        break;
    case ControlKind::DropDownEdit:
        if (code == CBN_EDITCHANGE) {
            logic_.user_text(id, dialog_text_from_wide(window_text(control)));
        } else if (code == CBN_SELCHANGE) {
            // The box's text follows the chosen entry only after this
            // notification; the state takes the entry's text now.
            const int index = static_cast<int>(SendMessageW(control, CB_GETCURSEL, 0, 0));
            if (logic_.user_select(id, index).accepted)
                logic_.user_text(id, logic_.state().at(id).entries[static_cast<std::size_t>(index)]);
        } else {
            return;
        }
        break;
    case ControlKind::DropDownList:
        if (code != CBN_SELCHANGE) return;
        logic_.user_select(id, static_cast<int>(SendMessageW(control, CB_GETCURSEL, 0, 0)));
        break;
    case ControlKind::ListBox:
        if (code != LBN_SELCHANGE) return;
        logic_.user_select(id, static_cast<int>(SendMessageW(control, LB_GETCURSEL, 0, 0)));
        break;
    case ControlKind::RadioButton:
        // Windows also reports the button that loses its check.
        if (code != BN_CLICKED || SendMessageW(control, BM_GETCHECK, 0, 0) != BST_CHECKED) return;
        logic_.user_click(id);
        break;
    case ControlKind::Button:
    case ControlKind::DefaultButton:
        if (!pressed) return;
        logic_.user_click(id);
        break;
    case ControlKind::CheckBox:
        if (code != BN_CLICKED) return;
        logic_.user_click(id);
        break;
    default:
        return;
    }
    after_event(id);
}

void Win32BoundDialog::close_with(int button) {
    if (!logic_.closed()) {
        if (!logic_.user_click(button).accepted) {
            // A dialog without that button (or with it disabled) still
            // closes on Escape; Enter without an OK button does nothing.
            if (button == IDCANCEL) finish(kResultCancel);
            return;
        }
    }
    after_event(button);
}

void Win32BoundDialog::after_event(int id) {
    if (!hwnd_) return;
    auto it = bound_.find(id);
    if (it != bound_.end()) {
        if (const ControlState* c = logic_.state().find(id)) mirror(*c, it->second, true);
    }
    sync();
    if (role_ == Role::Modal && logic_.closed()) finish(logic_.result());
}

void Win32BoundDialog::finish(int result) {
    finished_ = true;
    result_ = result;
}

void Win32BoundDialog::sync() {
    if (!hwnd_) return;
    for (const ControlState& c : logic_.state().controls()) {
        auto it = bound_.find(c.id);
        if (it != bound_.end()) mirror(c, it->second, false);
    }
}

void Win32BoundDialog::mirror(const ControlState& c, Bound& b, bool force) {
    if (!force && b.revision == c.revision) return;
    b.revision = c.revision;
    const bool was_writing = writing_;
    writing_ = true;
    HWND w = b.hwnd;
    if ((IsWindowEnabled(w) != FALSE) != c.enabled) EnableWindow(w, c.enabled ? TRUE : FALSE);
    switch (c.kind) {
    case ControlKind::Edit:
        if (window_text(w) != dialog_text_to_wide(c.text)) {
            SetWindowTextW(w, dialog_text_to_wide(c.text).c_str());
            // A corrected entry keeps the caret at its end, where typing goes on.
            SendMessageW(w, EM_SETSEL, static_cast<WPARAM>(c.text.size()), static_cast<LPARAM>(c.text.size()));
        }
        break;
    case ControlKind::DropDownList:
    case ControlKind::DropDownEdit:
        mirror_list(w, c, b.entries_revision, kComboMessages);
        if (c.kind == ControlKind::DropDownEdit) set_text_if_different(w, c.text);
        break;
    case ControlKind::ListBox:
        mirror_list(w, c, b.entries_revision, kListBoxMessages);
        break;
    case ControlKind::CheckBox:
    case ControlKind::RadioButton: {
        const WPARAM wanted = c.checked ? BST_CHECKED : BST_UNCHECKED;
        if (static_cast<WPARAM>(SendMessageW(w, BM_GETCHECK, 0, 0)) != wanted)
            SendMessageW(w, BM_SETCHECK, wanted, 0);
        set_text_if_different(w, c.text);
        break;
    }
    case ControlKind::Label:
    case ControlKind::CenteredLabel:
    case ControlKind::RightLabel:
    case ControlKind::Button:
    case ControlKind::DefaultButton:
    case ControlKind::GroupBox:
        set_text_if_different(w, c.text);
        break;
    case ControlKind::Icon:
    case ControlKind::ProgressBar:
        break;
    }
    writing_ = was_writing;
}

void Win32BoundDialog::run_loop(HACCEL accelerators) {
    MSG msg;
    while (!finished_ && hwnd_) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1) {
            // The program is quitting: the dialog ends cancelled and the
            // program's own loop still sees the quit.
            if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
            finish(kResultCancel);
            break;
        }
        if (accelerators && TranslateAcceleratorW(hwnd_, accelerators, &msg)) continue;
        if (IsDialogMessageW(hwnd_, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

int Win32DialogHost::run_modal(DialogLogic& dialog) {
    dialog.open();
    HWND owner = parents_.back();
    Win32BoundDialog window(dialog, Win32BoundDialog::Role::Modal, owner);
    if (!window.hwnd()) {
        const std::wstring text = widen_utf8(window.failure());
        MessageBoxW(owner, text.c_str(), L"Dialog", MB_OK | MB_ICONERROR);
        return kResultCancel;
    }
    // Modal over the owner: it takes no input while the dialog is up.
    const bool disable_owner = owner && IsWindowEnabled(owner);
    if (disable_owner) EnableWindow(owner, FALSE);
    ShowWindow(window.hwnd(), SW_SHOW);
    push_parent(window.hwnd());
    window.run_loop(accelerators_);
    pop_parent();
    // Enabled again before the dialog goes, so the owner gets the activation back.
    if (disable_owner) EnableWindow(owner, TRUE);
    return dialog.closed() ? dialog.result() : kResultCancel;
}

}  // namespace kolibra::dialog
