// Keying data into form fields: limits, type-over, scrolling, extension lines,
// back space, multi-tap letters and the character checks.
#include "sim_test_support.h"

namespace kolibra::test {
namespace {

class FieldInput : public SimTest {
protected:
    void alpha(bool on) { sim().lcd().alpha_mode = on; }
};

TEST(CheckChar, EachTypeAcceptsItsCharacters) {
    for (char c : std::string("aZ 9.*")) {
        EXPECT_TRUE(check_char(c, kText)) << c;
        EXPECT_TRUE(check_char(c, kExtension)) << c;
    }
    EXPECT_TRUE(check_char('0', kInteger));
    EXPECT_TRUE(check_char('9', kInteger));
    EXPECT_FALSE(check_char('.', kInteger));
    EXPECT_FALSE(check_char(' ', kInteger));
    EXPECT_TRUE(check_char('.', kReal));
    EXPECT_FALSE(check_char('-', kReal));
    EXPECT_TRUE(check_char('a', kLetter));
    EXPECT_TRUE(check_char('Z', kLetter));
    EXPECT_FALSE(check_char('1', kLetter));
    EXPECT_FALSE(check_char('[', kLetter));
    for (char c : std::string("01YNTF")) EXPECT_TRUE(check_char(c, kBoolean)) << c;
    for (char c : std::string("yntf2 ")) EXPECT_FALSE(check_char(c, kBoolean)) << c;
    for (int t : {0, 5, 6, 7, 10, 11, 12, 255}) {
        EXPECT_FALSE(check_char('A', static_cast<uint8_t>(t))) << t;
    }
}

TEST_F(FieldInput, FullFieldReplacesItsLastCharacter) {
    set_line(1, 1, kInteger, "Qty:", 5);
    start_program();
    type("12345");
    EXPECT_EQ(row(0), "Qty:12345");
    EXPECT_EQ(lcd().cursor_col, 8);  // on the 5
    type("6");
    EXPECT_EQ(row(0), "Qty:12346");
    EXPECT_EQ(sim().field(0).data, "12346");
    EXPECT_EQ(lcd().cursor_col, 8);
    keys({key::kBackSpace});
    EXPECT_EQ(row(0), "Qty:1234");
    EXPECT_EQ(sim().field(0).data, "1234");
    EXPECT_EQ(lcd().cursor_col, 8);  // after the 4
    keys({key::kBackSpace});
    EXPECT_EQ(row(0), "Qty:123");
    EXPECT_EQ(lcd().cursor_col, 7);
    type("45");
    EXPECT_EQ(row(0), "Qty:12345");
    EXPECT_EQ(lcd().cursor_col, 8);
    keys({key::kBackSpace, key::kBackSpace, key::kBackSpace, key::kBackSpace,
          key::kBackSpace, key::kBackSpace, key::kBackSpace});
    EXPECT_EQ(row(0), "Qty:");
    EXPECT_EQ(lcd().cursor_col, 4);
    EXPECT_EQ(sim().field(0).data, "");
}

TEST_F(FieldInput, LongFieldScrollsSidewaysAtColumnNineteen) {
    set_line(1, 1, kText, "Name:", 30);
    start_program();
    type("12345678901234");
    EXPECT_EQ(row(0), "Name:12345678901234");
    EXPECT_EQ(lcd().cursor_col, 19);
    type("5");
    EXPECT_EQ(row(0), "Name:23456789012345");
    EXPECT_EQ(lcd().cursor_col, 19);
    EXPECT_EQ(sim().field(0).data, "123456789012345");
    type("6");
    EXPECT_EQ(row(0), "Name:34567890123456");
    keys({key::kBackSpace});
    EXPECT_EQ(row(0), "Name:23456789012345");
    EXPECT_EQ(sim().field(0).data, "123456789012345");
    keys({key::kBackSpace});
    EXPECT_EQ(row(0), "Name:12345678901234");
    EXPECT_EQ(lcd().cursor_col, 19);
    keys({key::kBackSpace});
    EXPECT_EQ(row(0), "Name:1234567890123");
    EXPECT_EQ(lcd().cursor_col, 18);

    // Filled to its 30 characters it still takes no more.
    type("45678901234567890");
    EXPECT_EQ(sim().field(0).data, "123456789012345678901234567890");
    EXPECT_EQ(sim().field(0).data.size(), 30u);
    type("9");
    EXPECT_EQ(sim().field(0).data, "123456789012345678901234567899");
    EXPECT_EQ(lcd().cursor_col, 19);
}

TEST_F(FieldInput, LargeFontRowsAreFifteenWide) {
    form(1).font = 1;
    set_line(1, 1, kText, "ID:", 20);
    start_program();
    type("12345678901");
    EXPECT_EQ(row(0), "ID:12345678901");
    EXPECT_EQ(lcd().cursor_col, 14);
    type("2");
    EXPECT_EQ(row(0), "ID:23456789012");  // scrolled one place left
    EXPECT_EQ(lcd().cursor_col, 14);
}

TEST_F(FieldInput, ExtensionLineTakesTheRestOfTheField) {
    set_line(1, 1, kText, "Name:", 30);
    set_line(1, 2, kExtension, "");
    spread_extensions(tpl());
    ASSERT_EQ(form(1).max_length[1], 15);
    start_program();
    type("12345678901234");
    type("5");
    EXPECT_EQ(lcd().cursor_row, 1);
    EXPECT_EQ(lcd().cursor_col, 0);
    EXPECT_EQ(row(0), "Name:123456789012345");
    type("67");
    EXPECT_EQ(row(1), "67");
    EXPECT_EQ(lcd().cursor_col, 2);
    keys({key::kBackSpace, key::kBackSpace});
    EXPECT_EQ(row(1), "");
    EXPECT_EQ(lcd().cursor_row, 1);
    keys({key::kBackSpace});  // back onto line 1, whose last character goes
    EXPECT_EQ(lcd().cursor_row, 0);
    EXPECT_EQ(lcd().cursor_col, 19);
    EXPECT_EQ(row(0), "Name:12345678901234");
    EXPECT_EQ(sim().field(0).data, "12345678901234");
    type("0");  // the 15th character again moves on
    EXPECT_EQ(lcd().cursor_row, 1);
    // The extension line holds the last 15 of the 30 characters.
    type("123456789012345");
    EXPECT_EQ(row(1), "123456789012345");
    EXPECT_EQ(lcd().cursor_col, 14);
    type("9");
    EXPECT_EQ(row(1), "123456789012349");
}

TEST_F(FieldInput, TypeOverReplacesInitialValueAndExtensions) {
    set_line(1, 1, kText, "Code:", 30);
    set_line(1, 2, kExtension, "");
    set_line(1, 3, kInteger, "N:");
    set_initial(1, 1, "ABC");
    spread_extensions(tpl());
    start_program();
    EXPECT_EQ(row(0), "Code:ABC");
    EXPECT_EQ(lcd().cursor_col, 5);
    keys({key::kEnter});  // accepts the initial value
    EXPECT_EQ(sim().field(0).data, "ABC");
    EXPECT_EQ(lcd().cursor_row, 2);

    keys({key::kRestart});
    start_program();
    type("7");
    EXPECT_EQ(row(0), "Code:7");
    EXPECT_EQ(sim().field(0).data, "7");
    EXPECT_EQ(lcd().cursor_col, 6);

    // Data on the extension line goes too when the field is keyed over.
    type("12345678901234");
    type("56");
    ASSERT_EQ(row(1), "56");
    keys({key::kEnter, key::kUp});
    EXPECT_EQ(lcd().cursor_row, 0);
    EXPECT_EQ(row(1), "56");  // kept while only moving
    type("9");
    EXPECT_EQ(row(0), "Code:9");
    EXPECT_EQ(row(1), "");
    EXPECT_EQ(sim().field(1).data, "");
}

TEST_F(FieldInput, ZeroLengthFieldTakesNothing) {
    set_line(1, 1, kText, "X:", 0);
    set_line(1, 2, kInteger, "N:", 2);
    set_initial(1, 1, "AB");
    start_program();
    type("123");
    EXPECT_EQ(sim().field(0).data, "AB");
    EXPECT_EQ(row(0), "X:AB");
    keys({key::kBackSpace});
    EXPECT_EQ(lcd().cursor_col, 2);
    keys({key::kEnter});
    EXPECT_EQ(lcd().cursor_row, 1);
}

TEST_F(FieldInput, OverlongLimitFromAFileStopsAtTheBuffer) {
    set_line(1, 1, kText, "", 255);  // a byte no editor would store
    start_program();
    for (int i = 0; i < 200; ++i) type(std::to_string(i % 10));
    EXPECT_EQ(sim().field(0).data.size(), static_cast<std::size_t>(kFieldDataMax));
    EXPECT_LE(row(0).size(), 29u);
    for (int i = 0; i < 200; ++i) keys({key::kBackSpace});
    EXPECT_EQ(sim().field(0).data, "");
    EXPECT_EQ(lcd().cursor_col, 0);
}

TEST_F(FieldInput, PromptFillingTheRowStillTakesTheWholeField) {
    set_line(1, 1, kInteger, "Quantity on shelf :", 5);  // 19 characters
    form(1).next_target = 0;
    start_program();
    type("12345");
    EXPECT_EQ(sim().field(0).data, "12345");
    EXPECT_EQ(row(0), "Quantity on shelf :5");
    keys({key::kEnter});
    EXPECT_EQ(sim().screen(), SimScreen::MainScreen);
}

TEST_F(FieldInput, LongPromptLeavesNoRoomButDoesNotBreak) {
    form(1).font = 1;
    set_line(1, 1, kText, "ABCDEFGHIJKLMNOPQRST", 10);  // 20 characters on a 15-wide form
    start_program();
    type("1234567890123");
    EXPECT_EQ(sim().field(0).data, "1234567893");
    EXPECT_LE(row(0).size(), 29u);
}

TEST_F(FieldInput, LetterKeysCycleAndAreTakenBySevenTicksOrAnotherKey) {
    set_line(1, 1, kText, "T:", 10);
    start_program();
    alpha(true);
    keys({key::k3, key::k3, key::k3});
    ASSERT_EQ(view_.previews.size(), 3u);
    EXPECT_EQ(view_.previews[0].letter, 'Y');
    EXPECT_EQ(view_.previews[1].letter, 'Z');
    EXPECT_EQ(view_.previews[2].letter, '*');
    EXPECT_EQ(view_.previews[2].row, 0);
    EXPECT_EQ(view_.previews[2].col, 2);
    EXPECT_EQ(sim().field(0).data, "");
    keys({key::k3});  // wraps to Y
    EXPECT_EQ(sim().letter().pending_char, 'Y');
    keys({key::k2});  // another key takes Y, then starts V
    EXPECT_EQ(sim().field(0).data, "Y");
    EXPECT_EQ(sim().letter().pending_char, 'V');
    EXPECT_EQ(view_.previews.back().col, 3);

    ticks(6);
    EXPECT_TRUE(sim().letter().pending);
    ticks(1);  // the seventh tick takes it
    EXPECT_FALSE(sim().letter().pending);
    EXPECT_EQ(sim().field(0).data, "YV");

    // Pressing the same key again restarts the wait.
    keys({key::k7});
    ticks(5);
    keys({key::k7});
    ticks(6);
    EXPECT_EQ(sim().field(0).data, "YV");
    ticks(1);
    EXPECT_EQ(sim().field(0).data, "YVB");

    // The two symbol groups.
    keys({key::k0, key::k0, key::kDot, key::kDot, key::kDot});
    ticks(7);
    EXPECT_EQ(sim().field(0).data, "YVB$:");

    // Without alpha mode the same keys type digits.
    alpha(false);
    keys({key::k3, key::k3});
    EXPECT_EQ(sim().field(0).data, "YVB$:33");
}

TEST_F(FieldInput, PendingLetterIsTakenBeforeEnter) {
    set_line(1, 1, kText, "A:");
    set_line(1, 2, kText, "B:");
    start_program();
    alpha(true);
    keys({key::k5, key::kEnter});
    EXPECT_EQ(sim().field(0).data, "M");
    EXPECT_EQ(lcd().cursor_row, 1);
}

TEST_F(FieldInput, WrongCharacterShowsTheErrorPageAndIsDropped) {
    set_line(1, 1, kInteger, "N:");
    set_line(1, 2, kBoolean, "OK?", 1);
    start_program();
    alpha(true);
    keys({key::k7});
    EXPECT_EQ(view_.previews.back().letter, 'A');
    ticks(7);
    EXPECT_EQ(sim().screen(), SimScreen::ErrorScreen);
    EXPECT_EQ(trimmed(row(5)), "Data type is wrong!");
    EXPECT_EQ(sim().field(0).data, "");
    keys({key::kEsc});  // any key: back to the form
    EXPECT_EQ(sim().screen(), SimScreen::FormScreen);
    EXPECT_EQ(sim().current_target(), 1);

    alpha(false);
    type("1");
    keys({key::kEnter});
    alpha(true);
    keys({key::k3});  // Y: a boolean takes it
    ticks(7);
    EXPECT_EQ(sim().field(1).data, "Y");
    EXPECT_EQ(sim().screen(), SimScreen::FormScreen);
}

}  // namespace
}  // namespace kolibra::test
