// Saving on Windows: names that are not ASCII, names at the length limit,
// files that must be kept, and reading back what was written.
#include "common/file_replace.h"
#include "common/names_win32.h"
#include "model/template_file.h"
#include "model_test_util.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>

namespace kolibra {
namespace {

using test::Bytes;

std::size_t entries_in(const std::string& folder) {
    std::size_t n = 0;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW(widen_utf8(folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..") ++n;
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return n;
}

struct WindowsSave : ::testing::Test {
    void SetUp() override {
        tpl = std::make_unique<Template>();
        reset_template(*tpl);
    }
    std::string file(const std::string& name) const { return dir.path() + "\\" + name; }

    test::ScratchDir dir;
    std::unique_ptr<Template> tpl;
};

TEST_F(WindowsSave, ANameWithUmlautsIsWrittenAndReadUnderThatName) {
    const std::string name = file("K\xC3\xA4se.ATX");  // "Käse.ATX" in UTF-8
    ASSERT_TRUE(write_template(name, *tpl).ok());
    // The file exists under its UTF-16 name, not under a "K?se" stand-in.
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(widen_utf8(name).c_str()));
    EXPECT_EQ(1u, entries_in(dir.path()));
    auto doc = std::make_unique<TemplateDocument>();
    EXPECT_TRUE(read_template(name, *doc).ok());
}

TEST_F(WindowsSave, NamesUpToTheLengthLimitSave) {
    for (std::size_t length : {250u, 255u}) {
        const std::string name = file(std::string(length - 4, 'n') + ".ATX");
        const FileResult saved = write_template(name, *tpl);
        EXPECT_TRUE(saved.ok()) << length << ": " << saved.reason;
        HANDLE h = CreateFileW(native_file_name(name).c_str(), GENERIC_READ, FILE_SHARE_READ,
                               nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, h) << length;
        LARGE_INTEGER size{};
        GetFileSizeEx(h, &size);
        CloseHandle(h);
        EXPECT_EQ(10596, size.QuadPart) << length;
    }
    EXPECT_EQ(2u, entries_in(dir.path())) << "a temporary file was left behind";
}

TEST_F(WindowsSave, AReadOnlyFileIsKeptAndTheReasonSaysAccessIsDenied) {
    const std::string name = file("locked.ATX");
    test::write_bytes(name, {'o', 'l', 'd'});
    ASSERT_TRUE(SetFileAttributesW(widen_utf8(name).c_str(), FILE_ATTRIBUTE_READONLY));
    const FileResult saved = write_template(name, *tpl);
    SetFileAttributesW(widen_utf8(name).c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(FileStatus::WriteFailed, saved.status);
    EXPECT_NE(std::string::npos, saved.reason.find("denied")) << saved.reason;
    EXPECT_EQ(Bytes({'o', 'l', 'd'}), test::read_bytes(name));
    EXPECT_EQ(1u, entries_in(dir.path()));
}

TEST_F(WindowsSave, AFileHeldOpenByAnotherProgramIsKept) {
    const std::string name = file("held.ATX");
    test::write_bytes(name, {'o', 'l', 'd'});
    // Another program holds it open without sharing delete: it cannot be replaced.
    HANDLE held = CreateFileW(widen_utf8(name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    const FileResult saved = write_template(name, *tpl);
    CloseHandle(held);
    EXPECT_EQ(FileStatus::WriteFailed, saved.status);
    EXPECT_FALSE(saved.reason.empty());
    EXPECT_EQ(Bytes({'o', 'l', 'd'}), test::read_bytes(name));
    EXPECT_EQ(1u, entries_in(dir.path())) << "the temporary file was left behind";
}

TEST_F(WindowsSave, AStreamedTemporaryKeepsItsRecordsWhenTheTargetCannotBeReplaced) {
    const std::string name = file("DATA.TXT");
    test::write_bytes(name, {'o', 'l', 'd'});
    TemporaryBeside temporary;
    ASSERT_TRUE(temporary.create(name).ok);
    std::fputs("rec\r\n", temporary.stream());
    HANDLE held = CreateFileW(widen_utf8(name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    EXPECT_FALSE(temporary.put_in_place(/*keep_on_failure=*/true).ok);
    CloseHandle(held);
    EXPECT_EQ(Bytes({'r', 'e', 'c', '\r', '\n'}), test::read_bytes(temporary.temporary_path()));
    EXPECT_EQ(Bytes({'o', 'l', 'd'}), test::read_bytes(name));
}

}  // namespace
}  // namespace kolibra
