// The small window "Waiting for the terminal on COM1 ..." with the device on
// a second line, shown while a transfer waits for the terminal's answer to
// the handshake or for the first frame of a reception. It has no close box;
// given a TransferStop it has a Cancel button that requests the stop (the
// clock ends the wait within one slice). It is centred on the screen, above
// its owner, and repainted at once.
//
// Usage:
//   kolibra::Win32WaitNotice waiting;
//   waiting.set_owner(main_window);
//   waiting.set_stop(&stop);
//   waiting.show("Waiting for the terminal on COM1 ...\n/dev/ttyS0");
//   waiting.hide();
#pragma once

#include "common/transfer_stop.h"
#include "common/wait_notice.h"

#include <windows.h>

#include <string>

namespace kolibra {

class Win32WaitNotice : public WaitNotice {
public:
    Win32WaitNotice() = default;
    ~Win32WaitNotice() override;
    Win32WaitNotice(const Win32WaitNotice&) = delete;
    Win32WaitNotice& operator=(const Win32WaitNotice&) = delete;

    void show(const std::string& text) override;
    void hide() override;
    void set_owner(HWND owner) { owner_ = owner; }
    // The stop its Cancel button requests; null: no Cancel button.
    void set_stop(TransferStop* stop) { stop_ = stop; }

    // For tests and screenshots: the window, its text and its Cancel button
    // while shown, else nullptr.
    HWND window() const { return window_; }
    HWND label() const { return label_; }
    HWND cancel_button() const { return cancel_; }

private:
    static LRESULT CALLBACK window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
    void create();
    void layout(const std::wstring& text);

    HWND owner_ = nullptr;
    HWND window_ = nullptr;
    HWND label_ = nullptr;
    HWND cancel_ = nullptr;
    TransferStop* stop_ = nullptr;
};

}  // namespace kolibra
