// A CSV item list made ready for a lookup download: read, converted as the
// template describes the lookup file, and held in a temporary lookup file
// that the download sends and that goes away with this object. A list with
// any refused line is not made ready, so nothing of it reaches the terminal.
#pragma once

#include "common/prompter.h"
#include "model/lookup_convert.h"
#include "model/template.h"

#include <string>

namespace kolibra {

// True when the name ends in ".csv", in any case.
bool is_csv_name(const std::string& path);

// The largest CSV file read: far more than three lookup files of a terminal.
constexpr std::size_t kMaxCsvBytes = 16u << 20;

// How many refused lines a message names before "and N more".
constexpr std::size_t kRefusalsNamed = 3;

class CsvLookupForDownload {
public:
    CsvLookupForDownload() = default;
    CsvLookupForDownload(const CsvLookupForDownload&) = delete;
    CsvLookupForDownload& operator=(const CsvLookupForDownload&) = delete;
    ~CsvLookupForDownload();

    // Converts `csv_path` for lookup file `file` (0 to 2) and writes the
    // temporary lookup file. False, with message() for the user, when the
    // file cannot be read or converted, when any line is refused (the first
    // few named) and when no line is left to send.
    bool prepare(const Template& t, int file, const std::string& csv_path,
                 const LookupConvertOptions& options);

    const std::string& lookup_path() const { return path_; }
    const std::string& message() const { return message_; }
    const LookupConversion& conversion() const { return conversion_; }

private:
    std::string path_;
    std::string message_;
    LookupConversion conversion_;
};

// The lookup file (0 to 2) a CSV is converted for when no number is given:
// the one the template describes, or, when it describes several, the one the
// user takes in a Yes / No question for each in turn. -1 when none is
// described (after telling so) or none was taken.
int ask_csv_lookup_file(Prompter& prompter, const Template& t, const std::string& csv_path);

}  // namespace kolibra
