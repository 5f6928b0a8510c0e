// The PC keyboard on the simulated terminal, without a toolkit: which
// terminal keys give a typed character, and how to press them so that the
// LCD ends exactly as after the same clicks (Alpha switched on and off as
// needed, a letter key pressed as many times as the letter's place, and a
// letter left to time out before the next letter on the same key).
#pragma once

#include "simulator/sim_runtime.h"

#include <functional>
#include <string>

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

}  // namespace kolibra
