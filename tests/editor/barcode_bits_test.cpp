// Every control of the Barcode page, its thirteen parameter dialogs, the
// Settings page and the keyboard wedge dialog against the byte and bit it
// must write, from a table of the stated layout. Each case runs the real
// editor headless on a template of all zero bits and on one of all set bits,
// and checks that its bits, and nothing else of the block, changed.
#include "editor/script/event_runner.h"
#include "model/template.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <sstream>
#include <string>

namespace kolibra::editor {
namespace {

struct TemplateUnderTest {
    std::unique_ptr<TemplateDocument> doc = std::make_unique<TemplateDocument>();

    // Every barcode bit clear (or set), lengths 5 and 3 so that the length
    // dialogs' OK writes them back as they are.
    explicit TemplateUnderTest(bool all_set) {
        reset_template(doc->tpl);
        std::memset(doc->tpl.barcode.bytes, all_set ? 0xff : 0x00, sizeof doc->tpl.barcode.bytes);
        for (int b : {12, 14, 16, 18}) {
            doc->tpl.barcode.bytes[b] = all_set ? 0x85 : 0x05;
            doc->tpl.barcode.bytes[b + 1] = 3;
        }
        std::memset(&doc->tpl.system, all_set ? 1 : 0, sizeof doc->tpl.system);
        doc->tpl.extended.wedge_crlf = all_set ? 1 : 0;
    }

    void run(const std::string& script) {
        std::istringstream events(script);
        std::ostringstream out, err;
        EventRunner runner(events, out, err);
        ASSERT_EQ(runner.run(*doc), kReplayDone) << script << err.str();
    }
    uint8_t* barcode() { return doc->tpl.barcode.bytes; }
};

// The block after `script`, against the block before with `byte` masked
// and given `value`.
void expect_only(bool all_set, const std::string& script, int byte, uint8_t mask, uint8_t value,
                 uint8_t* (*block)(Template&), std::size_t size, int wedge_byte = -1) {
    TemplateUnderTest t(all_set);
    if (wedge_byte >= 0) t.barcode()[4] = static_cast<uint8_t>(wedge_byte);
    uint8_t want[24];
    ASSERT_LE(size, sizeof want);
    std::memcpy(want, block(t.doc->tpl), size);
    want[byte] = static_cast<uint8_t>((want[byte] & ~mask) | value);
    t.run(script);
    for (std::size_t i = 0; i < size; ++i)
        EXPECT_EQ(block(t.doc->tpl)[i], want[i]) << "byte " << i << " after\n" << script;
}

uint8_t* barcode_block(Template& t) { return t.barcode.bytes; }
uint8_t* system_block(Template& t) { return &t.system.upload_port; }
uint8_t* wedge_crlf_block(Template& t) { return &t.extended.wedge_crlf; }

// A check box flips exactly its bit, from clear and from set.
void expect_flips(const std::string& script, int byte, int bit, int wedge_clear = -1,
                  int wedge_set = -1) {
    const uint8_t mask = static_cast<uint8_t>(1u << bit);
    expect_only(false, script, byte, mask, mask, barcode_block, 24, wedge_clear);
    expect_only(true, script, byte, mask, 0, barcode_block, 24, wedge_set);
}

struct Bit {
    int id;
    int byte;
    int bit;
};

TEST(BarcodeBits, EachPageCheckBoxWritesItsBitAtTheEditorsOk) {
    const Bit page[] = {
        {101, 0, 7}, {102, 0, 6}, {103, 0, 5}, {104, 0, 4}, {105, 0, 3}, {106, 0, 2},
        {107, 0, 1}, {108, 2, 5}, {109, 2, 4}, {110, 0, 0}, {111, 1, 7}, {113, 1, 6},
        {114, 1, 5}, {115, 1, 4}, {116, 1, 3}, {117, 1, 2}, {118, 1, 1}, {119, 1, 0},
        {120, 2, 7}, {121, 2, 6}, {122, 11, 4}, {123, 2, 2},
    };
    for (const Bit& b : page)
        expect_flips("tab Barcode\nclick " + std::to_string(b.id) + "\nok\n", b.byte, b.bit);
}

TEST(BarcodeBits, EachDialogCheckBoxWritesItsBitAtTheDialogsOk) {
    struct DialogBit {
        int button;
        Bit bit;
    };
    const DialogBit dialogs[] = {
        {201, {101, 5, 7}}, {201, {102, 5, 6}}, {201, {103, 5, 5}}, {201, {104, 5, 4}},
        {202, {101, 5, 3}}, {203, {101, 5, 2}},
        {204, {101, 6, 7}}, {204, {102, 6, 6}},
        {205, {101, 5, 1}}, {205, {102, 5, 0}}, {205, {103, 7, 2}},
        {206, {101, 6, 5}}, {206, {102, 6, 4}},
        {209, {101, 9, 2}}, {209, {102, 9, 3}},
        {213, {101, 9, 1}}, {213, {102, 10, 1}}, {213, {103, 10, 5}},
        {216, {101, 11, 7}}, {216, {102, 10, 3}},
        {219, {101, 10, 7}}, {219, {102, 10, 6}}, {219, {103, 10, 2}}, {219, {104, 10, 0}},
        {219, {105, 10, 4}}, {219, {106, 9, 0}},
    };
    // The editor is cancelled: the dialog's OK alone writes.
    for (const DialogBit& d : dialogs)
        expect_flips("tab Barcode\nclick " + std::to_string(d.button) + "\nclick " +
                         std::to_string(d.bit.id) + "\nclick 1\ncancel\n",
                     d.bit.byte, d.bit.bit);
}

struct Choice {
    int button;  // 0: the page itself
    int id;      // the radio button, or the list
    int index;   // the list's entry
    int byte;
    uint8_t mask;
    uint8_t value;
};

TEST(BarcodeBits, EachRadioButtonAndListEntryStoresItsValue) {
    const Choice choices[] = {
        // Start/stop selection of the three 2 of 5 codes.
        {204, 401, 0, 6, 0x03, 0x00}, {204, 402, 0, 6, 0x03, 0x01}, {204, 403, 0, 6, 0x03, 0x02},
        {205, 401, 0, 6, 0x0c, 0x00}, {205, 402, 0, 6, 0x0c, 0x04}, {205, 403, 0, 6, 0x0c, 0x08},
        {206, 401, 0, 7, 0xc0, 0x00}, {206, 402, 0, 7, 0xc0, 0x40}, {206, 403, 0, 7, 0xc0, 0x80},
        // Length qualification mode: bit 7 of the pair's first byte.
        {204, 404, 0, 12, 0x80, 0x00}, {204, 405, 0, 12, 0x80, 0x80},
        {205, 404, 0, 14, 0x80, 0x00}, {205, 405, 0, 14, 0x80, 0x80},
        {206, 404, 0, 16, 0x80, 0x00}, {206, 405, 0, 16, 0x80, 0x80},
        {208, 407, 0, 18, 0x80, 0x00}, {208, 408, 0, 18, 0x80, 0x80},
        // Codabar: "None" clears bits 5 to 3; pair k sets bit 3 and k in bits 5-4.
        {207, 401, 0, 7, 0x38, 0x00}, {207, 402, 0, 7, 0x38, 0x08}, {207, 403, 0, 7, 0x38, 0x18},
        {207, 404, 0, 7, 0x38, 0x28}, {207, 405, 0, 7, 0x38, 0x38},
        // MSI checksum verification and transmission.
        {208, 401, 0, 9, 0xc0, 0x00}, {208, 402, 0, 9, 0xc0, 0x40}, {208, 403, 0, 9, 0xc0, 0x80},
        {208, 404, 0, 9, 0x30, 0x00}, {208, 405, 0, 9, 0x30, 0x10}, {208, 406, 0, 9, 0x30, 0x20},
        // Telepen: "Original" sets bit 1, "AIM" clears it.
        {223, 401, 0, 2, 0x02, 0x02}, {223, 402, 0, 2, 0x02, 0x00},
        // The page's lists: scan mode in bits 7-4 of byte 20, redundancy in bits 3-2 of byte 11.
        {0, 701, 0, 20, 0xf0, 0x00}, {0, 701, 1, 20, 0xf0, 0x10}, {0, 701, 7, 20, 0xf0, 0x70},
        {0, 701, 8, 20, 0xf0, 0x80}, {0, 702, 0, 11, 0x0c, 0x00}, {0, 702, 1, 11, 0x0c, 0x04},
        {0, 702, 3, 11, 0x0c, 0x0c},
    };
    for (const Choice& c : choices) {
        const std::string script =
            c.button == 0 ? "tab Barcode\nselect " + std::to_string(c.id) + " " +
                                std::to_string(c.index) + "\nok\n"
                          : "tab Barcode\nclick " + std::to_string(c.button) + "\nclick " +
                                std::to_string(c.id) + "\nclick 1\ncancel\n";
        for (bool all_set : {false, true})
            expect_only(all_set, script, c.byte, c.mask, c.value, barcode_block, 24);
    }
}

TEST(BarcodeBits, TimeOutIsStoredInByte21UpTo255) {
    const std::pair<const char*, uint8_t> cases[] = {{"0", 0}, {"1", 1}, {"255", 255},
                                                     {"256", 255}, {"300", 255}, {"", 0}};
    for (const auto& [typed, stored] : cases) {
        for (bool all_set : {false, true})
            expect_only(all_set, std::string("tab Barcode\ntext 601 \"") + typed + "\"\nok\n", 21,
                        0xff, stored, barcode_block, 24);
    }
}

TEST(SettingsBits, ProtectFlagsAndListsWriteTheirSystemSettingsBytes) {
    for (int flag = 0; flag < 12; ++flag) {
        const std::string script = "tab Settings\nclick " + std::to_string(101 + flag) + "\nok\n";
        expect_only(false, script, 8 + flag, 0xff, 1, system_block, 20);
        expect_only(true, script, 8 + flag, 0xff, 0, system_block, 20);
    }
    // List 701 + n edits byte n of the first seven, skipping byte 4.
    const std::pair<int, int> lists[] = {{701, 0}, {702, 1}, {703, 2}, {704, 3}, {705, 5}, {706, 6}};
    for (const auto& [list, byte] : lists) {
        const std::string script = "tab Settings\nselect " + std::to_string(list) + " 0\nok\n";
        expect_only(true, script, byte, 0xff, 0, system_block, 20);
    }
    expect_only(false, "tab Settings\nselect 704 1\nok\n", 3, 0xff, 1, system_block, 20);
    expect_only(false, "tab Settings\nselect 701 3\nok\n", 0, 0xff, 3, system_block, 20);
}

TEST(WedgeBits, EachControlWritesItsBitsOfByte4OrTheCrLfFlag) {
    const Choice choices[] = {
        {201, 401, 0, 4, 0x18, 0x00}, {201, 402, 0, 4, 0x18, 0x08}, {201, 403, 0, 4, 0x18, 0x10},
        {201, 404, 0, 4, 0x06, 0x00}, {201, 405, 0, 4, 0x06, 0x02}, {201, 406, 0, 4, 0x06, 0x04},
        // Capital lock: exactly one of bits 7 (auto), 6 (always) and 5 (ignore case).
        {201, 407, 0, 4, 0xe0, 0x80}, {201, 408, 0, 4, 0xe0, 0x40}, {201, 409, 0, 4, 0xe0, 0x20},
    };
    // The wedge byte holds one capital lock bit and layouts a button shows:
    // "Auto-detection" alone, or with "Upper position", "Shift-lock keyboard"
    // and the numeric keypad.
    constexpr int kWedgeClear = 0x80, kWedgeSet = 0x95;
    for (const Choice& c : choices) {
        const std::string script = "tab Settings\nclick 201\nclick " + std::to_string(c.id) +
                                   "\nclick 1\ncancel\n";
        expect_only(false, script, c.byte, c.mask, c.value, barcode_block, 24, kWedgeClear);
        expect_only(true, script, c.byte, c.mask, c.value, barcode_block, 24, kWedgeSet);
    }
    expect_flips("tab Settings\nclick 201\nclick 101\nclick 1\ncancel\n", 4, 0, kWedgeClear,
                 kWedgeSet);
    const char* crlf = "tab Settings\nclick 201\nclick 102\nclick 1\ncancel\n";
    expect_only(false, crlf, 0, 0xff, 1, wedge_crlf_block, 1);
    expect_only(true, crlf, 0, 0xff, 0, wedge_crlf_block, 1);
}

}  // namespace
}  // namespace kolibra::editor
