// The receive protocol against a scripted terminal on the virtual clock.
#include "link/port_names.h"
#include "link/protocol/receive.h"
#include "protocol_doubles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

namespace kolibra {
namespace {

using testing::bytes;
using testing::RecordingCountView;
using testing::RecordingLauncher;
using testing::RecordingPrompter;
using testing::ScriptedTerminal;

namespace fs = std::filesystem;

// A data frame built the way the terminal builds it: sequence byte, record,
// check low, check high (0x0D sent as 0x0E), CR.
std::string frame(int sequence, const std::string& record) {
    std::string f(1, static_cast<char>(sequence));
    f += record;
    unsigned sum = 0;
    for (unsigned char c : f) sum += c;
    auto check = [](unsigned v) { return static_cast<char>((v & 0xFF) == 0x0D ? 0x0E : v & 0xFF); };
    f += check(sum);
    f += check(sum >> 8);
    f += '\r';
    return f;
}

// A terminal that answers "READ\r" with "ACK\r" and then walks through
// `frames`: "ACK\r" moves on, anything else (or silence) repeats the frame.
// After the last frame it sends "OVER\r", unless `stop_after` frames were
// acknowledged, after which it stays silent.
struct FrameTerminal {
    std::vector<std::string> frames;
    std::size_t next = 0;
    std::size_t stop_after = SIZE_MAX;

    std::string operator()(const std::string& m) {
        if (m == "READ\r") return "ACK\r" + current();
        if (m == "ACK\r") ++next;
        return current();
    }
    std::string current() const {
        if (next >= stop_after) return "";
        return next < frames.size() ? frames[next] : "OVER\r";
    }
};

std::string read_file(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

struct ReceiveRig {
    explicit ReceiveRig(ScriptedTerminal::Responder responder)
        : terminal(std::move(responder)), port(clock, &terminal), prompter(clock),
          link{port, clock, prompter} {
        reset_run_line_settings();
        folder = fs::temp_directory_path() /
                 ("kolibra_rx_" + std::string(::testing::UnitTest::GetInstance()
                                                  ->current_test_info()->name()));
        fs::remove_all(folder);
        fs::create_directories(folder);
        data = folder / "DATA.TXT";
    }
    ~ReceiveRig() { fs::remove_all(folder); }

    int receive(const ReceiveOptions& options = {}) {
        ReceiveEnvironment env;
        env.launcher = &launcher;
        env.count_view = &count;
        return receive_from_terminal(link, env, LinkTarget{}, data.string(), options);
    }
    // Everything the desktop wrote after "READ\r".
    std::vector<std::string> answers() const {
        std::vector<std::string> out;
        for (const auto& m : terminal.received)
            if (m != "READ\r") out.push_back(m);
        return out;
    }
    std::size_t files_in_folder() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), {}));
    }

    VirtualClock clock;
    ScriptedTerminal terminal;
    FakePort port;
    RecordingPrompter prompter;
    RecordingLauncher launcher;
    RecordingCountView count;
    LinkSession link;
    fs::path folder, data;
};

TEST(ReceiveFrames, TwoRecordExample) {
    FrameTerminal t{{bytes({0x00, 'A', 'B', 0x83, 0x00, 0x0D}),
                     bytes({0x01, 'C', 'D', 0x88, 0x00, 0x0D})}};
    ReceiveRig rig(std::ref(t));
    rig.prompter.answers = {Answer::Yes};
    EXPECT_EQ(rig.receive(), 2);
    EXPECT_EQ(read_file(rig.data), "AB\r\nCD\r\n");
    EXPECT_EQ(rig.terminal.received.front(), "READ\r");
    EXPECT_EQ(rig.answers(), (std::vector<std::string>{"ACK\r", "ACK\r"}));
    ASSERT_EQ(rig.prompter.boxes.size(), 1u);
    EXPECT_EQ(rig.prompter.boxes[0].text, "Done : 2 records received.\nView the received data?");
    EXPECT_EQ(rig.prompter.boxes[0].caption, "Upload Data");
    EXPECT_EQ(rig.prompter.boxes[0].buttons, Buttons::YesNo);
    ASSERT_EQ(rig.launcher.shown.size(), 1u);
    EXPECT_EQ(fs::path(rig.launcher.shown[0]), fs::absolute(rig.data));
    EXPECT_EQ(rig.count.events,
              (std::vector<std::string>{"prepare", "show 1", "show 2", "remove"}));
    EXPECT_EQ(rig.files_in_folder(), 1u);  // no temporary file left behind
    EXPECT_EQ(rig.port.buffer_in(), 256u);
    EXPECT_EQ(rig.port.buffer_out(), 256u);
    EXPECT_EQ(rig.port.close_count(), 1);
}

TEST(ReceiveFrames, ViewerThatCannotStartIsToldWithThePlaceOfTheFile) {
    FrameTerminal t{{frame(0, "AB")}};
    ReceiveRig rig(std::ref(t));
    rig.prompter.answers = {Answer::Yes};
    rig.launcher.starts = false;
    EXPECT_EQ(rig.receive(), 1);
    const std::string full = fs::absolute(rig.data).string();
    EXPECT_EQ(rig.prompter.texts(),
              (std::vector<std::string>{"Done : 1 records received.\nView the received data?",
                                        "No viewer could be started. The received data are in " +
                                            full + "."}));
    EXPECT_EQ(rig.prompter.boxes[1].caption, "Upload Data");
    EXPECT_EQ(read_file(rig.data), "AB\r\n");
}

TEST(ReceiveFrames, RepeatIsAcknowledgedOnceWrittenAndSkipsAreRefused) {
    // The terminal sends frame 0 twice, then frame 2 (two ahead of 1), then
    // frame 1 and OVER.
    std::vector<std::string> script{frame(0, "R0"), frame(0, "R0"), frame(2, "R2"),
                                    frame(1, "R1"), "OVER\r"};
    std::size_t i = 0;
    ReceiveRig rig([&](const std::string& m) -> std::string {
        if (m == "READ\r") return "ACK\r" + script[i++];
        return i < script.size() ? script[i++] : "";
    });
    EXPECT_EQ(rig.receive(), 2);
    EXPECT_EQ(read_file(rig.data), "R0\r\nR1\r\n");
    EXPECT_EQ(rig.answers(), (std::vector<std::string>{"ACK\r", "ACK\r", "NAK\r", "ACK\r"}));
}

TEST(ReceiveFrames, CheckBytesAndFrameLengths) {
    // Sum 0x0D0D: sequence 0 + 13 * 0xFF + 0x1A; sent as 0E 0E.
    std::string record(13, '\xFF');
    record += '\x1A';
    std::string f0 = frame(0, record);
    ASSERT_EQ(f0.substr(f0.size() - 3), bytes({0x0E, 0x0E, 0x0D}));
    std::string bad = frame(1, "XY");
    bad[3] ^= 1;  // wrong check low
    std::string too_short = bytes({0x01, 0x0D});
    std::string longest = frame(1, std::string(251, 'L'));  // 255 bytes
    std::string too_long = frame(2, std::string(252, 'M'));
    ASSERT_EQ(longest.size(), 255u);

    std::vector<std::string> script{f0, bad, too_short, longest, too_long, frame(2, "ok"), "OVER\r"};
    std::size_t i = 0;
    ReceiveRig rig([&](const std::string& m) -> std::string {
        if (m == "READ\r") return "ACK\r" + script[i++];
        return i < script.size() ? script[i++] : "";
    });
    EXPECT_EQ(rig.receive(), 3);
    EXPECT_EQ(read_file(rig.data), record + "\r\n" + std::string(251, 'L') + "\r\nok\r\n");
    EXPECT_EQ(rig.answers(),
              (std::vector<std::string>{"ACK\r", "NAK\r", "NAK\r", "ACK\r", "NAK\r", "ACK\r"}));
}

TEST(ReceiveFrames, FrameFinishedAfter500msIsLateAndItsBytesStartTheNext) {
    // The desktop starts listening when "ACK\r" arrives at 5 ms. The frame's
    // first byte comes in time, the rest with its CR only at 510 ms: late.
    // The desktop answers NAK and takes the rest as a new (bad) frame.
    const std::string late = frame(0, "xy");
    ScriptedTerminal* self = nullptr;
    int naks = 0;
    ReceiveRig rig([&](const std::string& m) -> std::string {
        if (m == "READ\r") {
            self->send_at(300, late.substr(0, 1));
            self->send_at(510, late.substr(1));
            return "ACK\r";
        }
        if (m == "NAK\r" && ++naks == 2) return late;
        return m == "ACK\r" ? "OVER\r" : "";
    });
    self = &rig.terminal;
    EXPECT_EQ(rig.receive(), 1);
    EXPECT_EQ(rig.answers(), (std::vector<std::string>{"NAK\r", "NAK\r", "ACK\r"}));
    EXPECT_EQ(read_file(rig.data), "xy\r\n");
}

TEST(ReceiveFailures, TerminalStopsAfterThreeRecordsAndTheOldFileSurvives) {
    FrameTerminal t{{frame(0, "a"), frame(1, "b"), frame(2, "c"), frame(3, "d")}};
    t.stop_after = 3;
    ReceiveRig rig(std::ref(t));
    std::ofstream(rig.data, std::ios::binary) << "earlier data\r\n";
    EXPECT_EQ(rig.receive(), kReceiveBrokenOff);
    ASSERT_EQ(rig.prompter.boxes.size(), 1u);
    EXPECT_EQ(rig.prompter.boxes[0].text, "Time out!");
    EXPECT_EQ(rig.prompter.boxes[0].caption, "Error");
    // 11 windows of 500 ms after the last complete frame, 10 NAKs in between.
    EXPECT_NEAR(static_cast<double>(rig.prompter.boxes[0].at_ms), 5500.0, 100.0);
    auto answers = rig.answers();
    ASSERT_EQ(answers.size(), 13u);
    EXPECT_EQ(std::count(answers.begin(), answers.end(), "NAK\r"), 10);
    EXPECT_EQ(read_file(rig.data), "earlier data\r\n");
    EXPECT_EQ(rig.files_in_folder(), 1u);
    EXPECT_EQ(rig.count.events.back(), "remove");
}

TEST(ReceiveFailures, EndlessRefusedFramesEndLikeATimeOut) {
    // A terminal that answers every NAK with a damaged frame at once. Ten
    // refused frames in a row are answered NAK, the eleventh ends the reception.
    std::string damaged = frame(1, "noise");
    damaged[1] ^= 0x20;
    int frames_sent = 0;
    ReceiveRig rig([&](const std::string& m) -> std::string {
        if (frames_sent > 1000) return "";  // bounds the test if the bound fails
        if (m == "READ\r") return "ACK\r" + frame(0, "first");
        ++frames_sent;
        return damaged;
    });
    std::ofstream(rig.data, std::ios::binary) << "earlier data\r\n";
    EXPECT_EQ(rig.receive(), kReceiveBrokenOff);
    EXPECT_EQ(frames_sent, 11);
    auto answers = rig.answers();
    EXPECT_EQ(answers.front(), "ACK\r");
    EXPECT_EQ(std::count(answers.begin(), answers.end(), "NAK\r"), 10);
    EXPECT_EQ(rig.prompter.texts(), std::vector<std::string>{"Time out!"});
    EXPECT_LT(rig.prompter.boxes[0].at_ms, 1000u);
    EXPECT_EQ(read_file(rig.data), "earlier data\r\n");
    EXPECT_EQ(rig.files_in_folder(), 1u);
}

TEST(ReceiveFrames, TenRefusedFramesBetweenRecordsAreStillBorne) {
    // The bound counts from the last accepted record: ten refusals (repeats
    // included) before each new record never end the reception.
    std::vector<std::string> script;
    for (int r = 0; r < 3; ++r) {
        for (int k = 0; k < 10; ++k) script.push_back(k % 2 ? frame(r + 2, "skip") : frame(r, "x").substr(0, 2) + "\r");
        script.push_back(frame(r, "rec" + std::to_string(r)));
    }
    script.push_back("OVER\r");
    std::size_t i = 0;
    ReceiveRig rig([&](const std::string& m) -> std::string {
        if (m == "READ\r") return "ACK\r" + script[i++];
        return i < script.size() ? script[i++] : "";
    });
    EXPECT_EQ(rig.receive(), 3);
    EXPECT_EQ(read_file(rig.data), "rec0\r\nrec1\r\nrec2\r\n");
}

TEST(ReceiveFrames, DamagedFrameWithThePreviousNumberIsRefusedNotTakenAsRepeat) {
    // Ten records; the last (number 9) arrives first with a bit flipped that
    // turns its number into 8 while its check still belongs to 9.
    std::vector<std::string> frames;
    for (int r = 0; r < 10; ++r) frames.push_back(frame(r, "r" + std::to_string(r)));
    std::string flipped = frames[9];
    flipped[0] = 8;
    std::size_t next = 0;
    bool flip_done = false;
    ReceiveRig rig([&](const std::string& m) -> std::string {
        if (m == "ACK\r" && next < frames.size()) ++next;
        if (m == "READ\r") return "ACK\r" + frames[0];
        if (next == 9 && !flip_done) {
            flip_done = true;
            return flipped;
        }
        return next < frames.size() ? frames[next] : "OVER\r";
    });
    EXPECT_EQ(rig.receive(), 10);
    std::string expected;
    for (int r = 0; r < 10; ++r) expected += "r" + std::to_string(r) + "\r\n";
    EXPECT_EQ(read_file(rig.data), expected);
    auto answers = rig.answers();
    ASSERT_EQ(answers.size(), 11u);
    EXPECT_EQ(answers[9], "NAK\r");
}

TEST(ReceiveFailures, NoRecordKeepsTheOldFile) {
    FrameTerminal t;  // ACK, then OVER at once
    ReceiveRig rig(std::ref(t));
    std::ofstream(rig.data, std::ios::binary) << "keep me";
    EXPECT_EQ(rig.receive(), 0);
    EXPECT_EQ(rig.prompter.texts(), std::vector<std::string>{"No data received!"});
    EXPECT_EQ(rig.prompter.boxes[0].caption, "Upload Data");
    EXPECT_EQ(read_file(rig.data), "keep me");
    EXPECT_EQ(rig.files_in_folder(), 1u);

    // Without an earlier file nothing is left behind.
    FrameTerminal t2;
    ReceiveRig fresh(std::ref(t2));
    EXPECT_EQ(fresh.receive(), 0);
    EXPECT_EQ(fresh.files_in_folder(), 0u);
}

TEST(ReceiveConnection, SilentTerminalGetsReadFourTimes) {
    ReceiveRig rig([](const std::string&) { return ""; });
    EXPECT_EQ(rig.receive(), 0);
    EXPECT_EQ(rig.terminal.received, std::vector<std::string>(4, "READ\r"));
    EXPECT_EQ(rig.prompter.texts(),
              (std::vector<std::string>{"Time out!", "No data received!"}));
    EXPECT_NEAR(static_cast<double>(rig.prompter.boxes[0].at_ms), 12000.0, 50.0);
}

TEST(ReceiveConnection, WrongAnswerSixTimesFailsTheConnection) {
    ReceiveRig rig([](const std::string&) { return "NAK\r"; });
    EXPECT_EQ(rig.receive(), 0);
    EXPECT_EQ(rig.terminal.received, std::vector<std::string>(6, "READ\r"));
    EXPECT_EQ(rig.prompter.texts(), (std::vector<std::string>{"Failed to establish connection!",
                                                              "No data received!"}));
}

TEST(ReceiveConnection, ReplyMustBeExactlyAck) {
    // "ACK" followed by more text before the CR is no connection.
    int reads = 0;
    ReceiveRig rig([&](const std::string&) { return ++reads < 3 ? "ACKX\r" : "ACK\rOVER\r"; });
    EXPECT_EQ(rig.receive(), 0);
    EXPECT_EQ(reads, 3);
    EXPECT_EQ(rig.prompter.texts(), std::vector<std::string>{"No data received!"});

    // Only the first 10 bytes of the reply are kept: a CR past them does not
    // end the wait, which runs its 3000 ms before "READ\r" goes out again.
    int tries = 0;
    ReceiveRig wordy([&](const std::string&) {
        return ++tries == 1 ? std::string("NOT READY YET\r") : std::string("ACK\rOVER\r");
    });
    EXPECT_EQ(wordy.receive(), 0);
    ASSERT_EQ(wordy.terminal.received.size(), 2u);
    EXPECT_GE(wordy.port.writes()[1].at_ms - wordy.port.writes()[0].at_ms, 3000u);
    EXPECT_EQ(wordy.prompter.texts(), std::vector<std::string>{"No data received!"});
}

TEST(ReceiveOptionsTest, RecordEndAndQuietErrorsOfTheReaderTool) {
    FrameTerminal t{{frame(0, "A"), frame(1, "B")}};
    ReceiveRig rig(std::ref(t));
    ReceiveOptions lf_only;
    lf_only.record_end = "\n";
    lf_only.timeouts_in_receive = true;
    EXPECT_EQ(rig.receive(lf_only), 2);
    EXPECT_EQ(read_file(rig.data), "A\nB\n");
    EXPECT_EQ(rig.port.timeouts_set().size(), 1u);

    ReceiveRig quiet([](const std::string&) { return ""; });
    ReceiveOptions no_messages;
    no_messages.show_errors = false;
    EXPECT_EQ(quiet.receive(no_messages), 0);
    EXPECT_EQ(quiet.prompter.texts(), std::vector<std::string>{"No data received!"});

    // A record that cannot be stored ends the reception without a box too.
    FrameTerminal one{{frame(0, "A")}};
    ReceiveRig unwritable(std::ref(one));
    std::ofstream(unwritable.data) << "earlier";
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> read_only(
        std::fopen(unwritable.data.c_str(), "rb"), &std::fclose);
    ASSERT_TRUE(read_only);
    unwritable.port.open("COM1");
    EXPECT_EQ(receive_records(unwritable.link, read_only.get(), nullptr, no_messages),
              kReceiveBrokenOff);
    EXPECT_TRUE(unwritable.prompter.boxes.empty());
}

TEST(ReceiveFailures, PortAndFileProblems) {
    FrameTerminal t;
    ReceiveRig no_port(std::ref(t));
    no_port.port.refuse_open(true);
    std::ofstream(no_port.data, std::ios::binary) << "old";
    EXPECT_EQ(no_port.receive(), kReceivePortFailed);
    EXPECT_EQ(no_port.prompter.texts(),
              std::vector<std::string>{"Fail to open COM port\n\nPort: COM1 (" +
                                       port_device_path(0) + ")"});
    EXPECT_EQ(read_file(no_port.data), "old");
    EXPECT_EQ(no_port.files_in_folder(), 1u);

    ReceiveRig refused(std::ref(t));
    refused.port.refuse_apply(true);
    EXPECT_EQ(refused.receive(), kReceivePortFailed);
    EXPECT_TRUE(refused.prompter.boxes.empty());
    EXPECT_EQ(refused.port.close_count(), 1);

    ReceiveRig no_folder(std::ref(t));
    no_folder.data = no_folder.folder / "missing" / "D.TXT";
    EXPECT_EQ(no_folder.receive(), kReceiveFileFailed);
    EXPECT_EQ(no_folder.prompter.texts(), std::vector<std::string>{"File open/create failed!"});
    EXPECT_EQ(no_folder.port.open_count(), 0);
}

TEST(ReceiveFailures, CancelledFileChoiceOpensNothing) {
    testing::PreparedPicker picker;
    FrameTerminal t;
    ReceiveRig rig(std::ref(t));
    ReceiveEnvironment env;
    env.picker = &picker;
    EXPECT_EQ(receive_from_terminal(rig.link, env, LinkTarget{}), 0);
    ASSERT_EQ(picker.requests.size(), 1u);
    const FileDialogRequest& asked = picker.requests[0];
    ASSERT_EQ(asked.filters.size(), 2u);
    EXPECT_EQ(asked.filters[0].description, "Data files {*.TXT}");
    EXPECT_EQ(asked.filters[0].pattern, "*.TXT");
    EXPECT_EQ(asked.filters[1].description, "All files {*.*}");
    EXPECT_EQ(asked.filters[1].pattern, "*.*");
    EXPECT_EQ(asked.default_extension, "TXT");
    EXPECT_TRUE(asked.file_name.empty());
    EXPECT_TRUE(asked.path_must_exist);
    EXPECT_TRUE(asked.confirm_overwrite);
    EXPECT_EQ(rig.port.open_count(), 0);
    EXPECT_TRUE(rig.prompter.boxes.empty());
}

}  // namespace
}  // namespace kolibra
