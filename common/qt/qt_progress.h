// The download progress window "ProgressDlg": a caption, the line
// "Downloading..." and a bar from 0 to 100. It has no buttons and cannot be
// closed by the user; it is shown on top and repainted at every step.
#pragma once

#include "common/progress.h"

#include <QPointer>

#include <QDialog>
#include <QProgressBar>

namespace kolibra {

class QtProgress : public Progress {
public:
    QtProgress() = default;
    ~QtProgress() override;
    QtProgress(const QtProgress&) = delete;
    QtProgress& operator=(const QtProgress&) = delete;

    // `caption` replaces the template's caption when it is not empty.
    void open(const std::string& caption) override;
    void set_value(int value) override;
    void close() override;

    // For tests and screenshots: the window while it is open, else nullptr.
    QDialog* window() const { return dialog_; }
    QProgressBar* bar() const { return bar_; }

private:
    QPointer<QDialog> dialog_;
    QPointer<QProgressBar> bar_;
};

// Lets the windows repaint (and timers run) without taking user input, so
// nothing looks hung during a transfer.
void pump_paint_events();

// While one of these lives, mouse and keyboard input is dropped everywhere
// but in a modal box opened meanwhile: a transfer takes no input, yet its
// questions can be answered.
class InputBlocker {
public:
    InputBlocker();
    ~InputBlocker();
    InputBlocker(const InputBlocker&) = delete;
    InputBlocker& operator=(const InputBlocker&) = delete;
    static bool active();
};

}  // namespace kolibra
