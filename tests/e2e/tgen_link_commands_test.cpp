// tgen download, send-lookup and receive over a pseudo-terminal against k2term.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "e2e/support/k2term_process.h"

namespace kolibra {
namespace {

namespace fs = std::filesystem;

class TgenLink : public ::testing::Test {
protected:
    void SetUp() override {
        char templ[] = "/tmp/tgen_link_e2e_XXXXXX";
        ASSERT_NE(mkdtemp(templ), nullptr);
        dir = templ;
    }
    void TearDown() override { fs::remove_all(dir); }

    e2e::ProgramResult tgen(const std::vector<std::string>& args) {
        return e2e::run_program(TGEN_PATH, args, {"KOLIBRA_COM1=" + k2term.device_path()});
    }
    static std::string file(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    static void write(const std::string& path, const std::string& content) {
        std::ofstream(path, std::ios::binary) << content;
    }

    std::string dir;
    e2e::K2termProcess k2term;
};

TEST_F(TgenLink, DownloadDeliversTheImageOfTgenImage) {
    const std::string atx = dir + "/shop.atx", image = dir + "/shop.bin";
    ASSERT_EQ(e2e::run_program(TGEN_PATH, {"new", atx}).exit_status, 0);
    ASSERT_EQ(e2e::run_program(TGEN_PATH, {"image", atx, image}).exit_status, 0);
    ASSERT_TRUE(k2term.start({"--out", dir, "--expect", "program"})) << k2term.error();

    auto result = tgen({"download", atx, "--baud", "38400"});
    EXPECT_EQ(result.exit_status, 0) << result.output;
    EXPECT_NE(result.output.find("Download: Downloaded completely!"), std::string::npos);
    ASSERT_TRUE(k2term.wait_for_line("program ", 3000).has_value());
    const std::string delivered = file(dir + "/program-1.bin");
    EXPECT_EQ(delivered.size(), 10500u);
    EXPECT_TRUE(delivered == file(image));
}

TEST_F(TgenLink, SendLookupDeliversEveryRecord) {
    const std::string lookup = dir + "/items.txt";
    write(lookup, "4711,Apples\r\n\r\n4712,Pears\r4713,Plums");
    ASSERT_TRUE(k2term.start({"--out", dir, "--expect", "lookup"})) << k2term.error();

    auto result = tgen({"send-lookup", lookup, "--port", "com1", "--baud", "9600"});
    EXPECT_EQ(result.exit_status, 0) << result.output;
    auto line = k2term.wait_for_line("lookup ", 3000);
    ASSERT_TRUE(line.has_value());
    EXPECT_EQ(*line, "lookup " + dir + "/lookup-1.txt 4");
    EXPECT_EQ(file(dir + "/lookup-1.txt"), "4711,Apples\r\n\r\n4712,Pears\r\n4713,Plums\r\n");
}

TEST_F(TgenLink, FailedDownloadExitsNonZero) {
    const std::string lookup = dir + "/items.txt";
    write(lookup, "A\r\nB\r\n");
    ASSERT_TRUE(k2term.start({"--full-after", "1"})) << k2term.error();
    auto result = tgen({"send-lookup", lookup});
    EXPECT_EQ(result.exit_status, 1);
    EXPECT_NE(result.output.find("Error: Memory full for Terminal!"), std::string::npos);
    // The retry question is answered No.
    EXPECT_NE(result.output.find("Error: Failed to download, would you like to retry?"),
              std::string::npos);
}

TEST_F(TgenLink, ReceiveWritesRecordsWithCrLf) {
    const std::string records = dir + "/records.txt", data = dir + "/DATA.TXT";
    write(records, "0001,12\r\n0002,7\r\n0003,1\r\n");
    ASSERT_TRUE(k2term.start({"--records", records})) << k2term.error();

    auto result = tgen({"receive", data});
    EXPECT_EQ(result.exit_status, 0) << result.output;
    EXPECT_EQ(file(data), "0001,12\r\n0002,7\r\n0003,1\r\n");
    EXPECT_NE(result.output.find("Upload Data: Done : 3 records received."), std::string::npos);
}

TEST_F(TgenLink, ReceiveThroughTheTransceiver) {
    const std::string records = dir + "/records.txt", data = dir + "/DATA.TXT";
    write(records, "IR1\r\nIR2\r\n");
    ASSERT_TRUE(k2term.start({"--records", records, "--transceiver", "--ir-speed", "19200"}))
        << k2term.error();
    auto result = tgen({"receive", data, "--ir", "--baud", "57600"});
    EXPECT_EQ(result.exit_status, 0) << result.output;
    EXPECT_EQ(file(data), "IR1\r\nIR2\r\n");
}

TEST_F(TgenLink, ReceiveWithoutConnectionKeepsTheEarlierFile) {
    const std::string data = dir + "/DATA.TXT";
    write(data, "earlier\r\n");
    ASSERT_TRUE(k2term.start({"--read-reply", "BUSY"})) << k2term.error();
    auto result = tgen({"receive", data});
    EXPECT_EQ(result.exit_status, 1);
    EXPECT_NE(result.output.find("Error: Failed to establish connection!"), std::string::npos);
    EXPECT_NE(result.output.find("Upload Data: No data received!"), std::string::npos);
    EXPECT_EQ(file(data), "earlier\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 1);
}

TEST_F(TgenLink, ReceiveFromATerminalSendingOnlyDamagedFramesEndsLikeATimeOut) {
    const std::string records = dir + "/records.txt", data = dir + "/DATA.TXT";
    write(records, "R1\r\nR2\r\nR3\r\n");
    write(data, "earlier\r\n");
    ASSERT_TRUE(k2term.start({"--records", records, "--damage-from", "1"})) << k2term.error();
    auto result = e2e::run_program(TGEN_PATH, {"receive", data},
                                   {"KOLIBRA_COM1=" + k2term.device_path()}, 15000);
    EXPECT_EQ(result.exit_status, 1) << result.output;
    EXPECT_NE(result.output.find("Error: Time out!"), std::string::npos) << result.output;
    EXPECT_EQ(result.output.find("Done"), std::string::npos);
    EXPECT_EQ(file(data), "earlier\r\n");
}

TEST_F(TgenLink, ReceiveRefusesADamagedFrameThatLooksLikeARepeat) {
    // The tenth frame (number 9) arrives once with the number 8: a flipped
    // bit. Taken for a repeat it would be lost; refused, it comes again.
    const std::string records = dir + "/records.txt", data = dir + "/DATA.TXT";
    std::string text;
    for (int i = 0; i < 10; ++i) text += "rec" + std::to_string(i) + "\r\n";
    write(records, text);
    ASSERT_TRUE(k2term.start({"--records", records, "--flip-sequence", "9", "--flip-to", "8"}))
        << k2term.error();
    auto result = tgen({"receive", data});
    EXPECT_EQ(result.exit_status, 0) << result.output;
    EXPECT_NE(result.output.find("Done : 10 records received."), std::string::npos);
    EXPECT_EQ(file(data), text);
}

TEST_F(TgenLink, SendLookupTakesTwoRepliesAtOnceAsOne) {
    const std::string lookup = dir + "/items.txt";
    write(lookup, "A1\r\nA2\r\nA3\r\n");
    ASSERT_TRUE(k2term.start({"--out", dir, "--expect", "lookup", "--double-reply", "1"}))
        << k2term.error();
    auto result = tgen({"send-lookup", lookup});
    EXPECT_EQ(result.exit_status, 0) << result.output;
    ASSERT_TRUE(k2term.wait_for_line("lookup ", 3000).has_value());
    EXPECT_EQ(file(dir + "/lookup-1.txt"), "A1\r\nA2\r\nA3\r\n");
}

TEST_F(TgenLink, LineRateHoldsTheTransferToTheLineSpeed) {
    // 20 lines of 40 bytes at 9600 bit/s: "QUORIN\r" and "ACK\r", 20 packets
    // of 43 bytes each answered "ACK\r", "OVER\r" and "ACK\r": 960 bytes both
    // ways, 1.0 s at 10 bits a byte.
    const std::string lookup = dir + "/items.txt";
    std::string text;
    for (int i = 0; i < 20; ++i) text += std::string(40, static_cast<char>('a' + i)) + "\r\n";
    write(lookup, text);
    ASSERT_TRUE(k2term.start({"--out", dir, "--expect", "lookup", "--line-rate", "--reply-delay", "0"}))
        << k2term.error();
    const auto start = std::chrono::steady_clock::now();
    auto result = tgen({"send-lookup", lookup, "--baud", "9600"});
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_EQ(result.exit_status, 0) << result.output;
    EXPECT_GE(seconds, 1.0);
    EXPECT_LT(seconds, 3.0);
    ASSERT_TRUE(k2term.wait_for_line("lookup ", 3000).has_value());
    EXPECT_EQ(file(dir + "/lookup-1.txt"), text);
}

// A spreadsheet's item list (byte-order mark, header, quoted commas and
// quotes, accented names, LF line ends, a column more than the terminal
// needs) sent as the 1st lookup file: delimited by ';', Code 6 and Name 10.
TEST_F(TgenLink, SendLookupConvertsACsvAndSendsTheDescribedLines) {
    const std::string text = dir + "/shop.txt", atx = dir + "/shop.atx", csv = dir + "/items.csv";
    write(text,
          "lookups.1.member_length = 17\n"
          "lookups.1.field_count = 2\n"
          "lookups.1.fields.1.field_length = 6\n"
          "lookups.1.fields.2.field_length = 10\n"
          "extended.lookups.1.lookup_delimiter = \";\"\n");
    ASSERT_EQ(e2e::run_program(TGEN_PATH, {"import", text, atx}).exit_status, 0);
    write(csv, "\xEF\xBB\xBF" "Code,Name,Price\n4711,\"Figs, red\",1.20\n4712,\"Cr\xC3\xA8me \"\"X\"\"\",2\n\n");
    const std::string tmp = dir + "/tmp";
    fs::create_directory(tmp);
    ASSERT_TRUE(k2term.start({"--out", dir, "--expect", "lookup"})) << k2term.error();

    auto result = e2e::run_program(TGEN_PATH,
                                   {"send-lookup", csv, "--template", atx, "--lookup-number", "1"},
                                   {"KOLIBRA_COM1=" + k2term.device_path(), "TMPDIR=" + tmp});
    EXPECT_EQ(result.exit_status, 0) << result.output;
    auto line = k2term.wait_for_line("lookup ", 3000);
    ASSERT_TRUE(line.has_value());
    EXPECT_EQ(file(dir + "/lookup-1.txt"), "4711;Figs, red\r\n4712;Creme \"X\"\r\n");
    // The converted file was a temporary one.
    EXPECT_TRUE(fs::is_empty(tmp));
}

TEST_F(TgenLink, SendLookupSendsNothingOfACsvWithRefusedLines) {
    const std::string text = dir + "/shop.txt", atx = dir + "/shop.atx", csv = dir + "/items.csv";
    write(text,
          "lookups.2.member_length = 10\n"
          "lookups.2.field_count = 2\n"
          "lookups.2.fields.1.field_offset = 1\n"
          "lookups.2.fields.1.field_length = 4\n"
          "lookups.2.fields.2.field_offset = 5\n"
          "lookups.2.fields.2.field_length = 6\n");
    ASSERT_EQ(e2e::run_program(TGEN_PATH, {"import", text, atx}).exit_status, 0);
    write(csv, "Code;Name\r\n1;Nuts\r\n2;Washers\r\n1;Bolts\r\n");
    ASSERT_TRUE(k2term.start({"--out", dir, "--expect", "lookup"})) << k2term.error();
    auto result = tgen({"send-lookup", csv, "--template", atx, "--lookup-number", "2"});
    EXPECT_EQ(result.exit_status, 1);
    EXPECT_NE(result.output.find("Error: items.csv was not sent: 2 of its lines do not fit the 2nd "
                                 "lookup file.\n"
                                 "line 3, column 2 (Name): 7 characters, more than the 6 of field 2\n"
                                 "line 4, column 1 (Code): key \"1   \" is already on line 2"),
              std::string::npos)
        << result.output;
    EXPECT_FALSE(fs::exists(dir + "/lookup-1.txt"));

    // With the values cut, the duplicate key is still refused.
    result = tgen({"send-lookup", csv, "--template", atx, "--lookup-number", "2", "--cut"});
    EXPECT_EQ(result.exit_status, 1);
    EXPECT_NE(result.output.find("1 of its lines does not fit"), std::string::npos) << result.output;
    EXPECT_FALSE(fs::exists(dir + "/lookup-1.txt"));

    // A .csv needs the template and the number; a .TXT takes neither.
    EXPECT_EQ(tgen({"send-lookup", csv}).exit_status, 2);
    EXPECT_EQ(tgen({"send-lookup", csv, "--template", atx, "--lookup-number", "4"}).exit_status, 2);
    EXPECT_EQ(tgen({"send-lookup", text, "--template", atx}).exit_status, 2);
}

TEST_F(TgenLink, BadCommandLines) {
    EXPECT_EQ(e2e::run_program(TGEN_PATH, {"receive"}).exit_status, 2);
    EXPECT_EQ(e2e::run_program(TGEN_PATH, {"download", "x.atx", "--port", "COM9"}).exit_status, 2);
    EXPECT_EQ(e2e::run_program(TGEN_PATH, {"send-lookup", "a.txt", "--baud"}).exit_status, 2);
    EXPECT_EQ(e2e::run_program(TGEN_PATH, {"receive", "a.txt", "--fast"}).exit_status, 2);
}

}  // namespace
}  // namespace kolibra
