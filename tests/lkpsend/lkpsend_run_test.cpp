#include "lkpsend/lkpsend_run.h"

#include "lkpsend/com_properties_dialog.h"
#include "support/dialog_doubles.h"

#include "irfetch/tool_test_support.h"
#include "link/fake_port.h"
#include "link/port_names.h"
#include "link/standin/transceiver_standin.h"
#include "link/virtual_clock.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <filesystem>
#include <optional>

namespace kolibra {
namespace {

using namespace kolibra::testing;
namespace fs = std::filesystem;

// A terminal that takes a lookup download: it answers every CR-ended line
// (handshake, record packet, end marker) with a reply of its own.
class LookupTerminal : public LinkDevice {
public:
    enum class Mode { Accept, FullForRecords, Silent };
    Mode mode = Mode::Accept;
    std::vector<std::string> lines;  // every line received, CR included

    void connect(LineEndpoint* desktop) override { desktop_ = desktop; }
    void receive(const uint8_t* data, std::size_t count, uint32_t, uint32_t) override {
        for (std::size_t i = 0; i < count; ++i) {
            line_ += static_cast<char>(data[i]);
            if (data[i] != '\r') continue;
            lines.push_back(line_);
            bool control = line_ == "QUORIN\r" || line_ == "OVER\r";
            line_.clear();
            if (mode == Mode::Silent) continue;
            send(mode == Mode::FullForRecords && !control ? "FULL\r" : "ACK\r");
        }
    }
    int count(const std::string& line) const {
        return static_cast<int>(std::count(lines.begin(), lines.end(), line));
    }

private:
    void send(const char* reply) {
        desktop_->send(reinterpret_cast<const uint8_t*>(reply), std::strlen(reply), 0);
    }
    LineEndpoint* desktop_ = nullptr;
    std::string line_;
};

class RecordingProgress : public Progress {
public:
    std::vector<std::string> captions;
    void open(const std::string& caption) override { captions.push_back(caption); }
    void set_value(int) override {}
    void close() override {}
};

class ScriptedPicker : public FilePicker {
public:
    std::optional<std::string> answer;
    std::optional<FileDialogRequest> asked;
    std::optional<std::string> choose_open(const FileDialogRequest& request) override {
        asked = request;
        return answer;
    }
    std::optional<std::string> choose_save(const FileDialogRequest&) override { return {}; }
};

class ScriptedDialog : public LkpsendDialog {
public:
    bool accept = true;
    std::function<void(LkpsendSettings&)> change;
    int shown = 0;
    bool edit(LkpsendSettings& settings) override {
        ++shown;
        if (change) change(settings);
        return accept;
    }
};

class LkpsendRun : public ScratchTest {
protected:
    void SetUp() override {
        ScratchTest::SetUp();
        run_line_settings() = LineSettings{};
        ::unsetenv("KOLIBRA_COM1");
        lookup_ = path("ITEMS.TXT");
        write_file(lookup_, "AB\r\nZ");
    }
    int run(const std::string& command_line, FakePort& port) {
        LkpsendEnvironment env{port, clock_, prompter_, progress_};
        env.picker = &picker_;
        env.dialog = &dialog_;
        env.program_folder = folder();
        env.ini_path = path("lkpsend.ini");
        return run_lkpsend(command_line, env);
    }
    int run(const std::string& command_line) { return run(command_line, port_); }

    VirtualClock clock_;
    LookupTerminal terminal_;
    FakePort port_{clock_, &terminal_};
    RecordingPrompter prompter_;
    RecordingProgress progress_;
    ScriptedPicker picker_;
    ScriptedDialog dialog_;
    std::string lookup_;
};

TEST_F(LkpsendRun, PathOnlySendsPlainlyOnCom1At115200WithoutDialogs) {
    EXPECT_EQ(run(lookup_), kLkpsendDownloaded);
    EXPECT_EQ(port_.opened_path(), "/dev/ttyS0");
    ASSERT_FALSE(port_.applied().empty());
    EXPECT_EQ(port_.applied().back().settings.baud_rate, 115200u);
    EXPECT_EQ(port_.buffer_in(), 256u);
    EXPECT_EQ(port_.buffer_out(), 1200u);
    EXPECT_EQ(port_.written_bytes(), std::string("QUORIN\rAB\x00\x83\rZ\x00\x5A\rOVER\r", 21));
    EXPECT_EQ(dialog_.shown, 0);
    EXPECT_FALSE(picker_.asked);
    EXPECT_EQ(progress_.captions, std::vector<std::string>{"Progress (Download Lookup 1.0)"});
    ASSERT_EQ(prompter_.boxes.size(), 1u);
    EXPECT_EQ(prompter_.boxes[0].text, "Downloaded completely!");
    EXPECT_EQ(prompter_.boxes[0].caption, "Download Lookup File");
    EXPECT_FALSE(port_.is_open());
    EXPECT_FALSE(fs::exists(path("lkpsend.ini")));
}

TEST_F(LkpsendRun, OutOfRangePortAndSpeedStayDefaultAndTheTransceiverIsUsed) {
    TransceiverStandin ir{TransceiverOptions{.start_baud = 19200}};
    ir.put_in_front_of(&terminal_);
    FakePort port{clock_, &ir};
    EXPECT_EQ(run(lookup_ + ",7,9,1", port), kLkpsendDownloaded);
    EXPECT_EQ(port.opened_path(), "/dev/ttyS0");
    ASSERT_EQ(ir.speed_orders().size(), 1u);
    EXPECT_EQ(ir.speed_orders()[0], 115200u);
    EXPECT_EQ(terminal_.count("OVER\r"), 1);

    // No transceiver: its own message, caption "Error".
    TransceiverStandin absent{TransceiverOptions{.silent = true}};
    FakePort lonely{clock_, &absent};
    EXPECT_EQ(run(lookup_ + ",1,1,1", lonely), kLkpsendOpenFailed);
    EXPECT_EQ(prompter_.texts().back(), "Can't set the IR device !!!");
    EXPECT_EQ(prompter_.boxes.back().caption, "Error");
    EXPECT_FALSE(lonely.is_open());
}

TEST_F(LkpsendRun, FullForEveryRecordIsElevenSendsThenErrorAndRetryQuestion) {
    terminal_.mode = LookupTerminal::Mode::FullForRecords;
    EXPECT_EQ(run(lookup_), kLkpsendFailed);
    EXPECT_EQ(terminal_.count(std::string("AB\x00\x83\r", 5)), 11);
    EXPECT_EQ(terminal_.count(std::string("Z\x00\x5A\r", 4)), 0);
    EXPECT_EQ(prompter_.texts(), (std::vector<std::string>{
                                     "Error on downloading!",
                                     "Failed to download, would you like to retry?"}));
    for (const ShownBox& box : prompter_.boxes) EXPECT_EQ(box.caption, "Download Lookup File");
    EXPECT_EQ(prompter_.boxes[1].icon, Icon::Question);
}

TEST_F(LkpsendRun, RetryDropsUnreadInputAndSendsTheFileAgainFromItsStart) {
    terminal_.mode = LookupTerminal::Mode::FullForRecords;
    prompter_.answers = {Answer::Yes};
    // The first attempt fails; switch the terminal to accepting for the retry.
    struct Switch : Prompter {
        RecordingPrompter& inner;
        LookupTerminal& terminal;
        Switch(RecordingPrompter& p, LookupTerminal& t) : inner(p), terminal(t) {}
        Answer ask(const std::string& text, const std::string& caption, Icon icon,
                   Buttons buttons) override {
            if (buttons == Buttons::YesNo) terminal.mode = LookupTerminal::Mode::Accept;
            return inner.ask(text, caption, icon, buttons);
        }
    } prompter{prompter_, terminal_};
    LkpsendEnvironment env{port_, clock_, prompter, progress_};
    env.ini_path = path("lkpsend.ini");
    int purges_before = port_.purge_count();
    EXPECT_EQ(run_lkpsend(lookup_, env), kLkpsendDownloaded);
    EXPECT_GE(port_.purge_count() - purges_before, 2);  // before the retry and at the end
    EXPECT_EQ(terminal_.count(std::string("AB\x00\x83\r", 5)), 12);
    EXPECT_EQ(terminal_.count(std::string("Z\x00\x5A\r", 4)), 1);
    EXPECT_EQ(prompter_.texts().back(), "Downloaded completely!");
}

TEST_F(LkpsendRun, SilentTerminalIsNotReady) {
    terminal_.mode = LookupTerminal::Mode::Silent;
    EXPECT_EQ(run(lookup_), kLkpsendFailed);
    EXPECT_EQ(terminal_.count("QUORIN\r"), 3);
    EXPECT_EQ(prompter_.texts(), (std::vector<std::string>{
                                     "Terminal is not ready!",
                                     "Failed to download, would you like to retry?"}));
    EXPECT_TRUE(progress_.captions.empty());
}

TEST_F(LkpsendRun, FirstStartOpensTheDialogInTheProgramFolderAndKeepsTheChosenFolder) {
    fs::create_directories(path("LOOKUP"));
    std::string chosen = path("LOOKUP/ITEMS.TXT");
    write_file(chosen, "X\r\n");
    picker_.answer = chosen;
    EXPECT_EQ(run(""), kLkpsendDownloaded);
    ASSERT_TRUE(picker_.asked);
    EXPECT_EQ(picker_.asked->start_folder, folder());
    EXPECT_TRUE(picker_.asked->must_exist);
    EXPECT_EQ(picker_.asked->default_extension, "TXT");
    ASSERT_EQ(picker_.asked->filters.size(), 2u);
    EXPECT_EQ(picker_.asked->filters[0].description, "Lookup data files {*.TXT}");
    EXPECT_EQ(picker_.asked->filters[0].pattern, "*.TXT");
    EXPECT_EQ(picker_.asked->filters[1].description, "All files {*.*}");
    EXPECT_EQ(picker_.asked->filters[1].pattern, "*.*");
    EXPECT_EQ(read_file(path("lkpsend.ini")), root_.string() + "/LOOKUP");
    EXPECT_EQ(dialog_.shown, 1);

    // The next start opens the dialog there; an ini file too long for the
    // start folder is ignored.
    picker_.answer.reset();
    EXPECT_EQ(run(""), kLkpsendCancelled);
    EXPECT_EQ(picker_.asked->start_folder, root_.string() + "/LOOKUP");
    write_file(path("lkpsend.ini"), std::string(256, 'x'));
    EXPECT_EQ(run(""), kLkpsendCancelled);
    EXPECT_EQ(picker_.asked->start_folder, folder());
}

TEST_F(LkpsendRun, CancelInTheSettingsDialogSendsNothing) {
    picker_.answer = lookup_;
    dialog_.change = [](LkpsendSettings& s) { s.use_transceiver = true; };
    dialog_.accept = false;
    EXPECT_EQ(run(""), kLkpsendCancelled);
    EXPECT_EQ(port_.open_count(), 0);
    EXPECT_TRUE(prompter_.boxes.empty());
}

TEST_F(LkpsendRun, TheSettingsDialogsChoiceReachesThePort) {
    // The real dialog logic, with a user who picks COM3 at 9600 and OK.
    test::ScriptedHost host;
    host.events = {test::choose(101, 2), test::choose(102, 4), test::click(1)};
    HostedLkpsendDialog dialog(host);
    LkpsendEnvironment env{port_, clock_, prompter_, progress_};
    env.picker = &picker_;
    env.dialog = &dialog;
    env.program_folder = folder();
    env.ini_path = path("lkpsend.ini");
    picker_.answer = lookup_;
    EXPECT_EQ(run_lkpsend("", env), kLkpsendDownloaded);
    EXPECT_EQ(host.runs, 1);
    EXPECT_EQ(port_.opened_path(), "/dev/ttyS2");
    ASSERT_FALSE(port_.applied().empty());
    EXPECT_EQ(port_.applied().back().settings.baud_rate, 9600u);
}

TEST_F(LkpsendRun, FileAndPortFailures) {
    dialog_.accept = true;
    picker_.answer = path("missing.TXT");
    EXPECT_EQ(run(""), kLkpsendOpenFailed);
    EXPECT_EQ(dialog_.shown, 0);  // reported before the settings dialog
    ASSERT_EQ(prompter_.boxes.size(), 1u);
    EXPECT_EQ(prompter_.boxes[0].text, "Can't open the file!");
    EXPECT_EQ(prompter_.boxes[0].caption, "Download Lookup File");
    EXPECT_EQ(prompter_.boxes[0].icon, Icon::Warning);

    prompter_.boxes.clear();
    port_.refuse_open(true);
    EXPECT_EQ(run(lookup_ + ",2,1,0"), kLkpsendOpenFailed);
    const std::string port = "\n\nPort: COM2 (" + port_device_path(1) + ")";
    EXPECT_EQ(prompter_.texts(), std::vector<std::string>{"Can't open the COM port!" + port});

    prompter_.boxes.clear();
    port_.refuse_open(false);
    port_.refuse_apply(true);
    EXPECT_EQ(run(lookup_), kLkpsendOpenFailed);
    EXPECT_EQ(prompter_.texts(), std::vector<std::string>{"Failed to set communication state\n\nPort: COM1 (" +
                                                          port_device_path(0) + ")"});
    EXPECT_FALSE(port_.is_open());
}

}  // namespace
}  // namespace kolibra
