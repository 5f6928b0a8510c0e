// Paces the bytes of one direction of a serial line: each byte takes 10 bit
// times (start bit, 8 data bits, stop bit), and a byte cannot start before
// the one ahead of it has finished. k2term's --line-rate holds each message
// back until its last byte would have arrived over a real line.
#pragma once

#include <cstdint>
#include <deque>
#include <string>

namespace kolibra {

constexpr uint64_t kBitsPerByte = 10;

class LinePacer {
public:
    // Queues a message handed to the line at now_us; it is due when its last
    // byte has crossed the line at `baud` bit/s (0: passes at once).
    void queue(uint64_t now_us, std::string bytes, uint32_t baud);
    // The messages due by now_us, in order, joined.
    std::string take_due(uint64_t now_us);
    // Microseconds until the next message is due (0 if one is due now), or
    // -1 when nothing waits.
    int64_t us_to_next(uint64_t now_us) const;
    bool empty() const { return queue_.empty(); }

private:
    struct Message {
        uint64_t due_us;
        std::string bytes;
    };
    std::deque<Message> queue_;
    uint64_t line_free_us_ = 0;  // when the last byte queued has crossed the line
};

}  // namespace kolibra
