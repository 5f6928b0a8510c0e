#include "lkpsend/lkpsend_program.h"

#include "common/stderr_prompter.h"
#include "lkpsend/lkpsend_run.h"

#include <cstdio>

namespace kolibra {

namespace {

void say_display_needed() {
    std::fprintf(stderr,
                 "lkpsend: the dialogs need a display; give the lookup file on the command\n"
                 "line instead (see 'lkpsend --help').\n");
}

class NoPicker : public FilePicker {
public:
    std::optional<std::string> choose_open(const FileDialogRequest&) override {
        say_display_needed();
        return std::nullopt;
    }
    std::optional<std::string> choose_save(const FileDialogRequest&) override {
        say_display_needed();
        return std::nullopt;
    }
};

// Without a window the progress is printed as it moves, in steps of 10.
class StderrProgress : public Progress {
public:
    void open(const std::string& caption) override {
        std::fprintf(stderr, "%s: Downloading...\n", caption.c_str());
        shown_ = -10;
    }
    void set_value(int value) override {
        if (value > 100) value = 100;
        if (value < shown_ + 10 && value != 100) return;
        if (value == shown_) return;
        shown_ = value;
        std::fprintf(stderr, "  %d%%\n", value);
    }
    void close() override {}

private:
    int shown_ = -10;
};

}  // namespace

int run_lkpsend_headless(const ToolStart& start) {
    StderrPrompter prompter;
    StderrProgress progress;
    NoPicker picker;
    SteadyClock clock;
    // The settings dialog is never reached without a file.
    return run_lkpsend_with(start, {.clock = clock, .prompter = prompter, .progress = progress, .picker = &picker});
}

}  // namespace kolibra
