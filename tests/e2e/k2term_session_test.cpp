// k2term as the desktop programs meet it: over its pseudo-terminal, with the
// real port layer and the real clock.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "e2e/support/k2term_process.h"
#include "link/clock.h"
#include "link/ir_transceiver.h"
#include "link/serial_port_posix.h"

namespace kolibra {
namespace {

using namespace std::string_literals;

class K2termSession : public ::testing::Test {
protected:
    void SetUp() override {
        char templ[] = "/tmp/k2term_e2e_XXXXXX";
        ASSERT_NE(mkdtemp(templ), nullptr);
        dir = templ;
        records = dir + "/records.txt";
        std::ofstream(records, std::ios::binary) << "AB\r\nCD\r\n";
        reset_run_line_settings();
    }
    void TearDown() override { std::system(("rm -rf " + dir).c_str()); }

    bool open_port(const e2e::K2termProcess& k2term, uint32_t baud) {
        if (!port.open(k2term.device_path())) return false;
        set_plain_line(run_line_settings(), baud);
        return port.apply(run_line_settings()) && port.set_timeouts(transfer_timeouts());
    }
    // Writes, then collects the answer until a CR ends it or wait_ms pass.
    std::string exchange(const std::string& bytes, uint32_t wait_ms = 2000) {
        port.write(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
        return collect(wait_ms);
    }
    std::string collect(uint32_t wait_ms) {
        std::string got;
        const uint32_t deadline = clock.now_ms() + wait_ms;
        while (!reached(clock.now_ms(), deadline)) {
            uint8_t b;
            if (port.read(&b, 1) == 1) {
                got += static_cast<char>(b);
                if (b == '\r') break;
            } else {
                clock.wait_for_input(port, deadline);
            }
        }
        return got;
    }
    static std::string file(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    std::string dir;
    std::string records;
    SteadyClock clock;
    PosixSerialPort port;
};

TEST_F(K2termSession, HelpAndBadOptions) {
    const auto help = e2e::run_program(e2e::default_k2term_path(), {"--help"});
    EXPECT_EQ(help.exit_status, 0);
    EXPECT_NE(help.output.find("KOLIBRA_COM1"), std::string::npos);
    EXPECT_NE(help.output.find("--transceiver"), std::string::npos);
    EXPECT_NE(help.output.find("--stop-after"), std::string::npos);
    const auto bad = e2e::run_program(e2e::default_k2term_path(), {"--full-after"});
    EXPECT_EQ(bad.exit_status, 2);
    EXPECT_NE(bad.output.find("needs a value"), std::string::npos);
    const auto missing = e2e::run_program(e2e::default_k2term_path(), {"--records", dir + "/none"});
    EXPECT_EQ(missing.exit_status, 1);
}

TEST_F(K2termSession, HandsOverRecordsAndTakesALookupFile) {
    e2e::K2termProcess k2term;
    ASSERT_TRUE(k2term.start({"--records", records, "--out", dir})) << k2term.error();
    ASSERT_TRUE(open_port(k2term, 115200));

    EXPECT_EQ(exchange("READ\r"), "ACK\r");
    EXPECT_EQ(collect(1000), "\x00" "AB\x83\x00\r"s);
    EXPECT_EQ(exchange("NAK\r"), "\x00" "AB\x83\x00\r"s);
    EXPECT_EQ(exchange("ACK\r"), "\x01" "CD\x88\x00\r"s);
    EXPECT_EQ(exchange("ACK\r"), "OVER\r");

    EXPECT_EQ(exchange("QUORIN\r"), "ACK\r");
    EXPECT_EQ(exchange("AB\x00\x83\r"s), "ACK\r");
    EXPECT_EQ(exchange("Z\x00\x5A\r"s), "ACK\r");
    EXPECT_EQ(exchange("OVER\r"), "ACK\r");
    const auto line = k2term.wait_for_line("lookup ", 3000);
    ASSERT_TRUE(line.has_value());
    EXPECT_EQ(*line, "lookup " + dir + "/lookup-1.txt 2");
    EXPECT_EQ(file(dir + "/lookup-1.txt"), "AB\r\nZ\r\n");

    port.close();
    EXPECT_EQ(k2term.stop(), 0);
}

TEST_F(K2termSession, RebuildsAProgramImage) {
    e2e::K2termProcess k2term;
    ASSERT_TRUE(k2term.start({"--out", dir})) << k2term.error();
    ASSERT_TRUE(open_port(k2term, 38400));
    std::string image(10500, '\0');
    for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<char>((i * 31) >> 3);
    ASSERT_EQ(exchange("QUORIN\r"), "ACK\r");
    for (int n = 0; n < 105; ++n) {
        std::string block = image.substr(100 * n, 100);
        unsigned sum = 0;
        for (unsigned char c : block) sum += c;
        block += static_cast<char>(sum >> 8);
        block += static_cast<char>(sum & 0xFF);
        block += static_cast<char>(n);
        ASSERT_EQ(exchange(block), "ACK\r") << n;
    }
    ASSERT_TRUE(k2term.wait_for_line("program ", 3000).has_value());
    EXPECT_EQ(file(dir + "/program-1.bin"), image);
}

TEST_F(K2termSession, TransceiverModeAnswersTheSetUpAndPassesThrough) {
    e2e::K2termProcess k2term;
    ASSERT_TRUE(k2term.start({"--records", records, "--transceiver", "--ir-speed", "38400"}))
        << k2term.error();
    ASSERT_TRUE(port.open(k2term.device_path()));

    // Two transceiver commands in a row, as two runs of a tool would do.
    for (int baud_index : {4, 1}) {
        ASSERT_TRUE(setup_ir_transceiver(port, clock, run_line_settings(), baud_index,
                                         TransceiverSetup::data_reader()))
            << baud_index;
        ASSERT_TRUE(port.apply(run_line_settings()));
        ASSERT_TRUE(port.set_timeouts(transfer_timeouts()));
        EXPECT_EQ(exchange("READ\r"), "ACK\r");
        EXPECT_EQ(collect(1000), "\x00" "AB\x83\x00\r"s);
    }

    // At a speed other than the transceiver's, nothing gets through.
    set_plain_line(run_line_settings(), 19200);
    ASSERT_TRUE(port.apply(run_line_settings()));
    EXPECT_EQ(exchange("READ\r", 300), "");
    port.close();
}

TEST_F(K2termSession, ExitsCleanlyOnSignalsAndRemovesItsLink) {
    const std::string link = dir + "/ttyK2";
    e2e::K2termProcess k2term;
    ASSERT_TRUE(k2term.start({"--link", link})) << k2term.error();
    char target[256] = {};
    ASSERT_GT(readlink(link.c_str(), target, sizeof target - 1), 0);
    EXPECT_EQ(std::string(target), k2term.device_path());
    EXPECT_EQ(k2term.stop(2), 0);  // SIGINT
    struct stat st{};
    EXPECT_NE(lstat(link.c_str(), &st), 0);

    e2e::K2termProcess silent;
    ASSERT_TRUE(silent.start({"--silent"}));
    ASSERT_TRUE(open_port(silent, 9600));
    EXPECT_EQ(exchange("QUORIN\r", 300), "");
    EXPECT_EQ(silent.stop(), 0);  // SIGTERM while the desktop still holds the port
}

}  // namespace
}  // namespace kolibra
