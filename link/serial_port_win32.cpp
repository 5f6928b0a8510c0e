#include "link/serial_port_win32.h"

#include "common/names_win32.h"

#include <windows.h>

namespace kolibra {

namespace {

HANDLE as_handle(void* h) { return static_cast<HANDLE>(h); }

// The driver's limit on one waiting read; wait_readable keeps its own
// deadline and cancels the read when that comes first.
constexpr DWORD kDriverWaitMs = 60000;

}  // namespace

Win32SerialPort::~Win32SerialPort() { close(); }

bool Win32SerialPort::open(const std::string& device_path) {
    if (handle_ != nullptr || device_path.empty()) return false;
    // No sharing: a second open of the port fails while this one holds it.
    HANDLE h = CreateFileW(widen_utf8(device_path).c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                           nullptr, OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    HANDLE io = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (io == nullptr) {
        CloseHandle(h);
        return false;
    }
    handle_ = h;
    io_event_ = io;
    has_lookahead_ = false;
    // Until the caller sets its own: reads return at once, writes unbounded.
    PortTimeouts at_once;
    at_once.read_interval = kReadIntervalNoWait;
    set_timeouts(at_once);
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
    timeouts = timeouts_;
    return true;
}

bool Win32SerialPort::set_timeouts(const PortTimeouts& timeouts) {
    if (handle_ == nullptr) return false;
    // Writes are bounded as asked. read() never waits (it takes only what the
    // driver holds), so the driver's read time-outs serve wait_readable: a
    // read that returns as soon as one byte has come.
    COMMTIMEOUTS t{};
    t.ReadIntervalTimeout = MAXDWORD;
    t.ReadTotalTimeoutMultiplier = MAXDWORD;
    t.ReadTotalTimeoutConstant = kDriverWaitMs;
    t.WriteTotalTimeoutMultiplier = timeouts.write_total_multiplier;
    t.WriteTotalTimeoutConstant = timeouts.write_total_constant;
    if (!SetCommTimeouts(as_handle(handle_), &t)) return false;
    timeouts_ = timeouts;
    return true;
}

bool Win32SerialPort::read_with_deadline(uint8_t* buffer, std::size_t count, uint32_t max_ms,
                                         unsigned long& got) {
    OVERLAPPED io{};
    io.hEvent = as_handle(io_event_);
    ResetEvent(io.hEvent);
    DWORD done = 0;
    got = 0;
    if (ReadFile(as_handle(handle_), buffer, static_cast<DWORD>(count), &done, &io)) {
        got = done;
        return true;
    }
    if (GetLastError() != ERROR_IO_PENDING) return false;
    if (WaitForSingleObject(io.hEvent, max_ms) != WAIT_OBJECT_0)
        CancelIoEx(as_handle(handle_), &io);
    const bool completed = GetOverlappedResult(as_handle(handle_), &io, &done, TRUE) != 0;
    got = done;
    return completed || GetLastError() == ERROR_OPERATION_ABORTED;
}

int Win32SerialPort::read(uint8_t* buffer, std::size_t max_bytes) {
    if (handle_ == nullptr) return -1;
    std::size_t got = 0;
    if (has_lookahead_ && max_bytes > 0) {
        buffer[got++] = lookahead_;
        has_lookahead_ = false;
    }
    const long waiting = bytes_waiting();
    if (waiting < 0) return got > 0 ? static_cast<int>(got) : -1;
    std::size_t wanted = max_bytes - got;
    if (wanted > static_cast<std::size_t>(waiting)) wanted = static_cast<std::size_t>(waiting);
    if (wanted == 0) return static_cast<int>(got);
    // The bytes are in the driver already, so this read completes at once.
    unsigned long more = 0;
    if (!read_with_deadline(buffer + got, wanted, kDriverWaitMs, more))
        return got > 0 ? static_cast<int>(got) : -1;
    return static_cast<int>(got + more);
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

long Win32SerialPort::bytes_waiting() {
    DWORD errors = 0;
    COMSTAT status{};
    if (!ClearCommError(as_handle(handle_), &errors, &status)) return -1;
    return static_cast<long>(status.cbInQue);
}

bool Win32SerialPort::wait_readable(uint32_t max_ms) {
    if (handle_ == nullptr) return false;
    if (has_lookahead_) return true;
    const ULONGLONG deadline = GetTickCount64() + max_ms;
    for (;;) {
        const ULONGLONG now = GetTickCount64();
        const DWORD left = now >= deadline ? 0 : static_cast<DWORD>(deadline - now);
        // One byte, read as soon as it comes, is kept for read(). The driver
        // gives up after its own time-out; the deadline here is ours.
        unsigned long got = 0;
        if (!read_with_deadline(&lookahead_, 1, left, got)) {
            // Not a serial device, or a failing one: no byte will come.
            if (left > 0) Sleep(left);
            return false;
        }
        if (got == 1) {
            has_lookahead_ = true;
            return true;
        }
        if (GetTickCount64() >= deadline) return false;
    }
}

void Win32SerialPort::purge_input() {
    has_lookahead_ = false;
    if (handle_ != nullptr) PurgeComm(as_handle(handle_), PURGE_RXCLEAR);
}

void Win32SerialPort::close() {
    if (handle_ == nullptr) return;
    CancelIo(as_handle(handle_));
    CloseHandle(as_handle(handle_));
    CloseHandle(as_handle(io_event_));
    handle_ = io_event_ = nullptr;
    has_lookahead_ = false;
}

std::unique_ptr<SerialPort> make_serial_port() { return std::make_unique<Win32SerialPort>(); }

}  // namespace kolibra
