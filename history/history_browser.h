// What the "Reception history" window does, without the toolkit: list the
// receptions, save the chosen one as a data file or as columns (by the
// template in use), and delete one after asking. The Qt face (and a Win32
// one) only shows the list and forwards the buttons.
#pragma once

#include "common/file_picker.h"
#include "common/prompter.h"
#include "history/reception_history.h"
#include "model/template.h"

#include <string>
#include <vector>

namespace kolibra {

constexpr char kHistoryWindowTitle[] = "Reception history";

class HistoryBrowser {
public:
    HistoryBrowser(std::string folder, FilePicker& picker, Prompter& prompter)
        : folder_(std::move(folder)), picker_(picker), prompter_(prompter) {}

    // Reads the folder again; the entries oldest first.
    const std::vector<ReceptionEntry>& refresh();
    const std::vector<ReceptionEntry>& entries() const { return entries_; }

    // One line of the list: number, start, program, port, speed, outcome, records.
    static std::vector<std::string> row(const ReceptionEntry& entry);
    static std::vector<std::string> headings();

    // Asks for a file and writes reception `number` as a reception writes a
    // data file. The message of the last action is in status(). False when
    // cancelled or failed (a failure is told in a box).
    bool save_text(int number);
    // Asks for a .CSV file and writes the records as the columns of the
    // template's forms; records that fit no form are told.
    bool save_columns(int number, const Template& tpl);
    // Asks, then deletes the entry.
    bool remove(int number);

    const std::string& status() const { return status_; }

private:
    std::optional<std::string> records_of(int number);

    std::string folder_;
    FilePicker& picker_;
    Prompter& prompter_;
    std::vector<ReceptionEntry> entries_;
    std::string status_;
};

}  // namespace kolibra
