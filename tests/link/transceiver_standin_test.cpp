#include <gtest/gtest.h>

#include <string>

#include "link/fake_port.h"
#include "link/ir_transceiver.h"
#include "link/standin/transceiver_standin.h"
#include "link/virtual_clock.h"

namespace kolibra {
namespace {

// A terminal that answers every chunk with "<" chunk ">" and records what came.
class BracketTerminal : public LinkDevice {
public:
    void connect(LineEndpoint* end) override { end_ = end; }
    void receive(const uint8_t* d, std::size_t n, uint32_t, uint32_t) override {
        const std::string s(reinterpret_cast<const char*>(d), n);
        got += s;
        const std::string reply = "<" + s + ">";
        end_->send(reinterpret_cast<const uint8_t*>(reply.data()), reply.size(), 0);
    }
    LineEndpoint* end_ = nullptr;
    std::string got;
};

std::string read_all(FakePort& port) {
    std::string s;
    uint8_t buf[64];
    int n;
    while ((n = port.read(buf, sizeof buf)) > 0) s.append(reinterpret_cast<char*>(buf), n);
    return s;
}

void write(FakePort& port, const std::string& s) {
    port.write(reinterpret_cast<const uint8_t*>(s.data()), s.size());
}

TEST(TransceiverStandin, PassesBytesThroughOnlyWhileRtsIsOnAtItsSpeed) {
    VirtualClock clock;
    TransceiverStandin ir({.start_baud = 9600});
    BracketTerminal terminal;
    ir.put_in_front_of(&terminal);
    FakePort port(clock, &ir);
    port.open("COM1");
    LineSettings line;
    line.dtr_on = true;
    set_plain_line(line, 9600);

    line.rts_on = false;  // command mode: nothing reaches the terminal
    port.apply(line);
    write(port, "READ\r");
    clock.pause(5);
    EXPECT_EQ(terminal.got, "");

    line.rts_on = true;
    port.apply(line);
    write(port, "READ\r");
    write(port, std::string(1, '\x0F'));  // not a probe in pass-through
    clock.pause(5);
    EXPECT_EQ(terminal.got, "READ\r\x0F");
    EXPECT_EQ(read_all(port), "<READ\r><\x0F>");

    set_plain_line(line, 19200);  // wrong speed: garbled both ways
    port.apply(line);
    write(port, "ACK\r");
    clock.pause(5);
    EXPECT_EQ(terminal.got, "READ\r\x0F");
    EXPECT_EQ(ir.probes_answered(), 0);
}

TEST(TransceiverStandin, NeedsDtrForPower) {
    VirtualClock clock;
    TransceiverStandin ir;
    FakePort port(clock, &ir);
    port.open("COM1");
    LineSettings line;
    set_plain_line(line, 9600);
    port.apply(line);  // DTR and RTS off
    write(port, std::string(1, '\x0F'));
    clock.pause(10);
    EXPECT_EQ(port.pending_input(), 0u);
    line.dtr_on = true;
    port.apply(line);
    write(port, std::string(1, '\x0F'));
    clock.pause(10);
    EXPECT_EQ(read_all(port), "\x0F");
}

TEST(TransceiverStandin, IncompleteOrBrokenOrdersChangeNothing) {
    VirtualClock clock;
    TransceiverStandin ir({.start_baud = 38400});
    FakePort port(clock, &ir);
    port.open("COM1");
    LineSettings line;
    line.dtr_on = true;
    set_plain_line(line, 38400);
    port.apply(line);
    write(port, "\x07" "6");  // no 0x51
    line.rts_on = true;
    port.apply(line);
    line.rts_on = false;
    port.apply(line);
    write(port, "\x07" "9" "\x51");  // not a speed code
    line.rts_on = true;
    port.apply(line);
    EXPECT_EQ(ir.speed(), 38400u);
    EXPECT_TRUE(ir.speed_orders().empty());
}

TEST(TransceiverStandin, ByteModeTellsCommandModeFromPassThroughByTheBytes) {
    VirtualClock clock;
    TransceiverStandin ir({.mode_by_bytes = true});
    BracketTerminal terminal;
    ir.put_in_front_of(&terminal);
    FakePort port(clock, &ir);
    port.open("pty");  // nothing applied: the byte mode ignores RTS and speed

    write(port, "\x0F");
    clock.pause(10);
    EXPECT_EQ(read_all(port), "\x0F");
    for (char c : std::string("\x07" "3" "\x51")) {
        write(port, std::string(1, c));
        clock.pause(100);
    }
    EXPECT_FALSE(ir.in_command_mode());
    EXPECT_EQ(ir.speed(), 19200u);

    write(port, "A\x0F\r");  // 0x0F inside a message goes to the terminal
    clock.pause(100);
    write(port, "\x0F");     // a lone 0x0F after quiet: back to command mode
    clock.pause(10);
    EXPECT_EQ(terminal.got, "A\x0F\r");
    EXPECT_EQ(read_all(port), "<A\x0F\r>\x0F");
    EXPECT_TRUE(ir.in_command_mode());
}

}  // namespace
}  // namespace kolibra
