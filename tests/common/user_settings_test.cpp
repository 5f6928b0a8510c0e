// The per-user settings file: what is written is read back, a damaged file
// reads as no settings, and a failed write leaves the old file.
#include "common/user_settings.h"

#include "irfetch/tool_test_support.h"

#include <csignal>
#include <cstdlib>
#include <sys/resource.h>

#include <gtest/gtest.h>

namespace kolibra {
namespace {

using namespace kolibra::testing;

using UserSettingsFile = ScratchTest;

TEST_F(UserSettingsFile, WrittenSettingsAreReadBackInTheirOwnFolder) {
    const std::string file = path("config/kolibra/tgen-user.ini");  // the folders do not exist yet
    UserSettings settings(file);
    EXPECT_TRUE(settings.set("terminal_zoom", "150"));
    EXPECT_TRUE(settings.set("b", "a=b c"));  // "=" is fine in a value
    ASSERT_TRUE(settings.save().ok);
    EXPECT_EQ(read_file(file), "b=a=b c\nterminal_zoom=150\n");
    const UserSettings again = UserSettings::load(file);
    EXPECT_EQ(again.get("terminal_zoom"), "150");
    EXPECT_EQ(again.get("b"), "a=b c");
    EXPECT_EQ(again.get("missing"), "");
    // Nothing that would break the line format is stored.
    EXPECT_FALSE(settings.set("a=b", "1"));
    EXPECT_FALSE(settings.set("", "1"));
    EXPECT_FALSE(settings.set("a", "1\nterminal_zoom=200"));
    EXPECT_EQ(settings.get("terminal_zoom"), "150");
}

TEST_F(UserSettingsFile, AMissingOrDamagedFileGivesNoSettings) {
    EXPECT_TRUE(UserSettings::load(path("none.ini")).values().empty());
    EXPECT_TRUE(UserSettings::load(folder()).values().empty());  // a folder

    const std::string file = path("s.ini");
    write_file(file, std::string("terminal_zoom=150\n\0\xff\x01garbage", 27));
    EXPECT_TRUE(UserSettings::load(file).values().empty());
    write_file(file, std::string(70 * 1024, 'x') + "\nterminal_zoom=150\n");
    EXPECT_TRUE(UserSettings::load(file).values().empty());

    // Within a text file, only the lines that are not settings are passed over.
    write_file(file, "no equals\r\n=150\r\nterminal_zoom=200\r\nbell=\x07\r\nlast=1");
    const UserSettings mixed = UserSettings::load(file);
    EXPECT_EQ(mixed.values().size(), 2u);
    EXPECT_EQ(mixed.get("terminal_zoom"), "200");
    EXPECT_EQ(mixed.get("last"), "1");
}

TEST_F(UserSettingsFile, AFailedWriteLeavesTheOldFile) {
    const std::string file = path("s.ini");
    write_file(file, "terminal_zoom=150\n");
    UserSettings settings = UserSettings::load(file);
    settings.set("terminal_zoom", "200");
    settings.set("long", std::string(4096, 'x'));
    // Files may grow to 16 bytes only: the new file cannot be written.
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 16;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const SaveResult saved = settings.save();
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, old_handler);
    EXPECT_FALSE(saved.ok);
    EXPECT_FALSE(saved.reason.empty());
    EXPECT_EQ(read_file(file), "terminal_zoom=150\n");
}

TEST(UserSettingsPath, TheUsersConfigurationFolder) {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    const std::string saved_xdg = xdg ? xdg : "", saved_home = home ? home : "";
    setenv("XDG_CONFIG_HOME", "/cfg", 1);
    EXPECT_EQ(user_settings_path(), "/cfg/kolibra/tgen-user.ini");
    unsetenv("XDG_CONFIG_HOME");
    setenv("HOME", "/home/u", 1);
    EXPECT_EQ(user_settings_path(), "/home/u/.config/kolibra/tgen-user.ini");
    if (xdg) setenv("XDG_CONFIG_HOME", saved_xdg.c_str(), 1);
    if (home) setenv("HOME", saved_home.c_str(), 1); else unsetenv("HOME");
}

}  // namespace
}  // namespace kolibra
