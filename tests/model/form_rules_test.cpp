// normalize_forms, derive_counts and spread_extensions.
#include "model/choices.h"
#include "model/form_rules.h"
#include "model/text_slot.h"
#include "model_test_util.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>

namespace kolibra {
namespace {

struct FormRules : ::testing::Test {
    void SetUp() override { reset_template(*t); }
    FormRecord& form(int k) { return t->forms[k - 1]; }
    std::unique_ptr<Template> t = std::make_unique<Template>();
};

TEST_F(FormRules, NormalizeDropsLargeFontLinesAndLimitsLengths) {
    FormRecord& f = form(1);
    f.font = 1;
    f.data_type[5] = kTypeText;
    write_slot(f.prompt[5], "Qty");
    f.lookup_link[5] = 3;
    f.data_type[3] = kTypeText;  // line 4 still exists with the large font
    f.max_length[0] = 60;
    f.min_length[0] = 70;
    f.max_length[1] = 30;
    f.min_length[1] = 31;

    normalize_forms(*t);

    EXPECT_EQ(kTypeNil, f.data_type[5]);
    EXPECT_EQ(0, f.prompt[5][0]);
    EXPECT_EQ(0, f.lookup_link[5]);
    EXPECT_EQ(kTypeText, f.data_type[3]);
    EXPECT_EQ(50, f.max_length[0]);
    EXPECT_EQ(50, f.min_length[0]);
    EXPECT_EQ(30, f.max_length[1]);
    EXPECT_EQ(30, f.min_length[1]);
}

TEST_F(FormRules, LinksAndPromptsAreClearedByType) {
    FormRecord& f = form(2);
    const uint8_t types[8] = {kTypeExtension, kTypeFixedData, kTypePrompt, kTypeCounter,
                              kTypePassDown, kTypeLookup, kTypeText, kTypeNil};
    for (int i = 0; i < 8; ++i) {
        f.data_type[i] = types[i];
        f.lookup_link[i] = 5;
        write_slot(f.prompt[i], "P");
    }
    normalize_forms(*t);
    const uint8_t links[8] = {0, 0, 0, 0, 0, 5, 5, 0};
    const char* prompts[8] = {"", "P", "P", "P", "P", "P", "P", ""};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(links[i], f.lookup_link[i]) << "line " << i + 1;
        EXPECT_EQ(prompts[i], read_slot(f.prompt[i])) << "line " << i + 1;
    }
}

TEST_F(FormRules, DeriveCountsCountsMenuItemsAndLastInputLine) {
    MenuRecord& m = t->menus[0];
    write_slot(m.item_name[0], "Stock");
    write_slot(m.item_name[1], "    ");
    write_slot(m.item_name[2], "Orders");
    write_slot(m.item_name[9], " x");
    MenuRecord& large = t->menus[1];
    large.font = 1;
    write_slot(large.item_name[0], "               tail");  // 15 spaces, then text
    write_slot(large.item_name[1], "              y");    // 'y' is the 15th character
    write_slot(large.item_name[2], "\xA0");               // codes above 127 count too

    form(3).data_type[6] = kTypeCounter;
    form(3).data_type[0] = kTypePrompt;
    for (int i = 0; i < 8; ++i) form(4).data_type[i] = kTypePrompt;
    form(5).data_type[1] = kTypePassDown;
    form(5).data_type[2] = kTypeLookup;  // not an input line

    derive_counts(*t);

    EXPECT_EQ(3, m.item_count);
    EXPECT_EQ(2, large.item_count);
    EXPECT_EQ(0, t->menus[2].item_count);
    EXPECT_EQ(7, form(3).last_input_line);
    EXPECT_EQ(0, form(4).last_input_line);
    EXPECT_EQ(2, form(5).last_input_line);
}

TEST_F(FormRules, ExtensionLinesShareTheFieldLength) {
    FormRecord& f = form(1);
    f.data_type[0] = kTypeText;
    write_slot(f.prompt[0], "Item:");
    f.max_length[0] = 40;
    f.auto_enter[0] = 2;
    f.data_type[1] = kTypeExtension;
    f.data_type[2] = kTypeExtension;
    f.initial_on[1] = f.prefix_on[1] = f.suffix_on[1] = f.lookup_link[1] = 1;

    spread_extensions(*t);

    EXPECT_EQ(25, f.max_length[1]);
    EXPECT_EQ(5, f.max_length[2]);
    EXPECT_EQ(2, f.auto_enter[1]);
    EXPECT_EQ(2, f.auto_enter[2]);
    EXPECT_EQ(50, f.max_length[3]) << "line 4 is no extension";
    EXPECT_EQ(0, f.initial_on[1] + f.prefix_on[1] + f.suffix_on[1] + f.lookup_link[1]);
}

TEST_F(FormRules, ExtensionArithmeticWrapsAndStopsAfterThreeLines) {
    FormRecord& f = form(1);
    f.font = 1;  // 15 characters per line
    f.data_type[0] = kTypeInteger;
    write_slot(f.prompt[0], "No");
    f.max_length[0] = 6;  // fits beside the prompt: 8 - 15 wraps to 249
    for (int i = 1; i < 5; ++i) f.data_type[i] = kTypeExtension;

    spread_extensions(*t);

    EXPECT_EQ(249, f.max_length[1]);
    EXPECT_EQ(234, f.max_length[2]);
    EXPECT_EQ(219, f.max_length[3]);
    EXPECT_EQ(50, f.max_length[4]) << "a fourth extension line gets nothing";

    // A prompt counts with at most 20 characters, also without a zero byte.
    FormRecord& g = form(2);
    g.data_type[0] = kTypeText;
    std::memset(g.prompt[0], 'p', 21);
    g.max_length[0] = 10;
    g.data_type[1] = kTypeExtension;
    spread_extensions(*t);
    EXPECT_EQ(10, g.max_length[1]);  // 10 + 20 - 20
}

// Bytes of a damaged file are only compared, never used to index anything;
// under the sanitizers this shows no out-of-bounds access.
TEST(DamagedTemplate, AnyBytesAreHandledWithoutFault) {
    std::mt19937 random(7);
    auto t = std::make_unique<Template>();
    for (int round = 0; round < 50; ++round) {
        auto* bytes = reinterpret_cast<uint8_t*>(t.get());
        for (std::size_t i = 0; i < sizeof(Template); ++i) {
            bytes[i] = round == 0 ? 0xFF : static_cast<uint8_t>(random());
        }
        spread_extensions(*t);
        normalize_forms(*t);
        derive_counts(*t);
        for (const auto& f : t->forms) EXPECT_LE(f.last_input_line, 8);
        for (const auto& m : t->menus) EXPECT_LE(m.item_count, 10);
    }
}

TEST(Choices, OutOfRangeIndexesGiveTheFallback) {
    EXPECT_STREQ("COM6", choice_at(kComPortChoices, 5));
    EXPECT_STREQ("", choice_at(kComPortChoices, 9));
    EXPECT_STREQ("?", choice_at(kDataTypeChoices, 200, "?"));
    EXPECT_EQ("form  10", target_name(10));
    EXPECT_EQ("menu  1", target_name(11));
    EXPECT_EQ("", target_name(21));
    EXPECT_EQ("+field 8", lookup_link_name(24));
    EXPECT_EQ("", lookup_link_name(25));
    EXPECT_EQ(0, com_baud_rate(7));
}

}  // namespace
}  // namespace kolibra
