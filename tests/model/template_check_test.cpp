// The design checks of a template and of a lookup data file: a well-formed
// designed template gives no finding, and each kind of mistake put into it
// gives its finding at the place the editor names.
#include "model/lookup_check.h"
#include "model/template_check.h"
#include "model/text_slot.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kolibra {
namespace {

// Menu 1 starts the program: "Receive" opens form 1, "Count" form 2. Form 1
// takes an item code, shows its name from the delimited 1st lookup file and
// takes a quantity, then passes its record down to form 2, which shows it
// over two lines and takes a count.
std::unique_ptr<Template> designed_template() {
    auto t = std::make_unique<Template>();
    reset_template(*t);
    t->start_target = 1;
    MenuRecord& m = t->menus[0];
    m.caption_on = 1;
    write_slot(m.caption, "Stock");
    write_slot(m.item_name[0], "1.Receive");
    write_slot(m.item_name[1], "2.Count");
    m.item_next[0] = 1;
    m.item_next[1] = 2;

    FormRecord& f = t->forms[0];
    f.esc_target = 11;
    f.next_target = 2;
    f.record_action = 3;  // pass down
    f.lookup_file = 1;
    f.data_type[0] = 1;  // text
    write_slot(f.prompt[0], "Item:");
    f.max_length[0] = 13;
    f.data_type[1] = 7;  // lookup
    f.lookup_link[1] = 2;  // field 2
    f.initial_on[1] = 1;
    f.data_type[2] = 2;  // integer
    write_slot(f.prompt[2], "Qty:");
    f.min_length[2] = 1;
    f.max_length[2] = 5;
    f.fixed_length_on[2] = 1;
    f.fixed_length[2] = 5;
    f.alignment[2] = 3;

    FormRecord& g = t->forms[1];
    g.esc_target = 11;
    g.next_target = 11;
    g.data_type[0] = 11;  // pass down
    g.data_type[1] = 8;   // extension
    g.data_type[2] = 2;
    write_slot(g.prompt[2], "Count:");
    g.max_length[2] = 4;

    LookupRecord& l = t->lookups[0];
    l.field_count = 2;
    l.field_length[0] = 13;
    l.field_length[1] = 20;
    l.member_length = 34;
    l.key_field = 0;
    t->extended.lookup_delimiter[0] = ',';
    return t;
}

std::string listing(const std::vector<Finding>& findings) {
    std::string text;
    for (const Finding& f : findings) text += finding_line("T.ATX", f) + "\n";
    return text;
}

bool has_finding(const std::vector<Finding>& findings, Severity severity, const std::string& place,
                 const std::string& part) {
    for (const Finding& f : findings) {
        if (f.severity == severity && f.place == place && f.message.find(part) != std::string::npos)
            return true;
    }
    return false;
}

TEST(TemplateCheck, DesignedTemplateIsCleanAndFactoryTemplateHasNoError) {
    auto t = designed_template();
    EXPECT_EQ(listing(check_template(*t)), "");

    reset_template(*t);
    const std::vector<Finding> factory = check_template(*t);
    EXPECT_FALSE(has_error(factory)) << listing(factory);
    EXPECT_EQ(listing(factory), "T.ATX: warning: no program is defined: no form has a line and no "
                                "menu has an item\n");
}

struct Mistake {
    const char* what;
    std::function<void(Template&)> make;
    Severity severity;
    const char* place;
    const char* message;
};

TEST(TemplateCheck, EachMistakeIsNamedAtItsPlace) {
    const Severity E = Severity::Error, W = Severity::Warning;
    const std::vector<Mistake> mistakes = {
        {"item to an empty form", [](Template& t) { t.menus[0].item_next[1] = 3; }, E,
         "menu 1 item 2", "leads to form 3, which has no input line"},
        {"Esc to an empty menu", [](Template& t) { t.forms[0].esc_target = 15; }, E, "form 1",
         "Esc leads to menu 5, which has no item"},
        {"Next to no place", [](Template& t) { t.forms[0].next_target = 21; }, E, "form 1",
         "Next names no place (code 21)"},
        {"start on a form of prompts only",
         [](Template& t) {
             t.start_target = 0;
             t.forms[0] = t.forms[2];
             t.forms[0].data_type[0] = 6;
             t.forms[0].next_target = 2;
         },
         E, "start", "the program start leads to form 1, which has no input line"},
        {"form nothing leads to",
         [](Template& t) {
             t.forms[3].data_type[0] = 1;
             t.forms[3].next_target = 11;
         },
         W, "form 4", "nothing leads to this form"},
        {"menu nothing leads to", [](Template& t) { write_slot(t.menus[1].item_name[0], "x"); }, W,
         "menu 2", "nothing leads to this menu"},
        {"lookup line, lookup file nil", [](Template& t) { t.forms[0].lookup_file = 0; }, E,
         "form 1 line 2", "a \"lookup\" line on a form whose lookup file is \"nil\""},
        {"lookup link on a text line, lookup file nil",
         [](Template& t) { t.forms[1].lookup_link[2] = 9; }, E, "form 2 line 3",
         "a lookup link on a form whose lookup file is \"nil\""},
        {"lookup line without a link", [](Template& t) { t.forms[0].lookup_link[1] = 0; }, E,
         "form 1 line 2", "a \"lookup\" line whose lookup link is \"nil\""},
        {"link beyond the fields", [](Template& t) { t.forms[0].lookup_link[1] = 19; }, E,
         "form 1 line 2", "links to +field 3, but the 1st lookup file has 2 fields"},
        {"undescribed lookup file", [](Template& t) { t.forms[0].lookup_file = 2; }, E, "form 1",
         "uses the 2nd lookup file, which is not described (member length 0)"},
        {"undescribed: no fields",
         [](Template& t) {
             t.forms[0].lookup_file = 3;
             t.lookups[2].member_length = 10;
         },
         E, "form 1", "uses the 3rd lookup file, which is not described (number of fields 0)"},
        {"prompt cut by the large font",
         [](Template& t) {
             t.forms[1].font = 1;
             write_slot(t.forms[1].prompt[2], "Counted items:xy ");
         },
         E, "form 2 line 3", "the prompt has 16 characters; the large font shows 15"},
        {"item name cut by the large font",
         [](Template& t) {
             t.menus[0].font = 1;
             write_slot(t.menus[0].item_name[0], "1.Receive goods");
             write_slot(t.menus[0].item_name[1], "2.Count the box");
             t.menus[0].item_name[1][15] = 'X';
             t.menus[0].item_name[1][16] = 0;
         },
         E, "menu 1 item 2", "the item name has 16 characters; the large font shows 15"},
        {"minimum above maximum", [](Template& t) { t.forms[0].min_length[2] = 6; }, E,
         "form 1 line 3", "minimum length 6 is above the maximum length 5"},
        {"fixed length cuts data", [](Template& t) { t.forms[0].fixed_length[2] = 4; }, W,
         "form 1 line 3", "fixed length 4 is shorter than the maximum length 5: longer data is cut"},
        {"pass down with nothing passed down", [](Template& t) { t.forms[0].record_action = 0; }, E,
         "form 2 line 1", "a \"pass down\" line, but no form has the record action \"pass down\""},
        {"delimited member too long",
         [](Template& t) {
             t.lookups[0].field_length[0] = 200;
             t.lookups[0].field_length[1] = 50;
         },
         E, "lookup file 1", "member length of 251; the terminal takes at most 250"},
        {"fixed field beyond the member",
         [](Template& t) {
             t.extended.lookup_delimiter[0] = 0;
             t.lookups[0].field_offset[0] = 1;
             t.lookups[0].field_offset[1] = 16;
         },
         E, "lookup file 1 field 2", "ends at column 35, beyond the member length 34"},
        {"blank item pushes the last out",
         [](Template& t) {
             write_slot(t.menus[0].item_name[1], " ");
             write_slot(t.menus[0].item_name[2], "3.Count");
             t.menus[0].item_next[2] = 2;
         },
         E, "menu 1 item 3", "is not shown and cannot be chosen"},
        {"tenth item",
         [](Template& t) {
             for (int s = 2; s < kMenuItems; ++s) {
                 write_slot(t.menus[0].item_name[s], "item");
                 t.menus[0].item_next[s] = 2;
             }
         },
         W, "menu 1 item 10", "cannot be chosen: the keys reach only items 1 to 9"},
        // The last line of a form: line 8 in the small font, line 4 in the large.
        {"lookup line without a link on line 8",
         [](Template& t) { t.forms[0].data_type[7] = 7; }, E, "form 1 line 8",
         "a \"lookup\" line whose lookup link is \"nil\""},
        {"minimum above maximum on line 8",
         [](Template& t) {
             t.forms[1].data_type[7] = 2;
             t.forms[1].max_length[7] = 5;
             t.forms[1].min_length[7] = 6;
         },
         E, "form 2 line 8", "minimum length 6 is above the maximum length 5"},
        {"prompt cut by the large font on line 4",
         [](Template& t) {
             t.forms[1].font = 1;
             t.forms[1].data_type[3] = 6;
             write_slot(t.forms[1].prompt[3], "Counted items:xy");
         },
         E, "form 2 line 4", "the prompt has 16 characters; the large font shows 15"},
        {"link beyond the fields on line 4 in the large font",
         [](Template& t) {
             t.forms[0].font = 1;
             t.forms[0].data_type[3] = 7;
             t.forms[0].lookup_link[3] = 19;
         },
         E, "form 1 line 4", "links to +field 3, but the 1st lookup file has 2 fields"},
        {"minimum above maximum on line 4 in the large font",
         [](Template& t) {
             t.forms[1].font = 1;
             t.forms[1].data_type[3] = 2;
             t.forms[1].max_length[3] = 5;
             t.forms[1].min_length[3] = 6;
         },
         E, "form 2 line 4", "minimum length 6 is above the maximum length 5"},
    };
    for (const Mistake& m : mistakes) {
        auto t = designed_template();
        m.make(*t);
        const std::vector<Finding> findings = check_template(*t);
        EXPECT_TRUE(has_finding(findings, m.severity, m.place, m.message))
            << m.what << ":\n" << listing(findings);
        EXPECT_EQ(has_error(findings), m.severity == Severity::Error) << m.what;
    }
}

TEST(TemplateCheck, LastCasesThatPassAndMenusPassingDown) {
    const std::vector<std::function<void(Template&)>> clean = {
        [](Template& t) {  // a delimited member of exactly 250
            t.lookups[0].field_length[0] = 200;
            t.lookups[0].field_length[1] = 49;
        },
        [](Template& t) {  // a fixed field ending on the member's last column
            t.extended.lookup_delimiter[0] = 0;
            t.lookups[0].field_offset[0] = 1;
            t.lookups[0].field_offset[1] = 15;
        },
        [](Template& t) {  // 15 characters on the large font; trailing spaces do not count
            t.forms[1].font = 1;
            write_slot(t.forms[1].prompt[2], "Counted items:X    ");
        },
        [](Template& t) { t.forms[0].min_length[2] = 5; },  // minimum equal to maximum
        [](Template& t) {  // the large font shows 4 lines: a faulty line 5 is never reached
            t.forms[1].font = 1;
            t.forms[1].data_type[4] = 2;
            t.forms[1].max_length[4] = 5;
            t.forms[1].min_length[4] = 6;
            t.forms[1].data_type[7] = 7;
        },
        [](Template& t) {  // a menu passing its data down feeds pass-down lines too
            t.forms[0].record_action = 0;
            t.menus[0].pass_down = 1;
        },
    };
    for (std::size_t n = 0; n < clean.size(); ++n) {
        auto t = designed_template();
        clean[n](*t);
        EXPECT_EQ(listing(check_template(*t)), "") << n;
    }
}

// ---- lookup data files ------------------------------------------------------

std::string lines_listing(const Template& t, int file, const std::string& bytes) {
    std::string text;
    for (const Finding& f : check_lookup_lines(t, file, bytes, 253)) {
        text += finding_line("L.TXT", f) + "\n";
    }
    return text;
}

TEST(LookupCheck, DelimitedFileFieldsCountsAndKeys) {
    auto t = designed_template();
    EXPECT_EQ(lines_listing(*t, 0, "4711,Apples\r\n4712,Pears\r\n4713," + std::string(20, 'x')), "");
    EXPECT_EQ(lines_listing(*t, 0,
                            "4711,Apples\r\n"
                            "4712\r\n"
                            "\r\n"
                            "4713,Pears,green\r\n"
                            "4714," + std::string(21, 'x') + "\r\n"
                            "4711,Again\r\n"
                            "12345678901234,Plums"),
              "L.TXT: line 2: error: 1 field; the lookup file is described with 2\n"
              "L.TXT: line 3: warning: an empty line (it is sent as an empty record)\n"
              "L.TXT: line 4: error: 3 fields; the lookup file is described with 2\n"
              "L.TXT: line 5: error: field 2 has 21 characters, more than its maximum length 20\n"
              "L.TXT: line 6: error: key \"4711\" of field 1 is already on line 1\n"
              "L.TXT: line 7: error: field 1 has 14 characters, more than its maximum length 13\n");
}

TEST(LookupCheck, FixedFileAgainstMemberLengthAndOffsets) {
    auto t = designed_template();
    LookupRecord& l = t->lookups[1];
    l.member_length = 10;
    l.field_count = 2;
    l.key_field = 1;
    l.field_offset[0] = 1;
    l.field_length[0] = 4;
    l.field_offset[1] = 5;
    l.field_length[1] = 3;
    EXPECT_EQ(lines_listing(*t, 1,
                            "abcdKEY...\n\r"      // LF dropped anywhere
                            "abcdKEY....\r"       // one too long
                            "abcdKE\r"            // field 2 cut
                            "abcdKEY\r"           // fields whole, member short
                            "wxyzKEYzzz\r"),      // same key as line 1
              "L.TXT: line 2: error: 11 characters, longer than the member length 10\n"
              "L.TXT: line 2: error: key \"KEY\" of field 2 is already on line 1\n"
              "L.TXT: line 3: error: 6 characters, shorter than the member length 10: field 2 "
              "(columns 5 to 7) is cut\n"
              "L.TXT: line 4: warning: 7 characters, shorter than the member length 10\n"
              "L.TXT: line 4: error: key \"KEY\" of field 2 is already on line 1\n"
              "L.TXT: line 5: error: key \"KEY\" of field 2 is already on line 1\n");
}

TEST(LookupCheck, LinesEndingInLfAloneAreOneLineToTheDownload) {
    auto t = designed_template();
    std::string lf_only;
    for (int i = 0; i < 30; ++i) lf_only += "12345,abcdefghi\n";
    EXPECT_EQ(lines_listing(*t, 0, lf_only),
              "L.TXT: line 1: error: 450 bytes, longer than the 253 a lookup download sends: the "
              "download refuses the file (only CR ends a line; an LF alone does not)\n");
}

TEST(LookupCheck, UndescribedFileIsOneError) {
    auto t = designed_template();
    EXPECT_EQ(lines_listing(*t, 2, "a\r\n"),
              "L.TXT: error: the template does not describe the 3rd lookup file (member length 0): "
              "its lines cannot be checked\n");
    // A damaged file may describe more fields than a lookup record holds.
    t->lookups[0].field_count = 9;
    EXPECT_EQ(lines_listing(*t, 0, "a\r\n"),
              "L.TXT: error: the 1st lookup file is described with 9 fields, more than 8: its "
              "lines cannot be checked\n");
}

}  // namespace
}  // namespace kolibra
