// Message boxes for runs without a display: each box is printed on stderr as
// "Caption: text", and a question is answered as a cautious user would.
#pragma once

#include "common/prompter.h"

#include <cstdio>

namespace kolibra {

class StderrPrompter : public Prompter {
public:
    explicit StderrPrompter(std::FILE* out = stderr) : out_(out) {}
    // Yes/No questions take No, Retry/Cancel and OK/Cancel take Cancel.
    Answer ask(const std::string& text, const std::string& caption, Icon icon,
               Buttons buttons) override;

private:
    std::FILE* out_;
};

}  // namespace kolibra
