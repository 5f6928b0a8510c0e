// Used when tgen is built without its window.
#include "shell/window_entry.h"

#include <cstdio>

namespace kolibra {

int run_tgen_window(int, char**, const char*) {
    std::fprintf(stderr,
                 "tgen: this build has no window. The headless subcommands work without one;\n"
                 "see 'tgen --help'.\n");
    return 2;
}

}  // namespace kolibra
