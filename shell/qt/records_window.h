// "Collected records": a window beside the terminal that lists the record of
// every form completed in the simulator, as it is completed, and saves them
// to a text file with CR LF line ends, the way a reception writes them, so the
// program that reads the real data can be tried on simulated data.
#pragma once

#include "common/file_picker.h"
#include "common/prompter.h"
#include "shell/document/collected_records.h"

#include <QPointer>
#include <QWidget>

#include <string>
#include <vector>

class QLabel;
class QListWidget;
class QPushButton;

namespace kolibra {

class SimulatorWindow;

class RecordsWindow : public QWidget {
public:
    // A window of its own, owned by `owner` (it closes with it), that follows
    // the runtime of `simulator`.
    RecordsWindow(SimulatorWindow& simulator, FilePicker& picker, Prompter& prompter,
                  QWidget* owner);

    // Asks for a file and writes every collected record to it. False when
    // there was nothing to save, the dialog was cancelled or the write
    // failed (each told but the cancel; the old file stays).
    bool save();
    // Forgets the records collected so far, once the user agreed.
    void clear();

    QListWidget* list() const { return list_; }
    QLabel* status() const { return status_; }
    QPushButton* save_button() const { return save_button_; }
    QPushButton* clear_button() const { return clear_button_; }

private:
    void add(const std::string& record);
    void show_count();

    QPointer<SimulatorWindow> simulator_;
    FilePicker& picker_;
    Prompter& prompter_;
    QListWidget* list_ = nullptr;
    QLabel* status_ = nullptr;
    QPushButton* save_button_ = nullptr;
    QPushButton* clear_button_ = nullptr;
};

// The owner's records window, or null before it was first shown.
RecordsWindow* find_records_window(QWidget* owner);
// Shows the owner's records window, creating it the first time.
RecordsWindow* show_records_window(QWidget* owner, SimulatorWindow& simulator, FilePicker& picker,
                                   Prompter& prompter);

}  // namespace kolibra
