// The download and receive protocols against the terminal stand-in and its
// misbehaviours.
#include "link/protocol/download.h"
#include "link/protocol/receive.h"
#include "link/standin/terminal_standin.h"
#include "link/standin/transceiver_standin.h"
#include "model/program_image.h"
#include "protocol_doubles.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
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
    // A stream opened for reading only: every write to it fails.
    const auto path = std::filesystem::temp_directory_path() / "kolibra_read_only_data.txt";
    std::ofstream(path) << "earlier";
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> read_only(std::fopen(path.c_str(), "rb"),
                                                              &std::fclose);
    ASSERT_TRUE(read_only);
    EXPECT_EQ(receive_records(rig.link, read_only.get(), nullptr), kReceiveBrokenOff);
    EXPECT_EQ(rig.prompter.texts(), std::vector<std::string>{"Failed to write the data file!"});
    // "READ\r" only: no "ACK\r" went out for the record that was not stored.
    EXPECT_EQ(rig.port.written_bytes(), "READ\r");
    read_only.reset();
    std::filesystem::remove(path);
}

// A download against the stand-in, straight or behind a transceiver stand-in.
struct DownloadStandinRig {
    explicit DownloadStandinRig(TerminalOptions options, bool through_ir = false)
        : terminal(std::move(options)), ir({.start_baud = 38400}),
          port(clock, through_ir ? static_cast<LinkDevice*>(&ir) : &terminal), prompter(clock),
          link{port, clock, prompter} {
        reset_run_line_settings();
        if (through_ir) ir.put_in_front_of(&terminal);
        request.target.use_ir = through_ir;
        request.target.baud_index = 3;  // 19200
    }
    bool run(const DownloadOptions& options = {}) {
        bool delivered = false;
        EXPECT_EQ(download_to_terminal(link, progress, nullptr, request, options, &delivered),
                  kDownloadRan);
        return delivered;
    }

    VirtualClock clock;
    TerminalStandin terminal;
    TransceiverStandin ir;
    FakePort port;
    testing::RecordingPrompter prompter;
    testing::RecordingProgress progress;
    LinkSession link;
    DownloadRequest request;
};

TEST(DownloadToStandin, ProgramImageArrivesWholeThroughRefusalsAndALostAck) {
    Template tpl{};
    reset_template(tpl);
    Template copy = tpl;
    const ProgramImage expected = build_program_image(copy);

    for (bool through_ir : {false, true}) {
        SCOPED_TRACE(through_ir ? "through the transceiver" : "straight");
        // Block 13 goes out with the number 0x0D; its ACK is lost once, so the
        // terminal gets it twice and must not store it twice.
        DownloadStandinRig rig({.refuse_packet = 7, .refuse_times = 3, .lose_ack_of = 13},
                               through_ir);
        rig.request.kind = DownloadKind::ProgramImage;
        rig.request.tpl = &tpl;
        EXPECT_TRUE(rig.run());
        ASSERT_EQ(rig.terminal.program_image().size(), 10500u);
        EXPECT_TRUE(std::equal(expected.begin(), expected.end(),
                               rig.terminal.program_image().begin()));
        EXPECT_EQ(rig.terminal.blocks_stored(), 105);
        EXPECT_EQ(rig.prompter.texts(), std::vector<std::string>{"Downloaded completely!"});
        if (through_ir) {
            EXPECT_EQ(rig.ir.speed_orders(), std::vector<uint32_t>{19200});
        }
    }
}

TEST(DownloadToStandin, LookupFileArrivesOnceAndARetryResendsItWhole) {
    const auto path = std::filesystem::temp_directory_path() /
                      ("kolibra_standin_lookup_" +
                       std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + ".txt");
    std::ofstream(path, std::ios::binary) << "4711,Apples\r\n\r\n4712,Pears\r4713,Plums";
    const std::vector<std::string> records{"4711,Apples", "", "4712,Pears", "4713,Plums"};

    // The end marker is refused 4 times, which fails the first attempt; Yes
    // to the retry question sends the whole file again.
    DownloadStandinRig rig({.lose_ack_of = 2, .refuse_over_times = 4}, true);
    rig.request.kind = DownloadKind::LookupFile;
    rig.request.lookup_path = path.string();
    rig.prompter.answers = {Answer::Yes};
    EXPECT_TRUE(rig.run());
    EXPECT_EQ(rig.terminal.lookup_files(), std::vector<std::vector<std::string>>{records});
    EXPECT_EQ(rig.terminal.handshakes(), 2);
    EXPECT_EQ(rig.prompter.texts(),
              (std::vector<std::string>{"Error on downloading!",
                                        "Failed to download, would you like to retry?",
                                        "Downloaded completely!"}));

    // A full terminal: lkpsend knows no "FULL" and sends the record 11 times.
    DownloadStandinRig full({.full_after = 0});
    full.request.kind = DownloadKind::LookupFile;
    full.request.lookup_path = path.string();
    EXPECT_FALSE(full.run(lookup_tool_download_options(full.prompter)));
    EXPECT_EQ(full.port.writes().size(), 1u + 11u);
    EXPECT_EQ(full.prompter.texts(),
              (std::vector<std::string>{"Error on downloading!",
                                        "Failed to download, would you like to retry?"}));
    std::filesystem::remove(path);
}

}  // namespace
}  // namespace kolibra
