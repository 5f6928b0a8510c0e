// lkpsend's settings of one run, the "lkpsend.ini" file and the command line.
// No toolkit here, so all of it is tested on its own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kolibra {

// The longest lookup file path the tool takes (its path buffer holds 256).
constexpr std::size_t kLkpsendMaxPath = 255;
// "lkpsend.ini" holds one folder of at most this many bytes.
constexpr std::size_t kLkpsendMaxIniBytes = 255;

constexpr const char* kLkpsendIniName = "lkpsend.ini";

struct LkpsendSettings {
    std::string lookup_file;   // full path, at most 255 characters
    std::string start_folder;  // where the file dialog opens
    uint8_t port_index = 0;    // 0..5 = COM1..COM6
    uint8_t baud_index = 0;    // 0..4 = 115200, 57600, 38400, 19200, 9600
    bool use_transceiver = false;
};

// The defaults: no file, the program's folder, COM1, 115200, straight
// through the port.
LkpsendSettings default_lkpsend_settings(const std::string& program_folder);

// The start folder an "lkpsend.ini" text gives: the whole text, or the
// current one when the text is empty or longer than 255 bytes.
void read_lkpsend_ini(std::string_view text, LkpsendSettings& settings);

// The ini text after the file at `chosen_path` was chosen: the folder of that
// file without its trailing separator, no line end.
std::string lkpsend_ini_text(std::string_view chosen_path);

// Reads the command line into the settings: the lookup file path up to the
// first comma, then port, baud and transceiver as one character each with one
// separator character between them. Missing or out-of-range values keep
// their defaults. Returns the path (empty: no command line).
std::string read_lkpsend_command_line(std::string_view text, LkpsendSettings& settings);

}  // namespace kolibra
