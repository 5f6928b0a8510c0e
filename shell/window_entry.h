// Starts tgen's window. Returns the exit status of the program.
#pragma once

namespace kolibra {
int run_tgen_window(int argc, char** argv);
}
