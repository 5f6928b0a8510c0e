// A clock for tests in which time moves only when the code under test waits.
//
//   VirtualClock clock;                       // starts at 0 ms (or any value)
//   TerminalStandin terminal(...);
//   FakePort port(clock, &terminal);          // the desktop's end of the line
//   ... run the protocol with (port, clock) ...
//   EXPECT_EQ(clock.now_ms(), 9000u);          // a silent 9 s handshake, in microseconds
//
// pause(ms) and wait_for_input() step the clock one millisecond at a time and
// let every attached device act at each step, so replies arrive at the virtual
// time the device chose. Code that loops on now_ms() without ever waiting
// would never see time move; instead of hanging the test the clock aborts
// with a message after a million such calls in a row.
#pragma once

#include <cstdint>
#include <vector>

#include "link/clock.h"

namespace kolibra {

// Something that must act as virtual time passes (a FakePort and its device).
class TimeListener {
public:
    virtual ~TimeListener() = default;
    virtual void time_reached(uint32_t now_ms) = 0;
};

class VirtualClock : public Clock {
public:
    explicit VirtualClock(uint32_t start_ms = 0) : now_(start_ms) {}

    uint32_t now_ms() override;
    void pause(uint32_t ms) override;
    void wait_for_input(SerialPort& port, uint32_t deadline_ms) override;

    // Moves time on by ms, one millisecond at a time, telling every listener.
    void advance(uint32_t ms);

    void add_listener(TimeListener* listener);
    void remove_listener(TimeListener* listener);

    // Sum of all pauses and waits so far, for tests of timings.
    uint64_t total_waited_ms() const { return waited_; }

private:
    void step();

    uint32_t now_;
    uint64_t waited_ = 0;
    uint32_t reads_without_wait_ = 0;
    std::vector<TimeListener*> listeners_;
};

}  // namespace kolibra
