// The template editor as a Win32 window: the sheet "Application Template"
// with one tab per page, OK and Cancel (no Apply, no Help), modal to its
// owner. The same contract as the Qt face's editor/qt/sheet_window.h.
//
// The sheet is a tab control of our own, not comctl32's property sheet:
// Wine's property sheet sends its apply notification only to the pages that
// were created and lacks tab order, while here the toolkit-free Sheet alone
// decides what OK commits and Tab walks the page's controls, OK and Cancel
// and the tab strip. Ctrl+Tab and Ctrl+Shift+Tab (or Ctrl+PageDown and
// Ctrl+PageUp) change pages as in Windows' own sheets.
//
// Usage (the main window's Edit command):
//   if (kolibra::editor::run_editor_window(main_hwnd, doc, hooks)) { ... the template changed ... }
#pragma once

#include "common/win32/win32_dialog_binder.h"
#include "editor/dialog_logic.h"
#include "editor/sheet.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace kolibra::editor {

class Win32SheetWindow {
public:
    // Creates the window (hidden) with the sheet's current page shown;
    // nested dialogs of the pages open over it through `host`. On failure
    // hwnd() is nullptr and failure() says why.
    Win32SheetWindow(Sheet& sheet, dialog::Win32DialogHost& host, HWND owner);
    ~Win32SheetWindow();
    Win32SheetWindow(const Win32SheetWindow&) = delete;
    Win32SheetWindow& operator=(const Win32SheetWindow&) = delete;

    HWND hwnd() const { return frame_; }
    const std::string& failure() const { return failure_; }
    HWND tabs() const { return tabs_; }
    // The page's window, created when the page is first shown; else nullptr.
    dialog::Win32BoundDialog* page_window(int index) const;

    // Shows page `index` as choosing its tab does.
    void select(int index);

    // Shows the window and runs its modal loop (the owner takes no input
    // meanwhile) until OK, Cancel, Escape or the close box. A WM_QUIT ends
    // it cancelled and is posted again for the program's own loop.
    void run();
    bool finished() const { return finished_; }

private:
    static INT_PTR CALLBACK frame_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
    INT_PTR handle(UINT message, WPARAM wparam, LPARAM lparam);
    bool create_frame();
    void lay_out();
    bool page_switch_key(const MSG& msg);
    void close(bool ok);

    Sheet& sheet_;
    dialog::Win32DialogHost& host_;
    HWND owner_;
    HWND frame_ = nullptr;
    HWND tabs_ = nullptr;
    RECT page_area_{};  // where pages go, in the frame's client coordinates
    std::vector<std::unique_ptr<dialog::Win32BoundDialog>> pages_;
    int shown_ = -1;
    bool finished_ = false;
    std::string failure_;
};

// Opens the editor on `doc`, modal to `owner` (may be nullptr), and returns
// when it closes. Returns true when it closed with OK.
bool run_editor_window(HWND owner, TemplateDocument& doc, SimulatorHooks hooks);

}  // namespace kolibra::editor
