// A simulated terminal on a factory template, with a view and a prompter that
// record what the runtime asked of them, and helpers to design forms and menus.
#pragma once

#include "common/prompter.h"
#include "model/template.h"
#include "model/text_slot.h"
#include "simulator/sim_runtime.h"
#include "support/user_doubles.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace kolibra::test {

struct RecordingView : LcdView {
    int full_repaints = 0;
    int upper_repaints = 0;
    int cursor_row_repaints = 0;
    int mouse_releases = 0;
    struct Preview {
        int row, col;
        char letter;
    };
    std::vector<Preview> previews;
    std::vector<std::string> clock_lines;

    void invalidate_lcd() override { ++full_repaints; }
    void invalidate_upper_rows() override { ++upper_repaints; }
    void invalidate_cursor_row(int) override { ++cursor_row_repaints; }
    void draw_letter_preview(int row, int col, char letter) override {
        previews.push_back({row, col, letter});
    }
    void draw_clock_line(const std::string& text) override { clock_lines.push_back(text); }
    void release_mouse_capture() override { ++mouse_releases; }
};

// Data type codes as the template stores them.
enum : uint8_t {
    kNil = 0, kText = 1, kInteger = 2, kReal = 3, kLetter = 4, kFixed = 5, kPrompt = 6,
    kLookup = 7, kExtension = 8, kBoolean = 9, kCounter = 10, kPassDown = 11,
};

class SimTest : public ::testing::Test {
protected:
    SimTest() : tpl_(std::make_unique<Template>()) {
        reset_template(*tpl_);
        sim_ = std::make_unique<SimRuntime>(*tpl_, view_, prompter_);
        sim_->set_new_command([this] { ++new_commands_; });
        sim_->set_local_time_source([this] { return now_; });
        sim_->show_start_page();
    }

    Template& tpl() { return *tpl_; }
    SimRuntime& sim() { return *sim_; }
    const LcdModel& lcd() { return sim_->lcd(); }
    std::string row(int r) { return sim_->lcd().row(r); }

    // Presses each code in turn.
    void keys(std::initializer_list<int> codes) {
        for (int code : codes) sim_->press_key(code);
    }
    void ticks(int n) {
        for (int i = 0; i < n; ++i) sim_->clock_tick();
    }
    // Keys the digits of `text` ('0'-'9', '.', ' ') in numeric mode.
    void type(const std::string& text) {
        for (char c : text) {
            static const std::string kDigitKeys = "7894561230.";
            if (c == ' ') {
                sim_->press_key(key::kSpace);
            } else {
                const auto at = kDigitKeys.find(c);
                ASSERT_NE(at, std::string::npos) << c;
                sim_->press_key(static_cast<int>(at) + 1);
            }
        }
    }

    FormRecord& form(int n) { return tpl_->forms[n - 1]; }
    MenuRecord& menu(int n) { return tpl_->menus[n - 1]; }

    // Line `line` (1-based) of form `n`.
    void set_line(int n, int line, uint8_t type, const std::string& prompt, int max_length = 20,
                  int min_length = 0) {
        FormRecord& f = form(n);
        f.data_type[line - 1] = type;
        write_slot(f.prompt[line - 1], prompt);
        f.max_length[line - 1] = static_cast<uint8_t>(max_length);
        f.min_length[line - 1] = static_cast<uint8_t>(min_length);
    }
    void set_initial(int n, int line, const std::string& text) {
        form(n).initial_on[line - 1] = 1;
        write_slot(form(n).initial_text[line - 1], text);
    }
    void set_item(int n, int item, const std::string& text, Target next) {
        write_slot(menu(n).item_name[item - 1], text);
        menu(n).item_next[item - 1] = next;
    }

    // From the main page, key 1 starts the designed program.
    void start_program() { sim_->press_key(key::k1); }

    LocalDateTime now_{2026, 3, 7, 9, 5, 42};
    RecordingView view_;
    RecordingPrompter prompter_;
    int new_commands_ = 0;

private:
    std::unique_ptr<Template> tpl_;
    std::unique_ptr<SimRuntime> sim_;
};

// A row without the spaces that pad page texts to their width.
inline std::string trimmed(std::string text) {
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

}  // namespace kolibra::test
