// Stand-ins for the user: a prompter that records every box and answers from
// a script, and a file picker that returns prepared paths.
#pragma once

#include "common/file_picker.h"
#include "common/launcher.h"
#include "common/prompter.h"

#include <unistd.h>

#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace kolibra::test {

struct ScriptedPrompter : Prompter {
    struct Box {
        std::string text, caption;
        Icon icon;
        Buttons buttons;
    };
    std::vector<Box> boxes;
    std::deque<Answer> answers;  // used in order; when empty, OK / No / Cancel

    Answer ask(const std::string& text, const std::string& caption, Icon icon,
               Buttons buttons) override {
        boxes.push_back({text, caption, icon, buttons});
        if (!answers.empty()) {
            Answer a = answers.front();
            answers.pop_front();
            return a;
        }
        return buttons == Buttons::Ok ? Answer::Ok : buttons == Buttons::YesNo ? Answer::No
                                                                                : Answer::Cancel;
    }
};

struct ScriptedPicker : FilePicker {
    std::deque<std::optional<std::string>> paths;  // nullopt: the user cancels
    std::vector<FileDialogRequest> open_requests, save_requests;

    std::optional<std::string> next() {
        if (paths.empty()) return std::nullopt;
        auto p = paths.front();
        paths.pop_front();
        return p;
    }
    std::optional<std::string> choose_open(const FileDialogRequest& r) override {
        open_requests.push_back(r);
        return next();
    }
    std::optional<std::string> choose_save(const FileDialogRequest& r) override {
        save_requests.push_back(r);
        return next();
    }
};

struct RecordingLauncher : Launcher {
    std::vector<std::string> shown;
    bool show_text_file(const std::string& path) override {
        shown.push_back(path);
        return true;
    }
};

// A fresh folder under the system's temporary folder, removed at the end.
struct TempFolder {
    std::filesystem::path path;
    TempFolder() {
        static int counter = 0;
        path = std::filesystem::temp_directory_path() /
               ("kolibra_shell_" + std::to_string(::getpid()) + "_" + std::to_string(++counter));
        std::filesystem::create_directories(path);
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
    std::string file(const std::string& name) const { return (path / name).string(); }
};

}  // namespace kolibra::test
