// The reception history through the real programs against k2term: complete,
// broken-off and refused receptions, a history that cannot be written, two
// programs receiving at once, and `tgen receptions` / `tgen records`.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "e2e/support/k2term_process.h"

namespace kolibra {
namespace {

namespace fs = std::filesystem;

const std::vector<std::string> kHeadless = {"QT_QPA_PLATFORM=", "DISPLAY=", "WAYLAND_DISPLAY="};

class ReceptionHistory : public ::testing::Test {
protected:
    void SetUp() override {
        char templ[] = "/tmp/history_e2e_XXXXXX";
        ASSERT_NE(mkdtemp(templ), nullptr);
        dir = templ;
        data_home = dir + "/share";
        history = data_home + "/kolibra/receptions";
    }
    void TearDown() override { fs::remove_all(dir); }

    std::vector<std::string> env(const e2e::K2termProcess* terminal = nullptr) const {
        std::vector<std::string> e = kHeadless;
        e.push_back("XDG_DATA_HOME=" + data_home);
        if (terminal) e.push_back("KOLIBRA_COM1=" + terminal->device_path());
        return e;
    }
    e2e::ProgramResult tgen(const std::vector<std::string>& args,
                            const e2e::K2termProcess* terminal = nullptr) const {
        return e2e::run_program(TGEN_PATH, args, env(terminal), 30000);
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
    // Records "rec 01;1" ... as the terminal holds them, and as a data file
    // holds the first `count`.
    static std::string records(int from, int count, const std::string& tag = "rec") {
        std::string text;
        for (int i = from; i < from + count; ++i) text += tag + " " + std::to_string(100 + i) + ";" + std::to_string(i) + "\r\n";
        return text;
    }
    // The lines of `tgen receptions`.
    std::vector<std::string> listing() const {
        const auto run = tgen({"receptions"});
        EXPECT_EQ(run.exit_status, 0) << run.output;
        std::vector<std::string> lines;
        std::istringstream in(run.output);
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }

    std::string dir, data_home, history;
};

TEST_F(ReceptionHistory, BrokenOffAfter25Of50KeepsExactlyThe25AndSaysSo) {
    write(dir + "/terminal.txt", records(0, 50));
    e2e::K2termProcess terminal;
    ASSERT_TRUE(terminal.start({"--records", dir + "/terminal.txt", "--stop-after", "25"}))
        << terminal.error();
    const std::string data = dir + "/DATA.TXT";
    auto run = tgen({"receive", data}, &terminal);
    EXPECT_EQ(run.exit_status, 1) << run.output;
    // The data file follows the protocol: deleted after the time-out.
    EXPECT_FALSE(fs::exists(data));
    const std::size_t timeout = run.output.find("Error: Time out!");
    const std::size_t told = run.output.find(
        "Reception history: 25 records were received before the reception broke off. They are "
        "kept in the reception history (tgen receptions).");
    ASSERT_NE(timeout, std::string::npos) << run.output;
    ASSERT_NE(told, std::string::npos) << run.output;
    EXPECT_LT(timeout, told);

    const auto lines = listing();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("tgen"), std::string::npos) << lines[0];
    EXPECT_NE(lines[0].find("COM1"), std::string::npos) << lines[0];
    EXPECT_NE(lines[0].find("broken off  25"), std::string::npos) << lines[0];
    // Byte for byte as the data file would have held them.
    run = tgen({"receptions", "export", "1", dir + "/back.txt"});
    EXPECT_EQ(run.exit_status, 0) << run.output;
    EXPECT_EQ(file(dir + "/back.txt"), records(0, 25));
}

TEST_F(ReceptionHistory, CompleteAndRefusedReceptionsAreKeptWithTheirOutcome) {
    write(dir + "/terminal.txt", records(0, 50));
    {
        e2e::K2termProcess terminal;
        ASSERT_TRUE(terminal.start({"--records", dir + "/terminal.txt"})) << terminal.error();
        auto run = tgen({"receive", dir + "/DATA.TXT"}, &terminal);
        EXPECT_EQ(run.exit_status, 0) << run.output;
        EXPECT_EQ(run.output.find("Reception history"), std::string::npos) << run.output;
    }
    {
        e2e::K2termProcess terminal;
        ASSERT_TRUE(terminal.start({"--read-reply", "BUSY"})) << terminal.error();
        auto run = tgen({"receive", dir + "/NONE.TXT"}, &terminal);
        EXPECT_EQ(run.exit_status, 1) << run.output;
    }
    const auto lines = listing();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_NE(lines[0].find("complete    50"), std::string::npos) << lines[0];
    EXPECT_NE(lines[1].find("no data     0"), std::string::npos) << lines[1];
    EXPECT_EQ(file(history + "/000001.txt"), file(dir + "/DATA.TXT"));
    EXPECT_EQ(file(history + "/000002.txt"), "");

    // Deleted entries are gone from the list.
    EXPECT_EQ(tgen({"receptions", "delete", "2"}).exit_status, 0);
    EXPECT_EQ(listing().size(), 1u);
    EXPECT_EQ(tgen({"receptions", "export", "2", dir + "/x.txt"}).exit_status, 2);
}

TEST_F(ReceptionHistory, AHistoryThatCannotBeWrittenDoesNotStopTheReception) {
    write(dir + "/terminal.txt", records(0, 5));
    write(data_home, "a file where the data folder should be");
    e2e::K2termProcess terminal;
    ASSERT_TRUE(terminal.start({"--records", dir + "/terminal.txt"})) << terminal.error();
    auto run = tgen({"receive", dir + "/DATA.TXT"}, &terminal);
    EXPECT_EQ(run.exit_status, 0) << run.output;
    EXPECT_EQ(file(dir + "/DATA.TXT"), records(0, 5));
    EXPECT_NE(run.output.find("Reception history: The reception history could not be written"),
              std::string::npos)
        << run.output;
    EXPECT_NE(run.output.find("Upload Data: Done : 5 records received."), std::string::npos);
}

TEST_F(ReceptionHistory, TwoProgramsReceivingAtOnceKeepTheirOwnRecords) {
    write(dir + "/one.txt", records(0, 40, "one"));
    write(dir + "/two.txt", records(0, 40, "two"));
    e2e::K2termProcess one, two;
    ASSERT_TRUE(one.start({"--records", dir + "/one.txt"})) << one.error();
    ASSERT_TRUE(two.start({"--records", dir + "/two.txt", "--transceiver"})) << two.error();
    e2e::ProgramResult by_tgen, by_irfetch;
    std::thread first([&] { by_tgen = tgen({"receive", dir + "/A.TXT"}, &one); });
    std::thread second([&] {
        by_irfetch = e2e::run_program(IRFETCH_PATH, {dir + "/B.TXT,1,1,1,1,1,0,0"}, env(&two), 30000);
    });
    first.join();
    second.join();
    EXPECT_EQ(by_tgen.exit_status, 0) << by_tgen.output;
    EXPECT_EQ(by_irfetch.exit_status, 1) << by_irfetch.output;

    const auto lines = listing();
    ASSERT_EQ(lines.size(), 2u);
    const std::string a = file(history + "/000001.txt"), b = file(history + "/000002.txt");
    // Whichever started first got number 1; each holds one terminal's records.
    EXPECT_TRUE((a == records(0, 40, "one") && b == records(0, 40, "two")) ||
                (a == records(0, 40, "two") && b == records(0, 40, "one")))
        << a << "\n--\n" << b;
    const std::string both = lines[0] + lines[1];
    EXPECT_NE(both.find("irfetch"), std::string::npos) << both;
    EXPECT_NE(both.find("COM1 IR"), std::string::npos) << both;
}

TEST_F(ReceptionHistory, IrfetchWithMessagesOffStillTellsOnStderr) {
    write(dir + "/terminal.txt", records(0, 10));
    e2e::K2termProcess terminal;
    ASSERT_TRUE(terminal.start({"--records", dir + "/terminal.txt", "--transceiver", "--stop-after", "4"}))
        << terminal.error();
    auto run = e2e::run_program(IRFETCH_PATH, {dir + "/B.TXT,1,1,1,1,1,0,0"}, env(&terminal), 30000);
    EXPECT_EQ(run.exit_status, 3) << run.output;
    EXPECT_EQ(run.output.find("Time out!"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("Reception history: 4 records were received"), std::string::npos)
        << run.output;
    EXPECT_EQ(file(history + "/000001.txt"), records(0, 4));
}

// A template of two forms; records made by `tgen simulate --records`.
TEST_F(ReceptionHistory, SimulatedRecordsComeBackAsColumns) {
    const std::string text = dir + "/shop.txt", atx = dir + "/shop.ATX";
    write(text,
          "start_target = menu 1\n"
          "field_delimiter.1 = \",\"\n"
          "field_delimiter.2 = \"~\"\n"
          "menus.1.items.1.item_name = \"1.Count\"\n"
          "menus.1.items.1.item_next = form 2\n"
          "menus.1.items.2.item_name = \"2.Shelf\"\n"
          "menus.1.items.2.item_next = form 3\n"
          "forms.2.time_stamp = \"hh:mm+\"\n"
          "forms.2.lines.1.data_type = text\n"
          "forms.2.lines.1.prompt = \"Item:\"\n"
          "forms.2.lines.1.initial_on = 1\n"
          "forms.2.lines.1.initial_text = \"A,\\\"B\"\n"
          "forms.2.lines.1.prefix_on = 1\n"
          "forms.2.lines.1.prefix = \"60\"\n"
          "forms.2.lines.2.data_type = integer\n"
          "forms.2.lines.2.prompt = \"Qty:\"\n"
          "forms.2.lines.2.initial_on = 1\n"
          "forms.2.lines.2.initial_text = \"7\"\n"
          "forms.2.lines.2.fixed_length_on = 1\n"
          "forms.2.lines.2.fixed_length = 4\n"
          "forms.2.lines.2.alignment = \"Right aligned (filled with 0)\"\n"
          "forms.3.date_stamp = \"+yyyymmdd\"\n"
          "forms.3.lines.1.data_type = text\n"
          "forms.3.lines.1.prompt = \"Shelf\"\n"
          "forms.3.lines.1.initial_on = 1\n"
          "forms.3.lines.1.initial_text = \"S1\"\n");
    auto run = tgen({"import", text, atx});
    ASSERT_EQ(run.exit_status, 0) << run.output;
    std::string data;
    for (const char* keys : {"7,7,12,12", "7,8,12"}) {
        run = tgen({"simulate", atx, "--keys", keys, "--records", "--time", "2026-12-09T08:07:06"});
        ASSERT_EQ(run.exit_status, 0) << run.output;
        const std::size_t at = run.output.find("record: ");
        ASSERT_NE(at, std::string::npos) << run.output;
        data += run.output.substr(at + 8, run.output.find('\n', at) - at - 8) + "\r\n";
    }
    // The time before the fields ("hh:mm+"), the date after them ("+yyyymmdd").
    ASSERT_EQ(data, "08:07,~<A,\"B,~0007\r\nS1,~20261209\r\n");
    data += "stray line\r\n";
    write(dir + "/DATA.TXT", data);

    run = tgen({"records", dir + "/DATA.TXT", "--template", atx, "--csv", dir + "/out.csv"});
    EXPECT_EQ(run.exit_status, 1) << run.output;
    EXPECT_NE(run.output.find(dir + "/DATA.TXT: line 3: fits no form"), std::string::npos)
        << run.output;
    EXPECT_EQ(file(dir + "/out.form2.csv"), "\xEF\xBB\xBFTime,Item,Qty\r\n08:07,\"A,\"\"B\",7\r\n");
    EXPECT_EQ(file(dir + "/out.form3.csv"), "\xEF\xBB\xBF" "Shelf,Date\r\nS1,2026-12-09\r\n");
    EXPECT_FALSE(fs::exists(dir + "/out.csv"));

    // One form only: the file named.
    write(dir + "/ONE.TXT", "23:59,~<X,~0012\r\n");
    run = tgen({"records", dir + "/ONE.TXT", "--template", atx, "--csv", dir + "/one.csv"});
    EXPECT_EQ(run.exit_status, 0) << run.output;
    EXPECT_EQ(file(dir + "/one.csv"), "\xEF\xBB\xBFTime,Item,Qty\r\n23:59,X,12\r\n");
}

TEST_F(ReceptionHistory, ExportAsColumnsNeedsTheTemplate) {
    write(dir + "/terminal.txt", "4711\r\n");
    e2e::K2termProcess terminal;
    ASSERT_TRUE(terminal.start({"--records", dir + "/terminal.txt"})) << terminal.error();
    ASSERT_EQ(tgen({"receive", dir + "/D.TXT"}, &terminal).exit_status, 0);
    write(dir + "/t.txt", "forms.1.lines.1.data_type = integer\nforms.1.lines.1.prompt = \"Code\"\n");
    ASSERT_EQ(tgen({"import", dir + "/t.txt", dir + "/t.ATX"}).exit_status, 0);
    EXPECT_EQ(tgen({"receptions", "export", "1", dir + "/r.csv"}).exit_status, 2);
    auto run = tgen({"receptions", "export", "1", dir + "/r.csv", "--template", dir + "/t.ATX"});
    EXPECT_EQ(run.exit_status, 0) << run.output;
    EXPECT_EQ(file(dir + "/r.csv"), "\xEF\xBB\xBF" "Code\r\n4711\r\n");
}

}  // namespace
}  // namespace kolibra
