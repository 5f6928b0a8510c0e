// What the link_bench modes share: quiet prompter and progress, and k2term
// as a child process with any arguments.
#pragma once

#include "common/progress.h"
#include "common/prompter.h"

#include <sys/types.h>

#include <string>
#include <vector>

namespace kolibra::bench {

class QuietPrompter : public Prompter {
public:
    Answer ask(const std::string& text, const std::string& caption, Icon, Buttons buttons) override {
        last = caption + ": " + text;
        texts.push_back(text);
        return buttons == Buttons::Ok ? Answer::Ok : Answer::No;
    }
    std::string last;
    std::vector<std::string> texts;
};

class NoProgress : public Progress {
public:
    void open(const std::string&) override {}
    void set_value(int) override {}
    void close() override {}
};

// k2term as a child process with the given arguments (POSIX only); its first output line
// is the device path. Stopped with SIGTERM when this goes.
struct K2term {
    pid_t pid = -1;
    int out_fd = -1;  // kept open so that its "program ..." lines have a reader
    std::string device;

    bool start(const std::string& program, const std::vector<std::string>& args);
    ~K2term();
};

// The modes besides the plain timing of main(); on Windows, where the bench
// cannot start k2term itself, --paced says so and fails.
int run_paced(const std::string& k2term_path);
int run_noise(double byte_error_rate, int runs, uint32_t seed);

}  // namespace kolibra::bench
