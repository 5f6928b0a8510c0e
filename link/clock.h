// The millisecond clock that every protocol limit is measured on.
#pragma once

#include <cstdint>

namespace kolibra {

class SerialPort;

class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds since some fixed start; wraps like a 32-bit tick count.
    virtual uint32_t now_ms() = 0;
    // Waits at least ms milliseconds.
    virtual void pause(uint32_t ms) = 0;
    // Returns when the port has input or the clock reaches deadline_ms,
    // whichever comes first; never spins the CPU.
    virtual void wait_for_input(SerialPort& port, uint32_t deadline_ms) = 0;
};

// The real clock: a steady clock; waits for input block in the port
// (SerialPort::wait_readable, i.e. poll()), pauses sleep.
class SteadyClock : public Clock {
public:
    uint32_t now_ms() override;
    void pause(uint32_t ms) override;
    void wait_for_input(SerialPort& port, uint32_t deadline_ms) override;
};

// Milliseconds from now_ms to deadline_ms, 0 when it has passed; correct
// across the 32-bit wrap as long as the two are less than 24 days apart.
inline uint32_t ms_until(uint32_t now_ms, uint32_t deadline_ms) {
    const int32_t left = static_cast<int32_t>(deadline_ms - now_ms);
    return left > 0 ? static_cast<uint32_t>(left) : 0;
}

// True once now_ms has reached or passed deadline_ms (wrap-safe).
inline bool reached(uint32_t now_ms, uint32_t deadline_ms) {
    return static_cast<int32_t>(now_ms - deadline_ms) >= 0;
}

}  // namespace kolibra
