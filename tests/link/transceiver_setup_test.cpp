#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "link/fake_port.h"
#include "link/ir_transceiver.h"
#include "link/standin/transceiver_standin.h"
#include "link/virtual_clock.h"
#include "support/user_doubles.h"

namespace kolibra {
namespace {

using test::RecordingPrompter;

// The speeds at which the desktop wrote the probe byte, in order.
std::vector<uint32_t> probe_speeds(const FakePort& port) {
    std::vector<uint32_t> speeds;
    for (const auto& w : port.writes()) {
        if (w.bytes == std::vector<uint8_t>{0x0F}) speeds.push_back(w.baud);
    }
    return speeds;
}

struct Rig {
    explicit Rig(TransceiverOptions options = {}) : ir(options), port(clock, &ir) {
        reset_run_line_settings();
        port.open("COM1");
    }
    bool setup(int baud_index, const TransceiverSetup& variant = TransceiverSetup::generator()) {
        return setup_ir_transceiver(port, clock, run_line_settings(), baud_index, variant);
    }
    VirtualClock clock;
    TransceiverStandin ir;
    FakePort port;
};

TEST(TransceiverSetup, FoundAtFirstProbeRunsEveryStepOnTime) {
    Rig rig({.start_baud = 9600});
    rig.port.set_timeouts({11, 22, 33, 44, 55});
    ASSERT_TRUE(rig.setup(1));  // 57600

    // Time-outs: only the read interval changed, the rest as the port had them.
    ASSERT_EQ(rig.port.timeouts_set().size(), 2u);
    const PortTimeouts& t = rig.port.timeouts_set()[1];
    EXPECT_EQ(t.read_interval, 0xFFFFFFFFu);
    EXPECT_EQ(t.read_total_multiplier, 22u);
    EXPECT_EQ(t.read_total_constant, 33u);
    EXPECT_EQ(t.write_total_multiplier, 44u);
    EXPECT_EQ(t.write_total_constant, 55u);

    // Applies: 38400 RTS on; probe 9600 RTS off / on; order RTS off; chosen speed RTS on.
    const auto& a = rig.port.applied();
    ASSERT_EQ(a.size(), 5u);
    const uint32_t at[] = {0, 100, 300, 400, 800};
    const uint32_t baud[] = {38400, 9600, 9600, 9600, 57600};
    const bool rts[] = {true, false, true, false, true};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(a[i].at_ms, at[i]) << i;
        EXPECT_EQ(a[i].settings.baud_rate, baud[i]) << i;
        EXPECT_EQ(a[i].settings.rts_on, rts[i]) << i;
        EXPECT_TRUE(a[i].settings.dtr_on) << i;
        EXPECT_EQ(a[i].settings.byte_size, 8) << i;
        EXPECT_TRUE(a[i].settings.parity_none) << i;
        EXPECT_TRUE(a[i].settings.one_stop_bit) << i;
    }

    // Writes: the probe, then 0x07, "5", 0x51 alone, 100 ms apart, at the speed found.
    const auto& w = rig.port.writes();
    ASSERT_EQ(w.size(), 4u);
    const uint8_t bytes[] = {0x0F, 0x07, 0x35, 0x51};
    const uint32_t write_at[] = {200, 500, 600, 700};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(w[i].bytes, std::vector<uint8_t>{bytes[i]}) << i;
        EXPECT_EQ(w[i].at_ms, write_at[i]) << i;
        EXPECT_EQ(w[i].baud, 9600u) << i;
        EXPECT_FALSE(w[i].rts_on) << i;
    }
    EXPECT_EQ(rig.clock.now_ms(), 900u);

    const LineSettings& line = run_line_settings();
    EXPECT_EQ(line.baud_rate, 57600u);
    EXPECT_TRUE(line.dtr_on);
    EXPECT_TRUE(line.rts_on);
    EXPECT_FALSE(line.cts_output_flow);
    EXPECT_FALSE(line.xon_xoff_output);
    EXPECT_EQ(rig.ir.speed(), 57600u);
    EXPECT_FALSE(rig.ir.in_command_mode());
}

TEST(TransceiverSetup, ProbesInOrderUntilTheTransceiversSpeed) {
    Rig rig({.start_baud = 57600});
    ASSERT_TRUE(rig.setup(4));
    EXPECT_EQ(probe_speeds(rig.port), (std::vector<uint32_t>{9600, 115200, 38400, 57600}));
    // 100 ms, three silent probes of 400 ms, one found of 300 ms, then the order.
    EXPECT_EQ(rig.port.writes()[4].at_ms, 100u + 3 * 400 + 300 + 100);
    EXPECT_EQ(rig.port.writes()[5].bytes, std::vector<uint8_t>{0x32});  // "2" for 9600
    EXPECT_EQ(rig.port.writes()[5].baud, 57600u);
    EXPECT_EQ(rig.ir.speed(), 9600u);
}

TEST(TransceiverSetup, SpeedCodeForFastest) {
    Rig rig({.start_baud = 19200});
    ASSERT_TRUE(rig.setup(0));
    EXPECT_EQ(rig.port.writes().back().bytes, std::vector<uint8_t>{0x51});
    EXPECT_EQ(rig.port.writes()[rig.port.writes().size() - 2].bytes, std::vector<uint8_t>{0x36});
    EXPECT_EQ(rig.ir.speed_orders(), std::vector<uint32_t>{115200});
}

TEST(TransceiverSetup, AbsentTransceiverFailsAfterAllProbes) {
    Rig rig({.silent = true});
    EXPECT_FALSE(rig.setup(0));
    EXPECT_EQ(probe_speeds(rig.port), (std::vector<uint32_t>{9600, 115200, 38400, 57600, 19200}));
    EXPECT_EQ(rig.clock.now_ms(), 100u + 5 * 400);
    EXPECT_EQ(rig.port.writes().size(), 5u);  // no speed order went out
}

TEST(TransceiverSetup, WrongByteRulesASpeedOutAtOnce) {
    // Slow echoes, so the wrong byte lands inside the 100 ms poll, not before it.
    Rig rig({.start_baud = 115200, .echo_delay_ms = 150, .noise_at_baud = 9600});
    ASSERT_TRUE(rig.setup(2));
    EXPECT_EQ(probe_speeds(rig.port), (std::vector<uint32_t>{9600, 115200}));
    // The 9600 probe ended when the noise came (50 ms into the poll), not at 100 ms.
    EXPECT_EQ(rig.port.applied()[2].at_ms, 350u);
    EXPECT_EQ(rig.port.applied()[3].at_ms, 450u);
    EXPECT_EQ(rig.ir.speed(), 38400u);
}

TEST(TransceiverSetup, ProbeTimings) {
    VirtualClock clock;
    TransceiverStandin ir({.start_baud = 38400});
    FakePort port(clock, &ir);
    port.open("COM1");
    LineSettings line;
    line.dtr_on = true;
    EXPECT_TRUE(probe_ir_transceiver(port, clock, line, 38400));
    EXPECT_EQ(clock.now_ms(), 300u);
    EXPECT_TRUE(line.rts_on);
    EXPECT_FALSE(probe_ir_transceiver(port, clock, line, 19200));
    EXPECT_EQ(clock.now_ms(), 700u);
    EXPECT_FALSE(probe_ir_transceiver(port, clock, line, 19200, true));
    EXPECT_EQ(clock.now_ms(), 1000u);
}

TEST(TransceiverSetup, DataReaderProbeReadsOnceAndMissesALateEcho) {
    // The echo comes 250 ms after the probe: after the single read, and once the
    // port has moved to the next speed, so it is lost.
    Rig late({.start_baud = 9600, .echo_delay_ms = 250});
    EXPECT_FALSE(late.setup(0, TransceiverSetup::data_reader()));
    EXPECT_EQ(late.clock.now_ms(), 100u + 5 * 300);

    Rig polled({.start_baud = 9600, .echo_delay_ms = 150});
    EXPECT_TRUE(polled.setup(0));

    Rig quick({.start_baud = 19200});
    EXPECT_TRUE(quick.setup(3, TransceiverSetup::data_reader()));
    EXPECT_EQ(quick.ir.speed(), 19200u);
}

TEST(TransceiverSetup, LookupSenderVariant) {
    RecordingPrompter prompter;
    Rig rig({.silent = true});
    EXPECT_FALSE(rig.setup(0, TransceiverSetup::lookup_sender(prompter)));
    EXPECT_EQ(probe_speeds(rig.port), (std::vector<uint32_t>{9600, 38400, 115200, 57600, 19200}));
    ASSERT_EQ(rig.port.timeouts_set().size(), 1u);
    const PortTimeouts& t = rig.port.timeouts_set()[0];
    EXPECT_EQ(t.read_interval, 0xFFFFFFFFu);
    EXPECT_EQ(t.read_total_multiplier, 0u);
    EXPECT_EQ(t.read_total_constant, 0u);
    EXPECT_EQ(t.write_total_multiplier, 5u);
    EXPECT_EQ(t.write_total_constant, 50u);
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].caption, "Error");
    EXPECT_EQ(prompter.boxes[0].text, "Can't set the IR device !!!");
    EXPECT_EQ(prompter.boxes[0].icon, Icon::Warning);

    RecordingPrompter quiet;
    Rig found({.start_baud = 38400});
    EXPECT_TRUE(found.setup(1, TransceiverSetup::lookup_sender(quiet)));
    EXPECT_EQ(probe_speeds(found.port), (std::vector<uint32_t>{9600, 38400}));
    EXPECT_TRUE(quiet.boxes.empty());
}

TEST(TransceiverSetup, RefusedLineSettingsFailTheSetup) {
    Rig rig;
    rig.port.refuse_apply(true);
    EXPECT_FALSE(rig.setup(0));
}

TEST(TransceiverSetup, LineSettingsPersistIntoLaterPlainCommands) {
    {
        Rig fresh;
        set_plain_line(run_line_settings(), 9600);
        ASSERT_TRUE(fresh.port.apply(run_line_settings()));
        EXPECT_FALSE(fresh.port.applied().back().settings.dtr_on);
        EXPECT_FALSE(fresh.port.applied().back().settings.rts_on);
    }
    VirtualClock clock;
    reset_run_line_settings();
    {
        TransceiverStandin ir;
        FakePort port(clock, &ir);
        port.open("COM1");
        ASSERT_TRUE(setup_ir_transceiver(port, clock, run_line_settings(), 2));
        port.close();
    }
    // A plain command later in the same run only sets speed and framing.
    TransceiverStandin ir;
    FakePort port(clock, &ir);
    port.open("COM1");
    set_plain_line(run_line_settings(), 19200);
    ASSERT_TRUE(port.apply(run_line_settings()));
    EXPECT_EQ(port.applied().back().settings.baud_rate, 19200u);
    EXPECT_TRUE(port.applied().back().settings.dtr_on);
    EXPECT_TRUE(port.applied().back().settings.rts_on);
}

}  // namespace
}  // namespace kolibra
