// The PC keyboard and the simulated scan, on the simulator's core: typed
// characters end as the same clicks would, scans follow the line's input
// source and auto_enter and are checked as keyed data.
#include "simulator/keyboard_mapping.h"

#include "sim_test_support.h"

namespace kolibra::test {
namespace {

class PcKeyboard : public SimTest {
protected:
    // Line 1 of form 1: text, "ID:", room for 40 characters.
    void text_form() {
        set_line(1, 1, kText, "ID:", 40);
        start_program();
    }
    // Back to a fresh form 1.
    void restart() {
        keys({key::kRestart});
        sim().lcd().alpha_mode = false;
        start_program();
    }
    // What the LCD and the field show.
    std::string state() {
        std::string out;
        for (int r = 0; r < kLcdRows; ++r) out += row(r) + "\n";
        return out + "cursor " + std::to_string(lcd().cursor_row) + "," +
               std::to_string(lcd().cursor_col) + " alpha " + std::to_string(lcd().alpha_mode) +
               " pending " + std::string(1, sim().letter().pending ? sim().letter().pending_char : '-') +
               " data " + sim().field(0).data;
    }
    // Clicks: key codes, and -N for N clock ticks.
    void clicks(std::initializer_list<int> codes) {
        for (int code : codes) {
            if (code < 0) ticks(-code);
            else press_terminal_key(sim(), code);
        }
    }
    void type_text(const std::string& text) {
        std::string error;
        ASSERT_TRUE(type_pc_text(sim(), text, error)) << error;
    }
};

// The terminal's printable characters: each typed alone, then taken by Enter
// on a two-line form, ends in the field as itself.
TEST_F(PcKeyboard, EveryTerminalCharacterEndsInTheFieldAsItself) {
    const std::string all = "0123456789. ABCDEFGHIJKLMNOPQRSTUVWXYZ*+$/-%:";
    set_line(1, 1, kText, "ID:", 40);
    set_line(1, 2, kText, "N:", 5);
    start_program();
    for (char c : all) {
        std::string error;
        ASSERT_TRUE(type_pc_text(sim(), std::string(1, c), error)) << c << error;
        keys({key::kEnter});
        ASSERT_EQ(sim().field(0).data, std::string(1, c)) << c;
        restart();
    }
    // Lower case is typed as the terminal's upper case.
    type_text("ab");
    keys({key::kEnter});
    EXPECT_EQ(sim().field(0).data, "AB");
}

// Typing and the hand-written clicks of the same text leave the same LCD,
// cursor, alpha mode, pending letter and field data.
TEST_F(PcKeyboard, TypingEndsAsTheSameClicks) {
    struct Case {
        const char* text;
        std::initializer_list<int> clicks;
    };
    const Case cases[] = {
        {"7", {key::k7}},
        {"C", {key::kAlpha, key::k7, key::k7, key::k7}},
        // Two letters on one key: the first times out before the second starts.
        {"AB", {key::kAlpha, key::k7, -7, key::k7, key::k7}},
        {"CA", {key::kAlpha, key::k7, key::k7, key::k7, -7, key::k7}},
        // Letters on different keys need no wait; a digit switches Alpha off.
        {"AD1", {key::kAlpha, key::k7, key::k8, key::kAlpha, key::k1}},
        // Y, Z and * are on the key of the digit 3.
        {"Z*Y", {key::kAlpha, key::k3, key::k3, -7, key::k3, key::k3, key::k3, -7, key::k3}},
        {"1 .", {key::k1, key::kSpace, key::kDot}},
        {"A B", {key::kAlpha, key::k7, key::kSpace, key::k7, key::k7}},
        {"-.:", {key::kAlpha, key::kDot, key::kAlpha, key::kDot, key::kAlpha, key::kDot, key::kDot,
                 key::kDot}},
    };
    text_form();
    for (const Case& c : cases) {
        clicks(c.clicks);
        const std::string clicked = state();
        restart();
        type_text(c.text);
        EXPECT_EQ(state(), clicked) << c.text;
        // And after the last letter timed out.
        ticks(10);
        const std::string typed_taken = state();
        restart();
        clicks(c.clicks);
        ticks(10);
        EXPECT_EQ(typed_taken, state()) << c.text;
        restart();
    }
}

TEST_F(PcKeyboard, LettersOffAFormAreRefusedAndUnknownCharactersHaveNoKey) {
    std::string error;
    EXPECT_FALSE(type_pc_text(sim(), "A", error));
    EXPECT_EQ(error, "cannot type 'A' on MainScreen");
    EXPECT_EQ(sim().screen(), SimScreen::MainScreen);
    for (char c : std::string("#@!_\t")) EXPECT_EQ(keys_for_char(c).code, 0) << c;
    EXPECT_EQ(keys_for_char('\0').code, 0);
}

// The window's queue: a second letter on the same key waits for the clock,
// and what was typed after it waits behind it.
TEST_F(PcKeyboard, QueueKeepsTheOrderWhileALetterTimesOut) {
    set_line(1, 1, kText, "ID:", 40);
    set_line(1, 2, kText, "N:", 5);
    start_program();
    PcTypingQueue queue;
    std::vector<int> pressed;
    for (char c : std::string("AB")) queue.push_char(c);
    queue.push_key(terminal_key_for(PcKey::Enter));
    queue.push_char('7');
    EXPECT_EQ(queue.play(sim(), [&](int code) { pressed.push_back(code); }), 0);
    EXPECT_FALSE(queue.empty());
    EXPECT_EQ(pressed, (std::vector<int>{key::kAlpha, key::k7}));
    int guard = 0;
    while (!queue.empty() && guard++ < 20) {
        ticks(1);
        queue.play(sim(), [&](int code) { pressed.push_back(code); });
    }
    ASSERT_TRUE(queue.empty());
    EXPECT_EQ(sim().field(0).data, "AB");
    EXPECT_EQ(form(1).current_line, 1);
    EXPECT_EQ(sim().field(1).data, "7");
    EXPECT_EQ(pressed, (std::vector<int>{key::kAlpha, key::k7, key::k7, key::k7, key::kEnter,
                                         key::kAlpha, key::k7}));
    // What the terminal cannot type here is dropped and counted.
    keys({key::kEsc});
    queue.push_char('Q');
    queue.push_char('#');
    EXPECT_EQ(queue.play(sim()), 2);
    EXPECT_TRUE(queue.empty());
}

TEST(ScanHistoryTest, KeepsTheLastTenNewestFirstEachOnce) {
    ScanHistory history;
    for (int n = 1; n <= 12; ++n) history.add("code" + std::to_string(n));
    history.add("code5");
    history.add("");
    const std::vector<std::string> expected = {"code5",  "code12", "code11", "code10", "code9",
                                               "code8",  "code7",  "code6",  "code4",  "code3"};
    EXPECT_EQ(history.entries(), expected);
}

class Scan : public PcKeyboard {
protected:
    // Form 1: line 1 `type` with `max` characters, line 2 a text line.
    void scan_form(uint8_t type, int max, uint8_t source, uint8_t auto_enter) {
        set_line(1, 1, type, "Code:", max);
        set_line(1, 2, kText, "Qty:", 5);
        form(1).input_source[0] = source;
        form(1).auto_enter[0] = auto_enter;
        start_program();
    }
};

TEST_F(Scan, AutoEnterAndInputSourceDecideWhatAScanDoes) {
    struct Case {
        uint8_t source, auto_enter;
        ScanStatus status;
        int line_after;  // current line after the scan
    };
    // source: 0 reader, 1 keypad, 2 both; auto_enter: 0 No, 1 Scan+ENTER, 2 ENTER+Scan.
    const Case cases[] = {
        {0, 0, ScanStatus::Taken, 0},   {0, 1, ScanStatus::Taken, 1},
        {0, 2, ScanStatus::Taken, 0},   {2, 0, ScanStatus::Taken, 0},
        {2, 1, ScanStatus::Taken, 1},   {2, 2, ScanStatus::Taken, 0},
        {1, 0, ScanStatus::Refused, 0}, {1, 1, ScanStatus::Refused, 0},
    };
    for (const Case& c : cases) {
        scan_form(kText, 20, c.source, c.auto_enter);
        const ScanResult r = sim().scan_barcode("AB-12");
        EXPECT_EQ(r.status, c.status) << int(c.source) << "/" << int(c.auto_enter);
        EXPECT_EQ(form(1).current_line, c.line_after) << int(c.source) << "/" << int(c.auto_enter);
        if (c.status == ScanStatus::Taken) {
            EXPECT_EQ(row(0), "Code:AB-12");
            EXPECT_EQ(sim().field(0).data, "AB-12");
        } else {
            EXPECT_EQ(r.reason, "This line takes keypad input only.");
            EXPECT_EQ(row(0), "Code:");
        }
        keys({key::kRestart});
    }
}

TEST_F(Scan, CharactersAreDataWithoutLettersAndTheFieldIsReplaced) {
    scan_form(kText, 20, 0, 0);
    sim().lcd().alpha_mode = true;  // the reader ignores the keypad's mode
    set_initial(1, 1, "OLD");
    keys({key::kRestart});
    start_program();
    ASSERT_EQ(row(0), "Code:OLD");
    EXPECT_EQ(sim().scan_barcode("4006381333931").status, ScanStatus::Taken);
    EXPECT_EQ(row(0), "Code:4006381333931");
    EXPECT_EQ(lcd().cursor_col, 18);
    EXPECT_FALSE(sim().letter().pending);
    // A scan after a pending letter takes the letter first.
    keys({key::kEnter, key::kRestart});
    start_program();
    sim().lcd().alpha_mode = true;
    keys({key::k7});
    EXPECT_EQ(sim().scan_barcode("12").status, ScanStatus::Taken);
    EXPECT_EQ(sim().field(0).data, "A12");
}

TEST_F(Scan, WrongTypeAndOverLongCodesAreRejectedWhole) {
    // Integer line of 5: "12A" shows "Data type is wrong!", nothing taken.
    scan_form(kInteger, 5, 0, 1);
    EXPECT_EQ(sim().scan_barcode("12A").status, ScanStatus::Rejected);
    EXPECT_EQ(sim().screen(), SimScreen::ErrorScreen);
    EXPECT_EQ(trimmed(row(5)), "Data type is wrong!");
    keys({key::kEsc});  // any key back to the form
    EXPECT_EQ(sim().field(0).data, "");
    EXPECT_EQ(form(1).current_line, 0);

    // Six digits into five: refused whole with "Data is too long!" where keyed
    // data would have replaced its last character.
    EXPECT_EQ(sim().scan_barcode("123456").status, ScanStatus::Rejected);
    EXPECT_EQ(trimmed(row(5)), "Data is too long!");
    keys({key::kEsc});
    EXPECT_EQ(row(0), "Code:");
    // Exactly five fit, and auto_enter moves on.
    EXPECT_EQ(sim().scan_barcode("12345").status, ScanStatus::Taken);
    EXPECT_EQ(sim().field(0).data, "12345");
    EXPECT_EQ(form(1).current_line, 1);

    // The room left counts what was keyed before on the line.
    keys({key::kRestart});
    start_program();
    type("123");
    EXPECT_EQ(sim().scan_barcode("456").status, ScanStatus::Rejected);
    keys({key::kEsc});
    EXPECT_EQ(sim().field(0).data, "123");
    EXPECT_EQ(sim().scan_barcode("45").status, ScanStatus::Taken);
    EXPECT_EQ(sim().field(0).data, "12345");
}

TEST_F(Scan, ScanPlusEnterBelowMinimumShowsTooShort) {
    set_line(1, 1, kText, "Code:", 20, 8);
    form(1).auto_enter[0] = 1;
    start_program();
    EXPECT_EQ(sim().scan_barcode("1234").status, ScanStatus::Taken);
    EXPECT_EQ(sim().screen(), SimScreen::ErrorScreen);
    EXPECT_EQ(trimmed(row(5)), "Data is too short!");
}

TEST_F(Scan, RefusedOffAFormAndWhenEmpty) {
    EXPECT_EQ(sim().scan_barcode("123").status, ScanStatus::Refused);
    EXPECT_EQ(sim().screen(), SimScreen::MainScreen);
    scan_form(kText, 20, 0, 0);
    const ScanResult r = sim().scan_barcode("");
    EXPECT_EQ(r.status, ScanStatus::Refused);
    EXPECT_EQ(r.reason, "The barcode is empty.");
}

}  // namespace
}  // namespace kolibra::test
