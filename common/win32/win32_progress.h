// The download progress window "ProgressDlg" as a Win32 dialog: the
// program's template (caption, the line "Downloading...") with a
// "msctls_progress32" bar added below the line, from 0 to 100. It has no
// close box and ignores Escape: the transfer decides when it ends. Given a
// TransferStop, it has a Cancel button under the bar that requests the stop
// (the download then ends at its next packet). Every step repaints the
// windows and hears the Cancel button (win32::pump_paint_messages).
//
// Usage:
//   ResourceSet resources = load_resource_script("lkpsend", lkpsend_resource_script());
//   kolibra::Win32Progress progress(resources.dialog("ProgressDlg"));
//   progress.open("Progress (Download Lookup 1.0)");
//   progress.set_value(40);
//   progress.close();
#pragma once

#include "common/progress.h"
#include "common/resource_script.h"
#include "common/transfer_stop.h"

#include <windows.h>

namespace kolibra {

// The bar's control number inside the progress window.
constexpr int kProgressBarId = 1000;

class Win32Progress : public Progress {
public:
    // `tmpl` is copied; without one the window is an empty "Progress" box
    // of the template's usual size with the bar.
    explicit Win32Progress(const DialogTemplate* tmpl, HWND owner = nullptr);
    ~Win32Progress() override;
    Win32Progress(const Win32Progress&) = delete;
    Win32Progress& operator=(const Win32Progress&) = delete;

    // `caption` replaces the template's caption when it is not empty. The
    // window is widened when its title bar would cut the caption.
    void open(const std::string& caption) override;
    void set_value(int value) override;
    void close() override;
    // The stop its Cancel button requests; null: no Cancel button.
    void set_stop(TransferStop* stop) { stop_ = stop; }

    // For tests and screenshots: the window, its bar and its Cancel button
    // while open, else nullptr.
    HWND window() const { return dialog_; }
    HWND bar() const { return bar_; }
    HWND cancel_button() const { return cancel_; }

private:
    DialogTemplate tmpl_;
    HWND owner_;
    HWND dialog_ = nullptr;
    HWND bar_ = nullptr;
    HWND cancel_ = nullptr;
    TransferStop* stop_ = nullptr;
};

// Centres `window` in the work area of its screen (the transfer windows' place).
void center_on_screen(HWND window);

}  // namespace kolibra
