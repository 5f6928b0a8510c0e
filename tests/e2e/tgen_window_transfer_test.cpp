// tgen's download and receive commands, run from the main window against
// k2term on a pseudo-terminal: the real port, clock, progress window and
// count box, with the file dialogs and message boxes answered by the test.
#include <gtest/gtest.h>

#ifdef KOLIBRA_TGEN_WINDOW_E2E

#include "common/qt/qt_progress.h"
#include "common/qt/qt_receive_count_view.h"
#include "e2e/support/k2term_process.h"
#include "link/clock.h"
#include "link/serial_port.h"
#include "model/program_image.h"
#include "shell/qt/link_commands.h"
#include "shell/qt/main_window.h"
#include "support/qt_test_app.h"
#include "shell/shell_test_doubles.h"

#include <QTimer>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

namespace kolibra {
namespace {

std::string file_text(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class TgenWindowTransfer : public ::testing::Test {
protected:
    virtual std::vector<std::string> k2term_options() { return {}; }

    void SetUp() override {
        test::app();
        std::ofstream(folder.file("records.txt"), std::ios::binary) << "AB\r\nCD\r\n";
        std::vector<std::string> args{"--records", folder.file("records.txt"), "--out",
                                      folder.path.string()};
        for (const std::string& option : k2term_options()) args.push_back(option);
        ASSERT_TRUE(k2term.start(args)) << k2term.error();
        setenv("KOLIBRA_COM1", k2term.device_path().c_str(), 1);

        const ShellServices services = make_shell_services(
            prompter, picker,
            {.clock = &clock, .progress = &progress, .count_view = &count_view, .launcher = &launcher},
            folder.file("history"));
        window = std::make_unique<MainWindow>(*doc, services);
        window->show();
        doc->tpl.comm = {0, 2};  // COM1 at 38400
    }
    void TearDown() override {
        window.reset();
        unsetenv("KOLIBRA_COM1");
        EXPECT_EQ(k2term.stop(), 0);
    }

    bool told(const std::string& text) const {
        for (const auto& box : prompter.boxes)
            if (box.text == text) return true;
        return false;
    }

    test::TempFolder folder;
    e2e::K2termProcess k2term;
    std::unique_ptr<TemplateDocument> doc = std::make_unique<TemplateDocument>();
    test::RecordingPrompter prompter;
    test::ScriptedPicker picker;
    test::RecordingLauncher launcher;
    SteadyClock steady;
    PaintingClock clock{steady};
    QtProgress progress;
    QtReceiveCountView count_view;
    std::unique_ptr<MainWindow> window;
};

TEST_F(TgenWindowTransfer, DownloadsTheProgramWhileTheProgressBarMoves) {
    // Watch the bar from the event loop the painting clock keeps running.
    // A command arriving meanwhile (here New on a changed template) is dropped.
    int highest = -1;
    doc->modified = true;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (progress.bar()) highest = std::max(highest, progress.bar()->value());
        window->command(command::kNew);
    });
    watch.start(5);
    window->command(command::kDownloadProgram);
    watch.stop();

    ASSERT_TRUE(told("Downloaded completely!"));
    EXPECT_EQ(prompter.boxes.size(), 1u);  // no save prompt came up
    EXPECT_TRUE(doc->modified);
    doc->modified = false;
    EXPECT_GT(highest, 0);
    EXPECT_EQ(progress.window(), nullptr);  // closed again
    const auto line = k2term.wait_for_line("program ", 3000);
    ASSERT_TRUE(line.has_value());
    auto copy = std::make_unique<Template>(doc->tpl);
    const ProgramImage image = build_program_image(*copy);
    EXPECT_EQ(file_text(folder.file("program-1.bin")),
              std::string(image.begin(), image.end()));
}

TEST_F(TgenWindowTransfer, DownloadsALookupFileChosenInItsDialog) {
    const std::string lookup = folder.file("items.TXT");
    std::ofstream(lookup, std::ios::binary) << "AB\r\nZ";
    picker.paths = {lookup};
    window->command(command::kDownloadLookup);
    ASSERT_EQ(picker.open_requests.size(), 1u);
    ASSERT_EQ(picker.open_requests[0].filters.size(), 3u);
    EXPECT_EQ(picker.open_requests[0].filters[0].description, "Lookup data files {*.TXT}");
    EXPECT_EQ(picker.open_requests[0].filters[1].pattern, "*.CSV");
    EXPECT_EQ(picker.open_requests[0].filters[2].pattern, "*.*");
    EXPECT_TRUE(told("Downloaded completely!"));
    const auto line = k2term.wait_for_line("lookup ", 3000);
    ASSERT_TRUE(line.has_value());
    EXPECT_EQ(*line, "lookup " + folder.file("lookup-1.txt") + " 2");
    EXPECT_EQ(file_text(folder.file("lookup-1.txt")), "AB\r\nZ\r\n");
}

// An item list chosen in the dialog is sent as the window's template
// describes the lookup file: here the 1st (fixed: Code columns 1-4, Name
// 5-12) and the 3rd (delimited by ',': Name 8, Code 4, key Code), so the
// window asks which one. Without a way to name columns there, the first
// columns go into the fields in order.
TEST_F(TgenWindowTransfer, DownloadsACsvAsTheTemplateDescribesTheLookupFile) {
    doc->tpl.lookups[0] = {12, 2, 0, {1, 5}, {4, 8}};
    doc->tpl.extended.lookup_delimiter[0] = 0;
    doc->tpl.lookups[2] = {13, 2, 1, {1, 10}, {8, 4}};
    doc->tpl.extended.lookup_delimiter[2] = ',';
    const std::string csv = folder.file("items.csv");
    std::ofstream(csv, std::ios::binary)
        << "\xEF\xBB\xBF" "Name;Code;Price\r\n\"Fig; red\";4711;1\r\nM\xC3\xBCsli;4712;2\r\n";
    picker.paths = {csv};
    prompter.answers = {Answer::No, Answer::Yes};  // not the 1st lookup file: the 3rd
    // The converted lines go through a temporary file, removed afterwards.
    const std::string tmp = folder.file("tmp");
    std::filesystem::create_directory(tmp);
    const char* old_tmp = std::getenv("TMPDIR");
    const std::string kept_tmp = old_tmp ? old_tmp : "";
    setenv("TMPDIR", tmp.c_str(), 1);
    window->command(command::kDownloadLookup);
    if (old_tmp) setenv("TMPDIR", kept_tmp.c_str(), 1);
    else unsetenv("TMPDIR");
    EXPECT_TRUE(std::filesystem::is_empty(tmp));
    ASSERT_GE(prompter.boxes.size(), 2u);
    EXPECT_EQ(prompter.boxes[0].text, "Send items.csv as the 1st lookup file?");
    EXPECT_EQ(prompter.boxes[1].text, "Send items.csv as the 3rd lookup file?");
    ASSERT_TRUE(told("Downloaded completely!")) << prompter.boxes.back().text;
    ASSERT_TRUE(k2term.wait_for_line("lookup ", 3000).has_value());
    EXPECT_EQ(file_text(folder.file("lookup-1.txt")), "Fig; red,4711\r\nMusli,4712\r\n");
}

TEST_F(TgenWindowTransfer, ACsvWithRefusedLinesIsNotSent) {
    doc->tpl.lookups[0] = {12, 2, 0, {1, 5}, {4, 8}};
    const std::string csv = folder.file("items.csv");
    std::ofstream(csv, std::ios::binary) << "Code,Name\r\n47110,Nuts\r\n4712,Washers and more\r\n";
    picker.paths = {csv};
    window->command(command::kDownloadLookup);
    EXPECT_TRUE(told("items.csv was not sent: 2 of its lines do not fit the 1st lookup file.\n"
                     "line 2, column 1 (Code): 5 characters, more than the 4 of field 1\n"
                     "line 3, column 2 (Name): 16 characters, more than the 8 of field 2"))
        << (prompter.boxes.empty() ? "" : prompter.boxes.back().text);
    EXPECT_FALSE(told("Downloaded completely!"));
    EXPECT_FALSE(k2term.wait_for_line("lookup ", 500).has_value());
}

TEST_F(TgenWindowTransfer, ReceivesTheRecordsAndOffersTheViewer) {
    const std::string data = folder.file("data.TXT");
    picker.paths = {data};
    prompter.answers = {Answer::Yes};  // view the received data
    window->command(command::kReceive);
    ASSERT_EQ(picker.save_requests.size(), 1u);
    EXPECT_EQ(picker.save_requests[0].filters[0].description, "Data files {*.TXT}");
    ASSERT_TRUE(told("Done : 2 records received.\nView the received data?"));
    EXPECT_EQ(prompter.boxes.back().caption, "Upload Data");
    EXPECT_EQ(file_text(data), "AB\r\nCD\r\n");
    ASSERT_EQ(launcher.shown.size(), 1u);
    EXPECT_EQ(launcher.shown[0], data);
    EXPECT_EQ(count_view.box(), nullptr);  // the count box is gone
}

TEST_F(TgenWindowTransfer, AMissingPortIsToldAndNothingIsSent) {
    doc->tpl.comm.com_port = 5;  // COM6: no such device here
    setenv("KOLIBRA_COM6", (folder.file("no-such-tty")).c_str(), 1);
    window->command(command::kDownloadProgram);
    unsetenv("KOLIBRA_COM6");
    EXPECT_TRUE(told("Can't open the COM port!\n\nPort: COM6 (" + folder.file("no-such-tty") + ")"));
    EXPECT_FALSE(told("Downloaded completely!"));
}

// The same terminal behind a serial IR transceiver, which the commands' IR
// entries must find and switch to the template's speed first.
class TgenWindowBrokenOff : public TgenWindowTransfer {
protected:
    std::vector<std::string> k2term_options() override { return {"--stop-after", "1"}; }
};

TEST_F(TgenWindowBrokenOff, TellsInASecondBoxThatTheRecordsAreInTheHistory) {
    picker.paths = {folder.file("data.TXT")};
    window->command(command::kReceive);
    ASSERT_EQ(prompter.boxes.size(), 2u);
    EXPECT_EQ(prompter.boxes[0].text, "Time out!");
    EXPECT_EQ(prompter.boxes[1].text,
              "1 record was received before the reception broke off. They are kept in the "
              "reception history (tgen receptions).");
    EXPECT_EQ(prompter.boxes[1].caption, "Reception history");
    EXPECT_FALSE(std::filesystem::exists(folder.file("data.TXT")));
    EXPECT_EQ(file_text(folder.file("history") + "/000001.txt"), "AB\r\n");
}

class TgenWindowTransferIr : public TgenWindowTransfer {
protected:
    std::vector<std::string> k2term_options() override { return {"--transceiver"}; }
};

TEST_F(TgenWindowTransferIr, ProgramAndDataGoThroughTheTransceiver) {
    window->command(command::kDownloadProgramIr);
    EXPECT_TRUE(told("Downloaded completely!"));
    EXPECT_TRUE(k2term.wait_for_line("program ", 3000).has_value());

    picker.paths = {folder.file("data.TXT")};
    prompter.answers = {Answer::No};
    window->command(command::kReceiveIr);
    EXPECT_TRUE(told("Done : 2 records received.\nView the received data?"));
    EXPECT_EQ(file_text(folder.file("data.TXT")), "AB\r\nCD\r\n");
    EXPECT_TRUE(launcher.shown.empty());
}

#ifdef TGEN_PATH
TEST(TgenWithoutDisplay, SaysItNeedsOneAndPointsToTheHeadlessCommands) {
    const auto result =
        e2e::run_program(TGEN_PATH, {}, {"DISPLAY=", "WAYLAND_DISPLAY=", "QT_QPA_PLATFORM="}, 20000);
    EXPECT_EQ(result.exit_status, 2);
    EXPECT_NE(result.output.find("needs a display"), std::string::npos) << result.output;
    EXPECT_NE(result.output.find("tgen --help"), std::string::npos) << result.output;
}
#endif

}  // namespace
}  // namespace kolibra

#else

TEST(TgenWindowTransfer, NeedsTheQtBuild) { GTEST_SKIP() << "built without tgen's window"; }

#endif
