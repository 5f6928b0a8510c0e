// tgen new and tgen image, run as the built program.
#include "model_test_util.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <sys/wait.h>

#ifdef TGEN_PATH

namespace kolibra {
namespace {

using test::Bytes;
using test::read_bytes;
using test::slice;
using test::text_z;

struct TgenRun {
    int status;
    std::string err;
};

// Runs tgen with `args` (already quoted), keeping its stderr.
TgenRun run_tgen(const test::ScratchDir& dir, const std::string& args) {
    const std::string err_file = dir.file("stderr.txt");
    const std::string command =
        std::string("'") + TGEN_PATH + "' " + args + " >/dev/null 2>'" + err_file + "'";
    const int raw = std::system(command.c_str());
    const Bytes err = read_bytes(err_file);
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, std::string(err.begin(), err.end())};
}

std::string q(const std::string& path) { return "'" + path + "'"; }

TEST(Tgen, NewThenImage) {
    test::ScratchDir dir;
    const std::string tpl = dir.file("plan.ATX");
    const std::string image = dir.file("plan.BIN");

    ASSERT_EQ(0, run_tgen(dir, "new " + q(tpl)).status);
    const Bytes file = read_bytes(tpl);
    ASSERT_EQ(10596u, file.size());
    EXPECT_EQ(Bytes({'Q', 'R', 'V', '-', '4', '.', '0', '0'}), slice(file, 0, 8));

    const TgenRun made = run_tgen(dir, "image " + q(tpl) + " " + q(image));
    ASSERT_EQ(0, made.status) << made.err;
    const Bytes bin = read_bytes(image);
    ASSERT_EQ(10500u, bin.size());
    EXPECT_EQ(1, bin[0]);
    EXPECT_EQ(Bytes({0x9B, 0xC9, 0x00, 0x01, 0x00, 0x2D, 0x54, 0x80, 0x00, 0x19, 0x3D, 0x00,
                     0xFF, 0x01, 0xFE, 0x01, 0xFF, 0x01, 0xFF, 0x01, 0x66, 0x03, 0x03, 0x00}),
              slice(bin, 1, 24));
    EXPECT_EQ(text_z("   Kolibra 2   "), slice(bin, 8594, 16));
}

TEST(Tgen, ErrorsGoToStderrWithAFailingStatus) {
    test::ScratchDir dir;
    const std::string bad = dir.file("bad.ATX");
    Bytes wrong(10596, 0);
    std::memcpy(wrong.data(), "qrv-4.00", 8);
    test::write_bytes(bad, wrong);

    const TgenRun mismatch = run_tgen(dir, "image " + q(bad) + " " + q(dir.file("x.BIN")));
    EXPECT_NE(0, mismatch.status);
    EXPECT_NE(std::string::npos, mismatch.err.find("Format mismatch !!!")) << mismatch.err;
    EXPECT_TRUE(read_bytes(dir.file("x.BIN")).empty()) << "no image written";

    const TgenRun missing = run_tgen(dir, "image " + q(dir.file("none.ATX")) + " " + q(dir.file("y.BIN")));
    EXPECT_NE(0, missing.status);
    EXPECT_NE(std::string::npos, missing.err.find("none.ATX")) << missing.err;

    const TgenRun unwritable = run_tgen(dir, "new " + q(bad + "/sub.ATX"));
    EXPECT_NE(0, unwritable.status);
    EXPECT_FALSE(unwritable.err.empty());

    EXPECT_NE(0, run_tgen(dir, "new").status);
    EXPECT_NE(0, run_tgen(dir, "image " + q(bad)).status);
    EXPECT_NE(0, run_tgen(dir, "new a.ATX b.ATX").status);
}

TEST(Tgen, HelpListsTheSubcommands) {
    test::ScratchDir dir;
    const std::string out = dir.file("help.txt");
    const std::string command = std::string("'") + TGEN_PATH + "' --help >'" + out + "'";
    ASSERT_EQ(0, std::system(command.c_str()));
    const Bytes text = read_bytes(out);
    const std::string help(text.begin(), text.end());
    EXPECT_NE(std::string::npos, help.find("new TEMPLATE.ATX"));
    EXPECT_NE(std::string::npos, help.find("image TEMPLATE.ATX IMAGE.BIN"));
}

}  // namespace
}  // namespace kolibra

#endif  // TGEN_PATH
