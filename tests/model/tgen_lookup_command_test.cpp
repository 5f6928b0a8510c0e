// tgen lookup run as the built program: the lookup file it writes, what it
// says, its exit status, and that a refused line leaves the old file alone.
#include "model/template_file.h"
#include "model_test_util.h"
#include "support/program_run.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>

#ifdef TGEN_PATH

namespace kolibra {
namespace {

std::string text_of(const std::string& path) {
    const test::Bytes b = test::read_bytes(path);
    return std::string(b.begin(), b.end());
}

TEST(TgenLookup, WritesCountsAndRefusesWithoutWriting) {
    test::ScratchDir dir;
    // The 1st lookup file: delimited by ';', Code 6 and Name 10, key Code.
    auto t = std::make_unique<Template>();
    reset_template(*t);
    t->lookups[0] = {17, 2, 0, {1, 8}, {6, 10}};
    t->extended.lookup_delimiter[0] = ';';
    const std::string tpl = dir.file("t.ATX"), csv = dir.file("items.csv"),
                      out = dir.file("ITEMS.TXT"), err = dir.file("err.txt");
    ASSERT_TRUE(write_template(tpl, *t).ok());
    const auto lookup = [&](const std::string& options) {
        return test::run_program(TGEN_PATH, "lookup '" + tpl + "' 1 '" + csv + "' '" + out + "' " + options,
                                 err);
    };

    std::ofstream(csv, std::ios::binary)
        << "\xEF\xBB\xBF" "Name,Code\r\n\"Figs, red\",4711\r\nCr\xC3\xA8me,4712\r\n";
    test::ProgramRun run = lookup("--columns Code,Name");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, out + ": 2 lines written, 0 cut, 0 refused\n");
    EXPECT_EQ(text_of(out), "4711;Figs, red\r\n4712;Creme\r\n");
    run = test::run_program(TGEN_PATH, "check '" + tpl + "' --lookup 1='" + out + "'", err);
    EXPECT_EQ(run.status, 0) << run.out;

    // A name one over its length: refused and named; the old file stays.
    std::ofstream(csv, std::ios::binary) << "Name,Code\r\nPears,4713\r\nWatermelons,4714\r\n";
    run = lookup("--columns Code,Name");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, csv + ": line 3, column 1 (Name): 11 characters, more than the 10 of field 2\n" +
                           out + ": nothing written: 1 line refused (1 line would be written, 0 cut)\n");
    EXPECT_EQ(text_of(out), "4711;Figs, red\r\n4712;Creme\r\n");

    run = lookup("--columns 2,1 --cut");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, out + ": 2 lines written, 1 cut, 0 refused\n");
    EXPECT_EQ(text_of(out), "4713;Pears\r\n4714;Watermelon\r\n");

    // Tab separated, no header, given separator.
    std::ofstream(csv, std::ios::binary) << "1\tA\n2\tB\n";
    run = lookup("--no-header --separator tab");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(text_of(out), "1;A\r\n2;B\r\n");

    // Inputs that cannot be used: 2, and the file is left as it was.
    for (const std::string& args :
         {"lookup '" + tpl + "' 4 '" + csv + "' '" + out + "'",
          "lookup '" + tpl + "' 1 '" + dir.file("none.csv") + "' '" + out + "'",
          "lookup '" + tpl + "' 2 '" + csv + "' '" + out + "'",  // 2nd file not described
          "lookup '" + tpl + "' 1 '" + csv + "' '" + out + "' --columns Code",
          "lookup '" + tpl + "' 1 '" + csv + "' '" + out + "' --separator",
          "lookup '" + tpl + "' 1 '" + csv + "'"}) {
        run = test::run_program(TGEN_PATH, args, err);
        EXPECT_EQ(run.status, 2) << args;
        EXPECT_FALSE(run.err.empty()) << args;
        EXPECT_EQ(text_of(out), "1;A\r\n2;B\r\n") << args;
    }
}

}  // namespace
}  // namespace kolibra

#endif
