// The download progress window "ProgressDlg": a caption, the line
// "Downloading..." and a bar from 0 to 100. It cannot be closed by the user;
// given a TransferStop, it has a Cancel button that requests the stop (the
// download then ends at its next packet). Shown on top, repainted at every step.
#pragma once

#include "common/progress.h"
#include "common/transfer_stop.h"
#include "common/wait_notice.h"

#include <QPointer>

#include <QDialog>
#include <QProgressBar>
#include <QPushButton>

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
    // The stop its Cancel button requests; null: no Cancel button.
    void set_stop(TransferStop* stop) { stop_ = stop; }

    // For tests and screenshots: the window while it is open, else nullptr.
    QDialog* window() const { return dialog_; }
    QProgressBar* bar() const { return bar_; }
    QPushButton* cancel_button() const { return cancel_; }

private:
    QPointer<QDialog> dialog_;
    QPointer<QProgressBar> bar_;
    QPointer<QPushButton> cancel_;
    TransferStop* stop_ = nullptr;
};

// The small window "Waiting for the terminal on COM1 ..." with the device on
// a second line, shown while the handshake or the first frame is awaited;
// given a TransferStop it has a Cancel button like the progress window's.
class QtWaitNotice : public WaitNotice {
public:
    QtWaitNotice() = default;
    ~QtWaitNotice() override;
    QtWaitNotice(const QtWaitNotice&) = delete;
    QtWaitNotice& operator=(const QtWaitNotice&) = delete;

    void show(const std::string& text) override;
    void hide() override;
    void set_stop(TransferStop* stop) { stop_ = stop; }

    QDialog* window() const { return dialog_; }
    QPushButton* cancel_button() const { return cancel_; }

private:
    QPointer<QDialog> dialog_;
    QPointer<QPushButton> cancel_;
    TransferStop* stop_ = nullptr;
};

// A Cancel button that requests `stop` (and then greys out to show it was
// heard); it takes clicks while an InputBlocker holds the rest.
QPushButton* make_cancel_button(QWidget* parent, TransferStop* stop);

// Lets the windows repaint (and timers run) without taking user input, so
// nothing looks hung during a transfer.
void pump_paint_events();

// While one of these lives, mouse and keyboard input is dropped everywhere
// but in a modal box opened meanwhile and in the Cancel buttons of the
// progress and waiting windows: a transfer takes no input, yet its questions
// can be answered and it can be stopped.
class InputBlocker {
public:
    InputBlocker();
    ~InputBlocker();
    InputBlocker(const InputBlocker&) = delete;
    InputBlocker& operator=(const InputBlocker&) = delete;
    static bool active();
};

}  // namespace kolibra
