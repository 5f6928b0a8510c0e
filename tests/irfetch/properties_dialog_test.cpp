#include "irfetch/qt/properties_dialog.h"

#include "common/qt/dialog_builder.h"
#include "support/qt_test_app.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

namespace kolibra {
namespace {

using test::app;

class ScriptedSavePicker : public FilePicker {
public:
    std::optional<std::string> answer;
    std::vector<FileDialogRequest> asked;
    std::optional<std::string> choose_open(const FileDialogRequest&) override { return {}; }
    std::optional<std::string> choose_save(const FileDialogRequest& request) override {
        asked.push_back(request);
        return answer;
    }
};

class PropertiesDialogTest : public ::testing::Test {
protected:
    void SetUp() override { app(); }
    IrfetchSettings settings_ = default_irfetch_settings("/opt/kolibra/");
    ScriptedSavePicker picker_;
};

TEST_F(PropertiesDialogTest, OpensOnTheDefaultsWithListsInOrder) {
    PropertiesDialog dialog(settings_, picker_);
    QDialog* w = dialog.window();
    EXPECT_EQ(w->windowTitle(), "Read data via Serial IR (Ver 3.20)");
    EXPECT_EQ(control_as<QLineEdit>(w, 601)->text(), "/opt/kolibra/");
    EXPECT_EQ(control_as<QLineEdit>(w, 602)->text(), "");
    auto entries = [&](int id) {
        QStringList out;
        auto* list = control_as<QComboBox>(w, id);
        for (int i = 0; i < list->count(); ++i) out << list->itemText(i);
        return out;
    };
    EXPECT_EQ(entries(701), QStringList({"COM1", "COM2", "COM3", "COM4", "COM5", "COM6"}));
    EXPECT_EQ(entries(702), QStringList({"115200", "57600", "38400", "19200", "9600"}));
    EXPECT_EQ(entries(703), QStringList({"Overwrite", "Append", "New name"}));
    for (int id : {701, 702, 703}) EXPECT_EQ(control_as<QComboBox>(w, id)->currentIndex(), 0);
    for (int id = 801; id <= 805; ++id) EXPECT_TRUE(control_as<QCheckBox>(w, id)->isChecked());
}

TEST_F(PropertiesDialogTest, OkTakesWhatTheControlsShow) {
    settings_.port_index = 3;
    settings_.file_mode = FileMode::NewName;
    PropertiesDialog dialog(settings_, picker_);
    QDialog* w = dialog.window();
    EXPECT_EQ(control_as<QComboBox>(w, 701)->currentIndex(), 3);
    EXPECT_EQ(control_as<QComboBox>(w, 703)->currentIndex(), 2);
    control_as<QLineEdit>(w, 602)->setText("shop.txt");
    control_as<QComboBox>(w, 702)->setCurrentIndex(4);
    control_as<QCheckBox>(w, 802)->click();
    control_as<QCheckBox>(w, 805)->click();
    IrfetchSettings s = dialog.result();
    EXPECT_EQ(s.file_name, "shop.txt");
    EXPECT_EQ(s.port_index, 3);
    EXPECT_EQ(s.baud_index, 4);
    EXPECT_EQ(s.file_mode, FileMode::NewName);
    EXPECT_TRUE(s.add_cr);
    EXPECT_FALSE(s.add_lf);
    EXPECT_FALSE(s.always_show_dialog);
}

TEST_F(PropertiesDialogTest, BrowseStartsFromTheStoredValuesAndSplitsTheChoice) {
    settings_.directory = "/data";
    settings_.file_name = "old.txt";
    PropertiesDialog dialog(settings_, picker_);
    QDialog* w = dialog.window();
    control_as<QLineEdit>(w, 602)->setText("typed.txt");
    picker_.answer = "/data/shop/new.TXT";
    control_as<QPushButton>(w, 501)->click();
    ASSERT_EQ(picker_.asked.size(), 1u);
    const FileDialogRequest& r = picker_.asked[0];
    EXPECT_EQ(r.start_folder, "/data");
    EXPECT_EQ(r.file_name, "old.txt");
    EXPECT_EQ(r.default_extension, "TXT");
    EXPECT_TRUE(r.path_must_exist);
    EXPECT_FALSE(r.confirm_overwrite);
    ASSERT_EQ(r.filters.size(), 2u);
    EXPECT_EQ(r.filters[0].description, "Data Files (*.TXT)");
    EXPECT_EQ(r.filters[0].pattern, "*.TXT");
    EXPECT_EQ(r.filters[1].description, "All Files (*.*)");
    EXPECT_EQ(r.filters[1].pattern, "*.*");
    EXPECT_EQ(control_as<QLineEdit>(w, 601)->text(), "/data/shop");
    EXPECT_EQ(control_as<QLineEdit>(w, 602)->text(), "new.TXT");

    // The next "..." offers the last choice; Cancel there changes nothing.
    picker_.answer.reset();
    control_as<QPushButton>(w, 501)->click();
    EXPECT_EQ(picker_.asked[1].start_folder, "/data/shop");
    EXPECT_EQ(picker_.asked[1].file_name, "new.TXT");
    EXPECT_EQ(dialog.result().directory, "/data/shop");
    EXPECT_EQ(dialog.result().file_name, "new.TXT");

    // A file in the root folder is still found there, not in the current folder.
    picker_.answer = "/top.txt";
    control_as<QPushButton>(w, 501)->click();
    EXPECT_EQ(irfetch_full_path(dialog.result()), "/top.txt");
}

}  // namespace
}  // namespace kolibra
