// Runs k2term (the terminal stand-in on a pseudo-terminal) from a test, and
// other programs of the tool set against it.
//
//   kolibra::e2e::K2termProcess terminal;
//   ASSERT_TRUE(terminal.start({"--records", records_path, "--out", out_dir}));
//   auto result = kolibra::e2e::run_program(IRFETCH_PATH, {...},
//                                           {"KOLIBRA_COM1=" + terminal.device_path()});
//   auto line = terminal.wait_for_line("lookup ", 5000);   // "lookup PATH COUNT"
//   EXPECT_EQ(terminal.stop(), 0);                          // SIGTERM, clean exit
//
// The destructor stops a k2term still running.
#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

namespace kolibra::e2e {

// The k2term built with this test (K2TERM_PATH), else $K2TERM, else "k2term".
std::string default_k2term_path();

class K2termProcess {
public:
    explicit K2termProcess(std::string program = default_k2term_path());
    ~K2termProcess();
    K2termProcess(const K2termProcess&) = delete;
    K2termProcess& operator=(const K2termProcess&) = delete;

    // Starts k2term with the arguments and waits (up to 5 s) for the device
    // path it prints. False, with the reason in error(), if it does not come.
    bool start(const std::vector<std::string>& args);
    const std::string& device_path() const { return device_; }
    const std::string& error() const { return error_; }
    pid_t pid() const { return pid_; }
    bool running();

    // Waits up to timeout_ms for an output line that starts with prefix
    // (lines already seen count) and returns it.
    std::optional<std::string> wait_for_line(const std::string& prefix, int timeout_ms);
    // Every output line after the device path, so far.
    const std::vector<std::string>& lines();

    // Sends the signal (SIGTERM by default) and waits up to 5 s; returns the
    // exit status, 128 + signal if it died of one, or -1 if it had to be killed.
    // If it had already ended, returns how it ended.
    int stop(int signal_number = 15);

private:
    void read_output(int timeout_ms);

    std::string program_;
    pid_t pid_ = -1;
    int out_fd_ = -1;
    std::string partial_;
    std::vector<std::string> lines_;
    std::string device_;
    std::string error_;
    int exit_status_ = -1;
};

struct ProgramResult {
    int exit_status = -1;  // -1: did not finish in time and was killed
    std::string output;    // standard output and standard error together
};

// Runs a program with extra NAME=VALUE environment entries and waits for it,
// at most timeout_ms.
ProgramResult run_program(const std::string& program, const std::vector<std::string>& args,
                          const std::vector<std::string>& extra_env = {},
                          int timeout_ms = 60000);

}  // namespace kolibra::e2e
