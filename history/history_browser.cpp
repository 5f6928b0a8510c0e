#include "history/history_browser.h"

#include "common/file_replace.h"
#include "history/columns_export.h"
#include "link/protocol/receive.h"

namespace kolibra {

namespace {

constexpr const char* kErrorCaption = "Error";
// A long list of records that fit no form is cut in the box; the count says the rest.
constexpr std::size_t kUnmatchedShown = 10;

std::string number_text(int number) { return "reception " + std::to_string(number); }

}  // namespace

const std::vector<ReceptionEntry>& HistoryBrowser::refresh() {
    entries_ = list_receptions(folder_);
    return entries_;
}

std::vector<std::string> HistoryBrowser::headings() {
    return {"No.", "Started", "Program", "Port", "Speed", "Outcome", "Records"};
}

std::vector<std::string> HistoryBrowser::row(const ReceptionEntry& e) {
    return {std::to_string(e.number), e.started, e.program, e.port, e.speed, e.outcome,
            std::to_string(e.records)};
}

std::optional<std::string> HistoryBrowser::records_of(int number) {
    std::string reason;
    auto records = reception_records(folder_, number, reason);
    if (!records) prompter_.tell("Can't read " + number_text(number) + ": " + reason, kErrorCaption, Icon::Warning);
    return records;
}

bool HistoryBrowser::save_text(int number) {
    const auto records = records_of(number);
    if (!records) return false;
    // The same dialog as a reception's data file.
    const auto path = choose_data_file(picker_);
    if (!path) return false;
    const ReplaceResult written = replace_file_contents(*path, *records);
    if (!written.ok) {
        prompter_.tell("Can't save the records to " + *path + ": " + written.reason, kErrorCaption,
                       Icon::Warning);
        return false;
    }
    status_ = number_text(number) + " saved to " + *path;
    return true;
}

bool HistoryBrowser::save_columns(int number, const Template& tpl) {
    const auto records = records_of(number);
    if (!records) return false;
    FileDialogRequest request;
    request.filters = {{"CSV files {*.CSV}", "*.CSV"}, {"All files {*.*}", "*.*"}};
    request.default_extension = "CSV";
    request.path_must_exist = true;
    request.confirm_overwrite = true;
    const auto path = picker_.choose_save(request);
    if (!path) return false;
    const ColumnsExport result = export_columns(tpl, *records, *path);
    std::string told;
    const std::vector<std::string> lines = unmatched_lines(number_text(number), result);
    for (std::size_t i = 0; i < lines.size() && i < kUnmatchedShown; ++i) told += lines[i] + "\n";
    if (lines.size() > kUnmatchedShown)
        told += "... " + std::to_string(lines.size() - kUnmatchedShown) + " more\n";
    if (!result.ok) {
        prompter_.tell(told + "Nothing was saved: " + result.reason, kErrorCaption, Icon::Warning);
        return false;
    }
    std::string files;
    for (const std::string& file : result.written) files += "\n" + file;
    if (!told.empty()) {
        prompter_.tell(told + "These records were left out. The others were saved to:" + files,
                       kHistoryWindowTitle, Icon::Warning);
    }
    status_ = number_text(number) + " saved as columns to " + result.written.front() +
              (result.written.size() > 1 ? " and " + std::to_string(result.written.size() - 1) + " more" : "");
    return true;
}

bool HistoryBrowser::remove(int number) {
    const Answer answer = prompter_.ask("Delete reception " + std::to_string(number) +
                                            " from the history? Its records cannot be brought back.",
                                        kHistoryWindowTitle, Icon::Question, Buttons::YesNo);
    if (answer != Answer::Yes) return false;
    const HistoryResult removed = delete_reception(folder_, number);
    if (!removed.ok) {
        prompter_.tell("Can't delete " + number_text(number) + ": " + removed.reason, kErrorCaption,
                       Icon::Warning);
        return false;
    }
    status_ = number_text(number) + " deleted";
    refresh();
    return true;
}

}  // namespace kolibra
