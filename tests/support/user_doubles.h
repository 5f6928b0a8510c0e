// Stand-ins for the user, shared by every test folder: a prompter that
// records every box and answers from a script, a file picker that returns
// prepared paths, and a text viewer that records what it was asked to show.
#pragma once

#include "common/file_picker.h"
#include "common/launcher.h"
#include "common/prompter.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kolibra::test {

struct ShownBox {
    std::string text;
    std::string caption;
    Icon icon;
    Buttons buttons;
    uint32_t at_ms;  // the time source's reading when shown; 0 without one
};

class RecordingPrompter : public Prompter {
public:
    RecordingPrompter() = default;
    // Stamps each box with `now_ms()`, for tests that check when a box came.
    explicit RecordingPrompter(std::function<uint32_t()> now_ms) : now_ms_(std::move(now_ms)) {}

    // Answers for the questions, in order; a plain OK box takes none. A
    // question with no answer left takes No (YesNo) or Cancel.
    std::deque<Answer> answers;
    std::vector<ShownBox> boxes;

    Answer ask(const std::string& text, const std::string& caption, Icon icon,
               Buttons buttons) override {
        boxes.push_back({text, caption, icon, buttons, now_ms_ ? now_ms_() : 0});
        if (buttons == Buttons::Ok) return Answer::Ok;
        if (!answers.empty()) {
            Answer a = answers.front();
            answers.pop_front();
            return a;
        }
        return buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
    }

    std::vector<std::string> texts() const {
        std::vector<std::string> out;
        for (const ShownBox& box : boxes) out.push_back(box.text);
        return out;
    }

private:
    std::function<uint32_t()> now_ms_;
};

class ScriptedPicker : public FilePicker {
public:
    std::deque<std::optional<std::string>> paths;  // nullopt: the user cancels
    std::vector<FileDialogRequest> open_requests, save_requests;

    std::optional<std::string> choose_open(const FileDialogRequest& r) override {
        open_requests.push_back(r);
        return next();
    }
    std::optional<std::string> choose_save(const FileDialogRequest& r) override {
        save_requests.push_back(r);
        return next();
    }

private:
    std::optional<std::string> next() {
        if (paths.empty()) return std::nullopt;
        auto p = paths.front();
        paths.pop_front();
        return p;
    }
};

class RecordingLauncher : public Launcher {
public:
    std::vector<std::string> shown;
    bool starts = true;  // false: no viewer can be started
    bool show_text_file(const std::string& path) override {
        shown.push_back(path);
        return starts;
    }
};

}  // namespace kolibra::test
