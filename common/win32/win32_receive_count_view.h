// The running count of a reception: a small light-yellow borderless box in
// the middle of the screen, above every window and never taking the focus,
// reading "Data received : n".
//
// Usage:
//   kolibra::Win32ReceiveCountView count_view;
//   count_view.prepare();   // before the reception
//   count_view.show(12);    // at every record; repaints at once
//   count_view.remove();
#pragma once

#include "common/receive_count_view.h"

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

    // For tests and screenshots: the box while prepared, else nullptr, and its line.
    HWND box() const { return box_; }
    const std::wstring& text() const { return text_; }

private:
    static LRESULT CALLBACK window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
    void paint(HWND hwnd);

    HWND box_ = nullptr;
    std::wstring text_;
};

}  // namespace kolibra
