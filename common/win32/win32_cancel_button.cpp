#include "common/win32/win32_cancel_button.h"

#include "common/win32/win32_message_pump.h"

namespace kolibra {

namespace {

// The property on the button that holds its TransferStop.
constexpr wchar_t kStopProperty[] = L"KolibraTransferStop";

}  // namespace

HWND make_cancel_button(HWND parent, TransferStop* stop, int x, int y) {
    HWND button = CreateWindowExW(0, L"BUTTON", L"Cancel",
                                  WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, x, y,
                                  kCancelButtonWidth, kCancelButtonHeight, parent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(kCancelButtonId)),
                                  GetModuleHandleW(nullptr), nullptr);
    if (!button) return nullptr;
    SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 FALSE);
    SetPropW(button, kStopProperty, stop);
    win32::take_input_during_transfer(button);
    return button;
}

bool cancel_button_clicked(HWND parent, WPARAM wparam) {
    if (LOWORD(wparam) != kCancelButtonId || HIWORD(wparam) != BN_CLICKED) return false;
    HWND button = GetDlgItem(parent, kCancelButtonId);
    if (!button) return false;
    if (auto* stop = static_cast<TransferStop*>(GetPropW(button, kStopProperty))) stop->request();
    EnableWindow(button, FALSE);
    return true;
}

}  // namespace kolibra
