// New, Open, Save, Save As and the closing question with their save prompts,
// run without a window or an application object.
#include "shell/document/document_commands.h"

#include "model/template_file.h"
#include "shell/shell_test_doubles.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace kolibra {
namespace {

using test::RecordingPrompter;
using test::ScriptedPicker;

bool same_template(const Template& a, const Template& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

class DocumentCommandsTest : public ::testing::Test {
protected:
    DocumentCommandsTest() {
        reset_template(doc.tpl);
        commands.set_restart_simulator([this] { hooks.push_back("restart"); });
        commands.set_open_editor([this] {
            ++editor_opened;
            hooks.push_back("editor");
            editor_saw_modified = doc.modified;
        });
    }

    std::string saved_template(const std::string& name) { return test::saved_template(folder, name); }

    test::TempFolder folder;
    TemplateDocument doc;
    RecordingPrompter prompter;
    ScriptedPicker picker;
    int editor_opened = 0;
    bool editor_saw_modified = true;
    std::vector<std::string> hooks;
    DocumentCommands commands{doc, prompter, picker};
};

TEST_F(DocumentCommandsTest, NewAndASuccessfulOpenRestartTheTerminalThenOpenTheEditor) {
    doc.tpl.start_target = 1;
    commands.new_template();
    EXPECT_TRUE(prompter.boxes.empty());
    EXPECT_EQ(doc.tpl.start_target, 0);
    EXPECT_FALSE(editor_saw_modified);
    EXPECT_EQ(hooks, (std::vector<std::string>{"restart", "editor"}));

    picker.paths = {std::nullopt};
    EXPECT_FALSE(commands.open());
    picker.paths = {folder.file("missing.ATX")};
    EXPECT_FALSE(commands.open());
    EXPECT_EQ(hooks.size(), 2u);  // neither a cancelled nor a failed Open goes on

    picker.paths = {saved_template("plan.ATX")};
    EXPECT_TRUE(commands.open());
    EXPECT_EQ(hooks, (std::vector<std::string>{"restart", "editor", "restart", "editor"}));

    // Edit asks nothing, even with changes, and restarts nothing.
    doc.modified = true;
    commands.edit();
    EXPECT_TRUE(prompter.boxes.empty());
    EXPECT_EQ(hooks.back(), "editor");
    EXPECT_EQ(hooks.size(), 5u);
}

TEST_F(DocumentCommandsTest, ClosingAsksOnlyWhenModified) {
    EXPECT_TRUE(commands.may_close());
    EXPECT_TRUE(prompter.boxes.empty());

    doc.modified = true;
    prompter.answers = {Answer::Cancel, Answer::No, Answer::Yes};
    EXPECT_FALSE(commands.may_close());
    EXPECT_EQ(prompter.boxes[0].text, "Save the program ?");
    EXPECT_EQ(prompter.boxes[0].caption, "Kolibra 2 Application Generator");
    EXPECT_EQ(prompter.boxes[0].buttons, Buttons::YesNoCancel);
    EXPECT_TRUE(commands.may_close());
    EXPECT_TRUE(std::filesystem::is_empty(folder.path));
}

TEST_F(DocumentCommandsTest, SavePromptOfNewCancelledChangesNothing) {
    doc.modified = true;
    doc.tpl.start_target = 1;
    doc.file_name = folder.file("kept.ATX");
    auto before = std::make_unique<Template>(doc.tpl);
    prompter.answers = {Answer::Cancel};
    commands.new_template();
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].text, "Save current program ?");
    EXPECT_EQ(prompter.boxes[0].caption, "Kolibra 2 Application Generator");
    EXPECT_EQ(prompter.boxes[0].icon, Icon::Warning);
    EXPECT_EQ(prompter.boxes[0].buttons, Buttons::YesNoCancel);
    EXPECT_TRUE(same_template(doc.tpl, *before));
    EXPECT_TRUE(doc.modified);
    EXPECT_EQ(doc.file_name, folder.file("kept.ATX"));
    EXPECT_EQ(editor_opened, 0);
    EXPECT_FALSE(std::filesystem::exists(folder.file("kept.ATX")));
}

TEST_F(DocumentCommandsTest, SavePromptYesSavesThenGoesOn) {
    // Named template: Yes writes it, then New resets.
    doc.modified = true;
    doc.tpl.start_target = 1;
    doc.file_name = folder.file("named.ATX");
    prompter.answers = {Answer::Yes};
    commands.new_template();
    EXPECT_EQ(std::filesystem::file_size(folder.file("named.ATX")), kTemplateFileSize);
    EXPECT_EQ(doc.tpl.start_target, 0);
    EXPECT_FALSE(doc.modified);
    EXPECT_EQ(editor_opened, 1);

    // Never saved: Yes asks for a name, writes there, then goes on.
    doc.modified = true;
    doc.file_name.clear();
    prompter.answers = {Answer::Yes};
    picker.paths = {folder.file("chosen")};
    commands.new_template();
    EXPECT_EQ(picker.save_requests.size(), 1u);
    EXPECT_EQ(std::filesystem::file_size(folder.file("chosen.ATX")), kTemplateFileSize);
    EXPECT_FALSE(doc.modified);
    EXPECT_EQ(editor_opened, 2);
}

// Yes in a save prompt followed by no file (dialog cancelled) or a failed
// write must not lose the design: New, Open and closing each end with the
// template, its name and `modified` as they were.
TEST_F(DocumentCommandsTest, SavePromptYesWithoutASaveKeepsTheDesign) {
    struct Way {
        const char* what;
        bool named;                           // the template already has a file name
        std::optional<std::string> picked;    // what the Save As dialog returns
        std::size_t boxes;                    // the prompt, plus the error told
    };
    const std::string missing_folder = folder.file("missing");
    const Way ways[] = {
        {"Save As cancelled", false, std::nullopt, 1},
        {"Save As into a missing folder", false, missing_folder + "/new.ATX", 2},
        {"Save to a missing folder", true, std::nullopt, 2},
    };
    enum Command { kNew, kOpen, kClose };
    for (const Way& way : ways) {
        for (Command command : {kNew, kOpen, kClose}) {
            SCOPED_TRACE(std::string(way.what) + ", command " + std::to_string(command));
            reset_template(doc.tpl);
            doc.tpl.start_target = 3;
            doc.modified = true;
            doc.file_name = way.named ? missing_folder + "/old.ATX" : "";
            const std::string name_before = doc.file_name;
            auto before = std::make_unique<Template>(doc.tpl);
            prompter.boxes.clear();
            prompter.answers = {Answer::Yes};
            picker.paths = {way.picked, saved_template("other.ATX")};
            editor_opened = 0;

            bool went_on = true;
            if (command == kNew) {
                commands.new_template();
                went_on = editor_opened > 0;
            }
            if (command == kOpen) went_on = commands.open();
            if (command == kClose) went_on = commands.may_close();

            EXPECT_FALSE(went_on);
            EXPECT_EQ(editor_opened, 0);
            EXPECT_TRUE(same_template(doc.tpl, *before));
            EXPECT_TRUE(doc.modified);
            EXPECT_EQ(doc.file_name, name_before);
            EXPECT_EQ(prompter.boxes.size(), way.boxes);
            EXPECT_TRUE(picker.open_requests.empty());  // Open never reached its dialog
            EXPECT_FALSE(std::filesystem::exists(missing_folder));
        }
    }
}

TEST_F(DocumentCommandsTest, SavePromptNoGoesOnWithoutSaving) {
    doc.modified = true;
    doc.file_name = folder.file("never.ATX");
    prompter.answers = {Answer::No, Answer::No};
    EXPECT_TRUE(commands.may_close());
    commands.new_template();
    EXPECT_EQ(editor_opened, 1);
    EXPECT_FALSE(doc.modified);
    EXPECT_FALSE(std::filesystem::exists(folder.file("never.ATX")));
}

TEST_F(DocumentCommandsTest, OpenAnsweredNoThenCancelledKeepsEverything) {
    doc.modified = true;
    doc.tpl.start_target = 1;
    doc.file_name = "/old/name.ATX";
    auto before = std::make_unique<Template>(doc.tpl);
    prompter.answers = {Answer::No};
    picker.paths = {std::nullopt};
    commands.open();
    EXPECT_TRUE(same_template(doc.tpl, *before));
    EXPECT_EQ(doc.file_name, "/old/name.ATX");
    EXPECT_TRUE(doc.modified);
    EXPECT_EQ(editor_opened, 0);
}

TEST_F(DocumentCommandsTest, OpenLoadsTheChosenFileWithItsFiltersAndOpensTheEditor) {
    const std::string path = saved_template("plan.ATX");
    doc.modified = true;
    prompter.answers = {Answer::No};
    picker.paths = {path};
    commands.open();
    ASSERT_EQ(picker.open_requests.size(), 1u);
    const FileDialogRequest& r = picker.open_requests[0];
    ASSERT_EQ(r.filters.size(), 2u);
    EXPECT_EQ(r.filters[0].description, "Application Template Files (*.ATX)");
    EXPECT_EQ(r.filters[0].pattern, "*.ATX");
    EXPECT_EQ(r.filters[1].description, "All files (*.*)");
    EXPECT_EQ(r.filters[1].pattern, "*.*");
    EXPECT_TRUE(r.must_exist);
    EXPECT_EQ(doc.tpl.start_target, 1);
    EXPECT_EQ(doc.tpl.comm.com_baud, 3);
    EXPECT_EQ(doc.file_name, path);
    EXPECT_FALSE(doc.modified);
    EXPECT_EQ(editor_opened, 1);
}

TEST_F(DocumentCommandsTest, OpenOfAForeignFileIsRefusedWithFormatMismatch) {
    const std::string path = folder.file("other.ATX");
    {
        std::ofstream out(path, std::ios::binary);
        std::string bytes(kTemplateFileSize, '\0');
        std::memcpy(bytes.data(), "QRV-5.00", 8);
        out << bytes;
    }
    doc.file_name = "/old/name.ATX";
    picker.paths = {path};
    commands.open();
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].text, "Format mismatch !!!");
    EXPECT_EQ(prompter.boxes[0].caption, "Error");
    EXPECT_EQ(prompter.boxes[0].icon, Icon::Warning);
    EXPECT_EQ(doc.file_name, "/old/name.ATX");
    EXPECT_EQ(editor_opened, 0);
}

TEST_F(DocumentCommandsTest, SaveAsAddsTheExtensionUnlessPresentAndCancelKeepsModified) {
    doc.modified = true;
    picker.paths = {std::nullopt};
    commands.save_as();
    EXPECT_TRUE(doc.modified);
    EXPECT_TRUE(doc.file_name.empty());
    ASSERT_EQ(picker.save_requests.size(), 1u);
    const FileDialogRequest& r = picker.save_requests[0];
    ASSERT_EQ(r.filters.size(), 1u);
    EXPECT_EQ(r.filters[0].description, "Application Template (*.ATX)");
    EXPECT_EQ(r.filters[0].pattern, "*.ATX");
    EXPECT_EQ(r.default_extension, "ATX");
    EXPECT_TRUE(r.confirm_overwrite);

    picker.paths = {folder.file("report")};
    commands.save_as();
    EXPECT_FALSE(doc.modified);
    EXPECT_EQ(doc.file_name, folder.file("report.ATX"));
    EXPECT_EQ(std::filesystem::file_size(folder.file("report.ATX")), kTemplateFileSize);

    picker.paths = {folder.file("report.Atx"), folder.file("plan.txt")};
    commands.save_as();
    EXPECT_EQ(doc.file_name, folder.file("report.Atx"));
    commands.save_as();
    EXPECT_EQ(doc.file_name, folder.file("plan.txt.ATX"));

    // Save writes to the current name without asking.
    doc.modified = true;
    commands.save();
    EXPECT_EQ(picker.save_requests.size(), 4u);
    EXPECT_FALSE(doc.modified);
}

TEST_F(DocumentCommandsTest, AFailedSaveIsToldAndKeepsModified) {
    doc.modified = true;
    doc.file_name = folder.file("no_such_folder/plan.ATX");
    commands.save();
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].caption, "Error");
    EXPECT_NE(prompter.boxes[0].text.find(doc.file_name), std::string::npos)
        << prompter.boxes[0].text;
    EXPECT_GT(prompter.boxes[0].text.size(), doc.file_name.size() + 20);  // and a reason
    EXPECT_TRUE(doc.modified);
}

TEST_F(DocumentCommandsTest, AFailedWriteInASavePromptKeepsTheTemplate) {
    doc.modified = true;
    doc.tpl.start_target = 1;
    doc.file_name = folder.file("no_such_folder/plan.ATX");

    // New: Yes, the write fails and is told; the template is not reset.
    prompter.answers = {Answer::Yes};
    commands.new_template();
    ASSERT_EQ(prompter.boxes.size(), 2u);
    EXPECT_EQ(prompter.boxes[1].caption, "Error");
    EXPECT_EQ(doc.tpl.start_target, 1);
    EXPECT_TRUE(doc.modified);
    EXPECT_EQ(editor_opened, 0);

    // Closing: Yes, the write fails; the program keeps running.
    prompter.answers = {Answer::Yes};
    EXPECT_FALSE(commands.may_close());
    ASSERT_EQ(prompter.boxes.size(), 4u);
    EXPECT_EQ(prompter.boxes[2].text, "Save the program ?");
    EXPECT_EQ(prompter.boxes[3].caption, "Error");
    EXPECT_TRUE(doc.modified);
}

}  // namespace
}  // namespace kolibra
