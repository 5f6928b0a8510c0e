// What the link_bench modes share: a quiet prompter and progress, and the
// modes besides the plain timing.
#pragma once

#include "common/progress.h"
#include "common/prompter.h"

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

// The modes besides the plain timing of main(); on Windows, where the bench
// cannot start k2term itself, --paced says so and fails.
int run_paced(const std::string& k2term_path);
int run_noise(double byte_error_rate, int runs, uint32_t seed);

}  // namespace kolibra::bench
