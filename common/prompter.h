// Message boxes, seen from code that must not know the toolkit.
#pragma once

#include <string>

namespace kolibra {

enum class Icon { None, Information, Warning, Error, Question };
enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class Answer { Ok, Cancel, Yes, No, Retry };

class Prompter {
public:
    virtual ~Prompter() = default;
    // Shows one modal message box and returns the button the user chose.
    virtual Answer ask(const std::string& text, const std::string& caption, Icon icon,
                       Buttons buttons) = 0;
    // A box with only an OK button.
    void tell(const std::string& text, const std::string& caption, Icon icon) {
        ask(text, caption, icon, Buttons::Ok);
    }
};

}  // namespace kolibra
