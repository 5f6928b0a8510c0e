// The PC keyboard on the simulated terminal, without a toolkit: which
// terminal keys give a typed character, and how to press them so that the
// LCD ends exactly as after the same clicks (Alpha switched on and off as
// needed, a letter key pressed as many times as the letter's place, and a
// letter left to time out before the next letter on the same key).
#pragma once

#include "simulator/sim_runtime.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace kolibra {

// Presses a terminal key as the window does: Alpha on a form switches the
// keypad first, before the runtime sees the key. True when the alpha mode
// changed.
bool press_terminal_key(SimRuntime& runtime, int code);

// The non-character keys of the PC keyboard that drive the terminal.
enum class PcKey { Enter, BackSpace, Space, Up, Down, Escape };
int terminal_key_for(PcKey key);

// How a character is typed on the terminal: `code` pressed `presses` times,
// with the alpha mode on (`letter`) or off.
struct CharKeys {
    int code = 0;  // 0: the terminal cannot type the character
    int presses = 1;
    bool letter = false;
};
// Lower-case letters are typed as upper-case: the terminal has no others.
CharKeys keys_for_char(char c);

enum class TypeOutcome {
    Typed,        // the keys were pressed
    WaitLetter,   // a letter on the same key is still shown: let it time out first
    Refused,      // the character cannot be typed here; nothing was pressed
};

// Types `c` on the terminal from its current state. `pressed` is told each
// key code as it is pressed (for showing the key held a moment).
TypeOutcome type_pc_char(SimRuntime& runtime, char c,
                         const std::function<void(int)>& pressed = {});

// Types `text` with the clock ticking where a letter must time out, as a
// script does. False at the first character that cannot be typed, with the
// reason; what came before it stays typed.
bool type_pc_text(SimRuntime& runtime, const std::string& text, std::string& error);

// What a window has been given on the PC keyboard and not yet played: a
// letter after a letter on the same key waits for the first to time out,
// and whatever follows waits behind it, so the order is kept.
class PcTypingQueue {
public:
    void push_char(char c) { items_.push_back({c, 0}); }
    void push_key(int code) { items_.push_back({0, code}); }
    bool empty() const { return items_.empty(); }
    void clear() { items_.clear(); }
    // Plays what can be played now; call again after each clock tick while
    // not empty. Characters the terminal cannot type here are dropped; the
    // count of them is returned.
    int play(SimRuntime& runtime, const std::function<void(int)>& pressed = {});

private:
    struct Item {
        char c;
        int code;  // a terminal key, when c is 0
    };
    std::deque<Item> items_;
};

// The PC keyboard's keys and the terminal keys they press, a line each, for
// a small picture of the mapping.
std::vector<std::string> keyboard_mapping_lines();

// The barcodes scanned last, newest first, each once, at most ten.
class ScanHistory {
public:
    static constexpr std::size_t kMax = 10;
    void add(const std::string& text);
    const std::vector<std::string>& entries() const { return entries_; }

private:
    std::vector<std::string> entries_;
};

}  // namespace kolibra
