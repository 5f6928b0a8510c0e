#include "common/system_launcher.h"

#include <cstdlib>

#ifdef _WIN32
#include <windows.h>
#else
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

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
// Viewers are never waited for. The ones that have ended since the last
// launch are collected here so they do not linger as zombies; only our own
// children are looked at, never those other code may be waiting for.
std::vector<pid_t>& started_viewers() {
    static std::vector<pid_t> viewers;
    return viewers;
}

void collect_finished_viewers() {
    std::vector<pid_t>& viewers = started_viewers();
    std::erase_if(viewers, [](pid_t pid) { return waitpid(pid, nullptr, WNOHANG) != 0; });
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
    collect_finished_viewers();
    std::vector<std::string> command = text_viewer_command(path);
    std::vector<char*> argv;
    for (std::string& word : command) argv.push_back(word.data());
    argv.push_back(nullptr);
    pid_t child = 0;
    if (posix_spawnp(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return false;
    started_viewers().push_back(child);
    return true;
}

#endif

}  // namespace kolibra
