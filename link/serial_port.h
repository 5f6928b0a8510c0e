// The serial port as the protocols see it, and the line settings of a run.
#pragma once

#include <cstddef>
#include <cstdint>
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

struct PortTimeouts {
    uint32_t read_interval = 0;
    uint32_t read_total_multiplier = 0;
    uint32_t read_total_constant = 0;
    uint32_t write_total_multiplier = 0;
    uint32_t write_total_constant = 0;
};
constexpr uint32_t kReadIntervalNoWait = 0xFFFFFFFFu;

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

}  // namespace kolibra
