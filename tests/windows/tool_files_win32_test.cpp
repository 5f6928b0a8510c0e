// Where irfetch and lkpsend keep their ini files on Windows: beside the
// program while its folder takes new files, else in %APPDATA%\kolibra, as
// when installed under Program Files, where a normal user cannot write.
#include "common/tool_files.h"
#include "model_test_util.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>

namespace kolibra {
namespace {

TEST(WindowsIniPlace, BesideTheProgramWhenWritableElseInTheUsersAppData) {
    struct Case {
        const char* program_folder;
        bool writable;
        const char* appdata;
        const char* expected;
    };
    const Case cases[] = {
        {"C:\\Tools\\", true, "C:\\Users\\ann\\AppData\\Roaming", "C:\\Tools\\irfetch.ini"},
        {"C:\\Program Files\\Kolibra 2\\", false, "C:\\Users\\ann\\AppData\\Roaming",
         "C:\\Users\\ann\\AppData\\Roaming\\kolibra\\irfetch.ini"},
        // A trailing separator in %APPDATA% gives no doubled one.
        {"C:\\Program Files\\Kolibra 2\\", false, "C:\\Users\\ann\\AppData\\Roaming\\",
         "C:\\Users\\ann\\AppData\\Roaming\\kolibra\\irfetch.ini"},
        // The Linux places mean nothing here; with no %APPDATA% the program's
        // folder is still the best guess.
        {"C:\\Program Files\\Kolibra 2\\", false, "", "C:\\Program Files\\Kolibra 2\\irfetch.ini"},
    };
    for (const Case& c : cases) {
        IniPlaces places{c.program_folder, c.writable, "C:\\xdg", "C:\\home", c.appdata};
        EXPECT_EQ(ini_file_path(places, "irfetch.ini"), c.expected) << c.program_folder << " " << c.appdata;
    }
}

TEST(WindowsIniPlace, TheRunReadsAppDataAndTheFirstSaveMakesTheKolibraFolder) {
    test::ScratchDir dir;
    const std::string appdata = dir.path() + "\\Roaming";
    ASSERT_TRUE(CreateDirectoryA(appdata.c_str(), nullptr));
    const char* old = std::getenv("APPDATA");
    const std::string saved = old ? old : "";
    ASSERT_EQ(_putenv_s("APPDATA", appdata.c_str()), 0);

    IniPlaces places = current_ini_places(nullptr);
    EXPECT_EQ(places.appdata, appdata);
    places.program_folder_writable = false;
    const std::string ini = ini_file_path(places, "lkpsend.ini");
    EXPECT_EQ(ini, appdata + "\\kolibra\\lkpsend.ini");
    ASSERT_TRUE(replace_file(ini, "D:\\LOOKUP"));
    auto read = read_file_prefix(ini, 300);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->bytes, "D:\\LOOKUP");

    _putenv_s("APPDATA", saved.c_str());
}

}  // namespace
}  // namespace kolibra
