// The real text viewer: Notepad on Windows, elsewhere the desktop's default
// viewer (xdg-open, or open on macOS). The viewer is started with an argument
// list, never through a shell, and is not waited for.
#pragma once

#include "common/launcher.h"

#include <string>
#include <vector>

namespace kolibra {

// The program and arguments that show the file. The environment variable
// KOLIBRA_TEXT_VIEWER, when set and not empty, names the viewer program instead
// of the platform's default.
std::vector<std::string> text_viewer_command(const std::string& path);

// One command line for Windows' CreateProcess from separate arguments, quoted
// so that the started program's C library splits it back into the same
// arguments (spaces, quotes and backslashes before them).
std::string windows_command_line(const std::vector<std::string>& args);

// On Windows, CreateProcessW with that command line (no shell).
class SystemLauncher : public Launcher {
public:
    bool show_text_file(const std::string& path) override;
};

}  // namespace kolibra
