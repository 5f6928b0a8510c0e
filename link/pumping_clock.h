// A clock that lets a program's windows work while the link waits: it waits
// in short slices of another clock and calls `pump` between them (the face
// handles its paint and timer messages there). No toolkit here; each face
// passes its own pump.
#pragma once

#include "link/clock.h"
#include "common/transfer_stop.h"

#include <functional>

namespace kolibra {

class PumpingClock : public Clock {
public:
    // Long enough not to cost CPU, short enough that a window never looks hung.
    static constexpr uint32_t kSliceMs = 30;

    PumpingClock(Clock& inner, std::function<void()> pump) : inner_(inner), pump_(std::move(pump)) {}
    uint32_t now_ms() override { return inner_.now_ms(); }
    void pause(uint32_t ms) override;
    // Returns early, at the end of a slice, once `stop` (if set) is requested,
    // so a Cancel clicked during a wait is seen within one slice.
    void wait_for_input(SerialPort& port, uint32_t deadline_ms) override;
    void set_stop(const TransferStop* stop) { stop_ = stop; }

private:
    void pump() {
        if (pump_) pump_();
    }

    Clock& inner_;
    std::function<void()> pump_;
    const TransferStop* stop_ = nullptr;
};

}  // namespace kolibra
