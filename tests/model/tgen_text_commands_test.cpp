// tgen export, import and diff, run as the built program.
#include "model/template_file.h"
#include "model/text_slot.h"
#include "model_test_util.h"
#include "support/program_run.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#ifdef TGEN_PATH

namespace kolibra {
namespace {

using test::Bytes;
using test::read_bytes;
using test::write_bytes;

using test::ProgramRun;

ProgramRun tgen(const test::ScratchDir& dir, const std::string& args) {
    return test::run_program(TGEN_PATH, args, dir.file("stderr.txt"));
}

std::string q(const std::string& path) { return "'" + path + "'"; }

void write_text(const std::string& path, const std::string& text) {
    write_bytes(path, Bytes(text.begin(), text.end()));
}

std::string read_text(const std::string& path) {
    const Bytes b = read_bytes(path);
    return std::string(b.begin(), b.end());
}

TEST(TgenText, ExportThenImportGivesTheSavedBytes) {
    test::ScratchDir dir;
    const std::string fresh = dir.file("fresh.ATX");
    ASSERT_EQ(0, tgen(dir, "new " + q(fresh)).status);

    const ProgramRun to_stdout = tgen(dir, "export " + q(fresh));
    ASSERT_EQ(0, to_stdout.status) << to_stdout.err;
    ASSERT_EQ(0, tgen(dir, "export " + q(fresh) + " " + q(dir.file("fresh.txt"))).status);
    EXPECT_EQ(to_stdout.out, read_text(dir.file("fresh.txt")));
    EXPECT_NE(std::string::npos, to_stdout.out.find("\nforms.2.next_target = form  2\n"));

    const ProgramRun back = tgen(dir, "import " + q(dir.file("fresh.txt")) + " " + q(dir.file("back.ATX")));
    ASSERT_EQ(0, back.status) << back.err;
    EXPECT_EQ(read_bytes(fresh), read_bytes(dir.file("back.ATX")));
}

TEST(TgenText, AHandWrittenMenuAndFormPlayAsWritten) {
    test::ScratchDir dir;
    write_text(dir.file("stock.txt"),
               "# A stock count: menu 1 leads to form 2\n"
               "start_target = menu 1\n"
               "menus.1.caption_on = 1\n"
               "menus.1.caption = \"STOCK\"\n"
               "menus.1.items.1.item_name = \"1.Count\"\n"
               "menus.1.items.1.item_next = form 2\n"
               "forms.2.esc_target = menu 1\n"
               "forms.2.lines.1.data_type = text\n"
               "forms.2.lines.1.prompt = \"Item:\"\n"
               "forms.2.lines.2.data_type = integer\n"
               "forms.2.lines.2.prompt = \"Qty:\"\n");
    const std::string tpl = dir.file("stock.ATX");
    const ProgramRun imported = tgen(dir, "import " + q(dir.file("stock.txt")) + " " + q(tpl));
    ASSERT_EQ(0, imported.status) << imported.err;

    // Collect data shows menu 1; its item 1 opens form 2; type 12, Enter, 3.
    ProgramRun run = tgen(dir, "simulate " + q(tpl) + " --keys 7");
    EXPECT_EQ("screen=MenuScreen target=11 highlight=2 cursor=0,0 alpha=0 counter=0\n"
              "|STOCK|\n|1.Count|\n||\n||\n||\n||\n||\n||\n",
              run.out);
    run = tgen(dir, "simulate " + q(tpl) + " --keys 7,7,7,8,12,9");
    EXPECT_EQ("screen=FormScreen target=2 highlight=0 cursor=1,5 alpha=0 counter=0\n"
              "|Item:12|\n|Qty:3|\n||\n||\n||\n||\n||\n||\n",
              run.out);
}

TEST(TgenText, ARefusedTextWritesNothing) {
    test::ScratchDir dir;
    write_text(dir.file("bad.txt"), "start_target = menu 1\n\nforms.1.font = huge\nforms.2.font = large\n");
    const ProgramRun refused = tgen(dir, "import " + q(dir.file("bad.txt")) + " " + q(dir.file("new.ATX")));
    EXPECT_EQ(1, refused.status);
    EXPECT_NE(std::string::npos, refused.err.find("line 3: forms.1.font: \"huge\" is not an entry")) << refused.err;
    EXPECT_TRUE(read_bytes(dir.file("new.ATX")).empty()) << "no template written";

    const std::string existing = dir.file("kept.ATX");
    ASSERT_EQ(0, tgen(dir, "new " + q(existing)).status);
    const Bytes before = read_bytes(existing);
    EXPECT_EQ(1, tgen(dir, "import " + q(dir.file("bad.txt")) + " " + q(existing)).status);
    EXPECT_EQ(before, read_bytes(existing));

    EXPECT_EQ(1, tgen(dir, "import " + q(dir.file("none.txt")) + " " + q(existing)).status);
    write_text(dir.file("ok.txt"), "start_target = menu 1\n");
    EXPECT_EQ(1, tgen(dir, "import " + q(dir.file("ok.txt")) + " " + q(dir.file("no/dir.ATX"))).status);
    EXPECT_EQ(2, tgen(dir, "import " + q(dir.file("ok.txt"))).status);
    EXPECT_EQ(2, tgen(dir, "export").status);
    EXPECT_EQ(1, tgen(dir, "export " + q(dir.file("none.ATX"))).status);
}

TEST(TgenText, DiffExitsZeroOneOrTwo) {
    test::ScratchDir dir;
    const std::string a = dir.file("a.ATX");
    const std::string b = dir.file("b.ATX");
    auto t = std::make_unique<Template>();
    reset_template(*t);
    write_slot(t->forms[1].prompt[2], "Qty");
    ASSERT_TRUE(write_template(a, *t).ok());
    ASSERT_TRUE(write_template(b, *t).ok());

    ProgramRun run = tgen(dir, "diff " + q(a) + " " + q(b));
    EXPECT_EQ(0, run.status);
    EXPECT_EQ("", run.out);

    write_slot(t->forms[1].prompt[2], "Count");
    t->start_target = 1;
    ASSERT_TRUE(write_template(b, *t).ok());
    run = tgen(dir, "diff " + q(a) + " " + q(b));
    EXPECT_EQ(1, run.status);
    EXPECT_EQ("start_target: form 1 -> menu 1\nforms.2.lines.3.prompt: \"Qty\" -> \"Count\"\n", run.out);

    Bytes wrong = read_bytes(a);
    std::memcpy(wrong.data(), "QRV-5.00", 8);
    write_bytes(dir.file("wrong.ATX"), wrong);
    run = tgen(dir, "diff " + q(a) + " " + q(dir.file("wrong.ATX")));
    EXPECT_EQ(2, run.status);
    EXPECT_NE(std::string::npos, run.err.find("Format mismatch !!!"));
    EXPECT_EQ(2, tgen(dir, "diff " + q(a) + " " + q(dir.file("none.ATX"))).status);
    EXPECT_EQ(2, tgen(dir, "diff " + q(a)).status);
}

}  // namespace
}  // namespace kolibra

#endif  // TGEN_PATH
