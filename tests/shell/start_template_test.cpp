// `tgen TEMPLATE.ATX`: the window starts with the named template, or with the
// factory template and Open's message when the file is refused.
#include "shell/qt/start_template.h"

#include "model/template_file.h"
#include "model/text_slot.h"
#include "shell/qt/main_window.h"
#include "support/qt_test_app.h"
#include "shell/shell_test_doubles.h"
#include "simulator/qt/simulator_window.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <memory>

namespace kolibra {
namespace {

class StartTemplateTest : public ::testing::Test {
protected:
    StartTemplateTest() {
        test::app();
        ShellServices services;
        services.prompter = &prompter;
        services.picker = &picker;
        window = std::make_unique<MainWindow>(*doc, services);
        reset_template(*factory);
    }

    // "1" on the main page: a template with a form 1 shows it, the factory
    // template has nothing to run.
    void press_one() { window->simulator()->runtime().press_key(7); }

    bool template_is_factory() const { return std::memcmp(&doc->tpl, factory.get(), sizeof(Template)) == 0; }

    test::TempFolder folder;
    std::unique_ptr<TemplateDocument> doc = std::make_unique<TemplateDocument>();
    std::unique_ptr<Template> factory = std::make_unique<Template>();
    test::RecordingPrompter prompter;
    test::ScriptedPicker picker;
    std::unique_ptr<MainWindow> window;
};

TEST_F(StartTemplateTest, TheNamedTemplateIsWhatTheSimulatedTerminalPlays) {
    auto made = std::make_unique<Template>();
    reset_template(*made);
    made->forms[0].data_type[0] = 1;  // text
    write_slot(made->forms[0].prompt[0], "Bin no:");
    made->forms[0].max_length[0] = 6;
    const std::string path = folder.file("shelf.ATX");
    ASSERT_TRUE(write_template(path, *made).ok());

    EXPECT_TRUE(open_start_template(*window, path, prompter));
    EXPECT_TRUE(prompter.boxes.empty());
    EXPECT_EQ(doc->file_name, path);  // Save writes back to it
    EXPECT_FALSE(doc->modified);

    press_one();
    EXPECT_TRUE(window->simulator()->lcd().screen_is_form);
    EXPECT_EQ(window->simulator()->lcd().row(0).substr(0, 7), "Bin no:");
}

TEST_F(StartTemplateTest, RefusedFilesLeaveTheFactoryTemplateAndSaySo) {
    // A damaged file: a template's size with a wrong tag.
    const std::string damaged = folder.file("damaged.ATX");
    {
        std::ofstream out(damaged, std::ios::binary);
        std::string bytes(10596, '\0');
        bytes.replace(0, 8, "QRV-4.0X");
        out << bytes;
    }
    EXPECT_FALSE(open_start_template(*window, damaged, prompter));
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].text, "Format mismatch !!!");
    EXPECT_EQ(prompter.boxes[0].caption, "Error");
    EXPECT_TRUE(template_is_factory());
    EXPECT_TRUE(doc->file_name.empty());

    // A path that names no file is told too: nothing else would show why the
    // window came up empty.
    const std::string missing = folder.file("missing.ATX");
    EXPECT_FALSE(open_start_template(*window, missing, prompter));
    ASSERT_EQ(prompter.boxes.size(), 2u);
    EXPECT_EQ(prompter.boxes[1].text.rfind("Can't open " + missing, 0), 0u);
    EXPECT_TRUE(template_is_factory());
    EXPECT_TRUE(doc->file_name.empty());

    press_one();
    EXPECT_FALSE(window->simulator()->lcd().screen_is_form);
}

}  // namespace
}  // namespace kolibra
