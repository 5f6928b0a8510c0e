// CSV item lists made into lookup files, compared with lookup files written
// by hand from the template's description of each lookup file: fields at
// their offsets and lengths (fixed) or joined by the delimiter (delimited),
// the key field first or not, every line ended by CR LF. Every output also
// passes the lookup check the download relies on.
#include "model/lookup_check.h"
#include "model/lookup_convert.h"
#include "model/template.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace kolibra {
namespace {

// 1st file: delimited by ';', fields Code 6, Name 10, Price 5, key field 1.
// 2nd file: delimited by ',', fields Name 8, Code 4, key field 2.
// 3rd file: fixed, member 16: Code columns 1-5, Name 6-13, Qty 14-16, key 1.
std::unique_ptr<Template> described_template() {
    auto t = std::make_unique<Template>();
    reset_template(*t);
    t->lookups[0] = {23, 3, 0, {1, 8, 19}, {6, 10, 5}};
    t->extended.lookup_delimiter[0] = ';';
    t->lookups[1] = {13, 2, 1, {1, 10}, {8, 4}};
    t->extended.lookup_delimiter[1] = ',';
    t->lookups[2] = {16, 3, 0, {1, 6, 14}, {5, 8, 3}};
    t->extended.lookup_delimiter[2] = 0;
    return t;
}

// The 3rd file made fixed with its key not first and a gap: member 12, Name
// columns 1-6, (column 7 unused), Code columns 8-11, (column 12 unused).
void key_not_first_fixed(Template& t) { t.lookups[2] = {12, 2, 1, {1, 8}, {6, 4}}; }

std::string refusals(const LookupConversion& c) {
    std::string text;
    for (const LookupRefusal& r : c.refusals) text += refusal_text(r) + "\n";
    return text;
}

struct ConvertCase {
    const char* what;
    int file;
    std::string csv;
    LookupConvertOptions options;
    const char* lookup;  // written by hand from the description
    const char* refused;
    long written, cut, refused_lines;
    void (*change)(Template&) = nullptr;
};

LookupConvertOptions columns(std::vector<std::string> c, bool header = true) {
    LookupConvertOptions o;
    o.columns = std::move(c);
    o.header = header;
    return o;
}
LookupConvertOptions cut() {
    LookupConvertOptions o;
    o.cut = true;
    return o;
}
LookupConvertOptions no_header() {
    LookupConvertOptions o;
    o.header = false;
    return o;
}
LookupConvertOptions ascii_only() {
    LookupConvertOptions o = no_header();
    o.ascii_only = true;
    return o;
}

TEST(LookupConvert, CsvBecomesTheDescribedLookupFile) {
    const std::vector<ConvertCase> cases = {
        {"spreadsheet export: mark, quoted comma and quotes, accents, more columns than fields",
         0,
         "\xEF\xBB\xBF" "Code,Name,Price,Stock\r\n"
         "4711,\"Figs, red\",1.20,5\r\n"
         "4712,Caf\xC3\xA9 noir,2.5,7\r\n"
         "4713,\"Pear \"\"B\"\"\",0.99,1\r\n"
         "\r\n",
         {},
         "4711;Figs, red;1.20\r\n4712;Cafe noir;2.5\r\n4713;Pear \"B\";0.99\r\n", "", 3, 0, 0},
        {"lengths at their limits and one over", 0,
         "Code,Name,Price\r\n123456,abcdefghij,12345\r\n1234567,x,1\r\n12,abcdefghijk,123456\r\n",
         {},
         "123456;abcdefghij;12345\r\n",
         "line 3, column 1 (Code): 7 characters, more than the 6 of field 1\n"
         "line 4, column 2 (Name): 11 characters, more than the 10 of field 2\n"
         "line 4, column 3 (Price): 6 characters, more than the 5 of field 3\n",
         1, 0, 2},
        {"one over, cut; a key cut into another is still refused", 0,
         "Code,Name,Price\r\n123456,abcdefghij,12345\r\n7654321,x,1\r\n1234567,y,2\r\n", cut(),
         "123456;abcdefghij;12345\r\n765432;x;1\r\n",
         "line 4, column 1 (Code): key \"123456\" is already on line 2\n", 2, 1, 1},
        {"line end inside quotes is a space; LF-only file", 0,
         "Code,Name,Price\n4714,\"two\r\nlines\",1\n4715,\"a\nb\",2\n4716,c,3\n",
         {},
         "4714;two lines;1\r\n4715;a b;2\r\n4716;c;3\r\n", "", 3, 0, 0},
        {"a value with the file's delimiter is refused", 0,
         "Code,Name,Price\r\n1,a;b,1\r\n2,ab,2\r\n", {}, "2;ab;2\r\n",
         "line 2, column 2 (Name): holds the lookup file's delimiter \";\", which would split the "
         "field\n",
         1, 0, 1},
        {"delimited, key not first, columns by name, semicolons, no last line end", 1,
         "Code;Name;Group\n0001;Bolts;A\n0002;Nuts;A\n0003;Bolts;B\n0002;Washers;C",
         columns({"Name", "Code"}),
         "Bolts,0001\r\nNuts,0002\r\nBolts,0003\r\n",
         "line 5, column 1 (Code): key \"0002\" is already on line 3\n", 3, 0, 1},
        {"fixed, key first, Windows-1252, no header, blank rows skipped", 2,
         "4711,M\xFCller,12\r\n,,\r\n47,Stra\xDF" "e,7\r\n",
         no_header(), "4711 Muller  12 \r\n47   Strasse 7  \r\n", "", 2, 0, 0},
        {"fixed, letters outside ASCII refused when asked", 2, "4711,M\xFCller,12\r\n47,Nut,7\r\n",
         ascii_only(), "47   Nut     7  \r\n",
         "line 1, column 2: \"\xC3\xBC\" (U+00FC) is not an ASCII character\n", 1, 0, 1},
        {"fixed, key not first, columns by number, padded key duplicates", 2,
         "Code,Name\r\nA1,Nut\r\nA2,Bolt\r\nA1,Screw\r\n", columns({"2", "1"}),
         "Nut    A1   \r\nBolt   A2   \r\n",
         "line 4, column 1 (Code): key \"A1  \" is already on line 2\n", 2, 0, 1,
         key_not_first_fixed},
        {"characters the terminal cannot show and missing columns", 0,
         "Code,Name,Price\r\n1,\xE4\xB8\xAD,1\r\n2,a\x01,2\r\n3,b\r\n4,\xE2\x80\x9Cq\xE2\x80\x9D \xE2\x82\xAC,4\r\n",
         {}, "4;\"q\" EUR;4\r\n",
         "line 2, column 2 (Name): \"\xE4\xB8\xAD\" (U+4E2D) has no ASCII likeness the terminal "
         "can show\n"
         "line 3, column 2 (Name): holds the control character U+0001\n"
         "line 4: 2 columns; field 3 is taken from column 3\n",
         1, 0, 3},
    };
    for (const ConvertCase& c : cases) {
        auto t = described_template();
        if (c.change) c.change(*t);
        const LookupConversion out = convert_csv_to_lookup(*t, c.file, c.csv, c.options);
        ASSERT_TRUE(out.ok) << c.what << ": " << out.reason;
        EXPECT_EQ(out.lookup, c.lookup) << c.what;
        EXPECT_EQ(refusals(out), c.refused) << c.what;
        EXPECT_EQ(out.written, c.written) << c.what;
        EXPECT_EQ(out.cut, c.cut) << c.what;
        EXPECT_EQ(out.refused, c.refused_lines) << c.what;
        // What was written passes the check a download is made against.
        const std::vector<Finding> findings = check_lookup_lines(*t, c.file, out.lookup, 253);
        EXPECT_TRUE(findings.empty()) << c.what << ": " << (findings.empty() ? "" : findings[0].message);
    }
}

TEST(LookupConvert, UnusableDescriptionsAndOptionsSayWhy) {
    struct Fault {
        const char* what;
        int file;
        LookupConvertOptions options;
        void (*change)(Template&);
        const char* reason;
    };
    const std::vector<Fault> faults = {
        {"undescribed file", 0, {}, [](Template& t) { t.lookups[0].member_length = 0; },
         "the template does not describe the 1st lookup file (member length 0)"},
        {"key beyond the fields", 0, {}, [](Template& t) { t.lookups[0].key_field = 3; },
         "the key of the 1st lookup file is field 4, beyond its 3 fields"},
        {"fixed field outside the member", 2, {}, [](Template& t) { t.lookups[2].field_offset[2] = 15; },
         "field 3 of the 3rd lookup file (offset 15, length 3) lies outside its member length 16"},
        {"fixed fields on the same columns", 2, {}, [](Template& t) { t.lookups[2].field_offset[1] = 5; },
         "fields 1 and 2 of the 3rd lookup file lie on the same columns"},
        {"line end as delimiter", 0, {}, [](Template& t) { t.extended.lookup_delimiter[0] = '\r'; },
         "the delimiter of the 1st lookup file is a line end, which would split every line"},
        {"too few columns chosen", 0, columns({"Code"}), nullptr,
         "1 column is chosen; the lookup file has 3 fields"},
        {"unknown column name", 1, columns({"Name", "Kode"}), nullptr, "no column is named \"Kode\""},
        {"column number beyond the first record", 1, columns({"1", "4"}), nullptr,
         "column 4 is chosen, but the first record has 3 columns"},
        {"names without a header", 1, columns({"Name", "1"}, false), nullptr,
         "\"Name\" is not a column number (without a header, columns are chosen by number)"},
    };
    for (const Fault& f : faults) {
        auto t = described_template();
        if (f.change) f.change(*t);
        const LookupConversion out = convert_csv_to_lookup(*t, f.file, "Code,Name,Price\r\n1,a,2\r\n", f.options);
        EXPECT_FALSE(out.ok) << f.what;
        EXPECT_EQ(out.reason, f.reason) << f.what;
    }
    // A header with fewer columns than fields is most often a wrong separator.
    auto t = described_template();
    LookupConvertOptions comma;
    comma.separator = ',';
    const LookupConversion out = convert_csv_to_lookup(*t, 0, "Code;Name;Price\r\n", comma);
    EXPECT_EQ(out.reason, "the header has 1 column; the lookup file has 3 fields");
}

TEST(LookupConvert, AsciiLikenessOfLettersAndSigns) {
    const std::vector<std::pair<char32_t, const char*>> table = {
        {U'a', "a"}, {U'~', "~"}, {0x00E9, "e"}, {0x00C5, "A"}, {0x00DF, "ss"}, {0x00C6, "AE"},
        {0x0141, "L"}, {0x0159, "r"}, {0x017E, "z"}, {0x0153, "oe"}, {0x2019, "'"}, {0x2026, "..."},
        {0x20AC, "EUR"}, {0x0301, ""}, {0x00A0, " "},
    };
    for (const auto& [c, ascii] : table) {
        ASSERT_NE(ascii_likeness(c), nullptr) << static_cast<unsigned>(c);
        EXPECT_STREQ(ascii_likeness(c), ascii) << static_cast<unsigned>(c);
    }
    EXPECT_EQ(ascii_likeness(0x4E2D), nullptr);
    EXPECT_EQ(ascii_likeness(0x0007), nullptr);
    EXPECT_EQ(ascii_likeness(0xFFFD), nullptr);
}

}  // namespace
}  // namespace kolibra
