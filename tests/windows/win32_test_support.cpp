#include "tests/windows/win32_test_support.h"

#include <gtest/gtest.h>

#include <cwctype>

namespace kolibra::dialog {

std::wstring lower(std::wstring s) {
    for (wchar_t& c : s) c = static_cast<wchar_t>(std::towlower(c));
    return s;
}

std::wstring class_of(HWND hwnd) {
    wchar_t name[64] = {};
    GetClassNameW(hwnd, name, 64);
    return lower(name);
}

std::wstring text_of(HWND hwnd) {
    wchar_t text[512] = {};
    GetWindowTextW(hwnd, text, 512);
    return text;
}

std::wstring widen(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

SIZE base_units(HWND dialog) {
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
    HDC dc = GetDC(dialog);
    HGDIOBJ old = SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT));
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    SIZE letters{};
    const wchar_t alphabet[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    GetTextExtentPoint32W(dc, alphabet, 52, &letters);
    SelectObject(dc, old);
    ReleaseDC(dialog, dc);
    return {(letters.cx / 26 + 1) / 2, tm.tmHeight};
}

RECT rect_in_dialog(HWND dialog, HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::wstring expected_class(ControlKind kind) {
    switch (kind) {
    case ControlKind::Label:
    case ControlKind::CenteredLabel:
    case ControlKind::RightLabel:
    case ControlKind::Icon: return L"static";
    case ControlKind::Edit: return L"edit";
    case ControlKind::DropDownList:
    case ControlKind::DropDownEdit: return L"combobox";
    case ControlKind::ListBox: return L"listbox";
    case ControlKind::ProgressBar: return L"msctls_progress32";
    default: return L"button";
    }
}

void expect_dialog_matches_template(const DialogTemplate& tmpl, Win32BoundDialog::Role role,
                                    HWND parent) {
    SCOPED_TRACE(tmpl.name);
    DialogLogic logic(tmpl);
    logic.open();
    Win32BoundDialog bound(logic, role, parent);
    ASSERT_NE(bound.hwnd(), nullptr) << bound.failure();
    HWND dlg = bound.hwnd();
    if (role == Win32BoundDialog::Role::Modal) {
        EXPECT_EQ(text_of(dlg), widen(tmpl.caption));
    }

    // A template without a font has Windows' system font (no font set).
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(dlg, WM_GETFONT, 0, 0));
    if (tmpl.font_face.empty()) {
        EXPECT_EQ(font, nullptr);
    } else {
        ASSERT_NE(font, nullptr);
        LOGFONTW lf{};
        GetObjectW(font, sizeof lf, &lf);
        EXPECT_EQ(std::wstring(lf.lfFaceName), widen(tmpl.font_face));
    }

    const SIZE base = base_units(dlg);
    ASSERT_GT(base.cx, 0);
    ASSERT_GT(base.cy, 0);
    RECT client{};
    GetClientRect(dlg, &client);
    EXPECT_EQ(client.right, MulDiv(tmpl.width, base.cx, 4));
    EXPECT_EQ(client.bottom, MulDiv(tmpl.height, base.cy, 8));

    HWND child = GetWindow(dlg, GW_CHILD);
    for (const ControlTemplate& c : tmpl.controls) {
        SCOPED_TRACE("control " + std::to_string(c.id) + " \"" + c.text + "\"");
        ASSERT_NE(child, nullptr) << "fewer windows than controls";
        EXPECT_EQ(GetDlgCtrlID(child), c.id);
        EXPECT_EQ(class_of(child), expected_class(c.kind));
        const RECT r = rect_in_dialog(dlg, child);
        EXPECT_EQ(r.left, MulDiv(c.x, base.cx, 4));
        EXPECT_EQ(r.top, MulDiv(c.y, base.cy, 8));
        EXPECT_EQ(r.right - r.left, MulDiv(c.width, base.cx, 4));
        const int height = MulDiv(c.height, base.cy, 8);
        if (c.kind == ControlKind::DropDownList || c.kind == ControlKind::DropDownEdit) {
            EXPECT_GT(r.bottom - r.top, 0);
            EXPECT_LE(r.bottom - r.top, height);
        } else {
            EXPECT_EQ(r.bottom - r.top, height);
        }
        const bool titled = !is_list(c.kind) && c.kind != ControlKind::Icon &&
                            c.kind != ControlKind::ProgressBar;
        if (titled) {
            EXPECT_EQ(text_of(child), widen(c.text));
        }
        EXPECT_EQ(IsWindowEnabled(child) != FALSE, !(c.flags & kControlDisabled));
        child = GetWindow(child, GW_HWNDNEXT);
    }
    EXPECT_EQ(child, nullptr) << "more windows than controls";
}

bool play_steps(const std::wstring& caption, std::vector<Step> steps, const std::function<void()>& run) {
    struct Play {
        std::vector<Step> steps;
        std::wstring caption;
        int ticks = 0;
    };
    static Play* play = nullptr;
    Play current{std::move(steps), caption};
    Play* outer = play;
    play = &current;
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR, DWORD) {
        HWND active = GetActiveWindow();
        if (++play->ticks > 100) {
            if (active) PostMessageW(active, WM_CLOSE, 0, 0);
            return;
        }
        if (play->steps.empty() || !active || text_of(active) != play->caption) return;
        auto step = play->steps.front();
        play->steps.erase(play->steps.begin());
        step(active);
    });
    run();
    KillTimer(nullptr, timer);
    play = outer;
    return current.ticks > 100;
}

int run_with_steps(DialogLogic& dialog, std::vector<Step> steps, HACCEL accelerators, bool* timed_out,
                   Win32DialogHost* shared_host) {
    Win32DialogHost own_host;
    Win32DialogHost& host = shared_host ? *shared_host : own_host;
    host.set_accelerators(accelerators);
    int result = kResultCancel;
    const bool late = play_steps(widen(dialog.dialog_template().caption), std::move(steps),
                                 [&] { result = host.run_modal(dialog); });
    if (timed_out) *timed_out = late;
    return result;
}

void post_key(HWND dialog, UINT key) {
    HWND target = GetFocus() ? GetFocus() : dialog;
    PostMessageW(target, WM_KEYDOWN, key, 0);
    PostMessageW(target, WM_KEYUP, key, 0xC0000000);
}

}  // namespace kolibra::dialog
