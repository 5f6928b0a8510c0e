#include "simulator/keyboard_mapping.h"

#include <algorithm>
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

int PcTypingQueue::play(SimRuntime& runtime, const std::function<void(int)>& pressed) {
    int dropped = 0;
    while (!items_.empty()) {
        const Item item = items_.front();
        if (item.c == 0) {
            press_terminal_key(runtime, item.code);
            if (pressed) pressed(item.code);
        } else {
            const TypeOutcome outcome = type_pc_char(runtime, item.c, pressed);
            if (outcome == TypeOutcome::WaitLetter) break;
            if (outcome == TypeOutcome::Refused) ++dropped;
        }
        items_.pop_front();
    }
    return dropped;
}

std::vector<std::string> keyboard_mapping_lines() {
    std::vector<std::string> lines = {
        "PC keyboard      Terminal",
        "0 - 9  .         the digit keys (Alpha off)",
        "Space            SP",
        "Enter            ENT",
        "Backspace        BS",
        "Up  Down         the cursor keys",
        "Esc              ESC",
        "A - Z and signs  Alpha on, the letter key once,",
        "                 twice or three times:",
    };
    // The letter groups in the keypad's layout: 7 8 9 / 4 5 6 / 1 2 3 / 0 .
    static constexpr int kRows[4][3] = {{0, 1, 2}, {3, 4, 5}, {6, 7, 8}, {9, 10, -1}};
    for (const auto& row : kRows) {
        std::string line = "                 ";
        for (int k : row) {
            if (k < 0) continue;
            line += std::string(1, kDigits[k]) + " " + kLetterGroups[k] + "   ";
        }
        while (!line.empty() && line.back() == ' ') line.pop_back();
        lines.push_back(line);
    }
    lines.push_back("F1               this picture");
    lines.push_back("F2               Scan barcode...");
    return lines;
}

void ScanHistory::add(const std::string& text) {
    if (text.empty()) return;
    entries_.erase(std::remove(entries_.begin(), entries_.end(), text), entries_.end());
    entries_.insert(entries_.begin(), text);
    if (entries_.size() > kMax) entries_.resize(kMax);
}

}  // namespace kolibra
