// The small box with the running count of a reception, seen from the link
// code; the windowing code draws it.
#pragma once

namespace kolibra {

class ReceiveCountView {
public:
    virtual ~ReceiveCountView() = default;
    // Remembers what lies under the box; nothing is drawn yet.
    virtual void prepare() = 0;
    // Draws the box with "Data received : <count>".
    virtual void show(int count) = 0;
    // Puts back what lay under the box.
    virtual void remove() = 0;
};

}  // namespace kolibra
