// Message boxes as modal QMessageBox windows.
#pragma once

#include "common/prompter.h"

#include <QPointer>
#include <QWidget>

namespace kolibra {

class QtPrompter : public Prompter {
public:
    // `owner` parents every box; without one, the active window does.
    explicit QtPrompter(QWidget* owner = nullptr) : owner_(owner) {}
    Answer ask(const std::string& text, const std::string& caption, Icon icon,
               Buttons buttons) override;

private:
    QPointer<QWidget> owner_;
};

}  // namespace kolibra
