// The pass-down record: its layout with delimiters, prefixes, suffixes, fixed
// lengths and stamps, and how later forms show, spread and cut it.
#include "sim_test_support.h"

namespace kolibra::test {
namespace {

class PassDown : public SimTest {
protected:
    // Form 1: line 1 "text" holding AB, line 2 "integer" holding 7 fixed to 3
    // characters, right aligned with zeros; a comma as the only delimiter.
    void make_ab7_form() {
        set_line(1, 1, kText, "A:");
        set_initial(1, 1, "AB");
        set_line(1, 2, kInteger, "N:");
        set_initial(1, 2, "7");
        form(1).fixed_length_on[1] = 1;
        form(1).fixed_length[1] = 3;
        form(1).alignment[1] = 3;
        form(1).record_action = 3;
        form(1).next_target = 0;
        tpl().field_delimiter[0] = ',';
        tpl().field_delimiter[1] = 0;
    }
    // Starts form 1 and accepts every line with Enter.
    void complete_form_one(int lines) {
        start_program();
        for (int i = 0; i < lines; ++i) keys({key::kEnter});
    }
    // Form 1 filled with `count` text lines of 9 letters each (A..., B..., ...),
    // no delimiter, passed down to form `next`.
    void make_letter_form(int count, Target next) {
        for (int i = 1; i <= count; ++i) {
            set_line(1, i, kText, "");
            set_initial(1, i, std::string(9, static_cast<char>('A' + i - 1)));
        }
        form(1).record_action = 3;
        form(1).next_target = next;
        tpl().field_delimiter[0] = 0;
        tpl().field_delimiter[1] = 0;
    }
};

TEST(Stamps, EveryDateAndTimeFormat) {
    const LocalDateTime t{2026, 3, 7, 9, 5, 4};
    const char* dates[] = {"2026/03/07", "03/07/2026", "07/03/2026", "20260307", "03072026", "07032026"};
    for (int code = 1; code <= 12; ++code) {
        EXPECT_EQ(date_stamp_text(static_cast<uint8_t>(code), t), dates[(code - 1) % 6]) << code;
    }
    const char* times[] = {"09:05:04", "09:05", "090504", "0905"};
    for (int code = 1; code <= 8; ++code) {
        EXPECT_EQ(time_stamp_text(static_cast<uint8_t>(code), t), times[(code - 1) % 4]) << code;
    }
    EXPECT_EQ(date_stamp_text(0, t), "");
    EXPECT_EQ(date_stamp_text(13, t), "");
    EXPECT_EQ(time_stamp_text(0, t), "");
    EXPECT_EQ(time_stamp_text(9, t), "");
    EXPECT_EQ(time_stamp_text(1, {2026, 1, 1, 23, 59, 59}), "23:59:59");
}

TEST_F(PassDown, DateBeforeTheData) {
    make_ab7_form();
    form(1).date_stamp = 10;  // yyyymmdd+
    complete_form_one(2);
    EXPECT_EQ(sim().pass_down_record(), "20260307,AB,007");
    EXPECT_EQ(sim().record_counter(), 1u);
}

TEST_F(PassDown, TimeAfterTheData) {
    make_ab7_form();
    form(1).time_stamp = 2;  // +hh:mm
    complete_form_one(2);
    EXPECT_EQ(sim().pass_down_record(), "AB,007,09:05");
}

TEST_F(PassDown, NoDelimiterJoinsTheFields) {
    make_ab7_form();
    tpl().field_delimiter[0] = 0;
    form(1).date_stamp = 1;  // +yyyy/mm/dd
    complete_form_one(2);
    EXPECT_EQ(sim().pass_down_record(), "AB0072026/03/07");
}

TEST_F(PassDown, BothStampsOnEachSideWithATwoCharacterDelimiter) {
    make_ab7_form();
    tpl().field_delimiter[0] = '|';
    tpl().field_delimiter[1] = '#';
    form(1).date_stamp = 9;  // dd/mm/yyyy+
    form(1).time_stamp = 7;  // hhmmss+
    complete_form_one(2);
    EXPECT_EQ(sim().pass_down_record(), "07/03/2026|#090542|#AB|#007");

    form(1).date_stamp = 6;  // +ddmmyyyy
    form(1).time_stamp = 1;  // +hh:mm:ss
    complete_form_one(2);
    EXPECT_EQ(sim().pass_down_record(), "AB|#007|#07032026|#09:05:42");
}

TEST_F(PassDown, FixedLengthPadsByAlignmentOrCuts) {
    make_ab7_form();
    const struct {
        uint8_t alignment;
        const char* field;
    } cases[] = {{0, "7  "}, {1, "  7"}, {2, "700"}, {3, "007"}, {9, "7  "}};
    for (const auto& c : cases) {
        form(1).alignment[1] = c.alignment;
        complete_form_one(2);
        EXPECT_EQ(sim().pass_down_record(), std::string("AB,") + c.field) << int(c.alignment);
    }
    set_initial(1, 2, "12345");
    complete_form_one(2);
    EXPECT_EQ(sim().pass_down_record(), "AB,123");
}

TEST_F(PassDown, PrefixCodeListsBecomeCharactersAndOtherTextsStayLiteral) {
    make_ab7_form();
    form(1).prefix_on[0] = 1;
    write_slot(form(1).prefix[0], "13 10");
    form(1).suffix_on[0] = 1;
    write_slot(form(1).suffix[0], "A1");
    form(1).prefix_on[1] = 0;
    write_slot(form(1).prefix[1], "65");  // off: not used
    form(1).suffix_on[1] = 1;
    write_slot(form(1).suffix[1], "0 66");  // code 0 is skipped
    complete_form_one(2);
    EXPECT_EQ(sim().pass_down_record(), "\r\nABA1,007B");
    EXPECT_EQ(read_slot(form(1).prefix[0]), "13 10");  // the template keeps its text
}

TEST_F(PassDown, OnlyDataLinesAreInTheRecord) {
    set_line(1, 1, kText, "A:");
    set_initial(1, 1, "AB");
    set_line(1, 2, kPrompt, "Hello");
    set_line(1, 3, kCounter, "No:");
    set_line(1, 4, kLookup, "Lk1:");
    set_initial(1, 4, "L1");  // "save field data" off below
    form(1).initial_on[3] = 0;
    set_line(1, 5, kLookup, "Lk2:");
    set_initial(1, 5, "L2");  // "save field data" on
    set_line(1, 6, kFixed, "FIX");
    set_line(1, 7, kPassDown, "Got:");
    set_line(1, 8, kBoolean, "OK?", 1);
    set_initial(1, 8, "Y");
    form(1).record_action = 3;
    tpl().field_delimiter[0] = ',';
    start_program();
    EXPECT_EQ(row(6), "Got:");  // nothing passed down yet
    keys({key::kEnter, key::kEnter});
    EXPECT_EQ(sim().pass_down_record(), "AB,L2,FIX,Y");

    // A "save" form with a pass-down line shows the last record passed down.
    form(1).record_action = 0;
    start_program();
    EXPECT_EQ(row(6), "Got:AB,L2,FIX,Y");
    keys({key::kEnter, key::kEnter});
    EXPECT_EQ(sim().pass_down_record(), "AB,L2,FIX,Y");
}

TEST_F(PassDown, ExtensionLinesJoinTheirField) {
    set_line(1, 1, kText, "Name:", 30);
    set_line(1, 2, kExtension, "");
    set_line(1, 3, kInteger, "N:");
    set_initial(1, 3, "5");
    form(1).record_action = 3;
    tpl().field_delimiter[0] = ';';
    spread_extensions(tpl());
    start_program();
    type("123456789012345");
    type("678");
    keys({key::kEnter, key::kEnter});
    EXPECT_EQ(sim().pass_down_record(), "123456789012345678;5");
}

TEST_F(PassDown, LargeFontFormsUseOnlyFourLines) {
    form(1).font = 1;
    set_line(1, 1, kText, "A:");
    set_initial(1, 1, "A");
    set_line(1, 5, kText, "Z:");  // left over from a small-font design
    set_initial(1, 5, "Z");
    form(1).record_action = 3;
    complete_form_one(2);
    EXPECT_EQ(sim().pass_down_record(), "A");
}

TEST_F(PassDown, ShownLineTakesWhatFitsBesideItsPromptThenItsExtension) {
    make_letter_form(5, 2);
    form(1).fixed_length_on[4] = 1;  // EEEEEEEEE and three spaces
    form(1).fixed_length[4] = 12;
    set_line(2, 1, kPassDown, "Prev: ");
    set_line(2, 2, kExtension, "");
    form(2).next_target = 3;
    set_line(3, 1, kPassDown, "");
    set_line(3, 2, kExtension, "");
    set_line(3, 3, kExtension, "");
    set_line(3, 4, kExtension, "");
    set_line(3, 5, kPassDown, "Short:");  // no extension line: cut to its room
    complete_form_one(5);

    EXPECT_EQ(sim().screen(), SimScreen::FormScreen);
    EXPECT_EQ(sim().current_target(), 2);
    EXPECT_EQ(row(0), "Prev: AAAAAAAAABBBBB");
    EXPECT_EQ(row(1), "BBBBCCCCCCCCCDDDDDDD");  // characters 15 to 34; the rest not shown
    EXPECT_EQ(sim().pass_down_record().size(), 48u);  // not cut: it fits the line's cap

    keys({key::kEnter});  // form 2 has nothing to key: completes
    EXPECT_EQ(sim().current_target(), 3);
    EXPECT_EQ(row(0), "AAAAAAAAABBBBBBBBBCC");
    EXPECT_EQ(row(1), "CCCCCCCDDDDDDDDDEEEE");
    EXPECT_EQ(row(2), "EEEEE");  // trailing spaces removed
    EXPECT_EQ(row(3), "");
    EXPECT_EQ(row(4), "Short:AAAAAAAAABBBBB");
}

TEST_F(PassDown, LargeFontLineCutsTheRecordForGood) {
    set_line(1, 1, kText, "");
    set_initial(1, 1, "AB");
    form(1).fixed_length_on[0] = 1;
    form(1).fixed_length[0] = 100;
    form(1).alignment[0] = 2;  // AB and 98 zeros
    form(1).record_action = 3;
    form(1).next_target = 2;
    form(2).font = 1;
    set_line(2, 1, kPassDown, "Rec: ");
    form(2).next_target = 3;
    set_line(3, 1, kPassDown, "");
    set_line(3, 2, kExtension, "");
    set_line(3, 3, kExtension, "");
    set_line(3, 4, kExtension, "");
    complete_form_one(1);
    ASSERT_EQ(sim().current_target(), 2);
    EXPECT_EQ(row(0), "Rec: AB00000000");
    EXPECT_EQ(sim().pass_down_record().size(), 55u);

    keys({key::kEnter});
    EXPECT_EQ(sim().current_target(), 3);
    EXPECT_EQ(row(0), "AB000000000000000000");
    EXPECT_EQ(row(1), std::string(20, '0'));
    EXPECT_EQ(row(2), std::string(15, '0'));
    EXPECT_EQ(row(3), "");
}

TEST_F(PassDown, RecordLongerThanItsBufferIsCut) {
    for (int i = 1; i <= 8; ++i) {
        set_line(1, i, kText, "");
        set_initial(1, i, "X");
        form(1).fixed_length_on[i - 1] = 1;
        form(1).fixed_length[i - 1] = 60;
        form(1).alignment[i - 1] = 2;
        form(1).prefix_on[i - 1] = 1;
        write_slot(form(1).prefix[i - 1], "P:");
    }
    form(1).record_action = 3;
    form(1).date_stamp = 1;
    tpl().field_delimiter[0] = ',';
    complete_form_one(8);
    const std::string& record = sim().pass_down_record();
    ASSERT_EQ(record.size(), static_cast<std::size_t>(kPassDownMax));
    EXPECT_EQ(record.substr(0, 3), "P:X");
    EXPECT_EQ(record.substr(62, 4), ",P:X");
    // The collected record is the same text, whole: 8 fields of 62, 7 commas
    // and the date with its comma.
    ASSERT_EQ(sim().collected_records().size(), 1u);
    const std::string& whole = sim().collected_records()[0];
    EXPECT_EQ(whole.size(), 8u * 62 + 7 + 11);
    EXPECT_EQ(whole.substr(0, 407), record);
    EXPECT_EQ(whole.substr(whole.size() - 11), ",2026/03/07");
}

TEST_F(PassDown, EveryCompletedFormIsCollectedWhateverItsAction) {
    make_ab7_form();
    form(1).record_action = 0;  // save
    form(1).next_target = 2;
    set_line(2, 1, kText, "Q:");
    set_initial(2, 1, "Z");
    set_line(2, 2, kPrompt, "just shown");
    form(2).record_action = 4;  // output record
    form(2).time_stamp = 7;     // hhmmss+
    form(2).next_target = 1;
    std::vector<std::string> told;
    sim().set_record_listener([&](const std::string& r) { told.push_back(r); });

    complete_form_one(2);  // form 1, then form 2 is shown
    keys({key::kEnter});   // form 2 completed, back to form 1
    keys({key::kEnter, key::kEnter});

    const std::vector<std::string> expected = {"AB,007", "090542,Z", "AB,007"};
    EXPECT_EQ(sim().collected_records(), expected);
    EXPECT_EQ(told, expected);
    EXPECT_EQ(sim().record_counter(), 3u);
    EXPECT_EQ(sim().pass_down_record(), "");  // no form passed its record down
    sim().clear_collected_records();
    EXPECT_TRUE(sim().collected_records().empty());
}

TEST_F(PassDown, PromptWiderThanALargeFontLineShowsNothingAndBreaksNothing) {
    make_ab7_form();
    form(1).next_target = 2;
    form(2).font = 1;
    set_line(2, 1, kPassDown, "ABCDEFGHIJKLMNOPQRST");
    complete_form_one(2);
    EXPECT_EQ(row(0), "ABCDEFGHIJKLMNOPQRST");
    EXPECT_EQ(sim().field(0).data, "");
}

}  // namespace
}  // namespace kolibra::test
