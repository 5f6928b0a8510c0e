#include "link/serial_port_win32.h"

#include "common/names_win32.h"

#include <windows.h>

namespace kolibra {

namespace {

HANDLE as_handle(void* h) { return static_cast<HANDLE>(h); }

// How long a cancelled wait may take to report back before it is cut off.
constexpr DWORD kCancelGraceMs = 100;

}  // namespace

Win32SerialPort::~Win32SerialPort() { close(); }

bool Win32SerialPort::open(const std::string& device_path) {
    if (handle_ != nullptr || device_path.empty()) return false;
    // No sharing: a second open of the port fails while this one holds it.
    HANDLE h = CreateFileW(widen_utf8(device_path).c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                           nullptr, OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    HANDLE io = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE wait = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (io == nullptr || wait == nullptr) {
        if (io) CloseHandle(io);
        if (wait) CloseHandle(wait);
        CloseHandle(h);
        return false;
    }
    handle_ = h;
    io_event_ = io;
    wait_event_ = wait;
    has_events_ = SetCommMask(h, EV_RXCHAR) != 0;
    return true;
}

bool Win32SerialPort::set_buffer_sizes(std::size_t in_bytes, std::size_t out_bytes) {
    if (handle_ == nullptr) return false;
    return SetupComm(as_handle(handle_), static_cast<DWORD>(in_bytes),
                     static_cast<DWORD>(out_bytes)) != 0;
}

bool Win32SerialPort::apply(const LineSettings& settings) {
    if (handle_ == nullptr) return false;
    // Built from the run's record alone, never read back from the port.
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    dcb.BaudRate = settings.baud_rate;
    dcb.fBinary = TRUE;  // Windows supports binary transfers only
    dcb.ByteSize = settings.byte_size != 0 ? settings.byte_size : 8;
    dcb.Parity = NOPARITY;
    dcb.StopBits = ONESTOPBIT;
    dcb.fDtrControl = settings.dtr_on ? DTR_CONTROL_ENABLE : DTR_CONTROL_DISABLE;
    dcb.fRtsControl = settings.rts_on ? RTS_CONTROL_ENABLE : RTS_CONTROL_DISABLE;
    dcb.fOutxCtsFlow = settings.cts_output_flow ? TRUE : FALSE;
    dcb.fOutX = settings.xon_xoff_output ? TRUE : FALSE;
    return SetCommState(as_handle(handle_), &dcb) != 0;
}

bool Win32SerialPort::get_timeouts(PortTimeouts& timeouts) {
    if (handle_ == nullptr) return false;
    COMMTIMEOUTS t{};
    if (!GetCommTimeouts(as_handle(handle_), &t)) return false;
    timeouts.read_interval = t.ReadIntervalTimeout;
    timeouts.read_total_multiplier = t.ReadTotalTimeoutMultiplier;
    timeouts.read_total_constant = t.ReadTotalTimeoutConstant;
    timeouts.write_total_multiplier = t.WriteTotalTimeoutMultiplier;
    timeouts.write_total_constant = t.WriteTotalTimeoutConstant;
    return true;
}

bool Win32SerialPort::set_timeouts(const PortTimeouts& timeouts) {
    if (handle_ == nullptr) return false;
    COMMTIMEOUTS t{};
    t.ReadIntervalTimeout = timeouts.read_interval;
    t.ReadTotalTimeoutMultiplier = timeouts.read_total_multiplier;
    t.ReadTotalTimeoutConstant = timeouts.read_total_constant;
    t.WriteTotalTimeoutMultiplier = timeouts.write_total_multiplier;
    t.WriteTotalTimeoutConstant = timeouts.write_total_constant;
    return SetCommTimeouts(as_handle(handle_), &t) != 0;
}

int Win32SerialPort::read(uint8_t* buffer, std::size_t max_bytes) {
    if (handle_ == nullptr) return -1;
    OVERLAPPED io{};
    io.hEvent = as_handle(io_event_);
    ResetEvent(io.hEvent);
    DWORD got = 0;
    const bool started =
        ReadFile(as_handle(handle_), buffer, static_cast<DWORD>(max_bytes), &got, &io) != 0;
    if (!started && GetLastError() != ERROR_IO_PENDING) return -1;
    if (!started && !GetOverlappedResult(as_handle(handle_), &io, &got, TRUE)) return -1;
    return static_cast<int>(got);
}

std::size_t Win32SerialPort::write(const uint8_t* data, std::size_t count) {
    if (handle_ == nullptr) return 0;
    OVERLAPPED io{};
    io.hEvent = as_handle(io_event_);
    ResetEvent(io.hEvent);
    DWORD written = 0;
    const bool started =
        WriteFile(as_handle(handle_), data, static_cast<DWORD>(count), &written, &io) != 0;
    if (!started && GetLastError() != ERROR_IO_PENDING) return 0;
    // The write time-outs bound how long the overlapped write may take.
    if (!started) GetOverlappedResult(as_handle(handle_), &io, &written, TRUE);
    return written;
}

std::size_t Win32SerialPort::bytes_waiting() {
    DWORD errors = 0;
    COMSTAT status{};
    if (!ClearCommError(as_handle(handle_), &errors, &status)) return 0;
    return status.cbInQue;
}

bool Win32SerialPort::wait_readable(uint32_t max_ms) {
    if (handle_ == nullptr) return false;
    const ULONGLONG deadline = GetTickCount64() + max_ms;
    for (;;) {
        if (bytes_waiting() > 0) return true;
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline) return false;
        const DWORD left = static_cast<DWORD>(deadline - now);
        if (!has_events_) {
            // A device without communication events cannot be waited on.
            Sleep(left);
            return bytes_waiting() > 0;
        }
        OVERLAPPED wait{};
        wait.hEvent = as_handle(wait_event_);
        ResetEvent(wait.hEvent);
        DWORD mask = 0;
        if (WaitCommEvent(as_handle(handle_), &mask, &wait)) continue;  // a byte came already
        if (GetLastError() != ERROR_IO_PENDING) {
            Sleep(left);
            return bytes_waiting() > 0;
        }
        if (WaitForSingleObject(wait.hEvent, left) != WAIT_OBJECT_0) {
            // Time is up: setting the mask again ends the pending wait.
            SetCommMask(as_handle(handle_), EV_RXCHAR);
            if (WaitForSingleObject(wait.hEvent, kCancelGraceMs) != WAIT_OBJECT_0)
                CancelIoEx(as_handle(handle_), &wait);
        }
        DWORD ignored = 0;
        GetOverlappedResult(as_handle(handle_), &wait, &ignored, TRUE);
    }
}

void Win32SerialPort::purge_input() {
    if (handle_ != nullptr) PurgeComm(as_handle(handle_), PURGE_RXCLEAR);
}

void Win32SerialPort::close() {
    if (handle_ == nullptr) return;
    CancelIo(as_handle(handle_));
    CloseHandle(as_handle(handle_));
    CloseHandle(as_handle(io_event_));
    CloseHandle(as_handle(wait_event_));
    handle_ = io_event_ = wait_event_ = nullptr;
    has_events_ = false;
}

std::unique_ptr<SerialPort> make_serial_port() { return std::make_unique<Win32SerialPort>(); }

}  // namespace kolibra
