// Starts tgen's window. Returns the exit status of the program.
#pragma once

namespace kolibra {
// `template_path`, when given, is opened in the window at start.
int run_tgen_window(int argc, char** argv, const char* template_path = nullptr);
}
