// Reading and writing the .ATX template file.
#include "model/factory_values.h"
#include "model/template_file.h"
#include "model/text_slot.h"
#include "model_test_util.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kolibra {
namespace {

using test::Bytes;
using test::read_bytes;
using test::slice;
using test::text_z;
using test::write_bytes;

// A file image in which every block byte differs from the factory values.
Bytes patterned_file(const char* tag) {
    Bytes b(kTemplateFileSize, 0);
    std::memcpy(b.data(), tag, 8);
    for (std::size_t i = 8; i < 10510; ++i) b[i] = static_cast<uint8_t>(i * 7 + 3);
    return b;
}

struct TemplateFile : ::testing::Test {
    void SetUp() override {
        reset_template(doc->tpl);
        doc->file_name = "previous.ATX";
        doc->modified = true;
    }
    // The document must be exactly as before a refused read.
    void expect_unchanged(const TemplateDocument& before) const {
        EXPECT_TRUE(test::same_bytes(before.tpl, doc->tpl));
        EXPECT_EQ(before.file_name, doc->file_name);
        EXPECT_EQ(before.modified, doc->modified);
    }

    test::ScratchDir dir;
    std::unique_ptr<TemplateDocument> doc = std::make_unique<TemplateDocument>();
};

TEST_F(TemplateFile, SavedFreshTemplateHasTagTrailerAndRoundTrips) {
    const std::string first = dir.file("fresh.ATX");
    ASSERT_TRUE(write_template(first, doc->tpl).ok());
    const Bytes saved = read_bytes(first);
    ASSERT_EQ(10596u, saved.size());
    EXPECT_EQ(Bytes({'Q', 'R', 'V', '-', '4', '.', '0', '0'}), slice(saved, 0, 8));
    EXPECT_EQ(Bytes(86, 0), slice(saved, 10510, 86));

    auto opened = std::make_unique<TemplateDocument>();
    opened->modified = true;
    const FileResult read = read_template(first, *opened);
    ASSERT_TRUE(read.ok());
    EXPECT_FALSE(read.upgraded);
    EXPECT_EQ(first, opened->file_name);
    EXPECT_FALSE(opened->modified);

    const std::string second = dir.file("again.ATX");
    ASSERT_TRUE(write_template(second, opened->tpl).ok());
    EXPECT_EQ(saved, read_bytes(second));
}

TEST_F(TemplateFile, EveryBlockIsReadFromItsOffset) {
    const std::string path = dir.file("pattern.ATX");
    Bytes file = patterned_file("QRV-4.00");
    file[10496] = 64;
    write_bytes(path, file);
    ASSERT_TRUE(read_template(path, *doc).ok());

    const auto* t = reinterpret_cast<const uint8_t*>(&doc->tpl);
    EXPECT_EQ(slice(file, 8, 10502), slice(t, 0, 10502));
    // Saving writes the same blocks back, the trailer as zeros.
    const std::string copy = dir.file("copy.ATX");
    ASSERT_TRUE(write_template(copy, doc->tpl).ok());
    Bytes expected = file;
    std::fill(expected.begin() + 10510, expected.end(), 0);
    EXPECT_EQ(expected, read_bytes(copy));
}

TEST_F(TemplateFile, OldFormatIsBroughtUpToDate) {
    for (const char* tag : {"QRV-3.10", "QRV-4.00"}) {
        SCOPED_TRACE(tag);
        const std::string path = dir.file("old.ATX");
        Bytes file = patterned_file(tag);
        std::fill(file.begin() + 10496, file.begin() + 10510, 0);  // no format marker
        write_bytes(path, file);

        const FileResult read = read_template(path, *doc);
        ASSERT_TRUE(read.ok());
        EXPECT_TRUE(read.upgraded);

        const std::string saved_path = dir.file("saved.ATX");
        ASSERT_TRUE(write_template(saved_path, doc->tpl).ok());
        const Bytes saved = read_bytes(saved_path);
        EXPECT_EQ(Bytes({'Q', 'R', 'V', '-', '4', '.', '0', '0'}), slice(saved, 0, 8));
        EXPECT_EQ(Bytes({64, 1, 0, 0, 0, 1, 1, 1, 0, 0, 0, 0, 0, 0}), slice(saved, 10496, 14));
        EXPECT_EQ(text_z(" Turn ON  prompting "), slice(saved, 9933, 21));
        EXPECT_EQ(text_z(" Turn OFF prompting "), slice(saved, 9954, 21));
        EXPECT_EQ(text_z(" Prompt stay on the "), slice(saved, 9975, 21));
        EXPECT_EQ(text_z(" screen :   00 ms   "), slice(saved, 9996, 21));
        // Every other block holds the file's bytes.
        EXPECT_EQ(slice(file, 8, 9933 - 8), slice(saved, 8, 9933 - 8));
        EXPECT_EQ(slice(file, 10017, 10496 - 10017), slice(saved, 10017, 10496 - 10017));
    }
}

TEST_F(TemplateFile, WrongTagsAndShortFilesAreRefusedUnchanged) {
    const TemplateDocument before = *doc;
    struct Case {
        const char* name;
        Bytes bytes;
    };
    Bytes short_file = patterned_file("QRV-4.00");
    short_file.resize(10509);  // one byte short of ExtendedSettings' end
    const Case cases[] = {
        {"newer tag", patterned_file("QRV-5.00")},
        {"lower case", patterned_file("qrv-4.00")},
        {"short", short_file},
        {"tag only", Bytes({'Q', 'R', 'V', '-', '4', '.', '0', '0'})},
        {"empty", Bytes()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = dir.file("bad.ATX");
        write_bytes(path, c.bytes);
        const FileResult read = read_template(path, *doc);
        EXPECT_EQ(FileStatus::FormatMismatch, read.status);
        EXPECT_EQ("Format mismatch !!!", read.message);
        expect_unchanged(before);
    }

    // Without the 86 trailing bytes every block is still there: accepted.
    Bytes no_trailer = patterned_file("QRV-4.00");
    no_trailer.resize(10510);
    write_bytes(dir.file("no_trailer.ATX"), no_trailer);
    EXPECT_TRUE(read_template(dir.file("no_trailer.ATX"), *doc).ok());
}

TEST(TemplateFileName, SaveAsAddsTheExtensionUnlessPresent) {
    EXPECT_EQ("report.ATX", with_template_extension("report"));
    EXPECT_EQ("report.Atx", with_template_extension("report.Atx"));
    EXPECT_EQ("plan.txt.ATX", with_template_extension("plan.txt"));
    EXPECT_EQ("dir.atx/planATX.ATX", with_template_extension("dir.atx/planATX"));
    EXPECT_EQ(".ATX", with_template_extension(""));
}

TEST_F(TemplateFile, MissingFileFailsWithoutMessage) {
    const TemplateDocument before = *doc;
    const FileResult read = read_template(dir.file("absent.ATX"), *doc);
    EXPECT_EQ(FileStatus::CannotOpen, read.status);
    EXPECT_TRUE(read.message.empty());
    EXPECT_FALSE(read.reason.empty());
    expect_unchanged(before);
}

TEST_F(TemplateFile, FullSlotsReadBackWhole) {
    write_full_slot(doc->tpl.password, "0123456789");
    write_full_slot(doc->tpl.forms[3].leading_code[7], "ABCDEF");
    const std::string path = dir.file("full.ATX");
    ASSERT_TRUE(write_template(path, doc->tpl).ok());
    const Bytes saved = read_bytes(path);
    EXPECT_EQ(Bytes({'0', '1', '2', '3', '4', '5', '6', '7', '8', '9'}), slice(saved, 10486, 10));
    EXPECT_EQ(Bytes({'A', 'B', 'C', 'D', 'E', 'F'}), slice(saved, 2535 + 601 * 3 + 535 + 42, 6));

    auto opened = std::make_unique<TemplateDocument>();
    ASSERT_TRUE(read_template(path, *opened).ok());
    EXPECT_EQ("0123456789", read_slot(opened->tpl.password));
    EXPECT_EQ("ABCDEF", read_slot(opened->tpl.forms[3].leading_code[7]));
}

// ---- failed saves leave the old file as it was ----------------------------

std::size_t entries_in(const std::string& folder) {
    std::size_t n = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(folder)) ++n;
    return n;
}

// Runs `save` in a child process and returns its exit status (-1 if it died).
template <typename Save>
int in_child(Save save) {
    const pid_t child = fork();
    if (child == 0) _exit(save());
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

// 0 when the save of a factory template to `path` was reported as failed.
int save_reports_failure(const std::string& path) {
    auto t = std::make_unique<Template>();
    reset_template(*t);
    const FileResult r = write_template(path, *t);
    return r.status == FileStatus::WriteFailed && !r.reason.empty() ? 0 : 1;
}

TEST_F(TemplateFile, SaveBeyondTheFileSizeLimitKeepsTheOldFile) {
    const std::string path = dir.file("kept.ATX");
    const Bytes old_file = {'o', 'l', 'd', ' ', 'd', 'a', 't', 'a'};
    write_bytes(path, old_file);

    // A full disk, as a small file size limit in a child process.
    EXPECT_EQ(0, in_child([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{4096, 4096};
        setrlimit(RLIMIT_FSIZE, &limit);
        return save_reports_failure(path);
    })) << "the failed write was not reported";
    EXPECT_EQ(old_file, read_bytes(path));
    EXPECT_EQ(1u, entries_in(dir.path())) << "the temporary file was left behind";
}

TEST_F(TemplateFile, SaveIntoAReadOnlyFolderKeepsTheOldFile) {
    const std::string folder = dir.file("locked");
    ASSERT_EQ(0, mkdir(folder.c_str(), 0755));
    const std::string path = folder + "/t.ATX";
    write_bytes(path, {'o', 'l', 'd'});
    ASSERT_EQ(0, chmod(folder.c_str(), 0555));
    ASSERT_EQ(0, chmod(dir.path().c_str(), 0755));

    // Root writes into read-only folders, so the child gives up root first.
    EXPECT_EQ(0, in_child([&] {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) return 2;
        return save_reports_failure(path);
    }));
    chmod(folder.c_str(), 0755);
    EXPECT_EQ(Bytes({'o', 'l', 'd'}), read_bytes(path));
    EXPECT_EQ(1u, entries_in(folder));
}

TEST_F(TemplateFile, SaveOverAReadOnlyFileKeepsIt) {
    const std::string folder = dir.file("open");
    ASSERT_EQ(0, mkdir(folder.c_str(), 0777));
    ASSERT_EQ(0, chmod(folder.c_str(), 0777));  // the folder itself may be written
    ASSERT_EQ(0, chmod(dir.path().c_str(), 0755));
    const std::string path = folder + "/t.ATX";
    write_bytes(path, {'o', 'l', 'd'});
    ASSERT_EQ(0, chmod(path.c_str(), 0444));

    EXPECT_EQ(0, in_child([&] {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) return 2;
        return save_reports_failure(path);
    }));
    EXPECT_EQ(Bytes({'o', 'l', 'd'}), read_bytes(path));
    EXPECT_EQ(1u, entries_in(folder));
}

TEST_F(TemplateFile, SaveIntoAPipeWritesThroughItAndKeepsThePipe) {
    const std::string pipe = dir.file("pipe");
    ASSERT_EQ(0, mkfifo(pipe.c_str(), 0600));
    // Opened first without blocking, so the save finds a reader; the file's
    // 10596 bytes fit into the pipe's buffer.
    const int reader = ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    const FileResult saved = write_template(pipe, doc->tpl);
    Bytes got(kTemplateFileSize + 1);
    const ssize_t n = ::read(reader, got.data(), got.size());
    ::close(reader);

    EXPECT_TRUE(saved.ok()) << saved.reason;
    ASSERT_EQ(10596, n);
    EXPECT_EQ(Bytes({'Q', 'R', 'V', '-', '4', '.', '0', '0'}), slice(got, 0, 8));
    struct stat st {};
    ASSERT_EQ(0, lstat(pipe.c_str(), &st));
    EXPECT_TRUE(S_ISFIFO(st.st_mode)) << "the pipe was replaced by a plain file";
}

TEST_F(TemplateFile, SaveUnderANameAtTheLengthLimit) {
    const std::string path = dir.file(std::string(251, 'n') + ".ATX");  // 255 characters
    const FileResult saved = write_template(path, doc->tpl);
    EXPECT_TRUE(saved.ok()) << saved.reason;
    EXPECT_EQ(10596u, read_bytes(path).size());
    EXPECT_EQ(1u, entries_in(dir.path()));
}

TEST_F(TemplateFile, SaveUnderAPlainFileFails) {
    const std::string blocker = dir.file("plain_file");
    write_bytes(blocker, {'x'});
    const FileResult not_a_folder = write_template(blocker + "/t.ATX", doc->tpl);
    EXPECT_EQ(FileStatus::WriteFailed, not_a_folder.status);
    EXPECT_EQ("Not a directory", not_a_folder.reason);
    EXPECT_EQ(Bytes({'x'}), read_bytes(blocker));
}

TEST_F(TemplateFile, ReplacingKeepsPermissionsAndSymbolicLinks) {
    const std::string real = dir.file("real.ATX");
    write_bytes(real, {'o', 'l', 'd'});
    ASSERT_EQ(0, chmod(real.c_str(), 0640));
    const std::string link = dir.file("link.ATX");
    ASSERT_EQ(0, symlink(real.c_str(), link.c_str()));

    ASSERT_TRUE(write_template(link, doc->tpl).ok());
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(10596u, read_bytes(real).size());
    struct stat st {};
    ASSERT_EQ(0, stat(real.c_str(), &st));
    EXPECT_EQ(0640u, st.st_mode & 07777);
    EXPECT_EQ(2u, entries_in(dir.path()));
}

}  // namespace
}  // namespace kolibra
