// Message boxes as modal QMessageBox windows.
#pragma once

#include "common/prompter.h"

#include <QFont>
#include <QPointer>
#include <QString>
#include <QWidget>

namespace kolibra {

// The narrowest window whose title bar shows `caption` whole beside the
// window manager's icon and buttons.
int width_for_caption(const QString& caption, const QFont& window_font);

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
