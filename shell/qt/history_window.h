// "Reception history": a window beside the terminal that lists the receptions
// kept in the history and saves the chosen one as a data file or as columns
// (by the template being edited), or deletes it. What the buttons do is
// HistoryBrowser's; this is its Qt face.
#pragma once

#include "history/history_browser.h"
#include "model/template.h"

#include <QWidget>

class QLabel;
class QPushButton;
class QTreeWidget;

namespace kolibra {

class HistoryWindow : public QWidget {
public:
    HistoryWindow(std::string folder, const TemplateDocument& doc, FilePicker& picker,
                  Prompter& prompter, QWidget* owner);

    // Reads the history again, keeping the chosen reception chosen.
    void refresh();
    // The number of the chosen reception, 0 for none.
    int chosen() const;
    void choose(int number);

    bool save_text();
    bool save_columns();
    bool remove();

    QTreeWidget* list() const { return list_; }
    QLabel* status() const { return status_; }
    QPushButton* text_button() const { return text_button_; }
    QPushButton* columns_button() const { return columns_button_; }
    QPushButton* delete_button() const { return delete_button_; }

private:
    void show_status();
    void update_buttons();

    HistoryBrowser browser_;
    const TemplateDocument& doc_;
    QTreeWidget* list_ = nullptr;
    QLabel* status_ = nullptr;
    QPushButton* text_button_ = nullptr;
    QPushButton* columns_button_ = nullptr;
    QPushButton* delete_button_ = nullptr;
};

// Shows the owner's history window, creating it the first time, with the
// list read again.
HistoryWindow* show_history_window(QWidget* owner, const std::string& folder,
                                   const TemplateDocument& doc, FilePicker& picker,
                                   Prompter& prompter);

}  // namespace kolibra
