// The receive protocol against the terminal stand-in and its misbehaviours.
#include "link/protocol/receive.h"
#include "link/standin/terminal_standin.h"
#include "protocol_doubles.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

namespace kolibra {
namespace {

struct StandinRig {
    explicit StandinRig(TerminalOptions options)
        : terminal(std::move(options)), port(clock, &terminal), prompter(clock),
          link{port, clock, prompter} {
        reset_run_line_settings();
        port.open("COM1");
        port.set_timeouts(transfer_timeouts());
    }
    // Receives into memory and returns what was written.
    std::string receive(int& result) {
        std::unique_ptr<std::FILE, int (*)(std::FILE*)> f(std::tmpfile(), &std::fclose);
        result = receive_records(link, f.get(), nullptr);
        std::string out(static_cast<std::size_t>(std::ftell(f.get())), '\0');
        std::rewind(f.get());
        EXPECT_EQ(std::fread(out.data(), 1, out.size(), f.get()), out.size());
        return out;
    }

    VirtualClock clock;
    TerminalStandin terminal;
    FakePort port;
    testing::RecordingPrompter prompter;
    LinkSession link;
};

TEST(ReceiveFromStandin, ManyRecordsWrapTheSequenceThroughDamagedAndLateFrames) {
    TerminalOptions options;
    for (int i = 0; i < 25; ++i) options.records.push_back("record " + std::to_string(i));
    options.bad_check_frame = 3;
    options.wrong_sequence_frame = 11;
    options.late_frame = 17;
    StandinRig rig(options);
    int result = 0;
    std::string data = rig.receive(result);
    EXPECT_EQ(result, 25);
    std::string expected;
    for (int i = 0; i < 25; ++i) expected += "record " + std::to_string(i) + "\r\n";
    EXPECT_EQ(data, expected);
    EXPECT_TRUE(rig.prompter.boxes.empty());
}

TEST(ReceiveFromStandin, RecordThatCannotBeWrittenIsNotAcknowledged) {
    StandinRig rig(TerminalOptions{.records = {"first", "second"}});
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> read_only(std::fopen(__FILE__, "rb"),
                                                              &std::fclose);
    ASSERT_TRUE(read_only);
    EXPECT_EQ(receive_records(rig.link, read_only.get(), nullptr), kReceiveBrokenOff);
    EXPECT_EQ(rig.prompter.texts(), std::vector<std::string>{"Failed to write the data file!"});
    // "READ\r" only: no "ACK\r" went out for the record that was not stored.
    EXPECT_EQ(rig.port.written_bytes(), "READ\r");
}

}  // namespace
}  // namespace kolibra
