// Plays the serial IR transceiver that hangs on the desktop's port, with an
// optional terminal (any LinkDevice) behind it.
//
//   TransceiverStandin ir({.start_baud = 19200});
//   TerminalStandin terminal(...);
//   ir.put_in_front_of(&terminal);
//   FakePort port(clock, &ir);
//
// While RTS is off it is in command mode: it answers 0x0F with 0x0F at the
// speed it runs, and takes 0x07, a speed code, 0x51 as the order to run at the
// coded speed once RTS comes on again. While RTS is on it passes bytes to and
// from the terminal at its speed. Bytes sent at another speed are garbled and
// ignored. Like many such adapters it draws its power from DTR: with DTR off
// it does nothing at all.
//
// A pseudo-terminal carries no RTS, so k2term runs it with mode_by_bytes: it
// starts in command mode, goes to pass-through after a complete speed order,
// and back to command mode when a lone 0x0F arrives (a write of that one byte
// after a quiet spell; no protocol message is a single byte).
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "link/link_device.h"

namespace kolibra {

struct TransceiverOptions {
    uint32_t start_baud = 9600;
    uint32_t echo_delay_ms = 2;
    // An absent or broken transceiver: never answers.
    bool silent = false;
    // Answer a 0x0F sent at this speed (not its own) with noise_byte, as a
    // line that picks up garbage would.
    uint32_t noise_at_baud = 0;
    uint8_t noise_byte = 0xF8;
    bool needs_dtr = true;
    bool mode_by_bytes = false;
    uint32_t lone_byte_quiet_ms = 50;
};

class TransceiverStandin : public LinkDevice, public LineEndpoint {
public:
    explicit TransceiverStandin(const TransceiverOptions& options = {});

    void put_in_front_of(LinkDevice* terminal);

    // LinkDevice (the desktop side).
    void connect(LineEndpoint* towards_desktop) override { desktop_ = towards_desktop; }
    void line_changed(const LineSettings& settings, uint32_t now_ms) override;
    void receive(const uint8_t* data, std::size_t count, uint32_t baud, uint32_t now_ms) override;
    void advance(uint32_t now_ms) override;
    int32_t ms_to_next_event(uint32_t now_ms) const override;

    // LineEndpoint (the terminal side): the terminal's bytes.
    void send(const uint8_t* data, std::size_t count, uint32_t baud) override;

    uint32_t speed() const { return speed_; }
    bool in_command_mode() const { return command_mode_; }
    int probes_answered() const { return probes_answered_; }
    // Every speed order completed, in order.
    const std::vector<uint32_t>& speed_orders() const { return speed_orders_; }

private:
    struct Outgoing {
        uint32_t due_ms;
        uint8_t byte;
        uint32_t baud;  // 0: reaches the desktop at any speed
    };
    bool powered() const { return !options_.needs_dtr || dtr_on_; }
    void command_byte(uint8_t byte, uint32_t now_ms);
    void take_pending_speed();

    TransceiverOptions options_;
    LineEndpoint* desktop_ = nullptr;
    LinkDevice* terminal_ = nullptr;
    uint32_t speed_;
    bool command_mode_;
    bool dtr_on_ = false;
    int order_step_ = 0;  // 0 idle, 1 after 0x07, 2 after the code, 3 order complete
    uint32_t pending_speed_ = 0;
    uint32_t last_input_ms_ = 0;
    bool had_input_ = false;
    int probes_answered_ = 0;
    std::vector<uint32_t> speed_orders_;
    std::vector<Outgoing> outgoing_;
};

}  // namespace kolibra
