// The serial port as the protocols see it, and the line settings of a run.
//
// A command opens the port, sets it up and closes it on every way out:
//
//   auto port = make_serial_port();               // PosixSerialPort / Win32SerialPort
//   if (!port->open(port_device_path(settings.com_port))) { ...report...; }
//   port->set_buffer_sizes(kDownloadBufferIn, kDownloadBufferOut);
//   LineSettings& line = run_line_settings();     // lives for the whole run
//   set_plain_line(line, baud_for_index(settings.com_baud));
//   if (!port->apply(line)) { port->close(); ...; }
//   port->set_timeouts(transfer_timeouts());
//   ... write(), then read() in a loop with clock.wait_for_input(*port, deadline) ...
//   port->purge_input(); port->close();
//
// Tests use FakePort (link/fake_port.h) with a VirtualClock instead.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace kolibra {

// The line settings record. One lives for the whole run of a program
// (run_line_settings); every command fills in what it needs and applies it,
// so fields such as DTR and RTS carry over from command to command.
struct LineSettings {
    uint32_t baud_rate = 0;
    uint8_t byte_size = 0;      // 8 once a command has run
    bool parity_none = false;   // the link only ever uses no parity ...
    bool one_stop_bit = false;  // ... and one stop bit
    bool dtr_on = false;
    bool rts_on = false;
    bool cts_output_flow = false;
    bool xon_xoff_output = false;
};

// The record of the current run, all zero at program start.
LineSettings& run_line_settings();
// Back to the program-start state; for tests that need a fresh run.
void reset_run_line_settings();
// What every command sets before it applies the record: the speed, 8 data
// bits, no parity, one stop bit. DTR, RTS and flow control are left alone.
void set_plain_line(LineSettings& settings, uint32_t baud_rate);

struct PortTimeouts {
    uint32_t read_interval = 0;
    uint32_t read_total_multiplier = 0;
    uint32_t read_total_constant = 0;
    uint32_t write_total_multiplier = 0;
    uint32_t write_total_constant = 0;
};
constexpr uint32_t kReadIntervalNoWait = 0xFFFFFFFFu;
constexpr uint32_t kWriteMsPerByte = 5;
constexpr uint32_t kWriteMsConstant = 50;

// The time-outs of a transfer: reads return at once with what is there,
// writes are bounded by 5 ms per byte plus 50 ms.
PortTimeouts transfer_timeouts();

// Driver buffer sizes (in, out) of the two kinds of command.
constexpr std::size_t kDownloadBufferIn = 256;
constexpr std::size_t kDownloadBufferOut = 1200;
constexpr std::size_t kReceiveBufferIn = 256;
constexpr std::size_t kReceiveBufferOut = 256;

class SerialPort {
public:
    virtual ~SerialPort() = default;
    // Opens the device for exclusive use; false if missing or in use.
    virtual bool open(const std::string& device_path) = 0;
    virtual bool is_open() const = 0;
    virtual bool set_buffer_sizes(std::size_t in_bytes, std::size_t out_bytes) = 0;
    // Applies the line settings; false if the port refuses them.
    virtual bool apply(const LineSettings& settings) = 0;
    virtual bool get_timeouts(PortTimeouts& timeouts) = 0;
    virtual bool set_timeouts(const PortTimeouts& timeouts) = 0;
    // Returns the bytes already received, 0..max_bytes, without waiting;
    // -1 on a port error.
    virtual int read(uint8_t* buffer, std::size_t max_bytes) = 0;
    // Writes, bounded by the write time-out; returns the bytes written.
    virtual std::size_t write(const uint8_t* data, std::size_t count) = 0;
    // Blocks until input is waiting or max_ms have passed; true if input waits.
    virtual bool wait_readable(uint32_t max_ms) = 0;
    // Drops unread input.
    virtual void purge_input() = 0;
    virtual void close() = 0;
};

// The port of the platform this program was built for.
std::unique_ptr<SerialPort> make_serial_port();

}  // namespace kolibra
