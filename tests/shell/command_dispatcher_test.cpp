// Every command number to what it starts, and the commands that arrive while
// a transfer runs, without a window.
#include "shell/document/command_dispatcher.h"

#include "shell/document/command_numbers.h"
#include "shell/shell_test_doubles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kolibra {
namespace {

class CommandDispatcherTest : public ::testing::Test {
protected:
    CommandDispatcherTest() {
        reset_template(doc.tpl);
        commands.set_restart_simulator([this] { trace.push_back("restart"); });
        commands.set_open_editor([this] { trace.push_back("editor"); });
    }

    WindowActions recording_actions() {
        WindowActions a;
        a.exit = [this] { trace.push_back("exit"); };
        a.com_settings = [this] { trace.push_back("com settings"); };
        a.about = [this] { trace.push_back("about"); };
        a.collected_records = [this] { trace.push_back("records"); };
        a.reception_history = [this] { trace.push_back("history"); };
        a.transfer = [this](LinkCommand which, bool use_ir) {
            const char* name = which == LinkCommand::DownloadProgram ? "program"
                               : which == LinkCommand::DownloadLookup ? "lookup"
                                                                      : "receive";
            trace.push_back(std::string(name) + (use_ir ? " via IR" : " plain"));
            if (during_transfer) during_transfer();
        };
        return a;
    }

    // What one command did: the actions called, then the file dialogs asked for.
    std::string outcome(int id) {
        trace.clear();
        picker.open_requests.clear();
        picker.save_requests.clear();
        const bool ran = dispatcher.run(id);
        std::string out = ran ? "" : "(not run)";
        for (const std::string& step : trace) out += (out.empty() ? "" : ", ") + step;
        if (!picker.open_requests.empty()) out += (out.empty() ? "" : ", ") + std::string("open dialog");
        if (!picker.save_requests.empty()) out += (out.empty() ? "" : ", ") + std::string("save dialog");
        return out;
    }

    TemplateDocument doc;
    test::RecordingPrompter prompter;
    test::ScriptedPicker picker;  // no paths: every file dialog is cancelled
    std::vector<std::string> trace;
    std::function<void()> during_transfer;
    DocumentCommands commands{doc, prompter, picker};
    CommandDispatcher dispatcher{commands, recording_actions()};
};

TEST_F(CommandDispatcherTest, EachNumberStartsItsCommand) {
    struct Case {
        int id;
        const char* does;
    };
    const Case cases[] = {
        {1010, "restart, editor"},     // New: the terminal starts over, then the editor
        {1020, "open dialog"},         // Open
        {1030, "save dialog"},         // Save of a never-saved template asks for a name
        {1040, "save dialog"},         // Save As
        {1090, "exit"},
        {2000, "editor"},              // Edit
        {2100, "com settings"},
        {3020, "program plain"},
        {3021, "program via IR"},
        {3030, "receive plain"},
        {3031, "receive via IR"},
        {3040, "lookup plain"},
        {3041, "lookup via IR"},
        {9030, "about"},
        {3050, "records"},
        {3060, "history"},
        // Not the main window's: the simulator handles its scan itself.
        {3070, "(not run)"},
        {0, "(not run)"},
        {1011, "(not run)"},
        {-1, "(not run)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        EXPECT_EQ(outcome(c.id), c.does);
    }
}

TEST_F(CommandDispatcherTest, CommandsArrivingWhileATransferRunsAreDroppedAndWorkAfterIt) {
    std::vector<bool> ran_inside;
    during_transfer = [&] {
        EXPECT_TRUE(dispatcher.transfer_running());
        // A posted Edit, a second download, Exit: none may run inside it.
        for (int id : {command::kEdit, command::kDownloadProgram, command::kExit, command::kNew})
            ran_inside.push_back(dispatcher.run(id));
    };
    EXPECT_EQ(outcome(command::kReceive), "receive plain");
    EXPECT_EQ(ran_inside, (std::vector<bool>{false, false, false, false}));
    EXPECT_FALSE(dispatcher.transfer_running());
    during_transfer = nullptr;
    EXPECT_EQ(outcome(command::kEdit), "editor");
}

TEST(CommandDispatcher, AnUnsetWindowActionDoesNothing) {
    TemplateDocument doc;
    reset_template(doc.tpl);
    test::RecordingPrompter prompter;
    test::ScriptedPicker picker;
    DocumentCommands commands{doc, prompter, picker};
    CommandDispatcher dispatcher{commands, WindowActions{}};
    for (int id : {command::kExit, command::kComSettings, command::kAbout, command::kDownloadProgram,
                   command::kReceiveIr, command::kCollectedRecords, command::kReceptionHistory})
        EXPECT_TRUE(dispatcher.run(id));
    EXPECT_FALSE(dispatcher.transfer_running());
    EXPECT_TRUE(prompter.boxes.empty());
}

}  // namespace
}  // namespace kolibra
