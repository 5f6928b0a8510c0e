// The reception history: every reception of tgen and irfetch also keeps its
// accepted records here, whatever its outcome, so records already
// acknowledged to the terminal survive a reception that breaks off.
//
// One reception is two plain text files in the history folder, readable by
// any program:
//   000007.txt   the records exactly as a data file holds them (record, CR LF)
//   000007.info  "key=value" lines: program, port, speed, started, ended,
//                outcome ("complete", "broken off", "cancelled", "no data"; "unfinished"
//                while receiving or after a crash) and records
// The number is claimed by creating the .txt file exclusively, so two
// programs receiving at once never write into one entry.
//
//     HistoryRecorder history(default_history_folder(), "tgen", target);
//     receive_records(link, data, view, options, &history);
//     for (const ReceptionEntry& e : list_receptions(default_history_folder())) ...
#pragma once

#include "link/protocol/link_session.h"
#include "link/protocol/reception_log.h"

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace kolibra {

// <per-user data folder>/kolibra/receptions; empty when the system names no
// per-user data folder.
std::string default_history_folder();

struct ReceptionEntry {
    int number = 0;
    std::string program;
    std::string port;
    std::string speed;
    std::string started;  // local time, YYYY-MM-DDTHH:MM:SS
    std::string ended;
    std::string outcome;
    int records = 0;      // as the .info says, else counted in the records file
};

// The entries of the folder, oldest (lowest number) first. A missing folder
// has none; a damaged .info file gives empty fields, never an error.
std::vector<ReceptionEntry> list_receptions(const std::string& folder);

struct HistoryResult {
    bool ok = false;
    std::string reason;
};

// The bytes of reception `number`'s records file.
std::optional<std::string> reception_records(const std::string& folder, int number,
                                             std::string& reason);

// Removes both files of reception `number`.
HistoryResult delete_reception(const std::string& folder, int number);

// The outcome word stored for a result of receive_records.
const char* outcome_text(int result);

// Keeps one reception in the history folder. Never stops the reception: a
// failure only makes kept() false and failure() say why.
class HistoryRecorder : public ReceptionLog {
public:
    HistoryRecorder(std::string folder, std::string program, std::string port, long speed);
    // Port and speed of the target: "COM2" (or "COM2 IR" through the
    // transceiver) and its bit rate.
    HistoryRecorder(std::string folder, std::string program, const LinkTarget& target);
    ~HistoryRecorder() override;
    HistoryRecorder(const HistoryRecorder&) = delete;
    HistoryRecorder& operator=(const HistoryRecorder&) = delete;

    void reception_started() override;
    void record_accepted(const uint8_t* record, std::size_t size) override;
    void reception_ended(int result, int records) override;
    bool kept() const override { return failure_.empty(); }
    std::string failure() const override { return failure_; }
    int records() const override { return records_; }

    // Also flush every record to the disk, not only to the system (costly;
    // for the benchmark's comparison).
    void set_sync_every_record(bool on) { sync_every_record_ = on; }
    // The number of the entry, 0 before reception_started or when none could
    // be claimed.
    int number() const { return number_; }

private:
    void fail(const std::string& reason);
    bool write_info(const std::string& outcome);
    void close_records(bool sync);

    std::string folder_, program_, port_, speed_;
    std::string started_, ended_;
    std::FILE* records_file_ = nullptr;
    int number_ = 0;
    int records_ = 0;
    bool sync_every_record_ = false;
    std::string failure_;
};

}  // namespace kolibra
