#include "link/bench/bench_support.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

namespace kolibra::bench {

bool K2term::start(const std::string& program, const std::vector<std::string>& args) {
    int fds[2];
    if (::pipe(fds) != 0) return false;
    std::vector<std::string> words{program};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);
    pid = ::fork();
    if (pid == 0) {
        ::dup2(fds[1], STDOUT_FILENO);
        ::close(fds[0]);
        ::close(fds[1]);
        ::execv(program.c_str(), argv.data());
        std::perror("link_bench: cannot start k2term");
        ::_exit(127);
    }
    ::close(fds[1]);
    if (pid < 0) return false;
    out_fd = fds[0];
    char c;
    while (::read(out_fd, &c, 1) == 1 && c != '\n') device += c;
    return !device.empty();
}

K2term::~K2term() {
    if (pid > 0) {
        ::kill(pid, SIGTERM);
        ::waitpid(pid, nullptr, 0);
    }
    if (out_fd >= 0) ::close(out_fd);
}

}  // namespace kolibra::bench
