// The reception history's files, numbering, listing and deletion, and the
// CSV text a spreadsheet reads.
#include "common/csv_writer.h"
#include "history/reception_history.h"

#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace kolibra {
namespace {

namespace fs = std::filesystem;

class History : public ::testing::Test {
protected:
    void SetUp() override {
        char templ[] = "/tmp/kolibra_history_XXXXXX";
        ASSERT_NE(mkdtemp(templ), nullptr);
        dir = templ;
        folder = dir + "/kolibra/receptions";
    }
    void TearDown() override { fs::remove_all(dir); }
    static std::string file(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    static void keep(HistoryRecorder& h, const std::string& record) {
        h.record_accepted(reinterpret_cast<const uint8_t*>(record.data()), record.size());
    }
    std::string dir, folder;
};

TEST_F(History, KeepsRecordsAndOutcomeInTwoPlainFiles) {
    {
        HistoryRecorder h(folder, "tgen", LinkTarget{1, 4, true});
        h.reception_started();
        keep(h, "A1;7");
        keep(h, "");
        keep(h, std::string("\x00\xff", 2));
        // Each record is in the file before the reception goes on.
        EXPECT_EQ(file(folder + "/000001.txt"), std::string("A1;7\r\n\r\n\x00\xff\r\n", 12));
        EXPECT_NE(file(folder + "/000001.info").find("outcome=unfinished\r\n"), std::string::npos);
        h.reception_ended(-1, 3);
        EXPECT_TRUE(h.kept());
        EXPECT_EQ(h.number(), 1);
    }
    const std::string info = file(folder + "/000001.info");
    for (const char* line : {"program=tgen\r\n", "port=COM2 IR\r\n", "speed=9600\r\n",
                             "outcome=broken off\r\n", "records=3\r\n"})
        EXPECT_NE(info.find(line), std::string::npos) << line << " in " << info;
    const auto entries = list_receptions(folder);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].outcome, "broken off");
    EXPECT_EQ(entries[0].records, 3);
    EXPECT_EQ(entries[0].started.size(), 19u);
}

TEST_F(History, NumbersFollowTheHighestAndSkipNamesTaken) {
    fs::create_directories(folder);
    std::ofstream(folder + "/000004.txt", std::ios::binary) << "old\r\n";  // no .info: a crash
    fs::create_directory(folder + "/000005.txt.partial");
    std::ofstream(folder + "/notes.txt") << "not an entry";
    for (int result : {2, 0}) {
        HistoryRecorder h(folder, "irfetch", "COM1", 115200);
        h.reception_started();
        if (result > 0) { keep(h, "x"); keep(h, "y"); }
        h.reception_ended(result, result);
    }
    const auto entries = list_receptions(folder);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].number, 4);
    EXPECT_EQ(entries[0].outcome, "unfinished");
    EXPECT_EQ(entries[0].records, 1);
    EXPECT_EQ(entries[1].number, 5);
    EXPECT_EQ(entries[1].outcome, "complete");
    EXPECT_EQ(entries[2].number, 6);
    EXPECT_EQ(entries[2].outcome, "no data");
    EXPECT_EQ(entries[2].records, 0);

    EXPECT_TRUE(delete_reception(folder, 5).ok);
    EXPECT_FALSE(fs::exists(folder + "/000005.info"));
    EXPECT_FALSE(delete_reception(folder, 5).ok);
    std::string reason;
    EXPECT_FALSE(reception_records(folder, 5, reason).has_value());
    EXPECT_EQ(*reception_records(folder, 4, reason), "old\r\n");
}

TEST_F(History, AFolderThatCannotBeMadeOnlyReportsItself) {
    std::ofstream(dir + "/kolibra") << "a file where the folder should be";
    HistoryRecorder h(folder, "tgen", "COM1", 115200);
    h.reception_started();
    keep(h, "A");
    h.reception_ended(1, 1);
    EXPECT_FALSE(h.kept());
    EXPECT_NE(h.failure().find(folder), std::string::npos) << h.failure();
    EXPECT_TRUE(list_receptions(folder).empty());
}

TEST_F(History, DamagedInfoGivesEmptyFields) {
    fs::create_directories(folder);
    std::ofstream(folder + "/000002.txt", std::ios::binary) << "r\r\n";
    std::ofstream(folder + "/000002.info") << std::string(10000, '\x01') << "\nprogram=x";
    const auto entries = list_receptions(folder);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].program, "");
    EXPECT_EQ(entries[0].outcome, "unfinished");
}

TEST(CsvWriter, QuotesOnlyWhereNeededWithBomAndCrLf) {
    CsvWriter csv;
    csv.add_row({"Item", "Qty"});
    csv.add_row({"a,b", "say \"hi\"", "line\r\nend", "", " x "});
    csv.add_row({"K\xe4se", "K\xc3\xa4se"});  // Windows-1252 becomes UTF-8; UTF-8 stays
    EXPECT_EQ(csv.text(),
              "\xEF\xBB\xBFItem,Qty\r\n"
              "\"a,b\",\"say \"\"hi\"\"\",\"line\r\nend\",, x \r\n"
              "K\xc3\xa4se,K\xc3\xa4se\r\n");
    EXPECT_EQ(as_utf8("\xe2\x82\xac"), "\xe2\x82\xac");    // the euro sign, valid
    EXPECT_EQ(as_utf8("\xe2\x82"), "\xc3\xa2\xe2\x80\x9a");    // cut short: Windows-1252
    EXPECT_EQ(as_utf8("\xc0\x80"), "\xc3\x80\xe2\x82\xac");    // overlong: Windows-1252
}

}  // namespace
}  // namespace kolibra
