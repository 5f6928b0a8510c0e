#include "lkpsend/lkpsend_settings.h"

#include <gtest/gtest.h>

namespace kolibra {
namespace {

TEST(LkpsendCommandLine, PathOnlyKeepsCom1FastestAndPlain) {
    LkpsendSettings s = default_lkpsend_settings("/opt/k/");
    EXPECT_EQ(read_lkpsend_command_line("D:\\LOOKUP\\ITEMS.TXT", s), "D:\\LOOKUP\\ITEMS.TXT");
    EXPECT_EQ(s.port_index, 0);
    EXPECT_EQ(s.baud_index, 0);
    EXPECT_FALSE(s.use_transceiver);
}

TEST(LkpsendCommandLine, ValuesInRangeAreTakenOthersKeepTheirDefaults) {
    LkpsendSettings s = default_lkpsend_settings("/opt/k/");
    EXPECT_EQ(read_lkpsend_command_line("D:\\LOOKUP\\ITEMS.TXT,2,5,1", s), "D:\\LOOKUP\\ITEMS.TXT");
    EXPECT_EQ(s.port_index, 1);
    EXPECT_EQ(s.baud_index, 4);
    EXPECT_TRUE(s.use_transceiver);

    LkpsendSettings t = default_lkpsend_settings("/opt/k/");
    read_lkpsend_command_line("D:\\LOOKUP\\ITEMS.TXT,7,9,1", t);
    EXPECT_EQ(t.port_index, 0);
    EXPECT_EQ(t.baud_index, 0);
    EXPECT_TRUE(t.use_transceiver);

    LkpsendSettings u = default_lkpsend_settings("/opt/k/");
    read_lkpsend_command_line("/x.txt,0,0,2", u);
    EXPECT_EQ(u.port_index, 0);
    EXPECT_EQ(u.baud_index, 0);
    EXPECT_FALSE(u.use_transceiver);

    // Separators are any one character; a short line leaves the rest alone.
    LkpsendSettings v = default_lkpsend_settings("/opt/k/");
    EXPECT_EQ(read_lkpsend_command_line("my file.txt,6 3", v), "my file.txt");
    EXPECT_EQ(v.port_index, 5);
    EXPECT_EQ(v.baud_index, 2);
    EXPECT_FALSE(v.use_transceiver);
}

TEST(LkpsendIni, HoldsTheFolderOfTheChosenFileWithoutSeparatorOrLineEnd) {
    EXPECT_EQ(lkpsend_ini_text("/data/lookup/ITEMS.TXT"), "/data/lookup");
    EXPECT_EQ(lkpsend_ini_text("/data/lookup/ITEMS.TXT").size(), 12u);
    // The root folder stays a folder rather than an empty (ignored) ini.
    EXPECT_EQ(lkpsend_ini_text("/ITEMS.TXT"), "/");
}

TEST(LkpsendIni, ReadWholeAndIgnoredWhenEmptyOrTooLong) {
    LkpsendSettings s = default_lkpsend_settings("/opt/k/");
    EXPECT_EQ(s.start_folder, "/opt/k/");
    read_lkpsend_ini("/data/lookup", s);
    EXPECT_EQ(s.start_folder, "/data/lookup");

    LkpsendSettings t = default_lkpsend_settings("/opt/k/");
    read_lkpsend_ini(std::string(256, 'x'), t);
    EXPECT_EQ(t.start_folder, "/opt/k/");
    read_lkpsend_ini("", t);
    EXPECT_EQ(t.start_folder, "/opt/k/");
    read_lkpsend_ini(std::string(255, 'y'), t);
    EXPECT_EQ(t.start_folder.size(), 255u);
}

}  // namespace
}  // namespace kolibra
