#include <gtest/gtest.h>

#include <vector>

#include "link/clock.h"
#include "link/serial_port.h"

namespace kolibra {
namespace {

// Records how long the clock asked the port to block.
class WaitRecorder : public SerialPort {
public:
    bool open(const std::string&) override { return true; }
    bool is_open() const override { return true; }
    bool set_buffer_sizes(std::size_t, std::size_t) override { return true; }
    bool apply(const LineSettings&) override { return true; }
    bool get_timeouts(PortTimeouts&) override { return true; }
    bool set_timeouts(const PortTimeouts&) override { return true; }
    int read(uint8_t*, std::size_t) override { return 0; }
    std::size_t write(const uint8_t*, std::size_t n) override { return n; }
    bool wait_readable(uint32_t max_ms) override {
        waits.push_back(max_ms);
        return false;
    }
    void purge_input() override {}
    void close() override {}
    std::vector<uint32_t> waits;
};

TEST(SteadyClock, WaitsBlockInThePortForTheTimeLeft) {
    SteadyClock clock;
    WaitRecorder port;
    const uint32_t start = clock.now_ms();
    clock.wait_for_input(port, start + 250);
    ASSERT_EQ(port.waits.size(), 1u);
    EXPECT_LE(port.waits[0], 250u);
    EXPECT_GE(port.waits[0], 200u);

    clock.wait_for_input(port, start - 10);  // already passed: no wait at all
    EXPECT_EQ(port.waits.size(), 1u);
}

TEST(SteadyClock, PauseLastsAtLeastItsTime) {
    SteadyClock clock;
    const uint32_t start = clock.now_ms();
    clock.pause(30);
    EXPECT_GE(clock.now_ms() - start, 30u);
}

}  // namespace
}  // namespace kolibra
