#include "simulator/keyboard_mapping.h"

#include <cctype>
#include <cstring>

namespace kolibra {

namespace {

// Keys 1 to 11: their digit and their letter group, in key-code order.
constexpr char kDigits[] = "7894561230.";
constexpr const char* kLetterGroups[] = {"ABC", "DEF", "GHI", "JKL", "MNO", "PQR",
                                         "STU", "VWX", "YZ*", "+$/", "-%:"};
// A letter is taken on the 7th tick after its key; a few more never hurt.
constexpr int kLetterTimeOutTicks = 10;

}  // namespace

bool press_terminal_key(SimRuntime& runtime, int code) {
    LcdModel& lcd = runtime.lcd();
    bool changed = false;
    if (code == key::kAlpha && lcd.screen_is_form) {
        lcd.alpha_mode = !lcd.alpha_mode;
        changed = true;
    }
    runtime.press_key(code);
    return changed;
}

int terminal_key_for(PcKey pc) {
    switch (pc) {
        case PcKey::Enter: return key::kEnter;
        case PcKey::BackSpace: return key::kBackSpace;
        case PcKey::Space: return key::kSpace;
        case PcKey::Up: return key::kUp;
        case PcKey::Down: return key::kDown;
        case PcKey::Escape: return key::kEsc;
    }
    return 0;
}

CharKeys keys_for_char(char c) {
    if (c == ' ') return {key::kSpace, 1, false};
    if (const char* at = c ? std::strchr(kDigits, c) : nullptr) {
        return {static_cast<int>(at - kDigits) + 1, 1, false};
    }
    const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    for (int k = 0; k < 11; ++k) {
        if (const char* at = upper ? std::strchr(kLetterGroups[k], upper) : nullptr) {
            return {k + 1, static_cast<int>(at - kLetterGroups[k]) + 1, true};
        }
    }
    return {};
}

TypeOutcome type_pc_char(SimRuntime& runtime, char c, const std::function<void(int)>& pressed) {
    const CharKeys keys = keys_for_char(c);
    if (keys.code == 0) return TypeOutcome::Refused;
    LcdModel& lcd = runtime.lcd();
    auto press = [&](int code) {
        press_terminal_key(runtime, code);
        if (pressed) pressed(code);
    };
    if (keys.code == key::kSpace) {
        press(key::kSpace);
        return TypeOutcome::Typed;
    }
    if (keys.letter) {
        // Letters exist only on a form: elsewhere Alpha does not switch and
        // the key would act as its digit.
        if (!lcd.screen_is_form) return TypeOutcome::Refused;
        if (runtime.letter().pending && runtime.last_key() == keys.code) {
            return TypeOutcome::WaitLetter;
        }
        if (!lcd.alpha_mode) press(key::kAlpha);
    } else if (lcd.alpha_mode) {
        press(key::kAlpha);
    }
    for (int n = 0; n < keys.presses; ++n) press(keys.code);
    return TypeOutcome::Typed;
}

bool type_pc_text(SimRuntime& runtime, const std::string& text, std::string& error) {
    for (char c : text) {
        TypeOutcome outcome = type_pc_char(runtime, c);
        for (int tick = 0; outcome == TypeOutcome::WaitLetter && tick < kLetterTimeOutTicks; ++tick) {
            runtime.clock_tick();
            if (!runtime.letter().pending) outcome = type_pc_char(runtime, c);
        }
        if (outcome != TypeOutcome::Typed) {
            error = std::string("cannot type '") + c + "' on " + sim_screen_name(runtime.screen());
            return false;
        }
    }
    return true;
}

}  // namespace kolibra
