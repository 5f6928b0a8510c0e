#include "common/window_placement_win32.h"

#include "common/window_placement.h"

#include <algorithm>
#include <string_view>

namespace kolibra {

namespace {

ScreenRect screen_rect(const RECT& r) { return {r.left, r.top, r.right - r.left, r.bottom - r.top}; }

RECT work_area_of(HWND window) {
    HMONITOR monitor = window ? MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST)
                              : MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(monitor, &info)) {
        RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &screen, 0);
        return screen;
    }
    return info.rcWork;
}

template <typename Rule>
POINT place(HWND owner, SIZE size, Rule rule) {
    const RECT work = work_area_of(owner);
    RECT owner_rect = work;
    if (owner) GetWindowRect(owner, &owner_rect);
    const ScreenPoint at = rule(screen_rect(owner_rect), size.cx, size.cy, screen_rect(work));
    return {at.x, at.y};
}

thread_local Win32DialogPlacement* innermost = nullptr;

bool is_dialog_box(HWND window) {
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    return std::wstring_view(name) == L"#32770";
}

}  // namespace

POINT win32_place_beside(HWND owner, SIZE size) {
    if (!owner) return win32_centre_on(nullptr, size);
    return place(owner, size, place_beside);
}

POINT win32_centre_on(HWND owner, SIZE size) { return place(owner, size, centre_on); }

Win32DialogPlacement::Win32DialogPlacement(HWND anchor) : anchor_(anchor), outer_(innermost) {
    // One hook serves every nested scope: it asks the innermost.
    if (!outer_) hook_ = SetWindowsHookExW(WH_CBT, &Win32DialogPlacement::hook, nullptr, GetCurrentThreadId());
    innermost = this;
}

Win32DialogPlacement::~Win32DialogPlacement() {
    innermost = outer_;
    if (hook_) UnhookWindowsHookEx(hook_);
}

LRESULT CALLBACK Win32DialogPlacement::hook(int code, WPARAM wparam, LPARAM lparam) {
    if (code == HCBT_ACTIVATE && innermost) innermost->place(reinterpret_cast<HWND>(wparam));
    return CallNextHookEx(nullptr, code, wparam, lparam);
}

void Win32DialogPlacement::place(HWND window) {
    if (!window || !is_dialog_box(window)) return;
    if (std::find(placed_.begin(), placed_.end(), window) != placed_.end()) return;
    for (Win32DialogPlacement* scope = outer_; scope; scope = scope->outer_) {
        const auto& seen = scope->placed_;
        if (std::find(seen.begin(), seen.end(), window) != seen.end()) return;
    }
    placed_.push_back(window);
    // A page of the editor's sheet is a child, never placed; only windows of their own.
    if (GetWindowLongW(window, GWL_STYLE) & WS_CHILD) return;
    HWND owner = GetWindow(window, GW_OWNER);
    if (!owner) return;
    RECT r;
    if (!GetWindowRect(window, &r)) return;
    const SIZE size{r.right - r.left, r.bottom - r.top};
    const POINT at = owner == anchor_ ? win32_place_beside(owner, size) : win32_centre_on(owner, size);
    SetWindowPos(window, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace kolibra
