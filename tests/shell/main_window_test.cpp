#include "shell/qt/main_window.h"

#include "common/qt/dialog_builder.h"
#include "common/window_placement.h"
#include "shell/qt/records_window.h"
#include "model/template_file.h"
#include "support/qt_test_app.h"
#include "shell/shell_test_doubles.h"
#include "simulator/qt/simulator_window.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>

namespace kolibra {
namespace {

using test::ScriptedPicker;
using test::RecordingPrompter;

bool same_template(const Template& a, const Template& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// Runs `act` on the next modal dialog once it is open.
// A user's choice in a drop-down list.
void choose_in(QComboBox* list, int index) {
    list->setCurrentIndex(index);
    Q_EMIT list->activated(index);
}

void when_dialog_opens(std::function<void(QDialog&)> act) {
    auto* timer = new QTimer(QCoreApplication::instance());
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            act(*dialog);
        }
    });
    timer->start(5);
}

class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest() {
        test::app();
        ShellServices services;
        services.prompter = &prompter;
        services.picker = &picker;
        services.open_editor = [this] {
            ++editor_opened;
            editor_saw_modified = doc->modified;
        };
        window = std::make_unique<MainWindow>(*doc, services);
    }

    std::string saved_template(const std::string& name) { return test::saved_template(folder, name); }

    test::TempFolder folder;
    std::unique_ptr<TemplateDocument> doc = std::make_unique<TemplateDocument>();
    RecordingPrompter prompter;
    ScriptedPicker picker;
    int editor_opened = 0;
    bool editor_saw_modified = true;
    std::unique_ptr<MainWindow> window;
};

TEST_F(MainWindowTest, StartsAsTheCaptionLessTerminalAtItsPlace) {
    EXPECT_EQ(window->geometry(), QRect(300, 50, 180, 400));
    EXPECT_TRUE(window->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(window->windowTitle(), "Application Generator");
    EXPECT_EQ(window->simulator()->geometry(), QRect(0, 0, 180, 400));
    auto factory = std::make_unique<Template>();
    reset_template(*factory);
    EXPECT_TRUE(same_template(doc->tpl, *factory));
    EXPECT_FALSE(doc->modified);
    EXPECT_TRUE(doc->file_name.empty());
}

TEST_F(MainWindowTest, NewWithNothingChangedAsksNothingResetsAndOpensTheEditor) {
    doc->tpl.start_target = 1;  // changed without `modified`, as the simulator may
    doc->file_name = "/somewhere/old.ATX";
    window->command(command::kNew);
    EXPECT_TRUE(prompter.boxes.empty());
    EXPECT_EQ(doc->tpl.start_target, 0);
    EXPECT_TRUE(doc->file_name.empty());
    EXPECT_EQ(editor_opened, 1);
    EXPECT_FALSE(editor_saw_modified);
}

TEST_F(MainWindowTest, ClosingAsksOnlyWhenModified) {
    window->show();
    // Cancel keeps the program running.
    doc->modified = true;
    prompter.answers = {Answer::Cancel};
    EXPECT_FALSE(window->close());
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].text, "Save the program ?");
    EXPECT_EQ(prompter.boxes[0].caption, "Kolibra 2 Application Generator");
    EXPECT_EQ(prompter.boxes[0].buttons, Buttons::YesNoCancel);
    EXPECT_EQ(prompter.boxes[0].icon, Icon::Warning);
    EXPECT_TRUE(window->isVisible());

    // Yes on a never-saved template whose Save As is cancelled: the window
    // and the design stay.
    prompter.answers = {Answer::Yes};
    picker.paths = {std::nullopt};
    window->command(command::kExit);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(doc->modified);
    EXPECT_EQ(picker.save_requests.size(), 1u);
    EXPECT_TRUE(std::filesystem::is_empty(folder.path));
    doc->modified = false;

    // Unmodified: closes at once.
    window->show();
    doc->modified = false;
    const auto boxes = prompter.boxes.size();
    EXPECT_TRUE(window->close());
    EXPECT_EQ(prompter.boxes.size(), boxes);
}

TEST_F(MainWindowTest, AcceleratorsReachTheirCommands) {
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    doc->modified = true;
    QTest::keyClick(window.get(), Qt::Key_E, Qt::ControlModifier);
    EXPECT_EQ(editor_opened, 1);
    EXPECT_TRUE(prompter.boxes.empty());  // Edit asks nothing

    prompter.answers = {Answer::Cancel};
    QTest::keyClick(window.get(), Qt::Key_N, Qt::ControlModifier);
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].text, "Save current program ?");

    picker.paths = {std::nullopt};
    prompter.answers = {Answer::No};
    QTest::keyClick(window.get(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(picker.open_requests.size(), 1u);

    picker.paths = {std::nullopt};
    QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(picker.save_requests.size(), 1u);  // never saved: Save asks for a name
}

TEST_F(MainWindowTest, ComPortDialogOkStoresTheChoiceAndCancelKeepsIt) {
    doc->tpl.comm = {2, 1};
    doc->modified = false;
    bool checked = false;
    when_dialog_opens([&](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "COM Port Settings");
        auto* port = control_as<QComboBox>(&dialog, 701);
        auto* baud = control_as<QComboBox>(&dialog, 702);
        ASSERT_TRUE(port && baud);
        ASSERT_EQ(port->count(), 6);
        ASSERT_EQ(baud->count(), 5);
        EXPECT_EQ(port->itemText(0), "COM1");
        EXPECT_EQ(port->itemText(5), "COM6");
        EXPECT_EQ(baud->itemText(0), "115200");
        EXPECT_EQ(baud->itemText(4), "9600");
        EXPECT_EQ(port->currentIndex(), 2);
        EXPECT_EQ(baud->currentIndex(), 1);
        checked = true;
        choose_in(port, 5);
        choose_in(baud, 4);
        control_as<QPushButton>(&dialog, 2)->click();
    });
    window->command(command::kComSettings);
    EXPECT_TRUE(checked);
    EXPECT_EQ(doc->tpl.comm.com_port, 2);
    EXPECT_EQ(doc->tpl.comm.com_baud, 1);

    EXPECT_FALSE(doc->modified);

    // The port settings travel in the template file: a change is a change.
    when_dialog_opens([&](QDialog& dialog) {
        choose_in(control_as<QComboBox>(&dialog, 701), 5);
        choose_in(control_as<QComboBox>(&dialog, 702), 4);
        control_as<QPushButton>(&dialog, 1)->click();
    });
    window->command(command::kComSettings);
    EXPECT_EQ(doc->tpl.comm.com_port, 5);
    EXPECT_EQ(doc->tpl.comm.com_baud, 4);
    EXPECT_TRUE(doc->modified);
    doc->modified = false;

    // A damaged template's index out of range shows the first entry.
    doc->tpl.comm = {9, 7};
    when_dialog_opens([&](QDialog& dialog) {
        EXPECT_EQ(control_as<QComboBox>(&dialog, 701)->currentIndex(), 0);
        EXPECT_EQ(control_as<QComboBox>(&dialog, 702)->currentIndex(), 0);
        control_as<QPushButton>(&dialog, 1)->click();
    });
    window->command(command::kComSettings);
    EXPECT_EQ(doc->tpl.comm.com_port, 0);
    EXPECT_EQ(doc->tpl.comm.com_baud, 0);
}

TEST_F(MainWindowTest, AboutBoxShowsTheVersionAndClosesOnlyThroughOk) {
    bool checked = false;
    when_dialog_opens([&](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Kolibra 2 Application Generator");
        bool found = false;
        for (QLabel* label : dialog.findChildren<QLabel*>())
            found |= label->text() == "Kolibra 2 Application Generator (Ver " KOLIBRA_PROJECT_VERSION ")";
        EXPECT_TRUE(found);
        dialog.reject();  // Esc: stays open
        EXPECT_TRUE(dialog.isVisible());
        checked = true;
        control_as<QPushButton>(&dialog, 1)->click();
    });
    window->command(command::kAbout);
    EXPECT_TRUE(checked);
}

TEST_F(MainWindowTest, TheDialogsAndTheRecordsWindowOpenBesideTheTerminal) {
    window->show();
    const QRect area = window->screen()->availableGeometry();
    // Where the rule puts a window of that size beside the terminal on this screen.
    const auto beside = [&](QSize size) {
        const ScreenPoint at = place_beside({300, 50, 180, 400}, size.width(), size.height(),
                                            {area.x(), area.y(), area.width(), area.height()});
        return QPoint(at.x, at.y);
    };
    for (int id : {command::kComSettings, command::kAbout}) {
        SCOPED_TRACE(id);
        QRect seen;
        QPoint expected;
        when_dialog_opens([&](QDialog& dialog) {
            seen = dialog.frameGeometry();
            expected = beside(dialog.size());
            control_as<QPushButton>(&dialog, 1)->click();
        });
        window->command(id);
        EXPECT_EQ(seen.topLeft(), expected);
        // Where the screen has room beside the terminal, the dialog leaves it in sight.
        if (seen.width() + 8 <= area.right() + 1 - 480) {
            EXPECT_FALSE(seen.intersects(window->geometry()));
        }
    }
    window->command(command::kCollectedRecords);
    QWidget* records = find_records_window(window.get());
    ASSERT_NE(records, nullptr);
    EXPECT_EQ(records->pos(), beside(records->size()));
}

TEST_F(MainWindowTest, TheAcceleratorsWorkInTheRecordsWindowButNotInsideADialog) {
    window->show();
    window->command(command::kCollectedRecords);
    QWidget* records = find_records_window(window.get());
    ASSERT_NE(records, nullptr);
    records->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(records));
    QTest::keyClick(records, Qt::Key_E, Qt::ControlModifier);
    EXPECT_EQ(editor_opened, 1);

    // The about box is modal: Ctrl+E there opens no editor.
    when_dialog_opens([&](QDialog& dialog) {
        QTest::keyClick(&dialog, Qt::Key_E, Qt::ControlModifier);
        control_as<QPushButton>(&dialog, 1)->click();
    });
    window->command(command::kAbout);
    EXPECT_EQ(editor_opened, 1);
}

TEST_F(MainWindowTest, TheSimulatorsNewRequestGoesThroughTheSavePrompt) {
    doc->modified = true;
    prompter.answers = {Answer::Cancel};
    // Form 1 of a factory template has nothing to run: the runtime asks for New.
    window->simulator()->runtime().press_key(7);  // the "1" key on the main page
    QCoreApplication::processEvents();
    bool asked = false;
    for (const auto& box : prompter.boxes) asked |= box.text == "Save current program ?";
    EXPECT_TRUE(asked);
}

}  // namespace
}  // namespace kolibra
