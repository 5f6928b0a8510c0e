// The "Reception history" window opened by its pop-up menu command: it lists
// the receptions, saves one as a data file or as columns of the template in
// use, and deletes one after asking.
#include "shell/qt/history_window.h"

#include "model/form_rules.h"
#include "model/text_slot.h"
#include "shell/qt/main_window.h"
#include "shell/shell_test_doubles.h"
#include "support/qt_test_app.h"

#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>

namespace kolibra {
namespace {

std::string file_text(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void keep_reception(const std::string& folder, const std::vector<std::string>& records, int result) {
    HistoryRecorder h(folder, "tgen", "COM1", 115200);
    h.reception_started();
    for (const std::string& r : records)
        h.record_accepted(reinterpret_cast<const uint8_t*>(r.data()), r.size());
    h.reception_ended(result, static_cast<int>(records.size()));
}

TEST(HistoryWindow, ListsSavesAsTextAndColumnsAndDeletesAfterAsking) {
    test::app();
    test::TempFolder folder;
    const std::string history = folder.file("history");
    keep_reception(history, {"4711;3", "0815;12"}, 2);
    keep_reception(history, {"9;1", "stray"}, -1);

    auto doc = std::make_unique<TemplateDocument>();
    test::RecordingPrompter prompter;
    test::ScriptedPicker picker;
    ShellServices services;
    services.prompter = &prompter;
    services.picker = &picker;
    services.link.history_folder = history;
    MainWindow window(*doc, services);
    // The template in use when the columns are saved.
    FormRecord& f = doc->tpl.forms[0];
    std::memset(&f, 0, sizeof f);
    f.data_type[0] = kTypeText;
    write_slot(f.prompt[0], "Item:");
    f.data_type[1] = kTypeInteger;
    write_slot(f.prompt[1], "Qty:");
    f.max_length[0] = f.max_length[1] = 20;
    for (int k = 1; k < kFormCount; ++k) std::memset(&doc->tpl.forms[k], 0, sizeof(FormRecord));
    doc->tpl.field_delimiter[0] = ';';
    doc->tpl.field_delimiter[1] = 0;

    window.command(command::kReceptionHistory);
    auto* shown = window.findChild<HistoryWindow*>(QStringLiteral("ReceptionHistory"));
    ASSERT_NE(shown, nullptr);
    ASSERT_EQ(shown->list()->topLevelItemCount(), 2);
    EXPECT_EQ(shown->list()->topLevelItem(1)->text(5), QStringLiteral("broken off"));
    EXPECT_EQ(shown->list()->topLevelItem(1)->text(6), QStringLiteral("2"));
    EXPECT_EQ(shown->chosen(), 2);  // the newest

    // As text: byte for byte as a data file.
    picker.paths.push_back(folder.file("back.txt"));
    shown->text_button()->click();
    EXPECT_EQ(file_text(folder.file("back.txt")), "9;1\r\nstray\r\n");

    // As columns: "stray" fits no form and is told.
    picker.paths.push_back(folder.file("out.csv"));
    shown->columns_button()->click();
    EXPECT_EQ(file_text(folder.file("out.csv")), "\xEF\xBB\xBFItem,Qty\r\n9,1\r\n");
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_NE(prompter.boxes[0].text.find("reception 2: line 2: fits no form"), std::string::npos)
        << prompter.boxes[0].text;
    EXPECT_EQ(picker.save_requests.back().default_extension, "CSV");

    // Delete asks; No keeps the entry, Yes removes it.
    shown->choose(1);
    prompter.answers = {Answer::No, Answer::Yes};
    shown->delete_button()->click();
    EXPECT_EQ(shown->list()->topLevelItemCount(), 2);
    shown->delete_button()->click();
    ASSERT_EQ(shown->list()->topLevelItemCount(), 1);
    EXPECT_EQ(shown->list()->topLevelItem(0)->text(0), QStringLiteral("2"));
    EXPECT_EQ(prompter.boxes.back().buttons, Buttons::YesNo);
    EXPECT_EQ(shown->status()->text(), QStringLiteral("reception 1 deleted"));

    // Opening it again reads the history again.
    keep_reception(history, {"1;1"}, 1);
    window.command(command::kReceptionHistory);
    EXPECT_EQ(shown->list()->topLevelItemCount(), 2);
}

}  // namespace
}  // namespace kolibra
