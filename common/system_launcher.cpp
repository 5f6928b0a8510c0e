#include "common/system_launcher.h"

#include <cstdlib>

#ifdef _WIN32
#include <windows.h>
#else
#include <errno.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>

extern char** environ;
#endif

namespace kolibra {

namespace {

std::string default_viewer() {
#if defined(_WIN32)
    return "notepad.exe";
#elif defined(__APPLE__)
    return "open";
#else
    return "xdg-open";
#endif
}

#ifndef _WIN32
// The caller never waits for a viewer. A thread of its own waits for each
// one, so a closed viewer is collected at once instead of lingering as a
// zombie; it waits for that child only, never for those other code may be
// waiting for, and sleeps in waitpid without using the CPU.
void reap_when_done(pid_t child) {
    std::thread([child] {
        while (waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
        }
    }).detach();
}
#endif

}  // namespace

std::vector<std::string> text_viewer_command(const std::string& path) {
    std::string viewer = default_viewer();
    if (const char* chosen = std::getenv("KOLIBRA_TEXT_VIEWER"); chosen && *chosen) viewer = chosen;
    return {viewer, path};
}

#ifdef _WIN32

bool SystemLauncher::show_text_file(const std::string& path) {
    const std::vector<std::string> command = text_viewer_command(path);
    // Windows passes one command line; quote the path so spaces survive.
    std::string line = command[0] + " \"" + command[1] + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

#else

bool SystemLauncher::show_text_file(const std::string& path) {
    std::vector<std::string> command = text_viewer_command(path);
    std::vector<char*> argv;
    for (std::string& word : command) argv.push_back(word.data());
    argv.push_back(nullptr);
    pid_t child = 0;
    if (posix_spawnp(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return false;
    reap_when_done(child);
    return true;
}

#endif

}  // namespace kolibra
