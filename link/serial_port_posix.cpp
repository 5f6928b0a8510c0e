#include "link/serial_port_posix.h"

#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#ifdef __linux__
#include <sys/sysmacros.h>
#endif
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <chrono>
#include <thread>

namespace kolibra {

namespace {

bool speed_constant(uint32_t baud, speed_t& speed) {
    switch (baud) {
    case 9600: speed = B9600; return true;
    case 19200: speed = B19200; return true;
    case 38400: speed = B38400; return true;
    case 57600: speed = B57600; return true;
    case 115200: speed = B115200; return true;
    default: return false;
    }
}

uint64_t monotonic_ms() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<uint64_t>(ts.tv_sec) * 1000u + static_cast<uint64_t>(ts.tv_nsec) / 1000000u;
}

void sleep_ms(uint32_t ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// Errors by which a device says it has no such modem line (a pseudo-terminal).
bool means_unsupported(int error) { return error == ENOTTY || error == EINVAL || error == ENOSYS; }

// The device end of a pseudo-terminal. Its exclusive flag would outlive a
// holder that dies without closing (the other end keeps the tty alive), and
// lock every later non-root program out, so only the flock guards it.
bool is_pseudo_terminal(int fd) {
#ifdef __linux__
    struct stat st{};
    if (::fstat(fd, &st) != 0 || !S_ISCHR(st.st_mode)) return false;
    const unsigned m = major(st.st_rdev);
    return m >= 136 && m <= 143;  // the Unix 98 pty slave majors
#else
    (void)fd;
    return false;
#endif
}

}  // namespace

PosixSerialPort::~PosixSerialPort() { close(); }

bool PosixSerialPort::open(const std::string& device_path) {
    if (fd_ >= 0 || device_path.empty()) return false;
    const int fd = ::open(device_path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;  // held by another port object or program
    }
    if (::isatty(fd) && !is_pseudo_terminal(fd)) ::ioctl(fd, TIOCEXCL);
    fd_ = fd;
    timeouts_ = PortTimeouts{};
    modem_lines_skipped_ = false;
    return true;
}

bool PosixSerialPort::set_buffer_sizes(std::size_t, std::size_t) { return is_open(); }

bool PosixSerialPort::set_modem_line(int line, bool on) {
    int bits = line;
    if (::ioctl(fd_, on ? TIOCMBIS : TIOCMBIC, &bits) == 0) return true;
    if (means_unsupported(errno)) {
        modem_lines_skipped_ = true;
        return true;
    }
    return false;
}

bool PosixSerialPort::apply(const LineSettings& settings) {
    if (fd_ < 0) return false;
    speed_t speed;
    if (!speed_constant(settings.baud_rate, speed)) return false;
    termios tio{};
    if (::tcgetattr(fd_, &tio) != 0) return false;
    ::cfmakeraw(&tio);
    tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB | CRTSCTS);
    switch (settings.byte_size) {
    case 5: tio.c_cflag |= CS5; break;
    case 6: tio.c_cflag |= CS6; break;
    case 7: tio.c_cflag |= CS7; break;
    default: tio.c_cflag |= CS8; break;
    }
    tio.c_cflag |= CLOCAL | CREAD;
    if (settings.cts_output_flow) tio.c_cflag |= CRTSCTS;
    tio.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    if (settings.xon_xoff_output) tio.c_iflag |= IXON;
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    if (::cfsetispeed(&tio, speed) != 0 || ::cfsetospeed(&tio, speed) != 0) return false;
    if (::tcsetattr(fd_, TCSANOW, &tio) != 0) return false;

    modem_lines_skipped_ = false;
    return set_modem_line(TIOCM_DTR, settings.dtr_on) && set_modem_line(TIOCM_RTS, settings.rts_on);
}

bool PosixSerialPort::get_timeouts(PortTimeouts& timeouts) {
    if (fd_ < 0) return false;
    timeouts = timeouts_;
    return true;
}

bool PosixSerialPort::set_timeouts(const PortTimeouts& timeouts) {
    if (fd_ < 0) return false;
    timeouts_ = timeouts;
    return true;
}

int PosixSerialPort::read(uint8_t* buffer, std::size_t max_bytes) {
    if (fd_ < 0) return -1;
    if (max_bytes == 0) return 0;
    for (;;) {
        const ssize_t n = ::read(fd_, buffer, max_bytes);
        if (n >= 0) return static_cast<int>(n);
        if (errno == EINTR) continue;
        if (errno == EAGAIN || errno == EWOULDBLOCK) return 0;
        return -1;
    }
}

std::size_t PosixSerialPort::write(const uint8_t* data, std::size_t count) {
    if (fd_ < 0) return 0;
    uint64_t multiplier = timeouts_.write_total_multiplier;
    uint64_t constant = timeouts_.write_total_constant;
    if (multiplier == 0 && constant == 0) {
        multiplier = kWriteMsPerByte;
        constant = kWriteMsConstant;
    }
    const uint64_t deadline = monotonic_ms() + multiplier * count + constant;
    std::size_t done = 0;
    while (done < count) {
        const ssize_t n = ::write(fd_, data + done, count - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) break;
        const uint64_t now = monotonic_ms();
        if (now >= deadline) break;
        pollfd p{fd_, POLLOUT, 0};
        if (::poll(&p, 1, static_cast<int>(deadline - now)) < 0 && errno != EINTR) break;
        if (p.revents & (POLLERR | POLLHUP | POLLNVAL)) break;
    }
    return done;
}

bool PosixSerialPort::wait_readable(uint32_t max_ms) {
    if (fd_ < 0) {
        sleep_ms(max_ms);  // nothing can arrive; still wait, never spin the caller
        return false;
    }
    const uint64_t deadline = monotonic_ms() + max_ms;
    for (;;) {
        const uint64_t now = monotonic_ms();
        const int left = now >= deadline ? 0 : static_cast<int>(deadline - now);
        pollfd p{fd_, POLLIN, 0};
        const int r = ::poll(&p, 1, left);
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) return false;
        // Hung up or in error (a pty reports POLLIN too, but reads fail): poll
        // would return at once every time, so sleep out the wait instead of
        // letting the caller spin.
        if ((p.revents & POLLIN) && !(p.revents & (POLLHUP | POLLERR | POLLNVAL))) return true;
        if (left > 0) sleep_ms(static_cast<uint32_t>(left));
        return false;
    }
}

void PosixSerialPort::purge_input() {
    if (fd_ >= 0) ::tcflush(fd_, TCIFLUSH);
}

void PosixSerialPort::close() {
    if (fd_ < 0) return;
    if (::isatty(fd_) && !is_pseudo_terminal(fd_)) ::ioctl(fd_, TIOCNXCL);
    ::flock(fd_, LOCK_UN);
    ::close(fd_);
    fd_ = -1;
}

std::unique_ptr<SerialPort> make_serial_port() { return std::make_unique<PosixSerialPort>(); }

}  // namespace kolibra
