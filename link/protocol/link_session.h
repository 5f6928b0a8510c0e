// What a link command talks through: the port, the clock its limits are kept
// on, and the message boxes. Shared by the download and receive protocols.
#pragma once

#include "common/prompter.h"
#include "common/wait_notice.h"
#include "link/clock.h"
#include "link/serial_port.h"
#include "common/transfer_stop.h"

#include <cstdint>
#include <string>

namespace kolibra {

struct LinkSession {
    SerialPort& port;
    Clock& clock;
    Prompter& prompter;
    // Set by a window whose transfer the user may stop; null: not stoppable
    // (headless commands).
    const TransferStop* stop = nullptr;
    // Told while the handshake and the wait for the first frame run; null:
    // nothing is shown.
    WaitNotice* waiting = nullptr;
    // What it shows; set by the command once it knows its port.
    std::string waiting_text;
};

// Shows link.waiting while it lives (if there is one).
class ShownWaitNotice {
public:
    explicit ShownWaitNotice(LinkSession& link) : notice_(link.waiting) {
        if (notice_) notice_->show(link.waiting_text);
    }
    ~ShownWaitNotice() { end(); }
    // Takes it away before the end of the scope.
    void end() {
        if (notice_) notice_->hide();
        notice_ = nullptr;
    }
    ShownWaitNotice(const ShownWaitNotice&) = delete;
    ShownWaitNotice& operator=(const ShownWaitNotice&) = delete;

private:
    WaitNotice* notice_;
};

// Whether the user asked to stop this session's transfer.
inline bool stop_requested(const LinkSession& link) { return link.stop && link.stop->requested(); }

// Port and speed of one command, with the meanings of CommSettings:
// port 0..5 = COM1..COM6, baud 0..4 = 115200, 57600, 38400, 19200, 9600.
// Out-of-range indexes (a damaged template) are treated as 0.
struct LinkTarget {
    uint8_t port_index = 0;
    uint8_t baud_index = 0;
    bool use_ir = false;  // through the serial IR transceiver
};

// "Waiting for the terminal on COM1 ..." and, on a line of its own, the
// device behind the port; for the wait notice.
std::string waiting_for_terminal_text(const LinkTarget& target);

// "COM1 (/dev/ttyS0)": the port of a target and its device, for the details
// of a port's failure messages.
std::string port_and_device(const LinkTarget& target);

// A port's failure message with, below it, the port and device it concerns:
// "Can't open the COM port!\n\nPort: COM1 (/dev/ttyS0)".
std::string with_port_details(const std::string& message, const LinkTarget& target);

// Milliseconds elapsed from `since` to `now` on the wrapping 32-bit tick.
inline uint32_t ms_since(uint32_t since, uint32_t now) { return now - since; }

}  // namespace kolibra
