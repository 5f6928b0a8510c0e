// Starting the designed program, menus, moving between targets, and moving
// between the lines of a form.
#include "sim_test_support.h"

#include <cstring>

namespace kolibra::test {
namespace {

class Runtime : public SimTest {};

TEST_F(Runtime, NoProgramAsksForOneAndPostsNew) {
    set_line(1, 1, kPrompt, "Hello");  // prompts only: last_input_line 0
    sim().lcd().key_held = true;
    start_program();
    ASSERT_EQ(prompter_.boxes.size(), 1u);
    EXPECT_EQ(prompter_.boxes[0].text, "Please define your program!");
    EXPECT_EQ(prompter_.boxes[0].caption, "No executable program");
    EXPECT_EQ(prompter_.boxes[0].icon, Icon::Warning);
    EXPECT_EQ(new_commands_, 1);
    EXPECT_FALSE(lcd().key_held);
    EXPECT_EQ(view_.mouse_releases, 1);
    EXPECT_EQ(sim().screen(), SimScreen::MainScreen);
    EXPECT_EQ(form(1).last_input_line, 0);

    // Starting with menu 1, which has no items, is no program either.
    tpl().start_target = 1;
    start_program();
    EXPECT_EQ(new_commands_, 2);
}

TEST_F(Runtime, StartsFormOneOrMenuOne) {
    set_line(1, 3, kInteger, "Qty:");
    start_program();
    EXPECT_EQ(sim().screen(), SimScreen::FormScreen);
    EXPECT_EQ(sim().current_target(), 1);
    EXPECT_EQ(form(1).last_input_line, 3);  // derived on start
    EXPECT_EQ(lcd().highlight, 0);
    EXPECT_EQ(lcd().cursor_row, 2);  // line 1 is no input line
    EXPECT_EQ(lcd().cursor_col, 4);
    EXPECT_TRUE(lcd().screen_is_form);

    keys({key::kRestart});
    EXPECT_FALSE(lcd().screen_is_form);
    tpl().start_target = 1;
    set_item(1, 1, "Count", 1);
    start_program();
    EXPECT_EQ(sim().screen(), SimScreen::MenuScreen);
    EXPECT_EQ(sim().current_target(), 11);
    EXPECT_EQ(row(0), "Count");
    EXPECT_EQ(lcd().highlight, 1);
}

TEST_F(Runtime, MenuWithCaptionShowsSevenItemsAndReachesTheEighth) {
    tpl().start_target = 1;
    menu(1).caption_on = 1;
    write_slot(menu(1).caption, "MAIN MENU");
    for (int k = 1; k <= 8; ++k) set_item(1, k, "Item " + std::to_string(k), 12);
    set_item(1, 8, "Item 8", 13);
    set_item(2, 1, "Menu two", 11);
    set_item(3, 1, "Menu three", 11);
    menu(3).esc_target = 11;
    start_program();

    EXPECT_EQ(row(0), "MAIN MENU");
    EXPECT_EQ(row(1), "Item 1");
    EXPECT_EQ(row(7), "Item 7");
    EXPECT_EQ(lcd().highlight, 2);
    keys({key::kUp});  // no wrap-around
    EXPECT_EQ(lcd().highlight, 2);
    for (int i = 0; i < 7; ++i) keys({key::kDown});
    EXPECT_EQ(lcd().highlight, 9);  // item 8 is past the screen: no row highlighted
    EXPECT_EQ(menu(1).sim_item[0], 7);
    keys({key::kDown});  // nothing below item 8
    EXPECT_EQ(menu(1).sim_item[0], 7);
    keys({key::kEnter});
    EXPECT_EQ(sim().current_target(), 13);
    keys({key::kEsc});  // back to menu 1, selection kept
    EXPECT_EQ(sim().current_target(), 11);
    EXPECT_EQ(lcd().highlight, 9);
    keys({key::k8});
    EXPECT_EQ(sim().current_target(), 13);
}

TEST_F(Runtime, MenuWithoutCaptionShowsEightItems) {
    tpl().start_target = 1;
    for (int k = 1; k <= 10; ++k) set_item(1, k, "Item " + std::to_string(k), 0);
    start_program();
    EXPECT_EQ(menu(1).item_count, 10);
    EXPECT_EQ(row(0), "Item 1");
    EXPECT_EQ(row(7), "Item 8");
    for (int i = 0; i < 12; ++i) keys({key::kDown});
    EXPECT_EQ(lcd().highlight, 8);  // stops on the last shown row
    keys({key::k9});                 // item 9 exists but is never shown
    EXPECT_EQ(sim().screen(), SimScreen::MainScreen);
}

TEST_F(Runtime, MenuBlankSlotIsShownAndPushesTheLastItemOut) {
    tpl().start_target = 1;
    set_item(1, 1, "One", 12);
    set_item(1, 2, "Two", 12);
    set_item(1, 3, "   ", 13);
    set_item(1, 4, "Four", 14);
    set_item(2, 1, "x", 0);
    set_item(3, 1, "x", 0);
    set_item(4, 1, "x", 0);
    start_program();
    EXPECT_EQ(menu(1).item_count, 3);
    EXPECT_EQ(row(1), "Two");
    EXPECT_EQ(row(2), "   ");
    EXPECT_EQ(row(3), "");
    keys({key::k4});  // beyond the count
    EXPECT_EQ(sim().current_target(), 11);
    keys({key::k0, key::kDot, key::kBackSpace, key::kSpace, key::kFn, key::kPwr});
    EXPECT_EQ(sim().current_target(), 11);
    keys({key::k3});  // the blank slot's target
    EXPECT_EQ(sim().current_target(), 13);
}

TEST_F(Runtime, EscFromFormKeepsMenuSelectionButRestartsForms) {
    tpl().start_target = 1;
    set_item(1, 1, "Receive", 1);
    set_item(1, 2, "Count", 2);
    set_line(1, 1, kInteger, "N:");
    set_line(2, 1, kInteger, "Qty:");
    form(2).esc_target = 11;
    form(1).esc_target = 1;  // itself
    start_program();
    keys({key::k2});
    EXPECT_EQ(sim().current_target(), 2);
    keys({key::kEsc});
    EXPECT_EQ(sim().current_target(), 11);
    EXPECT_EQ(lcd().highlight, 2);

    keys({key::kUp, key::kEnter});
    EXPECT_EQ(sim().current_target(), 1);
    type("42");
    EXPECT_EQ(row(0), "N:42");
    keys({key::kEsc});  // a form target starts afresh
    EXPECT_EQ(sim().current_target(), 1);
    EXPECT_EQ(row(0), "N:");
    EXPECT_EQ(lcd().cursor_col, 2);
    EXPECT_EQ(sim().field(0).data, "");
}

TEST_F(Runtime, TargetsBeyondTwentyAndStraySelectionsAreSafe) {
    set_line(1, 1, kInteger, "N:");
    form(1).next_target = 99;
    start_program();
    keys({key::kEnter});
    EXPECT_EQ(sim().screen(), SimScreen::MainScreen);
    EXPECT_EQ(lcd().highlight, 1);

    // ESC into a menu whose kept selection names no item starts at item 1.
    set_item(3, 1, "Only", 0);
    menu(3).sim_item[0] = 200;
    form(1).esc_target = 13;
    start_program();
    keys({key::kEsc});
    EXPECT_EQ(sim().current_target(), 13);
    EXPECT_EQ(lcd().highlight, 1);
    keys({key::kEnter});
    EXPECT_EQ(sim().screen(), SimScreen::MainScreen);

    // A template opened while a form is shown replaces the form's record, and
    // with it the line byte; keys that follow stay inside the form's 8 lines.
    start_program();
    for (const int code : {key::k1, key::kBackSpace, key::kUp}) {
        form(1).current_line = 200;
        sim().press_key(code);
    }
    EXPECT_EQ(row(0), "N:");
    EXPECT_EQ(form(1).current_line, 0);
    form(1).current_line = 200;
    keys({key::k1});
    EXPECT_EQ(sim().field(0).data, "1");
    EXPECT_EQ(row(0), "N:1");
}

TEST_F(Runtime, CursorMovesBetweenInputLinesOnly) {
    set_line(1, 1, kText, "A:");
    set_line(1, 2, kPrompt, "-- info --");
    set_line(1, 3, kCounter, "No:");
    set_line(1, 4, kText, "T:", 40);
    set_line(1, 5, kExtension, "");
    set_line(1, 6, kInteger, "N:");
    spread_extensions(tpl());
    start_program();
    EXPECT_EQ(lcd().cursor_row, 0);
    keys({key::kUp});  // first input line: nothing
    EXPECT_EQ(lcd().cursor_row, 0);
    keys({key::kEnter});  // over the prompt and the counter line
    EXPECT_EQ(lcd().cursor_row, 3);
    EXPECT_EQ(lcd().cursor_col, 2);
    const int repaints = view_.full_repaints;
    keys({key::kDown});  // dropped
    EXPECT_EQ(lcd().cursor_row, 3);
    EXPECT_EQ(view_.full_repaints, repaints);

    type("12345678901234567");  // fills the row to column 18
    EXPECT_EQ(lcd().cursor_col, 19);
    type("8");  // onto the extension line
    EXPECT_EQ(lcd().cursor_row, 4);
    EXPECT_EQ(lcd().cursor_col, 0);
    keys({key::kUp});  // from the extension line: the field before the extended one
    EXPECT_EQ(lcd().cursor_row, 0);
    EXPECT_EQ(lcd().cursor_col, 2);
    keys({key::kEnter});  // back on line 4: data kept, cursor at the start
    EXPECT_EQ(lcd().cursor_row, 3);
    EXPECT_EQ(lcd().cursor_col, 2);
    EXPECT_EQ(row(3), "T:123456789012345678");
    keys({key::kEnter});
    EXPECT_EQ(lcd().cursor_row, 5);
}

TEST_F(Runtime, FirstInputLineBelowAPromptIgnoresCursorUp) {
    set_line(1, 1, kPrompt, "Scan please");
    set_line(1, 2, kText, "A:");
    start_program();
    EXPECT_EQ(lcd().cursor_row, 1);
    const int repaints = view_.full_repaints;
    keys({key::kUp});
    EXPECT_EQ(lcd().cursor_row, 1);
    EXPECT_EQ(form(1).current_line, 1);
    EXPECT_EQ(view_.full_repaints, repaints);
}

TEST_F(Runtime, CompletedFormCountsAndGoesToItsNextTarget) {
    set_line(1, 1, kInteger, "N:");
    set_line(1, 2, kCounter, "Rec:");
    form(1).next_target = 1;  // itself: started afresh
    start_program();
    EXPECT_EQ(row(1), "Rec:00000");
    type("5");
    keys({key::kEnter});
    EXPECT_EQ(sim().record_counter(), 1u);
    EXPECT_EQ(sim().current_target(), 1);
    EXPECT_EQ(row(0), "N:");
    EXPECT_EQ(row(1), "Rec:00001");

    form(1).next_target = 0;
    keys({key::kEnter});
    EXPECT_EQ(sim().record_counter(), 2u);
    EXPECT_EQ(sim().screen(), SimScreen::MainScreen);
    EXPECT_EQ(lcd().highlight, 1);
    EXPECT_EQ(row(0), "1.Collect data ");
    keys({key::kRestart});
    EXPECT_EQ(sim().record_counter(), 2u);  // never reset
}

TEST_F(Runtime, TooShortDataShowsTheErrorPageUntilAnyKey) {
    set_line(1, 1, kInteger, "PIN:", 6, 3);
    set_line(1, 2, kText, "B:");
    start_program();
    type("12");
    keys({key::kEnter});
    EXPECT_EQ(sim().screen(), SimScreen::ErrorScreen);
    EXPECT_FALSE(lcd().screen_is_form);
    EXPECT_EQ(row(0), "PIN:12");
    EXPECT_EQ(row(4), "********************");
    EXPECT_EQ(trimmed(row(5)), "Data is too short!");
    EXPECT_EQ(trimmed(row(6)), "Press any key...");
    EXPECT_EQ(row(7), "********************");
    keys({key::k9});  // any key only returns; the 9 is not typed
    EXPECT_EQ(sim().screen(), SimScreen::FormScreen);
    EXPECT_EQ(row(0), "PIN:12");
    EXPECT_EQ(row(4), "");
    EXPECT_EQ(lcd().cursor_col, 6);
    type("3");
    keys({key::kEnter});
    EXPECT_EQ(lcd().cursor_row, 1);
}

TEST_F(Runtime, WritesOnlyRunTimePositionsAndDerivedCounts) {
    tpl().start_target = 1;
    set_item(1, 1, "Form", 1);
    set_item(1, 2, "Other", 12);
    set_item(2, 1, "Back", 11);
    menu(2).esc_target = 11;
    set_line(1, 1, kText, "A:", 30);
    set_line(1, 2, kExtension, "stale prompt");  // derive_counts clears it
    set_line(1, 3, kPassDown, "P:");
    set_initial(1, 1, "XY");
    form(1).record_action = 3;
    form(1).next_target = 11;
    form(1).esc_target = 11;

    auto expected = std::make_unique<Template>(tpl());
    derive_counts(*expected);

    start_program();
    keys({key::k1});
    type("123456789012345678901234");
    keys({key::kBackSpace, key::kEnter});  // completes: back to menu 1
    ASSERT_EQ(sim().current_target(), 11);
    keys({key::kDown, key::kEnter, key::kEsc, key::kEsc});
    ASSERT_EQ(sim().screen(), SimScreen::MainScreen);

    // Put back the bytes the runtime may write, then everything must match.
    for (int n = 0; n < kFormCount; ++n) expected->forms[n].current_line = tpl().forms[n].current_line;
    for (int n = 0; n < kMenuCount; ++n) {
        expected->menus[n].sim_item[0] = tpl().menus[n].sim_item[0];
        expected->menus[n].sim_item[1] = tpl().menus[n].sim_item[1];
    }
    EXPECT_EQ(std::memcmp(expected.get(), &tpl(), sizeof(Template)), 0);
    EXPECT_EQ(menu(1).sim_item[0], 1);  // "Other" was the last selection
}

}  // namespace
}  // namespace kolibra::test
