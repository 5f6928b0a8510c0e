// An in-process serial line for tests: FakePort is the desktop's end (a
// SerialPort), a LinkDevice (terminal or transceiver stand-in, or a scripted
// device of the test) is the far end, and a VirtualClock moves time.
//
//   VirtualClock clock;
//   TransceiverStandin ir({.start_baud = 9600});
//   FakePort port(clock, &ir);
//   port.open("COM1");
//   bool ok = setup_ir_transceiver(port, clock, run_line_settings(), 0);
//   // port.writes() and port.applied() tell what the code did, and when.
//
// Bytes the device sends at a speed other than the port's current speed are
// lost, as a real UART would drop them as framing errors.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "link/link_device.h"
#include "link/serial_port.h"
#include "link/virtual_clock.h"

namespace kolibra {

class FakePort : public SerialPort, public LineEndpoint, public TimeListener {
public:
    // One write() of the desktop, with the line state it went out with.
    struct Write {
        uint32_t at_ms;
        std::vector<uint8_t> bytes;
        uint32_t baud;
        bool rts_on;
        bool dtr_on;
    };
    // One apply() of the desktop.
    struct Apply {
        uint32_t at_ms;
        LineSettings settings;
    };

    FakePort(VirtualClock& clock, LinkDevice* device);
    ~FakePort() override;
    FakePort(const FakePort&) = delete;
    FakePort& operator=(const FakePort&) = delete;

    // SerialPort
    bool open(const std::string& device_path) override;
    bool is_open() const override { return open_; }
    bool set_buffer_sizes(std::size_t in_bytes, std::size_t out_bytes) override;
    bool apply(const LineSettings& settings) override;
    bool get_timeouts(PortTimeouts& timeouts) override;
    bool set_timeouts(const PortTimeouts& timeouts) override;
    int read(uint8_t* buffer, std::size_t max_bytes) override;
    std::size_t write(const uint8_t* data, std::size_t count) override;
    bool wait_readable(uint32_t max_ms) override;
    void purge_input() override;
    void close() override;

    // LineEndpoint: the device's bytes arrive in the input queue.
    void send(const uint8_t* data, std::size_t count, uint32_t baud) override;
    // TimeListener: passes the time on to the device.
    void time_reached(uint32_t now_ms) override;

    // Test controls.
    void refuse_open(bool refuse) { refuse_open_ = refuse; }
    void refuse_apply(bool refuse) { refuse_apply_ = refuse; }
    // Bytes that arrive as if the far end had sent them.
    void inject(const std::string& bytes);

    // What the desktop did.
    const std::string& opened_path() const { return path_; }
    int open_count() const { return open_count_; }
    int close_count() const { return close_count_; }
    std::size_t buffer_in() const { return buffer_in_; }
    std::size_t buffer_out() const { return buffer_out_; }
    const std::vector<Write>& writes() const { return writes_; }
    const std::vector<Apply>& applied() const { return applies_; }
    const std::vector<PortTimeouts>& timeouts_set() const { return timeouts_set_; }
    const PortTimeouts& current_timeouts() const { return timeouts_; }
    // All bytes written, in order, as one string.
    std::string written_bytes() const;
    std::size_t pending_input() const { return input_.size(); }
    int purge_count() const { return purge_count_; }

private:
    VirtualClock& clock_;
    LinkDevice* device_;
    bool open_ = false;
    bool refuse_open_ = false;
    bool refuse_apply_ = false;
    std::string path_;
    int open_count_ = 0;
    int close_count_ = 0;
    int purge_count_ = 0;
    std::size_t buffer_in_ = 0;
    std::size_t buffer_out_ = 0;
    LineSettings line_;
    // The time-outs a freshly opened port reports: all zero, like a driver default.
    PortTimeouts timeouts_;
    std::deque<uint8_t> input_;
    std::vector<Write> writes_;
    std::vector<Apply> applies_;
    std::vector<PortTimeouts> timeouts_set_;
};

}  // namespace kolibra
