// The runtime: key dispatch, targets, the user's menus and forms.
#include "simulator/sim_runtime.h"

#include "model/form_rules.h"
#include "model/text_slot.h"

#include <algorithm>

namespace kolibra {

namespace {

constexpr int kCaptionRows = 7;  // item rows below a caption
constexpr int kSmallWidth = 20;

bool is_navigable_input(uint8_t data_type) {
    return data_type == kTypeText || data_type == kTypeInteger || data_type == kTypeReal ||
           data_type == kTypeLetter || data_type == kTypeBoolean;
}

bool is_form_target(Target t) { return t >= 1 && t <= kFormCount; }
bool is_menu_target(Target t) { return t >= 11 && t <= 10 + kMenuCount; }

}  // namespace

const char* sim_screen_name(SimScreen screen) {
    switch (screen) {
        case SimScreen::MainScreen: return "MainScreen";
        case SimScreen::MenuScreen: return "MenuScreen";
        case SimScreen::FormScreen: return "FormScreen";
        case SimScreen::UtilityScreen: return "UtilityScreen";
        case SimScreen::SettingsScreen: return "SettingsScreen";
        case SimScreen::ConnectingScreen: return "ConnectingScreen";
        case SimScreen::ErrorScreen: return "ErrorScreen";
    }
    return "MainScreen";
}

SimRuntime::SimRuntime(Template& tpl, LcdView& view, Prompter& prompter)
    : tpl_(tpl), view_(view), prompter_(prompter), local_time_(system_local_time) {}

void SimRuntime::set_new_command(std::function<void()> post_new) { post_new_ = std::move(post_new); }

void SimRuntime::set_local_time_source(LocalTimeSource source) {
    local_time_ = source ? std::move(source) : LocalTimeSource(system_local_time);
}

void SimRuntime::set_utility_lines(int lines) { utility_lines_ = lines == 8 ? 8 : 7; }

LocalDateTime SimRuntime::now() const { return local_time_(); }

void SimRuntime::set_screen(SimScreen screen) {
    screen_ = screen;
    lcd_.screen_is_form = screen == SimScreen::FormScreen;
}

void SimRuntime::show_start_page() {
    lcd_.highlight = 1;
    show_main_page(true);
}

void SimRuntime::press_key(int code) {
    if (letter_.pending && code != last_key_) take_pending_letter();
    last_key_ = code;

    if (code >= key::kRestart && code <= key::kLastCommand) {
        if (code == key::kRestart) {
            lcd_.highlight = 1;
            show_main_page(true);
        } else if (code == key::kConnecting) {
            show_connecting_page();
        } else if (code == key::kUtility) {
            lcd_.highlight = 1;
            show_utility_menu();
        }
        return;
    }

    switch (screen_) {
        case SimScreen::MainScreen: main_key(code); break;
        case SimScreen::MenuScreen: menu_key(code); break;
        case SimScreen::FormScreen:
            if (code != key::kDown) form_key(code);
            break;
        case SimScreen::UtilityScreen: utility_key(code); break;
        case SimScreen::SettingsScreen: settings_key(code); break;
        case SimScreen::ConnectingScreen:
            if (code == key::kEsc) {
                lcd_.highlight = 1;
                show_main_page(true);
            }
            break;
        case SimScreen::ErrorScreen: render_form(current_target_); break;
    }
}

// ---- targets ---------------------------------------------------------------

void SimRuntime::go_to(Target target, bool fresh) {
    if (is_form_target(target)) {
        open_form(target);
    } else if (is_menu_target(target)) {
        if (fresh) open_menu(target);
        else show_menu(target);
    } else {
        // 0, and any byte beyond the 20 targets, lands on the main page.
        lcd_.highlight = 1;
        show_main_page(true);
    }
}

void SimRuntime::start_program() {
    derive_counts(tpl_);
    if (tpl_.start_target == 0) {
        if (tpl_.forms[0].last_input_line != 0) {
            open_form(1);
            return;
        }
    } else if (tpl_.menus[0].item_count != 0) {
        open_menu(11);
        return;
    }
    prompter_.tell("Please define your program!", "No executable program", Icon::Warning);
    if (post_new_) post_new_();
    lcd_.key_held = false;
    view_.release_mouse_capture();
}

// ---- menus -----------------------------------------------------------------

MenuRecord& SimRuntime::menu() { return tpl_.menus[current_target_ - 11]; }

// The kept selection; a byte left in a file that names no item starts at item 1.
int SimRuntime::menu_selection() {
    MenuRecord& m = menu();
    if (m.sim_item[0] >= kMenuItems || (m.item_count > 0 && m.sim_item[0] >= m.item_count)) {
        m.sim_item[0] = 0;
    }
    return m.sim_item[0];
}

void SimRuntime::open_menu(Target t) {
    MenuRecord& m = tpl_.menus[t - 11];
    m.sim_item[0] = 0;
    m.sim_item[1] = 0;
    show_menu(t);
}

void SimRuntime::show_menu(Target t) {
    set_screen(SimScreen::MenuScreen);
    current_target_ = t;
    MenuRecord& m = menu();
    const int s = menu_selection();
    const int count = std::min<int>(m.item_count, kMenuItems);
    int row = 0;
    int n = 0;
    if (m.caption_on) {
        lcd_.set_row(row++, read_slot(m.caption, kSmallWidth));
        n = std::min(count, kCaptionRows);
        lcd_.highlight = s + 2;
    } else {
        n = std::min(count, kLcdRows);
        lcd_.highlight = s + 1;
    }
    for (int k = 0; k < n; ++k) lcd_.set_row(row++, read_slot(m.item_name[k], kSmallWidth));
    while (row < kLcdRows) lcd_.clear_row(row++);
    view_.invalidate_lcd();
}

void SimRuntime::menu_key(int code) {
    MenuRecord& m = menu();
    const int s = menu_selection();
    const int count = std::min<int>(m.item_count, kMenuItems);
    const int digit = key_digit(code);
    if (digit != 0) {
        const int k = digit - 1;
        if (k >= count) return;
        m.sim_item[0] = static_cast<uint8_t>(k);
        go_to(m.item_next[k], true);
        return;
    }
    switch (code) {
        case key::kEnter: go_to(m.item_next[s], true); break;
        case key::kUp:
            if (s >= 1) {
                m.sim_item[0] = static_cast<uint8_t>(s - 1);
                show_menu(current_target_);
            }
            break;
        case key::kDown:
            if (s < std::min(count, kLcdRows) - 1) {
                m.sim_item[0] = static_cast<uint8_t>(s + 1);
                show_menu(current_target_);
            }
            break;
        case key::kEsc: go_to(m.esc_target, false); break;
        default: break;
    }
}

// ---- forms -----------------------------------------------------------------

// The shown form. A template opened while the form is shown brings its own
// `current_line` byte; one that names no line is taken as line 1.
FormRecord& SimRuntime::form() {
    FormRecord& f = tpl_.forms[current_target_ - 1];
    if (f.current_line >= kFormLines) f.current_line = 0;
    return f;
}

int SimRuntime::line_width() const {
    return kolibra::line_width(tpl_.forms[current_target_ - 1].font);
}

int SimRuntime::next_input_line(int line) const {
    const FormRecord& f = tpl_.forms[current_target_ - 1];
    const int last = std::min<int>(f.last_input_line, kFormLines);
    for (int j = line + 1; j < last; ++j) {
        if (is_navigable_input(f.data_type[j])) return j;
    }
    return line;
}

int SimRuntime::previous_input_line(int line) const {
    const FormRecord& f = tpl_.forms[current_target_ - 1];
    int head = line;
    while (head > 0 && f.data_type[head] == kTypeExtension) --head;
    for (int j = head - 1; j >= 0; --j) {
        if (is_navigable_input(f.data_type[j])) return j;
    }
    return line;
}

void SimRuntime::open_form(int n) {
    current_target_ = static_cast<Target>(n);
    FormRecord& f = form();
    prepare_form_fields();
    f.current_line = is_navigable_input(f.data_type[0]) ? 0 : static_cast<uint8_t>(next_input_line(0));
    lcd_.highlight = 0;
    render_form(n);
}

void SimRuntime::render_form(int n) {
    set_screen(SimScreen::FormScreen);
    current_target_ = static_cast<Target>(n);
    FormRecord& f = form();
    layout_special_lines();
    for (int i = 0; i < kFormLines; ++i) {
        if (i < f.last_input_line || f.data_type[i] != kTypeNil) {
            lcd_.set_row(i, read_slot(f.prompt[i], kSmallWidth) + visible_data(i));
        } else {
            lcd_.clear_row(i);
        }
    }
    lcd_.cursor_row = f.current_line;
    lcd_.cursor_col = fields_[f.current_line].end_col;
    view_.invalidate_lcd();
}

void SimRuntime::form_key(int code) {
    FormRecord& f = form();
    if (code >= key::k7 && code <= key::kDot) {
        static constexpr char kDigits[] = "7894561230.";
        static constexpr char kLetterBases[] = "ADGJMPSVY+-";
        if (lcd_.alpha_mode) start_letter(kLetterBases[code - 1]);
        else type_char(kDigits[code - 1]);
        return;
    }
    switch (code) {
        case key::kEnter: form_enter(); break;
        case key::kBackSpace: back_space(); break;
        case key::kSpace: type_char(' '); break;
        case key::kUp:
            if (f.current_line >= 1) {
                const int old = f.current_line;
                const int p = previous_input_line(old);
                f.current_line = static_cast<uint8_t>(p);
                if (p != old) {
                    fields_[p].end_col = fields_[p].prompt_len;
                    render_form(current_target_);
                }
            }
            break;
        case key::kEsc: go_to(f.esc_target, false); break;
        default: break;  // Alpha is the window's, FN and PWR do nothing
    }
}

void SimRuntime::form_enter() {
    FormRecord& f = form();
    const int line = f.current_line;
    if (static_cast<int>(fields_[line].data.size()) < f.min_length[line]) {
        show_error_page(2);
        return;
    }
    const int next = next_input_line(line);
    if (next != line) {
        f.current_line = static_cast<uint8_t>(next);
        fields_[next].end_col = fields_[next].prompt_len;
        render_form(current_target_);
        return;
    }
    ++record_counter_;
    complete_record();
    go_to(f.next_target, true);
}

}  // namespace kolibra
