// Test doubles shared by the irfetch and lkpsend tests: message boxes that are
// recorded and answered from a script, a recorded text viewer, a scratch
// folder, and small file helpers.
#pragma once

#include "common/launcher.h"
#include "common/prompter.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace kolibra::testing {

struct ShownBox {
    std::string text;
    std::string caption;
    Icon icon;
    Buttons buttons;
};

class RecordingPrompter : public Prompter {
public:
    // Answers for the questions, in order; a question with no answer left
    // takes No (or Cancel, or OK for a plain box).
    std::deque<Answer> answers;
    std::vector<ShownBox> boxes;

    Answer ask(const std::string& text, const std::string& caption, Icon icon,
               Buttons buttons) override {
        boxes.push_back({text, caption, icon, buttons});
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
        for (const auto& box : boxes) out.push_back(box.text);
        return out;
    }
};

class RecordingLauncher : public Launcher {
public:
    std::vector<std::string> shown;
    bool show_text_file(const std::string& path) override {
        shown.push_back(path);
        return true;
    }
};

class ScratchTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        root_ = std::filesystem::temp_directory_path() /
                ("kolibra-" + std::string(info->test_suite_name()) + "-" + info->name() + "-" +
                 std::to_string(::getpid()));
        std::filesystem::remove_all(root_);
        std::filesystem::create_directories(root_);
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    std::string path(const std::string& name) const { return (root_ / name).string(); }
    std::string folder() const { return root_.string() + "/"; }

    std::filesystem::path root_;
};

inline std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void write_file(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

}  // namespace kolibra::testing
