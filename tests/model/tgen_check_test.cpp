// tgen check run as the built program: its lines, its exit status, and the
// line limit of a lookup download applied to a lookup data file.
#include "model/template_file.h"
#include "model/text_slot.h"
#include "model_test_util.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>
#include <sys/wait.h>

#ifdef TGEN_PATH

namespace kolibra {
namespace {

struct CheckRun {
    int status = -1;
    std::string out, err;
};

CheckRun run_check(const test::ScratchDir& dir, const std::string& args) {
    const std::string out = dir.file("out.txt"), err = dir.file("err.txt");
    const std::string command = std::string("'") + TGEN_PATH + "' check " + args + " >'" + out +
                                "' 2>'" + err + "'";
    const int raw = std::system(command.c_str());
    const test::Bytes o = test::read_bytes(out), e = test::read_bytes(err);
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, std::string(o.begin(), o.end()),
            std::string(e.begin(), e.end())};
}

void write_text(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::string q(const std::string& path) { return "'" + path + "'"; }

TEST(TgenCheck, ReportsFindingsAndExitsByTheWorstOfThem) {
    test::ScratchDir dir;
    auto t = std::make_unique<Template>();
    reset_template(*t);
    // Form 1 takes a code; it links line 1 to a lookup field, but names no file.
    FormRecord& f = t->forms[0];
    f.data_type[0] = 1;
    write_slot(f.prompt[0], "Code:");
    f.max_length[0] = 8;
    f.lookup_link[0] = 1;
    const std::string bad = dir.file("bad.ATX");
    ASSERT_TRUE(write_template(bad, *t).ok());

    CheckRun run = run_check(dir, q(bad));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, bad + ": form 1 line 1: error: a lookup link on a form whose lookup file is "
                             "\"nil\"\n");

    // Mended, with a warning only: exit 0.
    f.lookup_link[0] = 0;
    f.fixed_length_on[0] = 1;
    f.fixed_length[0] = 6;
    const std::string good = dir.file("good.ATX");
    ASSERT_TRUE(write_template(good, *t).ok());
    run = run_check(dir, q(good));
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, good + ": form 1 line 1: warning: fixed length 6 is shorter than the maximum "
                              "length 8: longer data is cut\n");

    // Unreadable inputs: exit 2 and nothing on stdout.
    EXPECT_EQ(run_check(dir, q(dir.file("none.ATX"))).status, 2);
    write_text(dir.file("short.ATX"), "QRV-4.00");
    EXPECT_EQ(run_check(dir, q(dir.file("short.ATX"))).status, 2);
    run = run_check(dir, q(good) + " --lookup 1=" + q(dir.file("none.TXT")));
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    for (const char* args : {"other.ATX", "--lookup", "--lookup 0=x.TXT", "--lookup 4=x.TXT", "--lookup 1=",
                             "--bogus"}) {
        EXPECT_EQ(run_check(dir, std::string(args) + (args[0] ? " " : "") + q(good)).status, 2)
            << args;
    }
}

TEST(TgenCheck, LookupLinesAreHeldToWhatTheDownloadSends) {
    test::ScratchDir dir;
    auto t = std::make_unique<Template>();
    reset_template(*t);
    FormRecord& f = t->forms[0];
    f.data_type[0] = 7;  // lookup
    f.lookup_link[0] = 1;
    f.lookup_file = 1;
    f.data_type[1] = 1;
    f.max_length[1] = 5;
    LookupRecord& l = t->lookups[0];
    l.field_count = 2;
    l.field_length[0] = 2;
    l.field_length[1] = 250;
    l.member_length = 253;  // what the editor derives modulo 256 is beside the point here
    t->extended.lookup_delimiter[0] = ';';
    const std::string tpl = dir.file("t.ATX");
    ASSERT_TRUE(write_template(tpl, *t).ok());
    const std::string data = dir.file("items.TXT");

    write_text(data, "ab;" + std::string(250, 'x') + "\r\n");  // 253 bytes
    CheckRun run = run_check(dir, q(tpl) + " --lookup 1=" + q(data));
    EXPECT_EQ(run.out.find(data), std::string::npos) << run.out;

    write_text(data, "ab;" + std::string(250, 'x') + "\r\nab;" + std::string(251, 'x') + "\r\n");
    run = run_check(dir, q(tpl) + " --lookup 1=" + q(data));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find(data + ": line 2: error: 254 bytes, longer than the 253 a lookup "
                                  "download sends"),
              std::string::npos)
        << run.out;
}

}  // namespace
}  // namespace kolibra

#endif
