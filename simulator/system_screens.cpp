// The terminal's built-in screens that the simulator shows (main page,
// utility menu, settings page, connecting page) and the 100 ms clock tick.
#include "simulator/sim_runtime.h"

#include "model/text_slot.h"

#include <cstdio>

namespace kolibra {

namespace {

constexpr const char* kMonthNames[12] = {"JAN ", "FEB ", "MAR ", "APR ", "MAY ", "JUN ",
                                         "JUL ", "AUG ", "SEP ", "OCT ", "NOV ", "DEC "};

// Two digits with a leading zero; values outside 0..99 are brought into it so
// a bad clock value never widens the line.
std::string two_digits(int value) {
    char text[3];
    const int v = value < 0 ? 0 : value % 100;
    std::snprintf(text, sizeof text, "%02d", v);
    return text;
}

std::string page_line(const Template& t, PageId id, int line) {
    const PageTextInfo& info = page_text_info(id);
    return read_slot(page_slot(t, id, line), static_cast<std::size_t>(info.width));
}

}  // namespace

std::string counter_text(uint64_t count) {
    char text[8];
    std::snprintf(text, sizeof text, "%05u", static_cast<unsigned>(count % 100000));
    return text;
}

std::string clock_line_text(const LocalDateTime& now, int tick, bool separate_files,
                            uint64_t record_counter) {
    const int month = now.month >= 1 && now.month <= 12 ? now.month : 1;
    std::string text = kMonthNames[month - 1];
    text += two_digits(now.day);
    text += ", ";
    text += two_digits(now.hour);
    text += tick >= 0 && tick <= 4 ? ':' : ' ';
    text += two_digits(now.minute);
    text += "  ";
    if (!separate_files) text += counter_text(record_counter);
    return text;
}

int utility_lines_for(const Template& t) {
    return t.lookups[0].member_length != 0 && t.lookups[0].field_count != 0 ? 8 : 7;
}

// ---- main page -------------------------------------------------------------

void SimRuntime::show_main_page(bool full) {
    for (int row = 0; row < 4; ++row) lcd_.set_row(row, page_line(tpl_, PageId::Main, row));
    for (int row = 4; row < 7; ++row) lcd_.clear_row(row);
    set_screen(SimScreen::MainScreen);
    current_target_ = 0;
    if (full) view_.invalidate_lcd();
    else view_.invalidate_upper_rows();
}

void SimRuntime::main_digit(int digit) {
    if (digit == 1) {
        start_program();
    } else if (digit == 2) {
        lcd_.highlight = 0;
        show_connecting_page();
    } else if (digit == 3) {
        lcd_.highlight = 1;
        show_utility_menu();
    }
}

void SimRuntime::main_key(int code) {
    switch (code) {
        case key::k1: main_digit(1); break;
        case key::k2: main_digit(2); break;
        case key::k3: main_digit(3); break;
        case key::kEnter: main_digit(lcd_.highlight); break;
        case key::kUp:
            lcd_.highlight = lcd_.highlight <= 1 ? 3 : lcd_.highlight - 1;
            show_main_page(false);
            break;
        case key::kDown:
            lcd_.highlight = lcd_.highlight >= 3 ? 1 : lcd_.highlight + 1;
            show_main_page(false);
            break;
        default: break;
    }
}

// ---- utility menu ----------------------------------------------------------

void SimRuntime::show_utility_menu() {
    for (int row = 0; row < kLcdRows; ++row) {
        if (row < utility_lines_) lcd_.set_row(row, page_line(tpl_, PageId::Utility, row));
        else lcd_.clear_row(row);
    }
    set_screen(SimScreen::UtilityScreen);
    view_.invalidate_lcd();
}

void SimRuntime::utility_digit(int digit) {
    if (digit == 1) {
        lcd_.highlight = 8;
        show_settings_page();
    } else if (digit >= 2 && digit <= 7) {
        lcd_.highlight = digit;
        show_utility_menu();
    } else if (digit == 8 && utility_lines_ == 8) {
        lcd_.highlight = 8;
        show_utility_menu();
    }
}

void SimRuntime::utility_key(int code) {
    const int digit = key_digit(code);
    if (digit != 0) {
        utility_digit(digit);
        return;
    }
    switch (code) {
        case key::kEnter: utility_digit(lcd_.highlight); break;
        case key::kUp:
            lcd_.highlight = lcd_.highlight <= 1 ? utility_lines_ : lcd_.highlight - 1;
            show_utility_menu();
            break;
        case key::kDown:
            lcd_.highlight = lcd_.highlight >= utility_lines_ ? 1 : lcd_.highlight + 1;
            show_utility_menu();
            break;
        case key::kEsc:
            lcd_.highlight = 3;
            show_main_page(true);
            break;
        default: break;
    }
}

// ---- settings page ---------------------------------------------------------

void SimRuntime::show_settings_page() {
    for (int row = 0; row < kLcdRows; ++row) {
        lcd_.set_row(row, page_line(tpl_, PageId::Settings, row));
    }
    set_screen(SimScreen::SettingsScreen);
    view_.invalidate_lcd();
}

void SimRuntime::settings_digit(int digit) {
    if (digit < 1 || digit > 7) return;
    lcd_.highlight = digit + 1;
    show_settings_page();
}

void SimRuntime::settings_key(int code) {
    const int digit = key_digit(code);
    if (digit != 0) {
        settings_digit(digit);
        return;
    }
    switch (code) {
        case key::kEnter:
            if (lcd_.highlight >= 2 && lcd_.highlight <= 8) settings_digit(lcd_.highlight - 1);
            break;
        case key::kUp:
            lcd_.highlight = lcd_.highlight < 3 ? 8 : lcd_.highlight - 1;
            show_settings_page();
            break;
        case key::kDown:
            lcd_.highlight = lcd_.highlight >= 8 ? 2 : lcd_.highlight + 1;
            show_settings_page();
            break;
        case key::kEsc:
            lcd_.highlight = 1;
            show_utility_menu();
            break;
        default: break;
    }
}

// ---- connecting page -------------------------------------------------------

void SimRuntime::show_connecting_page() {
    for (int row = 0; row < kLcdRows; ++row) {
        if (row < 4) lcd_.set_row(row, page_line(tpl_, PageId::Connecting, row));
        else lcd_.clear_row(row);
    }
    set_screen(SimScreen::ConnectingScreen);
    view_.invalidate_lcd();
}

// ---- clock -----------------------------------------------------------------

void SimRuntime::clock_tick() {
    tick_ = (tick_ + 1) % 10;
    if (screen_ == SimScreen::MainScreen) {
        view_.draw_clock_line(
            clock_line_text(now(), tick_, tpl_.extended.separate_files != 0, record_counter_));
    }
    letter_tick();
}

}  // namespace kolibra
