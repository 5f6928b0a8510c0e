// Shows a received data file to the user in a text viewer.
#pragma once

#include <string>

namespace kolibra {

class Launcher {
public:
    virtual ~Launcher() = default;
    // Starts the viewer on the file without waiting for it; false if it
    // could not be started.
    virtual bool show_text_file(const std::string& path) = 0;
};

}  // namespace kolibra
