#include "common/file_replace.h"

#include "irfetch/tool_test_support.h"

#include <filesystem>

#include <gtest/gtest.h>

namespace kolibra {
namespace {

using namespace kolibra::testing;
namespace fs = std::filesystem;

using TemporaryFile = ScratchTest;

int files_in(const std::string& folder) {
    int n = 0;
    for (const auto& entry : fs::directory_iterator(folder)) n += entry.is_regular_file() ? 1 : 0;
    return n;
}

TEST_F(TemporaryFile, StreamedBytesReplaceTheOldFileOnlyWhenPutInPlace) {
    const std::string target = path("DATA.TXT");
    write_file(target, "old");
    TemporaryBeside temporary;
    ASSERT_TRUE(temporary.create(target).ok);
    std::fputs("rec1\r\n", temporary.stream());
    std::fflush(temporary.stream());
    EXPECT_EQ(read_file(target), "old");  // nothing changes while streaming
    std::fputs("rec2\r\n", temporary.stream());
    ASSERT_TRUE(temporary.put_in_place().ok);
    EXPECT_EQ(read_file(target), "rec1\r\nrec2\r\n");
    EXPECT_EQ(files_in(folder()), 1);
}

TEST_F(TemporaryFile, DiscardedOrDroppedTemporaryLeavesNothingBehind) {
    const std::string target = path("DATA.TXT");
    write_file(target, "old");
    {
        TemporaryBeside dropped;
        ASSERT_TRUE(dropped.create(target).ok);
        std::fputs("lost", dropped.stream());
    }
    TemporaryBeside discarded;
    ASSERT_TRUE(discarded.create(target).ok);
    discarded.discard();
    EXPECT_EQ(read_file(target), "old");
    EXPECT_EQ(files_in(folder()), 1);
}

TEST_F(TemporaryFile, AFailedRenameKeepsTheRecordsWhenAskedElseRemovesThem) {
    for (bool keep : {true, false}) {
        const std::string target = path(keep ? "kept" : "removed");
        TemporaryBeside temporary;
        ASSERT_TRUE(temporary.create(target).ok);
        std::fputs("records", temporary.stream());
        // A folder with a file in it now stands where the target goes.
        fs::create_directories(target);
        write_file(target + "/inside", "x");
        const ReplaceResult result = temporary.put_in_place(keep);
        EXPECT_FALSE(result.ok);
        EXPECT_FALSE(result.reason.empty());
        if (keep) {
            ASSERT_FALSE(temporary.temporary_path().empty());
            EXPECT_EQ(read_file(temporary.temporary_path()), "records");
        }
    }
    // The kept one outlives its object; the other is gone.
    EXPECT_EQ(files_in(folder()), 1);
}

TEST_F(TemporaryFile, FoldersAreMadeOnlyWhenAsked) {
    const std::string target = path("a/b/c.ini");
    EXPECT_FALSE(replace_file_contents(target, "x").ok);
    ReplaceOptions options;
    options.create_folders = true;
    ASSERT_TRUE(replace_file_contents(target, "x", options).ok);
    EXPECT_EQ(read_file(target), "x");
}

}  // namespace
}  // namespace kolibra
