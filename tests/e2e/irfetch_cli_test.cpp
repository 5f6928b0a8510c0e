// irfetch from its command line over a pseudo-terminal, against k2term
// playing the IR transceiver and the terminal behind it.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "e2e/support/k2term_process.h"

namespace kolibra {
namespace {

namespace fs = std::filesystem;

// No display for the program: its boxes go to stderr and questions take No.
const std::vector<std::string> kHeadless = {"QT_QPA_PLATFORM=", "DISPLAY=", "WAYLAND_DISPLAY="};

class IrfetchCli : public ::testing::Test {
protected:
    void SetUp() override {
        char templ[] = "/tmp/irfetch_e2e_XXXXXX";
        ASSERT_NE(mkdtemp(templ), nullptr);
        dir = templ;
        records = dir + "/records.txt";
        write(records, "R1\r\nSECOND 2\r\nthird;3\r\nfourth\r\nfifth\r\n");
        data = dir + "/data.txt";
    }
    void TearDown() override { fs::remove_all(dir); }

    static void write(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    static std::string read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    e2e::ProgramResult run_irfetch(const e2e::K2termProcess& terminal, const std::string& values) {
        std::vector<std::string> env = kHeadless;
        env.push_back("KOLIBRA_COM1=" + terminal.device_path());
        return e2e::run_program(IRFETCH_PATH, {data + "," + values}, env);
    }

    std::string dir, records, data;
};

TEST_F(IrfetchCli, ReceivesEveryRecordWithCrLfThroughTheTransceiver) {
    e2e::K2termProcess terminal;
    ASSERT_TRUE(terminal.start({"--transceiver", "--records", records})) << terminal.error();
    auto result = run_irfetch(terminal, "1,1,1,1,1,0,0");
    EXPECT_EQ(result.exit_status, 1) << result.output;
    EXPECT_EQ(read(data), "R1\r\nSECOND 2\r\nthird;3\r\nfourth\r\nfifth\r\n");
    EXPECT_EQ(terminal.stop(), 0);
}

TEST_F(IrfetchCli, SilentAfterThreeRecordsKeepsTheEarlierFileInOverwriteMode) {
    write(data, "earlier\r\n");
    e2e::K2termProcess terminal;
    ASSERT_TRUE(terminal.start({"--transceiver", "--records", records, "--stop-after", "3"}))
        << terminal.error();
    auto result = run_irfetch(terminal, "1,1,1,1,1,1,0");
    EXPECT_EQ(result.exit_status, 3) << result.output;
    EXPECT_NE(result.output.find("Error: Time out!"), std::string::npos) << result.output;
    EXPECT_EQ(read(data), "earlier\r\n");
    fs::remove(data);

    // No earlier file: none afterwards either.
    auto again = run_irfetch(terminal, "1,1,1,1,1,0,0");
    EXPECT_EQ(again.exit_status, 3) << again.output;
    EXPECT_FALSE(fs::exists(data));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

TEST_F(IrfetchCli, AppendModeAddsTheRecordsOfABrokenReception) {
    write(data, "earlier\r\n");
    e2e::K2termProcess terminal;
    ASSERT_TRUE(terminal.start({"--transceiver", "--records", records, "--stop-after", "3"}))
        << terminal.error();
    auto result = run_irfetch(terminal, "1,1,2,1,1,0,0");
    EXPECT_EQ(result.exit_status, 3) << result.output;
    EXPECT_EQ(read(data), "earlier\r\nR1\r\nSECOND 2\r\nthird;3\r\n");
}

TEST_F(IrfetchCli, WindowedBuildRunsItsCommandLineToo) {
    // On the offscreen platform the program takes its Qt path (message boxes
    // and the count box); with both options off it shows no box to wait on.
    e2e::K2termProcess terminal;
    ASSERT_TRUE(terminal.start({"--transceiver", "--records", records})) << terminal.error();
    auto result = e2e::run_program(IRFETCH_PATH, {data + ",1,2,3,0,1,0,0"},
                                   {"QT_QPA_PLATFORM=offscreen",
                                    "KOLIBRA_COM1=" + terminal.device_path()});
    EXPECT_EQ(result.exit_status, 1) << result.output;
    EXPECT_EQ(read(data), "R1\nSECOND 2\nthird;3\nfourth\nfifth\n");
}

}  // namespace
}  // namespace kolibra
