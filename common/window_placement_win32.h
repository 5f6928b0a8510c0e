// The window placement rule (common/window_placement.h) on Windows: the
// owner's window rectangle and the work area of the monitor it is on
// (MonitorFromWindow, GetMonitorInfo's rcWork) go in, a position comes out.
#pragma once

#include <windows.h>

#include <vector>

namespace kolibra {

// The top-left corner for a window of `size` beside `owner` (right, else
// left, else centred on it), inside the work area of the owner's monitor.
POINT win32_place_beside(HWND owner, SIZE size);
// The same, centred on `owner`; without an owner, centred on the primary
// monitor's work area.
POINT win32_centre_on(HWND owner, SIZE size);

// While one lives, dialog boxes that the binder or MessageBox create on this
// thread are placed when first activated: one owned by `anchor` (the
// program's main window) beside it, any other centred on its owner. The
// dialogs' own DS_CENTER would put them in the middle of the screen, over
// the terminal. Scopes nest; the innermost one's anchor holds.
class Win32DialogPlacement {
public:
    explicit Win32DialogPlacement(HWND anchor);
    ~Win32DialogPlacement();
    Win32DialogPlacement(const Win32DialogPlacement&) = delete;
    Win32DialogPlacement& operator=(const Win32DialogPlacement&) = delete;

private:
    static LRESULT CALLBACK hook(int code, WPARAM wparam, LPARAM lparam);
    void place(HWND window);

    HWND anchor_;
    HHOOK hook_ = nullptr;
    Win32DialogPlacement* outer_;
    std::vector<HWND> placed_;  // each dialog is placed once, not on every activation
};

}  // namespace kolibra
