#include "common/system_launcher.h"

#include <errno.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>

extern char** environ;

namespace kolibra {

namespace {

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

}  // namespace

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

}  // namespace kolibra
