// Message boxes as Windows' own (MessageBoxW), with the caption, icon and
// buttons the caller asks for.
//
// Usage:
//   kolibra::Win32Prompter prompter(main_window);   // owner may be nullptr
//   if (prompter.ask("Overwrite?", "Save", Icon::Question, Buttons::YesNo) == Answer::Yes) ...
//
// Texts are UTF-8. Tests pass their own box function instead of MessageBoxW,
// so no modal box waits for a user there.
#pragma once

#include "common/prompter.h"

#include <windows.h>

namespace kolibra {

// MessageBoxW's flags for a box of this icon and these buttons (task-modal
// when there is no owner, so the program's other windows wait too).
UINT message_box_flags(Icon icon, Buttons buttons, bool has_owner);
// The answer for what MessageBoxW returned; a box closed another way
// counts as its cancelling choice.
Answer message_box_answer(int result, Buttons buttons);

class Win32Prompter : public Prompter {
public:
    using BoxFunction = int(WINAPI*)(HWND, LPCWSTR, LPCWSTR, UINT);
    explicit Win32Prompter(HWND owner = nullptr, BoxFunction box = &MessageBoxW)
        : owner_(owner), box_(box) {}
    void set_owner(HWND owner) { owner_ = owner; }
    Answer ask(const std::string& text, const std::string& caption, Icon icon, Buttons buttons) override;

private:
    HWND owner_;
    BoxFunction box_;
};

}  // namespace kolibra
