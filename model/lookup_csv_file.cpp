#include "model/lookup_csv_file.h"

#include "common/file_replace.h"
#include "model/choices.h"
#include "model/file_io.h"

#include <chrono>
#include <filesystem>
#include <system_error>

namespace kolibra {

namespace {

std::string base_name(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool described(const LookupRecord& l) { return l.member_length != 0 && l.field_count != 0; }

// A name in the system's temporary folder that no file has yet.
std::string fresh_temporary_name(std::string& reason) {
    std::error_code ec;
    const std::filesystem::path folder = std::filesystem::temp_directory_path(ec);
    if (ec) {
        reason = "there is no folder for temporary files: " + ec.message();
        return "";
    }
    static unsigned counter = 0;
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::filesystem::path candidate =
            folder / ("kolibra-lookup-" + std::to_string(ticks) + "-" + std::to_string(++counter) +
                      ".TXT");
        if (!std::filesystem::exists(candidate, ec)) return candidate.string();
    }
    reason = "no free name for a temporary file in " + folder.string();
    return "";
}

}  // namespace

bool is_csv_name(const std::string& path) {
    if (path.size() < 4) return false;
    std::string end = path.substr(path.size() - 4);
    for (char& c : end) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return end == ".csv";
}

CsvLookupForDownload::~CsvLookupForDownload() {
    if (path_.empty()) return;
    std::error_code ec;
    std::filesystem::remove(path_, ec);
}

bool CsvLookupForDownload::prepare(const Template& t, int file, const std::string& csv_path,
                                   const LookupConvertOptions& options) {
    const std::string name = base_name(csv_path);
    std::string csv, reason;
    if (!read_whole_file(csv_path, kMaxCsvBytes, csv, reason)) {
        message_ = name + " " + reason + "; nothing was sent.";
        return false;
    }
    conversion_ = convert_csv_to_lookup(t, file, csv, options);
    const std::string lookup_name =
        file >= 0 && file < kLookupCount ? kLookupFileChoices[file + 1] : "lookup file";
    if (!conversion_.ok) {
        message_ = name + " cannot be made into the " + lookup_name + ": " + conversion_.reason +
                   "; nothing was sent.";
        return false;
    }
    if (conversion_.refused > 0) {
        message_ = name + " was not sent: " + std::to_string(conversion_.refused) + " of its lines " +
                   (conversion_.refused == 1 ? "does" : "do") + " not fit the " + lookup_name +
                   ".\n" + first_refusals_text(conversion_, kRefusalsNamed);
        message_.pop_back();  // the last line end
        return false;
    }
    if (conversion_.written == 0) {
        // Sent, an empty file would replace the terminal's lookup data with none.
        message_ = name + " holds no lines for the " + lookup_name + "; nothing was sent.";
        return false;
    }
    std::string temporary = fresh_temporary_name(reason);
    if (temporary.empty()) {
        message_ = "The converted " + name + " cannot be kept: " + reason + "; nothing was sent.";
        return false;
    }
    const ReplaceResult written = replace_file_contents(temporary, conversion_.lookup);
    if (!written.ok) {
        message_ = "The converted " + name + " cannot be written to " + temporary + ": " +
                   written.reason + "; nothing was sent.";
        return false;
    }
    path_ = temporary;
    return true;
}

int ask_csv_lookup_file(Prompter& prompter, const Template& t, const std::string& csv_path) {
    const std::string name = base_name(csv_path);
    int count = 0, only = -1;
    for (int j = 0; j < kLookupCount; ++j)
        if (described(t.lookups[j])) ++count, only = j;
    if (count == 0) {
        prompter.tell("The template describes no lookup file, so " + name +
                          " cannot be made into one; nothing was sent.",
                      "Error", Icon::Warning);
        return -1;
    }
    if (count == 1) return only;
    for (int j = 0; j < kLookupCount; ++j) {
        if (!described(t.lookups[j])) continue;
        const Answer answer =
            prompter.ask("Send " + name + " as the " + kLookupFileChoices[j + 1] + "?",
                         "Download lookup file", Icon::Question, Buttons::YesNoCancel);
        if (answer == Answer::Yes) return j;
        if (answer == Answer::Cancel) return -1;
    }
    return -1;
}

}  // namespace kolibra
