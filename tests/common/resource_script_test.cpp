#include "common/resource_script.h"

#include <gtest/gtest.h>

namespace kolibra {
namespace {

TEST(ResourceScript, ReadsDialogsWithEscapesFlagsAndComments) {
    const char* text =
        "# a comment\n"
        "dialog Sample 100 50\r\n"
        "  caption \"Say \\\"hi\\\"\"\n"
        "  font 9 \"Helv\"\n"
        "  label -1 \"A\\tB\" 1 2 3 4 # a note\n"
        "  edit 601 \"\" 5 6 7 8 password readonly\n"
        "  radio 401 \"x\" 0 0 1 1 newgroup\n"
        "end\n";
    ResourceSet set;
    std::string error;
    ASSERT_TRUE(parse_resource_script(text, set, error)) << error;
    const DialogTemplate* d = set.dialog("Sample");
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->caption, "Say \"hi\"");
    EXPECT_EQ(d->font_face, "Helv");
    EXPECT_EQ(d->font_points, 9);
    EXPECT_EQ(d->width, 100);
    EXPECT_EQ(d->height, 50);
    ASSERT_EQ(d->controls.size(), 3u);
    EXPECT_EQ(d->controls[0].text, "A\tB");
    const ControlTemplate* edit = d->control(601);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->kind, ControlKind::Edit);
    EXPECT_EQ(edit->flags, kControlPassword | kControlReadOnly);
    EXPECT_EQ(edit->x, 5);
    EXPECT_EQ(edit->height, 8);
    EXPECT_EQ(d->control(401)->flags, unsigned(kControlNewGroup));
    EXPECT_EQ(set.dialog("Other"), nullptr);
}

TEST(ResourceScript, NestsMenusAndReadsAcceleratorsAndStrings) {
    const char* text =
        "menu M\n popup \"\"\n  item 1 \"&A\\tCtrl+A\"\n  separator\n"
        "  popup \"Sub\"\n   item 2 \"B\"\n  end\n  item 3 \"C\"\n end\nend\n"
        "accelerators K\n Ctrl+A 1\nend\nstrings\n 7 \"seven\"\nend\n";
    ResourceSet set;
    std::string error;
    ASSERT_TRUE(parse_resource_script(text, set, error)) << error;
    const MenuTemplate* m = set.menu("M");
    ASSERT_NE(m, nullptr);
    ASSERT_EQ(m->entries.size(), 1u);
    const auto& top = m->entries[0].children;
    ASSERT_EQ(top.size(), 4u);
    EXPECT_EQ(top[0].command, 1);
    EXPECT_EQ(top[0].text, "&A\tCtrl+A");
    EXPECT_EQ(top[1].kind, MenuEntry::Kind::Separator);
    ASSERT_EQ(top[2].kind, MenuEntry::Kind::Popup);
    ASSERT_EQ(top[2].children.size(), 1u);
    EXPECT_EQ(top[2].children[0].command, 2);
    EXPECT_EQ(top[3].command, 3);
    ASSERT_NE(set.accelerator_table("K"), nullptr);
    EXPECT_EQ(set.accelerator_table("K")->keys[0].keys, "Ctrl+A");
    EXPECT_EQ(set.string(7), "seven");
    EXPECT_EQ(set.string(8), "");
}

TEST(ResourceScript, FaultsNameTheirLine) {
    struct Case {
        const char* text;
        const char* error_start;
    };
    const Case cases[] = {
        {"dialog D 10 10\n label -1 \"open 1 1 1 1\nend\n", "line 2: text without"},
        {"dialog D 10 10\n blob 1 \"\" 1 1 1 1\nend\n", "line 2: unknown control kind"},
        {"dialog D 10 10\n edit 5 \"\" 1 1 1 1\n edit 5 \"\" 1 1 1 1\nend\n", "line 3: control id 5"},
        {"dialog D 10 10\n edit 5 \"\" 1 1 1 1 shiny\nend\n", "line 2: unknown control flag"},
        {"dialog D 10 10\n", "line 2: missing 'end'"},
        {"menu M\n item x \"A\"\nend\n", "line 2: expected"},
        {"dialog D 10 10\n caption \"a\\q\"\nend\n", "line 2: unknown escape"},
    };
    for (const Case& c : cases) {
        ResourceSet set;
        std::string error;
        EXPECT_FALSE(parse_resource_script(c.text, set, error)) << c.text;
        EXPECT_EQ(error.rfind(c.error_start, 0), 0u) << c.text << " gave " << error;
    }
}

TEST(ResourceScript, HugeNumbersAreRefusedNotWrapped) {
    ResourceSet set;
    std::string error;
    EXPECT_FALSE(parse_resource_script("dialog D 99999999999 10\nend\n", set, error));
    EXPECT_TRUE(set.dialogs.empty());
}

}  // namespace
}  // namespace kolibra
