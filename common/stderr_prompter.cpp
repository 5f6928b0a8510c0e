#include "common/stderr_prompter.h"

namespace kolibra {

Answer StderrPrompter::ask(const std::string& text, const std::string& caption, Icon,
                           Buttons buttons) {
    std::fprintf(out_, "%s: %s\n", caption.c_str(), text.c_str());
    std::fflush(out_);
    switch (buttons) {
        case Buttons::Ok: return Answer::Ok;
        case Buttons::YesNo:
        case Buttons::YesNoCancel: return Answer::No;
        case Buttons::OkCancel:
        case Buttons::RetryCancel: return Answer::Cancel;
    }
    return Answer::Cancel;
}

}  // namespace kolibra
