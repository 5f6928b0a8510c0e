// The simulated terminal: plays the template's menus and forms the way the
// terminal would, together with its built-in main page, utility menu, settings
// page and connecting page, the clock line and the pass-down record.
//
// Everything enters through press_key (keys and commands) and clock_tick
// (every 100 ms); everything shows through the LcdModel and the LcdView.
// The runtime writes only `current_line` and `sim_item` of the template's
// records and the counts of derive_counts.
#pragma once

#include "common/prompter.h"
#include "model/template.h"
#include "simulator/lcd_model.h"
#include "simulator/local_time.h"

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace kolibra {

enum class SimScreen {
    MainScreen,
    MenuScreen,
    FormScreen,
    UtilityScreen,
    SettingsScreen,
    ConnectingScreen,
    ErrorScreen,
};

// "MainScreen", "MenuScreen", ...
const char* sim_screen_name(SimScreen screen);

// State of one line of the shown form.
struct FieldState {
    std::string data;  // at most kFieldDataMax characters
    int prompt_len = 0;  // length of the line's prompt, at most 20
    int end_col = 0;     // prompt_len + characters taken on this row
    int scroll = 0;      // how far the row has scrolled sideways
};
constexpr int kFieldDataMax = 160;

// The letter shown under the cursor but not yet taken into the field.
struct LetterState {
    bool pending = false;
    char pending_char = 0;
    int cycle = 0;        // 0, 1 or 2: position in the key's letter group
    int pending_age = 0;  // 100 ms ticks since the letter key was last pressed
};

// The pass-down record holds at most this many characters; a longer one is cut.
constexpr int kPassDownMax = 407;

// What a simulated scan did (SimRuntime::scan_barcode).
enum class ScanStatus {
    Taken,     // the characters went into the line (and Enter followed where asked)
    Rejected,  // the terminal shows its error page; the line is unchanged
    Refused,   // no line takes a scan now; `reason` says why
};
struct ScanResult {
    ScanStatus status = ScanStatus::Refused;
    std::string reason;
};

// Whether a character may be keyed into a line of `data_type`.
bool check_char(char c, uint8_t data_type);

// The clock line of the main page: "MAR 07, 09:05  " and, unless each form
// keeps its own data file, the record counter as 5 digits. The colon shows
// while `tick` is 0 to 4 and is a space while it is 5 to 9.
std::string clock_line_text(const LocalDateTime& now, int tick, bool separate_files,
                            uint64_t record_counter);

// A count as the terminal shows it: 5 digits with leading zeros. A count of
// 100000 or more shows its last 5 digits, like a 5-digit counter that rolls over.
std::string counter_text(uint64_t count);

// Stamp texts for the form's `date_stamp` (1 to 12) and `time_stamp` (1 to 8)
// codes; empty for 0 and for codes outside those ranges.
std::string date_stamp_text(uint8_t code, const LocalDateTime& now);
std::string time_stamp_text(uint8_t code, const LocalDateTime& now);

// The record a completed form produces, laid out as the terminal collects it:
// stamps placed before or after the data, then each field in line order (its
// extension lines joined on) with the delimiter between fields, its prefix and
// suffix (code lists turned into characters) and, where asked, brought to its
// fixed length. Not cut to any length.
std::string record_text(const FormRecord& f, const FieldState (&fields)[kFormLines],
                        const uint8_t (&field_delimiter)[2], const LocalDateTime& stamp_time);

// Lines of the utility menu: 8 when lookup file 1 is defined (non-zero
// member length and field count), else 7. The Form page sets this on apply.
int utility_lines_for(const Template& t);

class SimRuntime {
public:
    SimRuntime(Template& tpl, LcdView& view, Prompter& prompter);

    // Where the "no program" case sends the shell's New command.
    void set_new_command(std::function<void()> post_new);
    // Where local date and time come from (default: the computer's clock).
    void set_local_time_source(LocalTimeSource source);

    // The state at program start: main page, line 1 highlighted, full repaint.
    void show_start_page();

    // The only entry for input: codes 1 to 20 are keys, 51 to 58 commands.
    void press_key(int code);
    // A barcode read by the terminal's reader into the current line of the
    // shown form: taken as data (no letter keys), checked as keyed data,
    // followed by Enter when the line's auto_enter asks for it.
    ScanResult scan_barcode(const std::string& text);
    // Timer 1, every 100 ms: advances the blinking colon, draws the clock line
    // on the main page and runs letter_tick.
    void clock_tick();
    // Takes a pending letter into the field on the 7th tick after its key.
    void letter_tick();

    // 7 or 8; any other value is taken as 7.
    void set_utility_lines(int lines);
    int utility_lines() const { return utility_lines_; }

    LcdModel& lcd() { return lcd_; }
    const LcdModel& lcd() const { return lcd_; }
    SimScreen screen() const { return screen_; }
    Target current_target() const { return current_target_; }
    int last_key() const { return last_key_; }
    uint64_t record_counter() const { return record_counter_; }
    int tick() const { return tick_; }
    const std::string& pass_down_record() const { return pass_down_record_; }
    // The record of every form completed since the program started, in order,
    // whatever the form's record action.
    const std::vector<std::string>& collected_records() const { return collected_records_; }
    void clear_collected_records() { collected_records_.clear(); }
    // Told each record as its form is completed (after it was collected).
    void set_record_listener(std::function<void(const std::string&)> listener) {
        record_listener_ = std::move(listener);
    }
    const LetterState& letter() const { return letter_; }
    // Line 0 to 7 of the shown form.
    const FieldState& field(int line) const { return fields_[line]; }

private:
    // Runtime: targets, menus, forms.
    void go_to(Target target, bool fresh);
    void start_program();
    void open_form(int n);
    void render_form(int n);
    void open_menu(Target t);
    void show_menu(Target t);
    void menu_key(int code);
    void form_key(int code);
    void form_enter();
    int next_input_line(int line) const;
    int previous_input_line(int line) const;
    FormRecord& form();
    MenuRecord& menu();
    int line_width() const;
    int menu_selection();

    // Field input.
    void prepare_form_fields();
    void layout_special_lines();
    std::string visible_data(int line) const;
    void type_char(char c);
    void start_letter(char base);
    void back_space();
    void clear_field();
    void show_error_page(int message);
    void take_pending_letter();

    // Built-in screens and clock.
    void show_main_page(bool full);
    void show_utility_menu();
    void show_settings_page();
    void show_connecting_page();
    void main_key(int code);
    void utility_key(int code);
    void settings_key(int code);
    void utility_digit(int digit);
    void settings_digit(int digit);
    void main_digit(int digit);

    // The record of the completed form: collected, and kept as the pass-down
    // record when the form passes it down.
    void complete_record();
    void fill_pass_down_line(int line);

    void set_screen(SimScreen screen);
    LocalDateTime now() const;

    Template& tpl_;
    LcdView& view_;
    Prompter& prompter_;
    std::function<void()> post_new_;
    LocalTimeSource local_time_;

    LcdModel lcd_;
    SimScreen screen_ = SimScreen::MainScreen;
    Target current_target_ = 0;
    int last_key_ = 0;
    uint64_t record_counter_ = 0;
    int tick_ = 0;
    int utility_lines_ = 7;
    FieldState fields_[kFormLines];
    LetterState letter_;
    std::string pass_down_record_;
    std::vector<std::string> collected_records_;
    std::function<void(const std::string&)> record_listener_;
};

}  // namespace kolibra
