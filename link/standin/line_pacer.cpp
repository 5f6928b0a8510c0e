#include "link/standin/line_pacer.h"

namespace kolibra {

void LinePacer::queue(uint64_t now_us, std::string bytes, uint32_t baud) {
    if (bytes.empty()) return;
    const uint64_t start = line_free_us_ > now_us ? line_free_us_ : now_us;
    const uint64_t duration =
        baud == 0 ? 0 : (bytes.size() * kBitsPerByte * 1000000 + baud - 1) / baud;
    line_free_us_ = start + duration;
    queue_.push_back({line_free_us_, std::move(bytes)});
}

std::string LinePacer::take_due(uint64_t now_us) {
    std::string out;
    while (!queue_.empty() && queue_.front().due_us <= now_us) {
        out += queue_.front().bytes;
        queue_.pop_front();
    }
    return out;
}

int64_t LinePacer::us_to_next(uint64_t now_us) const {
    if (queue_.empty()) return -1;
    const uint64_t due = queue_.front().due_us;
    return due > now_us ? static_cast<int64_t>(due - now_us) : 0;
}

}  // namespace kolibra
