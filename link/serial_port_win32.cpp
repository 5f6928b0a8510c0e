#include "link/serial_port_win32.h"

#include <windows.h>

namespace kolibra {

namespace {

HANDLE as_handle(void* h) { return static_cast<HANDLE>(h); }

constexpr DWORD kWaitStepMs = 5;

}  // namespace

Win32SerialPort::~Win32SerialPort() { close(); }

bool Win32SerialPort::open(const std::string& device_path) {
    if (handle_ != nullptr || device_path.empty()) return false;
    // No sharing: a second open of the port fails while this one holds it.
    HANDLE h = CreateFileA(device_path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    handle_ = h;
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
    DWORD got = 0;
    if (!ReadFile(as_handle(handle_), buffer, static_cast<DWORD>(max_bytes), &got, nullptr)) return -1;
    return static_cast<int>(got);
}

std::size_t Win32SerialPort::write(const uint8_t* data, std::size_t count) {
    if (handle_ == nullptr) return 0;
    DWORD written = 0;
    WriteFile(as_handle(handle_), data, static_cast<DWORD>(count), &written, nullptr);
    return written;
}

bool Win32SerialPort::wait_readable(uint32_t max_ms) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (handle_ != nullptr) {
            DWORD errors = 0;
            COMSTAT status{};
            if (ClearCommError(as_handle(handle_), &errors, &status) && status.cbInQue > 0) return true;
        }
        const DWORD waited = GetTickCount() - start;
        if (waited >= max_ms) return false;
        const DWORD left = max_ms - waited;
        Sleep(left < kWaitStepMs ? left : kWaitStepMs);
    }
}

void Win32SerialPort::purge_input() {
    if (handle_ != nullptr) PurgeComm(as_handle(handle_), PURGE_RXCLEAR);
}

void Win32SerialPort::close() {
    if (handle_ == nullptr) return;
    CloseHandle(as_handle(handle_));
    handle_ = nullptr;
}

std::unique_ptr<SerialPort> make_serial_port() { return std::make_unique<Win32SerialPort>(); }

}  // namespace kolibra
