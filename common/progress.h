// The download progress window, seen from the link code.
#pragma once

#include <string>

namespace kolibra {

class Progress {
public:
    virtual ~Progress() = default;
    // Shows the window with its caption; the bar starts at 0 of 0..100.
    virtual void open(const std::string& caption) = 0;
    // Moves the bar; values above 100 show as a full bar.
    virtual void set_value(int value) = 0;
    virtual void close() = 0;
};

}  // namespace kolibra
