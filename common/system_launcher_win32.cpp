#include "common/system_launcher.h"

#include "common/names_win32.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace kolibra {

bool SystemLauncher::show_text_file(const std::string& path) {
    // The program itself, found on the search path; no shell, so nothing in
    // the file's name is ever run.
    std::wstring line = widen_utf8(windows_command_line(text_viewer_command(path)));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

}  // namespace kolibra
