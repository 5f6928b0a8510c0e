// The main page, utility menu, settings page, connecting page and clock line.
#include "sim_test_support.h"

namespace kolibra::test {
namespace {

class SystemScreens : public SimTest {};

TEST_F(SystemScreens, StartsOnTheMainPageWithLineOneHighlighted) {
    EXPECT_EQ(sim().screen(), SimScreen::MainScreen);
    EXPECT_EQ(lcd().highlight, 1);
    EXPECT_EQ(row(0), "1.Collect data ");
    EXPECT_EQ(row(1), "2.Upload data  ");
    EXPECT_EQ(row(2), "3.Utilities    ");
    EXPECT_EQ(row(4), "");
    EXPECT_EQ(view_.full_repaints, 1);
}

TEST_F(SystemScreens, MainPageHighlightWrapsAndRepaintsOnlyTheUpperRows) {
    keys({key::kUp});
    EXPECT_EQ(lcd().highlight, 3);
    keys({key::kDown});
    EXPECT_EQ(lcd().highlight, 1);
    keys({key::kDown, key::kDown});
    EXPECT_EQ(lcd().highlight, 3);
    EXPECT_EQ(view_.upper_repaints, 4);
    EXPECT_EQ(view_.full_repaints, 1);
    // Enter on line 3 opens the utility menu with its line 1 highlighted.
    keys({key::kEnter});
    EXPECT_EQ(sim().screen(), SimScreen::UtilityScreen);
    EXPECT_EQ(lcd().highlight, 1);
}

TEST_F(SystemScreens, ConnectingPageIgnoresAllButEsc) {
    write_slot(page_slot(tpl(), PageId::Connecting, 0), 16, "Linking...");
    write_slot(page_slot(tpl(), PageId::Connecting, 3), 16, "ESC to stop");
    keys({key::k3, key::k1});  // the settings page fills all 8 rows
    keys({key::kConnecting});
    for (int r = 4; r < 8; ++r) EXPECT_EQ(row(r), "") << r;
    keys({key::kEsc, key::k2});
    EXPECT_EQ(sim().screen(), SimScreen::ConnectingScreen);
    EXPECT_EQ(lcd().highlight, 0);
    EXPECT_EQ(row(0), "Linking...");
    EXPECT_EQ(row(3), "ESC to stop");
    for (int r = 4; r < 8; ++r) EXPECT_EQ(row(r), "") << r;
    keys({key::kEnter, key::k1, key::kUp, key::kDown});
    EXPECT_EQ(sim().screen(), SimScreen::ConnectingScreen);
    keys({key::kEsc});
    EXPECT_EQ(sim().screen(), SimScreen::MainScreen);
    EXPECT_EQ(lcd().highlight, 1);
}

TEST_F(SystemScreens, UtilityMenuWithSevenLines) {
    keys({key::k3});
    EXPECT_EQ(trimmed(row(0)), "1. System Settings");
    EXPECT_EQ(trimmed(row(6)), "7. Memory & Battery");
    EXPECT_EQ(row(7), "");
    keys({key::k8});  // there is no line 8
    EXPECT_EQ(lcd().highlight, 1);
    keys({key::kUp});
    EXPECT_EQ(lcd().highlight, 7);
    keys({key::kDown});
    EXPECT_EQ(lcd().highlight, 1);
    keys({key::k5});
    EXPECT_EQ(lcd().highlight, 5);
    EXPECT_EQ(sim().screen(), SimScreen::UtilityScreen);
    keys({key::k9, key::k0, key::kDot, key::kSpace});  // nothing
    EXPECT_EQ(lcd().highlight, 5);
    keys({key::kEsc});
    EXPECT_EQ(sim().screen(), SimScreen::MainScreen);
    EXPECT_EQ(lcd().highlight, 3);
}

TEST_F(SystemScreens, UtilityMenuWithEightLinesOnceLookupFileOneIsDefined) {
    EXPECT_EQ(utility_lines_for(tpl()), 7);
    tpl().lookups[0].member_length = 12;
    EXPECT_EQ(utility_lines_for(tpl()), 7);  // no fields yet
    tpl().lookups[0].field_count = 2;
    EXPECT_EQ(utility_lines_for(tpl()), 8);
    sim().set_utility_lines(utility_lines_for(tpl()));

    keys({key::k3});
    EXPECT_NE(row(7), "");
    keys({key::kUp});
    EXPECT_EQ(lcd().highlight, 8);
    keys({key::kDown});
    EXPECT_EQ(lcd().highlight, 1);
    keys({key::k8});
    EXPECT_EQ(lcd().highlight, 8);
    keys({key::kEnter});  // acts as digit 8: stays
    EXPECT_EQ(sim().screen(), SimScreen::UtilityScreen);
    EXPECT_EQ(lcd().highlight, 8);

    sim().set_utility_lines(5);  // anything but 8 means 7
    EXPECT_EQ(sim().utility_lines(), 7);
}

TEST_F(SystemScreens, SettingsPageWalk) {
    keys({key::k3, key::k1});
    EXPECT_EQ(sim().screen(), SimScreen::SettingsScreen);
    EXPECT_EQ(lcd().highlight, 8);  // row 7: item 7
    EXPECT_EQ(row(0), "  [SYSTEM SETTINGS] ");
    keys({key::kDown});
    EXPECT_EQ(lcd().highlight, 2);  // wraps to item 1
    keys({key::kUp});
    EXPECT_EQ(lcd().highlight, 8);
    keys({key::k4});
    EXPECT_EQ(lcd().highlight, 5);
    keys({key::kEnter});
    EXPECT_EQ(lcd().highlight, 5);
    keys({key::k8, key::k9});  // no such items
    EXPECT_EQ(lcd().highlight, 5);
    keys({key::kEsc});
    EXPECT_EQ(sim().screen(), SimScreen::UtilityScreen);
    EXPECT_EQ(lcd().highlight, 1);
    keys({key::kEsc});
    EXPECT_EQ(sim().screen(), SimScreen::MainScreen);
    EXPECT_EQ(lcd().highlight, 3);
}

TEST_F(SystemScreens, CommandsRestartAndOpenScreens) {
    keys({key::k3, key::k4});
    keys({key::kConnecting});
    EXPECT_EQ(sim().screen(), SimScreen::ConnectingScreen);
    keys({key::kUtility});
    EXPECT_EQ(sim().screen(), SimScreen::UtilityScreen);
    EXPECT_EQ(lcd().highlight, 1);
    keys({54, 58});
    EXPECT_EQ(sim().screen(), SimScreen::UtilityScreen);
    keys({key::kRestart});
    EXPECT_EQ(sim().screen(), SimScreen::MainScreen);
    EXPECT_EQ(lcd().highlight, 1);
    EXPECT_EQ(sim().last_key(), key::kRestart);
}

TEST(ClockLine, TextBlinksAndCarriesTheCounter) {
    const LocalDateTime t{2026, 3, 7, 9, 5, 0};
    EXPECT_EQ(clock_line_text(t, 0, false, 0), "MAR 07, 09:05  00000");
    EXPECT_EQ(clock_line_text(t, 4, false, 42), "MAR 07, 09:05  00042");
    EXPECT_EQ(clock_line_text(t, 5, false, 42), "MAR 07, 09 05  00042");
    EXPECT_EQ(clock_line_text(t, 9, true, 42), "MAR 07, 09 05  ");
    EXPECT_EQ(clock_line_text({2026, 12, 31, 23, 59, 59}, 1, true, 0), "DEC 31, 23:59  ");
    EXPECT_EQ(clock_line_text({2026, 1, 1, 0, 0, 0}, 1, true, 0), "JAN 01, 00:00  ");
}

TEST(ClockLine, CounterKeepsFiveDigits) {
    EXPECT_EQ(counter_text(0), "00000");
    EXPECT_EQ(counter_text(99999), "99999");
    EXPECT_EQ(counter_text(100000), "00000");
    EXPECT_EQ(counter_text(123456), "23456");
    EXPECT_EQ(clock_line_text({2026, 3, 7, 9, 5, 0}, 0, false, 100007).size(), 20u);
}

TEST_F(SystemScreens, ClockTickDrawsOnlyOnTheMainPage) {
    ticks(4);  // ticks 1 to 4: colon
    ASSERT_EQ(view_.clock_lines.size(), 4u);
    EXPECT_EQ(view_.clock_lines.back(), "MAR 07, 09:05  00000");
    ticks(1);  // tick 5: space
    EXPECT_EQ(view_.clock_lines.back(), "MAR 07, 09 05  00000");
    ticks(5);  // tick 0 again
    EXPECT_EQ(sim().tick(), 0);
    EXPECT_EQ(view_.clock_lines.back(), "MAR 07, 09:05  00000");

    tpl().extended.separate_files = 1;
    ticks(1);
    EXPECT_EQ(view_.clock_lines.back(), "MAR 07, 09:05  ");

    keys({key::k3});
    const auto drawn = view_.clock_lines.size();
    ticks(20);
    EXPECT_EQ(view_.clock_lines.size(), drawn);
}

}  // namespace
}  // namespace kolibra::test
