// Whether a window can be shown: on Linux and the BSDs only when a display
// server or a Qt platform is named in the environment.
#pragma once

namespace kolibra {
bool has_display();
}
