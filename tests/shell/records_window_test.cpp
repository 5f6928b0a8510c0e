// The "Collected records" window opened by its pop-up menu command: it lists
// each completed form's record as it is completed and saves them with CR LF.
#include "shell/qt/records_window.h"

#include "model/text_slot.h"
#include "shell/qt/main_window.h"
#include "support/qt_test_app.h"
#include "shell/shell_test_doubles.h"
#include "simulator/qt/simulator_window.h"

#include <QApplication>
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

TEST(RecordsWindow, ListsRecordsAsFormsCompleteAndSavesThemWithCrLf) {
    test::app();
    test::TempFolder folder;
    auto doc = std::make_unique<TemplateDocument>();
    test::RecordingPrompter prompter;
    test::ScriptedPicker picker;
    ShellServices services;
    services.prompter = &prompter;
    services.picker = &picker;
    MainWindow window(*doc, services);
    // Form 1: AB with a tab as its code-list suffix, then 7 fixed to 3 digits
    // with zeros in front; a comma between fields.
    FormRecord& f = doc->tpl.forms[0];
    f.data_type[0] = 1;
    f.initial_on[0] = 1;
    write_slot(f.initial_text[0], "AB");
    f.suffix_on[0] = 1;
    write_slot(f.suffix[0], "9");
    f.data_type[1] = 2;
    f.initial_on[1] = 1;
    write_slot(f.initial_text[1], "7");
    f.fixed_length_on[1] = 1;
    f.fixed_length[1] = 3;
    f.alignment[1] = 3;
    doc->tpl.field_delimiter[0] = ',';
    SimRuntime& sim = window.simulator()->runtime();
    sim.press_key(key::k1);  // the program starts with form 1
    const auto complete_form = [&] { sim.press_key(key::kEnter), sim.press_key(key::kEnter); };

    // A record completed before the window opens is listed too; the terminal
    // is left as it was.
    complete_form();
    const std::string lcd_before = window.simulator()->lcd().row(0);
    window.command(command::kCollectedRecords);
    RecordsWindow* records = find_records_window(&window);
    ASSERT_NE(records, nullptr);
    EXPECT_TRUE(records->isVisible() && records->isWindow() && !records->isModal());
    EXPECT_EQ(records->windowTitle(), "Collected records");
    ASSERT_EQ(records->list()->count(), 1);
    EXPECT_EQ(records->list()->item(0)->text(), "AB<TAB>,007");
    EXPECT_EQ(window.simulator()->lcd().row(0), lcd_before);
    complete_form();
    EXPECT_EQ(records->list()->count(), 2);
    EXPECT_EQ(records->status()->text(), "2 records");
    window.command(command::kCollectedRecords);
    EXPECT_EQ(find_records_window(&window), records);

    const auto target = folder.path / "sim.TXT";
    picker.paths = {target.string(), std::nullopt, (folder.path / "missing" / "sim.TXT").string()};
    records->save_button()->click();
    ASSERT_EQ(picker.save_requests.size(), 1u);
    EXPECT_EQ(picker.save_requests[0].default_extension, "TXT");
    EXPECT_TRUE(picker.save_requests[0].confirm_overwrite);
    EXPECT_EQ(file_text(target), "AB\t,007\r\nAB\t,007\r\n");
    EXPECT_FALSE(records->save());  // cancelled: nothing said
    EXPECT_TRUE(prompter.boxes.empty());
    EXPECT_FALSE(records->save());  // a folder that does not exist: told
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].text.rfind("Can't save the records to " + folder.path.string(), 0), 0u);
    EXPECT_EQ(prompter.boxes[0].caption, "Error");

    // A status as long as a saved path does not move the buttons.
    const QRect close_before = records->clear_button()->geometry();
    const int width_before = records->width();
    picker.paths = {(folder.path / std::string(200, 'p')).string() + ".TXT"};
    prompter.boxes.clear();
    EXPECT_TRUE(records->save());
    QApplication::processEvents();
    EXPECT_EQ(records->width(), width_before);
    EXPECT_EQ(records->clear_button()->geometry(), close_before);

    // Clear asks first: No keeps the records, Yes clears them.
    prompter.boxes.clear();
    prompter.answers = {Answer::No, Answer::Yes};
    records->clear_button()->click();
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].text, "Clear the 2 records from the list? Records not saved are lost.");
    EXPECT_EQ(prompter.boxes[0].caption, "Collected records");
    EXPECT_EQ(prompter.boxes[0].buttons, Buttons::YesNo);
    EXPECT_EQ(records->list()->count(), 2);
    records->clear_button()->click();
    EXPECT_EQ(records->list()->count(), 0);
    EXPECT_TRUE(sim.collected_records().empty());
    EXPECT_EQ(records->status()->text(), "0 records");

    // With nothing collected: Clear asks nothing, Save says so and writes nothing.
    prompter.boxes.clear();
    records->clear_button()->click();
    EXPECT_TRUE(prompter.boxes.empty());
    const std::size_t dialogs = picker.save_requests.size();
    EXPECT_FALSE(records->save());
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].text, "No records to save.");
    EXPECT_EQ(picker.save_requests.size(), dialogs);
}

}  // namespace
}  // namespace kolibra
