#include "link/virtual_clock.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "link/serial_port.h"

namespace kolibra {

namespace {
constexpr uint32_t kSpinLimit = 1000000;
}

uint32_t VirtualClock::now_ms() {
    if (++reads_without_wait_ > kSpinLimit) {
        std::fprintf(stderr,
                     "VirtualClock: now_ms() read %u times without a wait; "
                     "the code under test spins instead of waiting\n",
                     kSpinLimit);
        std::abort();
    }
    return now_;
}

void VirtualClock::step() {
    ++now_;
    ++waited_;
    // A listener may detach others while it runs; work on a copy.
    const std::vector<TimeListener*> listeners = listeners_;
    for (TimeListener* listener : listeners) {
        if (std::find(listeners_.begin(), listeners_.end(), listener) != listeners_.end()) {
            listener->time_reached(now_);
        }
    }
}

void VirtualClock::advance(uint32_t ms) {
    reads_without_wait_ = 0;
    for (uint32_t i = 0; i < ms; ++i) step();
}

void VirtualClock::pause(uint32_t ms) { advance(ms); }

void VirtualClock::wait_for_input(SerialPort& port, uint32_t deadline_ms) {
    reads_without_wait_ = 0;
    while (!reached(now_, deadline_ms) && !port.wait_readable(0)) step();
}

void VirtualClock::add_listener(TimeListener* listener) {
    if (std::find(listeners_.begin(), listeners_.end(), listener) == listeners_.end()) {
        listeners_.push_back(listener);
    }
}

void VirtualClock::remove_listener(TimeListener* listener) {
    listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), listener),
                     listeners_.end());
}

}  // namespace kolibra
