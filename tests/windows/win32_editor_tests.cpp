// The template editor's Win32 face in-process under Wine with a display:
// every page and nested dialog built from its template, the sheet's tabs,
// layout and keys, and its lifecycle (OK commits the shown pages once, in
// page order; Cancel leaves the template as it was; a page never shown keeps
// its values), driven by messages as a user's input arrives.
#include "editor/editor_templates.h"
#include "editor/sheet.h"
#include "editor/win32/sheet_window.h"
#include "model/template.h"
#include "tests/windows/win32_test_support.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <cstring>
#include <initializer_list>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace kolibra::editor {
namespace {

using dialog::class_of;
using dialog::play_steps;
using dialog::post_key;
using dialog::rect_in_dialog;
using dialog::Step;
using dialog::text_of;
using dialog::Win32BoundDialog;
using dialog::Win32DialogHost;

// Form page: line 1's type (1 = text), prompt and "more..." button.
constexpr int kLineType = 701;
constexpr int kPrompt = 601;
constexpr int kMore = 201;

bool same_bytes(const Template& a, const Template& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

std::string prompt_of(const Template& t, int form, int line) {
    return reinterpret_cast<const char*>(t.forms[form].prompt[line]);
}

// A window that owns the sheet, as tgen's terminal window does.
struct Owner {
    HWND hwnd = CreateWindowExW(0, L"STATIC", L"Application Generator", WS_OVERLAPPED | WS_VISIBLE, 300, 50,
                                180, 400, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ~Owner() { DestroyWindow(hwnd); }
};

// One opening of the editor on a factory template, its window built but not
// yet running its loop.
struct Editor {
    explicit Editor(HWND owner = nullptr, const std::vector<PageEntry>* pages = nullptr)
        : host(owner), pages_(pages) {
        reset_template(doc.tpl);
        before = doc.tpl;
    }
    void open(HWND owner = nullptr) {
        sheet = pages_ ? std::make_unique<Sheet>(context, *pages_) : std::make_unique<Sheet>(context);
        window = std::make_unique<Win32SheetWindow>(*sheet, host, owner);
        ASSERT_NE(window->hwnd(), nullptr) << window->failure();
    }
    HWND page(int index) const {
        Win32BoundDialog* p = window->page_window(index);
        return p ? p->hwnd() : nullptr;
    }
    HWND control(int index, int id) const { return GetDlgItem(page(index), id); }
    // Chooses entry `index` of a drop-down list as the user's selection does.
    void choose(int page_index, int id, int index) const {
        HWND box = control(page_index, id);
        SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        SendMessageW(page(page_index), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
    }
    void type(HWND edit, const wchar_t* text) const {
        for (const wchar_t* c = text; *c; ++c) SendMessageW(edit, WM_CHAR, *c, 0);
    }
    // Clicks tab `index` with the mouse, as a user changes pages.
    void click_tab(int index) const {
        RECT r{};
        SendMessageW(window->tabs(), TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
        const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        SendMessageW(window->tabs(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(window->tabs(), WM_LBUTTONUP, 0, at);
    }
    void press_ok() const { SendMessageW(GetDlgItem(window->hwnd(), IDOK), BM_CLICK, 0, 0); }
    // Runs the sheet's modal loop while `steps` are played on it.
    bool run(std::vector<Step> steps) {
        return play_steps(L"Application Template", std::move(steps), [this] { window->run(); });
    }

    TemplateDocument doc;
    Template before{};
    Win32DialogHost host;
    EditorContext context{doc, host};
    std::unique_ptr<Sheet> sheet;
    std::unique_ptr<Win32SheetWindow> window;

private:
    const std::vector<PageEntry>* pages_ = nullptr;
};

TEST(Win32EditorDialogs, EveryPageAndNestedDialogIsBuiltAsItsTemplateSays) {
    HWND parent = CreateWindowExW(0, L"STATIC", L"sheet", WS_OVERLAPPEDWINDOW, 0, 0, 900, 700, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(parent, nullptr);
    // The pages' templates are those the sheet's page logics carry.
    TemplateDocument doc;
    Win32DialogHost host;
    EditorContext context(doc, host);
    Sheet sheet(context);
    std::set<std::string> pages;
    for (int i = 0; i < sheet.page_count(); ++i) {
        const DialogTemplate& t = sheet.page(i).dialog_template();
        pages.insert(t.name);
        dialog::expect_dialog_matches_template(t, Win32BoundDialog::Role::Page, parent);
    }
    EXPECT_EQ(pages.size(), 6u);
    // Every other template of the editor is one of its nested dialogs.
    int nested = 0;
    for (const DialogTemplate& t : editor_templates().dialogs) {
        if (pages.count(t.name)) continue;
        ++nested;
        dialog::expect_dialog_matches_template(t, Win32BoundDialog::Role::Modal, nullptr);
    }
    EXPECT_GE(nested, 30);
    DestroyWindow(parent);
}

TEST(Win32EditorSheet, TabsPagesAndButtonsAreLaidOutInsideTheSheet) {
    Owner owner;
    Editor e(owner.hwnd);
    e.open(owner.hwnd);
    HWND frame = e.window->hwnd();
    EXPECT_EQ(text_of(frame), L"Application Template");
    EXPECT_EQ(GetWindow(frame, GW_OWNER), owner.hwnd);
    EXPECT_EQ(class_of(e.window->tabs()), L"systabcontrol32");

    // Six tabs, in page order.
    const wchar_t* tabs[] = {L"Form", L"Menu", L"Lookup", L"Barcode", L"Settings", L"Startup"};
    ASSERT_EQ(SendMessageW(e.window->tabs(), TCM_GETITEMCOUNT, 0, 0), 6);
    for (int i = 0; i < 6; ++i) {
        wchar_t text[32] = {};
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = 32;
        SendMessageW(e.window->tabs(), TCM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        EXPECT_EQ(std::wstring(text), tabs[i]);
    }
    // Only OK and Cancel beside the tab strip and the pages.
    EXPECT_EQ(text_of(GetDlgItem(frame, IDOK)), L"OK");
    EXPECT_EQ(text_of(GetDlgItem(frame, IDCANCEL)), L"Cancel");
    int buttons = 0;
    for (HWND c = GetWindow(frame, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) buttons += class_of(c) == L"button";
    EXPECT_EQ(buttons, 2);

    // Only the first page exists until another tab is chosen.
    ASSERT_NE(e.page(0), nullptr);
    for (int i = 1; i < 6; ++i) EXPECT_EQ(e.page(i), nullptr) << i;

    ShowWindow(frame, SW_SHOW);
    RECT client{}, display{};
    GetClientRect(frame, &client);
    const RECT strip = rect_in_dialog(frame, e.window->tabs());
    GetClientRect(e.window->tabs(), &display);
    SendMessageW(e.window->tabs(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    OffsetRect(&display, strip.left, strip.top);
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        e.click_tab(i);
        EXPECT_EQ(e.sheet->current(), i);
        ASSERT_NE(e.page(i), nullptr);
        EXPECT_TRUE(IsWindowVisible(e.page(i)));
        for (int j = 0; j < i; ++j) EXPECT_FALSE(IsWindowVisible(e.page(j))) << j;
        // The page lies within the strip's display area, the buttons below it.
        const RECT page = rect_in_dialog(frame, e.page(i));
        EXPECT_GE(page.left, display.left);
        EXPECT_GE(page.top, display.top);
        EXPECT_LE(page.right, display.right);
        EXPECT_LE(page.bottom, display.bottom);
    }
    for (int id : {IDOK, IDCANCEL}) {
        const RECT b = rect_in_dialog(frame, GetDlgItem(frame, id));
        EXPECT_GE(b.top, strip.bottom);
        EXPECT_LE(b.bottom, client.bottom);
        EXPECT_LE(b.right, client.right);
    }
    // Cancel at the right, OK before it on the same line.
    EXPECT_LT(rect_in_dialog(frame, GetDlgItem(frame, IDOK)).right,
              rect_in_dialog(frame, GetDlgItem(frame, IDCANCEL)).left);
    // The whole sheet is on the screen, even with its owner near the edge.
    RECT outer{};
    GetWindowRect(frame, &outer);
    EXPECT_GE(outer.left, 0);
    EXPECT_GE(outer.top, 0);
    // Beside its owner where the work area has room (right, else left), so
    // the terminal stays in sight; else centred on it.
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(owner.hwnd, MONITOR_DEFAULTTONEAREST), &monitor);
    const LONG width = outer.right - outer.left;
    if (480 + 8 + width <= monitor.rcWork.right) {
        EXPECT_EQ(outer.left, 488);
        EXPECT_EQ(outer.top, 50);
    } else if (300 - 8 - width >= monitor.rcWork.left) {
        EXPECT_EQ(outer.right, 292);
    } else {
        EXPECT_NEAR((outer.left + outer.right) / 2, 390, 1);
    }
}

// Presses a key with modifiers through the system's input queue, as a
// keyboard does (a posted message cannot hold Ctrl down).
void press(std::initializer_list<WORD> modifiers, WORD key) {
    std::vector<INPUT> inputs;
    auto add = [&](WORD vk, DWORD flags) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = vk;
        in.ki.dwFlags = flags;
        inputs.push_back(in);
    };
    for (WORD m : modifiers) add(m, 0);
    add(key, 0);
    add(key, KEYEVENTF_KEYUP);
    for (WORD m : modifiers) add(m, KEYEVENTF_KEYUP);
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

TEST(Win32EditorSheet, TabWalksPageButtonsAndStripAndCtrlTabChangesPages) {
    Editor e;
    e.open();
    HWND frame = e.window->hwnd();
    // Tab order: the page's controls, OK, Cancel, the tab strip, the page again.
    HWND ok = GetDlgItem(frame, IDOK), cancel = GetDlgItem(frame, IDCANCEL);
    ShowWindow(frame, SW_SHOW);
    EXPECT_EQ(GetNextDlgTabItem(frame, ok, FALSE), cancel);
    EXPECT_EQ(GetNextDlgTabItem(frame, cancel, FALSE), e.window->tabs());
    HWND after_strip = GetNextDlgTabItem(frame, e.window->tabs(), FALSE);
    EXPECT_TRUE(IsChild(e.page(0), after_strip)) << "Tab from the strip leaves the page";
    EXPECT_TRUE(IsChild(e.page(0), GetNextDlgTabItem(frame, ok, TRUE))) << "Shift+Tab from OK leaves the page";

    std::vector<int> seen;
    const bool late = e.run({
        [&](HWND d) {
            SetForegroundWindow(d);
            SetFocus(e.control(0, kPrompt));
            press({VK_CONTROL}, VK_TAB);
        },
        [&](HWND) {
            seen.push_back(e.sheet->current());
            press({VK_CONTROL}, VK_NEXT);
        },
        [&](HWND) {
            seen.push_back(e.sheet->current());
            press({VK_CONTROL, VK_SHIFT}, VK_TAB);
        },
        [&](HWND) {
            seen.push_back(e.sheet->current());
            press({VK_CONTROL}, VK_PRIOR);
        },
        [&](HWND) {
            seen.push_back(e.sheet->current());
            press({VK_CONTROL}, VK_PRIOR);  // from the first page round to the last
        },
        [&](HWND d) {
            seen.push_back(e.sheet->current());
            // The focus left the hidden page for a window that can be seen.
            HWND focus = GetFocus();
            EXPECT_TRUE(focus && IsWindowVisible(focus));
            PostMessageW(d, WM_CLOSE, 0, 0);
        },
    });
    EXPECT_FALSE(late);
    const std::vector<int> expected = {1, 2, 1, 0, 5};
    EXPECT_EQ(seen, expected);
}

// A page that records its commits in a shared log, to see which pages OK
// reaches and in which order.
class LoggingPage : public PageLogic {
public:
    LoggingPage(EditorContext& c, const char* name, std::vector<std::string>& log)
        : PageLogic(c, editor_template("WelcomePageDlg")), name_(name), log_(log) {}
    void commit() override { log_.push_back(name_); }

private:
    std::string name_;
    std::vector<std::string>& log_;
};

TEST(Win32EditorSheet, OkCommitsTheShownPagesOnceInPageOrder) {
    static std::vector<std::string> log;
    log.clear();
    const std::vector<PageEntry> pages = {
        {"A", [](EditorContext& c) -> std::unique_ptr<PageLogic> { return std::make_unique<LoggingPage>(c, "A", log); }},
        {"B", [](EditorContext& c) -> std::unique_ptr<PageLogic> { return std::make_unique<LoggingPage>(c, "B", log); }},
        {"C", [](EditorContext& c) -> std::unique_ptr<PageLogic> { return std::make_unique<LoggingPage>(c, "C", log); }},
    };
    Editor e(nullptr, &pages);
    e.open();
    e.click_tab(2);
    e.click_tab(0);
    // The pages' own buttons 1 and 2 are theirs, not the sheet's OK and Cancel.
    SendMessageW(e.control(0, 1), BM_CLICK, 0, 0);
    EXPECT_FALSE(e.window->finished());
    e.press_ok();
    EXPECT_TRUE(e.window->finished());
    EXPECT_TRUE(e.sheet->accepted());
    // A second OK (a click queued behind the first) commits nothing more.
    SendMessageW(e.window->hwnd(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    SendMessageW(e.window->hwnd(), WM_CLOSE, 0, 0);
    const std::vector<std::string> expected = {"A", "C"};
    EXPECT_EQ(log, expected);
    EXPECT_TRUE(e.sheet->accepted());
}

TEST(Win32EditorSheet, EachWayOfClosingCommitsOrDropsTheTypedPrompt) {
    struct Case {
        const char* what;
        Step close;
        bool accepted;
    } cases[] = {
        {"OK button", [](HWND d) { SendMessageW(GetDlgItem(d, IDOK), BM_CLICK, 0, 0); }, true},
        {"Enter in the prompt", [](HWND d) { post_key(d, VK_RETURN); }, true},
        {"Cancel button", [](HWND d) { SendMessageW(GetDlgItem(d, IDCANCEL), BM_CLICK, 0, 0); }, false},
        {"Escape", [](HWND d) { post_key(d, VK_ESCAPE); }, false},
        {"close box", [](HWND d) { PostMessageW(d, WM_CLOSE, 0, 0); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Owner owner;
        Editor e(owner.hwnd);
        e.open(owner.hwnd);
        bool owner_disabled = false;
        const bool late = e.run({[&](HWND) {
                                     owner_disabled = !IsWindowEnabled(owner.hwnd);
                                     e.choose(0, kLineType, 1);
                                     SetFocus(e.control(0, kPrompt));
                                     e.type(e.control(0, kPrompt), L"Qty");
                                 },
                                 c.close});
        EXPECT_FALSE(late);
        EXPECT_TRUE(owner_disabled);
        EXPECT_TRUE(IsWindowEnabled(owner.hwnd));
        EXPECT_TRUE(e.window->finished());
        EXPECT_EQ(e.sheet->accepted(), c.accepted);
        EXPECT_EQ(e.doc.modified, c.accepted);
        if (c.accepted) {
            EXPECT_EQ(prompt_of(e.doc.tpl, 0, 0), "Qty");
        } else {
            EXPECT_TRUE(same_bytes(e.doc.tpl, e.before)) << "Cancel changed the template";
        }
    }
}

// Values of pages the user never opens, unlike the factory ones.
void give_unvisited_pages_values(Editor& e) {
    std::memcpy(e.doc.tpl.password, "secret\0\0\0\0", 10);
    e.doc.tpl.menus[0].caption_on = 1;
    e.doc.tpl.lookups[0].field_count = 3;
    e.before = e.doc.tpl;
}

TEST(Win32EditorSheet, OkWithoutAChangeLeavesTheDocumentUnmodifiedAndUnvisitedPagesKeepTheirValues) {
    Editor e;
    give_unvisited_pages_values(e);
    e.open();
    e.click_tab(3);  // Barcode, looked at only
    e.press_ok();
    EXPECT_TRUE(e.sheet->accepted());
    EXPECT_FALSE(e.doc.modified);
    EXPECT_TRUE(same_bytes(e.doc.tpl, e.before));

    Editor changed;
    give_unvisited_pages_values(changed);
    changed.open();
    changed.choose(0, kLineType, 1);
    changed.type(changed.control(0, kPrompt), L"Qty");
    changed.press_ok();
    EXPECT_TRUE(changed.doc.modified);
    EXPECT_EQ(prompt_of(changed.doc.tpl, 0, 0), "Qty");
    const Template& was = changed.before;
    EXPECT_EQ(std::memcmp(changed.doc.tpl.password, was.password, sizeof was.password), 0);
    EXPECT_EQ(std::memcmp(changed.doc.tpl.menus, was.menus, sizeof was.menus), 0);
    EXPECT_EQ(std::memcmp(changed.doc.tpl.lookups, was.lookups, sizeof was.lookups), 0);
    EXPECT_EQ(std::memcmp(&changed.doc.tpl.system, &was.system, sizeof was.system), 0);
}

TEST(Win32EditorSheet, NestedDialogsOpenOverTheSheetAndTheirOkWritesTheirValues) {
    Owner owner;
    Editor e(owner.hwnd);
    e.doc.tpl.forms[0].data_type[0] = 2;
    e.before = e.doc.tpl;
    e.open(owner.hwnd);
    HWND properties_owner = nullptr;
    bool sheet_enabled_meanwhile = true;
    bool industrial_seen = false;
    bool inner_late = false;
    HWND frame = e.window->hwnd();
    const bool late = e.run({
        // "more..." of line 1: the field's properties, fixed length on.
        [&](HWND) {
            inner_late |= play_steps(L"Properties",
                                     {[&](HWND d) {
                                         properties_owner = GetWindow(d, GW_OWNER);
                                         sheet_enabled_meanwhile = IsWindowEnabled(frame) != FALSE;
                                         SendMessageW(GetDlgItem(d, 101), BM_CLICK, 0, 0);
                                         SendMessageW(GetDlgItem(d, IDOK), BM_CLICK, 0, 0);
                                     }},
                                     [&] { SendMessageW(e.control(0, kMore), BM_CLICK, 0, 0); });
        },
        // The Barcode page's Industrial 25 parameters: a fixed length of 200
        // is taken as 127 and written at the dialog's own OK.
        [&](HWND) {
            e.click_tab(3);
            inner_late |= play_steps(L"Industrial 25 Parameters",
                                     {[&](HWND d) {
                                         industrial_seen = true;
                                         SendMessageW(GetDlgItem(d, 404), BM_CLICK, 0, 0);
                                         HWND length = GetDlgItem(d, 601);
                                         SendMessageW(length, EM_SETSEL, 0, -1);
                                         for (wchar_t c : std::wstring(L"200")) SendMessageW(length, WM_CHAR, c, 0);
                                         SendMessageW(GetDlgItem(d, IDOK), BM_CLICK, 0, 0);
                                     }},
                                     [&] { SendMessageW(e.control(3, 204), BM_CLICK, 0, 0); });
        },
        [&](HWND d) { SendMessageW(GetDlgItem(d, IDCANCEL), BM_CLICK, 0, 0); },
    });
    EXPECT_FALSE(late);
    EXPECT_FALSE(inner_late);
    EXPECT_EQ(properties_owner, frame);
    EXPECT_FALSE(sheet_enabled_meanwhile);
    EXPECT_TRUE(industrial_seen);
    EXPECT_TRUE(IsWindowEnabled(frame));
    EXPECT_FALSE(e.sheet->accepted());
    // The properties wait for the sheet's OK, which never came; the
    // parameters dialog wrote at its own OK, which Cancel does not undo.
    EXPECT_EQ(e.doc.tpl.forms[0].fixed_length_on[0], 0);
    EXPECT_EQ(e.doc.tpl.barcode.bytes[12], 127);
    EXPECT_TRUE(e.doc.modified);
}

}  // namespace
}  // namespace kolibra::editor
