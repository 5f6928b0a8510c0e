#include "history/reception_history.h"

#include "common/file_open.h"
#include "common/file_replace.h"
#include "common/tool_files.h"
#include "history/history_files.h"
#include "link/protocol/receive.h"
#include "link/port_names.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace kolibra {

namespace {

namespace fs = std::filesystem;

constexpr int kNumberDigits = 6;
// Names tried after the highest number found, in case another program claims
// them at the same moment (or a damaged entry is in the way).
constexpr int kClaimTries = 100;
// An .info file is a few lines; anything longer is damaged and read no further.
constexpr std::size_t kInfoMaxBytes = 4096;

std::string entry_stem(const std::string& folder, int number) {
    std::string digits = std::to_string(number);
    if (static_cast<int>(digits.size()) < kNumberDigits) digits.insert(0, kNumberDigits - digits.size(), '0');
    return join_path(folder, digits);
}

// The number of a records file name "NNNNNN.txt", or 0.
int entry_number(const std::string& name) {
    if (name.size() != kNumberDigits + 4 || name.compare(kNumberDigits, 4, ".txt") != 0) return 0;
    int number = 0;
    for (int i = 0; i < kNumberDigits; ++i) {
        if (name[i] < '0' || name[i] > '9') return 0;
        number = number * 10 + (name[i] - '0');
    }
    return number;
}

std::vector<int> entry_numbers(const std::string& folder) {
    std::vector<int> numbers;
    std::error_code error;
    for (fs::directory_iterator it(fs::path(folder), error), end; !error && it != end;
         it.increment(error)) {
        if (int n = entry_number(it->path().filename().string())) numbers.push_back(n);
    }
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

std::string info_value(const std::string& text, const std::string& key) {
    const std::string wanted = key + "=";
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(at, end - at);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.compare(0, wanted.size(), wanted) == 0) return line.substr(wanted.size());
        at = end + 1;
    }
    return {};
}

// A count of up to 9 digits, or -1.
int whole_number(const std::string& text) {
    if (text.empty() || text.size() > 9) return -1;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

int count_records(const std::string& bytes) {
    int count = 0;
    for (std::size_t at = bytes.find("\r\n"); at != std::string::npos; at = bytes.find("\r\n", at + 2))
        ++count;
    return count;
}

}  // namespace

std::string default_history_folder() {
    const std::string data = user_data_folder();
    if (data.empty()) return {};
    return join_path(join_path(data, "kolibra"), "receptions");
}

const char* outcome_text(int result) {
    if (result > 0) return "complete";
    if (result == 0) return "no data";
    if (result == kReceiveCancelled) return "cancelled";
    return "broken off";
}

std::vector<ReceptionEntry> list_receptions(const std::string& folder) {
    std::vector<ReceptionEntry> entries;
    if (folder.empty()) return entries;
    for (int number : entry_numbers(folder)) {
        ReceptionEntry entry;
        entry.number = number;
        const std::string stem = entry_stem(folder, number);
        std::string info_records;
        if (auto info = read_file_prefix(stem + ".info", kInfoMaxBytes)) {
            info_records = info_value(info->bytes, "records");
            entry.program = info_value(info->bytes, "program");
            entry.port = info_value(info->bytes, "port");
            entry.speed = info_value(info->bytes, "speed");
            entry.started = info_value(info->bytes, "started");
            entry.ended = info_value(info->bytes, "ended");
            entry.outcome = info_value(info->bytes, "outcome");
        }
        // A records file without its .info: the program ended (or crashed)
        // before it could say more.
        if (entry.outcome.empty()) entry.outcome = "unfinished";
        // A finished entry says how many records it holds; an unfinished or
        // damaged one is counted in its records file.
        const int told = entry.outcome == "unfinished" ? -1 : whole_number(info_records);
        std::string reason;
        if (told >= 0) entry.records = told;
        else if (auto bytes = reception_records(folder, number, reason)) entry.records = count_records(*bytes);
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::optional<std::string> reception_records(const std::string& folder, int number,
                                             std::string& reason) {
    const std::string path = entry_stem(folder, number) + ".txt";
    std::FILE* file = open_file(path, "rb");
    if (!file) {
        reason = "reception " + std::to_string(number) + " is not in the history";
        return std::nullopt;
    }
    std::string bytes;
    char buffer[65536];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, got);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) {
        reason = path + ": the file could not be read";
        return std::nullopt;
    }
    return bytes;
}

HistoryResult delete_reception(const std::string& folder, int number) {
    HistoryResult result;
    const std::string stem = entry_stem(folder, number);
    std::error_code error;
    if (!fs::remove(fs::path(stem + ".txt"), error)) {
        result.reason = error ? error.message()
                              : "reception " + std::to_string(number) + " is not in the history";
        return result;
    }
    fs::remove(fs::path(stem + ".info"), error);  // may be missing after a crash
    result.ok = true;
    return result;
}

HistoryRecorder::HistoryRecorder(std::string folder, std::string program, std::string port,
                                 long speed)
    : folder_(std::move(folder)),
      program_(std::move(program)),
      port_(std::move(port)),
      speed_(std::to_string(speed)) {}

HistoryRecorder::HistoryRecorder(std::string folder, std::string program, const LinkTarget& target)
    : HistoryRecorder(std::move(folder), std::move(program),
                      port_name(target.port_index) + (target.use_ir ? " IR" : ""),
                      static_cast<long>(baud_for_index(target.baud_index))) {}

HistoryRecorder::~HistoryRecorder() { close_records(/*sync=*/true); }

void HistoryRecorder::fail(const std::string& reason) {
    if (failure_.empty()) failure_ = reason;
    close_records(/*sync=*/false);
}

void HistoryRecorder::close_records(bool sync) {
    if (!records_file_) return;
    std::string reason;
    if (sync && !flush_to_disk(records_file_, reason) && failure_.empty()) failure_ = reason;
    std::fclose(records_file_);
    records_file_ = nullptr;
}

bool HistoryRecorder::write_info(const std::string& outcome) {
    const std::string text = "program=" + program_ + "\r\nport=" + port_ + "\r\nspeed=" + speed_ +
                             "\r\nstarted=" + started_ + "\r\nended=" + ended_ +
                             "\r\noutcome=" + outcome + "\r\nrecords=" + std::to_string(records_) +
                             "\r\n";
    const ReplaceResult written = replace_file_contents(entry_stem(folder_, number_) + ".info", text);
    if (!written.ok) fail(entry_stem(folder_, number_) + ".info: " + written.reason);
    return written.ok;
}

void HistoryRecorder::reception_started() {
    close_records(/*sync=*/true);
    failure_.clear();
    records_ = 0;
    number_ = 0;
    started_ = local_time_now();
    ended_.clear();
    if (folder_.empty()) {
        fail("no per-user data folder is known");
        return;
    }
    std::error_code error;
    fs::create_directories(fs::path(folder_), error);
    if (error) {
        fail(folder_ + ": " + error.message());
        return;
    }
    const std::vector<int> numbers = entry_numbers(folder_);
    int candidate = numbers.empty() ? 1 : numbers.back() + 1;
    for (int tries = 0; tries < kClaimTries && !records_file_; ++tries, ++candidate) {
        bool existed = false;
        std::string reason;
        records_file_ = create_exclusive(entry_stem(folder_, candidate) + ".txt", existed, reason);
        if (!records_file_ && !existed) {
            fail(entry_stem(folder_, candidate) + ".txt: " + reason);
            return;
        }
        if (records_file_) number_ = candidate;
    }
    if (!records_file_) {
        fail(folder_ + ": no free entry number");
        return;
    }
    write_info("unfinished");
}

void HistoryRecorder::record_accepted(const uint8_t* record, std::size_t size) {
    ++records_;
    if (!records_file_) {
        if (kept()) fail("the history was not started");
        return;
    }
    const bool written = std::fwrite(record, 1, size, records_file_) == size &&
                         std::fwrite("\r\n", 1, 2, records_file_) == 2 &&
                         std::fflush(records_file_) == 0;
    if (!written) {
        fail(entry_stem(folder_, number_) + ".txt: " + std::strerror(errno));
        return;
    }
    std::string reason;
    if (sync_every_record_ && !flush_to_disk(records_file_, reason))
        fail(entry_stem(folder_, number_) + ".txt: " + reason);
}

void HistoryRecorder::reception_ended(int result, int records) {
    if (records_ != records && kept()) {
        // The protocol counted records the history was not told of.
        fail("the history missed records");
    }
    close_records(/*sync=*/true);
    ended_ = local_time_now();
    if (number_ != 0) write_info(outcome_text(result));
}

}  // namespace kolibra
