#include "irfetch/tool_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace kolibra {
namespace {

namespace fs = std::filesystem;

std::string slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class ScratchFolder : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() /
                ("kolibra-tool-files-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root_);
        fs::create_directories(root_);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }
    fs::path root_;
};

TEST(IniLocation, BesideTheProgramWhenItsFolderIsWritable) {
    IniPlaces places{"/opt/tools/", true, "/xdg", "/home/ann", ""};
    EXPECT_EQ(ini_file_path(places, "irfetch.ini"), "/opt/tools/irfetch.ini");
}

TEST(IniLocation, UserConfigurationFolderOtherwise) {
    IniPlaces places{"/usr/bin/", false, "/xdg", "/home/ann", ""};
    EXPECT_EQ(ini_file_path(places, "lkpsend.ini"), "/xdg/kolibra/lkpsend.ini");
    places.xdg_config_home.clear();
    EXPECT_EQ(ini_file_path(places, "lkpsend.ini"), "/home/ann/.config/kolibra/lkpsend.ini");
    places.home.clear();
    EXPECT_EQ(ini_file_path(places, "lkpsend.ini"), "/usr/bin/lkpsend.ini");
}

TEST(Paths, SplitAtLastSeparatorAndJoin) {
    PathParts parts = split_at_last_separator("/data/lookup/ITEMS.TXT");
    EXPECT_EQ(parts.directory, "/data/lookup");
    EXPECT_EQ(parts.name, "ITEMS.TXT");
    parts = split_at_last_separator("ITEMS.TXT");
    EXPECT_EQ(parts.directory, "");
    EXPECT_EQ(parts.name, "ITEMS.TXT");
    parts = split_at_last_separator("/ITEMS.TXT");
    EXPECT_EQ(parts.directory, "");
    EXPECT_EQ(parts.name, "ITEMS.TXT");
    EXPECT_EQ(join_path("/a", "b"), "/a/b");
    EXPECT_EQ(join_path("/a/", "b"), "/a/b");
    EXPECT_EQ(join_path("", "b"), "b");
}

TEST(Paths, ProgramFolderEndsInASeparator) {
    std::string folder = program_folder("ignored");
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '/');
    EXPECT_TRUE(fs::is_directory(folder));
}

TEST_F(ScratchFolder, ReplaceFileWritesExactBytesAndCreatesTheFolder) {
    fs::path target = root_ / "config" / "kolibra" / "x.ini";
    ASSERT_TRUE(replace_file(target.string(), std::string("a\r\nb\0c", 6)));
    EXPECT_EQ(slurp(target), std::string("a\r\nb\0c", 6));
    ASSERT_TRUE(replace_file(target.string(), "z"));
    EXPECT_EQ(slurp(target), "z");
    EXPECT_FALSE(fs::exists(target.string() + ".new"));
}

TEST_F(ScratchFolder, FailedReplaceLeavesTheOldFile) {
    fs::path target = root_ / "x.ini";
    ASSERT_TRUE(replace_file(target.string(), "old"));
    // A folder in the way of the temporary file makes the write fail, even for root.
    fs::create_directory(target.string() + ".new");
    EXPECT_FALSE(replace_file(target.string(), "new"));
    EXPECT_EQ(slurp(target), "old");
}

TEST_F(ScratchFolder, ReadFilePrefixStopsAtTheLimitAndSaysSo) {
    fs::path file = root_ / "f";
    ASSERT_TRUE(replace_file(file.string(), "0123456789"));
    auto whole = read_file_prefix(file.string(), 10);
    ASSERT_TRUE(whole);
    EXPECT_EQ(whole->bytes, "0123456789");
    EXPECT_FALSE(whole->longer);
    auto cut = read_file_prefix(file.string(), 4);
    ASSERT_TRUE(cut);
    EXPECT_EQ(cut->bytes, "0123");
    EXPECT_TRUE(cut->longer);
    EXPECT_FALSE(read_file_prefix((root_ / "missing").string(), 4));
}

}  // namespace
}  // namespace kolibra
