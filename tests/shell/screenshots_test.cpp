// Pictures of the window as a user sees it. With KOLIBRA_SCREENSHOT_DIR set,
// each is saved there as a PNG; otherwise they are only checked for content.
#include "common/qt/dialog_builder.h"
#include "common/qt/qt_progress.h"
#include "common/user_settings.h"
#include "model/text_slot.h"
#include "shell/qt/main_window.h"
#include "support/qt_test_app.h"
#include "shell/shell_test_doubles.h"
#include "simulator/qt/simulator_window.h"

#include <QApplication>
#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QPushButton>
#include <QMenu>
#include <QPainter>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <memory>

namespace kolibra {
namespace {

void keep(const QImage& image, const char* name) {
    EXPECT_FALSE(image.isNull()) << name;
    const char* folder = std::getenv("KOLIBRA_SCREENSHOT_DIR");
    if (!folder || !*folder) return;
    QDir().mkpath(folder);
    EXPECT_TRUE(image.save(QDir(folder).filePath(QString(name) + ".png"))) << name;
}

// More than one colour: something was drawn.
bool has_content(const QImage& image) {
    const QRgb first = image.pixel(0, 0);
    for (int y = 0; y < image.height(); y += 3)
        for (int x = 0; x < image.width(); x += 3)
            if (image.pixel(x, y) != first) return true;
    return false;
}

class Screenshots : public ::testing::Test {
protected:
    Screenshots() {
        test::app();
        ShellServices services;
        services.prompter = &prompter;
        services.picker = &picker;
        window = std::make_unique<MainWindow>(*doc, services);
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    QImage terminal() { return window->grab().toImage(); }

    std::unique_ptr<TemplateDocument> doc = std::make_unique<TemplateDocument>();
    test::RecordingPrompter prompter;
    test::ScriptedPicker picker;
    std::unique_ptr<MainWindow> window;
};

TEST_F(Screenshots, MainPageMenuAndForm) {
    SimRuntime& sim = window->simulator()->runtime();
    sim.clock_tick();
    QCoreApplication::processEvents();
    QImage main_page = terminal();
    EXPECT_TRUE(has_content(main_page));
    keep(main_page, "main_page");
    if (QGuiApplication::platformName() != QLatin1String("offscreen")) {
        // On a real display: the whole screen, with the terminal's own outline.
        keep(QGuiApplication::primaryScreen()->grabWindow(0).toImage(), "desktop");
    }

    // A menu of the user's design.
    Template& t = doc->tpl;
    t.start_target = 1;
    write_slot(t.menus[0].caption, "STOCK");
    t.menus[0].caption_on = 1;
    const char* items[] = {"Receive goods", "Count shelf", "Returns"};
    for (int i = 0; i < 3; ++i) {
        write_slot(t.menus[0].item_name[i], items[i]);
        t.menus[0].item_next[i] = 1;
    }
    FormRecord& form = t.forms[0];
    form.data_type[0] = 1;
    write_slot(form.prompt[0], "Item:");
    form.max_length[0] = 12;
    form.data_type[1] = 2;
    write_slot(form.prompt[1], "Qty:");
    form.max_length[1] = 5;
    sim.press_key(7);  // "1": start the program
    sim.press_key(16);  // down to the second item
    QCoreApplication::processEvents();
    keep(terminal(), "menu");

    sim.press_key(12);  // Enter opens the form
    ASSERT_TRUE(window->simulator()->lcd().screen_is_form);
    QTest::mouseClick(window->simulator(), Qt::LeftButton, {}, QPoint(40, 375));  // Alpha
    sim.press_key(1);  // a letter being chosen
    QCoreApplication::processEvents();
    QImage form_shot = terminal();
    EXPECT_TRUE(has_content(form_shot));
    keep(form_shot, "form_alpha");
}

// Aligned 2 x 2 blocks of `area` that are not one colour: a picture blown
// up from half its size by doubling pixels has none.
int mixed_blocks(const QImage& image, const QRect& area) {
    int mixed = 0;
    for (int y = area.top(); y + 1 <= area.bottom(); y += 2)
        for (int x = area.left(); x + 1 <= area.right(); x += 2) {
            const QRgb c = image.pixel(x, y);
            if (image.pixel(x + 1, y) != c || image.pixel(x, y + 1) != c || image.pixel(x + 1, y + 1) != c)
                ++mixed;
        }
    return mixed;
}

TEST_F(Screenshots, TheTerminalAtEachZoomIsDrawnAtThatSize) {
    Template& t = doc->tpl;
    t.start_target = 1;
    write_slot(t.menus[0].caption, "STOCK");
    t.menus[0].caption_on = 1;
    const char* items[] = {"Receive goods", "Count shelf", "Returns"};
    for (int i = 0; i < 3; ++i) write_slot(t.menus[0].item_name[i], items[i]);
    SimulatorWindow& sim = *window->simulator();
    sim.runtime().press_key(7);  // "1": start the program, its menu shows
    for (const int percent : {100, 150, 200}) {
        sim.set_zoom(percent);
        const PixelSize size = TerminalZoom{percent}.window_size();
        EXPECT_EQ(window->size(), QSize(size.w, size.h)) << percent;  // the main window follows
        sim.runtime().clock_tick();
        QCoreApplication::processEvents();
        const QImage shot = terminal();
        ASSERT_EQ(shot.size(), QSize(size.w, size.h));
        EXPECT_TRUE(has_content(shot));
        keep(shot, ("terminal_zoom_" + std::to_string(percent)).c_str());
        if (percent == 200) {
            // The LCD's text and the key labels are drawn at 200 %, not
            // doubled from 100 %.
            EXPECT_GT(mixed_blocks(shot, QRect(50, 100, 260, 160)), 40);
            EXPECT_GT(mixed_blocks(shot, QRect(60, 470, 240, 40)), 40);
        }
    }
    sim.set_zoom(100);
    std::remove(user_settings_path().c_str());
}

TEST_F(Screenshots, PopUpMenuAndProgressWindow) {
    QMenu* menu = window->simulator()->popup_menu();
    menu->popup(window->mapToGlobal(QPoint(60, 150)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
    // The menu beside the terminal, as on the desktop.
    QImage popup = menu->grab().toImage();
    QImage both(window->width() + popup.width() - 120 + 60, std::max(400, popup.height() + 150),
                QImage::Format_ARGB32);
    both.fill(QColor(58, 110, 165));
    {
        QPainter p(&both);
        p.drawImage(0, 0, terminal());
        p.drawImage(60, 150, popup);
    }
    keep(both, "popup_menu");
    menu->hide();

    // The two dialogs of the shell, grabbed while open.
    for (int id : {command::kComSettings, command::kAbout}) {
        QTimer::singleShot(50, [id] {
            QWidget* dialog = QApplication::activeModalWidget();
            ASSERT_NE(dialog, nullptr);
            keep(dialog->grab().toImage(), id == command::kAbout ? "about_box" : "com_settings");
            if (auto* ok = control_as<QPushButton>(dialog, 1)) ok->click();
        });
        window->command(id);
    }

    QtProgress progress;
    progress.open("Progress");
    progress.set_value(42);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(progress.window()));
    keep(progress.window()->grab().toImage(), "progress_window");
    progress.close();
}

}  // namespace
}  // namespace kolibra
