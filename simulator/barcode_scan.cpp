// A simulated scan: the reader's characters go into the current line of the
// shown form as data, with the checks keyed data gets.
#include "simulator/sim_runtime.h"

#include "model/form_rules.h"

#include <algorithm>

namespace kolibra {

namespace {

constexpr uint8_t kSourceKeypad = 1;
constexpr uint8_t kAutoEnterAfterScan = 1;  // "Scan+ENTER"
constexpr int kMessageWrongType = 1;
constexpr int kMessageTooLong = 3;

}  // namespace

ScanResult SimRuntime::scan_barcode(const std::string& text) {
    // A letter still shown under the cursor is taken first, as any other
    // input would take it.
    if (letter_.pending) take_pending_letter();
    if (screen_ != SimScreen::FormScreen) {
        return {ScanStatus::Refused, "No form line is waiting for input."};
    }
    FormRecord& f = form();
    const int i = f.current_line;
    if (f.input_source[i] == kSourceKeypad) {
        return {ScanStatus::Refused, "This line takes keypad input only."};
    }
    if (text.empty()) return {ScanStatus::Refused, "The barcode is empty."};

    // The whole code is checked before any of it is taken: a reader delivers
    // a code or nothing, never part of one.
    for (char c : text) {
        if (!check_char(c, f.data_type[i])) {
            show_error_page(kMessageWrongType);
            return {ScanStatus::Rejected, {}};
        }
    }
    // Keyed data at the maximum replaces its last character; a scan that did
    // so would store a wrong code, so a code longer than the room left is
    // refused with the terminal's "too long" message instead.
    const FieldState& field = fields_[i];
    const bool type_over = !field.data.empty() && field.end_col == field.prompt_len;
    const int taken = type_over ? 0 : field.end_col - field.prompt_len;
    const int room = std::min<int>(f.max_length[i], kFieldDataMax) - taken;
    if (static_cast<int>(text.size()) > room) {
        show_error_page(kMessageTooLong);
        return {ScanStatus::Rejected, {}};
    }

    for (char c : text) type_char(c);
    // Enter is pressed as a key so that it counts as the last key and runs
    // the length check and the move to the next line as a keyed Enter does.
    // The auto_enter of an extension line is that of its field.
    if (f.auto_enter[i] == kAutoEnterAfterScan) press_key(key::kEnter);
    return {ScanStatus::Taken, {}};
}

}  // namespace kolibra
