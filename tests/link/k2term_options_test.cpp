#include <filesystem>

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "link/standin/k2term_options.h"

namespace kolibra {
namespace {

bool parse(const std::vector<std::string>& args, K2termOptions& o, std::string& error) {
    o = K2termOptions{};
    error.clear();
    return parse_k2term_options(args, o, error);
}

TEST(K2termOptions, EveryOptionReachesItsSetting) {
    K2termOptions o;
    std::string error;
    ASSERT_TRUE(parse({"--records", "r.txt", "--out", "dir", "--link", "/tmp/l", "--transceiver",
                       "--ir-speed", "57600", "--expect", "lookup", "--reply-delay", "7",
                       "--full-after", "3", "--refuse-packet", "2", "--refuse-times", "4",
                       "--lose-ack", "5", "--refuse-over", "1", "--read-reply", "BUSY",
                       "--late-frame", "6", "--late-ms", "900", "--wrong-sequence", "7",
                       "--bad-check", "8", "--stop-after", "9", "--verbose"},
                      o, error))
        << error;
    EXPECT_EQ(o.records_file, "r.txt");
    EXPECT_EQ(o.out_dir, "dir");
    EXPECT_EQ(o.link_path, "/tmp/l");
    EXPECT_TRUE(o.transceiver);
    EXPECT_EQ(o.ir_speed, 57600u);
    EXPECT_TRUE(o.verbose);
    const TerminalOptions& t = o.terminal;
    EXPECT_EQ(t.expect, ExpectedDownload::Lookup);
    EXPECT_EQ(t.reply_delay_ms, 7u);
    EXPECT_EQ(t.full_after, 3);
    EXPECT_EQ(t.refuse_packet, 2);
    EXPECT_EQ(t.refuse_times, 4);
    EXPECT_EQ(t.lose_ack_of, 5);
    EXPECT_EQ(t.refuse_over_times, 1);
    EXPECT_EQ(t.read_reply, "BUSY\r");
    EXPECT_EQ(t.late_frame, 6);
    EXPECT_EQ(t.late_ms, 900u);
    EXPECT_EQ(t.wrong_sequence_frame, 7);
    EXPECT_EQ(t.bad_check_frame, 8);
    EXPECT_EQ(t.stop_after_records, 9);

    ASSERT_TRUE(parse({"--late-reply", "1", "--late-reply-ms", "3500", "--garble-reply", "2",
                       "--junk-reply", "3", "--double-reply", "4", "--refuse-forever",
                       "--flip-sequence", "5", "--flip-to", "4", "--split-frame", "6",
                       "--damage-from", "7", "--line-rate"},
                      o, error))
        << error;
    EXPECT_EQ(t.late_reply_packet, 1);
    EXPECT_EQ(t.late_reply_ms, 3500u);
    EXPECT_EQ(t.garbled_reply_packet, 2);
    EXPECT_EQ(t.junk_reply_packet, 3);
    EXPECT_EQ(t.double_reply_packet, 4);
    EXPECT_TRUE(t.refuse_forever);
    EXPECT_EQ(t.flip_sequence_frame, 5);
    EXPECT_EQ(t.flip_sequence_to, 4);
    EXPECT_EQ(t.split_frame, 6);
    EXPECT_EQ(t.damage_from_frame, 7);
    EXPECT_TRUE(o.line_rate);
    EXPECT_FALSE(parse({"--flip-to", "256"}, o, error));

    ASSERT_TRUE(parse({"--refuse-packet", "0"}, o, error));
    EXPECT_EQ(o.terminal.refuse_times, 1);  // once unless told otherwise
    ASSERT_TRUE(parse({"--silent", "-h"}, o, error));
    EXPECT_TRUE(o.terminal.silent);
    EXPECT_TRUE(o.help);
}

TEST(K2termOptions, BadCommandLinesAreRefusedWithAReason) {
    K2termOptions o;
    std::string error;
    const std::vector<std::vector<std::string>> bad = {
        {"--bogus"},          {"--records"},          {"--full-after", "x"},
        {"--full-after", "-1"}, {"--stop-after", "3k"}, {"--ir-speed", "4800"},
        {"--expect", "both"}, {"--late-ms", "99999999999999999999"}, {"--read-reply", "A\rB"}};
    for (const auto& args : bad) {
        EXPECT_FALSE(parse(args, o, error)) << args[0];
        EXPECT_FALSE(error.empty()) << args[0];
    }
    EXPECT_NE(k2term_usage().find("--transceiver"), std::string::npos);
}

class K2termFiles : public ::testing::Test {
protected:
    void SetUp() override {
        char templ[] = "/tmp/k2term_test_XXXXXX";
        ASSERT_NE(mkdtemp(templ), nullptr);
        dir = templ;
    }
    void TearDown() override { std::system(("rm -rf " + dir).c_str()); }
    std::string write(const std::string& name, const std::string& text) {
        const std::string path = dir + "/" + name;
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    static std::string read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    std::string dir;
};

TEST_F(K2termFiles, RecordsFileLineEnds) {
    std::vector<std::string> records;
    std::string error;
    ASSERT_TRUE(load_records(write("a.txt", "A1\r\nB2\nC3\r\r\nlast"), records, error));
    EXPECT_EQ(records, (std::vector<std::string>{"A1", "B2", "C3", "", "last"}));
    ASSERT_TRUE(load_records(write("b.txt", ""), records, error));
    EXPECT_TRUE(records.empty());
    EXPECT_FALSE(load_records(dir + "/missing.txt", records, error));
    EXPECT_FALSE(error.empty());
}

TEST_F(K2termFiles, ReceivedFilesAreWrittenWhole) {
    std::string error;
    const std::string path = dir + "/lookup-1.txt";
    ASSERT_TRUE(write_file_whole(path, lookup_file_text({"AB", "", "Z"}), error));
    EXPECT_EQ(read(path), "AB\r\n\r\nZ\r\n");
    // Nothing but the file itself is left in the folder.
    int entries = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) entries += entry.is_regular_file();
    EXPECT_EQ(entries, 1);
    EXPECT_FALSE(write_file_whole(dir + "/no/such/folder/x.bin", "data", error));
    EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace kolibra
