// The Win32 port layer against a real COM port. The test script maps COM1 to
// a pseudo-terminal whose other end echoes every byte back, and names the
// port in KOLIBRA_TEST_COM.
#include "link/serial_port.h"
#include "link/serial_port_win32.h"
#include "common/names_win32.h"
#include "model_test_util.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

namespace kolibra {
namespace {

bool running_under_wine() {
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// The processor time of the calling thread: Wine emulates the port's events
// with a helper thread of its own, which a real Windows driver does not need.
double thread_cpu_seconds() {
    FILETIME created, ended, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &ended, &kernel, &user);
    auto seconds = [](FILETIME t) {
        return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) |
                                   t.dwLowDateTime) / 1e7;
    };
    return seconds(kernel) + seconds(user);
}

class EchoPort : public ::testing::Test {
protected:
    void SetUp() override {
        const char* device = std::getenv("KOLIBRA_TEST_COM");
        if (device == nullptr || *device == '\0')
            GTEST_SKIP() << "no COM port with an echo peer (KOLIBRA_TEST_COM is not set)";
        device_ = device;
        ASSERT_TRUE(port_.open(device_)) << device_;
        LineSettings line{};
        set_plain_line(line, 115200);
        ASSERT_TRUE(port_.apply(line));
        ASSERT_TRUE(port_.set_timeouts(transfer_timeouts()));
        port_.purge_input();
    }
    std::string device_;
    Win32SerialPort port_;
};

TEST_F(EchoPort, AWaitEndsAsSoonAsAByteArrives) {
    std::vector<double> round_trips_ms;
    for (int i = 0; i < 40; ++i) {
        const uint8_t sent = static_cast<uint8_t>('A' + i % 26);
        const auto start = std::chrono::steady_clock::now();
        ASSERT_EQ(1u, port_.write(&sent, 1));
        ASSERT_TRUE(port_.wait_readable(2000)) << "no echo of byte " << i;
        uint8_t got = 0;
        ASSERT_EQ(1, port_.read(&got, 1));
        round_trips_ms.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
        EXPECT_EQ(sent, got);
    }
    std::sort(round_trips_ms.begin(), round_trips_ms.end());
    // Looking every 5 ms would put the median near 5 ms.
    EXPECT_LT(round_trips_ms[round_trips_ms.size() / 2], 2.5);
}

TEST_F(EchoPort, AReadOnAQuietLineReturnsAtOnce) {
    uint8_t buffer[3];
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(0, port_.read(buffer, sizeof buffer));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100));
}

TEST_F(EchoPort, AQuietLineIsWaitedOutIdle) {
    const double cpu_before = thread_cpu_seconds();
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(port_.wait_readable(300));
    const double waited_ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    EXPECT_GE(waited_ms, 290.0);
    EXPECT_LT(waited_ms, 1000.0);
    EXPECT_LT(thread_cpu_seconds() - cpu_before, 0.02) << "the wait kept the processor busy";
    // The port still works after a wait that ran out.
    const uint8_t sent = 'z';
    ASSERT_EQ(1u, port_.write(&sent, 1));
    EXPECT_TRUE(port_.wait_readable(2000));
}

TEST_F(EchoPort, ASecondOpenOfTheHeldPortFails) {
    Win32SerialPort second;
    const bool opened = second.open(device_);
    if (opened && running_under_wine())
        GTEST_SKIP() << "Wine does not enforce exclusive opens of serial devices";
    EXPECT_FALSE(opened);
}

TEST(Win32PortOpen, NothingElseMayOpenWhatThePortHolds) {
    // Serial devices under Wine ignore sharing, plain files do not: the share
    // mode the port asks for is checked on a file.
    test::ScratchDir dir;
    const std::string name = dir.file("not-a-port");
    test::write_bytes(name, {'x'});
    Win32SerialPort port;
    ASSERT_TRUE(port.open(name));
    HANDLE other = CreateFileW(widen_utf8(name).c_str(), GENERIC_READ,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, 0, nullptr);
    const DWORD error = GetLastError();
    if (other != INVALID_HANDLE_VALUE) CloseHandle(other);
    EXPECT_EQ(INVALID_HANDLE_VALUE, other);
    EXPECT_EQ(static_cast<DWORD>(ERROR_SHARING_VIOLATION), error);
    port.close();
    Win32SerialPort again;
    EXPECT_TRUE(again.open(name)) << "closing released the file";
}

TEST(Win32PortOpen, AMissingPortIsNotOpened) {
    Win32SerialPort port;
    EXPECT_FALSE(port.open("\\\\.\\COM199"));
    EXPECT_FALSE(port.is_open());
    EXPECT_FALSE(port.wait_readable(10));
}

}  // namespace
}  // namespace kolibra
