// The far end of a serial line as code that plays an outside device sees it:
// the terminal stand-in and the transceiver stand-in are LinkDevices.
//
// A device is driven from outside: it is told what the desktop wrote, how the
// desktop set the line, and that time has moved on; it answers by sending
// bytes to the LineEndpoint it is connected to (a FakePort in tests, the
// pseudo-terminal in k2term, or the transceiver in front of a terminal).
// Devices keep their own time only through the now_ms values they are given,
// so the same code runs on the virtual clock and on the real one.
#pragma once

#include <cstddef>
#include <cstdint>

#include "link/serial_port.h"

namespace kolibra {

// Where a device sends its bytes.
class LineEndpoint {
public:
    virtual ~LineEndpoint() = default;
    // baud is the speed the device sends at; 0 means "at whatever speed the
    // receiving side runs" (devices that do not model line speeds).
    virtual void send(const uint8_t* data, std::size_t count, uint32_t baud) = 0;
};

class LinkDevice {
public:
    virtual ~LinkDevice() = default;
    virtual void connect(LineEndpoint* towards_desktop) = 0;
    // The desktop applied new line settings (speed, DTR, RTS).
    virtual void line_changed(const LineSettings& settings, uint32_t now_ms) {
        (void)settings;
        (void)now_ms;
    }
    // Bytes the desktop wrote, sent at the given speed (0: speed not known).
    virtual void receive(const uint8_t* data, std::size_t count, uint32_t baud,
                         uint32_t now_ms) = 0;
    // Time has reached now_ms; the device sends whatever has become due.
    virtual void advance(uint32_t now_ms) { (void)now_ms; }
    // Milliseconds until the device next wants advance() called, or -1 when it
    // waits only for input. Lets a real-time driver sleep instead of polling.
    virtual int32_t ms_to_next_event(uint32_t now_ms) const {
        (void)now_ms;
        return -1;
    }
};

}  // namespace kolibra
