// The running count of a reception: a small light-yellow borderless box in
// the middle of the screen, above every window and never taking the focus,
// reading "Data received : n"; given a TransferStop, with a Cancel button
// under the count (the reception then ends at its next frame).
//
// Usage:
//   kolibra::Win32ReceiveCountView count_view;
//   count_view.prepare();   // before the reception
//   count_view.show(12);    // at every record; repaints at once
//   count_view.remove();
#pragma once

#include "common/receive_count_view.h"
#include "common/transfer_stop.h"

#include <windows.h>

#include <string>

namespace kolibra {

class Win32ReceiveCountView : public ReceiveCountView {
public:
    Win32ReceiveCountView() = default;
    ~Win32ReceiveCountView() override;
    Win32ReceiveCountView(const Win32ReceiveCountView&) = delete;
    Win32ReceiveCountView& operator=(const Win32ReceiveCountView&) = delete;

    void prepare() override;
    void show(int count) override;
    void remove() override;
    // The stop its Cancel button requests; null: no Cancel button.
    void set_stop(TransferStop* stop) { stop_ = stop; }

    // For tests and screenshots: the box while prepared, else nullptr, and its line.
    HWND box() const { return box_; }
    const std::wstring& text() const { return text_; }
    HWND cancel_button() const { return cancel_; }

private:
    static LRESULT CALLBACK window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
    void paint(HWND hwnd);

    HWND box_ = nullptr;
    HWND cancel_ = nullptr;
    TransferStop* stop_ = nullptr;
    std::wstring text_;
};

}  // namespace kolibra
