// "Reception history" on Windows: a plain window beside the terminal listing
// the receptions kept in the history (a report list view), with "Save as
// text...", "Save as columns..." (by the template being edited), Delete and
// Close. What the buttons do is HistoryBrowser's (history/history_browser.h).
#pragma once

#include "history/history_browser.h"
#include "model/template.h"

#include <windows.h>

#include <string>

namespace kolibra {

constexpr int kHistoryListId = 100, kHistoryStatusId = 101, kHistoryTextId = 102;
constexpr int kHistoryColumnsId = 103, kHistoryDeleteId = 104, kHistoryCloseId = 105;

class Win32HistoryWindow {
public:
    Win32HistoryWindow(std::string folder, const TemplateDocument& doc, FilePicker& picker,
                       Prompter& prompter, HWND owner);
    ~Win32HistoryWindow();
    Win32HistoryWindow(const Win32HistoryWindow&) = delete;
    Win32HistoryWindow& operator=(const Win32HistoryWindow&) = delete;

    HWND hwnd() const { return hwnd_; }
    HWND list() const { return list_; }
    HWND status() const { return status_; }
    HWND button(int id) const { return GetDlgItem(hwnd_, id); }
    // Reads the history again and shows and raises the window.
    void show();

    // Reads the history again, keeping the chosen reception chosen (else the newest).
    void refresh();
    // The number of the chosen reception, 0 for none.
    int chosen() const;
    void choose(int number);

    bool save_text();
    bool save_columns();
    bool remove();

private:
    static LRESULT CALLBACK window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
    LRESULT handle(UINT message, WPARAM wparam, LPARAM lparam);
    void layout();
    void update_buttons();
    void show_status();

    HistoryBrowser browser_;
    const TemplateDocument& doc_;
    HWND hwnd_ = nullptr;
    HWND list_ = nullptr;
    HWND status_ = nullptr;
};

}  // namespace kolibra
