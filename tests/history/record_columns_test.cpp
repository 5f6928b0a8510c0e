// Records built by the simulator's record builder for designed forms, split
// back into exactly the typed fields; forms matched by the records' shapes.
#include "history/columns_export.h"
#include "history/record_columns.h"
#include "model/form_rules.h"
#include "model/text_slot.h"
#include "simulator/sim_runtime.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>

namespace kolibra {
namespace {

using Values = std::vector<std::string>;

struct Line {
    uint8_t type = kTypeText;
    std::string data;  // what was typed (the prompt for fixed data)
    std::function<void(FormRecord&, int)> set = nullptr;
};

// A form of the given lines, the fields holding their data, and the record
// the simulator builds from them at 2026-12-09 08:07:06.
struct Built {
    FormRecord form{};
    FieldState fields[kFormLines];
    std::string record;
};

Built build(const std::vector<Line>& lines, const char* delimiter,
            std::function<void(FormRecord&)> extra = nullptr) {
    Built b;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        b.form.data_type[i] = lines[i].type;
        b.form.max_length[i] = 50;
        write_slot(b.form.prompt[i], "F" + std::to_string(i + 1) + ":");
        if (lines[i].type == kTypeFixedData) write_slot(b.form.prompt[i], lines[i].data);
        else b.fields[i].data = lines[i].data;
        if (lines[i].set) lines[i].set(b.form, static_cast<int>(i));
    }
    if (extra) extra(b.form);
    uint8_t d[2] = {static_cast<uint8_t>(delimiter[0]),
                    static_cast<uint8_t>(delimiter[0] ? delimiter[1] : 0)};
    b.record = record_text(b.form, b.fields, d, {2026, 12, 9, 8, 7, 6});
    return b;
}

RecordLayout layout_of(const Built& b, const char* delimiter) {
    uint8_t d[2] = {static_cast<uint8_t>(delimiter[0]),
                    static_cast<uint8_t>(delimiter[0] ? delimiter[1] : 0)};
    return record_layout(b.form, d);
}

auto fixed(int n, uint8_t alignment) {
    return [=](FormRecord& f, int i) {
        f.fixed_length_on[i] = 1;
        f.fixed_length[i] = static_cast<uint8_t>(n);
        f.alignment[i] = alignment;
    };
}
auto prefix_suffix(const char* prefix, const char* suffix) {
    return [=](FormRecord& f, int i) {
        if (*prefix) { f.prefix_on[i] = 1; write_slot(f.prefix[i], prefix); }
        if (*suffix) { f.suffix_on[i] = 1; write_slot(f.suffix[i], suffix); }
    };
}

struct Case {
    const char* name;
    std::vector<Line> lines;
    const char* delimiter;
    std::function<void(FormRecord&)> extra;
    const char* record;  // as the simulator lays it out
    Values values;       // read back
};

TEST(RecordColumns, SplitsSimulatorRecordsBackIntoTheTypedFields) {
    const Case cases[] = {
        {"two-character delimiter", {{kTypeText, "AB"}, {kTypeInteger, "7"}}, ",~", nullptr,
         "AB,~7", {"AB", "7"}},
        {"delimiter inside text data, the integer after it decides",
         {{kTypeText, "A,B"}, {kTypeInteger, "12"}}, ",", nullptr, "A,B,12", {"A,B", "12"}},
        {"code-list and literal prefixes and suffixes",
         {{kTypeText, "AB", prefix_suffix("60", "#")}, {kTypeInteger, "7", prefix_suffix("P:", "13 62")}},
         ";", nullptr, "<AB#;P:7\r>", {"AB", "7"}},
        {"fixed lengths in the four alignments",
         {{kTypeText, "AB", fixed(5, 0)}, {kTypeText, "CD", fixed(5, 1)},
          {kTypeInteger, "12", fixed(5, 2)}, {kTypeInteger, "34", fixed(5, 3)}},
         ",", nullptr, "AB   ,   CD,12000,00034", {"AB", "CD", "12", "34"}},
        {"no delimiter, fixed lengths only",
         {{kTypeText, "4711", fixed(6, 0)}, {kTypeInteger, "12", fixed(4, 3)}, {kTypeText, "X", fixed(2, 1)}},
         "", nullptr, "4711  0012 X", {"4711", "12", "X"}},
        {"data longer than the fixed length is cut",
         {{kTypeText, "ABCDEFG", fixed(4, 0)}, {kTypeText, "Z"}}, ",", nullptr, "ABCD,Z",
         {"ABCD", "Z"}},
        {"date before, time after",
         {{kTypeText, "AB"}}, ",", [](FormRecord& f) { f.date_stamp = 7; f.time_stamp = 1; },
         "2026/12/09,AB,08:07:06", {"2026-12-09", "AB", "08:07:06"}},
        {"time before, date after, no separators",
         {{kTypeInteger, "5"}}, "", [](FormRecord& f) { f.date_stamp = 6; f.time_stamp = 7; },
         "0807065" "09122026", {"08:07:06", "5", "2026-12-09"}},
        {"fixed data is matched, not a column",
         {{kTypeFixedData, "SHOP1"}, {kTypeText, "AB"}}, ",", nullptr, "SHOP1,AB", {"AB"}},
        {"extension lines join their line's data, fixed data included",
         {{kTypeText, "AB"}, {kTypeExtension, "CD"}, {kTypeFixedData, "SHOP"}, {kTypeExtension, "12"}},
         ",", nullptr, "ABCD,SHOP12", {"ABCD", "SHOP12"}},
        {"lookup line kept only with save field data",
         {{kTypeLookup, "L1", [](FormRecord& f, int i) { f.initial_on[i] = 1; }},
          {kTypeLookup, "L2"}, {kTypeBoolean, "Y"}},
         ",", nullptr, "L1,Y", {"L1", "Y"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Built b = build(c.lines, c.delimiter, c.extra);
        ASSERT_EQ(b.record, c.record);
        const auto values = split_record(b.record, layout_of(b, c.delimiter), SplitCheck::Strict);
        ASSERT_TRUE(values.has_value());
        EXPECT_EQ(*values, c.values);
    }
}

TEST(RecordColumns, EveryStampCodeReadsBackAsIso8601) {
    for (int date = 1; date <= 12; ++date) {
        for (int time = 1; time <= 8; ++time) {
            const Built b = build({{kTypeText, "X"}}, "|", [&](FormRecord& f) {
                f.date_stamp = static_cast<uint8_t>(date);
                f.time_stamp = static_cast<uint8_t>(time);
            });
            const auto values = split_record(b.record, layout_of(b, "|"), SplitCheck::Strict);
            ASSERT_TRUE(values.has_value()) << b.record;
            const std::string t = (time - 1) % 2 == 0 ? "08:07:06" : "08:07";
            Values expected = {"2026-12-09", "X", t};
            if (date >= 7 && time >= 5) expected = {"2026-12-09", t, "X"};
            if (date >= 7 && time < 5) expected = {"2026-12-09", "X", t};
            if (date < 7 && time >= 5) expected = {t, "X", "2026-12-09"};
            if (date < 7 && time < 5) expected = {"X", "2026-12-09", t};
            EXPECT_EQ(*values, expected) << "date " << date << " time " << time << ": " << b.record;
        }
    }
}

TEST(RecordColumns, RecordsThatDoNotFitAreRefused) {
    const Built b = build({{kTypeText, "AB"}, {kTypeInteger, "7", fixed(3, 3)}}, ",",
                          [](FormRecord& f) { f.date_stamp = 4; });
    const RecordLayout layout = layout_of(b, ",");
    ASSERT_EQ(b.record, "AB,007,20261209");
    for (const char* bad : {"AB,07,20261209", "AB,007,20261309", "AB,007", "AB;007;20261209",
                            "AB,007,20261209,", "AB,0X7,20261209"}) {
        EXPECT_FALSE(split_record(bad, layout, SplitCheck::Strict).has_value()) << bad;
    }
    // Lenient reading lets the integer hold a letter, nothing else.
    EXPECT_TRUE(split_record("AB,0X7,20261209", layout, SplitCheck::Lenient).has_value());
    EXPECT_FALSE(split_record("AB,07,20261209", layout, SplitCheck::Lenient).has_value());
}

TEST(RecordColumns, PadRemovalKeepsTheMinimumLength) {
    const Built b = build({{kTypeInteger, "0", [](FormRecord& f, int i) {
                               fixed(4, 3)(f, i);
                               f.min_length[i] = 1;
                           }}},
                          ",");
    ASSERT_EQ(b.record, "0000");
    EXPECT_EQ(*split_record(b.record, layout_of(b, ","), SplitCheck::Strict), Values{"0"});
}

TEST(RecordColumns, DataFileLinesAndEnds) {
    auto texts = [](const std::string& bytes) {
        std::vector<std::string> out;
        for (const DataRecord& r : data_file_records(bytes)) out.push_back(std::to_string(r.line) + ":" + r.text);
        return out;
    };
    EXPECT_EQ(texts("a\r\n\r\nb\nc\r\n"), (Values{"1:a", "3:b\nc"}));  // LF inside a record stays
    EXPECT_EQ(texts("a\nb"), (Values{"1:a", "2:b"}));
    EXPECT_EQ(texts("a\rb\r"), (Values{"1:a", "2:b"}));
    EXPECT_TRUE(texts("").empty());
}

class TwoForms : public ::testing::Test {
protected:
    void SetUp() override {
        tpl = std::make_unique<Template>();
        std::memset(tpl.get(), 0, sizeof(Template));
        tpl->field_delimiter[0] = ';';
        // Form 2: item (text) and quantity (integer).
        FormRecord& a = tpl->forms[1];
        a.data_type[0] = kTypeText;
        write_slot(a.prompt[0], "Item:");
        a.data_type[1] = kTypeInteger;
        write_slot(a.prompt[1], "Qty: ");
        a.max_length[0] = a.max_length[1] = 20;
        // Form 5: a location fixed to 4 characters, a date stamp before it.
        FormRecord& b = tpl->forms[4];
        b.data_type[0] = kTypeText;
        b.fixed_length_on[0] = 1;
        b.fixed_length[0] = 4;
        b.date_stamp = 10;
        b.max_length[0] = 20;
    }
    std::unique_ptr<Template> tpl;
};

TEST_F(TwoForms, EachRecordGoesToTheFormItFits) {
    const std::string data = "4711;3\r\n20261209;A1  \r\n0815;12\r\nnothing\r\n";
    ColumnsResult r = records_to_columns(*tpl, data_file_records(data));
    ASSERT_EQ(r.tables.size(), 2u);
    EXPECT_EQ(r.tables[0].form, 2);
    EXPECT_EQ(r.tables[0].columns, (Values{"Item", "Qty"}));
    EXPECT_EQ(r.tables[0].rows, (std::vector<Values>{{"4711", "3"}, {"0815", "12"}}));
    EXPECT_EQ(r.tables[1].form, 5);
    EXPECT_EQ(r.tables[1].columns, (Values{"Date", "Line 1"}));
    EXPECT_EQ(r.tables[1].rows, (std::vector<Values>{{"2026-12-09", "A1"}}));
    ASSERT_EQ(r.unmatched.size(), 1u);
    EXPECT_EQ(r.unmatched[0].line, 4);
    EXPECT_EQ(r.unmatched[0].reason, "fits no form");

    // A record both forms could have made is named, not guessed.
    tpl->forms[4] = tpl->forms[1];
    r = records_to_columns(*tpl, data_file_records("4711;3\r\n"));
    ASSERT_EQ(r.unmatched.size(), 1u);
    EXPECT_EQ(r.unmatched[0].reason, "fits forms 2 and 5");
    // Unless the form is named.
    r = records_to_columns(*tpl, data_file_records("4711;3\r\n"), 5);
    ASSERT_EQ(r.tables.size(), 1u);
    EXPECT_EQ(r.tables[0].form, 5);
    EXPECT_TRUE(r.unmatched.empty());
}

TEST(ColumnsExport, FormFileNames) {
    EXPECT_EQ(form_csv_path("out.csv", 2), "out.form2.csv");
    EXPECT_EQ(form_csv_path("/tmp/a.b/out", 10), "/tmp/a.b/out.form10");
    EXPECT_EQ(form_csv_path("/tmp/a.b/.hidden", 1), "/tmp/a.b/.hidden.form1");
}

}  // namespace
}  // namespace kolibra
