#include "lkpsend/com_properties_dialog.h"

#include "common/qt/dialog_binder.h"
#include "common/qt/dialog_builder.h"
#include "support/qt_test_app.h"
#include "common/qt/qt_progress.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QDialog>
#include <QPushButton>
#include <QTimer>

namespace kolibra {
namespace {

using test::app;

class ComPropertiesTest : public ::testing::Test {
protected:
    void SetUp() override { app(); }
    LkpsendSettings settings_ = default_lkpsend_settings("/opt/k/");
};

// A user's choice in a drop-down list.
void choose_in(QComboBox* list, int index) {
    list->setCurrentIndex(index);
    Q_EMIT list->activated(index);
}

TEST_F(ComPropertiesTest, ShowsTheSettingsAndOkTakesTheLists) {
    settings_.port_index = 2;
    settings_.baud_index = 1;
    ComPropertiesDialogLogic logic(settings_);
    logic.open();
    dialog::BoundDialog dialog(logic, dialog::BoundDialog::Role::Modal, nullptr);
    QDialog* w = &dialog;
    EXPECT_EQ(w->windowTitle(), "Comm Properties (Download Lookup 1.1)");
    auto* port = control_as<QComboBox>(w, 101);
    auto* baud = control_as<QComboBox>(w, 102);
    ASSERT_EQ(port->count(), 6);
    EXPECT_EQ(port->itemText(5), "COM6");
    ASSERT_EQ(baud->count(), 5);
    EXPECT_EQ(baud->itemText(4), "9600");
    EXPECT_EQ(port->currentIndex(), 2);
    EXPECT_EQ(baud->currentIndex(), 1);
    EXPECT_FALSE(control_as<QCheckBox>(w, 103)->isChecked());
    choose_in(port, 5);
    choose_in(baud, 4);
    control_as<QCheckBox>(w, 103)->click();
    control_as<QPushButton>(w, 1)->click();
    const LkpsendSettings& s = logic.settings();
    EXPECT_EQ(s.port_index, 5);
    EXPECT_EQ(s.baud_index, 4);
    EXPECT_TRUE(s.use_transceiver);
}

TEST_F(ComPropertiesTest, TickingTheBoxThenCancelIsCancel) {
    dialog::QtDialogHost host(nullptr);
    HostedLkpsendDialog dialog(host);
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* w = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(w, nullptr);
        seen = true;
        control_as<QCheckBox>(w, 103)->click();
        choose_in(control_as<QComboBox>(w, 101), 3);
        control_as<QPushButton>(w, 2)->click();
    });
    EXPECT_FALSE(dialog.edit(settings_));
    EXPECT_TRUE(seen);
    EXPECT_EQ(settings_.port_index, 0);
}

TEST_F(ComPropertiesTest, ProgressWindowCarriesTheToolsCaption) {
    QtProgress progress;
    progress.open("Progress (Download Lookup 1.0)");
    ASSERT_NE(progress.window(), nullptr);
    EXPECT_EQ(progress.window()->windowTitle(), "Progress (Download Lookup 1.0)");
    bool line_found = false;
    for (auto* label : progress.window()->findChildren<QLabel*>()) {
        if (label->text() == "Downloading...") line_found = true;
    }
    EXPECT_TRUE(line_found);
    progress.close();
}

}  // namespace
}  // namespace kolibra
