// The serial port over the Win32 communication calls: CreateFileW on
// "\\.\COMn" without sharing and with overlapped I/O, SetupComm, SetCommState
// with the run's line settings, COMMTIMEOUTS, ReadFile, WriteFile, PurgeComm
// and CloseHandle. Waiting for input is an overlapped read of one byte that
// the driver completes as soon as the byte comes, so the program reacts at
// once and stays idle until then; the byte is handed out by the next read().
#pragma once

#include <string>

#include "link/serial_port.h"

namespace kolibra {

class Win32SerialPort : public SerialPort {
public:
    Win32SerialPort() = default;
    ~Win32SerialPort() override;
    Win32SerialPort(const Win32SerialPort&) = delete;
    Win32SerialPort& operator=(const Win32SerialPort&) = delete;

    bool open(const std::string& device_path) override;
    bool is_open() const override { return handle_ != nullptr; }
    bool set_buffer_sizes(std::size_t in_bytes, std::size_t out_bytes) override;
    bool apply(const LineSettings& settings) override;
    bool get_timeouts(PortTimeouts& timeouts) override;
    bool set_timeouts(const PortTimeouts& timeouts) override;
    int read(uint8_t* buffer, std::size_t max_bytes) override;
    std::size_t write(const uint8_t* data, std::size_t count) override;
    bool wait_readable(uint32_t max_ms) override;
    void purge_input() override;
    void close() override;

private:
    long bytes_waiting();  // bytes the driver holds; -1 when the port fails
    // One overlapped read, cancelled after `max_ms`; false on a port error.
    bool read_with_deadline(uint8_t* buffer, std::size_t count, uint32_t max_ms,
                            unsigned long& got);

    // HANDLEs, kept opaque so this header needs no <windows.h>.
    void* handle_ = nullptr;
    void* io_event_ = nullptr;  // completes reads and writes
    PortTimeouts timeouts_;     // as the caller set them
    uint8_t lookahead_ = 0;     // the byte a wait has read ahead
    bool has_lookahead_ = false;
};

}  // namespace kolibra
