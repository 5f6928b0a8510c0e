#include "link/bench/bench_host.h"

#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>

namespace kolibra::bench {

bool StandIn::start(const std::string& program, const std::string& records,
                    const std::string& out, bool silent) {
    std::vector<std::string> args{"--records", records, "--out", out};
    if (silent) args.push_back("--silent");
    return start_with(program, args);
}

bool StandIn::start_with(const std::string& program, const std::vector<std::string>& args) {
    int fds[2];
    if (::pipe(fds) != 0) return false;
    std::vector<std::string> words{program};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(fds[1], STDOUT_FILENO);
        ::close(fds[0]);
        ::close(fds[1]);
        ::execv(program.c_str(), argv.data());
        std::perror("link_bench: cannot start k2term");
        ::_exit(127);
    }
    ::close(fds[1]);
    if (pid < 0) {
        ::close(fds[0]);
        return false;
    }
    pid_ = pid;
    out_fd_ = fds[0];
    char c;
    while (::read(out_fd_, &c, 1) == 1 && c != '\n') device_ += c;
    return !device_.empty();
}

StandIn::~StandIn() {
    if (pid_ > 0) {
        ::kill(static_cast<pid_t>(pid_), SIGTERM);
        ::waitpid(static_cast<pid_t>(pid_), nullptr, 0);
    }
    if (out_fd_ >= 0) ::close(out_fd_);
}

double process_cpu_seconds() {
    rusage u{};
    ::getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

std::string make_scratch_folder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "link_bench_XXXXXX").string();
    return ::mkdtemp(pattern.data()) ? pattern : std::string();
}

void set_environment(const char* name, const std::string& value) {
    ::setenv(name, value.c_str(), 1);
}

}  // namespace kolibra::bench
