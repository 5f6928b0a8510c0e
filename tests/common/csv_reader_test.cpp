// The CSV reader: records and fields as RFC 4180 writes them, the three line
// ends, the separator found from the first record, and the encodings a
// spreadsheet's export may have.
#include "common/csv_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kolibra {
namespace {

// Each record as "LINE:[field|field]", one per line.
std::string listing(const CsvReadResult& r) {
    std::string text;
    for (const CsvRecord& rec : r.records) {
        text += std::to_string(rec.line) + ":[";
        for (std::size_t f = 0; f < rec.fields.size(); ++f) text += (f ? "|" : "") + rec.fields[f];
        text += "]\n";
    }
    return text;
}

struct ReadCase {
    const char* what;
    std::string bytes;
    char separator;  // given; 0 detects
    char found_separator;
    CsvEncoding encoding;
    const char* records;
};

TEST(CsvReader, RecordsFieldsSeparatorsAndEncodings) {
    const CsvEncoding U = CsvEncoding::Utf8, B = CsvEncoding::Utf8WithBom,
                      W = CsvEncoding::Windows1252;
    const std::vector<ReadCase> cases = {
        {"CR LF lines", "a,b\r\nc,d\r\n", 0, ',', U, "1:[a|b]\n2:[c|d]\n"},
        {"LF alone", "a,b\nc,d\n", 0, ',', U, "1:[a|b]\n2:[c|d]\n"},
        {"CR alone", "a,b\rc,d", 0, ',', U, "1:[a|b]\n2:[c|d]\n"},
        {"no line end after the last record", "a,b\r\nc,d", 0, ',', U, "1:[a|b]\n2:[c|d]\n"},
        {"empty last line and blank lines skipped", "a\r\n\r\nb\r\n\r\n", 0, ',', U,
         "1:[a]\n3:[b]\n"},
        {"empty fields kept", ",x,\r\n", 0, ',', U, "1:[|x|]\n"},
        {"separator and quote inside quotes", "\"Apples, red\",\"say \"\"hi\"\"\"\r\n", 0, ',', U,
         "1:[Apples, red|say \"hi\"]\n"},
        {"line ends inside quotes; the next record's line counts them",
         "\"two\r\nlines\",x\r\n\"a\nb\rc\",y\r\nz\r\n", 0, ',', U,
         "1:[two\r\nlines|x]\n3:[a\nb\rc|y]\n6:[z]\n"},
        {"an empty quoted field", "\"\",a\r\n", 0, ',', U, "1:[|a]\n"},
        {"a quote inside an unquoted field is a letter", "5\" nail,x\r\n", 0, ',', U,
         "1:[5\" nail|x]\n"},
        {"semicolon found from the header", "Code;Name\r\n1,5;x\r\n", 0, ';', U,
         "1:[Code|Name]\n2:[1,5|x]\n"},
        {"tab found from the header", "Code\tName\r\n1,5\tx\r\n", 0, '\t', U,
         "1:[Code|Name]\n2:[1,5|x]\n"},
        {"separators inside quotes of the header do not count", "\"a;b;c\",d\r\n", 0, ',', U,
         "1:[a;b;c|d]\n"},
        {"no separator in the header: one column", "Code\r\n4711\r\n", 0, ',', U,
         "1:[Code]\n2:[4711]\n"},
        {"separator given", "a;b,c\r\n", ',', ',', U, "1:[a;b|c]\n"},
        {"byte-order mark dropped", "\xEF\xBB\xBF" "Code,Name\r\n", 0, ',', B, "1:[Code|Name]\n"},
        {"UTF-8 kept", "Caf\xC3\xA9\r\n", 0, ',', U, "1:[Caf\xC3\xA9]\n"},
        {"Windows-1252 made UTF-8", "Caf\xE9,\x80,\x96\r\n", 0, ',', W,
         "1:[Caf\xC3\xA9|\xE2\x82\xAC|\xE2\x80\x93]\n"},
        {"undefined Windows-1252 byte", "a\x81\r\n", 0, ',', W, "1:[a\xEF\xBF\xBD]\n"},
        {"overlong UTF-8 is not UTF-8", "\xC0\xAF\r\n", 0, ',', W, "1:[\xC3\x80\xC2\xAF]\n"},
        {"empty file", "", 0, ',', U, ""},
    };
    for (const ReadCase& c : cases) {
        const CsvReadResult r = read_csv(c.bytes, c.separator);
        ASSERT_TRUE(r.ok) << c.what << ": " << r.reason;
        EXPECT_EQ(r.separator, c.found_separator) << c.what;
        EXPECT_EQ(r.encoding, c.encoding) << c.what;
        EXPECT_EQ(listing(r), c.records) << c.what;
    }
}

TEST(CsvReader, UnreadableFilesSayWhy) {
    CsvReadResult r = read_csv("a,b\r\nc,\"open\r\nd\r\n");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.reason, "line 2: a quoted field is not closed before the end of the file");
    EXPECT_TRUE(r.records.empty());

    r = read_csv("\xEF\xBB\xBF" "Caf\xE9\r\n");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.reason, "it starts with a UTF-8 byte-order mark, but not all of it is UTF-8");
}

TEST(CsvReader, CodePointsAndUtf8Checks) {
    const std::string text = "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\xFF";
    std::size_t at = 0;
    EXPECT_EQ(next_code_point(text, at), U'a');
    EXPECT_EQ(next_code_point(text, at), U'\u00E9');
    EXPECT_EQ(next_code_point(text, at), U'\u20AC');
    EXPECT_EQ(next_code_point(text, at), U'\U0001F600');
    EXPECT_EQ(next_code_point(text, at), U'\uFFFD');
    EXPECT_EQ(at, text.size());
    EXPECT_TRUE(is_utf8("plain \xC3\xA9"));
    EXPECT_FALSE(is_utf8("\xED\xA0\x80"));      // a surrogate
    EXPECT_FALSE(is_utf8("\xF4\x90\x80\x80"));  // above U+10FFFF
    EXPECT_FALSE(is_utf8("\xC3"));              // cut short
}

}  // namespace
}  // namespace kolibra
