#include "common/qt/qt_file_picker.h"
#include "common/qt/qt_progress.h"
#include "common/qt/qt_prompter.h"
#include "common/qt/qt_receive_count_view.h"

#include "link/fake_port.h"
#include "link/virtual_clock.h"
#include "shell/qt/link_commands.h"
#include "link/port_names.h"
#include "support/qt_test_app.h"
#include "support/user_doubles.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QCompleter>
#include <QCursor>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFontDatabase>
#include <QLineEdit>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>

namespace kolibra {
namespace {

void when_box_opens(std::function<void(QMessageBox&)> act) {
    auto* timer = new QTimer(QCoreApplication::instance());
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            act(*box);
        }
    });
    timer->start(5);
}

TEST(QtPrompter, ShowsTextCaptionIconAndButtonsAndReturnsTheChoice) {
    test::app();
    QtPrompter prompter;
    when_box_opens([](QMessageBox& box) {
        EXPECT_EQ(box.text(), "Failed to download, would you like to retry?");
        EXPECT_EQ(box.windowTitle(), "Error");
        EXPECT_EQ(box.icon(), QMessageBox::Question);
        EXPECT_EQ(box.standardButtons(), QMessageBox::Yes | QMessageBox::No);
        box.button(QMessageBox::Yes)->click();
    });
    EXPECT_EQ(prompter.ask("Failed to download, would you like to retry?", "Error", Icon::Question,
                           Buttons::YesNo),
              Answer::Yes);

    when_box_opens([](QMessageBox& box) {
        EXPECT_EQ(box.icon(), QMessageBox::Warning);
        EXPECT_EQ(box.standardButtons(),
                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.button(QMessageBox::Cancel)->click();
    });
    EXPECT_EQ(prompter.ask("Save current program ?", "Kolibra 2 Application Generator",
                           Icon::Warning, Buttons::YesNoCancel),
              Answer::Cancel);

    // Esc on a Yes/No question answers No.
    when_box_opens([](QMessageBox& box) {
        EXPECT_EQ(box.icon(), QMessageBox::NoIcon);
        QTest::keyClick(&box, Qt::Key_Escape);
    });
    EXPECT_EQ(prompter.ask("Done : 2 records received.\nView the received data?", "Upload Data",
                           Icon::None, Buttons::YesNo),
              Answer::No);
}

TEST(QtPrompter, BoxIsWideEnoughForItsCaption) {
    test::app();
    QtPrompter prompter;
    const QString caption = QStringLiteral("Progress (Download Lookup 1.0)");
    const int caption_width =
        QFontMetrics(QFontDatabase::systemFont(QFontDatabase::TitleFont)).horizontalAdvance(caption);
    int width = 0;
    when_box_opens([&](QMessageBox& box) {
        width = box.width();
        box.button(QMessageBox::Ok)->click();
    });
    prompter.tell("Done", caption.toStdString(), Icon::None);
    // The caption and the title bar's buttons fit beside each other.
    EXPECT_GE(width, caption_width + 100);

    // So in the progress window of the lookup tool, whose bar follows the width.
    QtProgress progress;
    progress.open(caption.toStdString());
    ASSERT_NE(progress.window(), nullptr);
    EXPECT_GE(progress.window()->width(), caption_width + 100);
    auto* bar = progress.window()->findChild<QProgressBar*>();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->width(), progress.window()->width() - 28);
    progress.close();
}

// Bytes written by the desktop are answered by nothing; each write is noted
// with the cursor shown at that moment.
class CursorWatchingDevice : public LinkDevice {
public:
    void connect(LineEndpoint*) override {}
    void receive(const uint8_t*, std::size_t, uint32_t, uint32_t) override {
        const QCursor* c = QGuiApplication::overrideCursor();
        shapes.push_back(c ? c->shape() : Qt::ArrowCursor);
    }
    void advance(uint32_t) override {}
    int32_t ms_to_next_event(uint32_t) const override { return -1; }
    std::vector<Qt::CursorShape> shapes;
};

TEST(LinkCommandWindow, FileDialogTakesInputAndTheWaitsShowTheBusyCursor) {
    test::app();
    VirtualClock clock(1000);
    CursorWatchingDevice device;
    QtPrompter qt_prompter;
    QtFilePicker picker;
    LinkServices services;
    services.make_port = [&] { return std::make_unique<FakePort>(clock, &device); };
    services.clock = &clock;
    services.prompter = &qt_prompter;
    services.picker = &picker;
    QtProgress progress;
    services.progress = &progress;
    TemplateDocument doc;

    // Typing into the name field opens the completion list; Escape closes it
    // and a second Escape cancels the dialog. Without input both would be lost
    // and the dialog would stay: the guard ends it after 10 s and fails.
    bool dialog_seen = false, popup_seen = false;
    QElapsedTimer since;
    since.start();
    auto* timer = new QTimer(QCoreApplication::instance());
    int step = 0;
    QObject::connect(timer, &QTimer::timeout, [&, timer] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (since.elapsed() > 10000) {
            timer->stop();
            if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
            if (dialog) dialog->reject();
            return;
        }
        if (!dialog) return;
        dialog_seen = true;
        QLineEdit* name = dialog->findChild<QLineEdit*>("fileNameEdit");
        if (!name) return;
        if (step == 0) {
            const QCursor* c = QGuiApplication::overrideCursor();
            EXPECT_TRUE(c && c->shape() == Qt::ArrowCursor);
            QTest::keyClicks(name, "/");
            step = 1;
        } else if (QWidget* popup = QApplication::activePopupWidget()) {
            popup_seen = true;
            QTest::keyClick(popup, Qt::Key_Escape);
        } else {
            QTest::keyClick(name, Qt::Key_Escape);
        }
    });
    timer->start(50);
    run_link_command(services, doc, LinkCommand::ReceiveData, false);
    timer->stop();
    timer->deleteLater();
    EXPECT_TRUE(dialog_seen);
    EXPECT_LT(since.elapsed(), 10000);
    (void)popup_seen;  // whether the list opens depends on the folder's contents
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    // A lookup download to a silent terminal: every handshake goes out under
    // the busy cursor, the boxes after it show the arrow.
    const auto path = std::filesystem::temp_directory_path() / "kolibra_cursor_lookup.txt";
    std::ofstream(path) << "A\r\n";
    std::vector<Qt::CursorShape> box_cursors;
    auto* boxes = new QTimer(QCoreApplication::instance());
    QObject::connect(boxes, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            const QCursor* c = QGuiApplication::overrideCursor();
            box_cursors.push_back(c ? c->shape() : Qt::ArrowCursor);
            box->button(box->standardButtons() & QMessageBox::No ? QMessageBox::No
                                                                 : QMessageBox::Ok)->click();
        }
    });
    boxes->start(20);
    struct ChosenFile : FilePicker {
        std::string path;
        std::optional<std::string> choose_open(const FileDialogRequest&) override { return path; }
        std::optional<std::string> choose_save(const FileDialogRequest&) override { return path; }
    } chosen;
    chosen.path = path.string();
    services.picker = &chosen;
    run_link_command(services, doc, LinkCommand::DownloadLookup, false);
    boxes->stop();
    boxes->deleteLater();
    std::filesystem::remove(path);
    ASSERT_EQ(device.shapes.size(), 3u);
    for (Qt::CursorShape shape : device.shapes) EXPECT_EQ(shape, Qt::WaitCursor);
    ASSERT_EQ(box_cursors.size(), 2u);  // not ready; retry? No
    for (Qt::CursorShape shape : box_cursors) EXPECT_EQ(shape, Qt::ArrowCursor);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(QtProgress, ShowsTheWindowWithItsBarAndHoldsValuesInRange) {
    test::app();
    QtProgress progress;
    EXPECT_EQ(progress.window(), nullptr);
    progress.set_value(50);  // closed: nothing happens
    progress.open("Progress");
    ASSERT_NE(progress.window(), nullptr);
    QDialog* window = progress.window();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), "Progress");
    bool line = false;
    for (QLabel* label : window->findChildren<QLabel*>()) line |= label->text() == "Downloading...";
    EXPECT_TRUE(line);
    QProgressBar* bar = progress.bar();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->geometry(), QRect(14, window->height() / 2, window->width() - 28, 20));
    EXPECT_EQ(bar->value(), 0);
    EXPECT_EQ(bar->minimum(), 0);
    EXPECT_EQ(bar->maximum(), 100);
    progress.set_value(37);
    EXPECT_EQ(bar->value(), 37);
    progress.set_value(109);
    EXPECT_EQ(bar->value(), 100);
    // The user cannot close it.
    window->close();
    EXPECT_TRUE(window->isVisible());
    QTest::keyClick(window, Qt::Key_Escape);
    EXPECT_TRUE(window->isVisible());
    progress.close();
    EXPECT_EQ(progress.window(), nullptr);
}

TEST(QtReceiveCountView, ShowsTheCountCentredAndRemovesTheBox) {
    test::app();
    QtReceiveCountView view;
    view.show(3);  // before prepare: nothing
    EXPECT_EQ(view.box(), nullptr);
    view.prepare();
    ASSERT_NE(view.box(), nullptr);
    EXPECT_FALSE(view.box()->isVisible());
    view.show(12);
    EXPECT_TRUE(view.box()->isVisible());
    EXPECT_EQ(view.box()->height(), 40);
    EXPECT_EQ(view.box()->geometry().center().x() / 4,
              QGuiApplication::primaryScreen()->geometry().center().x() / 4);
    const QImage shot = view.box()->grab().toImage();
    EXPECT_EQ(QColor(shot.pixel(3, 3)), QColor(255, 255, 100));
    view.remove();
    EXPECT_EQ(view.box(), nullptr);
    view.remove();  // twice is harmless
}

TEST(InputBlocker, DropsInputToWindowsButNotToABoxOpenedMeanwhile) {
    test::app();
    QPushButton button("x");
    button.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&button));
    int clicks = 0;
    QObject::connect(&button, &QPushButton::clicked, [&] { ++clicks; });
    {
        InputBlocker blocker;
        EXPECT_TRUE(InputBlocker::active());
        QTest::mouseClick(&button, Qt::LeftButton);
        EXPECT_EQ(clicks, 0);
        // A question asked during the transfer still takes its answer.
        QtPrompter prompter;
        when_box_opens([](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Y, Qt::AltModifier);
                                              if (box.isVisible()) box.button(QMessageBox::Yes)->click(); });
        EXPECT_EQ(prompter.ask("Retry?", "Error", Icon::Question, Buttons::YesNo), Answer::Yes);
    }
    EXPECT_FALSE(InputBlocker::active());
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(clicks, 1);
}

TEST(PaintingClock, KeepsTheDeadlineAndLetsTheWindowsWorkMeanwhile) {
    test::app();
    VirtualClock virtual_clock(1000);
    FakePort port(virtual_clock, nullptr);
    ASSERT_TRUE(port.open("/dev/fake"));
    PaintingClock clock(virtual_clock);
    int timer_runs = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ++timer_runs; });
    timer.start(0);

    clock.wait_for_input(port, 1100);  // nothing arrives
    EXPECT_EQ(clock.now_ms(), 1100u);
    EXPECT_GE(timer_runs, 3);  // one or more turns of the event loop per slice

    clock.pause(100);
    EXPECT_EQ(clock.now_ms(), 1200u);

    port.inject("ACK\r");  // input waiting: no time passes
    clock.wait_for_input(port, 4200);
    EXPECT_EQ(clock.now_ms(), 1200u);
}

}  // namespace
}  // namespace kolibra

namespace kolibra {
namespace {

// A terminal that never answers: the download waits in its handshake.
class SilentDevice : public LinkDevice {
public:
    void connect(LineEndpoint*) override {}
    void receive(const uint8_t*, std::size_t, uint32_t, uint32_t) override { ++writes; }
    void advance(uint32_t) override {}
    int32_t ms_to_next_event(uint32_t) const override { return -1; }
    int writes = 0;
};

// The waiting window names the port and device and its Cancel button takes a
// click while the transfer blocks all other input: the download ends at the
// next slice as cancelled, without "Terminal is not ready!" or a retry question.
TEST(LinkCommandWindow, CancelInTheWaitingWindowStopsTheHandshake) {
    test::app();
    VirtualClock virtual_clock(1000);
    TransferStop stop;
    QtWaitNotice waiting;
    waiting.set_stop(&stop);
    QtProgress progress;
    progress.set_stop(&stop);
    QString shown;
    uint32_t clicked_at = 0;
    PumpingClock clock(virtual_clock, [&] {
        pump_paint_events();
        if (clicked_at || !waiting.window() || !waiting.window()->isVisible()) return;
        if (auto* label = waiting.window()->findChild<QLabel*>()) shown = label->text();
        if (virtual_clock.now_ms() < 5000) return;  // into the second handshake
        ASSERT_NE(waiting.cancel_button(), nullptr);
        QTest::mouseClick(waiting.cancel_button(), Qt::LeftButton);
        clicked_at = virtual_clock.now_ms();
    });
    clock.set_stop(&stop);
    stop.request();  // left from an earlier command: must not stop this one

    SilentDevice device;
    test::RecordingPrompter prompter;
    LinkServices services;
    services.make_port = [&] { return std::make_unique<FakePort>(virtual_clock, &device); };
    services.clock = &clock;
    services.prompter = &prompter;
    services.progress = &progress;
    services.stop = &stop;
    services.waiting = &waiting;
    TemplateDocument doc;
    run_link_command(services, doc, LinkCommand::DownloadProgram, false);

    ASSERT_NE(clicked_at, 0u) << "the waiting window never showed its Cancel button";
    EXPECT_TRUE(shown.startsWith("Waiting for the terminal on COM1 ...\nDevice: "));
    EXPECT_TRUE(shown.endsWith(QString::fromStdString(port_device_path(0))));
    EXPECT_LE(virtual_clock.now_ms() - clicked_at, 2 * PumpingClock::kSliceMs);
    EXPECT_EQ(device.writes, 2);  // "QUORIN\r" twice, no third try
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{"Download cancelled."});
    EXPECT_EQ(waiting.window(), nullptr);
}

}  // namespace
}  // namespace kolibra

namespace kolibra {
namespace {

// The progress window and the count box get a Cancel button only when they
// have a stop to request; it lies inside the window below the bar or the
// count, and takes a click while a transfer blocks all other input.
TEST(TransferCancelButtons, InsideTheirWindowAndHeardThroughTheInputBlocker) {
    test::app();
    for (bool progress_window : {true, false}) {
        SCOPED_TRACE(progress_window ? "progress window" : "count box");
        TransferStop stop;
        QtProgress progress;
        QtReceiveCountView count;
        QWidget* window = nullptr;
        auto open = [&] {
            if (progress_window) {
                progress.open("Progress");
                window = progress.window();
            } else {
                count.prepare();
                count.show(3);
                window = count.box();
            }
        };
        open();
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->findChild<QPushButton*>("Cancel"), nullptr);
        progress.set_stop(&stop);
        count.set_stop(&stop);
        open();
        ASSERT_NE(window, nullptr);
        auto* cancel = window->findChild<QPushButton*>("Cancel");
        ASSERT_NE(cancel, nullptr);
        EXPECT_TRUE(window->rect().contains(cancel->geometry()));
        if (progress_window) {
            EXPECT_GE(cancel->y(), progress.bar()->geometry().bottom());
        }
        {
            InputBlocker blocked;
            QTest::mouseClick(cancel, Qt::LeftButton);
        }
        EXPECT_TRUE(stop.requested());
        EXPECT_FALSE(cancel->isEnabled());
        progress.close();
        count.remove();
    }
}

}  // namespace
}  // namespace kolibra
