#include "simulator/qt/simulator_window.h"

#include "model/text_slot.h"
#include "support/qt_test_app.h"
#include "shell/shell_test_doubles.h"
#include "common/file_replace.h"
#include "common/user_settings.h"
#include "simulator/key_hit_test.h"
#include "simulator/rendered_images.h"
#include "simulator/qt/qt_canvas.h"

#include <QFontMetricsF>
#include <QMenu>
#include <QPaintEvent>
#include <QRegion>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

namespace kolibra {
namespace {

TEST(KeyHitTest, EdgesOfTheKeysAndTheGapsBetweenThem) {
    struct Case { int x, y, code; };
    const Case cases[] = {
        {31, 236, 1}, {60, 236, 1}, {61, 236, 0}, {31, 254, 0}, {31, 253, 1},
        {30, 236, 0},  // the left edge itself is off the keys
        {75, 235, 0},  // and so is the top edge row
        {76, 236, 2}, {121, 236, 3}, {150, 236, 3}, {151, 236, 0},
        {31, 264, 4}, {121, 320, 12}, {121, 336, 12},
        {147, 382, 20}, {148, 382, 0}, {147, 383, 0},
        {33, 348, 13}, {33, 347, 0}, {32, 348, 0}, {54, 348, 13}, {55, 348, 0},
        {64, 348, 14}, {95, 348, 15}, {126, 348, 16}, {33, 360, 13}, {33, 361, 0},
        {33, 369, 0}, {33, 370, 17}, {64, 371, 18}, {95, 371, 19}, {126, 371, 20},
        {90, 200, 0}, {5, 5, 0}, {-3, 300, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(hit_test_key(c.x, c.y).code, c.code) << c.x << "," << c.y;
    }
    KeyHit pwr = hit_test_key(147, 382);
    EXPECT_EQ(pwr.origin_x, 126);
    EXPECT_EQ(pwr.origin_y, 370);
    KeyHit nine = hit_test_key(140, 300);
    EXPECT_EQ(nine.code, 9);
    EXPECT_EQ(nine.origin_x, 120);
    EXPECT_EQ(nine.origin_y, 291);
}

TEST(TerminalArtwork, EveryImageHasItsSize) {
    test::app();
    for (int n = 500; n <= 545; ++n) {
        const PixelSize size = terminal_image_size(n);
        EXPECT_EQ(terminal_image(n).size(), QSize(size.w, size.h)) << n;
    }
    // Up and pressed images differ, so a press can be seen.
    EXPECT_NE(terminal_image(501), terminal_image(521));
    EXPECT_NE(terminal_image(520), terminal_image(540));
}

TEST(LcdFont, EveryCharacterFitsItsFivePixelColumn) {
    test::app();
    QFontMetricsF metrics(lcd_font());
    for (char c = 33; c < 127; ++c) {
        EXPECT_LE(metrics.horizontalAdvance(QLatin1Char(c)), 5.01) << c;
    }
    EXPECT_GE(metrics.ascent(), 6.0);  // still large enough to read
}

class SimulatorWindowTest : public ::testing::Test {
protected:
    SimulatorWindowTest() {
        test::app();
        // Every window starts at 100 %, whatever a test before chose.
        std::remove(user_settings_path().c_str());
        reset_template(*tpl);
        window = std::make_unique<SimulatorWindow>(*tpl, [this](int id) { commands.push_back(id); },
                                                   &prompter, nullptr);
        window->set_menu_opener([this](QMenu&, const QPoint& at) {
            menu_positions.push_back(at);
            return menu_answer;
        });
        window->move(300, 50);
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    void click(int x, int y) {
        QTest::mousePress(window.get(), Qt::LeftButton, {}, QPoint(x, y));
        QTest::mouseRelease(window.get(), Qt::LeftButton, {}, QPoint(x, y));
    }

    // Form 1 with one text line, entered from the main page.
    void enter_form() {
        FormRecord& form = tpl->forms[0];
        form.data_type[0] = 1;
        write_slot(form.prompt[0], "Item:");
        form.max_length[0] = 10;
        window->runtime().press_key(7);  // "1" on the main page starts the program
        ASSERT_TRUE(window->lcd().screen_is_form);
    }

    std::unique_ptr<Template> tpl = std::make_unique<Template>();
    test::RecordingPrompter prompter;
    std::vector<int> commands;
    std::vector<QPoint> menu_positions;
    int menu_answer = 0;
    std::unique_ptr<SimulatorWindow> window;

    ~SimulatorWindowTest() override { std::remove(user_settings_path().c_str()); }
};

TEST_F(SimulatorWindowTest, AClickOnAKeyReachesTheRuntimeAndShowsTheKeyPressed) {
    QTest::mousePress(window.get(), Qt::LeftButton, {}, QPoint(80, 240));
    EXPECT_EQ(window->runtime().last_key(), 2);
    EXPECT_TRUE(window->lcd().key_held);
    EXPECT_EQ(window->lcd().pressed_origin.x, 75);
    EXPECT_EQ(window->lcd().pressed_origin.y, 235);
    const QImage held = window->grab().toImage();
    // A face pixel of the pressed image (no label there).
    EXPECT_EQ(held.pixel(75 + 16, 235 + 17), terminal_image(522).pixel(16, 17));
    QTest::mouseRelease(window.get(), Qt::LeftButton, {}, QPoint(80, 240));
    EXPECT_FALSE(window->lcd().key_held);
    EXPECT_EQ(window->lcd().pressed_key, 2);  // kept after the release
    const QImage up = window->grab().toImage();
    EXPECT_EQ(up.pixel(75 + 16, 235 + 17), terminal_image(502).pixel(16, 17));
    EXPECT_NE(terminal_image(502).pixel(16, 17), terminal_image(522).pixel(16, 17));

    click(100, 375);  // ESC
    EXPECT_EQ(window->runtime().last_key(), 19);
    EXPECT_TRUE(menu_positions.empty());  // only PWR opens the menu
}

TEST_F(SimulatorWindowTest, AlphaTogglesBeforeTheRuntimeOnlyInAForm) {
    click(40, 375);  // Alpha on the main page
    EXPECT_FALSE(window->lcd().alpha_mode);
    EXPECT_EQ(window->runtime().last_key(), 17);

    enter_form();
    click(40, 375);
    EXPECT_TRUE(window->lcd().alpha_mode);
    // The indicator shows at (146, 114).
    const QImage on = window->grab().toImage();
    EXPECT_EQ(on.copy(146, 114, 8, 10), terminal_image(543).convertToFormat(on.format()));
    // In letter mode the "7 ABC" key gives a letter preview, not a digit.
    click(40, 240);
    EXPECT_TRUE(window->runtime().letter().pending);
    EXPECT_EQ(window->runtime().letter().pending_char, 'A');
    click(40, 375);
    EXPECT_FALSE(window->lcd().alpha_mode);
}

TEST_F(SimulatorWindowTest, PopUpMenuOpensOnRightClickAndOnReleasingPwr) {
    QTest::mousePress(window.get(), Qt::RightButton, {}, QPoint(90, 150));
    ASSERT_EQ(menu_positions.size(), 1u);
    EXPECT_EQ(menu_positions[0], window->mapToGlobal(QPoint(90, 150)));

    QTest::mousePress(window.get(), Qt::LeftButton, {}, QPoint(130, 375));
    EXPECT_EQ(menu_positions.size(), 1u);  // not on the press
    QTest::mouseRelease(window.get(), Qt::LeftButton, {}, QPoint(130, 375));
    ASSERT_EQ(menu_positions.size(), 2u);
    EXPECT_EQ(menu_positions[1], window->mapToGlobal(QPoint(126, 370)));

    // The chosen command goes to the main window, after the click.
    menu_answer = 2100;
    QTest::mousePress(window.get(), Qt::RightButton, {}, QPoint(90, 150));
    EXPECT_TRUE(commands.empty());
    QCoreApplication::processEvents();
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0], 2100);
}

TEST_F(SimulatorWindowTest, ThePcKeyboardTypesAnItemCodeAndShowsEachKeyPressed) {
    enter_form();
    window->setFocus();
    // "AB": Alpha, A, then B waits for A to time out on the clock.
    QTest::keyClicks(window.get(), "AB");
    EXPECT_TRUE(window->lcd().key_held);
    EXPECT_EQ(window->lcd().pressed_key, 1);  // the letter key shows pressed
    QTRY_COMPARE_WITH_TIMEOUT(window->runtime().letter().pending_char, 'B', 3000);
    QTest::keyClicks(window.get(), "7");
    QTest::keyClick(window.get(), Qt::Key_Backspace);
    QTest::keyClicks(window.get(), "9");
    EXPECT_EQ(window->runtime().field(0).data, "AB9");
    EXPECT_EQ(window->lcd().row(0), "Item:AB9");
    EXPECT_FALSE(window->lcd().alpha_mode);
    // The key shown pressed lets go after a moment.
    QTRY_VERIFY_WITH_TIMEOUT(!window->lcd().key_held, 2000);
    QTest::keyClick(window.get(), Qt::Key_Return);
    EXPECT_EQ(window->runtime().record_counter(), 1u);
}

TEST_F(SimulatorWindowTest, ScanBarcodeFromTheMenuAndF2OffersTheLastCodes) {
    enter_form();
    std::vector<std::vector<std::string>> offered;
    std::string answer = "12345";
    window->set_scan_asker([&](const std::vector<std::string>& recent, std::string& text) {
        offered.push_back(recent);
        text = answer;
        return true;
    });
    menu_answer = 3070;
    QTest::mousePress(window.get(), Qt::RightButton, {}, QPoint(90, 150));
    QCoreApplication::processEvents();
    EXPECT_TRUE(commands.empty());  // the window scans itself
    ASSERT_EQ(offered.size(), 1u);
    EXPECT_TRUE(offered[0].empty());
    // The factory line takes scans and presses Enter after them.
    EXPECT_EQ(window->runtime().record_counter(), 1u);

    window->runtime().press_key(key::kRestart);
    window->runtime().press_key(7);
    tpl->forms[0].input_source[0] = 1;  // keypad
    answer = "999";
    QTest::keyClick(window.get(), Qt::Key_F2);
    ASSERT_EQ(offered.size(), 2u);
    EXPECT_EQ(offered[1], std::vector<std::string>{"12345"});
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].text, "This line takes keypad input only.");
    EXPECT_EQ(window->runtime().field(0).data, "");
}

TEST_F(SimulatorWindowTest, PopUpMenuHasEveryEntryAndCommand) {
    QMenu* menu = window->popup_menu();
    ASSERT_NE(menu, nullptr);
    struct Entry { const char* text; int command; };
    const Entry top[] = {
        {"&New\tCtrl+N", 1010}, {"&Open...\tCtrl+O", 1020}, {"&Save\tCtrl+S", 1030},
        {"Save &As...", 1040}, {"", 0}, {"Edit\tCtrl+E", 2000}, {"&COM port settings...", 2100},
        {"", 0}, {"&Download program", -1}, {"Download &lookup file", -1}, {"&Receive data", -1},
        {"Scan barcode...\tF2", 3070}, {"&Zoom", -2}, {"Collected records...", 3050},
        {"Reception &history...", 3060}, {"", 0}, {"A&bout...", 9030}, {"&Exit\tAlt+F4", 1090},
    };
    const int sub_commands[3][2] = {{3020, 3021}, {3040, 3041}, {3030, 3031}};
    const auto actions = menu->actions();
    ASSERT_EQ(actions.size(), 18);
    int sub = 0;
    for (int i = 0; i < 18; ++i) {
        QAction* a = actions[i];
        if (top[i].command == 0) {
            EXPECT_TRUE(a->isSeparator()) << i;
            continue;
        }
        EXPECT_EQ(a->text().toStdString(), top[i].text) << i;
        if (top[i].command > 0) {
            EXPECT_EQ(a->data().toInt(), top[i].command) << i;
            continue;
        }
        ASSERT_NE(a->menu(), nullptr) << i;
        const auto items = a->menu()->actions();
        if (top[i].command == -2) {
            ASSERT_EQ(items.size(), 3);
            const char* texts[] = {"100 %", "150 %", "200 %"};
            for (int k = 0; k < 3; ++k) {
                EXPECT_EQ(items[k]->text().toStdString(), texts[k]);
                EXPECT_EQ(items[k]->data().toInt(), 3081 + k);
            }
            continue;
        }
        ASSERT_EQ(items.size(), 2);
        EXPECT_EQ(items[0]->text(), "Via &RS-232 or IrDA...");
        EXPECT_EQ(items[1]->text(), "Via &IR Transceiver...");
        EXPECT_EQ(items[0]->data().toInt(), sub_commands[sub][0]);
        EXPECT_EQ(items[1]->data().toInt(), sub_commands[sub][1]);
        ++sub;
    }
    EXPECT_EQ(sub, 3);
}

TEST_F(SimulatorWindowTest, DraggingOffTheKeysOutlinesAndMovesTheWindow) {
    const QPoint start = window->pos();
    // Press and release without moving: the window stays where it is.
    click(10, 150);
    EXPECT_EQ(window->pos(), start);

    QTest::mousePress(window.get(), Qt::LeftButton, {}, QPoint(10, 150));
    EXPECT_TRUE(window->lcd().dragging);
    ASSERT_NE(window->drag_outline(), nullptr);
    EXPECT_TRUE(window->drag_outline()->isVisible());
    QTest::mouseMove(window.get(), QPoint(-30, 160));  // left of the window
    EXPECT_EQ(window->drag_outline()->geometry(), QRect(start + QPoint(-40, 10), QSize(180, 400)));
    EXPECT_EQ(window->lcd().drag_frame.left, start.x() - 40);
    QTest::mouseRelease(window.get(), Qt::LeftButton, {}, QPoint(-30, 160));
    EXPECT_FALSE(window->drag_outline()->isVisible());
    EXPECT_FALSE(window->lcd().dragging);
    EXPECT_EQ(window->pos(), start + QPoint(-40, 10));

    // Moving while a key is held drags nothing.
    QTest::mousePress(window.get(), Qt::LeftButton, {}, QPoint(80, 240));
    QTest::mouseMove(window.get(), QPoint(10, 150));
    QTest::mouseRelease(window.get(), Qt::LeftButton, {}, QPoint(10, 150));
    EXPECT_EQ(window->pos(), start + QPoint(-40, 10));
}

TEST_F(SimulatorWindowTest, LcdShowsRowsHighlightAndCursor) {
    // The main page highlights line 1: the bar at (26, 53) is drawn.
    ASSERT_EQ(window->lcd().highlight, 1);
    QImage shot = window->grab().toImage();
    const QImage bar = terminal_image(542).convertToFormat(shot.format());
    EXPECT_EQ(shot.pixel(26 + 119, 53), bar.pixel(119, 0));  // the bar's right end, no text there
    EXPECT_NE(shot.pixel(26 + 120, 53), bar.pixel(119, 0));
    // Some white text pixels sit on the bar.
    int white = 0;
    for (int x = 26; x < 146; ++x)
        for (int y = 53; y < 63; ++y) white += QColor(shot.pixel(x, y)).lightness() > 200;
    EXPECT_GT(white, 5);

    enter_form();
    QCoreApplication::processEvents();
    shot = window->grab().toImage();
    const LcdModel& m = window->lcd();
    const QPoint cell(26 + 5 * m.cursor_col, 52 + 10 * m.cursor_row);
    const QImage cursor = terminal_image(541).convertToFormat(shot.format());
    EXPECT_EQ(shot.pixel(cell + QPoint(0, 9)), cursor.pixel(0, 9));
}

// Records the region of every paint event of a widget.
class PaintRegions : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) region += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
    QRegion region;
};

TEST_F(SimulatorWindowTest, ClockLineLeavesNothingBehindWhenItChangesOrGoes) {
    // The screen as the window left it: a full paint with the clock line,
    // then only the regions the window asked to repaint.
    QImage screen(window->size(), QImage::Format_RGB32);
    window->draw_clock_line("JAN01, 12:00  0");
    QCoreApplication::processEvents();
    window->render(&screen);
    PaintRegions paints;
    window->installEventFilter(&paints);
    auto repaint_and_compare = [&](const char* what) {
        paints.region = QRegion();
        QCoreApplication::processEvents();
        const QRegion asked = paints.region;
        // render() puts the top left of the region at the offset given.
        window->render(&screen, asked.boundingRect().topLeft(), asked);
        QImage fresh(window->size(), QImage::Format_RGB32);
        window->render(&fresh);
        int stale = 0;
        for (int y = 0; y < fresh.height(); ++y)
            for (int x = 0; x < fresh.width(); ++x) stale += fresh.pixel(x, y) != screen.pixel(x, y);
        EXPECT_EQ(stale, 0) << what;
    };
    window->draw_clock_line("JAN01, 12 00  0");
    repaint_and_compare("the line changed");
    window->invalidate_lcd();  // a new screen: the clock line goes
    repaint_and_compare("the line went");
    window->removeEventFilter(&paints);
}

}  // namespace
}  // namespace kolibra

namespace kolibra {
namespace {

// The middle of key `code`'s hit area in terminal pixels.
LcdPoint key_centre(int code) {
    const KeyHit key = key_origin(code);
    return code <= 12 ? LcdPoint{key.origin_x + 15, key.origin_y + 10}
                      : LcdPoint{key.origin_x + 11, key.origin_y + 7};
}

TEST_F(SimulatorWindowTest, EveryKeyAtOneAndAHalfAndTwiceTheSizeIsHitByARealClick) {
    for (const int percent : {150, 200}) {
        window->set_zoom(percent);
        const TerminalZoom zoom{percent};
        ASSERT_EQ(window->size(), QSize(zoom.window_size().w, zoom.window_size().h));
        for (int code = 1; code <= 20; ++code) {
            const LcdPoint centre = key_centre(code);
            const QPoint at(zoom.to_window(centre.x), zoom.to_window(centre.y));
            QTest::mousePress(window.get(), Qt::LeftButton, {}, at);
            EXPECT_EQ(window->runtime().last_key(), code) << percent << "% key " << code;
            EXPECT_EQ(window->lcd().pressed_key, code);
            QTest::mouseRelease(window.get(), Qt::LeftButton, {}, at);
        }
        // The gap between the 7 and 8 keys is off the keys: a drag, no key.
        const int before = window->runtime().last_key();
        click(zoom.to_window(67), zoom.to_window(245));
        EXPECT_EQ(window->runtime().last_key(), before);
    }
    // Menu positions: PWR's release opened it at the key's scaled corner.
    ASSERT_FALSE(menu_positions.empty());
    EXPECT_EQ(menu_positions.back(), window->mapToGlobal(QPoint(252, 740)));
}

TEST_F(SimulatorWindowTest, ThePressedKeyIsDrawnAtTheZoom) {
    window->set_zoom(200);
    const TerminalZoom zoom{200};
    const QPoint at(zoom.to_window(80), zoom.to_window(240));
    QTest::mousePress(window.get(), Qt::LeftButton, {}, at);
    const QImage held = window->grab().toImage();
    const QImage& pressed = terminal_image(522, place_image(522, 75, 235, zoom));
    const QImage& up = terminal_image(502, place_image(502, 75, 235, zoom));
    ASSERT_EQ(pressed.size(), QSize(64, 40));
    // A face pixel of the pressed key, away from its label.
    EXPECT_EQ(held.pixel(150 + 32, 470 + 35), pressed.pixel(32, 35));
    EXPECT_NE(pressed.pixel(32, 35), up.pixel(32, 35));
    QTest::mouseRelease(window.get(), Qt::LeftButton, {}, at);
    EXPECT_EQ(window->grab().toImage().pixel(150 + 32, 470 + 35), up.pixel(32, 35));
}

TEST_F(SimulatorWindowTest, TheZoomComesFromTheMenuAndCtrlPlusMinusAndIsRemembered) {
    EXPECT_EQ(window->zoom(), 100);
    menu_answer = 3083;  // "200 %"
    QTest::mousePress(window.get(), Qt::RightButton, {}, QPoint(90, 150));
    QCoreApplication::processEvents();
    EXPECT_TRUE(commands.empty());  // the terminal's own command
    EXPECT_EQ(window->zoom(), 200);
    EXPECT_EQ(window->size(), QSize(360, 800));
    EXPECT_EQ(UserSettings::load(user_settings_path()).get("terminal_zoom"), "200");

    // The menu shows the current size checked.
    menu_answer = 0;
    QTest::mousePress(window.get(), Qt::RightButton, {}, QPoint(90, 150));
    for (QAction* action : window->popup_menu()->findChildren<QAction*>()) {
        const int id = action->data().toInt();
        if (id >= 3081 && id <= 3083) {
            EXPECT_EQ(action->isChecked(), id == 3083) << id;
        }
    }

    window->setFocus();
    struct Step { Qt::Key key; Qt::KeyboardModifiers mods; int zoom; };
    const Step steps[] = {
        {Qt::Key_Plus, Qt::ControlModifier, 200},  // the largest stays
        {Qt::Key_Minus, Qt::ControlModifier, 150},
        {Qt::Key_Minus, Qt::ControlModifier, 100},
        {Qt::Key_Minus, Qt::ControlModifier, 100},
        {Qt::Key_Equal, Qt::ControlModifier, 150},  // Ctrl+= is Ctrl+plus without Shift
        {Qt::Key_Plus, Qt::ControlModifier | Qt::ShiftModifier, 200},
        {Qt::Key_Minus, Qt::NoModifier, 200},  // a plain "-" is typed, not a zoom
        {Qt::Key_Minus, Qt::ControlModifier, 150},
    };
    for (const Step& s : steps) {
        QTest::keyClick(window.get(), s.key, s.mods);
        EXPECT_EQ(window->zoom(), s.zoom) << s.key;
    }
    EXPECT_EQ(window->size(), QSize(270, 600));

    // The next window opens at the remembered size; a damaged value gives
    // the screen's own (the test screen's is 96 dots per inch).
    SimulatorWindow again(*tpl, nullptr, &prompter, nullptr);
    EXPECT_EQ(again.zoom(), 150);
    ASSERT_TRUE(replace_file_contents(user_settings_path(), "terminal_zoom=big\n").ok);
    SimulatorWindow damaged(*tpl, nullptr, &prompter, nullptr);
    EXPECT_EQ(damaged.zoom(), 100);
}

}  // namespace
}  // namespace kolibra
