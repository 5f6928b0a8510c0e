#include "irfetch/irfetch_settings.h"

#include <gtest/gtest.h>

#include <string>

namespace kolibra {
namespace {

IrfetchSettings defaults() { return default_irfetch_settings("/opt/kolibra/"); }

// Everything but the directory as it is by default.
void expect_defaults_after_directory(const IrfetchSettings& s) {
    EXPECT_EQ(s.file_name, "");
    EXPECT_EQ(s.port_index, 0);
    EXPECT_EQ(s.baud_index, 0);
    EXPECT_EQ(s.file_mode, FileMode::Overwrite);
    EXPECT_TRUE(s.add_cr && s.add_lf && s.show_messages && s.view_data && s.always_show_dialog);
}

TEST(IrfetchIni, WrittenLayoutIsTenLinesWithoutFinalLineEnd) {
    IrfetchSettings s = defaults();
    s.directory = "/data/shop";
    s.file_name = "SHOP1.TXT";
    s.port_index = 1;
    s.baud_index = 4;
    s.file_mode = FileMode::NewName;
    s.add_cr = false;
    s.show_messages = false;
    s.always_show_dialog = false;
    EXPECT_EQ(irfetch_ini_text(s),
              "/data/shop\x0D\x0A"
              "SHOP1.TXT\x0D\x0A"
              "2\x0D\x0A" "5\x0D\x0A" "3\x0D\x0A" "0\x0D\x0A" "1\x0D\x0A" "0\x0D\x0A" "1\x0D\x0A"
              "0");
}

TEST(IrfetchIni, ReadsEveryValueFromItsFixedOffset) {
    IrfetchSettings s = defaults();
    read_irfetch_ini("C:\\DATA\r\nX.TXT\r\n6\r\n3\r\n2\r\n0\r\n0\r\n1\r\n0\r\n0", s);
    EXPECT_EQ(s.directory, "C:\\DATA");
    EXPECT_EQ(s.file_name, "X.TXT");
    EXPECT_EQ(s.port_index, 5);
    EXPECT_EQ(s.baud_index, 2);
    EXPECT_EQ(s.file_mode, FileMode::Append);
    EXPECT_FALSE(s.add_cr);
    EXPECT_FALSE(s.add_lf);
    EXPECT_TRUE(s.show_messages);
    EXPECT_FALSE(s.view_data);
    EXPECT_FALSE(s.always_show_dialog);
}

TEST(IrfetchIni, ShortOrDamagedFilesTakeOnlyWhatTheyHold) {
    IrfetchSettings only_dir = defaults();
    read_irfetch_ini("/home/ann/data", only_dir);
    EXPECT_EQ(only_dir.directory, "/home/ann/data");
    expect_defaults_after_directory(only_dir);

    // A CR not followed by LF does not end the line: all of it is the directory.
    IrfetchSettings lone_cr = defaults();
    read_irfetch_ini("/a\rb\r\n", lone_cr);
    EXPECT_EQ(lone_cr.directory, "/a\rb\r\n");
    expect_defaults_after_directory(lone_cr);

    IrfetchSettings early = defaults();
    read_irfetch_ini("/d\r\nf\r\n4\r\n2\r\n2", early);
    EXPECT_EQ(early.port_index, 3);
    EXPECT_EQ(early.baud_index, 1);
    EXPECT_EQ(early.file_mode, FileMode::Append);
    EXPECT_TRUE(early.add_cr && early.always_show_dialog);

    // Digits out of range are ignored; a directory or name too long for its
    // setting is too, while the values after it still count.
    IrfetchSettings bad = defaults();
    bad.baud_index = 3;
    read_irfetch_ini(std::string(255, 'd') + "\r\n" + std::string(62, 'n') +
                         "\r\n7\r\n0\r\n4\r\n2\r\nx\r\n1\r\n1\r\n9",
                     bad);
    EXPECT_EQ(bad.directory, "/opt/kolibra/");
    EXPECT_EQ(bad.file_name, "");
    EXPECT_EQ(bad.port_index, 0);
    EXPECT_EQ(bad.baud_index, 3);
    EXPECT_EQ(bad.file_mode, FileMode::Overwrite);
    EXPECT_TRUE(bad.add_cr && bad.add_lf && bad.always_show_dialog);
}

TEST(IrfetchCommandLine, ExamplesTakeOneCharacterPerValue) {
    IrfetchSettings s = defaults();
    EXPECT_EQ(read_irfetch_command_line("D:\\X.TXT,3,5,2,0,1,0,0", s), "D:\\X.TXT");
    EXPECT_EQ(s.port_index, 2);
    EXPECT_EQ(s.baud_index, 4);
    EXPECT_EQ(s.file_mode, FileMode::Append);
    EXPECT_FALSE(s.add_cr);
    EXPECT_TRUE(s.add_lf);
    EXPECT_FALSE(s.show_messages);
    EXPECT_FALSE(s.view_data);
    EXPECT_TRUE(s.always_show_dialog);  // cannot be given

    // The path is literal, separators are any one character.
    IrfetchSettings t = defaults();
    EXPECT_EQ(read_irfetch_command_line("\"/tmp/my data.txt\" ,2;3 1", t), "\"/tmp/my data.txt\" ");
    EXPECT_EQ(t.port_index, 1);
    EXPECT_EQ(t.baud_index, 2);
    EXPECT_EQ(read_irfetch_command_line("/tmp/only-a-path.txt", t), "/tmp/only-a-path.txt");
}

TEST(IrfetchCommandLine, OutOfRangeOrMissingValuesKeepTheIniSettings) {
    IrfetchSettings s = defaults();
    s.port_index = 3;  // from the ini file
    s.view_data = false;
    read_irfetch_command_line("/tmp/x.txt,9,6,0,2,1", s);
    EXPECT_EQ(s.port_index, 3);
    EXPECT_EQ(s.baud_index, 0);
    EXPECT_EQ(s.file_mode, FileMode::Overwrite);
    EXPECT_TRUE(s.add_cr);
    EXPECT_TRUE(s.show_messages);  // missing
    EXPECT_FALSE(s.view_data);     // missing
}

}  // namespace
}  // namespace kolibra
