#include <gtest/gtest.h>

#include "link/clock.h"
#include "link/fake_port.h"
#include "link/virtual_clock.h"

namespace kolibra {
namespace {

// A device that answers every byte with the same byte after a set delay,
// at the speed it was sent.
class DelayedEcho : public LinkDevice {
public:
    explicit DelayedEcho(uint32_t delay) : delay_(delay) {}
    void connect(LineEndpoint* end) override { end_ = end; }
    void receive(const uint8_t* data, std::size_t n, uint32_t baud, uint32_t now) override {
        for (std::size_t i = 0; i < n; ++i) pending_.push_back({now + delay_, data[i], baud});
    }
    void advance(uint32_t now) override {
        while (!pending_.empty() && reached(now, pending_.front().due)) {
            end_->send(&pending_.front().byte, 1, pending_.front().baud);
            pending_.erase(pending_.begin());
        }
    }

private:
    struct Item {
        uint32_t due;
        uint8_t byte;
        uint32_t baud;
    };
    uint32_t delay_;
    LineEndpoint* end_ = nullptr;
    std::vector<Item> pending_;
};

TEST(VirtualClock, TimeMovesOnlyWhenWaiting) {
    VirtualClock clock(1000);
    EXPECT_EQ(clock.now_ms(), 1000u);
    EXPECT_EQ(clock.now_ms(), 1000u);
    clock.pause(100);
    EXPECT_EQ(clock.now_ms(), 1100u);
    EXPECT_EQ(clock.total_waited_ms(), 100u);
}

TEST(VirtualClock, WaitEndsWhenInputArrivesOrAtDeadline) {
    VirtualClock clock;
    DelayedEcho echo(37);
    FakePort port(clock, &echo);
    ASSERT_TRUE(port.open("x"));
    const uint8_t b = 0x41;
    port.write(&b, 1);
    clock.wait_for_input(port, clock.now_ms() + 3000);
    EXPECT_EQ(clock.now_ms(), 37u);
    uint8_t got[4];
    EXPECT_EQ(port.read(got, 4), 1);
    EXPECT_EQ(got[0], 0x41);

    // Nothing more comes: the wait runs to its deadline and no further.
    clock.wait_for_input(port, clock.now_ms() + 500);
    EXPECT_EQ(clock.now_ms(), 537u);
    EXPECT_EQ(port.read(got, 4), 0);
}

TEST(VirtualClock, DeadlinesHoldAcrossTheTickWrap) {
    VirtualClock clock(0xFFFFFF00u);
    DelayedEcho echo(1000);
    FakePort port(clock, &echo);
    ASSERT_TRUE(port.open("x"));
    const uint32_t deadline = clock.now_ms() + 500;  // wraps past zero
    clock.wait_for_input(port, deadline);
    EXPECT_EQ(clock.now_ms(), deadline);
    EXPECT_EQ(clock.total_waited_ms(), 500u);
    EXPECT_EQ(ms_until(0xFFFFFFF0u, 0x10u), 0x20u);
    EXPECT_TRUE(reached(0x10u, 0xFFFFFFF0u));
}

TEST(VirtualClockDeathTest, CodeThatSpinsInsteadOfWaitingIsStopped) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    VirtualClock clock;
    const uint32_t deadline = clock.now_ms() + 100;
    EXPECT_DEATH(
        {
            while (!reached(clock.now_ms(), deadline)) {
            }
        },
        "spins instead of waiting");
}

TEST(FakePort, BytesSentAtAnotherSpeedAreLost) {
    VirtualClock clock;
    DelayedEcho echo(1);
    FakePort port(clock, &echo);
    ASSERT_TRUE(port.open("x"));
    LineSettings line;
    set_plain_line(line, 9600);
    ASSERT_TRUE(port.apply(line));
    const uint8_t b = 0x0F;
    port.write(&b, 1);
    set_plain_line(line, 38400);  // switched before the echo came back
    port.apply(line);
    clock.pause(5);
    EXPECT_EQ(port.pending_input(), 0u);

    port.write(&b, 1);
    clock.pause(5);
    EXPECT_EQ(port.pending_input(), 1u);
    port.purge_input();
    EXPECT_EQ(port.pending_input(), 0u);
}

TEST(FakePort, ClosedPortRefusesEverything) {
    VirtualClock clock;
    FakePort port(clock, nullptr);
    uint8_t buf[1];
    EXPECT_EQ(port.read(buf, 1), -1);
    EXPECT_EQ(port.write(buf, 1), 0u);
    EXPECT_FALSE(port.apply(LineSettings{}));
    ASSERT_TRUE(port.open("a"));
    EXPECT_FALSE(port.open("a"));  // already held
    port.close();
    EXPECT_EQ(port.close_count(), 1);
}

}  // namespace
}  // namespace kolibra
