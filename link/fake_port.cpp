#include "link/fake_port.h"

namespace kolibra {

FakePort::FakePort(VirtualClock& clock, LinkDevice* device) : clock_(clock), device_(device) {
    clock_.add_listener(this);
    if (device_ != nullptr) device_->connect(this);
}

FakePort::~FakePort() {
    clock_.remove_listener(this);
    if (device_ != nullptr) device_->connect(nullptr);
}

bool FakePort::open(const std::string& device_path) {
    if (open_ || refuse_open_) return false;
    open_ = true;
    path_ = device_path;
    ++open_count_;
    return true;
}

bool FakePort::set_buffer_sizes(std::size_t in_bytes, std::size_t out_bytes) {
    if (!open_) return false;
    buffer_in_ = in_bytes;
    buffer_out_ = out_bytes;
    return true;
}

bool FakePort::apply(const LineSettings& settings) {
    if (!open_ || refuse_apply_) return false;
    line_ = settings;
    applies_.push_back({clock_.now_ms(), settings});
    if (device_ != nullptr) device_->line_changed(settings, clock_.now_ms());
    return true;
}

bool FakePort::get_timeouts(PortTimeouts& timeouts) {
    if (!open_) return false;
    timeouts = timeouts_;
    return true;
}

bool FakePort::set_timeouts(const PortTimeouts& timeouts) {
    if (!open_) return false;
    timeouts_ = timeouts;
    timeouts_set_.push_back(timeouts);
    return true;
}

int FakePort::read(uint8_t* buffer, std::size_t max_bytes) {
    if (!open_) return -1;
    std::size_t n = 0;
    while (n < max_bytes && !input_.empty()) {
        buffer[n++] = input_.front();
        input_.pop_front();
    }
    return static_cast<int>(n);
}

std::size_t FakePort::write(const uint8_t* data, std::size_t count) {
    if (!open_) return 0;
    writes_.push_back({clock_.now_ms(), std::vector<uint8_t>(data, data + count), line_.baud_rate,
                       line_.rts_on, line_.dtr_on});
    if (device_ != nullptr) device_->receive(data, count, line_.baud_rate, clock_.now_ms());
    return count;
}

bool FakePort::wait_readable(uint32_t max_ms) {
    if (!input_.empty()) return true;
    if (max_ms > 0) clock_.wait_for_input(*this, clock_.now_ms() + max_ms);
    return !input_.empty();
}

void FakePort::purge_input() {
    input_.clear();
    ++purge_count_;
}

void FakePort::close() {
    if (!open_) return;
    open_ = false;
    input_.clear();
    ++close_count_;
}

void FakePort::send(const uint8_t* data, std::size_t count, uint32_t baud) {
    if (!open_) return;
    if (baud != 0 && baud != line_.baud_rate) return;  // framing errors: lost
    input_.insert(input_.end(), data, data + count);
}

void FakePort::time_reached(uint32_t now_ms) {
    if (device_ != nullptr) device_->advance(now_ms);
}

void FakePort::inject(const std::string& bytes) { input_.insert(input_.end(), bytes.begin(), bytes.end()); }

std::string FakePort::written_bytes() const {
    std::string all;
    for (const Write& w : writes_) all.append(w.bytes.begin(), w.bytes.end());
    return all;
}

}  // namespace kolibra
