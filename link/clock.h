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

}  // namespace kolibra
