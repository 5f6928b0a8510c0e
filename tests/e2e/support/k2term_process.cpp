#include "e2e/support/k2term_process.h"

#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

extern char** environ;

namespace kolibra::e2e {

namespace {

long long now_ms() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<long long>(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

std::vector<char*> c_strings(std::vector<std::string>& strings) {
    std::vector<char*> out;
    for (std::string& s : strings) out.push_back(s.data());
    out.push_back(nullptr);
    return out;
}

// Spawns program with stdout (and stderr if asked) on a new pipe.
pid_t spawn_with_pipe(const std::string& program, const std::vector<std::string>& args,
                      const std::vector<std::string>& extra_env, bool capture_stderr, int& read_fd) {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
    if (capture_stderr) posix_spawn_file_actions_adddup2(&actions, fds[1], 2);

    std::vector<std::string> argv_strings{program};
    argv_strings.insert(argv_strings.end(), args.begin(), args.end());
    std::vector<std::string> env_strings;
    for (char** e = environ; *e != nullptr; ++e) env_strings.emplace_back(*e);
    for (const std::string& extra : extra_env) {
        const std::string name = extra.substr(0, extra.find('=') + 1);
        std::erase_if(env_strings, [&](const std::string& e) { return e.rfind(name, 0) == 0; });
        env_strings.push_back(extra);
    }
    std::vector<char*> argv = c_strings(argv_strings);
    std::vector<char*> envp = c_strings(env_strings);

    pid_t pid = -1;
    const int rc = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    ::close(fds[1]);
    if (rc != 0) {
        ::close(fds[0]);
        return -1;
    }
    read_fd = fds[0];
    return pid;
}

// Waits for pid up to timeout_ms; the exit status, 128 + signal, or -1 on time-out.
int wait_for_exit(pid_t pid, int timeout_ms) {
    const long long deadline = now_ms() + timeout_ms;
    for (;;) {
        int status = 0;
        const pid_t r = ::waitpid(pid, &status, WNOHANG);
        if (r == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        if (r < 0 && errno != EINTR) return -1;
        if (now_ms() >= deadline) return -1;
        ::usleep(10000);
    }
}

}  // namespace

std::string default_k2term_path() {
#ifdef K2TERM_PATH
    return K2TERM_PATH;
#else
    const char* env = std::getenv("K2TERM");
    return env != nullptr && *env != '\0' ? env : "k2term";
#endif
}

K2termProcess::K2termProcess(std::string program) : program_(std::move(program)) {}

K2termProcess::~K2termProcess() {
    if (pid_ > 0) stop();
    if (out_fd_ >= 0) ::close(out_fd_);
}

bool K2termProcess::start(const std::vector<std::string>& args) {
    if (pid_ > 0) {
        error_ = "already running";
        return false;
    }
    pid_ = spawn_with_pipe(program_, args, {}, false, out_fd_);
    if (pid_ < 0) {
        error_ = "cannot start " + program_ + ": " + std::strerror(errno);
        return false;
    }
    const long long deadline = now_ms() + 5000;
    while (lines_.empty() && now_ms() < deadline && out_fd_ >= 0) {
        read_output(static_cast<int>(deadline - now_ms()));
    }
    if (lines_.empty()) {
        error_ = "k2term printed no device path";
        stop();
        return false;
    }
    device_ = lines_.front();
    lines_.erase(lines_.begin());
    return true;
}

void K2termProcess::read_output(int timeout_ms) {
    if (out_fd_ < 0) {
        if (timeout_ms > 0) ::usleep(static_cast<useconds_t>(timeout_ms) * 1000);
        return;
    }
    pollfd p{out_fd_, POLLIN, 0};
    if (::poll(&p, 1, timeout_ms) <= 0) return;
    char buf[1024];
    const ssize_t n = ::read(out_fd_, buf, sizeof buf);
    if (n <= 0) {
        ::close(out_fd_);
        out_fd_ = -1;
        return;
    }
    partial_.append(buf, static_cast<std::size_t>(n));
    std::size_t nl;
    while ((nl = partial_.find('\n')) != std::string::npos) {
        lines_.push_back(partial_.substr(0, nl));
        partial_.erase(0, nl + 1);
    }
}

const std::vector<std::string>& K2termProcess::lines() {
    read_output(0);
    return lines_;
}

std::optional<std::string> K2termProcess::wait_for_line(const std::string& prefix, int timeout_ms) {
    const long long deadline = now_ms() + timeout_ms;
    std::size_t checked = 0;
    for (;;) {
        for (; checked < lines_.size(); ++checked) {
            if (lines_[checked].rfind(prefix, 0) == 0) return lines_[checked];
        }
        const long long left = deadline - now_ms();
        if (left <= 0) return std::nullopt;
        read_output(static_cast<int>(left));
    }
}

bool K2termProcess::running() {
    if (pid_ <= 0) return false;
    int status = 0;
    const pid_t r = ::waitpid(pid_, &status, WNOHANG);
    if (r == 0) return true;
    if (r == pid_) exit_status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    pid_ = -1;  // ended: never signal the number again
    return false;
}

int K2termProcess::stop(int signal_number) {
    if (!running()) return exit_status_;
    ::kill(pid_, signal_number);
    int status = wait_for_exit(pid_, 5000);
    if (status == -1) {
        ::kill(pid_, SIGKILL);
        wait_for_exit(pid_, 5000);
    }
    pid_ = -1;
    read_output(0);
    return status;
}

ProgramResult run_program(const std::string& program, const std::vector<std::string>& args,
                          const std::vector<std::string>& extra_env, int timeout_ms) {
    ProgramResult result;
    int fd = -1;
    const pid_t pid = spawn_with_pipe(program, args, extra_env, true, fd);
    if (pid < 0) {
        result.output = "cannot start " + program;
        return result;
    }
    const long long deadline = now_ms() + timeout_ms;
    for (;;) {
        const long long left = deadline - now_ms();
        if (left <= 0) break;
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, static_cast<int>(left)) <= 0) continue;
        char buf[4096];
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n <= 0) break;  // the program closed its output: it is ending
        result.output.append(buf, static_cast<std::size_t>(n));
    }
    ::close(fd);
    const long long left = deadline - now_ms();
    result.exit_status = wait_for_exit(pid, left > 0 ? static_cast<int>(left) : 0);
    if (result.exit_status == -1) {
        ::kill(pid, SIGKILL);
        wait_for_exit(pid, 5000);
    }
    return result;
}

}  // namespace kolibra::e2e
