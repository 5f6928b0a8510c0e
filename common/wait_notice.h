// The small window that says what a transfer waits for (the terminal's
// answer to the handshake, the first frame of a reception), seen from the
// link code; the windowing code draws it, with a Cancel button when the
// transfer can be stopped.
#pragma once

#include <string>

namespace kolibra {

class WaitNotice {
public:
    virtual ~WaitNotice() = default;
    // Shows (or updates) the window with `text`.
    virtual void show(const std::string& text) = 0;
    // Takes it away; harmless when not shown.
    virtual void hide() = 0;
};

}  // namespace kolibra
