// `tgen simulate` run as a program on templates made by `tgen new` and by the test.
#include "model/template_file.h"
#include "model/text_slot.h"
#include "support/program_run.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

namespace kolibra {
namespace {

using test::ProgramRun;

class SimulateCommand : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/tgen_simulate_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
    }
    void TearDown() override {
        std::remove((dir_ + "/err.txt").c_str());
        std::remove((dir_ + "/new.atx").c_str());
        std::remove((dir_ + "/made.atx").c_str());
        rmdir(dir_.c_str());
    }

    // Runs tgen with `args` (already quoted for the shell).
    ProgramRun tgen(const std::string& args) {
        return test::run_program(TGEN_PATH, args, dir_ + "/err.txt");
    }

    std::string new_template() {
        const std::string path = dir_ + "/new.atx";
        EXPECT_EQ(tgen("new '" + path + "'").status, 0);
        return path;
    }

    std::string dir_;
};

TEST_F(SimulateCommand, FreshTemplateStartsOnTheMainPage) {
    const std::string path = new_template();
    const ProgramRun run = tgen("simulate '" + path + "' --keys ''");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out,
              "screen=MainScreen target=0 highlight=1 cursor=0,0 alpha=0 counter=0\n"
              "|1.Collect data |\n"
              "|2.Upload data  |\n"
              "|3.Utilities    |\n"
              "|               |\n"
              "||\n||\n||\n||\n");
    EXPECT_EQ(run.err, "");
}

TEST_F(SimulateCommand, WalksTheUtilityMenuAndReportsTheMissingProgram) {
    const std::string path = new_template();
    ProgramRun run = tgen("simulate '" + path + "' --keys 9,16,16,17,t25");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out,
              "screen=UtilityScreen target=0 highlight=3 cursor=0,0 alpha=0 counter=0\n"
              "|1. System Settings  |\n"
              "|2. Browse Data      |\n"
              "|3. Delete Data      |\n"
              "|4. Reading Test     |\n"
              "|5. Set Date & Time  |\n"
              "|6. Download Program |\n"
              "|7. Memory & Battery |\n"
              "||\n");

    run = tgen("simulate '" + path + "' --keys 7");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "No executable program: Please define your program!\n");
    EXPECT_EQ(run.out.substr(0, run.out.find('\n')),
              "screen=MainScreen target=0 highlight=1 cursor=0,0 alpha=0 counter=0");
}

TEST_F(SimulateCommand, PlaysADesignedFormWithLettersAndAFixedTime) {
    auto tpl = std::make_unique<Template>();
    reset_template(*tpl);
    FormRecord& f = tpl->forms[0];
    f.data_type[0] = 1;  // text
    write_slot(f.prompt[0], "Name:");
    f.max_length[0] = 10;
    f.data_type[1] = 11;  // pass down
    f.record_action = 3;
    f.next_target = 1;
    f.date_stamp = 4;  // +yyyymmdd
    f.time_stamp = 4;  // +hhmm
    tpl->field_delimiter[0] = '-';
    const std::string path = dir_ + "/made.atx";
    ASSERT_TRUE(write_template(path, *tpl).ok());

    // Start, Alpha on, M N (key 5 twice), wait for the letter, Alpha off, digit 1.
    ProgramRun run = tgen("simulate '" + path + "' --keys 7,17,5,5,t7,17,7 --time 2026-12-09T08:07:06");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out,
              "screen=FormScreen target=1 highlight=0 cursor=0,7 alpha=0 counter=0\n"
              "|Name:N1|\n||\n||\n||\n||\n||\n||\n||\n");

    // Completing the form passes its record down to itself.
    run = tgen("simulate '" + path + "' --keys 7,1,12 --time 2026-12-09T08:07:06");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out,
              "screen=FormScreen target=1 highlight=0 cursor=0,5 alpha=0 counter=1\n"
              "|Name:|\n|7-20261209-0807|\n||\n||\n||\n||\n||\n||\n");

    // A wrong character leaves the error page on the lower half.
    f.data_type[0] = 2;  // integer
    ASSERT_TRUE(write_template(path, *tpl).ok());
    run = tgen("simulate '" + path + "' --keys 7,17,1,t7");
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("screen=ErrorScreen target=1 highlight=0 cursor=0,5 alpha=1 counter=0\n"),
              std::string::npos);
    EXPECT_NE(run.out.find("|********************|\n|Data type is wrong! |\n|Press any key...    |\n"
                           "|********************|\n"),
              std::string::npos);
}

TEST_F(SimulateCommand, RecordsPrintsTheRecordOfEveryCompletedForm) {
    auto tpl = std::make_unique<Template>();
    reset_template(*tpl);
    // Form 1 ("save"): four fixed-length fields, one per alignment, a longer
    // one cut, code-list and literal prefixes and suffixes, the date before
    // the data and the time after it.
    FormRecord& f = tpl->forms[0];
    const struct {
        const char* initial;
        int fixed, alignment;
    } lines[] = {{"AB", 5, 0}, {"7", 4, 1}, {"C", 3, 2}, {"12", 4, 3}, {"LONGER", 2, 0}};
    for (int i = 0; i < 5; ++i) {
        f.data_type[i] = 1;  // text
        f.max_length[i] = 10;
        f.initial_on[i] = 1;
        write_slot(f.initial_text[i], lines[i].initial);
        f.fixed_length_on[i] = 1;
        f.fixed_length[i] = static_cast<uint8_t>(lines[i].fixed);
        f.alignment[i] = static_cast<uint8_t>(lines[i].alignment);
    }
    f.prefix_on[0] = 1;
    write_slot(f.prefix[0], "60  61");  // the codes of '<' and '='
    f.suffix_on[1] = 1;
    write_slot(f.suffix[1], "#");  // literal
    f.suffix_on[3] = 1;
    write_slot(f.suffix[3], "62");  // '>'
    f.data_type[5] = 6;  // a prompt line is no field
    write_slot(f.prompt[5], "shown only");
    f.date_stamp = 7;  // yyyy/mm/dd+
    f.time_stamp = 3;  // +hhmmss
    f.record_action = 0;
    f.next_target = 2;
    // Form 2 ("output record"): one field, the short time before it.
    FormRecord& g = tpl->forms[1];
    g.data_type[0] = 1;
    g.max_length[0] = 10;
    g.initial_on[0] = 1;
    write_slot(g.initial_text[0], "Q");
    g.time_stamp = 8;  // hhmm+
    g.record_action = 4;
    g.next_target = 0;
    tpl->field_delimiter[0] = ',';
    tpl->field_delimiter[1] = '~';
    const std::string path = dir_ + "/made.atx";
    ASSERT_TRUE(write_template(path, *tpl).ok());

    ProgramRun run = tgen("simulate '" + path + "' --keys 7,12,12,12,12,12,12 --records "
                          "--time 2026-12-09T08:07:06");
    EXPECT_EQ(run.status, 0);
    const std::size_t records = run.out.find("record: ");
    ASSERT_NE(records, std::string::npos) << run.out;
    EXPECT_EQ(run.out.substr(0, run.out.find('\n')),
              "screen=MainScreen target=0 highlight=1 cursor=0,0 alpha=0 counter=2");
    EXPECT_EQ(run.out.substr(records),
              "record: 2026/12/09,~<=AB   ,~   7#,~C00,~0012>,~LO,~080706\n"
              "record: 0807,~Q\n");

    // Without the option, or with nothing completed, no record line.
    run = tgen("simulate '" + path + "' --keys 7,12,12,12,12,12,12");
    EXPECT_EQ(run.out.find("record: "), std::string::npos);
    run = tgen("simulate '" + path + "' --keys 7 --records");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.find("record: "), std::string::npos);
}

TEST_F(SimulateCommand, TypeAndScanPlayInCommandLineOrderAsTheClicksWould) {
    auto tpl = std::make_unique<Template>();
    reset_template(*tpl);
    FormRecord& f = tpl->forms[0];
    f.data_type[0] = 1;  // text
    write_slot(f.prompt[0], "Item:");
    f.max_length[0] = 10;
    f.data_type[1] = 2;  // integer
    write_slot(f.prompt[1], "Qty:");
    f.max_length[1] = 4;
    f.input_source[1] = 2;  // both
    f.auto_enter[0] = 0;    // No
    f.auto_enter[1] = 0;
    f.date_stamp = 0;
    f.time_stamp = 0;
    f.next_target = 0;
    tpl->field_delimiter[0] = ',';
    tpl->field_delimiter[1] = '~';
    const std::string path = dir_ + "/made.atx";
    ASSERT_TRUE(write_template(path, *tpl).ok());
    const std::string done =
        // The main page leaves the cursor where the form had it.
        "screen=MainScreen target=0 highlight=1 cursor=1,5 alpha=0 counter=1\n"
        "|1.Collect data |\n|2.Upload data  |\n|3.Utilities    |\n|               |\n"
        "||\n||\n||\n||\n"
        "record: AB,~7\n";

    // The clicks: start, Alpha, A, wait, B B, Enter, Alpha off, 7, Enter.
    ProgramRun run = tgen("simulate '" + path + "' --keys 7,17,1,t7,1,1,12,17,1,12 --records");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, done);
    run = tgen("simulate '" + path + "' --keys 7 --type AB --keys 12 --type 7 --keys 12 --records");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, done);
    run = tgen("simulate '" + path + "' --keys 7 --scan AB --keys 12 --scan 7 --keys 12 --records");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, done);

    // With Scan+ENTER the scans alone complete the record; a keypad-only
    // line refuses the scan, says so and leaves the form waiting.
    f.auto_enter[0] = 1;
    f.auto_enter[1] = 1;
    ASSERT_TRUE(write_template(path, *tpl).ok());
    run = tgen("simulate '" + path + "' --keys 7 --scan AB --scan 7 --records");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, done);
    f.input_source[1] = 1;  // keypad
    ASSERT_TRUE(write_template(path, *tpl).ok());
    run = tgen("simulate '" + path + "' --keys 7 --scan AB --scan 7 --records");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "tgen simulate: scan refused: This line takes keypad input only.\n");
    EXPECT_EQ(run.out,
              "screen=FormScreen target=1 highlight=0 cursor=1,4 alpha=0 counter=0\n"
              "|Item:AB|\n|Qty:|\n||\n||\n||\n||\n||\n||\n");

    // Letters off a form cannot be typed.
    run = tgen("simulate '" + path + "' --type A");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "tgen simulate: cannot type 'A' on MainScreen\n");
}

TEST_F(SimulateCommand, HelpPrintsTheUsage) {
    const ProgramRun run = tgen("simulate --help");
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("--type TEXT"), std::string::npos);
    EXPECT_NE(run.out.find("--scan TEXT"), std::string::npos);
}

TEST_F(SimulateCommand, RefusesOddCommandLines) {
    const std::string path = new_template();
    const char* bad[] = {
        "simulate",
        "simulate 'PATH'",
        "simulate 'PATH' --keys 21",
        "simulate 'PATH' --keys 0",
        "simulate 'PATH' --keys 50",
        "simulate 'PATH' --keys 7,,8",
        "simulate 'PATH' --keys t",
        "simulate 'PATH' --keys t-3",
        "simulate 'PATH' --keys 99999999999999999999",
        "simulate 'PATH' --keys 7 --time 2026-02-30T10:00:00",
        "simulate 'PATH' --keys 7 --time 2026-03-07",
        "simulate 'PATH' --keys 7 --bogus",
        "simulate 'PATH' --keys 7 --records --records",
        "simulate 'PATH' --records",
        "simulate 'PATH' --type",
        "simulate 'PATH' --type 'A#'",
        "simulate 'PATH' --keys 7 --scan",
    };
    for (const char* args : bad) {
        std::string line = args;
        const auto at = line.find("PATH");
        if (at != std::string::npos) line.replace(at, 4, path);
        const ProgramRun run = tgen(line);
        EXPECT_EQ(run.status, 2) << args;
        EXPECT_EQ(run.out, "") << args;
        EXPECT_NE(run.err, "") << args;
    }
    const ProgramRun missing = tgen("simulate '" + dir_ + "/none.atx' --keys 7");
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.out, "");
}

}  // namespace
}  // namespace kolibra
