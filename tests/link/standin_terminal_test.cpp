#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "link/fake_port.h"
#include "link/ir_transceiver.h"
#include "link/standin/line_pacer.h"
#include "link/standin/terminal_standin.h"
#include "link/standin/transceiver_standin.h"
#include "link/virtual_clock.h"

namespace kolibra {
namespace {

using Bytes = std::string;
using namespace std::string_literals;

// The desktop side of a line to a terminal stand-in: write, then collect what
// comes back within a time limit.
struct Desk {
    explicit Desk(TerminalOptions options = {}) : terminal(std::move(options)), port(clock, &terminal) {
        port.open("COM1");
    }
    // Writes and returns everything that arrives within wait_ms.
    Bytes send(const Bytes& bytes, uint32_t wait_ms = 50) {
        port.write(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
        clock.pause(wait_ms);
        return take();
    }
    Bytes take() {
        Bytes got;
        uint8_t buf[512];
        int n;
        while ((n = port.read(buf, sizeof buf)) > 0) got.append(reinterpret_cast<char*>(buf), n);
        return got;
    }
    VirtualClock clock;
    TerminalStandin terminal;
    FakePort port;
};

Bytes block(const std::vector<uint8_t>& image, int n) {
    Bytes b(reinterpret_cast<const char*>(image.data()) + 100 * n, 100);
    unsigned sum = 0;
    for (unsigned char c : b) sum += c;
    b += static_cast<char>(sum >> 8);
    b += static_cast<char>(sum & 0xFF);
    b += static_cast<char>(n);
    return b;
}

std::vector<uint8_t> test_image() {
    std::vector<uint8_t> image(10500);
    for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<uint8_t>(i * 7 + i / 100);
    // Block 0 opens with bytes that also read as an empty lookup record packet.
    image[0] = 0x00;
    image[1] = 0x00;
    image[2] = 0x0D;
    return image;
}

TEST(TerminalStandin, LookupDownloadStoresRecordsInOrder) {
    Desk d;
    EXPECT_EQ(d.send("QUORIN\r"), "ACK\r");
    EXPECT_EQ(d.send("AB\x00\x83\r"s), "ACK\r");
    EXPECT_EQ(d.send("\x00\x00\r"s), "ACK\r");           // empty line
    EXPECT_EQ(d.send("\xFF\x0E\x01\x0E\r"s), "ACK\r");   // sum 0x010D
    EXPECT_EQ(d.send("Z\x00\x5B\r"s), "NAK\r");          // wrong check byte
    EXPECT_EQ(d.send("Z\x00\x5A\r"s), "ACK\r");
    EXPECT_EQ(d.send("OVER\r"), "ACK\r");
    ASSERT_EQ(d.terminal.lookup_files().size(), 1u);
    EXPECT_EQ(d.terminal.lookup_files()[0],
              (std::vector<std::string>{"AB", "", "\xFF\x0E", "Z"}));
}

TEST(TerminalStandin, EmptyLookupFileIsJustTheEndMarker) {
    Desk d;
    d.send("QUORIN\r");
    EXPECT_EQ(d.send("OVER\r"), "ACK\r");
    ASSERT_EQ(d.terminal.lookup_files().size(), 1u);
    EXPECT_TRUE(d.terminal.lookup_files()[0].empty());
}

TEST(TerminalStandin, ProgramDownloadRebuildsTheImage) {
    Desk d;
    const std::vector<uint8_t> image = test_image();
    std::vector<uint8_t> delivered;
    d.terminal.on_program_image = [&](const std::vector<uint8_t>& got) { delivered = got; };
    EXPECT_EQ(d.send("QUORIN\r"), "ACK\r");
    for (int n = 0; n < 105; ++n) ASSERT_EQ(d.send(block(image, n)), "ACK\r") << n;
    EXPECT_EQ(d.terminal.program_image(), image);
    EXPECT_EQ(delivered, image);
    // A repeat of the last block (its ACK lost) is acknowledged again.
    EXPECT_EQ(d.send(block(image, 104)), "ACK\r");
    EXPECT_TRUE(d.terminal.lookup_files().empty());
}

TEST(TerminalStandin, DamagedOrMisplacedBlocksAreRefused) {
    Desk d;
    const std::vector<uint8_t> image = test_image();
    d.send("QUORIN\r");
    EXPECT_EQ(d.send(block(image, 0)), "ACK\r");
    Bytes bad = block(image, 1);
    bad[101] = static_cast<char>(bad[101] + 1);
    EXPECT_EQ(d.send(bad), "NAK\r");
    EXPECT_EQ(d.send(block(image, 2)), "NAK\r");  // skips block 1
    EXPECT_EQ(d.send(block(image, 0)), "ACK\r");  // repeat of the one just taken
    EXPECT_EQ(d.terminal.blocks_stored(), 1);
    EXPECT_EQ(d.send(block(image, 1)), "ACK\r");
    EXPECT_EQ(d.terminal.blocks_stored(), 2);
    // A new handshake starts the download again from block 0.
    EXPECT_EQ(d.send("QUORIN\r"), "ACK\r");
    EXPECT_EQ(d.send(block(image, 1)), "NAK\r");
    EXPECT_EQ(d.send(block(image, 0)), "ACK\r");
}

TEST(TerminalStandin, DownloadMisbehaviours) {
    {
        Desk d({.silent = true});
        EXPECT_EQ(d.send("QUORIN\r", 3000), "");
    }
    {
        Desk d({.full_after = 1});
        d.send("QUORIN\r");
        EXPECT_EQ(d.send("A\x00\x41\r"s), "ACK\r");
        EXPECT_EQ(d.send("B\x00\x42\r"s), "FULL\r");
    }
    {
        Desk d({.refuse_packet = 0, .refuse_times = 2});
        d.send("QUORIN\r");
        const Bytes a("A\x00\x41\r", 4);
        EXPECT_EQ(d.send(a), "NAK\r");
        EXPECT_EQ(d.send(a), "NAK\r");
        EXPECT_EQ(d.send(a), "ACK\r");
        // The refusals are used up: a retried download goes through.
        d.send("QUORIN\r");
        EXPECT_EQ(d.send(a), "ACK\r");
    }
    {
        Desk d({.lose_ack_of = 1});
        d.send("QUORIN\r");
        const Bytes a("A\x00\x41\r", 4);
        EXPECT_EQ(d.send(a), "ACK\r");
        EXPECT_EQ(d.send(a, 3000), "");      // stored, answer lost
        EXPECT_EQ(d.send(a), "ACK\r");       // the desktop's repeat: not stored again
        EXPECT_EQ(d.send(a), "ACK\r");       // a real third record "A"
        EXPECT_EQ(d.send("OVER\r"), "ACK\r");
        EXPECT_EQ(d.terminal.lookup_files()[0], (std::vector<std::string>{"A", "A", "A"}));
    }
    {
        Desk d({.refuse_over_times = 1});
        d.send("QUORIN\r");
        EXPECT_EQ(d.send("OVER\r"), "NAK\r");
        EXPECT_EQ(d.send("OVER\r"), "ACK\r");
    }
}

TEST(TerminalStandin, ReceptionSendsNumberedFramesAndOver) {
    Desk d({.records = {"AB", "CD"}});
    EXPECT_EQ(d.send("READ\r"), "ACK\r\x00" "AB\x83\x00\r"s);
    EXPECT_EQ(d.send("NAK\r"), "\x00" "AB\x83\x00\r"s);
    EXPECT_EQ(d.send("ACK\r"), "\x01" "CD\x88\x00\r"s);
    EXPECT_EQ(d.send("ACK\r"), "OVER\r");
    // The records stay for a later request.
    EXPECT_EQ(d.send("READ\r"), "ACK\r\x00" "AB\x83\x00\r"s);
}

TEST(TerminalStandin, FrameNumbersWrapAndCheckBytesAvoidCr) {
    std::vector<std::string> records(11, "x");
    records[0] = std::string(13, '\xFF') + "\x1A";  // sum with sequence 0: 0x0D0D
    Desk d({.records = records});
    EXPECT_EQ(d.send("READ\r"), "ACK\r" + Bytes(1, '\0') + records[0] + "\x0E\x0E\r");
    for (int i = 1; i < 10; ++i) {
        const Bytes frame = d.send("ACK\r");
        ASSERT_EQ(frame.size(), 5u);
        EXPECT_EQ(frame[0], static_cast<char>(i));
        EXPECT_EQ(static_cast<uint8_t>(frame[2]), (i + 'x') & 0xFF);
    }
    EXPECT_EQ(d.send("ACK\r"), "\x00x\x78\x00\r"s);  // frame 10 is number 0 again
}

TEST(TerminalStandin, ReceptionMisbehaviours) {
    {
        Desk d({.records = {"A", "B", "C"}, .stop_after_records = 1});
        d.send("READ\r");
        EXPECT_EQ(d.send("ACK\r", 3000), "");
        EXPECT_EQ(d.send("NAK\r", 3000), "");
    }
    {
        Desk d({.records = {"A", "B"}, .late_frame = 1, .late_ms = 600});
        d.send("READ\r");
        EXPECT_EQ(d.send("ACK\r", 500), "");
        // The late frame, then the repeat asked for by the NAK.
        EXPECT_EQ(d.send("NAK\r", 200), "\x01" "B\x43\x00\r" "\x01" "B\x43\x00\r"s);
        EXPECT_EQ(d.send("NAK\r"), "\x01" "B\x43\x00\r"s);      // only once late
    }
    {
        Desk d({.records = {"A"}, .wrong_sequence_frame = 0, .bad_check_frame = 0});
        EXPECT_EQ(d.send("READ\r"), "ACK\r\x02" "A\x40\x00\r"s);  // both faults at once
        EXPECT_EQ(d.send("NAK\r"), "\x00" "A\x41\x00\r"s);
    }
    {
        Desk d({.records = {"A"}, .read_reply = "BUSY\r"});
        EXPECT_EQ(d.send("READ\r"), "BUSY\r");
        EXPECT_EQ(d.send("ACK\r"), "");
    }
}

TEST(TerminalStandin, BehindTheTransceiver) {
    VirtualClock clock;
    TransceiverStandin ir({.start_baud = 38400});
    TerminalStandin terminal({.records = {"R1"}});
    ir.put_in_front_of(&terminal);
    FakePort port(clock, &ir);
    port.open("COM1");
    reset_run_line_settings();
    ASSERT_TRUE(setup_ir_transceiver(port, clock, run_line_settings(), 3));
    ASSERT_TRUE(port.apply(run_line_settings()));
    const Bytes read = "READ\r";
    port.write(reinterpret_cast<const uint8_t*>(read.data()), read.size());
    clock.pause(20);
    uint8_t buf[32];
    const int n = port.read(buf, sizeof buf);
    EXPECT_EQ(Bytes(reinterpret_cast<char*>(buf), n > 0 ? n : 0), "ACK\r\x00R1\x83\x00\r"s);
}

}  // namespace
}  // namespace kolibra

namespace kolibra {
namespace {

TEST(LinePacer, MessagesCrossTheLineOneAfterAnotherAtTenBitsAByte) {
    LinePacer pacer;
    EXPECT_EQ(pacer.us_to_next(0), -1);
    // 103 bytes at 9600 bit/s: 1030 bits, 107292 us (rounded up).
    pacer.queue(1000, std::string(103, 'x'), 9600);
    // "ACK\r" handed over meanwhile waits for the line: 4 more bytes, 4167 us.
    pacer.queue(2000, "ACK\r", 9600);
    EXPECT_EQ(pacer.us_to_next(1000), 107292);
    EXPECT_EQ(pacer.take_due(108291), "");
    EXPECT_EQ(pacer.take_due(108292), std::string(103, 'x'));
    EXPECT_EQ(pacer.us_to_next(108292), 4167);
    EXPECT_EQ(pacer.take_due(200000), "ACK\r");
    EXPECT_TRUE(pacer.empty());
    // A line that was idle starts the next message when it is handed over.
    pacer.queue(1000000, "OVER\r", 115200);
    EXPECT_EQ(pacer.us_to_next(1000000), 435);  // 50 bits at 115200
    // No speed known: the message passes at once.
    LinePacer unpaced;
    unpaced.queue(5, "NAK\r", 0);
    EXPECT_EQ(unpaced.take_due(5), "NAK\r");
}

}  // namespace
}  // namespace kolibra
