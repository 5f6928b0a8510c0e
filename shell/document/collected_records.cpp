#include "shell/document/collected_records.h"

#include "model/file_io.h"

#include <cstdint>

namespace kolibra {

std::string records_file_text(const std::vector<std::string>& records) {
    std::string text;
    for (const std::string& record : records) text += record + "\r\n";
    return text;
}

std::string visible_record(const std::string& record) {
    std::string shown;
    for (const char c : record) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (c == '\r') shown += "<CR>";
        else if (c == '\n') shown += "<LF>";
        else if (c == '\t') shown += "<TAB>";
        else if (u < 32 || u == 127) shown += "<" + std::to_string(u) + ">";
        else shown += c;
    }
    return shown;
}

std::string record_count_text(std::size_t count) {
    return std::to_string(count) + (count == 1 ? " record" : " records");
}

std::optional<std::string> save_collected_records(const std::vector<std::string>& records,
                                                  FilePicker& picker, Prompter& prompter) {
    if (records.empty()) {
        prompter.tell("No records to save.", kRecordsWindowTitle, Icon::Information);
        return std::nullopt;
    }
    FileDialogRequest request;
    request.filters = {{"Data files {*.TXT}", "*.TXT"}, {"All files {*.*}", "*.*"}};
    request.default_extension = "TXT";
    request.path_must_exist = true;
    request.confirm_overwrite = true;
    std::optional<std::string> path = picker.choose_save(request);
    if (!path) return std::nullopt;

    const std::string text = records_file_text(records);
    const IoResult written =
        replace_file(*path, reinterpret_cast<const uint8_t*>(text.data()), text.size());
    if (!written.ok) {
        prompter.tell("Can't save the records to " + *path + ": " + written.reason, "Error",
                      Icon::Warning);
        return std::nullopt;
    }
    return path;
}

bool confirm_clear_records(std::size_t count, Prompter& prompter) {
    if (count == 0) return true;
    const std::string text = "Clear the " + record_count_text(count) +
                             " from the list? Records not saved are lost.";
    return prompter.ask(text, kRecordsWindowTitle, Icon::Warning, Buttons::YesNo) == Answer::Yes;
}

}  // namespace kolibra
