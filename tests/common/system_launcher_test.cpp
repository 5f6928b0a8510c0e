#include "common/system_launcher.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
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

// Children of this process that have ended but were not collected.
int zombie_children() {
    int zombies = 0;
    for (const auto& task : fs::directory_iterator("/proc/self/task")) {
        std::ifstream children(task.path() / "children");
        pid_t pid;
        while (children >> pid) {
            std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
            std::string line;
            std::getline(stat, line);
            const auto close = line.rfind(')');
            if (close != std::string::npos && close + 2 < line.size() && line[close + 2] == 'Z')
                ++zombies;
        }
    }
    return zombies;
}

TEST(SystemLauncher, ClosedViewersAreCollectedAtOnce) {
    ASSERT_EQ(zombie_children(), 0);
    ::setenv("KOLIBRA_TEXT_VIEWER", "true", 1);
    SystemLauncher launcher;
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(launcher.show_text_file("/nonexistent"));
    ::unsetenv("KOLIBRA_TEXT_VIEWER");
    int zombies = -1;
    for (int i = 0; i < 300 && zombies != 0; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        zombies = zombie_children();
    }
    EXPECT_EQ(zombies, 0);
}

TEST(SystemLauncher, WindowsCommandLineSplitsBackIntoTheSameArguments) {
    // The C library's rules on Windows: quotes group, \" is a quote, and
    // backslashes are literal unless they come before a quote.
    struct Case {
        std::vector<std::string> args;
        std::string line;
    } cases[] = {
        {{"notepad.exe", "C:\\data\\shop1.txt"}, "notepad.exe C:\\data\\shop1.txt"},
        {{"notepad.exe", "C:\\my data\\shop 1.txt"}, "notepad.exe \"C:\\my data\\shop 1.txt\""},
        {{"x", ""}, "x \"\""},
        {{"x", "C:\\dir with space\\"}, "x \"C:\\dir with space\\\\\""},
        {{"x", "say \"hi\""}, "x \"say \\\"hi\\\"\""},
        {{"x", "a\\\"b"}, "x \"a\\\\\\\"b\""},
        {{"x", "tab\there"}, "x \"tab\there\""},
    };
    for (const Case& c : cases) EXPECT_EQ(windows_command_line(c.args), c.line) << c.line;
}

}  // namespace
}  // namespace kolibra
