// The user's request to stop a running transfer. The window sets it (a
// Cancel button, between slices of a pumping clock); the protocols look at it
// only at their boundaries (before a packet, before a frame, between the
// slices of a handshake or of the wait for the first frame), so a transfer
// never ends in the middle of a packet or frame.
#pragma once

#include <atomic>

namespace kolibra {

class TransferStop {
public:
    void request() { requested_.store(true); }
    bool requested() const { return requested_.load(); }
    // Called when a new transfer begins: an old click does not stop it.
    void reset() { requested_.store(false); }

private:
    std::atomic<bool> requested_{false};
};

}  // namespace kolibra
