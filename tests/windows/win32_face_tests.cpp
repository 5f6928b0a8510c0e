// The Win32 face in-process under Wine with a display: dialogs built from the
// programs' templates (classes, rectangles from dialog units, font, texts),
// the binder's round trip per control kind, the modal loop's keys, and the
// services behind their interfaces (no modal box or file dialog is shown:
// those are reached through injected functions).
#include "common/dialog/dialog_logic.h"
#include "common/win32/win32_dialog_binder.h"
#include "common/win32/win32_file_picker.h"
#include "common/win32/win32_message_pump.h"
#include "common/win32/win32_progress.h"
#include "common/win32/win32_prompter.h"
#include "common/win32/win32_receive_count_view.h"
#include "common/win32/win32_wait_notice.h"
#include "tests/windows/win32_test_support.h"
#include "resources/embedded_scripts.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>
#include <cwctype>
#include <functional>
#include <string>
#include <vector>

namespace kolibra::dialog {
namespace {

const ResourceSet& all_resources() {
    static const ResourceSet set = [] {
        ResourceSet s;
        std::string error;
        for (std::string_view script : {tgen_resource_script(), editor_resource_script(),
                                        editor_pages_resource_script(), irfetch_resource_script(),
                                        lkpsend_resource_script()}) {
            if (!parse_resource_script(script, s, error)) ADD_FAILURE() << error;
        }
        return s;
    }();
    return set;
}

const DialogTemplate& dialog_named(const char* name) {
    const DialogTemplate* t = all_resources().dialog(name);
    if (!t) {
        ADD_FAILURE() << "no template " << name;
        static const DialogTemplate empty;
        return empty;
    }
    return *t;
}

TEST(Win32Dialogs, CommonControls6AreLoadedThroughTheManifest) {
    init_common_controls();
    HMODULE comctl = GetModuleHandleW(L"comctl32.dll");
    ASSERT_NE(comctl, nullptr);
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(comctl, path, MAX_PATH);
    EXPECT_NE(lower(path).find(L"winsxs"), std::wstring::npos) << std::string(path, path + wcslen(path));
}

TEST(Win32Dialogs, EveryToolDialogAndASampleOfTgenAreBuiltAsTheirTemplatesSay) {
    for (const char* name : {"PropertiesDlg", "ComPropertiesDlg", "ProgressDlg", "ComSettingDlg",
                             "AboutBox", "FORMDLG", "Interleave25Dlg", "SETTINGSDLG", "LOOKUPDLG"}) {
        expect_dialog_matches_template(dialog_named(name), Win32BoundDialog::Role::Modal, nullptr);
    }
}

TEST(Win32Dialogs, EveryTextOfTheToolsDialogsFitsItsControl) {
    // Measured in the dialog's own font as the controls draw it: labels wrap
    // within their height, buttons and boxes keep one line beside the box.
    for (const char* name : {"PropertiesDlg", "ComPropertiesDlg", "ProgressDlg", "ComSettingDlg", "AboutBox"}) {
        const DialogTemplate& tmpl = dialog_named(name);
        SCOPED_TRACE(tmpl.name);
        DialogLogic logic(tmpl);
        Win32BoundDialog bound(logic, Win32BoundDialog::Role::Modal, nullptr);
        ASSERT_NE(bound.hwnd(), nullptr) << bound.failure();
        HDC dc = GetDC(bound.hwnd());
        HFONT font = reinterpret_cast<HFONT>(SendMessageW(bound.hwnd(), WM_GETFONT, 0, 0));
        HGDIOBJ old = SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT));
        HWND child = GetWindow(bound.hwnd(), GW_CHILD);
        for (const ControlTemplate& c : tmpl.controls) {
            RECT r{};
            GetClientRect(child, &r);
            const std::wstring text = widen(c.text);
            child = GetWindow(child, GW_HWNDNEXT);
            if (text.empty()) continue;
            RECT need{0, 0, r.right, 0};
            switch (c.kind) {
            case ControlKind::Label:
            case ControlKind::CenteredLabel:
            case ControlKind::RightLabel:
                DrawTextW(dc, text.c_str(), -1, &need, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS);
                EXPECT_LE(need.bottom, r.bottom) << c.text << " wraps below its label";
                EXPECT_LE(need.right, r.right) << c.text;
                break;
            case ControlKind::CheckBox:
            case ControlKind::RadioButton:
                DrawTextW(dc, text.c_str(), -1, &need, DT_CALCRECT | DT_SINGLELINE);
                EXPECT_LE(need.right + GetSystemMetrics(SM_CXMENUCHECK) + 4, r.right) << c.text;
                break;
            case ControlKind::Button:
            case ControlKind::DefaultButton:
                DrawTextW(dc, text.c_str(), -1, &need, DT_CALCRECT | DT_SINGLELINE);
                EXPECT_LE(need.right + 4, r.right) << c.text;
                break;
            default:
                break;
            }
        }
        SelectObject(dc, old);
        ReleaseDC(bound.hwnd(), dc);
    }
}

TEST(Win32Dialogs, APageIsAChildOfItsSheetWithoutCaption) {
    HWND sheet = CreateWindowExW(0, L"STATIC", L"sheet", WS_OVERLAPPEDWINDOW, 0, 0, 800, 600,
                                 nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(sheet, nullptr);
    for (const char* name : {"MENUDLG", "WelcomePageDlg"}) {
        expect_dialog_matches_template(dialog_named(name), Win32BoundDialog::Role::Page, sheet);
    }
    DialogLogic logic(dialog_named("MENUDLG"));
    Win32BoundDialog page(logic, Win32BoundDialog::Role::Page, sheet);
    ASSERT_NE(page.hwnd(), nullptr);
    EXPECT_EQ(GetParent(page.hwnd()), sheet);
    const LONG style = GetWindowLongW(page.hwnd(), GWL_STYLE);
    EXPECT_TRUE(style & WS_CHILD);
    EXPECT_FALSE(style & WS_CAPTION);
    EXPECT_TRUE(style & WS_VISIBLE);
    DestroyWindow(sheet);
}

// A dialog with one control of each kind the logic drives.
DialogTemplate every_kind_template() {
    const char* script =
        "dialog EveryKind 200 160\n"
        "  caption \"Every kind\"\n"
        "  font 8 \"Helv\"\n"
        "  edit     10 \"\"        8   8 80 12\n"
        "  droplist 11 \"\"        8  24 80 60\n"
        "  dropedit 12 \"\"        8  40 80 60\n"
        "  list     13 \"\"        8  56 80 30\n"
        "  check    14 \"Check\"   100 8 60 12\n"
        "  radio    15 \"One\"     100 24 60 12\n"
        "  radio    16 \"Two\"     100 40 60 12\n"
        "  button   17 \"Press\"   100 56 60 14\n"
        "  label    18 \"Label\"   100 76 60 12\n"
        "  default  1  \"OK\"      40 130 40 14\n"
        "  button   2  \"Cancel\"  120 130 40 14\n"
        "end\n";
    ResourceSet set;
    std::string error;
    EXPECT_TRUE(parse_resource_script(script, set, error)) << error;
    return set.dialogs.at(0);
}

// A logic that records the user's events and lets the test change the state
// as a dialog's rules would.
class RecordingLogic : public DialogLogic {
public:
    using DialogLogic::DialogLogic;
    std::vector<std::string> events;
    std::function<void()> on_open;

    void put_text(int id, const std::string& t) { set_text(id, t); }
    void put_entries(int id, std::vector<std::string> e) { set_entries(id, std::move(e)); }
    void put_selection(int id, int index) { select(id, index); }
    void put_checked(int id, bool on) { set_checked(id, on); }
    void put_enabled(int id, bool on) { set_enabled(id, on); }

protected:
    void on_init() override {
        if (!state().find(11)) return;  // not the every-kind dialog
        put_entries(11, {"COM1", "COM2", "COM3"});
        put_entries(12, {"alpha", "beta"});
        put_entries(13, {"first", "second", "third"});
        if (on_open) on_open();
    }
    void on_text_changed(int id) override { events.push_back("text " + std::to_string(id) + " " + text(id)); }
    void on_clicked(int id) override { events.push_back("click " + std::to_string(id)); }
    void on_selected(int id) override {
        events.push_back("select " + std::to_string(id) + " " + std::to_string(selection(id)));
    }
    void on_ok() override { events.push_back("ok"); }
    void on_cancel() override { events.push_back("cancel"); }
};

TEST(Win32Binder, StateReachesEveryKindOfControlWithoutEchoingBack) {
    const DialogTemplate tmpl = every_kind_template();
    RecordingLogic logic(tmpl);
    logic.open();
    Win32BoundDialog bound(logic, Win32BoundDialog::Role::Modal, nullptr);
    ASSERT_NE(bound.hwnd(), nullptr) << bound.failure();

    logic.put_text(10, "K\xE4se \x80");  // bytes of code page 1252
    logic.put_selection(11, 2);
    logic.put_selection(13, 1);
    logic.put_checked(14, true);
    logic.put_checked(16, true);
    logic.put_text(17, "Pressed");
    logic.put_text(18, "New label");
    logic.put_enabled(17, false);
    logic.events.clear();
    const unsigned edit_revision = logic.state().at(10).revision;
    bound.sync();

    EXPECT_EQ(text_of(bound.control(10)), L"K\u00E4se \u20AC");
    EXPECT_EQ(SendMessageW(bound.control(11), CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessageW(bound.control(11), CB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(text_of(bound.control(11)), L"COM3");
    EXPECT_EQ(SendMessageW(bound.control(13), LB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(SendMessageW(bound.control(14), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageW(bound.control(15), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessageW(bound.control(16), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(text_of(bound.control(17)), L"Pressed");
    EXPECT_FALSE(IsWindowEnabled(bound.control(17)));
    EXPECT_EQ(text_of(bound.control(18)), L"New label");
    // The edit's EN_CHANGE from the binder's own write reached no one.
    EXPECT_TRUE(logic.events.empty()) << logic.events.front();
    EXPECT_EQ(logic.state().at(10).revision, edit_revision);
    EXPECT_FALSE(bound.finished());
}

TEST(Win32Binder, TheUsersInputBecomesTheLogicsEvents) {
    const DialogTemplate tmpl = every_kind_template();
    RecordingLogic logic(tmpl);
    logic.open();
    Win32BoundDialog bound(logic, Win32BoundDialog::Role::Modal, nullptr);
    ASSERT_NE(bound.hwnd(), nullptr) << bound.failure();
    ShowWindow(bound.hwnd(), SW_SHOW);

    // Typing into the edit box, one character at a time.
    SendMessageW(bound.control(10), WM_CHAR, L'a', 0);
    SendMessageW(bound.control(10), WM_CHAR, 0xE4, 0);
    EXPECT_EQ(logic.state().at(10).text, "a\xE4");
    // Arrow keys in the lists change their selection as a user's choice.
    SendMessageW(bound.control(11), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(logic.state().at(11).selection, 0);
    SendMessageW(bound.control(13), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(logic.state().at(13).selection, 0);
    // Choosing an entry of a drop-down with an edit box puts its text in the box.
    SendMessageW(bound.control(12), CB_SETCURSEL, 1, 0);
    SendMessageW(bound.hwnd(), WM_COMMAND, MAKEWPARAM(12, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(bound.control(12)));
    EXPECT_EQ(logic.state().at(12).selection, 1);
    EXPECT_EQ(logic.state().at(12).text, "beta");
    // Clicks: the check box toggles, the radio button takes the group's check.
    SendMessageW(bound.control(14), BM_CLICK, 0, 0);
    EXPECT_TRUE(logic.state().at(14).checked);
    SendMessageW(bound.control(16), BM_CLICK, 0, 0);
    EXPECT_TRUE(logic.state().at(16).checked);
    EXPECT_FALSE(logic.state().at(15).checked);
    // Windows' click for the radio button losing its check is not the user's.
    SendMessageW(bound.hwnd(), WM_COMMAND, MAKEWPARAM(15, BN_CLICKED),
                 reinterpret_cast<LPARAM>(bound.control(15)));
    EXPECT_TRUE(logic.state().at(16).checked);
    SendMessageW(bound.control(17), BM_CLICK, 0, 0);

    const std::vector<std::string> expected = {
        "text 10 a", "text 10 a\xE4", "select 11 0", "select 13 0", "select 12 1", "text 12 beta",
        "click 14", "click 16", "click 17"};
    EXPECT_EQ(logic.events, expected);
    // The check box and the radio buttons show what the state holds.
    EXPECT_EQ(SendMessageW(bound.control(14), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageW(bound.control(15), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_FALSE(bound.finished());

    SendMessageW(bound.control(1), BM_CLICK, 0, 0);
    EXPECT_TRUE(bound.finished());
    EXPECT_EQ(bound.result(), kResultOk);
    EXPECT_EQ(logic.events.back(), "ok");
}

TEST(Win32Binder, ARuleThatCorrectsAnEntryIsShownAtOnce) {
    // A rule that keeps the box to 3 characters: the fourth typed one goes.
    class Limited : public RecordingLogic {
    public:
        using RecordingLogic::RecordingLogic;

    protected:
        void on_text_changed(int id) override {
            if (id == 10 && text(10).size() > 3) put_text(10, text(10).substr(0, 3));
        }
    };
    const DialogTemplate tmpl = every_kind_template();
    Limited logic(tmpl);
    logic.open();
    Win32BoundDialog bound(logic, Win32BoundDialog::Role::Modal, nullptr);
    ASSERT_NE(bound.hwnd(), nullptr);
    for (wchar_t c : std::wstring(L"abcd")) SendMessageW(bound.control(10), WM_CHAR, c, 0);
    EXPECT_EQ(logic.state().at(10).text, "abc");
    EXPECT_EQ(text_of(bound.control(10)), L"abc");
}

TEST(Win32Host, EnterEscapeAndTheCloseBoxReachButtonsOneAndTwo) {
    const DialogTemplate tmpl = every_kind_template();
    struct Case {
        const char* what;
        std::function<void(HWND)> step;
        int result;
        const char* last_event;
    } cases[] = {
        {"Escape", [](HWND d) { post_key(d, VK_ESCAPE); }, kResultCancel, "cancel"},
        {"close box", [](HWND d) { PostMessageW(d, WM_CLOSE, 0, 0); }, kResultCancel, "cancel"},
        {"Enter", [](HWND d) { post_key(d, VK_RETURN); }, kResultOk, "ok"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RecordingLogic logic(tmpl);
        bool timed_out = false;
        EXPECT_EQ(run_with_steps(logic, {c.step}, nullptr, &timed_out), c.result);
        EXPECT_FALSE(timed_out);
        ASSERT_FALSE(logic.events.empty());
        EXPECT_EQ(logic.events.back(), c.last_event);
    }
}

TEST(Win32Host, EscapeClosesADialogWithoutCancelButtonAndAcceleratorsReachTheDialog) {
    DialogLogic about(dialog_named("AboutBox"));
    bool timed_out = false;
    EXPECT_EQ(run_with_steps(about, {[](HWND d) { post_key(d, VK_ESCAPE); }}, nullptr, &timed_out),
              kResultCancel);
    EXPECT_FALSE(timed_out);

    // F5 stands for button 17 in an accelerator table of the host's.
    ACCEL keys[] = {{FVIRTKEY, VK_F5, 17}};
    HACCEL table = CreateAcceleratorTableW(keys, 1);
    const DialogTemplate tmpl = every_kind_template();
    RecordingLogic logic(tmpl);
    EXPECT_EQ(run_with_steps(logic, {[](HWND d) { post_key(d, VK_F5); },
                                     [](HWND d) { post_key(d, VK_ESCAPE); }},
                             table, &timed_out),
              kResultCancel);
    EXPECT_FALSE(timed_out);
    DestroyAcceleratorTable(table);
    const std::vector<std::string> expected = {"click 17", "cancel"};
    EXPECT_EQ(logic.events, expected);
}

TEST(Win32Host, ADialogOpenedFromADialogIsOwnedByItAndTheOwnerWaits) {
    class Nested : public RecordingLogic {
    public:
        using RecordingLogic::RecordingLogic;
        std::function<void()> on_press;

    protected:
        void on_clicked(int id) override {
            RecordingLogic::on_clicked(id);
            if (id == 17 && on_press) on_press();
        }
    };
    const DialogTemplate tmpl = every_kind_template();
    Nested outer(tmpl);
    RecordingLogic inner(dialog_named("AboutBox"));
    Win32DialogHost host;
    HWND outer_window = nullptr, inner_owner = nullptr;
    bool outer_enabled_meanwhile = true;
    bool inner_timed_out = false;
    outer.on_press = [&] {
        outer_window = GetActiveWindow();
        // The same host opens the inner dialog, as a dialog's rule would.
        run_with_steps(inner,
                       {[&](HWND d) {
                            inner_owner = GetWindow(d, GW_OWNER);
                            outer_enabled_meanwhile = IsWindowEnabled(outer_window) != FALSE;
                            SendMessageW(GetDlgItem(d, 1), BM_CLICK, 0, 0);
                        }},
                       nullptr, &inner_timed_out, &host);
    };
    bool timed_out = false;
    run_with_steps(outer, {[](HWND d) { SendMessageW(GetDlgItem(d, 17), BM_CLICK, 0, 0); },
                           [](HWND d) { post_key(d, VK_ESCAPE); }},
                   nullptr, &timed_out, &host);
    EXPECT_FALSE(timed_out);
    EXPECT_FALSE(inner_timed_out);
    ASSERT_NE(outer_window, nullptr);
    EXPECT_EQ(inner_owner, outer_window);
    EXPECT_FALSE(outer_enabled_meanwhile);
    EXPECT_TRUE(IsWindow(outer_window) == FALSE);
    EXPECT_EQ(inner.events, std::vector<std::string>{"ok"});
    EXPECT_EQ(outer.events.back(), "cancel");
}

}  // namespace
}  // namespace kolibra::dialog

namespace kolibra {
namespace {

struct BoxCall {
    HWND owner = nullptr;
    std::wstring text, caption;
    UINT flags = 0;
};
BoxCall last_box;
int box_returns = IDOK;

int WINAPI recording_box(HWND owner, LPCWSTR text, LPCWSTR caption, UINT flags) {
    last_box = {owner, text, caption, flags};
    return box_returns;
}

TEST(Win32Prompter, ShowsTheCaptionIconAndButtonsAskedForAndReturnsTheChoice) {
    struct Case {
        Icon icon;
        Buttons buttons;
        UINT icon_flag, button_flag;
        int pressed;
        Answer answer;
    } cases[] = {
        {Icon::Information, Buttons::Ok, MB_ICONINFORMATION, MB_OK, IDOK, Answer::Ok},
        {Icon::Warning, Buttons::OkCancel, MB_ICONWARNING, MB_OKCANCEL, IDCANCEL, Answer::Cancel},
        {Icon::Error, Buttons::RetryCancel, MB_ICONERROR, MB_RETRYCANCEL, IDRETRY, Answer::Retry},
        {Icon::Question, Buttons::YesNo, MB_ICONQUESTION, MB_YESNO, IDNO, Answer::No},
        {Icon::Question, Buttons::YesNoCancel, MB_ICONQUESTION, MB_YESNOCANCEL, IDYES, Answer::Yes},
        {Icon::None, Buttons::YesNoCancel, 0, MB_YESNOCANCEL, IDCANCEL, Answer::Cancel},
        // A box that could not be shown answers as if closed.
        {Icon::Question, Buttons::YesNo, MB_ICONQUESTION, MB_YESNO, 0, Answer::No},
    };
    Win32Prompter prompter(nullptr, &recording_box);
    for (const Case& c : cases) {
        box_returns = c.pressed;
        EXPECT_EQ(prompter.ask("Datei K\xC3\xA4se.txt fehlt", "Download Lookup", c.icon, c.buttons), c.answer);
        EXPECT_EQ(last_box.text, L"Datei K\u00E4se.txt fehlt");
        EXPECT_EQ(last_box.caption, L"Download Lookup");
        EXPECT_EQ(last_box.flags & MB_ICONMASK, c.icon_flag);
        EXPECT_EQ(last_box.flags & MB_TYPEMASK, c.button_flag);
        EXPECT_EQ(last_box.flags & MB_MODEMASK, UINT(MB_TASKMODAL));
    }
    HWND owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    Win32Prompter owned(owner, &recording_box);
    owned.tell("x", "y", Icon::Information);
    EXPECT_EQ(last_box.owner, owner);
    EXPECT_EQ(last_box.flags & MB_MODEMASK, UINT(MB_APPLMODAL));
    DestroyWindow(owner);
}

struct DialogCall {
    std::wstring filter, start_folder, offered, extension;
    DWORD flags = 0, filter_index = 0;
    int calls = 0;
};
DialogCall last_dialog;
const wchar_t* dialog_answer = nullptr;

BOOL WINAPI recording_dialog(LPOPENFILENAMEW ofn) {
    ++last_dialog.calls;
    const wchar_t* f = ofn->lpstrFilter;
    last_dialog.filter.clear();
    if (f) {
        // Pairs of zero-ended texts, ended by an empty one.
        while (*f) {
            const std::wstring part(f);
            last_dialog.filter += part + L"|";
            f += part.size() + 1;
        }
    }
    last_dialog.start_folder = ofn->lpstrInitialDir ? ofn->lpstrInitialDir : L"";
    last_dialog.offered = ofn->lpstrFile;
    last_dialog.extension = ofn->lpstrDefExt ? ofn->lpstrDefExt : L"";
    last_dialog.flags = ofn->Flags;
    last_dialog.filter_index = ofn->nFilterIndex;
    if (!dialog_answer) return FALSE;
    wcsncpy(ofn->lpstrFile, dialog_answer, ofn->nMaxFile);
    return TRUE;
}

TEST(Win32FilePicker, PassesFiltersFolderNameAndChecksAndReturnsTheChosenPath) {
    Win32FilePicker picker(nullptr, &recording_dialog, &recording_dialog);
    FileDialogRequest open;
    open.filters = {{"Lookup data files {*.TXT}", "*.TXT"}, {"All files (*.*)", "*.*"}};
    open.start_folder = "C:\\data\\M\xC3\xBC" "ller";
    open.must_exist = true;
    dialog_answer = L"C:\\data\\M\u00FCller\\items.txt";
    EXPECT_EQ(picker.choose_open(open), std::optional<std::string>("C:\\data\\M\xC3\xBCller\\items.txt"));
    EXPECT_EQ(last_dialog.filter, L"Lookup data files {*.TXT}|*.TXT|All files (*.*)|*.*|");
    EXPECT_EQ(last_dialog.filter_index, 1u);
    EXPECT_EQ(last_dialog.start_folder, L"C:\\data\\M\u00FCller");
    EXPECT_EQ(last_dialog.offered, L"");
    EXPECT_EQ(last_dialog.flags & (OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT),
              DWORD(OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST));
    EXPECT_TRUE(last_dialog.flags & OFN_NOCHANGEDIR);

    FileDialogRequest save;
    save.filters = {{"Application Template Files (*.ATX)", "*.ATX"}};
    save.file_name = "shop1.ATX";
    save.default_extension = "ATX";
    save.path_must_exist = true;
    save.confirm_overwrite = true;
    dialog_answer = nullptr;  // the user cancels
    EXPECT_EQ(picker.choose_save(save), std::nullopt);
    EXPECT_EQ(last_dialog.offered, L"shop1.ATX");
    EXPECT_EQ(last_dialog.extension, L"ATX");
    EXPECT_EQ(last_dialog.flags & (OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT),
              DWORD(OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT));
}

TEST(Win32Progress, ShowsTheBarUnderTheCaptionAndOnlyTheTransferClosesIt) {
    const DialogTemplate* tmpl = dialog::all_resources().dialog("ProgressDlg");
    ASSERT_NE(tmpl, nullptr);
    Win32Progress progress(tmpl);
    const std::string caption = "Progress (Download Lookup 1.0)";
    progress.open(caption);
    HWND window = progress.window();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(dialog::text_of(window), L"Progress (Download Lookup 1.0)");
    EXPECT_FALSE(GetWindowLongW(window, GWL_STYLE) & WS_SYSMENU) << "no close box";
    ASSERT_NE(progress.bar(), nullptr);
    EXPECT_EQ(dialog::class_of(progress.bar()), L"msctls_progress32");
    EXPECT_EQ(dialog::text_of(GetWindow(window, GW_CHILD)), L"Downloading...");
    // The bar lies below the line, inside the window.
    RECT bar = dialog::rect_in_dialog(window, progress.bar()), client{};
    GetClientRect(window, &client);
    EXPECT_GT(bar.top, 0);
    EXPECT_LE(bar.bottom, client.bottom);
    EXPECT_LE(bar.right, client.right);

    struct Step {
        int value, shown;
    } steps[] = {{0, 0}, {40, 40}, {100, 100}, {150, 100}, {-5, 0}};
    for (const Step& s : steps) {
        progress.set_value(s.value);
        EXPECT_EQ(SendMessageW(progress.bar(), PBM_GETPOS, 0, 0), s.shown) << s.value;
    }
    SendMessageW(window, WM_CLOSE, 0, 0);
    SendMessageW(window, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(IsWindow(window)) << "the user cannot close it";
    progress.close();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(progress.window(), nullptr);
    progress.set_value(10);  // after close: nothing to move, no fault
}

TEST(Win32ReceiveCountView, ATopMostBoxThatNeverTakesTheFocus) {
    HWND focus_owner = CreateWindowExW(0, L"STATIC", L"main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                       300, 200, nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(focus_owner);
    Win32ReceiveCountView view;
    view.prepare();
    HWND box = view.box();
    ASSERT_NE(box, nullptr);
    EXPECT_FALSE(IsWindowVisible(box)) << "nothing is drawn before the first count";
    view.show(12);
    EXPECT_TRUE(IsWindowVisible(box));
    EXPECT_EQ(view.text(), L"Data received : 12");
    EXPECT_TRUE(GetWindowLongW(box, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_FALSE(GetWindowLongW(box, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME));
    EXPECT_NE(GetActiveWindow(), box);
    view.show(13);
    EXPECT_EQ(view.text(), L"Data received : 13");
    view.remove();
    EXPECT_FALSE(IsWindow(box));
    DestroyWindow(focus_owner);
}

TEST(Win32MessagePump, PaintsButDropsTheUsersInputAndKeepsAQuit) {
    const DialogTemplate& tmpl = dialog::dialog_named("PropertiesDlg");
    dialog::DialogLogic logic(tmpl);
    dialog::Win32BoundDialog bound(logic, dialog::Win32BoundDialog::Role::Modal, nullptr);
    ASSERT_NE(bound.hwnd(), nullptr);
    ShowWindow(bound.hwnd(), SW_SHOW);
    PostMessageW(bound.control(601), WM_CHAR, L'x', 0);
    InvalidateRect(bound.hwnd(), nullptr, TRUE);
    win32::pump_paint_messages();
    EXPECT_EQ(dialog::text_of(bound.control(601)), L"") << "typing during a transfer is dropped";
    RECT pending{};
    EXPECT_FALSE(GetUpdateRect(bound.hwnd(), &pending, FALSE)) << "the window was painted";

    PostQuitMessage(3);
    win32::pump_paint_messages();
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 3u);
}

// A click on a window as the mouse gives it: press and release at its centre.
void post_click(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    const LPARAM at = MAKELPARAM(r.right / 2, r.bottom / 2);
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(window, WM_LBUTTONUP, 0, at);
}

TEST(Win32TransferWindows, EachHasACancelButtonThatAClickStopsWhileOtherInputIsDropped) {
    const DialogTemplate* tmpl = dialog::all_resources().dialog("ProgressDlg");
    ASSERT_NE(tmpl, nullptr);
    // Another window of the program, whose typing a transfer must drop.
    HWND other = CreateWindowExW(0, L"EDIT", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 60,
                                 nullptr, nullptr, nullptr, nullptr);
    struct Window {
        const char* name;
        std::function<void(TransferStop*)> open;
        std::function<HWND()> window, cancel;
        std::function<void()> close;
    };
    Win32Progress progress(tmpl);
    Win32ReceiveCountView count_view;
    Win32WaitNotice waiting;
    const Window windows[] = {
        {"progress", [&](TransferStop* s) { progress.set_stop(s); progress.open("Progress"); },
         [&] { return progress.window(); }, [&] { return progress.cancel_button(); },
         [&] { progress.close(); }},
        {"count box", [&](TransferStop* s) { count_view.set_stop(s); count_view.prepare(); count_view.show(3); },
         [&] { return count_view.box(); }, [&] { return count_view.cancel_button(); },
         [&] { count_view.remove(); }},
        {"waiting", [&](TransferStop* s) { waiting.set_stop(s); waiting.show("Waiting for the terminal on COM1 ...\n/dev/ttyS0"); },
         [&] { return waiting.window(); }, [&] { return waiting.cancel_button(); },
         [&] { waiting.hide(); }},
    };
    for (const Window& w : windows) {
        SCOPED_TRACE(w.name);
        // Without a stop to request: no button.
        w.open(nullptr);
        ASSERT_NE(w.window(), nullptr);
        EXPECT_EQ(w.cancel(), nullptr);
        w.close();

        TransferStop stop;
        w.open(&stop);
        HWND cancel = w.cancel();
        ASSERT_NE(cancel, nullptr);
        EXPECT_EQ(GetParent(cancel), w.window());
        EXPECT_EQ(dialog::class_of(cancel), L"button");
        EXPECT_EQ(dialog::text_of(cancel), L"Cancel");
        EXPECT_TRUE(IsWindowVisible(cancel));
        // Wholly inside its window's client area.
        RECT button = dialog::rect_in_dialog(w.window(), cancel), client{};
        GetClientRect(w.window(), &client);
        EXPECT_GE(button.left, 0);
        EXPECT_GE(button.top, 0);
        EXPECT_LE(button.right, client.right);
        EXPECT_LE(button.bottom, client.bottom);

        PostMessageW(other, WM_CHAR, L'x', 0);
        win32::pump_paint_messages();
        EXPECT_FALSE(stop.requested()) << "nothing clicked yet";
        post_click(cancel);
        win32::pump_paint_messages();
        EXPECT_TRUE(stop.requested());
        EXPECT_FALSE(IsWindowEnabled(cancel)) << "greyed out once heard";
        EXPECT_TRUE(IsWindow(w.window())) << "the transfer closes its window, not the click";
        EXPECT_EQ(dialog::text_of(other), L"") << "other input stays dropped";
        w.close();
        EXPECT_EQ(w.window(), nullptr);
    }
    DestroyWindow(other);
}

TEST(Win32WaitNotice, SaysWhatItWaitsForOnTwoLinesWithoutACloseBoxAndGoesWhenHidden) {
    Win32WaitNotice waiting;
    waiting.hide();  // not shown: harmless
    waiting.show("Waiting for the terminal on COM1 ...\n/dev/ttyS0");
    HWND window = waiting.window();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(dialog::text_of(window), L"Waiting");
    EXPECT_FALSE(GetWindowLongW(window, GWL_STYLE) & WS_SYSMENU) << "no close box";
    EXPECT_EQ(dialog::text_of(waiting.label()), L"Waiting for the terminal on COM1 ...\r\n/dev/ttyS0");
    // Two lines of text are shown whole.
    RECT label{};
    GetClientRect(waiting.label(), &label);
    TEXTMETRICW metrics{};
    HDC dc = GetDC(waiting.label());
    HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(waiting.label(), dc);
    EXPECT_GE(label.bottom, 2 * metrics.tmHeight);
    SendMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(window)) << "the user cannot close it";
    // Shown again (the reception's second wait): the same window, new text.
    waiting.show("Waiting for the terminal on COM2 ...\n/dev/ttyS1");
    EXPECT_EQ(waiting.window(), window);
    EXPECT_EQ(dialog::text_of(waiting.label()), L"Waiting for the terminal on COM2 ...\r\n/dev/ttyS1");
    waiting.hide();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(waiting.window(), nullptr);
}

}  // namespace
}  // namespace kolibra
