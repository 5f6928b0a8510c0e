#include "common/win32/win32_message_pump.h"

#include <windows.h>

namespace kolibra::win32 {

namespace {

// Enough for every window's paint and timer messages, bounded so that a
// window that keeps posting cannot hold the transfer up.
constexpr int kMaxMessagesPerPump = 500;

bool is_user_input(UINT message) {
    return (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
           (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= WM_NCMOUSEMOVE && message <= WM_NCXBUTTONDBLCLK);
}

// The property that marks a window whose input a transfer takes.
constexpr wchar_t kTakesInput[] = L"KolibraTakesInputDuringTransfer";

}  // namespace

void take_input_during_transfer(HWND window) {
    if (window) SetPropW(window, kTakesInput, reinterpret_cast<HANDLE>(1));
}

bool passes_during_transfer(const MSG& message) {
    if (!is_user_input(message.message)) return true;
    return message.hwnd && GetPropW(message.hwnd, kTakesInput) != nullptr;
}

void pump_paint_messages() {
    MSG msg;
    for (int i = 0; i < kMaxMessagesPerPump && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
        if (msg.message == WM_QUIT) {
            // Left for the program's own loop.
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (!passes_during_transfer(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

}  // namespace kolibra::win32
