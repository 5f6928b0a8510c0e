// irfetch's settings: their defaults, the "irfetch.ini" file and the command
// line. No toolkit here, so all of it is tested on its own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kolibra {

enum class FileMode : uint8_t { Overwrite = 0, Append = 1, NewName = 2 };

constexpr std::size_t kIrfetchMaxDirectory = 254;
constexpr std::size_t kIrfetchMaxFileName = 61;
// The longest full path of a data file, as a Windows path buffer holds it.
constexpr std::size_t kIrfetchMaxPath = 259;
// An ini file in the layout below is at most 344 bytes; anything past this
// is never read.
constexpr std::size_t kIrfetchMaxIniBytes = 1024;

constexpr const char* kIrfetchIniName = "irfetch.ini";

struct IrfetchSettings {
    std::string directory;  // at most 254 characters
    std::string file_name;  // at most 61 characters
    uint8_t port_index = 0;  // 0..5 = COM1..COM6
    uint8_t baud_index = 0;  // 0..4 = 115200, 57600, 38400, 19200, 9600
    FileMode file_mode = FileMode::Overwrite;
    bool add_cr = true;
    bool add_lf = true;
    bool show_messages = true;
    bool view_data = true;
    bool always_show_dialog = true;
};

// The defaults: the program's folder (with its trailing separator), no file
// name, COM1, 115200, "Overwrite", every option on.
IrfetchSettings default_irfetch_settings(const std::string& program_folder);

// Takes the values of an "irfetch.ini" text into the settings. Line 1 is the
// directory and line 2 the file name, each ended by CR LF; after them every
// digit sits 3 bytes after the one before. A digit out of its range, or a
// directory or name too long for its setting, is ignored.
void read_irfetch_ini(std::string_view text, IrfetchSettings& settings);

// The ini text: ten lines ended by CR LF, except the last digit, which ends
// the file.
std::string irfetch_ini_text(const IrfetchSettings& settings);

// Reads the command line into the settings and returns the data file path it
// names (empty: no command line). The path is the text up to the first comma;
// then port, baud, mode, add CR, add LF, show messages, view data follow as one
// character each with one separator character between them. A value missing
// or out of range leaves the setting as it was.
std::string read_irfetch_command_line(std::string_view text, IrfetchSettings& settings);

// The directory, a separator unless it is empty or already ends in one, and
// the file name.
std::string irfetch_full_path(const IrfetchSettings& settings);

}  // namespace kolibra
