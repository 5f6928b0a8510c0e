// What a link command talks through: the port, the clock its limits are kept
// on, and the message boxes. Shared by the download and receive protocols.
#pragma once

#include "common/prompter.h"
#include "link/clock.h"
#include "link/serial_port.h"

#include <cstdint>

namespace kolibra {

struct LinkSession {
    SerialPort& port;
    Clock& clock;
    Prompter& prompter;
};

// Port and speed of one command, with the meanings of CommSettings:
// port 0..5 = COM1..COM6, baud 0..4 = 115200, 57600, 38400, 19200, 9600.
// Out-of-range indexes (a damaged template) are treated as 0.
struct LinkTarget {
    uint8_t port_index = 0;
    uint8_t baud_index = 0;
    bool use_ir = false;  // through the serial IR transceiver
};

// Milliseconds elapsed from `since` to `now` on the wrapping 32-bit tick.
inline uint32_t ms_since(uint32_t since, uint32_t now) { return now - since; }

}  // namespace kolibra
