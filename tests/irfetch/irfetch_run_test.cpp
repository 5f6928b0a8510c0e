#include "irfetch/irfetch_run.h"

#include "irfetch/properties_dialog.h"
#include "support/dialog_doubles.h"

#include "irfetch/tool_test_support.h"
#include "link/fake_port.h"
#include "link/port_names.h"
#include "link/standin/transceiver_standin.h"
#include "link/virtual_clock.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>

namespace kolibra {
namespace {

using namespace kolibra::testing;
namespace fs = std::filesystem;

// A terminal that serves its records for "READ\r": frames with sequence
// numbers 0..9 and low/high check bytes, one per "ACK\r", repeated on "NAK\r",
// then "OVER\r". With fall_silent_after it stops answering once that many
// records were acknowledged.
class ServingTerminal : public LinkDevice {
public:
    std::vector<std::string> records;
    int fall_silent_after = -1;
    int reads_seen = 0;

    void connect(LineEndpoint* desktop) override { desktop_ = desktop; }
    void receive(const uint8_t* data, std::size_t count, uint32_t, uint32_t) override {
        for (std::size_t i = 0; i < count; ++i) {
            line_ += static_cast<char>(data[i]);
            if (data[i] != '\r') continue;
            std::string line = line_;
            line_.clear();
            if (line == "READ\r") {
                ++reads_seen;
                next_ = 0;
                send("ACK\r");
                serve();
            } else if (line == "ACK\r" && started()) {
                ++next_;
                serve();
            } else if (line == "NAK\r" && started()) {
                serve();
            }
        }
    }

private:
    bool started() const { return reads_seen > 0; }
    void serve() {
        if (fall_silent_after >= 0 && next_ >= fall_silent_after) return;
        if (next_ >= static_cast<int>(records.size())) {
            send("OVER\r");
            return;
        }
        const std::string& record = records[next_];
        std::string frame(1, static_cast<char>(next_ % 10));
        frame += record;
        unsigned sum = 0;
        for (unsigned char c : frame) sum += c;
        auto check = [](unsigned b) { return static_cast<char>(b == 0x0D ? 0x0E : b); };
        frame += check(sum & 0xFF);
        frame += check((sum >> 8) & 0xFF);
        frame += '\r';
        send(frame);
    }
    void send(const std::string& bytes) {
        if (desktop_) desktop_->send(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), 0);
    }

    LineEndpoint* desktop_ = nullptr;
    std::string line_;
    int next_ = 0;
};

class RecordingDialog : public IrfetchDialog {
public:
    bool accept = true;
    std::optional<IrfetchSettings> shown;
    std::function<void(IrfetchSettings&)> change;
    bool edit(IrfetchSettings& settings) override {
        shown = settings;
        if (change) change(settings);
        return accept;
    }
};

// The desktop's port with the transceiver and a serving terminal behind it.
struct Line {
    explicit Line(VirtualClock& clock, TransceiverOptions ir_options = {.start_baud = 38400})
        : ir(ir_options), port(clock, &ir) {
        ir.put_in_front_of(&terminal);
        terminal.records = {"AB", "CD", "EF"};
    }
    TransceiverStandin ir;
    ServingTerminal terminal;
    FakePort port;
};

class IrfetchRun : public ScratchTest {
protected:
    void SetUp() override {
        ScratchTest::SetUp();
        reset_run_line_settings();
    }
    int run(const std::string& command_line, Line& line) {
        IrfetchEnvironment e{line.port, clock_, prompter_};
        e.launcher = &launcher_;
        e.dialog = &dialog_;
        e.program_folder = folder();
        e.ini_path = path("irfetch.ini");
        return run_irfetch(command_line, e);
    }
    int run(const std::string& command_line) { return run(command_line, line_); }

    VirtualClock clock_;
    Line line_{clock_};
    RecordingPrompter prompter_;
    RecordingLauncher launcher_;
    RecordingDialog dialog_;
};

TEST_F(IrfetchRun, CommandLineReceivesEveryRecordWithCrLfThroughTheTransceiver) {
    std::string data = path("shop1.txt");
    prompter_.answers = {Answer::Yes};
    EXPECT_EQ(run(data + ",1,5,1,1,1,1,1"), kIrfetchReceived);
    EXPECT_EQ(read_file(data), "AB\r\nCD\r\nEF\r\n");
    ASSERT_EQ(line_.ir.speed_orders(), std::vector<uint32_t>{9600});
    EXPECT_EQ(line_.port.buffer_in(), 256u);
    EXPECT_EQ(line_.port.buffer_out(), 256u);
    EXPECT_FALSE(line_.port.is_open());
    ASSERT_EQ(prompter_.boxes.size(), 1u);
    EXPECT_EQ(prompter_.boxes[0].text, "Done : 3 records received.\nView the received data?");
    EXPECT_EQ(prompter_.boxes[0].caption, "Upload Data");
    EXPECT_EQ(prompter_.boxes[0].buttons, Buttons::YesNo);
    EXPECT_EQ(launcher_.shown, std::vector<std::string>{data});
    EXPECT_FALSE(dialog_.shown);  // no dialog and no ini file in command-line mode
    EXPECT_FALSE(fs::exists(path("irfetch.ini")));
}

TEST_F(IrfetchRun, LineEndsFollowTheTwoFlags) {
    const std::pair<const char*, const char*> cases[] = {
        {"1,0", "AB\rCD\rEF\r"}, {"0,1", "AB\nCD\nEF\n"}, {"0,0", "ABCDEF"}};
    for (const auto& [flags, expected] : cases) {
        std::string data = path(std::string("ends") + flags[0] + flags[2] + ".txt");
        reset_run_line_settings();
        Line line(clock_);
        EXPECT_EQ(run(data + ",1,1,1," + flags + ",0,0", line), kIrfetchReceived);
        EXPECT_EQ(read_file(data), expected) << flags;
    }
}

TEST_F(IrfetchRun, OverwriteKeepsTheEarlierFileUnlessRecordsCame) {
    std::string data = path("x.txt");
    write_file(data, "earlier\r\n");
    line_.terminal.fall_silent_after = 3;
    EXPECT_EQ(run(data + ",1,1,1,1,1,1,1"), kIrfetchBrokenOff);
    EXPECT_EQ(read_file(data), "earlier\r\n");
    // The three records acknowledged before the silence are in the history.
    EXPECT_EQ(prompter_.texts(),
              (std::vector<std::string>{"Time out!",
                                        "3 records were received before the reception broke off. "
                                        "They are kept in the reception history (tgen receptions)."}));
    EXPECT_EQ(std::distance(fs::directory_iterator(root_), fs::directory_iterator()), 1);

    Line empty(clock_);
    empty.terminal.records.clear();
    prompter_.boxes.clear();
    EXPECT_EQ(run(data + ",1,1,1,1,1,1,1", empty), kIrfetchNothing);
    EXPECT_EQ(read_file(data), "earlier\r\n");
    EXPECT_EQ(prompter_.texts(), std::vector<std::string>{"No data received!"});
    EXPECT_EQ(prompter_.boxes[0].caption, "Upload Data");

    // With no earlier file there is none afterwards either.
    Line silent(clock_);
    silent.terminal.fall_silent_after = 2;
    EXPECT_EQ(run(path("fresh.txt") + ",1,1,1,1,1,1,1", silent), kIrfetchBrokenOff);
    EXPECT_FALSE(fs::exists(path("fresh.txt")));

    Line serving(clock_);
    write_file(data, "earlier content that is longer than the new one\r\n");
    prompter_.boxes.clear();
    EXPECT_EQ(run(data + ",1,1,1,1,1,0,0", serving), kIrfetchReceived);
    EXPECT_EQ(read_file(data), "AB\r\nCD\r\nEF\r\n");
    EXPECT_TRUE(prompter_.boxes.empty());  // view data off: ends silently
}

TEST_F(IrfetchRun, AppendKeepsEarlierContentAndTheRecordsOfABrokenReception) {
    std::string data = path("x.txt");
    write_file(data, "old\r\n");
    line_.terminal.fall_silent_after = 2;
    EXPECT_EQ(run(data + ",1,1,2,1,1,1,1"), kIrfetchBrokenOff);
    EXPECT_EQ(read_file(data), "old\r\nAB\r\nCD\r\n");

    // Append creates a missing file and keeps it even when nothing came.
    Line empty(clock_);
    empty.terminal.records.clear();
    EXPECT_EQ(run(path("new.txt") + ",1,1,2,1,1,0,0", empty), kIrfetchNothing);
    EXPECT_TRUE(fs::exists(path("new.txt")));
}

TEST_F(IrfetchRun, NewNameRefusesAnExistingFileAndDeletesAnEmptyReception) {
    std::string data = path("x.txt");
    write_file(data, "keep me");
    EXPECT_EQ(run(data + ",1,1,3,1,1,1,1"), kIrfetchFileFailed);
    EXPECT_EQ(read_file(data), "keep me");
    EXPECT_EQ(prompter_.texts(),
              std::vector<std::string>{"Failed to create file!\n\nFile already exists!"});
    EXPECT_EQ(prompter_.boxes[0].caption, "Error");
    EXPECT_EQ(line_.port.open_count(), 0);

    line_.terminal.records.clear();
    EXPECT_EQ(run(path("fresh.txt") + ",1,1,3,1,1,0,0"), kIrfetchNothing);
    EXPECT_FALSE(fs::exists(path("fresh.txt")));
}

TEST_F(IrfetchRun, PortAndTransceiverFailures) {
    std::string data = path("x.txt");
    write_file(data, "earlier");
    line_.port.refuse_open(true);
    EXPECT_EQ(run(data + ",2,1,1,1,1,1,1"), kIrfetchPortFailed);
    EXPECT_EQ(prompter_.texts(), std::vector<std::string>{"Failed to open COM port\n\nPort: COM2 (" +
                                                          port_device_path(1) + ")"});
    EXPECT_EQ(read_file(data), "earlier");  // Overwrite leaves it as it was

    // No transceiver: its message with the warning icon; New name keeps the
    // empty file it created; with messages off nothing is said.
    Line absent(clock_, {.silent = true});
    prompter_.boxes.clear();
    EXPECT_EQ(run(path("created.txt") + ",1,1,3,1,1,1,1", absent), kIrfetchPortFailed);
    EXPECT_EQ(prompter_.texts(), std::vector<std::string>{"Can't set IrDA device!"});
    EXPECT_EQ(prompter_.boxes[0].icon, Icon::Warning);
    EXPECT_FALSE(absent.port.is_open());
    EXPECT_TRUE(fs::exists(path("created.txt")));
    prompter_.boxes.clear();
    EXPECT_EQ(run(path("quiet.txt") + ",1,1,1,1,1,0,1", absent), kIrfetchPortFailed);
    EXPECT_TRUE(prompter_.boxes.empty());
}

TEST_F(IrfetchRun, EachProbeReadsOnceInsteadOfPolling) {
    // Five unanswered probes take 300 ms each when they read once, 400 ms
    // when they poll; on the virtual clock the difference is exact.
    Line absent(clock_, {.silent = true});
    const uint32_t start = clock_.now_ms();
    EXPECT_EQ(run(path("x.txt") + ",1,1,1,1,1,0,0", absent), kIrfetchPortFailed);
    EXPECT_LT(clock_.now_ms() - start, 5u * 400u);
    EXPECT_GE(clock_.now_ms() - start, 5u * 300u);
}

TEST_F(IrfetchRun, OverlongOrUnusablePathsAreRefused) {
    EXPECT_EQ(run(folder() + std::string(kIrfetchMaxPath, 'n') + ",1,1,1,1,1,1,1"),
              kIrfetchFileFailed);
    EXPECT_EQ(run(folder() + ",1,1,1,1,1,1,1"), kIrfetchFileFailed);  // a folder
    EXPECT_EQ(prompter_.texts(),
              (std::vector<std::string>{"File open/create failed!", "File open/create failed!"}));
    EXPECT_EQ(line_.port.open_count(), 0);
}

TEST_F(IrfetchRun, NoIniFileShowsTheDefaultsAndOkWritesTheIni) {
    dialog_.change = [&](IrfetchSettings& s) {
        s.file_name = "rec.txt";
        s.file_mode = FileMode::Append;
        s.view_data = false;
    };
    EXPECT_EQ(run(""), kIrfetchReceived);
    ASSERT_TRUE(dialog_.shown);
    EXPECT_EQ(dialog_.shown->directory, folder());
    EXPECT_EQ(dialog_.shown->file_name, "");
    EXPECT_EQ(dialog_.shown->port_index, 0);
    EXPECT_EQ(dialog_.shown->baud_index, 0);
    EXPECT_EQ(dialog_.shown->file_mode, FileMode::Overwrite);
    EXPECT_TRUE(dialog_.shown->add_cr && dialog_.shown->add_lf && dialog_.shown->show_messages &&
                dialog_.shown->view_data && dialog_.shown->always_show_dialog);
    EXPECT_EQ(read_file(path("irfetch.ini")),
              folder() + "\r\nrec.txt\r\n1\r\n1\r\n2\r\n1\r\n1\r\n1\r\n0\r\n1");
    EXPECT_EQ(read_file(path("rec.txt")), "AB\r\nCD\r\nEF\r\n");
}

TEST_F(IrfetchRun, TheSettingsDialogsOkWritesTheIniAndReceivesWhereItSays) {
    // The real dialog logic, with a user who names the file, picks 9600 and
    // "Append", drops the CR and turns the final question off.
    test::ScriptedHost host;
    host.events = {test::type_text(602, "rec.txt"), test::choose(702, 4), test::choose(703, 1),
                   test::click(801), test::click(804), test::click(1)};
    test::ScriptedPicker picker;
    HostedIrfetchDialog dialog(host, picker);
    IrfetchEnvironment e{line_.port, clock_, prompter_};
    e.launcher = &launcher_;
    e.dialog = &dialog;
    e.program_folder = folder();
    e.ini_path = path("irfetch.ini");
    EXPECT_EQ(run_irfetch("", e), kIrfetchReceived);
    EXPECT_EQ(host.runs, 1);
    EXPECT_EQ(read_file(path("irfetch.ini")),
              folder() + "\r\nrec.txt\r\n1\r\n5\r\n2\r\n0\r\n1\r\n1\r\n0\r\n1");
    EXPECT_EQ(read_file(path("rec.txt")), "AB\nCD\nEF\n");
    EXPECT_TRUE(prompter_.boxes.empty());
}

TEST_F(IrfetchRun, CancelEndsWithoutWritingAnything) {
    dialog_.accept = false;
    EXPECT_EQ(run(""), kIrfetchNotStarted);
    EXPECT_FALSE(fs::exists(path("irfetch.ini")));
    EXPECT_EQ(line_.port.open_count(), 0);
}

TEST_F(IrfetchRun, IniWithoutAlwaysShowRunsStraightFromIt) {
    write_file(path("irfetch.ini"),
               root_.string() + "\r\nfrom-ini.txt\r\n1\r\n1\r\n1\r\n0\r\n1\r\n1\r\n0\r\n0");
    EXPECT_EQ(run(""), kIrfetchReceived);
    EXPECT_FALSE(dialog_.shown);
    EXPECT_EQ(read_file(path("from-ini.txt")), "AB\nCD\nEF\n");
}

TEST_F(IrfetchRun, ViewerThatCannotStartIsToldWithThePlaceOfTheFile) {
    std::string data = path("shop1.txt");
    prompter_.answers = {Answer::Yes};
    launcher_.starts = false;
    EXPECT_EQ(run(data + ",1,1,1,1,1,1,1"), kIrfetchReceived);
    ASSERT_EQ(prompter_.boxes.size(), 2u);
    EXPECT_EQ(prompter_.boxes[1].text,
              "No viewer could be started. The received data are in " + data + ".");
    EXPECT_EQ(prompter_.boxes[1].caption, "Upload Data");
    EXPECT_EQ(read_file(data), "AB\r\nCD\r\nEF\r\n");
}

}  // namespace
}  // namespace kolibra
