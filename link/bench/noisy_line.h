// A serial line that damages bytes: each byte that crosses it, either way,
// has one random bit flipped with the given probability. Seeded, so a run
// can be repeated exactly.
#pragma once

#include "link/link_device.h"

#include <random>
#include <string>

namespace kolibra {

class NoisyLine : public LinkDevice, public LineEndpoint {
public:
    NoisyLine(LinkDevice& far_end, double byte_error_rate, uint32_t seed)
        : far_end_(far_end), rate_(byte_error_rate), random_(seed) {
        far_end_.connect(this);
    }

    // Towards the far end.
    void connect(LineEndpoint* towards_desktop) override { desktop_ = towards_desktop; }
    void line_changed(const LineSettings& settings, uint32_t now_ms) override {
        far_end_.line_changed(settings, now_ms);
    }
    void receive(const uint8_t* data, std::size_t count, uint32_t baud, uint32_t now_ms) override {
        const std::string bytes = damage(data, count);
        far_end_.receive(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), baud, now_ms);
    }
    void advance(uint32_t now_ms) override { far_end_.advance(now_ms); }
    int32_t ms_to_next_event(uint32_t now_ms) const override {
        return far_end_.ms_to_next_event(now_ms);
    }
    // Towards the desktop.
    void send(const uint8_t* data, std::size_t count, uint32_t baud) override {
        const std::string bytes = damage(data, count);
        if (desktop_) desktop_->send(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), baud);
    }

    long bytes_damaged() const { return damaged_; }

private:
    std::string damage(const uint8_t* data, std::size_t count) {
        std::string bytes(reinterpret_cast<const char*>(data), count);
        for (char& b : bytes) {
            if (chance_(random_) < rate_) {
                b = static_cast<char>(static_cast<uint8_t>(b) ^ (1u << bit_(random_)));
                ++damaged_;
            }
        }
        return bytes;
    }

    LinkDevice& far_end_;
    LineEndpoint* desktop_ = nullptr;
    double rate_;
    std::mt19937 random_;
    std::uniform_real_distribution<double> chance_{0.0, 1.0};
    std::uniform_int_distribution<int> bit_{0, 7};
    long damaged_ = 0;
};

}  // namespace kolibra
