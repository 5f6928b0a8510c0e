#include "common/display.h"

#include <cstdlib>
#include <initializer_list>

namespace kolibra {

bool has_display() {
#if defined(_WIN32) || defined(__APPLE__)
    return true;
#else
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(name);
        if (value && *value) return true;
    }
    return false;
#endif
}

}  // namespace kolibra
