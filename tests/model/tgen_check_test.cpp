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

TEST(TgenCheck, PrintsFindingsAndExitsByTheWorstOfThem) {
    test::ScratchDir dir;
    const auto check = [&](const std::string& args, std::string* out = nullptr) {
        const std::string out_file = dir.file("out.txt");
        const int raw = std::system((std::string("'") + TGEN_PATH + "' check " + args + " >'" +
                                     out_file + "' 2>/dev/null").c_str());
        const test::Bytes o = test::read_bytes(out_file);
        if (out) *out = std::string(o.begin(), o.end());
        return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    };
    // Form 1 shows field 1 of the delimited 1st lookup file (two fields),
    // then takes a quantity whose fixed length cuts it (a warning only).
    auto t = std::make_unique<Template>();
    reset_template(*t);
    FormRecord& f = t->forms[0];
    f.data_type[0] = 7;
    f.lookup_link[0] = 1;
    f.lookup_file = 1;
    f.data_type[1] = 2;
    f.max_length[1] = 5;
    f.fixed_length_on[1] = 1;
    f.fixed_length[1] = 4;
    t->lookups[0] = {23, 2, 0, {}, {2, 20}};
    t->extended.lookup_delimiter[0] = ';';
    const std::string tpl = dir.file("t.ATX"), data = dir.file("items.TXT");
    ASSERT_TRUE(write_template(tpl, *t).ok());
    const std::string warning = tpl + ": form 1 line 2: warning: fixed length 4 is shorter than the "
                                      "maximum length 5: longer data is cut\n";

    std::string out;
    std::ofstream(data, std::ios::binary) << "ab;pears\r\n";
    EXPECT_EQ(check("'" + tpl + "' --lookup 1='" + data + "'", &out), 0);
    EXPECT_EQ(out, warning);

    // The download sends lines of up to 253 bytes. (A delimited member of
    // 253 is itself above the 250 the terminal takes: told for the template.)
    const std::string too_long = tpl + ": lookup file 1: error: the fields with their delimiters "
                                       "make a member length of 253; the terminal takes at most 250\n";
    t->lookups[0] = {253, 2, 0, {}, {2, 250}};
    ASSERT_TRUE(write_template(tpl, *t).ok());
    std::ofstream(data, std::ios::binary) << "ab;" + std::string(250, 'x') + "\r\n";
    EXPECT_EQ(check("'" + tpl + "' --lookup 1='" + data + "'", &out), 1);
    EXPECT_EQ(out, warning + too_long);
    std::ofstream(data, std::ios::binary) << "ab;" + std::string(251, 'x') + "\r\n";
    EXPECT_EQ(check("'" + tpl + "' --lookup 1='" + data + "'", &out), 1);
    EXPECT_EQ(out, warning + too_long + data + ": line 1: error: 254 bytes, longer than the 253 a "
                                               "lookup download sends: the download refuses the file\n");

    f.lookup_file = 0;
    ASSERT_TRUE(write_template(tpl, *t).ok());
    EXPECT_EQ(check("'" + tpl + "'", &out), 1);
    EXPECT_EQ(out, tpl + ": form 1 line 1: error: a \"lookup\" line on a form whose lookup file is "
                         "\"nil\"\n" + warning + too_long);

    // Inputs that cannot be read, or a command line that names none: 2, nothing printed.
    for (const std::string& args : {"'" + dir.file("none.ATX") + "'", "'" + tpl + "' --lookup 1=" +
                                    dir.file("none.TXT"), "'" + tpl + "' --lookup 1=" + dir.file("."),
                                    // An endless device is cut off, not read for ever.
                                    "'" + tpl + "' --lookup 1=/dev/zero",
                                    "'" + tpl + "' --lookup 4=x.TXT",
                                    std::string("--lookup 1=x.TXT"), "'" + tpl + "' --bogus"}) {
        EXPECT_EQ(check(args, &out), 2) << args;
        EXPECT_EQ(out, "") << args;
    }
}

}  // namespace
}  // namespace kolibra

#endif
