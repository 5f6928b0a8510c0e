// The template named on tgen's command line (`tgen TEMPLATE.ATX`), as a file
// manager passes it.
#pragma once

#include "common/prompter.h"

#include <string>

namespace kolibra {

class MainWindow;

// Reads the file into the window's template as Open does, with Open's
// messages, and starts the simulated terminal over on it. A file that cannot
// be read leaves the factory template and no file name. True when it was read.
bool open_start_template(MainWindow& window, const std::string& path, Prompter& prompter);

}  // namespace kolibra
