#include <chrono>
#include <thread>

#include "link/clock.h"
#include "link/serial_port.h"

namespace kolibra {

uint32_t SteadyClock::now_ms() {
    const auto since_start = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(since_start).count());
}

void SteadyClock::pause(uint32_t ms) {
    // sleep_for may wake early on some systems; sleep again until the time is up.
    const uint32_t deadline = now_ms() + ms;
    while (!reached(now_ms(), deadline)) {
        std::this_thread::sleep_for(std::chrono::milliseconds(ms_until(now_ms(), deadline)));
    }
}

void SteadyClock::wait_for_input(SerialPort& port, uint32_t deadline_ms) {
    const uint32_t left = ms_until(now_ms(), deadline_ms);
    if (left > 0) port.wait_readable(left);
}

}  // namespace kolibra
