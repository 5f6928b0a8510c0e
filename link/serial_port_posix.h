// The serial port over termios, for Linux and other POSIX systems.
//
// Raw 8N1 at 9600..115200 bit/s, no flow control unless the line settings ask
// for it. open() takes the device for this process alone: an flock() on the
// device refuses a second open here or in any process (root included), and on
// a real serial line TIOCEXCL also keeps out programs that do not lock. (Not on
// a pseudo-terminal: there the flag would outlive a holder that crashed.) Reads never wait; waiting is
// done with wait_readable(), which blocks in poll(). A pseudo-terminal has no
// modem lines: a refused RTS/DTR change there is skipped, not a failure.
#pragma once

#include <string>

#include "link/serial_port.h"

namespace kolibra {

class PosixSerialPort : public SerialPort {
public:
    PosixSerialPort() = default;
    ~PosixSerialPort() override;
    PosixSerialPort(const PosixSerialPort&) = delete;
    PosixSerialPort& operator=(const PosixSerialPort&) = delete;

    bool open(const std::string& device_path) override;
    bool is_open() const override { return fd_ >= 0; }
    // termios has no driver buffer sizes; accepted and ignored.
    bool set_buffer_sizes(std::size_t in_bytes, std::size_t out_bytes) override;
    bool apply(const LineSettings& settings) override;
    bool get_timeouts(PortTimeouts& timeouts) override;
    // Only the write time-outs change anything here: reads never wait anyway.
    bool set_timeouts(const PortTimeouts& timeouts) override;
    int read(uint8_t* buffer, std::size_t max_bytes) override;
    // Bounded by write_total_multiplier per byte plus write_total_constant;
    // when both are 0 the transfer values (5 ms, 50 ms) bound it, so a stuck
    // line never hangs the program.
    std::size_t write(const uint8_t* data, std::size_t count) override;
    bool wait_readable(uint32_t max_ms) override;
    void purge_input() override;
    void close() override;

    // True when the last apply() skipped modem lines the device does not have.
    bool modem_lines_skipped() const { return modem_lines_skipped_; }

private:
    bool set_modem_line(int line, bool on);

    int fd_ = -1;
    PortTimeouts timeouts_;
    bool modem_lines_skipped_ = false;
};

}  // namespace kolibra
