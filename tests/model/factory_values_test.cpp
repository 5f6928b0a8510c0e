// Factory values, checked at the offsets of the template file.
#include "model/factory_values.h"
#include "model/template_file.h"
#include "model/text_slot.h"
#include "model_test_util.h"

#include <gtest/gtest.h>

#include <memory>

namespace kolibra {
namespace {

using test::Bytes;
using test::slice;
using test::text_z;

struct FactoryFile : ::testing::Test {
    void SetUp() override {
        reset_template(*tpl);
        encode_template_file(*tpl, *file);
    }
    const uint8_t* at(std::size_t offset) const { return file->data() + offset; }

    std::unique_ptr<Template> tpl = std::make_unique<Template>();
    std::unique_ptr<TemplateFileBytes> file = std::make_unique<TemplateFileBytes>();
};

TEST_F(FactoryFile, SettingsBlocks) {
    EXPECT_EQ(Bytes({0, 0}), slice(at(0), 8, 2)) << "CommSettings start as COM1, 115200";
    EXPECT_EQ(0, *at(10)) << "start_target";
    EXPECT_EQ(Bytes({0x9B, 0xC9, 0x00, 0x00, 0x00, 0x2D, 0x54, 0x80, 0x00, 0x19, 0x3D, 0x00,
                     0xFF, 0x01, 0xFE, 0x01, 0xFF, 0x01, 0xFF, 0x01, 0x66, 0x03, 0x03, 0x00}),
              slice(at(0), 11, 24));
    EXPECT_EQ(Bytes({44, 0}), slice(at(0), 8602, 2)) << "field_delimiter";
    EXPECT_EQ(Bytes({0, 0, 0, 0, 50, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}),
              slice(at(0), 10466, 20));
    EXPECT_EQ(Bytes(10, 0), slice(at(0), 10486, 10)) << "password";
    EXPECT_EQ(Bytes({64, 1, 0, 0, 0, 1, 1, 1, 0, 0, 0, 0, 0, 0}), slice(at(0), 10496, 14));
}

TEST_F(FactoryFile, MenusFormsAndLookups) {
    for (int k = 1; k <= 10; ++k) {
        const Bytes menu = slice(at(0), 35 + 250 * (k - 1), 250);
        EXPECT_EQ(Bytes(250, 0), menu) << "menu " << k;
    }
    for (int k = 1; k <= 10; ++k) {
        const uint8_t* f = at(2535 + 601 * (k - 1));
        SCOPED_TRACE("form " + std::to_string(k));
        EXPECT_EQ(Bytes({0, 0, static_cast<uint8_t>(k), 0, 0, 0, 0}), slice(f, 0, 7));
        EXPECT_EQ(Bytes(8, 0), slice(f, 15, 8)) << "data_type";
        EXPECT_EQ(Bytes(8, 2), slice(f, 191, 8)) << "input_source both";
        EXPECT_EQ(Bytes(8, 0), slice(f, 199, 8)) << "min_length";
        EXPECT_EQ(Bytes(8, 50), slice(f, 207, 8)) << "max_length";
        EXPECT_EQ(Bytes(8, 20), slice(f, 519, 8)) << "partial_length";
        EXPECT_EQ(Bytes(8, 1), slice(f, 583, 8)) << "auto_enter Scan+ENTER";
        EXPECT_EQ(Bytes(10, 0), slice(f, 591, 10)) << "reserved, last_input_line, current_line";
        for (std::size_t o : {23u, 247u, 335u, 423u}) EXPECT_EQ(0, f[o]) << "text at " << o;
    }
    for (int k = 1; k <= 3; ++k) {
        EXPECT_EQ(Bytes({0, 0, 0, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0}),
                  slice(at(0), 8545 + 19 * (k - 1), 19))
            << "lookup " << k;
    }
}

TEST_F(FactoryFile, PageTexts) {
    EXPECT_EQ(text_z("   Kolibra 2   "), slice(at(0), 8604, 16));
    EXPECT_EQ(text_z("  Version 4.23 "), slice(at(0), 8604 + 48, 16));
    EXPECT_EQ(text_z("               "), slice(at(0), 8668 + 48, 16)) << "4th slot of the main menu";
    EXPECT_EQ(text_z("8. Download Lookup  "), slice(at(0), 8732 + 7 * 21, 21));
    EXPECT_EQ(text_z("Baud rate:  9600 bps"), slice(at(0), 9660 + 4 * 21, 21));
    EXPECT_EQ(text_z(" Turn ON  prompting "), slice(at(0), 9933, 21));
    EXPECT_EQ(text_z(" screen :   00 ms   "), slice(at(0), 9933 + 3 * 21, 21));
    EXPECT_EQ(text_z("Done           "), slice(at(0), 10354 + 6 * 16, 16));

    // Every factory line fills its page's width exactly.
    for (int page = 0; page < kPageTextCount; ++page) {
        const auto id = static_cast<PageId>(page);
        const PageTextInfo& info = page_text_info(id);
        for (int line = 0; line < info.slots; ++line) {
            EXPECT_EQ(static_cast<std::size_t>(info.width),
                      slot_length(page_slot(*tpl, id, line), info.slot_size))
                << info.editor_title << " line " << line + 1;
        }
    }
}

TEST(ResetTemplate, NewAfterEditsGivesTheFactoryTemplateButKeepsThePort) {
    auto fresh = std::make_unique<Template>();
    reset_template(*fresh);

    auto edited = std::make_unique<Template>(*fresh);
    edited->comm = {2, 2};                   // COM3, 38400
    edited->barcode.bytes[2] |= 0x20;        // MSI on
    edited->barcode.bytes[11] |= 2 << 2;     // read redundancy "Two times"
    edited->system.duration = 0;
    edited->extended.format_marker = 0;
    edited->forms[6].next_target = 3;
    edited->menus[0].item_next[4] = 9;
    edited->password[0] = 'x';
    reset_template(*edited);

    EXPECT_EQ(2, edited->comm.com_port);
    EXPECT_EQ(2, edited->comm.com_baud);
    edited->comm = fresh->comm;
    EXPECT_TRUE(test::same_bytes(*fresh, *edited));
    EXPECT_EQ(7, edited->forms[6].next_target);
    EXPECT_EQ(10, edited->forms[9].next_target);
}

TEST(TextSlot, WritesKeepTheRestOfTheSlotAndStopAtTheEnd) {
    uint8_t slot[10];
    std::memset(slot, 'z', sizeof slot);
    EXPECT_EQ(3u, write_slot(slot, "abc"));
    EXPECT_EQ(Bytes({'a', 'b', 'c', 0, 'z', 'z', 'z', 'z', 'z', 'z'}), slice(slot, 0, 10));
    EXPECT_EQ("abc", read_slot(slot));

    EXPECT_EQ(9u, write_slot(slot, "0123456789AB")) << "cut to leave room for the zero";
    EXPECT_EQ(0, slot[9]);

    uint8_t full[6];
    EXPECT_EQ(6u, write_full_slot(full, "ABCDEFGH"));
    EXPECT_EQ("ABCDEF", read_slot(full)) << "a full slot reads to its end";
    std::memset(full, 'q', sizeof full);
    write_full_slot(full, "AB");
    EXPECT_EQ(Bytes({'A', 'B', 0, 'q', 'q', 'q'}), slice(full, 0, 6));
}

}  // namespace
}  // namespace kolibra
