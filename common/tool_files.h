// File helpers shared by the two small tools (irfetch and lkpsend): where the
// program lives, where its ini file goes, joining and cutting paths, and
// reading and replacing small files safely.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kolibra {

#ifdef _WIN32
constexpr char kPathSeparator = '\\';
#else
constexpr char kPathSeparator = '/';
#endif

// True for the characters that end a folder name on this platform.
bool is_path_separator(char c);

// The folder of the running program, with a trailing separator. argv0 is the
// fallback when the system cannot tell the program's own path.
std::string program_folder(const char* argv0);

// The places an ini file may live.
struct IniPlaces {
    std::string program_folder;   // with a trailing separator
    bool program_folder_writable = false;
    std::string xdg_config_home;  // $XDG_CONFIG_HOME, may be empty
    std::string home;             // $HOME, may be empty
    std::string appdata;          // %APPDATA% (Windows), may be empty
};

// The places of this run, read from the system and the environment.
IniPlaces current_ini_places(const char* argv0);

// Beside the program when its folder is writable; else the user's
// configuration folder: $XDG_CONFIG_HOME/kolibra, else ~/.config/kolibra
// (%APPDATA%\kolibra on Windows). Falls back to the program folder when none
// of those is known.
std::string ini_file_path(const IniPlaces& places, const std::string& file_name);

// The directory, a separator unless the directory is empty or already ends in
// one, and the name.
std::string join_path(std::string_view directory, std::string_view name);

// Cuts a path at its last separator: the part before it (without the
// separator) and the rest. A path without a separator is all name.
struct PathParts {
    std::string directory;
    std::string name;
};
PathParts split_at_last_separator(std::string_view path);

// The first max_bytes of a file (nothing if it cannot be read), and whether
// the file held more than that.
struct FilePrefix {
    std::string bytes;
    bool longer = false;
};
std::optional<FilePrefix> read_file_prefix(const std::string& path, std::size_t max_bytes);

// What a tool's main() finds out before its run: the arguments joined into
// the one command-line text the run reads (split by the shell, rejoined with
// single spaces), the program's folder and the ini file's path.
struct ToolStart {
    int argc = 0;
    char** argv = nullptr;
    std::string command_line;
    std::string program_folder;
    std::string ini_path;
};
ToolStart tool_start(int argc, char** argv, const std::string& ini_name);

// Replaces the file with exactly these bytes, creating its folder when
// needed. The bytes go to a temporary file first, so a failed write leaves
// the old file as it was. False when the file could not be written.
bool replace_file(const std::string& path, std::string_view bytes);

}  // namespace kolibra
