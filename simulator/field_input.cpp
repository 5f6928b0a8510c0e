// Field input on a shown form: typing with type-over, sideways scrolling and
// extension lines, back space, multi-tap letters, the checks and the error page.
#include "simulator/sim_runtime.h"

#include "model/form_rules.h"
#include "model/text_slot.h"

#include <algorithm>
#include <cstring>

namespace kolibra {

namespace {

constexpr int kPromptMax = 20;
constexpr int kMaxExtensionLines = 3;
constexpr int kLetterTakeAge = 6;  // a letter is taken on the tick after this age
const std::string kErrorBorder(20, '*');

// The character of the letter group starting at `base` for `cycle` 0, 1 or 2.
char letter_of(char base, int cycle) {
    switch (base) {
        case 'Y': return "YZ*"[cycle];
        case '+': return "+$/"[cycle];
        case '-': return "-%:"[cycle];
        default: return static_cast<char>(base + cycle);
    }
}

// Puts `c` at `pos` of `data`, padding with spaces when the data is shorter.
void store_char(std::string& data, int pos, char c) {
    if (pos < static_cast<int>(data.size())) {
        data[pos] = c;
    } else {
        data.resize(pos, ' ');
        data.push_back(c);
    }
}

}  // namespace

bool check_char(char c, uint8_t data_type) {
    switch (data_type) {
        case kTypeText:
        case kTypeExtension: return true;
        case kTypeInteger: return c >= '0' && c <= '9';
        case kTypeReal: return (c >= '0' && c <= '9') || c == '.';
        case kTypeLetter: return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        case kTypeBoolean:
            return c == '0' || c == '1' || c == 'Y' || c == 'N' || c == 'T' || c == 'F';
        default: return false;
    }
}

void SimRuntime::prepare_form_fields() {
    const FormRecord& f = form();
    for (int i = 0; i < kFormLines; ++i) {
        FieldState& field = fields_[i];
        field.scroll = 0;
        lcd_.clear_row(i);
        field.data.clear();
        field.prompt_len = static_cast<int>(slot_length(f.prompt[i], kPromptMax));
        field.end_col = field.prompt_len;
        if (f.initial_on[i]) field.data = read_slot(f.initial_text[i]);
    }
}

void SimRuntime::layout_special_lines() {
    const FormRecord& f = form();
    for (int i = 0; i < kFormLines; ++i) {
        const bool drawn = i < f.last_input_line || f.data_type[i] != kTypeNil;
        if (!drawn) continue;
        if (f.data_type[i] == kTypeCounter) fields_[i].data = counter_text(record_counter_);
        else if (f.data_type[i] == kTypePassDown) fill_pass_down_line(i);
    }
}

std::string SimRuntime::visible_data(int line) const {
    const FieldState& field = fields_[line];
    if (field.scroll == 0) return field.data;
    const std::size_t from = static_cast<std::size_t>(field.scroll - 1);
    return from < field.data.size() ? field.data.substr(from) : std::string();
}

void SimRuntime::show_error_page(int message) {
    lcd_.set_row(4, kErrorBorder);
    lcd_.set_row(5, read_slot(page_slot(tpl_, PageId::Error, message - 1), 20));
    lcd_.set_row(6, read_slot(page_slot(tpl_, PageId::Error, 4), 20));
    lcd_.set_row(7, kErrorBorder);
    set_screen(SimScreen::ErrorScreen);
    view_.invalidate_lcd();
}

void SimRuntime::clear_field() {
    const FormRecord& f = form();
    const int i = f.current_line;
    FieldState& field = fields_[i];
    field.end_col = field.prompt_len;
    field.scroll = 0;
    lcd_.cursor_col = field.prompt_len;
    field.data.clear();
    lcd_.set_row(i, read_slot(f.prompt[i], kPromptMax));
    view_.invalidate_cursor_row(lcd_.cursor_row);
}

void SimRuntime::type_char(char c) {
    FormRecord& f = form();
    const int i = f.current_line;
    FieldState& field = fields_[i];
    const int width = line_width();
    const int p = field.prompt_len;
    // A field takes at most as many characters as its buffer holds; a field
    // with no length at all takes none.
    const int m = std::min<int>(f.max_length[i], kFieldDataMax);
    const int limit = p + m - 1;
    const std::string prompt = read_slot(f.prompt[i], kPromptMax);

    if (!check_char(c, f.data_type[i])) {
        show_error_page(1);
        return;
    }
    if (m == 0) return;

    // Type-over: the first character keyed at the start of a field that holds
    // data replaces that data, and the data of its extension lines. "At the
    // start" means nothing has been keyed on the row since the cursor came to
    // the field; the cursor column alone cannot tell, because on a row whose
    // prompt leaves no free column the cursor stays at the prompt's end while
    // the field scrolls.
    if (!field.data.empty() && field.end_col == p) {
        clear_field();
        for (int k = 1; k <= kMaxExtensionLines; ++k) {
            const int j = i + k;
            if (j >= kFormLines || f.data_type[j] != kTypeExtension) break;
            fields_[j].data.clear();
            fields_[j].scroll = 0;
            fields_[j].end_col = 0;
            lcd_.clear_row(j);
        }
        view_.invalidate_lcd();
        lcd_.cursor_col = p;
    }

    int e = field.end_col;
    const int pos = e > limit ? e - p - 1 : e - p;
    if (pos < 0 || pos >= kFieldDataMax) return;
    store_char(field.data, pos, c);

    char* row = lcd_.lcd_rows[i];
    if (e < limit) {
        if (e < width - 1) {
            const int len = static_cast<int>(strnlen(row, kLcdRowSize));
            for (int col = len; col < e; ++col) row[col] = ' ';
            row[e] = c;
            if (e >= len) row[e + 1] = '\0';
            field.end_col = e + 1;
            ++lcd_.cursor_col;
            view_.invalidate_cursor_row(lcd_.cursor_row);
        } else if (i + 1 < kFormLines && f.data_type[i + 1] == kTypeExtension) {
            f.current_line = static_cast<uint8_t>(i + 1);
            render_form(current_target_);
        } else {
            field.end_col = e + 1;
            ++field.scroll;
            const std::size_t from = std::min<std::size_t>(field.scroll, field.data.size());
            lcd_.set_row(i, prompt + field.data.substr(from));
            view_.invalidate_cursor_row(lcd_.cursor_row);
        }
        return;
    }
    if (e == limit) {
        field.end_col = e + 1;
        ++field.scroll;
    }
    // The last data character: shown at the end of the row (never past the
    // row's last column), with the cursor standing on it.
    const int len = static_cast<int>(strnlen(row, kLcdRowSize));
    const int q = std::min({len, width - 1, limit});
    row[q] = c;
    row[q + 1] = '\0';
    view_.invalidate_cursor_row(lcd_.cursor_row);
}

void SimRuntime::back_space() {
    FormRecord& f = form();
    const int i = f.current_line;
    FieldState& field = fields_[i];
    const int p = field.prompt_len;
    const int limit = p + std::min<int>(f.max_length[i], kFieldDataMax) - 1;
    const std::string prompt = read_slot(f.prompt[i], kPromptMax);
    int e = field.end_col;

    if (field.scroll > 0) {
        --field.scroll;
        field.end_col = --e;
        const std::size_t keep = static_cast<std::size_t>(std::max(0, e - p));
        if (keep < field.data.size()) field.data.resize(keep);
        const std::size_t from = std::min<std::size_t>(field.scroll, field.data.size());
        lcd_.set_row(i, prompt + field.data.substr(from));
        view_.invalidate_cursor_row(lcd_.cursor_row);
        return;
    }
    if (e <= p) {
        // At the start of an extension line: back onto the line above,
        // removing its last character.
        if (i > 0 && f.data_type[i] == kTypeExtension) {
            f.current_line = static_cast<uint8_t>(i - 1);
            std::string& above = fields_[i - 1].data;
            if (!above.empty()) above.pop_back();
            render_form(current_target_);
        }
        return;
    }
    // On a full field the cursor stands on the last character: the first back
    // space removes that character and leaves the cursor where it is.
    if (e < limit || static_cast<int>(field.data.size()) <= e - p) {
        field.end_col = --e;
        --lcd_.cursor_col;
    }
    const std::size_t keep = static_cast<std::size_t>(e - p);
    if (keep < field.data.size()) field.data.resize(keep);
    char* row = lcd_.lcd_rows[i];
    const std::size_t len = strnlen(row, kLcdRowSize);
    if (len > 0) row[len - 1] = '\0';
    view_.invalidate_cursor_row(lcd_.cursor_row);
}

void SimRuntime::start_letter(char base) {
    letter_.pending_age = 0;
    letter_.cycle = letter_.pending ? (letter_.cycle + 1) % 3 : 0;
    letter_.pending_char = letter_of(base, letter_.cycle);
    view_.draw_letter_preview(lcd_.cursor_row, lcd_.cursor_col, letter_.pending_char);
    letter_.pending = true;
}

void SimRuntime::take_pending_letter() {
    letter_.pending = false;
    // A letter only starts on a form, and every way off the form passes
    // through here first; the check keeps a stray letter out of other screens.
    if (screen_ == SimScreen::FormScreen) type_char(letter_.pending_char);
}

void SimRuntime::letter_tick() {
    if (!letter_.pending) return;
    const int age = letter_.pending_age++;
    if (age >= kLetterTakeAge) take_pending_letter();
}

}  // namespace kolibra
