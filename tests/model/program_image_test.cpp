// The terminal program image, checked at the offsets of the image layout.
#include "model/form_rules.h"
#include "model/program_image.h"
#include "model/template_file.h"
#include "model/text_slot.h"
#include "model_test_util.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>

namespace kolibra {
namespace {

using test::Bytes;
using test::slice;
using test::text_z;

// Image offsets of form k (1-based), line n (1-based) of a per-line field.
std::size_t form_at(int k) { return 2525 + 601 * static_cast<std::size_t>(k - 1); }
std::size_t prefix_at(int k, int n) { return form_at(k) + 335 + 10 * static_cast<std::size_t>(n - 1); }
std::size_t suffix_at(int k, int n) { return form_at(k) + 423 + 10 * static_cast<std::size_t>(n - 1); }
std::size_t menu_at(int k) { return 25 + 250 * static_cast<std::size_t>(k - 1); }

struct Image : ::testing::Test {
    void SetUp() override { reset_template(*t); }
    Bytes build() {
        const ProgramImage image = build_program_image(*t);
        return Bytes(image.begin(), image.end());
    }
    std::unique_ptr<Template> t = std::make_unique<Template>();
};

TEST_F(Image, FreshTemplate) {
    const Bytes image = build();
    ASSERT_EQ(10500u, image.size());
    EXPECT_EQ(1, image[0]);
    EXPECT_EQ(Bytes({0x9B, 0xC9, 0x00, 0x01, 0x00, 0x2D, 0x54, 0x80, 0x00, 0x19, 0x3D, 0x00,
                     0xFF, 0x01, 0xFE, 0x01, 0xFF, 0x01, 0xFF, 0x01, 0x66, 0x03, 0x03, 0x00}),
              slice(image, 1, 24));
    Bytes system = {1, 1, 1, 1, 50, 1, 1};
    system.resize(20, 0);
    EXPECT_EQ(system, slice(image, 10456, 20));
    EXPECT_EQ(text_z("   Kolibra 2   "), slice(image, 8594, 16));
    EXPECT_EQ(text_z("1.Collect data "), slice(image, 8658, 16));
    EXPECT_EQ(text_z("               "), slice(image, 8658 + 48, 16)) << "4th main menu slot";
    // Empty menu items become 20 spaces; the caption (off) stays as it is.
    EXPECT_EQ(Bytes(21, 0), slice(image, menu_at(1) + 2, 21));
    EXPECT_EQ(text_z("                    "), slice(image, menu_at(1) + 23, 21));
    EXPECT_EQ(text_z("                    "), slice(image, menu_at(10) + 23 + 9 * 21, 21));
    EXPECT_EQ(0, image[menu_at(1) + 247]);
    EXPECT_EQ(7, image[form_at(7) + 2]) << "next_target of form 7";
    EXPECT_EQ(Bytes({44, 0}), slice(image, 8592, 2));
    EXPECT_EQ(Bytes({64, 1, 0, 0, 0, 1, 1, 1, 0, 0, 0, 0, 0, 0}), slice(image, 10486, 14));
}

TEST_F(Image, UnchangedBlocksSitTenBytesBeforeTheirFileOffset) {
    std::mt19937 random(3);
    auto* bytes = reinterpret_cast<uint8_t*>(&t->lookups);
    for (std::size_t i = 0; i < sizeof t->lookups; ++i) bytes[i] = static_cast<uint8_t>(random());
    t->field_delimiter[0] = '\t';
    t->field_delimiter[1] = ';';
    t->extended.lookup_delimiter[1] = '|';
    t->extended.separate_files = 1;

    auto file = std::make_unique<TemplateFileBytes>();
    encode_template_file(*t, *file);
    const Bytes image = build();
    EXPECT_EQ(slice(file->data(), 8545, 59), slice(image, 8535, 59)) << "lookups, delimiter";
    EXPECT_EQ(slice(file->data(), 10496, 14), slice(image, 10486, 14)) << "ExtendedSettings";
}

TEST_F(Image, ChoicesShiftToTheTerminalsCodes) {
    t->start_target = 1;
    t->barcode.bytes[3] = 31;    // "PCAT (Swiss)"
    t->barcode.bytes[4] = 0x12;  // Capital-lock keyboard, digits Upper position
    t->system = {3, 2, 4, 1, 0, 1, 1, 0, {1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 1}};
    write_full_slot(t->password, "abz09AZ{`x");

    const Bytes image = build();
    EXPECT_EQ(11, image[0]);
    EXPECT_EQ(32, image[1 + 3]);
    EXPECT_EQ(0x1C, image[1 + 4]);
    EXPECT_EQ(Bytes({4, 3, 5, 2, 50, 2, 2, 0, 1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 1}),
              slice(image, 10456, 20));
    EXPECT_EQ(Bytes({'A', 'B', 'Z', '0', '9', 'A', 'Z', '{', '`', 'X'}), slice(image, 10476, 10));
}

TEST_F(Image, WedgeTwoBitFieldsConvertSeparately) {
    struct Case {
        uint8_t in, out;
    };
    // bits 1-2 and 3-4; bits 0 and 5-7 pass through.
    const Case cases[] = {{0x00, 0x00}, {0x02, 0x04}, {0x04, 0x06}, {0x08, 0x10},
                          {0x10, 0x18}, {0xE1, 0xE1}, {0xEB, 0xF5}};
    for (const Case& c : cases) {
        t->barcode.bytes[4] = c.in;
        EXPECT_EQ(c.out, build()[5]) << "byte 4 = " << int(c.in);
    }
}

TEST_F(Image, CodeListsBecomeBytes) {
    FormRecord& f = t->forms[0];
    struct Case {
        const char* text;
        bool on;
        Bytes expected;  // first bytes of the image slot
    };
    const Case cases[] = {
        {"13 10", true, {13, 10, 0}},
        {"13 10", false, text_z("13 10")},
        {"2  7", true, {2, 7, 0}},
        {"0 65", true, {65, 0}},
        {" 9 ", true, {9, 0}},
        {"", true, {0}},
        {"1 2 3 4 5", true, {1, 2, 3, 4, 5, 0}},
        {"255", true, {255, 0}},
        {"A1", true, text_z("A1")},
        {"1-2", true, text_z("1-2")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        write_slot(f.prefix[2], c.text);
        write_slot(f.suffix[5], c.text);
        f.prefix_on[2] = f.suffix_on[5] = c.on ? 1 : 0;
        f.data_type[2] = f.data_type[5] = kTypeText;
        const Bytes image = build();
        EXPECT_EQ(c.expected, slice(image, prefix_at(1, 3), c.expected.size()));
        EXPECT_EQ(c.expected, slice(image, suffix_at(1, 6), c.expected.size()));
        EXPECT_EQ(c.text, read_slot(f.prefix[2])) << "the template keeps the text";
    }
}

TEST_F(Image, NumbersAboveCodeRangeEndTheList) {
    FormRecord& f = t->forms[4];
    f.prefix_on[0] = 1;
    struct Case {
        const char* text;
        Bytes expected;
    };
    const Case cases[] = {
        {"65 300 66", {65, 0}},
        {"256", {0}},
        {"999999999", {0}},
        {"7 8 1000", {7, 8, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        write_slot(f.prefix[0], c.text);
        const Bytes image = build();
        EXPECT_EQ(c.expected, slice(image, prefix_at(5, 1), c.expected.size()));
    }
    // A damaged slot of ten digits without a zero byte.
    std::memset(f.prefix[0], '1', 10);
    EXPECT_EQ(0, build()[prefix_at(5, 1)]);
    std::memcpy(f.prefix[0], "1 1 1 1 1 ", 10);
    EXPECT_EQ(Bytes({1, 1, 1, 1, 1, 0}), slice(build(), prefix_at(5, 1), 6));
}

TEST_F(Image, MenusArePaddedAndCountedOnTheCopy) {
    MenuRecord& m = t->menus[2];
    m.font = 1;
    m.caption_on = 1;
    write_slot(m.caption, "Seventeen chars!!");
    write_slot(m.item_name[0], "Goods in");
    write_slot(m.item_name[1], "   ");
    write_slot(m.item_name[2], "Goods out");
    write_slot(m.item_name[9], "A twenty char item!!");
    m.item_count = 9;
    m.sim_item[0] = 4;
    t->menus[3].caption_on = 0;
    write_slot(t->menus[3].caption, "ab");

    const Bytes image = build();
    const std::size_t at = menu_at(3);
    EXPECT_EQ(text_z("Seventeen chars"), slice(image, at + 2, 16));
    EXPECT_EQ(text_z("Goods in       "), slice(image, at + 23, 16));
    EXPECT_EQ(text_z("               "), slice(image, at + 23 + 21, 16));
    EXPECT_EQ(text_z("A twenty char i"), slice(image, at + 23 + 9 * 21, 16));
    EXPECT_EQ(3, image[at + 247]);
    EXPECT_EQ(4, image[at + 248]);
    EXPECT_EQ(Bytes({'a', 'b', 0}), slice(image, menu_at(4) + 2, 3)) << "caption off: as it is";
    EXPECT_EQ(9, m.item_count) << "the template's menus are not changed";
    EXPECT_EQ("Seventeen chars!!", read_slot(m.caption));
}

TEST_F(Image, PageLinesArePaddedOrCut) {
    write_slot(page_slot(*t, PageId::Welcome, 0), 16, "Hi");
    std::memset(page_slot(*t, PageId::Misc, 6), 'X', 16);  // damaged: no zero byte
    write_slot(page_slot(*t, PageId::Error, 4), 21, "");
    const Bytes image = build();
    EXPECT_EQ(text_z("Hi             "), slice(image, 8594, 16));
    EXPECT_EQ(text_z(std::string(15, 'X')), slice(image, 10344 + 6 * 16, 16));
    EXPECT_EQ(text_z(std::string(20, ' ')), slice(image, 10239 + 4 * 21, 21));
}

TEST_F(Image, BuildTidiesTheTemplatesForms) {
    FormRecord& f = t->forms[1];
    f.font = 1;
    f.data_type[0] = kTypeText;
    f.data_type[5] = kTypeText;
    write_slot(f.prompt[5], "Gone");
    f.max_length[0] = 80;
    f.data_type[2] = kTypeLookup;
    f.lookup_link[2] = 4;
    f.last_input_line = 0;

    const Bytes image = build();
    EXPECT_EQ(kTypeNil, f.data_type[5]);
    EXPECT_EQ(0, f.prompt[5][0]);
    EXPECT_EQ(50, f.max_length[0]);
    EXPECT_EQ(1, f.last_input_line);
    EXPECT_EQ(Bytes({1, 0, 7, 0, 0, 0, 0, 0}), slice(image, form_at(2) + 15, 8));
    EXPECT_EQ(1, image[form_at(2) + 599]);
    EXPECT_EQ(4, image[form_at(2) + 7 + 2]);
}

TEST(ImageOfDamagedTemplate, AnyBytesBuildWithoutFault) {
    std::mt19937 random(11);
    auto t = std::make_unique<Template>();
    for (int round = 0; round < 50; ++round) {
        auto* bytes = reinterpret_cast<uint8_t*>(t.get());
        for (std::size_t i = 0; i < sizeof(Template); ++i) {
            bytes[i] = round == 0 ? 0xFF : static_cast<uint8_t>(random() % 4 == 0 ? ' ' : random());
        }
        const ProgramImage image = build_program_image(*t);
        // Every page slot ends in its zero byte whatever the template held.
        for (int page = 0; page < kPageTextCount; ++page) {
            const PageTextInfo& info = page_text_info(static_cast<PageId>(page));
            for (int line = 0; line < info.slots; ++line) {
                const std::size_t end = 8594 + info.offset + line * info.slot_size + info.width;
                EXPECT_EQ(0, image[end]) << info.editor_title << " line " << line + 1;
            }
        }
    }
}

TEST(CodeList, DigitsAndSpacesAlwaysEndInAZeroWithinTheSlot) {
    std::mt19937 random(5);
    for (int round = 0; round < 2000; ++round) {
        uint8_t text[10];
        for (auto& c : text) c = random() % 3 == 0 ? ' ' : static_cast<uint8_t>('0' + random() % 10);
        uint8_t out[10];
        std::memcpy(out, text, sizeof out);
        ASSERT_TRUE(convert_code_list(text, out));
        EXPECT_LT(slot_length(out), 6u);
    }
}

}  // namespace
}  // namespace kolibra
