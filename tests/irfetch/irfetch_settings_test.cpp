#include "irfetch/irfetch_settings.h"

#include <gtest/gtest.h>

#include <string>

namespace kolibra {
namespace {

using namespace std::string_literals;

IrfetchSettings defaults() { return default_irfetch_settings("/opt/kolibra/"); }

void expect_default_values_after_directory(const IrfetchSettings& s) {
    EXPECT_EQ(s.file_name, "");
    EXPECT_EQ(s.port_index, 0);
    EXPECT_EQ(s.baud_index, 0);
    EXPECT_EQ(s.file_mode, FileMode::Overwrite);
    EXPECT_TRUE(s.add_cr);
    EXPECT_TRUE(s.add_lf);
    EXPECT_TRUE(s.show_messages);
    EXPECT_TRUE(s.view_data);
    EXPECT_TRUE(s.always_show_dialog);
}

TEST(IrfetchDefaults, ProgramFolderEmptyNameCom1FastestOverwriteAllBoxesTicked) {
    IrfetchSettings s = defaults();
    EXPECT_EQ(s.directory, "/opt/kolibra/");
    expect_default_values_after_directory(s);
}

TEST(IrfetchIni, WrittenLayoutIsTenLinesWithoutFinalLineEnd) {
    IrfetchSettings s = defaults();
    s.directory = "/data/shop";
    s.file_name = "SHOP1.TXT";
    s.port_index = 1;
    s.baud_index = 4;
    s.file_mode = FileMode::NewName;
    s.add_cr = false;
    s.add_lf = true;
    s.show_messages = false;
    s.view_data = true;
    s.always_show_dialog = false;
    const std::string expected =
        "/data/shop\x0D\x0A"
        "SHOP1.TXT\x0D\x0A"
        "2\x0D\x0A"
        "5\x0D\x0A"
        "3\x0D\x0A"
        "0\x0D\x0A"
        "1\x0D\x0A"
        "0\x0D\x0A"
        "1\x0D\x0A"
        "0";
    std::string text = irfetch_ini_text(s);
    EXPECT_EQ(text, expected);
    // The digits sit at fixed distances after line 2.
    std::size_t first_digit = 10 + 2 + 9 + 2;
    ASSERT_EQ(text.size(), first_digit + 7 * 3 + 1);
    EXPECT_EQ(text[first_digit], '2');
    EXPECT_EQ(text.back(), '0');
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

TEST(IrfetchIni, OnlyADirectoryWithoutLineEndLeavesTheRestAtDefaults) {
    IrfetchSettings s = defaults();
    read_irfetch_ini("/home/ann/data", s);
    EXPECT_EQ(s.directory, "/home/ann/data");
    expect_default_values_after_directory(s);

    // A CR that is not followed by LF does not end the line either.
    IrfetchSettings t = defaults();
    read_irfetch_ini("/a\rb\r\n", t);
    EXPECT_EQ(t.directory, "/a\rb\r\n");
    expect_default_values_after_directory(t);
}

TEST(IrfetchIni, AFileThatStopsEarlyTakesOnlyTheValuesItReaches) {
    IrfetchSettings s = defaults();
    read_irfetch_ini("/d\r\nf\r\n4\r\n2\r\n2", s);
    EXPECT_EQ(s.port_index, 3);
    EXPECT_EQ(s.baud_index, 1);
    EXPECT_EQ(s.file_mode, FileMode::Append);
    EXPECT_TRUE(s.add_cr);
    EXPECT_TRUE(s.always_show_dialog);

    // A file name without its line end gives no digits at all.
    IrfetchSettings t = defaults();
    read_irfetch_ini("/d\r\nname.txt", t);
    EXPECT_EQ(t.file_name, "name.txt");
    EXPECT_EQ(t.port_index, 0);
}

TEST(IrfetchIni, DigitsOutOfTheirRangeAreIgnored) {
    IrfetchSettings s = defaults();
    s.port_index = 2;
    s.baud_index = 3;
    s.file_mode = FileMode::Append;
    read_irfetch_ini("/d\r\nf\r\n7\r\n0\r\n4\r\n2\r\nx\r\n1\r\n1\r\n9", s);
    EXPECT_EQ(s.port_index, 2);
    EXPECT_EQ(s.baud_index, 3);
    EXPECT_EQ(s.file_mode, FileMode::Append);
    EXPECT_TRUE(s.add_cr);
    EXPECT_TRUE(s.add_lf);
    EXPECT_TRUE(s.always_show_dialog);
}

TEST(IrfetchIni, TooLongDirectoryOrNameIsIgnored) {
    IrfetchSettings s = defaults();
    std::string long_dir(255, 'd');
    std::string long_name(62, 'n');
    read_irfetch_ini(long_dir + "\r\n" + long_name + "\r\n3", s);
    EXPECT_EQ(s.directory, "/opt/kolibra/");
    EXPECT_EQ(s.file_name, "");
    EXPECT_EQ(s.port_index, 2);  // the values after them still count

    IrfetchSettings t = defaults();
    read_irfetch_ini(std::string(254, 'd') + "\r\n" + std::string(61, 'n') + "\r\n", t);
    EXPECT_EQ(t.directory.size(), 254u);
    EXPECT_EQ(t.file_name.size(), 61u);
}

TEST(IrfetchCommandLine, ExampleWithAllSevenValues) {
    IrfetchSettings s = defaults();
    std::string path = read_irfetch_command_line("D:\\X.TXT,3,5,2,0,1,0,0", s);
    EXPECT_EQ(path, "D:\\X.TXT");
    EXPECT_EQ(s.port_index, 2);
    EXPECT_EQ(s.baud_index, 4);
    EXPECT_EQ(s.file_mode, FileMode::Append);
    EXPECT_FALSE(s.add_cr);
    EXPECT_TRUE(s.add_lf);
    EXPECT_FALSE(s.show_messages);
    EXPECT_FALSE(s.view_data);
    EXPECT_TRUE(s.always_show_dialog);  // cannot be given

    IrfetchSettings t = defaults();
    EXPECT_EQ(read_irfetch_command_line("D:\\DATA\\SHOP1.TXT,2,5,2,1,1,0,0", t),
              "D:\\DATA\\SHOP1.TXT");
    EXPECT_EQ(t.port_index, 1);
    EXPECT_EQ(t.baud_index, 4);
    EXPECT_EQ(t.file_mode, FileMode::Append);
    EXPECT_TRUE(t.add_cr);
    EXPECT_TRUE(t.add_lf);
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
    EXPECT_TRUE(s.add_lf);
    EXPECT_TRUE(s.show_messages);  // missing
    EXPECT_FALSE(s.view_data);     // missing
}

TEST(IrfetchCommandLine, PathIsLiteralAndSeparatorsAreAnyCharacter) {
    IrfetchSettings s = defaults();
    EXPECT_EQ(read_irfetch_command_line("\"/tmp/my data.txt\" ,2;3 1", s), "\"/tmp/my data.txt\" ");
    EXPECT_EQ(s.port_index, 1);
    EXPECT_EQ(s.baud_index, 2);
    EXPECT_EQ(s.file_mode, FileMode::Overwrite);  // "1"

    IrfetchSettings t = defaults();
    EXPECT_EQ(read_irfetch_command_line("/tmp/only-a-path.txt", t), "/tmp/only-a-path.txt");
    EXPECT_EQ(t.port_index, 0);
    EXPECT_EQ(read_irfetch_command_line("", t), "");
}

TEST(IrfetchFullPath, SeparatorOnlyWhenNeeded) {
    IrfetchSettings s = defaults();
    s.file_name = "a.txt";
    s.directory = "/data";
    EXPECT_EQ(irfetch_full_path(s), "/data/a.txt");
    s.directory = "/data/";
    EXPECT_EQ(irfetch_full_path(s), "/data/a.txt");
    s.directory = "";
    EXPECT_EQ(irfetch_full_path(s), "a.txt");
}

}  // namespace
}  // namespace kolibra
