// The settings dialog "PropertiesDlg" as the Qt face shows it: the widgets
// mirror the dialog logic and the user's typing, choices and clicks reach it.
#include "irfetch/properties_dialog.h"

#include "common/qt/dialog_binder.h"
#include "common/qt/dialog_builder.h"
#include "support/qt_test_app.h"
#include "support/user_doubles.h"

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

// A user's typing: the whole text replaced, as one edit.
void type_into(QLineEdit* edit, const QString& text) {
    edit->setText(text);
    Q_EMIT edit->textEdited(text);
}

// A user's choice in a drop-down list.
void choose_in(QComboBox* list, int index) {
    list->setCurrentIndex(index);
    Q_EMIT list->activated(index);
}

class PropertiesDialogTest : public ::testing::Test {
protected:
    void SetUp() override { app(); }
    IrfetchSettings settings_ = default_irfetch_settings("/opt/kolibra/");
    test::ScriptedPicker picker_;
};

TEST_F(PropertiesDialogTest, OpensOnTheDefaultsWithListsInOrder) {
    PropertiesDialogLogic logic(settings_, picker_);
    logic.open();
    dialog::BoundDialog w(logic, dialog::BoundDialog::Role::Modal, nullptr);
    EXPECT_EQ(w.windowTitle(), "Read data via Serial IR (Ver 3.20)");
    EXPECT_EQ(control_as<QLineEdit>(&w, 601)->text(), "/opt/kolibra/");
    EXPECT_EQ(control_as<QLineEdit>(&w, 602)->text(), "");
    auto entries = [&](int id) {
        QStringList out;
        auto* list = control_as<QComboBox>(&w, id);
        for (int i = 0; i < list->count(); ++i) out << list->itemText(i);
        return out;
    };
    EXPECT_EQ(entries(701), QStringList({"COM1", "COM2", "COM3", "COM4", "COM5", "COM6"}));
    EXPECT_EQ(entries(702), QStringList({"115200", "57600", "38400", "19200", "9600"}));
    EXPECT_EQ(entries(703), QStringList({"Overwrite", "Append", "New name"}));
    for (int id : {701, 702, 703}) EXPECT_EQ(control_as<QComboBox>(&w, id)->currentIndex(), 0);
    for (int id = 801; id <= 805; ++id) EXPECT_TRUE(control_as<QCheckBox>(&w, id)->isChecked());
}

TEST_F(PropertiesDialogTest, OkTakesWhatTheControlsShow) {
    settings_.port_index = 3;
    settings_.file_mode = FileMode::NewName;
    PropertiesDialogLogic logic(settings_, picker_);
    logic.open();
    dialog::BoundDialog w(logic, dialog::BoundDialog::Role::Modal, nullptr);
    EXPECT_EQ(control_as<QComboBox>(&w, 701)->currentIndex(), 3);
    EXPECT_EQ(control_as<QComboBox>(&w, 703)->currentIndex(), 2);
    type_into(control_as<QLineEdit>(&w, 602), "shop.txt");
    choose_in(control_as<QComboBox>(&w, 702), 4);
    control_as<QCheckBox>(&w, 802)->click();
    control_as<QCheckBox>(&w, 805)->click();
    // The box's limit shows in the widget at once.
    type_into(control_as<QLineEdit>(&w, 601), QString(300, 'd'));
    EXPECT_EQ(control_as<QLineEdit>(&w, 601)->text().size(), 254);
    type_into(control_as<QLineEdit>(&w, 601), "/data");
    control_as<QPushButton>(&w, 1)->click();
    ASSERT_TRUE(logic.closed());
    EXPECT_EQ(w.result(), dialog::kResultOk);
    const IrfetchSettings& s = logic.settings();
    EXPECT_EQ(s.directory, "/data");
    EXPECT_EQ(s.file_name, "shop.txt");
    EXPECT_EQ(s.port_index, 3);
    EXPECT_EQ(s.baud_index, 4);
    EXPECT_EQ(s.file_mode, FileMode::NewName);
    EXPECT_TRUE(s.add_cr);
    EXPECT_FALSE(s.add_lf);
    EXPECT_FALSE(s.always_show_dialog);
}

TEST_F(PropertiesDialogTest, BrowseShowsTheChoiceInBothBoxes) {
    settings_.directory = "/data";
    settings_.file_name = "old.txt";
    PropertiesDialogLogic logic(settings_, picker_);
    logic.open();
    dialog::BoundDialog w(logic, dialog::BoundDialog::Role::Modal, nullptr);
    type_into(control_as<QLineEdit>(&w, 602), "typed.txt");
    picker_.paths = {"/data/shop/new.TXT"};
    control_as<QPushButton>(&w, 501)->click();
    ASSERT_EQ(picker_.save_requests.size(), 1u);
    EXPECT_EQ(picker_.save_requests[0].file_name, "old.txt");
    EXPECT_EQ(control_as<QLineEdit>(&w, 601)->text(), "/data/shop");
    EXPECT_EQ(control_as<QLineEdit>(&w, 602)->text(), "new.TXT");
    // Escape is Cancel: nothing is taken.
    w.reject();
    EXPECT_TRUE(logic.closed());
    EXPECT_EQ(logic.result(), dialog::kResultCancel);
}

}  // namespace
}  // namespace kolibra
