// "Reception history" on Windows: a plain window beside the terminal listing
// the receptions kept in the history (a report list view), with "Save as
// text...", "Save as columns..." (by the template being edited), Delete and
// Close. What the buttons do is HistoryBrowser's (history/history_browser.h).
#pragma once

#include "history/history_browser.h"
#include "model/template.h"
#include "shell/win32/list_window.h"

#include <string>

namespace kolibra {

constexpr int kHistoryTextId = 102, kHistoryColumnsId = 103, kHistoryDeleteId = 104, kHistoryCloseId = 105;

class Win32HistoryWindow : public Win32ListWindow {
public:
    Win32HistoryWindow(std::string folder, const TemplateDocument& doc, FilePicker& picker,
                       Prompter& prompter, HWND owner);

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
    void on_button(int id) override;
    void on_list_notify(const NMHDR& header) override;
    void update_buttons();

    HistoryBrowser browser_;
    const TemplateDocument& doc_;
};

}  // namespace kolibra
