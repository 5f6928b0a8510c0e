// The "Collected records" window opened from the pop-up menu's command: it
// lists each completed form's record as it is completed and saves them with
// CR LF line ends.
#include "shell/gui/records_window.h"

#include "model/text_slot.h"
#include "shell/gui/main_window.h"
#include "shell/qt_test_app.h"
#include "shell/shell_test_doubles.h"
#include "simulator/window/simulator_window.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>

namespace kolibra {
namespace {

std::string file_text(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class RecordsWindowTest : public ::testing::Test {
protected:
    RecordsWindowTest() {
        test::app();
        ShellServices services;
        services.prompter = &prompter;
        services.picker = &picker;
        window = std::make_unique<MainWindow>(*doc, services);
        // Form 1: AB with a tab as its code-list suffix, then 7 fixed to 3
        // digits with zeros in front; a comma between fields.
        FormRecord& f = doc->tpl.forms[0];
        f.data_type[0] = 1;
        f.max_length[0] = 5;
        f.initial_on[0] = 1;
        write_slot(f.initial_text[0], "AB");
        f.suffix_on[0] = 1;
        write_slot(f.suffix[0], "9");
        f.data_type[1] = 2;
        f.max_length[1] = 3;
        f.initial_on[1] = 1;
        write_slot(f.initial_text[1], "7");
        f.fixed_length_on[1] = 1;
        f.fixed_length[1] = 3;
        f.alignment[1] = 3;
        doc->tpl.field_delimiter[0] = ',';
        runtime().press_key(key::k1);  // the program starts with form 1
    }

    SimRuntime& runtime() { return window->simulator()->runtime(); }
    void complete_form() {
        runtime().press_key(key::kEnter);
        runtime().press_key(key::kEnter);
    }
    RecordsWindow* open() {
        window->command(command::kCollectedRecords);
        return find_records_window(window.get());
    }

    test::TempFolder folder;
    std::unique_ptr<TemplateDocument> doc = std::make_unique<TemplateDocument>();
    test::ScriptedPrompter prompter;
    test::ScriptedPicker picker;
    std::unique_ptr<MainWindow> window;
};

TEST_F(RecordsWindowTest, ListsEarlierAndLaterRecordsWithoutChangingTheTerminal) {
    complete_form();
    const std::string lcd_before = window->simulator()->lcd().row(0);
    RecordsWindow* records = open();
    ASSERT_NE(records, nullptr);
    EXPECT_TRUE(records->isVisible());
    EXPECT_TRUE(records->isWindow());
    EXPECT_FALSE(records->isModal());
    EXPECT_EQ(records->windowTitle(), "Collected records");
    ASSERT_EQ(records->list()->count(), 1);
    EXPECT_EQ(records->list()->item(0)->text(), "AB<TAB>,007");
    EXPECT_EQ(window->simulator()->lcd().row(0), lcd_before);

    complete_form();
    EXPECT_EQ(records->list()->count(), 2);
    EXPECT_EQ(records->status()->text(), "2 records");
    EXPECT_EQ(runtime().record_counter(), 2u);

    // The command again shows the same window.
    EXPECT_EQ(open(), records);
    int windows = 0;
    for (QWidget* child : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        windows += child->windowTitle() == "Collected records" ? 1 : 0;
    EXPECT_EQ(windows, 1);

    records->clear_button()->click();
    EXPECT_EQ(records->list()->count(), 0);
    EXPECT_TRUE(runtime().collected_records().empty());
    EXPECT_EQ(records->status()->text(), "0 records");
}

TEST_F(RecordsWindowTest, SavesWithCrLfAndTellsAFailedWrite) {
    complete_form();
    complete_form();
    RecordsWindow* records = open();
    ASSERT_NE(records, nullptr);

    const auto target = folder.path / "sim.TXT";
    picker.paths = {target.string()};
    records->save_button()->click();
    ASSERT_EQ(picker.save_requests.size(), 1u);
    EXPECT_EQ(picker.save_requests[0].default_extension, "TXT");
    EXPECT_TRUE(picker.save_requests[0].confirm_overwrite);
    EXPECT_EQ(file_text(target), "AB\t,007\r\nAB\t,007\r\n");
    EXPECT_TRUE(prompter.boxes.empty());

    // Cancelled: nothing written, nothing said.
    picker.paths = {std::nullopt};
    EXPECT_FALSE(records->save());
    EXPECT_TRUE(prompter.boxes.empty());

    // A folder that does not exist: told, and no success claimed.
    const auto nowhere = folder.path / "missing" / "sim.TXT";
    picker.paths = {nowhere.string()};
    EXPECT_FALSE(records->save());
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].text.rfind("Can't save the records to " + nowhere.string() + ": ", 0),
              0u)
        << prompter.boxes[0].text;
    EXPECT_EQ(prompter.boxes[0].caption, "Error");
    EXPECT_EQ(file_text(target), "AB\t,007\r\nAB\t,007\r\n");
}

}  // namespace
}  // namespace kolibra
