// tgen's windows on Windows in-process under Wine with a display: the
// terminal window's place, size and outline, every key clicked through the
// window's own mouse messages against a headless runtime given the same
// keys, the drag, the pop-up menu's commands chosen through the menu's own
// loop, the PC keyboard (typed keys shown pressed, F1's picture, F2's scan
// box typed into through its own controls), the GDI images and LCD font,
// the accelerator table, and the collected records window beside the
// terminal.
#include "history/reception_history.h"
#include "model/template.h"
#include "model/text_slot.h"
#include "shell/document/command_numbers.h"
#include "shell/document/tgen_resources.h"
#include "common/names_win32.h"
#include "common/user_settings.h"
#include "simulator/rendered_images.h"
#include "simulator/terminal_zoom.h"
#include "shell/win32/accelerators.h"
#include "shell/win32/main_window.h"
#include "simulator/key_hit_test.h"
#include "simulator/keyboard_mapping.h"
#include "simulator/scan_box.h"
#include "simulator/win32/gdi_canvas.h"
#include "simulator/win32/terminal_window.h"
#include "support/user_doubles.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <chrono>
#include <cstdio>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kolibra {
namespace {

// Handles every message waiting, and what they post in turn, for a short
// while (bounded: a window that keeps posting cannot hang the test).
void pump(int ms = 60) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    MSG msg;
    while (std::chrono::steady_clock::now() < end) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(5);
    }
}

LPARAM at(int x, int y) { return MAKELPARAM(x, y); }

// The keys a pop-up menu's own loop gets: each time the menu goes idle
// (WM_ENTERIDLE to its owner), the next batch is posted to the menu window;
// with none left, Escape closes it, so no test waits on an open menu.
std::deque<std::vector<WPARAM>> g_menu_keys;
int g_menu_idles = 0;
HHOOK g_hook = nullptr;

LRESULT CALLBACK menu_idle_hook(int code, WPARAM wparam, LPARAM lparam) {
    const auto* m = reinterpret_cast<const CWPSTRUCT*>(lparam);
    if (code == HC_ACTION && m->message == WM_ENTERIDLE && m->wParam == MSGF_MENU) {
        ++g_menu_idles;
        HWND menu = reinterpret_cast<HWND>(m->lParam);
        std::vector<WPARAM> keys{VK_ESCAPE, VK_ESCAPE};
        if (!g_menu_keys.empty()) {
            keys = g_menu_keys.front();
            g_menu_keys.pop_front();
        }
        for (WPARAM key : keys) {
            PostMessageW(menu, WM_KEYDOWN, key, 0);
            PostMessageW(menu, WM_KEYUP, key, 0xC0000000);
        }
    }
    return CallNextHookEx(g_hook, code, wparam, lparam);
}

class MenuKeys : public ::testing::Environment {
public:
    void SetUp() override {
        g_hook = SetWindowsHookExW(WH_CALLWNDPROC, menu_idle_hook, nullptr, GetCurrentThreadId());
        // The pointer away from where the menus open: an item under it would
        // be selected first and shift the keys' count.
        SetCursorPos(0, 0);
    }
    void TearDown() override { UnhookWindowsHookEx(g_hook); }
};
const auto* const g_menu_keys_env = ::testing::AddGlobalTestEnvironment(new MenuKeys);

// A terminal window on a factory template whose boxes are recorded, and
// the commands it forwarded.
struct Terminal {
    Template tpl;
    test::RecordingPrompter prompter;
    std::vector<int> commands;
    std::unique_ptr<TerminalWindow> window;

    Terminal() {
        // Every window starts at 100 %, whatever a test before chose.
        DeleteFileA(user_settings_path().c_str());
        reset_template(tpl);
        window = std::make_unique<TerminalWindow>(
            tpl, prompter, tgen_resources().menu("PopMenuQ5"),
            TerminalWindow::Hooks{.command = [this](int id) { commands.push_back(id); }, .may_close = {}});
        window->runtime().set_local_time_source([] { return fixed_time(); });
        window->show();
        pump(200);
    }
    static LocalDateTime fixed_time() { return LocalDateTime{2026, 12, 9, 10, 30, 0}; }
    HWND hwnd() const { return window->hwnd(); }
    void click(int x, int y) {
        PostMessageW(hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, at(x, y));
        PostMessageW(hwnd(), WM_LBUTTONUP, 0, at(x, y));
        pump();
    }
};

TEST(TgenTerminalWindow, IsTheFramelessPictureAt300By50ShapedByItsOutline) {
    Terminal t;
    ASSERT_NE(t.hwnd(), nullptr);
    wchar_t title[64] = {};
    GetWindowTextW(t.hwnd(), title, 64);
    EXPECT_EQ(std::wstring(title), L"Application Generator");
    RECT r;
    GetWindowRect(t.hwnd(), &r);
    EXPECT_EQ(r.left, 300);
    EXPECT_EQ(r.top, 50);
    EXPECT_EQ(r.right - r.left, 180);
    EXPECT_EQ(r.bottom - r.top, 400);
    const LONG style = GetWindowLongW(t.hwnd(), GWL_STYLE);
    EXPECT_FALSE(style & WS_CAPTION);
    EXPECT_FALSE(style & WS_THICKFRAME);

    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(t.hwnd(), region), ERROR);
    RECT box;
    GetRgnBox(region, &box);
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.top, 0);
    EXPECT_EQ(box.right, 180);
    EXPECT_EQ(box.bottom, 400);
    // The corners are rounded (radius 24): cut off, the body and edges mid-side kept.
    for (POINT outside : {POINT{0, 0}, POINT{179, 0}, POINT{0, 399}, POINT{179, 399}, POINT{3, 3}})
        EXPECT_FALSE(PtInRegion(region, outside.x, outside.y)) << outside.x << "," << outside.y;
    for (POINT inside : {POINT{90, 200}, POINT{0, 200}, POINT{179, 200}, POINT{90, 0}, POINT{90, 399}, POINT{24, 24}})
        EXPECT_TRUE(PtInRegion(region, inside.x, inside.y)) << inside.x << "," << inside.y;
    DeleteObject(region);
}

// The centre of each key as the terminal's picture places them: keys 1 to
// 12 in three columns of 45 and four rows of 28 pixels from (30, 235), keys
// 13 to 20 in four columns of 31 and two rows of 23 from (33, 347).
POINT key_centre(int code) {
    if (code <= 12) return {30 + 45 * ((code - 1) % 3) + 16, 235 + 28 * ((code - 1) / 3) + 10};
    return {33 + 31 * ((code - 13) % 4) + 11, 347 + 23 * ((code - 13) / 4) + 7};
}

TEST(TgenTerminalWindow, EveryKeyClickedChangesTheLcdAsTheRuntimeGivenThatKeySays) {
    Terminal t;
    // The same template on a runtime without a window, given the key codes.
    Template ref_tpl;
    reset_template(ref_tpl);
    test::RecordingPrompter ref_prompter;
    NullLcdView ref_view;
    SimRuntime ref(ref_tpl, ref_view, ref_prompter);
    ref.set_local_time_source([] { return Terminal::fixed_time(); });
    ref.set_new_command([] {});
    ref.show_start_page();

    // The state a key may change: screen, highlight and rows.
    auto state = [](SimRuntime& r) {
        std::string s = std::to_string(static_cast<int>(r.screen())) + "/" + std::to_string(r.lcd().highlight);
        for (int row = 0; row < kLcdRows; ++row) s += "|" + r.lcd().row(row);
        return s;
    };
    auto click_both = [&](int code) {
        SCOPED_TRACE("key " + std::to_string(code));
        const POINT c = key_centre(code);
        const std::size_t boxes = t.prompter.boxes.size();
        PostMessageW(t.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, at(c.x, c.y));
        pump(20);
        // Held until the release, unless a message box took the mouse away.
        EXPECT_TRUE(t.window->lcd().key_held || t.prompter.boxes.size() > boxes);
        EXPECT_EQ(t.window->lcd().pressed_key, code);
        PostMessageW(t.hwnd(), WM_LBUTTONUP, 0, at(c.x, c.y));
        pump();
        EXPECT_FALSE(t.window->lcd().key_held);

        if (code == key::kAlpha && ref.lcd().screen_is_form) ref.lcd().alpha_mode = !ref.lcd().alpha_mode;
        ref.press_key(code);
        EXPECT_EQ(t.window->runtime().last_key(), ref.last_key());
        EXPECT_EQ(state(t.window->runtime()), state(ref));
    };

    // Every key from the main page: the keys that act there change it.
    int changed = 0;
    for (int code = 1; code <= 20; ++code) {
        t.window->runtime().press_key(key::kRestart);
        ref.press_key(key::kRestart);
        pump(20);
        const std::string before = state(ref);
        click_both(code);
        if (state(ref) != before) ++changed;
    }
    EXPECT_GE(changed, 4) << "the clicks hardly changed the LCD";
    // A walk into the utility menu and its pages and back, key after key.
    t.window->runtime().press_key(key::kRestart);
    ref.press_key(key::kRestart);
    for (int code : {9, 16, 16, 12, 19, 1, 19, 19, 15, 12, 19, 19}) click_both(code);
    EXPECT_EQ(t.prompter.texts(), ref_prompter.texts());
    // PWR's release opened the pop-up menu (closed by Escape).
    EXPECT_GE(g_menu_idles, 1);
}

TEST(TgenTerminalWindow, APressOffTheKeysDragsTheWindowWithAnOutlineUntilRelease) {
    Terminal t;
    PostMessageW(t.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, at(90, 180));
    PostMessageW(t.hwnd(), WM_MOUSEMOVE, MK_LBUTTON, at(110, 210));
    pump();
    ASSERT_NE(t.window->drag_outline(), nullptr);
    EXPECT_TRUE(IsWindowVisible(t.window->drag_outline()));
    RECT frame;
    GetWindowRect(t.window->drag_outline(), &frame);
    EXPECT_EQ(frame.left, 320);
    EXPECT_EQ(frame.top, 80);
    RECT still;
    GetWindowRect(t.hwnd(), &still);
    EXPECT_EQ(still.left, 300);  // the window waits for the release

    PostMessageW(t.hwnd(), WM_LBUTTONUP, 0, at(110, 210));
    pump(150);
    EXPECT_FALSE(IsWindowVisible(t.window->drag_outline()));
    RECT moved;
    GetWindowRect(t.hwnd(), &moved);
    EXPECT_EQ(moved.left, 320);
    EXPECT_EQ(moved.top, 80);
    EXPECT_EQ(t.window->runtime().last_key(), 0);  // no key reached the runtime
}

TEST(TgenTerminalWindow, ThePopUpMenuChosenWithItsOwnKeysSendsTheItemsCommand) {
    // Down selects the first item, Right opens a sub-menu on its first item;
    // separators are skipped.
    struct Case {
        std::vector<WPARAM> keys;
        int command;
    };
    const std::vector<Case> cases = {
        {{VK_DOWN, VK_RETURN}, command::kNew},
        {{VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}, command::kSave},
        {{VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}, command::kEdit},
        {{VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}, command::kComSettings},
        {{VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, VK_RETURN},
         command::kDownloadProgram},
        {{VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, VK_DOWN, VK_RETURN},
         command::kDownloadLookupIr},
        {{VK_UP, VK_RETURN}, command::kExit},
        {{VK_UP, VK_UP, VK_RETURN}, command::kAbout},
        {{VK_UP, VK_UP, VK_UP, VK_UP, VK_RETURN}, command::kCollectedRecords},
        {{VK_ESCAPE, VK_ESCAPE}, 0},
    };
    Terminal t;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        t.commands.clear();
        g_menu_keys.clear();
        g_menu_keys.push_back(c.keys);
        PostMessageW(t.hwnd(), WM_RBUTTONDOWN, MK_RBUTTON, at(90, 100));
        pump(150);
        if (c.command)
            EXPECT_EQ(t.commands, std::vector<int>{c.command});
        else
            EXPECT_TRUE(t.commands.empty());
    }

    // PWR's release opens the same menu.
    t.commands.clear();
    g_menu_keys.push_back({VK_DOWN, VK_DOWN, VK_RETURN});
    t.click(key_centre(key::kPwr).x, key_centre(key::kPwr).y);
    pump(100);
    EXPECT_EQ(t.commands, std::vector<int>{command::kOpen});
}

TEST(TgenTerminalWindow, ThePcKeyboardTypesIntoAForm) {
    Terminal t;
    t.tpl.forms[0].data_type[0] = 1;  // text
    write_slot(t.tpl.forms[0].prompt[0], "Item:");
    t.tpl.forms[0].max_length[0] = 10;
    SendMessageW(t.hwnd(), WM_CHAR, '1', 0);  // "1" on the main page starts the program
    ASSERT_TRUE(t.window->lcd().screen_is_form);
    for (wchar_t c : std::wstring(L"ab")) SendMessageW(t.hwnd(), WM_CHAR, c, 0);
    // B waits for A's time-out on the clock (7 ticks of 100 ms).
    for (int i = 0; i < 30 && t.window->runtime().letter().pending_char != 'B'; ++i) pump(100);
    SendMessageW(t.hwnd(), WM_CHAR, '7', 0);
    SendMessageW(t.hwnd(), WM_KEYDOWN, VK_BACK, 0);
    SendMessageW(t.hwnd(), WM_CHAR, '\b', 0);  // passed over: the key did it
    SendMessageW(t.hwnd(), WM_CHAR, '9', 0);
    EXPECT_EQ(t.window->runtime().field(0).data, "AB9");
    EXPECT_FALSE(t.window->lcd().alpha_mode);
    SendMessageW(t.hwnd(), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(t.window->runtime().record_counter(), 1u);
}

// The scan box as a user meets it: while a box titled "Scan barcode" of this
// thread is up, a thread timer hands it to the next scripted action, once;
// with no action left the box is cancelled, so no test waits on it.
std::deque<std::function<void(HWND)>> g_box_actions;
int g_boxes_seen = 0;

BOOL CALLBACK find_scan_box(HWND hwnd, LPARAM found) {
    wchar_t title[64] = {};
    GetWindowTextW(hwnd, title, 64);
    if (IsWindowVisible(hwnd) && std::wstring(title) == L"Scan barcode" && !GetPropW(hwnd, L"scripted")) {
        *reinterpret_cast<HWND*>(found) = hwnd;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK box_script_tick(HWND, UINT, UINT_PTR, DWORD) {
    HWND box = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), find_scan_box, reinterpret_cast<LPARAM>(&box));
    if (!box) return;
    SetPropW(box, L"scripted", reinterpret_cast<HANDLE>(1));
    ++g_boxes_seen;
    if (g_box_actions.empty()) {
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        return;
    }
    const std::function<void(HWND)> action = g_box_actions.front();
    g_box_actions.pop_front();
    action(box);
}

// The edit field inside the box's list, where the user types.
HWND scan_box_edit(HWND box) {
    return FindWindowExW(GetDlgItem(box, kScanBarcodeList), nullptr, L"Edit", nullptr);
}

// Types `text` into the box and presses Enter, as a user would.
std::function<void(HWND)> type_and_enter(const std::wstring& text) {
    return [text](HWND box) {
        HWND edit = scan_box_edit(box);
        SendMessageW(edit, EM_SETSEL, 0, -1);
        for (wchar_t c : text) PostMessageW(edit, WM_CHAR, c, 0);
        PostMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
    };
}

struct BoxScript {
    UINT_PTR timer;
    BoxScript() : timer(SetTimer(nullptr, 0, 50, box_script_tick)) {
        g_box_actions.clear();
        g_boxes_seen = 0;
    }
    ~BoxScript() { KillTimer(nullptr, timer); }
};

TEST(TgenTerminalWindow, F2AndTheMenuScanIntoTheLineAndAKeypadLineRefuses) {
    Terminal t;
    FormRecord& f = t.tpl.forms[0];
    f.data_type[0] = 1;  // text
    write_slot(f.prompt[0], "Code:");
    f.max_length[0] = 20;
    f.auto_enter[0] = 1;  // "Scan+ENTER"
    f.data_type[1] = 2;   // integer
    write_slot(f.prompt[1], "Qty:");
    f.max_length[1] = 5;
    f.input_source[1] = 1;  // keypad only
    SendMessageW(t.hwnd(), WM_CHAR, '1', 0);
    ASSERT_TRUE(t.window->lcd().screen_is_form);
    BoxScript script;

    // F2: the box over the terminal, which waits meanwhile; the code typed
    // into it fills line 1 and the Enter moves on to line 2.
    HWND owner = nullptr;
    bool terminal_enabled = true;
    g_box_actions.push_back([&](HWND box) {
        owner = GetWindow(box, GW_OWNER);
        terminal_enabled = IsWindowEnabled(t.hwnd()) != FALSE;
        type_and_enter(L"AB-12")(box);
    });
    SendMessageW(t.hwnd(), WM_KEYDOWN, VK_F2, 0);
    EXPECT_EQ(g_boxes_seen, 1);
    EXPECT_EQ(owner, t.hwnd());
    EXPECT_FALSE(terminal_enabled);
    EXPECT_TRUE(IsWindowEnabled(t.hwnd()));
    EXPECT_EQ(t.window->runtime().field(0).data, "AB-12");
    EXPECT_EQ(f.current_line, 1);
    EXPECT_EQ(t.window->scans().entries(), std::vector<std::string>{"AB-12"});
    EXPECT_TRUE(t.prompter.boxes.empty());

    // The menu's item opens the same box, offering the last scan; Escape
    // leaves everything as it was.
    int offered = -1;
    std::wstring shown;
    g_box_actions.push_back([&](HWND box) {
        offered = static_cast<int>(SendDlgItemMessageW(box, kScanBarcodeList, CB_GETCOUNT, 0, 0));
        wchar_t text[32] = {};
        GetWindowTextW(scan_box_edit(box), text, 32);
        shown = text;
        PostMessageW(scan_box_edit(box), WM_KEYDOWN, VK_ESCAPE, 0);
    });
    g_menu_keys.clear();
    g_menu_keys.push_back({VK_UP, VK_UP, VK_UP, VK_UP, VK_UP, VK_UP, VK_RETURN});  // from Exit up to Scan
    PostMessageW(t.hwnd(), WM_RBUTTONDOWN, MK_RBUTTON, at(90, 100));
    for (int i = 0; i < 200 && g_boxes_seen < 2; ++i) pump(50);  // a fresh Wine may be slow
    pump(100);
    EXPECT_EQ(g_boxes_seen, 2);
    EXPECT_EQ(offered, 1);
    EXPECT_EQ(shown, L"AB-12");
    EXPECT_EQ(f.current_line, 1);
    EXPECT_TRUE(t.commands.empty());  // the scan is the terminal's, not the hook's

    // Line 2 takes the keypad only: the scan is refused with the reason.
    g_box_actions.push_back(type_and_enter(L"7"));
    SendMessageW(t.hwnd(), WM_KEYDOWN, VK_F2, 0);
    EXPECT_EQ(t.window->runtime().field(1).data, "");
    ASSERT_EQ(t.prompter.boxes.size(), 1u);
    EXPECT_EQ(t.prompter.boxes[0].text, "This line takes keypad input only.");
    EXPECT_EQ(t.prompter.boxes[0].caption, "Scan barcode");
    EXPECT_EQ(t.window->scans().entries(), (std::vector<std::string>{"7", "AB-12"}));
}

TEST(TgenTerminalWindow, ATypedKeyShowsPressedAMomentUnlessTheMouseTakesOver) {
    Terminal t;
    t.tpl.forms[0].data_type[0] = 1;  // text: the digits typed and clicked go there
    t.tpl.forms[0].max_length[0] = 20;
    SendMessageW(t.hwnd(), WM_CHAR, '1', 0);
    ASSERT_TRUE(t.window->lcd().screen_is_form);
    SendMessageW(t.hwnd(), WM_CHAR, '5', 0);  // the key "5", code 5
    EXPECT_TRUE(t.window->lcd().key_held);
    EXPECT_EQ(t.window->lcd().pressed_key, 5);
    pump(60);
    EXPECT_TRUE(t.window->lcd().key_held);  // still shown after 60 ms
    for (int i = 0; i < 20 && t.window->lcd().key_held; ++i) pump(50);
    EXPECT_FALSE(t.window->lcd().key_held);
    EXPECT_EQ(t.window->lcd().pressed_key, 0);

    // A click meanwhile holds its own key past the typed key's time.
    SendMessageW(t.hwnd(), WM_CHAR, '5', 0);
    const POINT c = key_centre(2);  // the key "8"
    PostMessageW(t.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, at(c.x, c.y));
    pump(300);
    EXPECT_TRUE(t.window->lcd().key_held);
    EXPECT_EQ(t.window->lcd().pressed_key, 2);
    // A key typed while the mouse holds one leaves the held one shown.
    SendMessageW(t.hwnd(), WM_CHAR, '5', 0);
    EXPECT_EQ(t.window->lcd().pressed_key, 2);
    PostMessageW(t.hwnd(), WM_LBUTTONUP, 0, at(c.x, c.y));
    pump();
    EXPECT_FALSE(t.window->lcd().key_held);
    EXPECT_EQ(t.window->runtime().field(0).data, "5585");
}

TEST(TgenTerminalWindow, F1ShowsTheKeyboardMapBesideTheTerminalUntilEscape) {
    Terminal t;
    SendMessageW(t.hwnd(), WM_KEYDOWN, VK_F1, 0);
    pump(100);
    HWND map = t.window->key_map().hwnd();
    ASSERT_NE(map, nullptr);
    EXPECT_TRUE(IsWindowVisible(map));
    EXPECT_EQ(GetWindow(map, GW_OWNER), t.hwnd());
    wchar_t title[64] = {};
    GetWindowTextW(map, title, 64);
    EXPECT_EQ(std::wstring(title), L"PC keyboard on the terminal");
    RECT r;
    GetWindowRect(map, &r);
    EXPECT_GE(r.left, 300 + 180);  // beside the terminal, not over it

    // Every line fits, in a font whose columns line up.
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, t.window->key_map().font());
    SIZE narrow{}, wide{};
    GetTextExtentPoint32W(dc, L"i", 1, &narrow);
    GetTextExtentPoint32W(dc, L"W", 1, &wide);
    EXPECT_EQ(narrow.cx, wide.cx);
    RECT client;
    GetClientRect(map, &client);
    const std::vector<std::string> lines = keyboard_mapping_lines();
    ASSERT_GE(lines.size(), 10u);
    for (const std::string& line : lines) {
        const std::wstring w(line.begin(), line.end());
        SIZE s{};
        GetTextExtentPoint32W(dc, w.c_str(), static_cast<int>(w.size()), &s);
        EXPECT_LE(s.cx, client.right) << line;
    }
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    EXPECT_GE(client.bottom, metrics.tmHeight * static_cast<LONG>(lines.size()));
    SelectObject(dc, old);
    DeleteDC(dc);

    // F1 again keeps the one window; Escape closes it, F1 opens it anew.
    SendMessageW(t.hwnd(), WM_KEYDOWN, VK_F1, 0);
    EXPECT_EQ(t.window->key_map().hwnd(), map);
    SendMessageW(map, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(t.window->key_map().hwnd(), nullptr);
    EXPECT_FALSE(IsWindow(map));
    SendMessageW(t.hwnd(), WM_KEYDOWN, VK_F1, 0);
    EXPECT_NE(t.window->key_map().hwnd(), nullptr);
    // Closing the terminal with the picture open takes the picture with it.
}

TEST(TgenTerminalWindow, TheMenuIsTheFirstPopUpOfPopMenuQ5) {
    Terminal t;
    HMENU menu = t.window->popup_menu();
    ASSERT_EQ(GetMenuItemCount(menu), 18);  // 15 entries and 3 separators
    wchar_t text[64] = {};
    GetMenuStringW(menu, 0, text, 64, MF_BYPOSITION);
    EXPECT_EQ(std::wstring(text), L"&New\tCtrl+N");
    GetMenuStringW(menu, command::kAbout, text, 64, MF_BYCOMMAND);
    EXPECT_EQ(std::wstring(text), L"A&bout...");
    GetMenuStringW(menu, command::kScanBarcode, text, 64, MF_BYCOMMAND);
    EXPECT_EQ(std::wstring(text), L"Scan barcode...\tF2");
    HMENU receive = nullptr;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        GetMenuStringW(menu, i, text, 64, MF_BYPOSITION);
        if (std::wstring(text) == L"&Receive data") receive = GetSubMenu(menu, i);
    }
    ASSERT_NE(receive, nullptr);
    EXPECT_EQ(GetMenuItemID(receive, 0), static_cast<UINT>(command::kReceive));
    EXPECT_EQ(GetMenuItemID(receive, 1), static_cast<UINT>(command::kReceiveIr));
    GetMenuStringW(menu, command::kZoom150, text, 64, MF_BYCOMMAND);
    EXPECT_EQ(std::wstring(text), L"150 %");
}

// Writes the window as it shows on the screen to DIR/NAME.bmp when
// KOLIBRA_SCREENSHOT_DIR names a folder.
void keep_window_picture(HWND hwnd, const char* name) {
    const char* folder = std::getenv("KOLIBRA_SCREENSHOT_DIR");
    if (!folder || !*folder) return;
    RECT r;
    GetClientRect(hwnd, &r);
    const int w = r.right, h = r.bottom;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = h;  // bottom-up, as a .bmp file keeps it
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(bitmap, nullptr);
    HDC window_dc = GetDC(hwnd);
    HDC memory = CreateCompatibleDC(window_dc);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, w, h, window_dc, 0, 0, SRCCOPY);
    GdiFlush();
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(hwnd, window_dc);
    // GDI leaves the fourth byte as it finds it; the file's readers take it
    // for alpha, so every pixel is made opaque.
    auto* pixel = static_cast<uint32_t*>(bits);
    for (int i = 0; i < w * h; ++i) pixel[i] |= 0xFF000000u;
    const std::string path = std::string(folder) + "/" + name + ".bmp";
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        const DWORD pixels = static_cast<DWORD>(w) * h * 4;
        BITMAPFILEHEADER file{};
        file.bfType = 0x4D42;
        file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
        file.bfSize = file.bfOffBits + pixels;
        std::fwrite(&file, sizeof(file), 1, f);
        std::fwrite(&info.bmiHeader, sizeof(info.bmiHeader), 1, f);
        std::fwrite(bits, 1, pixels, f);
        std::fclose(f);
    }
    DeleteObject(bitmap);
}

TEST(TgenTerminalWindow, EveryKeyAtOneAndAHalfAndTwiceTheSizeIsHitByPostedClicks) {
    Terminal t;
    ASSERT_EQ(t.window->zoom(), 100);  // the test screen has 96 dots per inch
    keep_window_picture(t.hwnd(), "tgen-terminal-100");
    for (const int percent : {150, 200}) {
        SCOPED_TRACE(percent);
        t.window->set_zoom(percent);
        pump(100);
        const TerminalZoom zoom{percent};
        RECT r;
        GetWindowRect(t.hwnd(), &r);
        EXPECT_EQ(r.left, 300);  // grows from its top-left corner
        EXPECT_EQ(r.right - r.left, zoom.window_size().w);
        EXPECT_EQ(r.bottom - r.top, zoom.window_size().h);
        // The outline follows: a corner stays out, the middle is in.
        HRGN region = CreateRectRgn(0, 0, 0, 0);
        ASSERT_NE(GetWindowRgn(t.hwnd(), region), ERROR);
        RECT box;
        GetRgnBox(region, &box);
        EXPECT_EQ(box.right, zoom.window_size().w);
        EXPECT_FALSE(PtInRegion(region, 0, 0));
        EXPECT_TRUE(PtInRegion(region, zoom.window_size().w / 2, zoom.window_size().h / 2));
        DeleteObject(region);
        keep_window_picture(t.hwnd(), ("tgen-terminal-" + std::to_string(percent)).c_str());

        for (int code = 1; code <= 20; ++code) {
            SCOPED_TRACE("key " + std::to_string(code));
            t.window->runtime().press_key(key::kRestart);
            const POINT c = key_centre(code);
            const int x = zoom.to_window(c.x), y = zoom.to_window(c.y);
            PostMessageW(t.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, at(x, y));
            pump(20);
            EXPECT_EQ(t.window->lcd().pressed_key, code);
            EXPECT_EQ(t.window->runtime().last_key(), code);
            PostMessageW(t.hwnd(), WM_LBUTTONUP, 0, at(x, y));
            pump(20);
        }
        // Just left of the 8 key (terminal x 74) is off the keys.
        t.window->runtime().press_key(key::kRestart);
        t.click(zoom.to_window(75) - 1, zoom.to_window(245));
        EXPECT_EQ(t.window->runtime().last_key(), key::kRestart);
    }
    t.window->set_zoom(100);
    DeleteFileA(user_settings_path().c_str());
}

TEST(TgenTerminalWindow, TheZoomComesFromTheMenuAndCtrlPlusMinusAndIsRemembered) {
    Terminal t;
    // "&Zoom" sits above "Collected records..." at the bottom; Right opens it.
    g_menu_keys.push_back({VK_UP, VK_UP, VK_UP, VK_UP, VK_UP, VK_RIGHT, VK_UP, VK_RETURN});
    PostMessageW(t.hwnd(), WM_RBUTTONDOWN, MK_RBUTTON, at(90, 100));
    pump(150);
    EXPECT_TRUE(t.commands.empty());  // the terminal's own command
    EXPECT_EQ(t.window->zoom(), 200);
    // Checked when the menu shows next.
    g_menu_keys.push_back({VK_ESCAPE, VK_ESCAPE});
    PostMessageW(t.hwnd(), WM_RBUTTONDOWN, MK_RBUTTON, at(90, 100));
    pump(150);
    EXPECT_NE(GetMenuState(t.window->popup_menu(), command::kZoom200, MF_BYCOMMAND) & MF_CHECKED, 0u);
    EXPECT_EQ(GetMenuState(t.window->popup_menu(), command::kZoom100, MF_BYCOMMAND) & MF_CHECKED, 0u);
    EXPECT_EQ(UserSettings::load(user_settings_path()).get("terminal_zoom"), "200");

    // Ctrl+minus and Ctrl+plus (the "=+" key and the keypad's); without
    // Ctrl, "-" is a key of the terminal.
    struct Step { bool ctrl; WPARAM key; int zoom; };
    const Step steps[] = {{true, VK_OEM_MINUS, 150}, {true, VK_SUBTRACT, 100}, {true, VK_OEM_MINUS, 100},
                          {true, VK_OEM_PLUS, 150}, {true, VK_ADD, 200}, {true, VK_OEM_PLUS, 200},
                          {false, VK_OEM_MINUS, 200}, {true, VK_OEM_MINUS, 150}};
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    for (const Step& s : steps) {
        keys[VK_CONTROL] = s.ctrl ? 0x80 : 0;
        SetKeyboardState(keys);
        SendMessageW(t.hwnd(), WM_KEYDOWN, s.key, 0);
        EXPECT_EQ(t.window->zoom(), s.zoom) << s.key;
    }
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    // A new window opens at the remembered size.
    TerminalWindow again(t.tpl, t.prompter, nullptr, {});
    EXPECT_EQ(again.zoom(), 150);
    t.window->set_zoom(100);
    DeleteFileA(user_settings_path().c_str());
}

TEST(TgenGdiCanvas, ImagesAreTransparentWhereNothingWasDrawnAndTheLcdFontFitsItsColumn) {
    for (int n = kFirstImage; n < kFirstImage + kImageCount; ++n) {
        SCOPED_TRACE(n);
        const GdiImage& image = gdi_terminal_image(n);
        ASSERT_NE(image.bitmap, nullptr);
        EXPECT_EQ(image.size, terminal_image_size(n));
    }
    const GdiImage& picture = gdi_terminal_image(500);
    EXPECT_TRUE(picture.transparent_at(0, 0));
    EXPECT_FALSE(picture.transparent_at(90, 200));
    // The LCD window's colour #8fe3e0, premultiplied with full alpha.
    EXPECT_EQ(picture.pixels[100 * 180 + 90], 0xFF8FE3E0u);
    // A key's face is drawn to its corners' inside.
    EXPECT_FALSE(gdi_terminal_image(501).transparent_at(16, 10));

    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, lcd_gdi_font());
    for (wchar_t c : {L'M', L'W', L'0', L'.'}) {
        SIZE extent{};
        GetTextExtentPoint32W(dc, &c, 1, &extent);
        EXPECT_LE(extent.cx, 5) << static_cast<char>(c);
        EXPECT_GT(extent.cx, 0);
    }
    // At 150 and 200 % the font is larger and still fits its column (7 and
    // 10 window pixels).
    for (const int percent : {150, 200}) {
        SelectObject(dc, lcd_gdi_font(percent));
        SIZE extent{};
        GetTextExtentPoint32W(dc, L"M", 1, &extent);
        EXPECT_LE(extent.cx, TerminalZoom{percent}.to_window(5)) << percent;
        EXPECT_GT(extent.cx, 5) << percent;
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc, &metrics);
        EXPECT_GE(metrics.tmHeight, TerminalZoom{percent}.to_window(9) - 1) << percent;
    }
    SelectObject(dc, old);
    DeleteDC(dc);
}

TEST(TgenAccelerators, KeyNamesBecomeVirtualKeysAndVur5HasItsFour) {
    struct Case {
        const char* keys;
        bool ok;
        BYTE flags;
        WORD key;
    };
    const Case cases[] = {
        {"Ctrl+N", true, FVIRTKEY | FCONTROL, 'N'},
        {"ctrl+s", true, FVIRTKEY | FCONTROL, 'S'},
        {"Alt+Shift+F4", true, FVIRTKEY | FALT | FSHIFT, VK_F4},
        {"F12", true, FVIRTKEY, VK_F12},
        {"Ctrl+0", true, FVIRTKEY | FCONTROL, '0'},
        {"Ctrl+", false, 0, 0},
        {"Hyper+N", false, 0, 0},
        {"F13", false, 0, 0},
        {"Ctrl+NN", false, 0, 0},
        {"", false, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        const std::optional<ACCEL> a = parse_accelerator(c.keys, 1010);
        ASSERT_EQ(a.has_value(), c.ok);
        if (!a) continue;
        EXPECT_EQ(a->fVirt, c.flags);
        EXPECT_EQ(a->key, c.key);
        EXPECT_EQ(a->cmd, 1010);
    }

    const AcceleratorTable* table = tgen_resources().accelerator_table("VUR5");
    ASSERT_NE(table, nullptr);
    std::vector<std::string> skipped;
    HACCEL haccel = build_accelerators(*table, &skipped);
    ASSERT_NE(haccel, nullptr);
    EXPECT_TRUE(skipped.empty());
    ACCEL got[8] = {};
    ASSERT_EQ(CopyAcceleratorTableW(haccel, got, 8), 4);
    const std::pair<WORD, WORD> expected[] = {{'N', 1010}, {'O', 1020}, {'S', 1030}, {'E', 2000}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(got[i].key, expected[i].first);
        EXPECT_EQ(got[i].cmd, expected[i].second);
        EXPECT_EQ(got[i].fVirt & FCONTROL, FCONTROL);
    }
    DestroyAcceleratorTable(haccel);
}

TEST(TgenMainWindow, CollectedRecordsOpensBesideTheTerminalAndFollowsTheRuntime) {
    TemplateDocument doc;
    LinkServices link;
    Win32MainWindow window(doc, link);
    ASSERT_NE(window.hwnd(), nullptr);
    EXPECT_NE(window.accelerators(), nullptr);
    window.show();
    pump(100);
    window.command(command::kCollectedRecords);
    pump(100);
    Win32RecordsWindow* records = window.records_window();
    ASSERT_NE(records, nullptr);
    ASSERT_NE(records->hwnd(), nullptr);
    EXPECT_TRUE(IsWindowVisible(records->hwnd()));
    wchar_t text[64] = {};
    GetWindowTextW(records->hwnd(), text, 64);
    EXPECT_EQ(std::wstring(text), L"Collected records");
    RECT r;
    GetWindowRect(records->hwnd(), &r);
    EXPECT_EQ(r.left, 300 + 180 + 8);
    EXPECT_EQ(r.top, 50);
    GetWindowTextW(records->status(), text, 64);
    EXPECT_EQ(std::wstring(text), L"0 records");

    // Closing hides; asking again shows the same window.
    SendMessageW(records->hwnd(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindowVisible(records->hwnd()));
    window.command(command::kCollectedRecords);
    EXPECT_EQ(window.records_window(), records);
    EXPECT_TRUE(IsWindowVisible(records->hwnd()));
}

// The first visible dialog box owned by `owner`, or nullptr.
HWND dialog_owned_by(HWND owner) {
    struct Search {
        HWND owner;
        HWND found = nullptr;
    } search{owner};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND w, LPARAM p) -> BOOL {
            auto* s = reinterpret_cast<Search*>(p);
            wchar_t name[16] = {};
            GetClassNameW(w, name, 16);
            if (IsWindowVisible(w) && GetWindow(w, GW_OWNER) == s->owner && std::wstring(name) == L"#32770") {
                s->found = w;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND g_dialog_owner = nullptr;
RECT g_dialog_rect{};
bool g_dialog_seen = false;

// Run from the dialog's own loop: reads the dialog's rectangle once it is
// up, then cancels it.
void CALLBACK read_and_cancel_dialog(HWND, UINT, UINT_PTR id, DWORD) {
    HWND dialog = dialog_owned_by(g_dialog_owner);
    if (!dialog) return;
    KillTimer(nullptr, id);
    GetWindowRect(dialog, &g_dialog_rect);
    g_dialog_seen = true;
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

TEST(TgenMainWindow, TheComPortDialogAndTheAboutBoxOpenBesideTheTerminal) {
    TemplateDocument doc;
    LinkServices link;
    Win32MainWindow window(doc, link);
    ASSERT_NE(window.hwnd(), nullptr);
    window.show();
    pump(100);
    RECT terminal;
    GetWindowRect(window.hwnd(), &terminal);
    for (int id : {command::kComSettings, command::kAbout}) {
        SCOPED_TRACE(id);
        g_dialog_owner = window.hwnd();
        g_dialog_seen = false;
        // Bounded: a dialog that never comes up ends the test through the quit.
        const UINT_PTR timer = SetTimer(nullptr, 0, 100, read_and_cancel_dialog);
        window.command(id);
        KillTimer(nullptr, timer);
        ASSERT_TRUE(g_dialog_seen);
        // Right of the terminal, top edges aligned: the 1024-pixel screen has room.
        EXPECT_EQ(g_dialog_rect.left, terminal.right + 8);
        EXPECT_EQ(g_dialog_rect.top, terminal.top);
    }
}

TEST(TgenMainWindow, TheAcceleratorsWorkInTheWindowsBesideTheTerminalToo) {
    TemplateDocument doc;
    LinkServices link;
    Win32MainWindow window(doc, link);
    ASSERT_NE(window.hwnd(), nullptr);
    window.show();
    window.command(command::kCollectedRecords);
    window.command(command::kReceptionHistory);
    pump(100);
    HWND stranger = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPED, 0, 0, 50, 50, nullptr, nullptr,
                                    GetModuleHandleW(nullptr), nullptr);
    // Ctrl held, as TranslateAccelerator reads it from the keyboard state.
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    const BYTE ctrl = keys[VK_CONTROL];
    struct Case {
        HWND to;
        bool with_ctrl;
        bool translated;
    };
    const Case cases[] = {
        {window.hwnd(), true, true},
        {window.records_window()->list(), true, true},
        {window.records_window()->hwnd(), true, true},
        {window.history_window()->list(), true, true},
        {window.records_window()->list(), false, false},  // a plain E is the list's
        {stranger, true, false},
    };
    for (const Case& c : cases) {
        keys[VK_CONTROL] = c.with_ctrl ? 0x80 : 0;
        SetKeyboardState(keys);
        // Ctrl+E: Edit, which opens nothing while no editor is plugged in.
        MSG msg{c.to, WM_KEYDOWN, 'E', 0, 0, {}};
        EXPECT_EQ(window.translate_accelerator(msg), c.translated);
    }
    keys[VK_CONTROL] = ctrl;
    SetKeyboardState(keys);
    DestroyWindow(stranger);
    pump(60);
}

// Removes a folder of plain files (a test's history) and the folder.
void remove_folder(const std::string& folder) {
    const std::wstring wide = widen_utf8(folder);
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((wide + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name != L"." && name != L"..") DeleteFileW((wide + L"\\" + name).c_str());
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(wide.c_str());
}

TEST(TgenMainWindow, ReceptionHistoryListsTheReceptionsNewestChosenAndDeletesAfterAsking) {
    // A history folder of its own with two receptions.
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::string folder =
        narrow_to_utf8(temp) + "kolibra-history-test-" + std::to_string(GetCurrentProcessId());
    remove_folder(folder);  // a run that died left it
    for (int records : {2, 3}) {
        HistoryRecorder h(folder, "tgen", "COM1", 115200);
        h.reception_started();
        for (int i = 0; i < records; ++i) {
            const uint8_t record[] = {'R', static_cast<uint8_t>('0' + i)};
            h.record_accepted(record, sizeof record);
        }
        h.reception_ended(1, records);
    }

    TemplateDocument doc;
    test::ScriptedPicker picker;
    test::RecordingPrompter prompter;
    Win32HistoryWindow window(folder, doc, picker, prompter, nullptr);
    ASSERT_NE(window.hwnd(), nullptr);
    window.show();
    pump(100);
    wchar_t text[64] = {};
    GetWindowTextW(window.hwnd(), text, 64);
    EXPECT_EQ(std::wstring(text), L"Reception history");
    EXPECT_EQ(SendMessageW(window.list(), LVM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(window.chosen(), 2);  // the newest
    GetWindowTextW(window.status(), text, 64);
    EXPECT_EQ(std::wstring(text), L"2 receptions");
    EXPECT_TRUE(IsWindowEnabled(window.button(kHistoryDeleteId)));

    // Delete asks; No keeps it, Yes deletes it and the other one is chosen.
    prompter.answers = {Answer::No, Answer::Yes};
    SendMessageW(window.hwnd(), WM_COMMAND, MAKEWPARAM(kHistoryDeleteId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(window.button(kHistoryDeleteId)));
    EXPECT_EQ(SendMessageW(window.list(), LVM_GETITEMCOUNT, 0, 0), 2);
    SendMessageW(window.hwnd(), WM_COMMAND, MAKEWPARAM(kHistoryDeleteId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(window.button(kHistoryDeleteId)));
    EXPECT_EQ(SendMessageW(window.list(), LVM_GETITEMCOUNT, 0, 0), 1);
    EXPECT_EQ(window.chosen(), 1);
    EXPECT_EQ(prompter.boxes.size(), 2u);

    // Save as text writes the reception's records where the picker says.
    const std::string saved = folder + "-saved.txt";
    picker.paths.push_back(saved);
    EXPECT_TRUE(window.save_text());
    std::FILE* f = _wfopen(widen_utf8(saved).c_str(), L"rb");
    ASSERT_NE(f, nullptr);
    char bytes[16] = {};
    const std::size_t n = std::fread(bytes, 1, sizeof bytes, f);
    std::fclose(f);
    EXPECT_EQ(std::string(bytes, n), "R0\r\nR1\r\n");
    _wremove(widen_utf8(saved).c_str());

    // Nothing chosen: the buttons wait.
    LVITEMW none{};
    none.stateMask = LVIS_SELECTED;
    SendMessageW(window.list(), LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
    pump(20);
    EXPECT_EQ(window.chosen(), 0);
    EXPECT_FALSE(IsWindowEnabled(window.button(kHistoryTextId)));
    remove_folder(folder);
}

}  // namespace
}  // namespace kolibra
