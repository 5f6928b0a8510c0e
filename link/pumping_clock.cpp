#include "link/pumping_clock.h"

#include "link/serial_port.h"

namespace kolibra {

void PumpingClock::pause(uint32_t ms) {
    const uint32_t deadline = inner_.now_ms() + ms;
    for (;;) {
        const uint32_t left = ms_until(inner_.now_ms(), deadline);
        if (left == 0) return;
        inner_.pause(left < kSliceMs ? left : kSliceMs);
        pump();
    }
}

void PumpingClock::wait_for_input(SerialPort& port, uint32_t deadline_ms) {
    for (;;) {
        const uint32_t now = inner_.now_ms();
        const uint32_t left = ms_until(now, deadline_ms);
        if (left == 0) return;
        const uint32_t slice_end = now + (left < kSliceMs ? left : kSliceMs);
        inner_.wait_for_input(port, slice_end);
        if (port.wait_readable(0)) {
            pump();
            return;
        }
        // A port that returns early without input (an error) must not make
        // this loop spin: sit out the rest of the slice.
        const uint32_t rest = ms_until(inner_.now_ms(), slice_end);
        if (rest > 0) inner_.pause(rest);
        pump();
        if (stop_ && stop_->requested()) return;
    }
}

}  // namespace kolibra
