// lkpsend from its command line over a pseudo-terminal, against k2term.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "e2e/support/k2term_process.h"

namespace kolibra {
namespace {

namespace fs = std::filesystem;

const std::vector<std::string> kHeadless = {"QT_QPA_PLATFORM=", "DISPLAY=", "WAYLAND_DISPLAY="};

class LkpsendCli : public ::testing::Test {
protected:
    void SetUp() override {
        char templ[] = "/tmp/lkpsend_e2e_XXXXXX";
        ASSERT_NE(mkdtemp(templ), nullptr);
        dir = templ;
        lookup = dir + "/ITEMS.TXT";
        std::string bytes = "4001234567890;Milk 1l;0.99\r\n\r\nLF only line\nlast without end";
        bytes += std::string("\x80\xFF high bytes", 13);
        std::ofstream(lookup, std::ios::binary) << bytes;
        out = dir + "/out";
        fs::create_directories(out);
    }
    void TearDown() override { fs::remove_all(dir); }

    static std::string read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    e2e::ProgramResult run_lkpsend(const e2e::K2termProcess& terminal, const std::string& args) {
        std::vector<std::string> env = kHeadless;
        env.push_back("KOLIBRA_COM1=" + terminal.device_path());
        return e2e::run_program(LKPSEND_PATH, {args}, env);
    }

    std::string dir, lookup, out;
};

TEST_F(LkpsendCli, DeliversEveryRecordByteExact) {
    e2e::K2termProcess terminal;
    ASSERT_TRUE(terminal.start({"--out", out, "--expect", "lookup"})) << terminal.error();
    auto result = run_lkpsend(terminal, lookup + ",1,1,0");
    EXPECT_EQ(result.exit_status, 0) << result.output;
    EXPECT_NE(result.output.find("Download Lookup File: Downloaded completely!"), std::string::npos)
        << result.output;
    auto line = terminal.wait_for_line("lookup ", 3000);
    ASSERT_TRUE(line);
    EXPECT_EQ(*line, "lookup " + out + "/lookup-1.txt 3");
    // CR ends a record, LF is dropped wherever it stands.
    EXPECT_EQ(read(out + "/lookup-1.txt"),
              "4001234567890;Milk 1l;0.99\r\n\r\nLF only linelast without end" +
                  std::string("\x80\xFF high bytes", 13) + "\r\n");
    EXPECT_EQ(terminal.stop(), 0);
}

TEST_F(LkpsendCli, SilentTerminalIsNotReadyAndTheExitSaysSo) {
    e2e::K2termProcess terminal;
    ASSERT_TRUE(terminal.start({"--silent"})) << terminal.error();
    auto result = run_lkpsend(terminal, lookup + ",1,1,0");
    EXPECT_EQ(result.exit_status, 1) << result.output;
    EXPECT_NE(result.output.find("Download Lookup File: Terminal is not ready!"), std::string::npos)
        << result.output;
    EXPECT_NE(result.output.find("Download Lookup File: Failed to download, would you like to retry?"),
              std::string::npos);
}

TEST_F(LkpsendCli, MissingFileAndOverlongPathAreRefused) {
    e2e::K2termProcess terminal;
    ASSERT_TRUE(terminal.start({})) << terminal.error();
    auto missing = run_lkpsend(terminal, dir + "/none.txt");
    EXPECT_EQ(missing.exit_status, 3);
    EXPECT_NE(missing.output.find("Download Lookup File: Can't open the file!"), std::string::npos);
    auto overlong = run_lkpsend(terminal, dir + "/" + std::string(300, 'x') + ",1,1,0");
    EXPECT_EQ(overlong.exit_status, 3);
    EXPECT_NE(overlong.output.find("longer than 255 characters"), std::string::npos);
}

}  // namespace
}  // namespace kolibra
