#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <termios.h>
#include <unistd.h>

#include <string>

#include "link/serial_port_posix.h"

namespace kolibra {
namespace {

// A pseudo-terminal pair: the test holds the master, the port opens the slave.
struct Pty {
    Pty() {
        master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (master >= 0 && grantpt(master) == 0 && unlockpt(master) == 0) path = ptsname(master);
    }
    ~Pty() {
        if (master >= 0) ::close(master);
    }
    void put(const std::string& s) const { ASSERT_EQ(::write(master, s.data(), s.size()), (ssize_t)s.size()); }
    std::string get(int wait_ms = 500) const {
        std::string got;
        pollfd p{master, POLLIN, 0};
        while (::poll(&p, 1, wait_ms) > 0) {
            char buf[4096];
            const ssize_t n = ::read(master, buf, sizeof buf);
            if (n <= 0) break;
            got.append(buf, n);
            wait_ms = 20;
        }
        return got;
    }
    int master = -1;
    std::string path;
};

double cpu_seconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

LineSettings line_at(uint32_t baud, bool modem_lines_on = true) {
    LineSettings line;
    set_plain_line(line, baud);
    line.dtr_on = modem_lines_on;
    line.rts_on = modem_lines_on;
    return line;
}

TEST(PosixPort, OpenIsExclusiveUntilClosed) {
    Pty pty;
    ASSERT_FALSE(pty.path.empty());
    PosixSerialPort first, second;
    EXPECT_FALSE(first.open("/dev/does-not-exist-kolibra"));
    ASSERT_TRUE(first.open(pty.path));
    EXPECT_FALSE(second.open(pty.path));
    first.close();
    EXPECT_FALSE(first.is_open());
    EXPECT_TRUE(second.open(pty.path));  // the next command opens it again
#ifdef TIOCGEXCL
    // No kernel exclusive flag on a pty: it would stay behind after a crash
    // and lock later programs out while k2term keeps the pty alive.
    const int probe = ::open(pty.path.c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(probe, 0);
    int exclusive = -1;
    ASSERT_EQ(ioctl(probe, TIOCGEXCL, &exclusive), 0);
    EXPECT_EQ(exclusive, 0);
    ::close(probe);
#endif
}

TEST(PosixPort, AppliesRaw8N1AtEverySpeedAndSkipsMissingModemLines) {
    Pty pty;
    PosixSerialPort port;
    ASSERT_TRUE(port.open(pty.path));
    const struct { uint32_t baud; speed_t constant; } speeds[] = {
        {9600, B9600}, {19200, B19200}, {38400, B38400}, {57600, B57600}, {115200, B115200}};
    for (const auto& s : speeds) {
        ASSERT_TRUE(port.apply(line_at(s.baud))) << s.baud;
        EXPECT_TRUE(port.modem_lines_skipped());
        termios tio{};
        ASSERT_EQ(tcgetattr(pty.master, &tio), 0);  // the master sees the slave's settings
        EXPECT_EQ(cfgetospeed(&tio), s.constant);
        EXPECT_EQ(tio.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
        EXPECT_EQ(tio.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
        EXPECT_EQ(tio.c_iflag & (IXON | IXOFF | ICRNL | INLCR), 0u);
        EXPECT_EQ(tio.c_oflag & OPOST, 0u);
        EXPECT_EQ(tio.c_lflag & (ICANON | ECHO | ISIG), 0u);
    }
    EXPECT_FALSE(port.apply(line_at(12345)));
    EXPECT_FALSE(port.apply(line_at(0)));

    PosixSerialPort not_a_line;
    ASSERT_TRUE(not_a_line.open("/dev/null"));
    EXPECT_FALSE(not_a_line.apply(line_at(9600)));
}

TEST(PosixPort, ReadsNeverWaitAndBytesPassUnchanged) {
    Pty pty;
    PosixSerialPort port;
    ASSERT_TRUE(port.open(pty.path));
    ASSERT_TRUE(port.apply(line_at(115200)));
    uint8_t buf[8];
    EXPECT_EQ(port.read(buf, sizeof buf), 0);

    const std::string raw("\r\n\x00\x11\x13\x0F\xFF\x03", 8);  // CR, LF, XON, XOFF, ^C: all plain bytes
    pty.put(raw);
    ASSERT_TRUE(port.wait_readable(1000));
    usleep(20000);
    std::string got;
    EXPECT_EQ(port.read(buf, 3), 3);
    got.append(reinterpret_cast<char*>(buf), 3);
    int n;
    while ((n = port.read(buf, sizeof buf)) > 0) got.append(reinterpret_cast<char*>(buf), n);
    EXPECT_EQ(n, 0);
    EXPECT_EQ(got, raw);

    const std::string out("QUORIN\r\n\x0D\x00", 10);
    EXPECT_EQ(port.write(reinterpret_cast<const uint8_t*>(out.data()), out.size()), out.size());
    EXPECT_EQ(pty.get(), out);
}

TEST(PosixPort, PurgeDropsUnreadInput) {
    Pty pty;
    PosixSerialPort port;
    ASSERT_TRUE(port.open(pty.path));
    ASSERT_TRUE(port.apply(line_at(9600)));
    pty.put("stale bytes");
    ASSERT_TRUE(port.wait_readable(1000));
    usleep(20000);
    port.purge_input();
    uint8_t buf[16];
    EXPECT_EQ(port.read(buf, sizeof buf), 0);
    pty.put("A");
    ASSERT_TRUE(port.wait_readable(1000));
    EXPECT_EQ(port.read(buf, sizeof buf), 1);
}

TEST(PosixPort, WaitsSleepInsteadOfSpinning) {
    Pty pty;
    PosixSerialPort port;
    ASSERT_TRUE(port.open(pty.path));
    ASSERT_TRUE(port.apply(line_at(9600)));
    const double cpu_before = cpu_seconds();
    EXPECT_FALSE(port.wait_readable(300));
    // The far end goes away: poll reports a hang-up at once, the wait still sleeps.
    ::close(pty.master);
    pty.master = -1;
    EXPECT_FALSE(port.wait_readable(300));
    EXPECT_LT(cpu_seconds() - cpu_before, 0.1);
    uint8_t buf[4];
    EXPECT_LE(port.read(buf, sizeof buf), 0);
}

TEST(PosixPort, WriteStopsAtItsTimeOutWhenTheLineIsStuck) {
    Pty pty;
    PosixSerialPort port;
    ASSERT_TRUE(port.open(pty.path));
    ASSERT_TRUE(port.apply(line_at(9600)));
    PortTimeouts t = transfer_timeouts();
    t.write_total_multiplier = 0;
    t.write_total_constant = 100;
    ASSERT_TRUE(port.set_timeouts(t));
    PortTimeouts back;
    ASSERT_TRUE(port.get_timeouts(back));
    EXPECT_EQ(back.write_total_constant, 100u);
    // Nobody reads the master: the pty buffer fills and the write must give up.
    const std::string big(1 << 20, 'x');
    const std::size_t written = port.write(reinterpret_cast<const uint8_t*>(big.data()), big.size());
    EXPECT_LT(written, big.size());
}

}  // namespace
}  // namespace kolibra
