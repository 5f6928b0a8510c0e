// The command line of k2term, the terminal stand-in on a pseudo-terminal, and
// the files it reads and writes. Kept apart from the program's main loop so
// it can be tested.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "link/standin/terminal_standin.h"
#include "link/standin/transceiver_standin.h"

namespace kolibra {

struct K2termOptions {
    std::string records_file;   // empty: no records to hand over
    std::string out_dir = ".";
    std::string link_path;      // symlink to the device, made at start, removed at exit
    bool transceiver = false;
    uint32_t ir_speed = 9600;
    bool verbose = false;
    // Pace messages both ways to the desktop's baud rate, as a real line would.
    bool line_rate = false;
    bool help = false;
    TerminalOptions terminal;
};

// Parses argv (without the program name). False with a message in `error`
// for an unknown option, a missing value or a bad number.
bool parse_k2term_options(const std::vector<std::string>& args, K2termOptions& options,
                          std::string& error);

std::string k2term_usage();

// Records of a text file, one per line; CR LF, LF and CR all end a line, and
// text after the last line end is a record too. False if unreadable.
bool load_records(const std::string& path, std::vector<std::string>& records, std::string& error);

// Writes data to path through a temporary file in the same folder, so a
// failed write never leaves a half file under the final name.
bool write_file_whole(const std::string& path, const std::string& data, std::string& error);

// A lookup file as received: each record followed by CR LF.
std::string lookup_file_text(const std::vector<std::string>& records);

}  // namespace kolibra
