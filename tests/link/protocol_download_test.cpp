// The download protocol against a scripted terminal on the virtual clock.
#include "link/port_names.h"
#include "link/protocol/download.h"
#include "link/protocol/port_setup.h"
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

using testing::bytes;
using testing::RecordingPrompter;
using testing::RecordingProgress;
using testing::ScriptedTerminal;

const std::string kHello = "QUORIN\r";

std::string temp_file(const std::string& name, const std::string& content) {
    auto path = std::filesystem::temp_directory_path() /
                ("kolibra_dl_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                 "_" + name);
    std::ofstream(path, std::ios::binary) << content;
    return path.string();
}

struct DownloadRig {
    // `device` stands in front of the scripted terminal (a transceiver), if given.
    explicit DownloadRig(ScriptedTerminal::Responder responder, LinkDevice* device = nullptr)
        : terminal(std::move(responder)), port(clock, device ? device : &terminal),
          prompter(clock), link{port, clock, prompter} {
        reset_run_line_settings();
    }

    int send_lookup(const std::string& path, const DownloadOptions& options = {}) {
        DownloadRequest request;
        request.kind = DownloadKind::LookupFile;
        request.lookup_path = path;
        return download_to_terminal(link, progress, nullptr, request, options, &succeeded);
    }

    // The messages the terminal got after the handshakes.
    std::vector<std::string> packets() const {
        std::vector<std::string> out;
        for (const auto& m : terminal.received)
            if (m != kHello) out.push_back(m);
        return out;
    }

    VirtualClock clock;
    ScriptedTerminal terminal;
    FakePort port;
    RecordingPrompter prompter;
    RecordingProgress progress;
    LinkSession link;
    bool succeeded = false;
};

std::string always_ack(const std::string&) { return "ACK\r"; }

TEST(DownloadExchange, ReplyEndsAtCrOrAtTheDeadline) {
    // "ACK" without CR is taken when the 3000 ms run out.
    DownloadRig rig([](const std::string&) { return "ACK"; });
    rig.port.open("COM1");
    uint32_t start = rig.clock.now_ms();
    const uint8_t ping[] = {'X'};
    EXPECT_EQ(exchange_with_terminal(rig.link, ping, 1), "ACK");
    EXPECT_GE(rig.clock.now_ms() - start, 3000u);
    EXPECT_LE(rig.clock.now_ms() - start, 3010u);

    // With the CR, the reply ends at once and the CR is dropped.
    DownloadRig quick(always_ack);
    quick.port.open("COM1");
    start = quick.clock.now_ms();
    EXPECT_EQ(exchange_with_terminal(quick.link, ping, 1), "ACK");
    EXPECT_LT(quick.clock.now_ms() - start, 100u);

    // Ten bytes end the collection at once, without a CR; the rest waits.
    DownloadRig chatty([](const std::string&) { return "ABCDEFGHIJKLMNOP"; });
    chatty.port.open("COM1");
    start = chatty.clock.now_ms();
    EXPECT_EQ(exchange_with_terminal(chatty.link, ping, 1), "ABCDEFGHIJ");
    EXPECT_LT(chatty.clock.now_ms() - start, 100u);
    EXPECT_EQ(chatty.port.pending_input(), 6u);
}

TEST(DownloadExchange, LateBytesStartTheNextReply) {
    DownloadRig rig([](const std::string& m) { return m == "1" ? "FULL\r" : ""; });
    rig.terminal.reply_delay_ms = 3200;  // after the first deadline
    rig.port.open("COM1");
    const uint8_t one[] = {'1'}, two[] = {'2'};
    EXPECT_EQ(exchange_with_terminal(rig.link, one, 1), "");
    EXPECT_EQ(exchange_with_terminal(rig.link, two, 1), "FULL");
}

TEST(DownloadHandshake, SilentTerminalIsNotReadyAfterNineSeconds) {
    DownloadRig rig([](const std::string&) { return ""; });
    std::string path = temp_file("silent.txt", "A\r\n");
    EXPECT_EQ(rig.send_lookup(path), kDownloadRan);
    EXPECT_FALSE(rig.succeeded);
    EXPECT_EQ(rig.terminal.received, std::vector<std::string>(3, kHello));
    ASSERT_EQ(rig.prompter.boxes.size(), 2u);
    EXPECT_EQ(rig.prompter.boxes[0].text, "Terminal is not ready!");
    EXPECT_EQ(rig.prompter.boxes[0].caption, "Error");
    EXPECT_EQ(rig.prompter.boxes[0].icon, Icon::Warning);
    EXPECT_NEAR(static_cast<double>(rig.prompter.boxes[0].at_ms), 9000.0, 20.0);
    EXPECT_EQ(rig.prompter.boxes[1].text, "Failed to download, would you like to retry?");
    EXPECT_EQ(rig.prompter.boxes[1].icon, Icon::Question);
    EXPECT_EQ(rig.prompter.boxes[1].buttons, Buttons::YesNo);
    EXPECT_EQ(rig.progress.opened, 0);
    // The port was set up for a download and closed after dropping input.
    EXPECT_EQ(rig.port.buffer_in(), 256u);
    EXPECT_EQ(rig.port.buffer_out(), 1200u);
    EXPECT_EQ(rig.port.close_count(), 1);
    EXPECT_EQ(rig.port.purge_count(), 1);
    ASSERT_FALSE(rig.port.timeouts_set().empty());
    const PortTimeouts& t = rig.port.timeouts_set().back();
    EXPECT_EQ(t.read_interval, 0xFFFFFFFFu);
    EXPECT_EQ(t.read_total_multiplier, 0u);
    EXPECT_EQ(t.read_total_constant, 0u);
    EXPECT_EQ(t.write_total_multiplier, 5u);
    EXPECT_EQ(t.write_total_constant, 50u);
}

TEST(DownloadLookup, PacketsOfTheExampleFile) {
    DownloadRig rig(always_ack);
    std::string path = temp_file("ab_z.txt", "AB\r\nZ");
    EXPECT_EQ(rig.send_lookup(path), kDownloadRan);
    EXPECT_TRUE(rig.succeeded);
    EXPECT_EQ(rig.terminal.received.front(), kHello);
    EXPECT_EQ(rig.packets(), (std::vector<std::string>{bytes({'A', 'B', 0x00, 0x83, 0x0D}),
                                                       bytes({'Z', 0x00, 0x5A, 0x0D}),
                                                       "OVER\r"}));
    ASSERT_EQ(rig.prompter.boxes.size(), 1u);
    EXPECT_EQ(rig.prompter.boxes[0].text, "Downloaded completely!");
    EXPECT_EQ(rig.prompter.boxes[0].caption, "Download");
    EXPECT_EQ(rig.progress.captions, std::vector<std::string>{"Progress"});
    EXPECT_EQ(rig.progress.values.front(), 0);
    EXPECT_EQ(rig.progress.values.back(), 100);
    EXPECT_EQ(rig.progress.closed, 1);
}

TEST(DownloadLookup, EmptyFileEmptyLinesAndLineEnds) {
    DownloadRig empty(always_ack);
    EXPECT_EQ(empty.send_lookup(temp_file("empty.txt", "")), kDownloadRan);
    EXPECT_EQ(empty.packets(), std::vector<std::string>{"OVER\r"});
    EXPECT_EQ(empty.progress.values.back(), 100);

    // CR alone ends a line, LF is dropped wherever it stands, an empty line
    // is the packet 00 00 0D.
    DownloadRig lines(always_ack);
    lines.send_lookup(temp_file("lines.txt", "A\r\rB\nC\r"));
    EXPECT_EQ(lines.packets(), (std::vector<std::string>{bytes({'A', 0x00, 0x41, 0x0D}),
                                                         bytes({0x00, 0x00, 0x0D}),
                                                         bytes({'B', 'C', 0x00, 0x85, 0x0D}),
                                                         "OVER\r"}));
}

TEST(DownloadLookup, CheckBytesNeverHoldCr) {
    uint8_t packet[32];
    const uint8_t sum_010d[] = {0xFF, 0x0E};  // 0x010D
    ASSERT_EQ(build_lookup_packet(sum_010d, 2, packet), 5u);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(packet), 5), bytes({0xFF, 0x0E, 0x01, 0x0E, 0x0D}));

    uint8_t sum_0d0d[14];  // 13 * 0xFF + 0x1A = 0x0D0D
    std::fill(sum_0d0d, sum_0d0d + 13, 0xFF);
    sum_0d0d[13] = 0x1A;
    ASSERT_EQ(build_lookup_packet(sum_0d0d, 14, packet), 17u);
    EXPECT_EQ(packet[14], 0x0E);
    EXPECT_EQ(packet[15], 0x0E);
    EXPECT_EQ(packet[16], 0x0D);
}

TEST(DownloadLookup, FullEndsTheAttemptAfterOneSend) {
    DownloadRig rig([](const std::string& m) { return m == kHello ? "ACK\r" : "FULL\r"; });
    rig.send_lookup(temp_file("full.txt", "A\r\nB\r\n"));
    EXPECT_EQ(rig.packets().size(), 1u);
    EXPECT_FALSE(rig.succeeded);
    EXPECT_EQ(rig.prompter.texts(), (std::vector<std::string>{
                                        "Memory full for Terminal!",
                                        "Failed to download, would you like to retry?"}));
}

TEST(DownloadLookup, UnacceptedOverThenRetryResendsFromTheFirstRecord) {
    int attempt_overs = 0;
    DownloadRig rig([&](const std::string& m) -> std::string {
        if (m == "OVER\r" && ++attempt_overs <= 4) return "NAK\r";
        return "ACK\r";
    });
    rig.prompter.answers = {Answer::Yes};
    rig.send_lookup(temp_file("over.txt", "A\r\nB\r\n"));
    EXPECT_TRUE(rig.succeeded);
    const std::string a = bytes({'A', 0x00, 0x41, 0x0D}), b = bytes({'B', 0x00, 0x42, 0x0D});
    EXPECT_EQ(rig.terminal.received,
              (std::vector<std::string>{kHello, a, b, "OVER\r", "OVER\r", "OVER\r", "OVER\r",
                                        kHello, a, b, "OVER\r"}));
    EXPECT_EQ(rig.prompter.texts(), (std::vector<std::string>{
                                        "Error on downloading!",
                                        "Failed to download, would you like to retry?",
                                        "Downloaded completely!"}));
    EXPECT_EQ(rig.port.purge_count(), 1);  // tgen drops input only at the end
}

TEST(DownloadLookup, LookupToolVariant) {
    // No "FULL": 11 sends, then "Error on downloading!"; captions of the
    // tool; input dropped before every retry.
    DownloadRig rig([](const std::string& m) { return m == kHello ? "ACK\r" : "FULL\r"; });
    rig.prompter.answers = {Answer::Yes};
    rig.send_lookup(temp_file("tool.txt", "A\r\n"), lookup_tool_download_options(rig.prompter));
    EXPECT_EQ(rig.packets().size(), 22u);
    ASSERT_EQ(rig.prompter.boxes.size(), 4u);
    for (const auto& box : rig.prompter.boxes) EXPECT_EQ(box.caption, "Download Lookup File");
    EXPECT_EQ(rig.prompter.boxes[0].text, "Error on downloading!");
    EXPECT_EQ(rig.port.purge_count(), 2);  // before the retry and at the end
    EXPECT_EQ(rig.progress.captions.front(), "Progress (Download Lookup 1.0)");
}

TEST(DownloadLookup, OverlongLineIsRefusedBeforeAnythingIsSent) {
    DownloadRig rig(always_ack);
    std::string ok_line(253, 'x'), long_line(254, 'y');
    std::string path = temp_file("long.txt", ok_line + "\r\n" + "a\r\n" + long_line + "\r\n");
    EXPECT_EQ(rig.send_lookup(path), kDownloadOpenFailed);
    EXPECT_EQ(rig.port.open_count(), 0);
    EXPECT_TRUE(rig.terminal.received.empty());
    ASSERT_EQ(rig.prompter.boxes.size(), 1u);
    EXPECT_NE(rig.prompter.boxes[0].text.find("Line 3"), std::string::npos);

    DownloadRig fits(always_ack);
    fits.send_lookup(temp_file("fits.txt", ok_line));
    ASSERT_EQ(fits.packets().size(), 2u);
    EXPECT_EQ(fits.packets()[0].size(), 256u);
}

TEST(DownloadLookup, FileThatShrinksWhileSentEndsAtItsRealEnd) {
    // 300 bytes of 3-byte lines; the file is cut to 130 bytes when the
    // first record arrives, after the first 128-byte chunk was read.
    std::string content;
    for (int i = 0; i < 100; ++i) content += "Q\r\n";
    std::string path = temp_file("shrink.txt", content);
    DownloadRig rig([&](const std::string& m) {
        if (m.size() == 4 && m[0] == 'Q' && std::filesystem::file_size(path) > 130)
            std::filesystem::resize_file(path, 130);
        return std::string("ACK\r");
    });
    rig.send_lookup(path);
    EXPECT_TRUE(rig.succeeded);
    auto packets = rig.packets();
    ASSERT_FALSE(packets.empty());
    EXPECT_EQ(packets.back(), "OVER\r");
    // 43 lines end in the first 128 bytes; bytes 128 and 129 are LF and a
    // last "Q" without line end; then OVER.
    EXPECT_EQ(packets.size(), 45u);
    EXPECT_EQ(packets[43], bytes({'Q', 0x00, 0x51, 0x0D}));

    // A read that fails is no end of the file: the transfer fails without "OVER\r".
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> unreadable(
        std::fopen(std::filesystem::temp_directory_path().string().c_str(), "rb"), &std::fclose);
    if (!unreadable) GTEST_SKIP() << "this system does not open folders as files";
    DownloadRig broken(always_ack);
    broken.port.open("COM1");
    EXPECT_FALSE(transmit_lookup_file(broken.link, broken.progress, unreadable.get(), {}));
    EXPECT_TRUE(broken.terminal.received.empty());
}

TEST(DownloadCommand, FailuresBeforeTheTransfer) {
    DownloadRig missing(always_ack);
    EXPECT_EQ(missing.send_lookup("/nonexistent/folder/x.txt"), kDownloadOpenFailed);
    EXPECT_EQ(missing.prompter.texts(), std::vector<std::string>{"Can't open the file!"});

    // A folder is no lookup file: nothing, not even "OVER\r", goes out.
    DownloadRig folder(always_ack);
    EXPECT_EQ(folder.send_lookup(std::filesystem::temp_directory_path().string()),
              kDownloadOpenFailed);
    EXPECT_EQ(folder.prompter.texts(), std::vector<std::string>{"Can't open the file!"});
    EXPECT_TRUE(folder.terminal.received.empty());

    DownloadRig no_port(always_ack);
    no_port.port.refuse_open(true);
    EXPECT_EQ(no_port.send_lookup(temp_file("p.txt", "A")), kDownloadOpenFailed);
    // The port and its device are named under the message.
    EXPECT_EQ(no_port.prompter.texts(),
              std::vector<std::string>{"Can't open the COM port!\n\nPort: COM1 (" +
                                       port_device_path(0) + ")"});

    DownloadRig refused(always_ack);
    refused.port.refuse_apply(true);
    EXPECT_EQ(refused.send_lookup(temp_file("r.txt", "A")), kDownloadStopped);
    EXPECT_EQ(refused.prompter.texts(),
              std::vector<std::string>{"Error on setting communication state\n\nPort: COM1 (" +
                                       port_device_path(0) + ")"});
    EXPECT_EQ(refused.port.close_count(), 1);
    EXPECT_TRUE(refused.terminal.received.empty());

    // A cancelled file choice stops quietly; the chosen name is offered again.
    DownloadRig cancelled(always_ack);
    testing::PreparedPicker picker;
    DownloadRequest request;
    request.kind = DownloadKind::LookupFile;
    EXPECT_EQ(download_to_terminal(cancelled.link, cancelled.progress, &picker, request, {}),
              kDownloadStopped);
    picker.answer = temp_file("chosen.txt", "A");
    download_to_terminal(cancelled.link, cancelled.progress, &picker, request, {});
    choose_lookup_file(picker);
    ASSERT_EQ(picker.requests.size(), 3u);
    EXPECT_EQ(picker.requests[2].file_name, *picker.answer);
    const FileDialogRequest& first = picker.requests[0];
    ASSERT_EQ(first.filters.size(), 2u);
    EXPECT_EQ(first.filters[0].description, "Lookup data files {*.TXT}");
    EXPECT_EQ(first.filters[0].pattern, "*.TXT");
    EXPECT_EQ(first.filters[1].description, "All files {*.*}");
    EXPECT_EQ(first.filters[1].pattern, "*.*");
    EXPECT_EQ(first.default_extension, "TXT");
    EXPECT_TRUE(first.must_exist);
}

TEST(DownloadProgram, BlocksCarryDataSumAndNumber) {
    Template tpl{};
    reset_template(tpl);
    Template copy = tpl;
    const ProgramImage image = build_program_image(copy);

    DownloadRig rig(always_ack);
    DownloadRequest request;
    request.kind = DownloadKind::ProgramImage;
    request.tpl = &tpl;
    download_to_terminal(rig.link, rig.progress, nullptr, request, {}, &rig.succeeded);
    EXPECT_TRUE(rig.succeeded);
    auto blocks = rig.packets();
    ASSERT_EQ(blocks.size(), 105u);
    for (int n = 0; n < 105; ++n) {
        const std::string& b = blocks[n];
        ASSERT_EQ(b.size(), 103u);
        unsigned sum = 0;
        for (int i = 0; i < 100; ++i) {
            ASSERT_EQ(static_cast<uint8_t>(b[i]), image[100 * n + i]) << "block " << n;
            sum += static_cast<uint8_t>(b[i]);
        }
        EXPECT_EQ(static_cast<uint8_t>(b[100]), sum >> 8);
        EXPECT_EQ(static_cast<uint8_t>(b[101]), sum & 0xFF);
        EXPECT_EQ(static_cast<uint8_t>(b[102]), n);  // 13 goes out as 0x0D like any other
    }
    ASSERT_EQ(rig.progress.values.size(), 107u);
    EXPECT_EQ(rig.progress.values[1], 5);
    EXPECT_EQ(rig.progress.values[105], 109);
    EXPECT_EQ(rig.progress.values[106], 100);
}

TEST(DownloadProgram, UnansweredBlockIsSentFourTimes) {
    DownloadRig rig([](const std::string& m) { return m == kHello ? "ACK\r" : "NAK\r"; });
    Template tpl{};
    reset_template(tpl);
    DownloadRequest request;
    request.tpl = &tpl;
    download_to_terminal(rig.link, rig.progress, nullptr, request, {}, &rig.succeeded);
    EXPECT_EQ(rig.packets().size(), 4u);
    EXPECT_EQ(rig.prompter.texts().front(), "Error on downloading!");
}

TEST(DownloadTransceiver, LookupGoesThroughTheTransceiverAtTheChosenSpeed) {
    TransceiverStandin ir({.start_baud = 19200});
    DownloadRig rig(always_ack, &ir);
    ir.put_in_front_of(&rig.terminal);
    DownloadRequest request;
    request.kind = DownloadKind::LookupFile;
    request.lookup_path = temp_file("ir.txt", "AB\r\n");
    request.target = {.port_index = 0, .baud_index = 1, .use_ir = true};
    EXPECT_EQ(download_to_terminal(rig.link, rig.progress, nullptr, request, {}, &rig.succeeded),
              kDownloadRan);
    EXPECT_TRUE(rig.succeeded);
    EXPECT_EQ(ir.speed_orders(), std::vector<uint32_t>{57600});
    EXPECT_EQ(rig.terminal.received,
              (std::vector<std::string>{kHello, bytes({'A', 'B', 0x00, 0x83, 0x0D}), "OVER\r"}));
    EXPECT_EQ(rig.port.applied().back().settings.baud_rate, 57600u);
}

TEST(DownloadTransceiver, MissingTransceiverEndsTheCommand) {
    TransceiverStandin ir({.silent = true});
    DownloadRig rig(always_ack, &ir);
    DownloadRequest request;
    request.kind = DownloadKind::LookupFile;
    request.lookup_path = temp_file("ir2.txt", "A");
    request.target.use_ir = true;
    EXPECT_EQ(download_to_terminal(rig.link, rig.progress, nullptr, request, {}),
              kDownloadOpenFailed);
    EXPECT_EQ(rig.prompter.texts(), std::vector<std::string>{"Failed to set IR device!"});
    EXPECT_EQ(rig.port.close_count(), 1);

    // The lookup tool's set-up shows its own message instead.
    DownloadRig tool(always_ack, &ir);
    EXPECT_EQ(download_to_terminal(tool.link, tool.progress, nullptr, request,
                                   lookup_tool_download_options(tool.prompter)),
              kDownloadOpenFailed);
    EXPECT_EQ(tool.prompter.texts(), std::vector<std::string>{"Can't set the IR device !!!"});
}

}  // namespace
}  // namespace kolibra
