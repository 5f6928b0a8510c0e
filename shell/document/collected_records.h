// What the "Collected records" window does with the records the simulated
// terminal collected, without a toolkit: how a record is shown, how the
// records are saved (each followed by CR LF, as a reception writes them), and
// the questions that keep a slip from losing them.
#pragma once

#include "common/file_picker.h"
#include "common/prompter.h"

#include <optional>
#include <string>
#include <vector>

namespace kolibra {

constexpr char kRecordsWindowTitle[] = "Collected records";

// The records as a saved file holds them: each followed by CR LF.
std::string records_file_text(const std::vector<std::string>& records);

// A record as the list shows it: control characters as <CR>, <LF>, <TAB> or
// <NN> (their decimal code), so a delimiter or a code-list suffix is visible.
std::string visible_record(const std::string& record);

// "1 record", "2 records".
std::string record_count_text(std::size_t count);

// Asks for a file and writes `records` to it through the safe replace, so a
// failed write leaves the old file. With no records it says so and asks for
// nothing. Returns the path written, or nothing when there was nothing to
// save, the dialog was cancelled or the write failed (which is told).
std::optional<std::string> save_collected_records(const std::vector<std::string>& records,
                                                  FilePicker& picker, Prompter& prompter);

// Clearing throws the records away, so it is asked first; with no records
// there is nothing to ask. True: clear.
bool confirm_clear_records(std::size_t count, Prompter& prompter);

}  // namespace kolibra
