#include "simulator/terminal_zoom.h"

#include "common/user_settings.h"
#include "simulator/terminal_face.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace kolibra {

namespace {

// Division rounded towards minus infinity (the drag's capture gives
// positions left of and above the window as negative numbers).
int floor_div(long long a, long long b) {
    long long q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
    return static_cast<int>(q);
}

int ceil_div(long long a, long long b) { return -floor_div(-a, b); }

}  // namespace

int TerminalZoom::to_window(int v) const { return floor_div(static_cast<long long>(v) * percent, 100); }

int TerminalZoom::to_terminal(int v) const { return floor_div(static_cast<long long>(v) * 100, percent); }

PixelRect TerminalZoom::to_window(const PixelRect& r) const {
    const int left = to_window(r.x), top = to_window(r.y);
    const int right = ceil_div(static_cast<long long>(r.x + r.w) * percent, 100);
    const int bottom = ceil_div(static_cast<long long>(r.y + r.h) * percent, 100);
    return {left, top, right - left, bottom - top};
}

PixelSize TerminalZoom::window_size() const {
    const PixelRect all = to_window(PixelRect{0, 0, kTerminalSize.w, kTerminalSize.h});
    return {all.w, all.h};
}

bool is_zoom_step(int percent) {
    for (int step : kZoomSteps)
        if (step == percent) return true;
    return false;
}

int next_zoom(int percent) {
    for (int step : kZoomSteps)
        if (step > percent) return step;
    return kZoomSteps.back();
}

int previous_zoom(int percent) {
    for (auto it = kZoomSteps.rbegin(); it != kZoomSteps.rend(); ++it)
        if (*it < percent) return *it;
    return kZoomSteps.front();
}

int zoom_for_screen_scale(double scale) {
    if (!(scale > 0) || !std::isfinite(scale)) return kDefaultZoom;
    const double wanted = scale * 100.0;
    int best = kZoomSteps.front();
    for (int step : kZoomSteps)
        if (std::abs(step - wanted) <= std::abs(best - wanted)) best = step;
    return best;
}

int zoom_from_settings(const std::string& stored, double screen_scale) {
    int value = 0;
    const char* first = stored.data();
    const char* last = first + stored.size();
    const auto result = std::from_chars(first, last, value);
    if (!stored.empty() && result.ec == std::errc() && result.ptr == last && is_zoom_step(value))
        return value;
    return zoom_for_screen_scale(screen_scale);
}

int remembered_zoom(double screen_scale) {
    return zoom_from_settings(UserSettings::load(user_settings_path()).get(kZoomSettingKey), screen_scale);
}

void remember_zoom(int percent) {
    const SaveResult saved = remember_user_setting(kZoomSettingKey, std::to_string(percent));
    if (!saved.ok) std::fprintf(stderr, "tgen: the terminal's size is not remembered: %s\n", saved.reason.c_str());
}

}  // namespace kolibra
