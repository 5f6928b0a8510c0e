#include "common/system_launcher.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>
#include <unistd.h>

namespace kolibra {
namespace {

namespace fs = std::filesystem;

TEST(SystemLauncher, StartsTheViewerWithThePathAsOneArgumentWithoutAShell) {
    // "touch" as the viewer proves the program really ran with the path as its
    // one argument; the shell characters in the name stay part of the name.
    fs::path marker = fs::temp_directory_path() /
                      ("kolibra viewer $(x); " + std::to_string(::getpid()) + ".txt");
    fs::remove(marker);
    ::setenv("KOLIBRA_TEXT_VIEWER", "touch", 1);
    SystemLauncher launcher;
    ASSERT_TRUE(launcher.show_text_file(marker.string()));
    for (int i = 0; i < 500 && !fs::exists(marker); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_TRUE(fs::exists(marker));
    fs::remove(marker);

    ::setenv("KOLIBRA_TEXT_VIEWER", "kolibra-no-such-viewer-program", 1);
    EXPECT_FALSE(launcher.show_text_file(marker.string()));
    ::unsetenv("KOLIBRA_TEXT_VIEWER");
    EXPECT_EQ(text_viewer_command("x")[0], "xdg-open");
}

}  // namespace
}  // namespace kolibra
