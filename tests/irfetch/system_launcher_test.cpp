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

class ViewerVariable : public ::testing::Test {
protected:
    void SetUp() override {
        if (const char* old = std::getenv("KOLIBRA_TEXT_VIEWER")) saved_ = old;
    }
    void TearDown() override {
        if (saved_.empty()) ::unsetenv("KOLIBRA_TEXT_VIEWER");
        else ::setenv("KOLIBRA_TEXT_VIEWER", saved_.c_str(), 1);
    }
    std::string saved_;
};

TEST_F(ViewerVariable, DefaultViewerGetsThePathAsOneArgument) {
    ::unsetenv("KOLIBRA_TEXT_VIEWER");
    auto command = text_viewer_command("/tmp/my data; rm -rf x.txt");
    ASSERT_EQ(command.size(), 2u);
    EXPECT_EQ(command[0], "xdg-open");
    EXPECT_EQ(command[1], "/tmp/my data; rm -rf x.txt");
}

TEST_F(ViewerVariable, StartsTheViewerWithoutAShellAndWithoutWaiting) {
    // "touch" as the viewer proves the program really ran with the path as its
    // argument; shell characters in the name stay part of the name.
    fs::path marker = fs::temp_directory_path() /
                      ("kolibra viewer $(x) " + std::to_string(::getpid()) + ".txt");
    fs::remove(marker);
    ::setenv("KOLIBRA_TEXT_VIEWER", "touch", 1);
    SystemLauncher launcher;
    ASSERT_TRUE(launcher.show_text_file(marker.string()));
    for (int i = 0; i < 200 && !fs::exists(marker); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_TRUE(fs::exists(marker));
    fs::remove(marker);
}

TEST_F(ViewerVariable, MissingViewerIsReportedAsFailure) {
    ::setenv("KOLIBRA_TEXT_VIEWER", "kolibra-no-such-viewer-program", 1);
    SystemLauncher launcher;
    EXPECT_FALSE(launcher.show_text_file("/tmp/x.txt"));
}

}  // namespace
}  // namespace kolibra
