// The template's text form: every bit named once, byte-exact round trips,
// the written lines, hand-written texts, refused lines and differences.
#include "model/factory_values.h"
#include "model/template_fields.h"
#include "model/template_file.h"
#include "model/template_text.h"
#include "model/text_slot.h"
#include "model_test_util.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <random>
#include <set>

namespace kolibra {
namespace {

using test::Bytes;
using test::slice;

std::unique_ptr<Template> factory() {
    auto t = std::make_unique<Template>();
    std::memset(t.get(), 0, sizeof(Template));
    reset_template(*t);
    return t;
}

uint8_t* bytes_of(Template& t) { return reinterpret_cast<uint8_t*>(&t); }

// import(export(t)) must give back t's bytes exactly.
void expect_round_trip(const Template& t, const std::string& what) {
    const std::string text = export_template_text(t);
    auto back = std::make_unique<Template>();
    std::memset(back.get(), 0x5A, sizeof(Template));
    const TextImportResult result = import_template_text(text, *back);
    ASSERT_TRUE(result.ok()) << what << ": " << describe(result.problems.front());
    for (std::size_t i = 0; i < sizeof(Template); ++i) {
        const auto* a = reinterpret_cast<const uint8_t*>(&t);
        const auto* b = reinterpret_cast<const uint8_t*>(back.get());
        ASSERT_EQ(a[i], b[i]) << what << ": first difference at template byte " << i;
    }
}

// The value written for `key`, or "(absent)".
std::string line_value(const std::string& text, const std::string& key) {
    const std::string start = key + " = ";
    std::size_t at = text.rfind("\n" + start);
    if (at == std::string::npos) return "(absent)";
    at += 1 + start.size();
    return text.substr(at, text.find('\n', at) - at);
}

TEST(TemplateFields, NameEveryBitOfTheTemplateExactlyOnce) {
    std::vector<uint8_t> covered(sizeof(Template), 0);
    std::set<std::string> keys;
    for (const TemplateField& f : template_fields()) {
        EXPECT_TRUE(keys.insert(f.key).second) << "duplicate key " << f.key;
        if (f.kind == FieldKind::Text) {
            ASSERT_LE(f.offset + f.slot_size, sizeof(Template)) << f.key;
            for (std::size_t i = 0; i < f.slot_size; ++i) {
                EXPECT_EQ(0, covered[f.offset + i]) << f.key << " overlaps";
                covered[f.offset + i] = 0xFF;
            }
            continue;
        }
        ASSERT_LT(f.offset, sizeof(Template)) << f.key;
        const unsigned bits = f.mask() << f.shift;
        ASSERT_LE(bits, 0xFFu) << f.key;
        EXPECT_EQ(0u, covered[f.offset] & bits) << f.key << " overlaps";
        covered[f.offset] = static_cast<uint8_t>(covered[f.offset] | bits);
    }
    for (std::size_t i = 0; i < covered.size(); ++i) {
        ASSERT_EQ(0xFF, covered[i]) << "template byte " << i << " is not fully named";
    }
}

TEST(TemplateText, RoundTripsTemplatesByteForByte) {
    auto t = factory();
    expect_round_trip(*t, "factory");

    // Every byte the same value: zero, all ones, and a pattern with every
    // byte different from the factory one.
    for (int fill : {0x00, 0xFF, 0x22, 0x5C}) {
        std::memset(t.get(), fill, sizeof(Template));
        expect_round_trip(*t, "filled with " + std::to_string(fill));
    }
    for (std::size_t i = 0; i < sizeof(Template); ++i) bytes_of(*t)[i] = static_cast<uint8_t>(i * 7 + 3);
    expect_round_trip(*t, "patterned");

    // A designed form, remains of longer texts, full slots with no zero byte.
    t = factory();
    FormRecord& f = t->forms[1];
    f.data_type[0] = 1;
    write_slot(f.prompt[0], "Quantity");
    write_slot(f.prompt[0], "Qty");  // leaves "tity" after the zero
    write_full_slot(f.leading_code[0], "ABCDEF");
    std::memcpy(f.prompt[1], "123456789012345678901", 21);  // no zero byte
    write_full_slot(t->password, "0123456789");
    f.max_length[2] = 249;  // as spread_extensions leaves a short field's extension
    f.reserved[7] = 9;
    t->barcode.bytes[2] |= 0x09;  // the two bits that are always 0
    expect_round_trip(*t, "designed");
}

TEST(TemplateText, RoundTripsWhatOpeningAFileGivesIncludingOldAndRandomFiles) {
    // What tgen saves for a file: its decoded (and for old files upgraded)
    // template with the current tag. import(export()) must encode the same.
    auto check_file = [](const Bytes& file, const std::string& what) {
        auto decoded = std::make_unique<Template>();
        ASSERT_TRUE(decode_template_file(file.data(), file.size(), *decoded).ok()) << what;
        auto saved = std::make_unique<TemplateFileBytes>();
        encode_template_file(*decoded, *saved);

        auto back = std::make_unique<Template>();
        const TextImportResult result = import_template_text(export_template_text(*decoded), *back);
        ASSERT_TRUE(result.ok()) << what << ": " << describe(result.problems.front());
        auto again = std::make_unique<TemplateFileBytes>();
        encode_template_file(*back, *again);
        ASSERT_TRUE(*saved == *again) << what;
    };

    std::mt19937 random(20261209);
    Bytes file(kTemplateFileSize);
    for (int round = 0; round < 100; ++round) {
        for (auto& b : file) b = static_cast<uint8_t>(random());
        std::memcpy(file.data(), round % 3 == 0 ? "QRV-3.10" : "QRV-4.00", 8);
        // Most random files lack the format marker and are upgraded; keep it in half.
        if (round % 2 == 0) file[10496] = 64;
        check_file(file, "random file " + std::to_string(round));
        if (HasFatalFailure()) return;
    }

    // An old-format file exports as the upgraded template: factory extended
    // settings and record prompt lines.
    for (auto& b : file) b = 0;
    std::memcpy(file.data(), "QRV-3.10", 8);
    auto decoded = std::make_unique<Template>();
    ASSERT_TRUE(decode_template_file(file.data(), file.size(), *decoded).ok());
    const std::string text = export_template_text(*decoded);
    EXPECT_EQ("1", line_value(text, "extended.wedge_crlf"));
    EXPECT_EQ("\" Turn ON  prompting \"", line_value(text, "pages.record_prompt_page.1"));
    EXPECT_EQ("\"\"", line_value(text, "pages.welcome_page.1"));
}

TEST(TemplateText, WritesNamedValuesAtTheDocumentedBits) {
    auto t = factory();
    std::string text = export_template_text(*t);
    // Factory barcode bytes 9B C9 00 00 00 2D 54 80 00 19 3D 00 ... 66 03 03 00.
    const std::map<std::string, std::string> factory_lines = {
        {"barcode.code39", "on"},          {"barcode.italian_pharmacode", "off"},
        {"barcode.code93", "on"},          {"barcode.code128", "on"},
        {"barcode.upce_addon2", "off"},    {"barcode.ean13_upca", "on"},
        {"barcode.telepen.mode", "AIM Telepen  (Full ASCII)"},
        {"barcode.code39.transmit_checksum", "on"},
        {"barcode.interleave25.start_stop", "Interleave 25"},
        {"barcode.matrix25.start_stop", "Matrix 25"},
        {"barcode.codabar.transmit_start_stop", "off"},
        {"barcode.msi.checksum_verification", "Single Modulo 10"},
        {"barcode.msi.checksum_transmission", "Transmitted"},
        {"barcode.ean13.convert_upca_to_ean13", "on"},
        {"barcode.ean13.transmit_upca_system_number", "on"},
        {"barcode.upce.transmit_system_number", "off"},
        {"barcode.interleave25.length_mode", "Max / Min Length"},
        {"barcode.interleave25.length_1", "126"},
        {"barcode.msi.length_2", "1"},
        {"barcode.scanner.scan_mode", "Laser"},
        {"barcode.scanner.time_out", "3"},
        {"barcode.scanner.scan_mode_low_bits", "(absent)"},  // holds its fixed 6
        {"start_target", "form 1"},
        {"forms.7.next_target", "form  7"},
        {"forms.1.lines.8.auto_enter", "Scan+ENTER"},
        {"forms.1.lines.8.reserved", "(absent)"},
        {"field_delimiter.1", "\",\""},
        {"field_delimiter.2", "\"\""},
        {"system.duration", "\"2\""},
        {"system.baud_rate", "115200 bps"},
        {"pages.main_page.4", "\"               \""},
        {"password", "\"\""},
    };
    for (const auto& [key, value] : factory_lines) EXPECT_EQ(value, line_value(text, key)) << key;

    FormRecord& f = t->forms[1];
    f.record_action = 2;
    f.font = 5;
    f.min_length[2] = 60;
    write_slot(f.prompt[2], "Quantity");
    write_slot(f.prompt[2], "Qty");
    write_slot(f.prompt[3], "A\"B\\C\x07\xE9");
    std::memcpy(f.prompt[4], "123456789012345678901", 21);
    f.reserved[0] = 4;
    t->barcode.bytes[11] = 0x08;
    t->system.protect[3] = 1;
    t->menus[0].item_next[9] = 20;
    text = export_template_text(*t);
    EXPECT_EQ("save & update", line_value(text, "forms.2.record_action"));
    EXPECT_EQ("raw 5  # no entry of the list has this number", line_value(text, "forms.2.font"));
    EXPECT_EQ("raw 60  # outside 0 to 50", line_value(text, "forms.2.lines.3.min_length"));
    EXPECT_EQ("\"Qty\"", line_value(text, "forms.2.lines.3.prompt"));
    EXPECT_EQ("\"tity\"  # bytes after the text's zero, kept as they were",
              line_value(text, "forms.2.lines.3.prompt.leftover"));
    EXPECT_EQ("(absent)", line_value(text, "forms.2.lines.3.prompt.unterminated"));
    EXPECT_EQ("\"A\\\"B\\\\C\\x07\\xE9\"", line_value(text, "forms.2.lines.4.prompt"));
    EXPECT_EQ("\"123456789012345678901\"", line_value(text, "forms.2.lines.5.prompt"));
    EXPECT_EQ("1  # the slot holds no zero byte", line_value(text, "forms.2.lines.5.prompt.unterminated"));
    EXPECT_EQ("raw 4  # holds 0 in a sound template", line_value(text, "forms.2.lines.1.reserved"));
    EXPECT_EQ("Two times", line_value(text, "barcode.read_redundancy"));
    EXPECT_EQ("1", line_value(text, "system.protect.set_date_time"));
    EXPECT_EQ("menu  10", line_value(text, "menus.1.items.10.item_next"));
    EXPECT_NE(std::string::npos, text.find("\n# Form 2, line 3\n"));
    EXPECT_NE(std::string::npos, text.find("\n# Page text: Main menu (3x15), and a last line no dialog shows\n"));
}

TEST(TemplateText, AShortTextChangesOnlyWhatItNames) {
    auto t = std::make_unique<Template>();
    ASSERT_TRUE(import_template_text("", *t).ok());
    EXPECT_TRUE(test::same_bytes(*factory(), *t)) << "an empty text is the factory template";

    const char* text =
        "\xEF\xBB\xBF# stock count\r\n"
        "start_target = menu 1\r\n"
        "comm.com_baud = 38400   # a comment after a value\n"
        "menus.1.items.1.item_next = form 2\n"  // one space is as good as the list's two
        "forms.2.lines.3.prompt = \"Count\"\n"
        "forms.2.lines.3.data_type = \"Integer\"\n"
        "   forms.2.lines.3.max_length=12\n"
        "barcode.wedge.shift_lock_type = Capital-lock keyboard\n"
        "barcode.wedge.digits_layout = Upper position\n"
        "barcode.msi = on\n"
        "barcode.scanner.scan_mode = raw 15\n"
        "forms.1.lines.1.leading_code = \"ABCDEF\"\n"
        "password = \"0123456789\"\n"
        "extended.lookups.2.lookup_delimiter = \"\\x09\"\n"
        "forms.3.lines.1.prompt.leftover = \"old\"\n"
        "forms.3.lines.2.prompt = \"12345678901234567890#\"\n"
        "forms.3.lines.2.prompt.unterminated = 1\n";
    const TextImportResult result = import_template_text(text, *t);
    ASSERT_TRUE(result.ok()) << describe(result.problems.front());

    auto file = std::make_unique<TemplateFileBytes>();
    encode_template_file(*t, *file);
    const uint8_t* b = file->data();
    EXPECT_EQ(1, b[10]);                            // start_target
    EXPECT_EQ(Bytes({0, 2}), slice(b, 8, 2));       // COM1, 38400
    EXPECT_EQ(0x12, b[11 + 4]);                     // Capital-lock keyboard, Upper position
    EXPECT_EQ(0x20, b[11 + 2]);                     // MSI
    EXPECT_EQ(0xF6, b[11 + 20]);                    // scan mode 15 over the fixed low 6
    EXPECT_EQ(2, b[35 + 234]);                      // menu 1 item 1 -> form 2
    const std::size_t form2 = 2535 + 601;
    EXPECT_EQ(test::text_z("Count"), slice(b, form2 + 23 + 2 * 21, 6));
    EXPECT_EQ(2, b[form2 + 15 + 2]);                // integer
    EXPECT_EQ(12, b[form2 + 207 + 2]);
    EXPECT_EQ(Bytes({'A', 'B', 'C', 'D', 'E', 'F'}), slice(b, 2535 + 535, 6));
    EXPECT_EQ(Bytes({'0', '1', '2', '3', '4', '5', '6', '7', '8', '9'}), slice(b, 10486, 10));
    EXPECT_EQ(9, b[10496 + 2 + 1]);
    const std::size_t form3 = 2535 + 2 * 601;
    EXPECT_EQ(Bytes({0, 'o', 'l', 'd', 0}), slice(b, form3 + 23, 5));
    EXPECT_EQ(Bytes({'1', '2'}), slice(b, form3 + 23 + 21, 2));
    EXPECT_EQ('#', b[form3 + 23 + 21 + 20]);        // slot filled to its last byte

    // Everything not named is as in a new template.
    auto expected = factory();
    auto changed = std::make_unique<TemplateFileBytes>();
    encode_template_file(*expected, *changed);
    std::size_t differing = 0;
    for (std::size_t i = 0; i < kTemplateFileSize; ++i) differing += (*changed)[i] != b[i];
    // start, baud, barcode 2, 4 and 20, item_next, "Count", type, length, leading
    // code, password, delimiter, leftover "old", the full prompt.
    EXPECT_EQ(1u + 1 + 3 + 1 + 5 + 1 + 1 + 6 + 10 + 1 + 3 + 21, differing);
}

TEST(TemplateText, RefusesBadLinesNamingLineAndKeyWithoutWriting) {
    struct Case {
        const char* line;
        const char* message;  // what describe() must say for line 2
    };
    const Case cases[] = {
        {"forms.11.font = small", "line 2: forms.11.font: unknown key"},
        {"start_target = menu 1", "line 2: start_target: set twice (first on line 1)"},
        {"forms.1.lines.1.min_length = 51",
         "line 2: forms.1.lines.1.min_length: 51 is outside 0 to 50 (raw 51 keeps such a byte as it is)"},
        {"forms.1.lines.1.partial_length = 0", "line 2: forms.1.lines.1.partial_length: 0 is outside 1 to 50"},
        {"forms.1.lines.1.max_length = 256", "line 2: forms.1.lines.1.max_length: expects a number from 0 to 50"},
        {"forms.1.lines.1.reserved = 1", "line 2: forms.1.lines.1.reserved: 1 is outside 0 to 0"},
        {"forms.1.font = huge", "line 2: forms.1.font: \"huge\" is not an entry of its list (\"small\", \"large\")"},
        {"forms.1.esc_target = form 11", "line 2: forms.1.esc_target: \"form 11\" is not an entry of its list"},
        {"forms.1.font = raw 256", "line 2: forms.1.font: raw takes a number from 0 to 255"},
        {"barcode.read_redundancy = raw 4", "line 2: barcode.read_redundancy: raw takes a number from 0 to 3"},
        {"barcode.msi = yes", "line 2: barcode.msi: expects on or off"},
        {"menus.1.caption_on = 2", "line 2: menus.1.caption_on: expects 0 or 1"},
        {"field_delimiter.1 = \";;\"", "line 2: field_delimiter.1: holds one character, not 2"},
        {"field_delimiter.1 = ;", "line 2: field_delimiter.1: expects one character in double quotes"},
        {"forms.1.lines.1.prompt = \"123456789012345678901\"",
         "line 2: forms.1.lines.1.prompt: the text of 21 characters is longer than its slot (at most 20)"},
        {"password = \"01234567890\"", "line 2: password: the text of 11 characters is longer than its slot (at most 10)"},
        {"pages.welcome_page.1 = \"1234567890123456\"",
         "line 2: pages.welcome_page.1: the text of 16 characters is longer than its slot (at most 15)"},
        {"forms.1.lines.1.prompt = Qty", "line 2: forms.1.lines.1.prompt: expects a text in double quotes"},
        {"forms.1.lines.1.prompt = \"a\\x00b\"", "line 2: forms.1.lines.1.prompt: a text holds no zero byte"},
        {"forms.1.lines.1.prompt = \"Qty", "line 2: forms.1.lines.1.prompt: the text has no closing '\"'"},
        {"forms.1.lines.1.prompt = \"Q\\ty\"", "line 2: forms.1.lines.1.prompt: unknown escape '\\t'"},
        {"forms.1.lines.1.prompt = \"Q\" x", "line 2: forms.1.lines.1.prompt: unexpected text after the closing"},
        {"forms.1.lines.1.prompt =", "line 2: forms.1.lines.1.prompt: no value after '='"},
        {"forms.1.lines.1.initial_text.leftover = \"1234567890\"",
         "line 2: forms.1.lines.1.initial_text.leftover: 10 bytes do not fit after the text (room for 9)"},
        {"forms.1.lines.1.prompt.unterminated = 1",
         "line 2: forms.1.lines.1.prompt.unterminated: a slot with no zero byte needs a text of exactly 21"},
        {"password.unterminated = 1", "line 2: password.unterminated: unknown key"},
        {"forms.1.font small", "line 2: malformed line (expected key = value)"},
        {"= small", "line 2: malformed line"},
    };
    for (const Case& c : cases) {
        const std::string text = std::string("start_target = form 1\n") + c.line + "\nforms.1.lines.1.data_type = text\n";
        auto out = std::make_unique<Template>();
        std::memset(out.get(), 0xAA, sizeof(Template));
        const TextImportResult result = import_template_text(text, *out);
        ASSERT_EQ(1u, result.problems.size()) << c.line;
        EXPECT_EQ(0u, describe(result.problems[0]).find(c.message))
            << c.line << "\n  got: " << describe(result.problems[0]);
        for (std::size_t i = 0; i < sizeof(Template); ++i) {
            ASSERT_EQ(0xAA, bytes_of(*out)[i]) << c.line << ": the template was written";
        }
    }

    // Every bad line is reported, in line order.
    auto out = std::make_unique<Template>();
    const TextImportResult many = import_template_text(
        "forms.1.lines.2.prompt.leftover = \"123456789012345678901\"\nbogus = 1\nforms.1.font = huge\n", *out);
    ASSERT_EQ(3u, many.problems.size());
    EXPECT_EQ(1, many.problems[0].line);
    EXPECT_EQ(2, many.problems[1].line);
    EXPECT_EQ("bogus", many.problems[1].key);
    EXPECT_EQ(3, many.problems[2].line);
}

TEST(TemplateText, DamagedTextsAreReadOrRefusedButNeverHalfApplied) {
    // A sound export with random bytes overwritten, inserted or removed: the
    // reader either refuses it, leaving the template alone, or reads a
    // template that itself round-trips.
    auto base = factory();
    base->forms[0].data_type[0] = 1;
    write_slot(base->forms[0].prompt[0], "Na\"me\\:");
    const std::string sound = export_template_text(*base);
    std::mt19937 random(1612);
    const char alphabet[] = "=\"\\#x0159 \n.abrw";
    int refused = 0;
    for (int round = 0; round < 60; ++round) {
        std::string text = sound;
        for (int edit = 0; edit <= round % 3; ++edit) {
            const std::size_t at = random() % text.size();
            const char c = alphabet[random() % (sizeof alphabet - 1)];
            switch (random() % 3) {
            case 0: text[at] = c; break;
            case 1: text.insert(at, 1, c); break;
            default: text.erase(at, 1); break;
            }
        }
        auto out = std::make_unique<Template>();
        std::memset(out.get(), 0xAA, sizeof(Template));
        const TextImportResult result = import_template_text(text, *out);
        if (!result.ok()) {
            ++refused;
            for (const TextProblem& p : result.problems) EXPECT_GT(p.line, 0) << describe(p);
            ASSERT_EQ(0xAA, bytes_of(*out)[0]);
            ASSERT_EQ(0xAA, bytes_of(*out)[sizeof(Template) - 1]);
            continue;
        }
        expect_round_trip(*out, "damaged text " + std::to_string(round));
        if (HasFatalFailure()) return;
    }
    EXPECT_GT(refused, 0) << "the damage never produced a bad line";
    EXPECT_LT(refused, 60) << "the damage never left a readable text";
}

TEST(TemplateText, DiffListsTheKeysThatDiffer) {
    auto a = factory();
    auto b = factory();
    EXPECT_TRUE(diff_templates(*a, *b).empty());

    write_slot(a->forms[1].prompt[2], "Quantity");
    write_slot(a->forms[1].prompt[2], "Qty");
    write_slot(b->forms[1].prompt[2], "Count");
    b->forms[1].reserved[0] = 3;
    b->barcode.bytes[0] = 0x1B;  // Code 39 off
    const auto differences = diff_templates(*a, *b);
    ASSERT_EQ(4u, differences.size());
    EXPECT_EQ("barcode.code39", differences[0].key);
    EXPECT_EQ("on", differences[0].before);
    EXPECT_EQ("off", differences[0].after);
    EXPECT_EQ("forms.2.lines.1.reserved", differences[1].key);
    EXPECT_EQ("raw 3", differences[1].after);
    EXPECT_EQ("forms.2.lines.3.prompt", differences[2].key);
    EXPECT_EQ("\"Qty\"", differences[2].before);
    EXPECT_EQ("\"Count\"", differences[2].after);
    EXPECT_EQ("forms.2.lines.3.prompt.leftover", differences[3].key);
    EXPECT_EQ("\"tity\"", differences[3].before);
    EXPECT_EQ("\"\"", differences[3].after);
}

}  // namespace
}  // namespace kolibra
