#include "common/tool_files.h"

#include "irfetch/tool_test_support.h"

#include <gtest/gtest.h>

namespace kolibra {
namespace {

using namespace kolibra::testing;
namespace fs = std::filesystem;

TEST(IniLocation, BesideTheProgramWhenWritableElseTheUsersConfigurationFolder) {
    IniPlaces places{"/opt/tools/", true, "/xdg", "/home/ann", ""};
    EXPECT_EQ(ini_file_path(places, "irfetch.ini"), "/opt/tools/irfetch.ini");
    places.program_folder_writable = false;
    EXPECT_EQ(ini_file_path(places, "lkpsend.ini"), "/xdg/kolibra/lkpsend.ini");
    places.xdg_config_home.clear();
    EXPECT_EQ(ini_file_path(places, "lkpsend.ini"), "/home/ann/.config/kolibra/lkpsend.ini");
}

using ReplaceFile = ScratchTest;

TEST_F(ReplaceFile, WritesExactBytesCreatingTheFolderAndAFailureKeepsTheOldFile) {
    std::string target = path("config/kolibra/x.ini");
    ASSERT_TRUE(replace_file(target, std::string("a\r\nb\0c", 6)));
    EXPECT_EQ(read_file(target), std::string("a\r\nb\0c", 6));
    // A plain file where a folder must be makes the write fail, even for root.
    EXPECT_FALSE(replace_file(target + "/y.ini", "new"));
    EXPECT_EQ(read_file(target), std::string("a\r\nb\0c", 6));
}

}  // namespace
}  // namespace kolibra
