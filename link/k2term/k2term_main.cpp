// k2term: the terminal stand-in as a program on a pseudo-terminal. See
// k2term --help (link/standin/k2term_options.cpp) for what it does.
#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "link/clock.h"
#include "link/standin/k2term_options.h"
#include "link/standin/line_pacer.h"
#include "link/standin/terminal_standin.h"
#include "link/standin/transceiver_standin.h"

namespace kolibra {
namespace {

int g_signal_pipe[2] = {-1, -1};

// A data frame is at most 255 bytes: sequence number, record, two check bytes, CR.
constexpr std::size_t kMaxRecordInFrame = 251;

void on_signal(int) {
    const char byte = 1;
    const ssize_t ignored = ::write(g_signal_pipe[1], &byte, 1);
    (void)ignored;
}

uint64_t tick_us() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<uint64_t>(ts.tv_sec) * 1000000u + static_cast<uint64_t>(ts.tv_nsec) / 1000;
}

uint32_t tick_ms() { return static_cast<uint32_t>(tick_us() / 1000); }



// The speed the desktop set on its end of the pty; 0 when it is none of ours.
uint32_t desktop_baud(int master) {
    termios tio{};
    if (::tcgetattr(master, &tio) != 0) return 0;
    switch (cfgetospeed(&tio)) {
    case B9600: return 9600;
    case B19200: return 19200;
    case B38400: return 38400;
    case B57600: return 57600;
    case B115200: return 115200;
    default: return 0;
    }
}

// Writes the device's bytes into the pty master; with a pacer, each message
// only once it would have crossed the line.
class PtyEndpoint : public LineEndpoint {
public:
    PtyEndpoint(int master, LinePacer* pacer) : master_(master), pacer_(pacer) {}
    void send(const uint8_t* data, std::size_t count, uint32_t) override {
        if (pacer_) {
            pacer_->queue(tick_us(), std::string(reinterpret_cast<const char*>(data), count),
                          desktop_baud(master_));
            return;
        }
        write_now(data, count);
    }
    void flush_due(uint64_t now_us) {
        if (!pacer_) return;
        const std::string due = pacer_->take_due(now_us);
        if (!due.empty()) write_now(reinterpret_cast<const uint8_t*>(due.data()), due.size());
    }

private:
    void write_now(const uint8_t* data, std::size_t count) {
        std::size_t done = 0;
        int stalls = 0;
        while (done < count) {
            const ssize_t n = ::write(master_, data + done, count - done);
            if (n > 0) {
                done += static_cast<std::size_t>(n);
                continue;
            }
            if (n < 0 && errno == EINTR) continue;
            // The desktop does not read and the pty is full: give it a second.
            pollfd p{master_, POLLOUT, 0};
            if (++stalls > 10 || ::poll(&p, 1, 100) < 0) {
                std::fprintf(stderr, "k2term: the desktop end takes no more bytes; %zu dropped\n",
                             count - done);
                return;
            }
        }
    }

    int master_;
    LinePacer* pacer_;
};

struct Received {
    std::string out_dir;
    int programs = 0;
    int lookups = 0;
};

void report_file(const std::string& kind, const std::string& path, const std::string& extra) {
    std::printf("%s %s%s\n", kind.c_str(), path.c_str(), extra.c_str());
    std::fflush(stdout);
}

int run(const K2termOptions& options) {
    TerminalOptions terminal_options = options.terminal;
    if (!options.records_file.empty()) {
        std::string error;
        if (!load_records(options.records_file, terminal_options.records, error)) {
            std::fprintf(stderr, "k2term: %s\n", error.c_str());
            return 1;
        }
        for (std::size_t i = 0; i < terminal_options.records.size(); ++i) {
            if (terminal_options.records[i].size() > kMaxRecordInFrame) {
                std::fprintf(stderr,
                             "k2term: warning: record %zu has %zu bytes; a frame holds at most "
                             "%zu, so the desktop will refuse it\n",
                             i + 1, terminal_options.records[i].size(), kMaxRecordInFrame);
            }
        }
    }
    struct stat st{};
    if (::stat(options.out_dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        std::fprintf(stderr, "k2term: the output folder %s does not exist\n", options.out_dir.c_str());
        return 1;
    }

    const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0) {
        std::perror("k2term: cannot create a pseudo-terminal");
        return 1;
    }
    const std::string device = ::ptsname(master);
    // Hold the desktop end open ourselves, raw: without any open slave the
    // master reports a hang-up on every poll, and a cooked slave would echo.
    const int slave = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave < 0) {
        std::perror("k2term: cannot open the device end");
        return 1;
    }
    termios tio{};
    if (::tcgetattr(slave, &tio) == 0) {
        ::cfmakeraw(&tio);
        ::cfsetispeed(&tio, B9600);
        ::cfsetospeed(&tio, B9600);
        ::tcsetattr(slave, TCSANOW, &tio);
    }

    if (::pipe2(g_signal_pipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        std::perror("k2term: pipe");
        return 1;
    }
    struct sigaction sa{};
    sa.sa_handler = on_signal;
    sigemptyset(&sa.sa_mask);
    ::sigaction(SIGINT, &sa, nullptr);
    ::sigaction(SIGTERM, &sa, nullptr);
    ::signal(SIGPIPE, SIG_IGN);

    if (!options.link_path.empty()) {
        ::unlink(options.link_path.c_str());
        if (::symlink(device.c_str(), options.link_path.c_str()) != 0) {
            std::perror("k2term: cannot make the link");
            return 1;
        }
    }

    TerminalStandin terminal(terminal_options);
    Received received{options.out_dir};
    const std::string dir = options.out_dir.empty() || options.out_dir.back() == '/'
                                ? options.out_dir
                                : options.out_dir + "/";
    terminal.on_program_image = [&](const std::vector<uint8_t>& image) {
        const std::string path = dir + "program-" + std::to_string(++received.programs) + ".bin";
        std::string error;
        if (write_file_whole(path, std::string(image.begin(), image.end()), error)) {
            report_file("program", path, "");
        } else {
            std::fprintf(stderr, "k2term: %s\n", error.c_str());
        }
    };
    terminal.on_lookup_file = [&](const std::vector<std::string>& records) {
        const std::string path = dir + "lookup-" + std::to_string(++received.lookups) + ".txt";
        std::string error;
        if (write_file_whole(path, lookup_file_text(records), error)) {
            report_file("lookup", path, " " + std::to_string(records.size()));
        } else {
            std::fprintf(stderr, "k2term: %s\n", error.c_str());
        }
    };
    if (options.verbose) {
        terminal.on_event = [](const std::string& line) {
            std::fprintf(stderr, "k2term: %s\n", line.c_str());
        };
    }

    TransceiverOptions ir_options;
    ir_options.start_baud = options.ir_speed;
    ir_options.mode_by_bytes = true;
    TransceiverStandin transceiver(ir_options);
    LinkDevice* device_end = &terminal;
    if (options.transceiver) {
        transceiver.put_in_front_of(&terminal);
        device_end = &transceiver;
    }
    LinePacer to_desktop, from_desktop;
    // Paced messages are due to the microsecond; the default timer slack of
    // 50 us would add up over thousands of exchanges.
    if (options.line_rate) ::prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
    PtyEndpoint endpoint(master, options.line_rate ? &to_desktop : nullptr);
    device_end->connect(&endpoint);

    std::printf("%s\n", device.c_str());
    std::fflush(stdout);
    if (options.verbose) {
        std::fprintf(stderr, "k2term: serving %zu records on %s%s\n", terminal_options.records.size(),
                     device.c_str(), options.transceiver ? " behind the IR transceiver" : "");
    }

    bool in_command_mode = true;
    for (;;) {
        const uint64_t now_us = tick_us();
        // The earliest of: the device's next event, a paced message due either way.
        int64_t wait_us = -1;
        auto sooner = [&](int64_t us) {
            if (us >= 0 && (wait_us < 0 || us < wait_us)) wait_us = us;
        };
        const int32_t next = device_end->ms_to_next_event(static_cast<uint32_t>(now_us / 1000));
        sooner(next < 0 ? -1 : static_cast<int64_t>(next) * 1000);
        sooner(to_desktop.us_to_next(now_us));
        sooner(from_desktop.us_to_next(now_us));
        if (wait_us < 0) wait_us = 1000000;
        const timespec timeout{static_cast<time_t>(wait_us / 1000000),
                               static_cast<long>(wait_us % 1000000) * 1000};
        pollfd fds[2] = {{master, POLLIN, 0}, {g_signal_pipe[0], POLLIN, 0}};
        const int r = ::ppoll(fds, 2, &timeout, nullptr);
        if (r < 0 && errno != EINTR) {
            std::perror("k2term: poll");
            break;
        }
        if (fds[1].revents & POLLIN) break;
        if (fds[0].revents & POLLIN) {
            uint8_t buf[512];
            const ssize_t n = ::read(master, buf, sizeof buf);
            if (n > 0 && options.line_rate) {
                from_desktop.queue(tick_us(), std::string(reinterpret_cast<char*>(buf),
                                                          static_cast<std::size_t>(n)),
                                   desktop_baud(master));
            } else if (n > 0) {
                device_end->receive(buf, static_cast<std::size_t>(n), desktop_baud(master), tick_ms());
            }
        } else if (fds[0].revents & (POLLHUP | POLLERR)) {
            ::usleep(10000);  // cannot happen while we hold the slave; never spin
        }
        const std::string arrived = from_desktop.take_due(tick_us());
        if (!arrived.empty()) {
            device_end->receive(reinterpret_cast<const uint8_t*>(arrived.data()), arrived.size(),
                                desktop_baud(master), tick_ms());
        }
        device_end->advance(tick_ms());
        endpoint.flush_due(tick_us());
        if (options.verbose && options.transceiver && transceiver.in_command_mode() != in_command_mode) {
            in_command_mode = transceiver.in_command_mode();
            std::fprintf(stderr, "k2term: transceiver %s at %u bit/s\n",
                         in_command_mode ? "in command mode" : "passes bytes through",
                         transceiver.speed());
        }
    }

    if (!options.link_path.empty()) ::unlink(options.link_path.c_str());
    ::close(slave);
    ::close(master);
    if (options.verbose) std::fprintf(stderr, "k2term: stopped\n");
    return 0;
}

}  // namespace
}  // namespace kolibra

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    kolibra::K2termOptions options;
    std::string error;
    if (!kolibra::parse_k2term_options(args, options, error)) {
        std::fprintf(stderr, "k2term: %s\n", error.c_str());
        return 2;
    }
    if (options.help) {
        std::fputs(kolibra::k2term_usage().c_str(), stdout);
        return 0;
    }
    return kolibra::run(options);
}
