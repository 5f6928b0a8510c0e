// A CSV made ready for a lookup download: which lookup file it is made for
// when the window asks, and the messages that keep it from being sent.
#include "model/lookup_csv_file.h"
#include "model_test_util.h"
#include "support/user_doubles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

namespace kolibra {
namespace {

std::unique_ptr<Template> template_describing(std::initializer_list<int> files) {
    auto t = std::make_unique<Template>();
    reset_template(*t);
    for (const int j : files) {
        t->lookups[j] = {9, 2, 0, {1, 5}, {4, 4}};
        t->extended.lookup_delimiter[j] = ',';
    }
    return t;
}

TEST(CsvLookupFile, TheLookupFileIsTheDescribedOneOrTheOneTaken) {
    test::RecordingPrompter prompter;
    EXPECT_EQ(ask_csv_lookup_file(prompter, *template_describing({}), "/x/items.csv"), -1);
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].text, "The template describes no lookup file, so items.csv cannot be "
                                      "made into one; nothing was sent.");

    prompter.boxes.clear();
    EXPECT_EQ(ask_csv_lookup_file(prompter, *template_describing({1}), "items.csv"), 1);
    EXPECT_TRUE(prompter.boxes.empty());  // nothing to ask

    const auto two = template_describing({0, 2});
    prompter.answers = {Answer::Yes};
    EXPECT_EQ(ask_csv_lookup_file(prompter, *two, "items.csv"), 0);
    prompter.answers = {Answer::No, Answer::Yes};
    EXPECT_EQ(ask_csv_lookup_file(prompter, *two, "items.csv"), 2);
    prompter.answers = {Answer::No, Answer::No};
    EXPECT_EQ(ask_csv_lookup_file(prompter, *two, "items.csv"), -1);
    prompter.boxes.clear();
    prompter.answers = {Answer::Cancel};
    EXPECT_EQ(ask_csv_lookup_file(prompter, *two, "items.csv"), -1);
    EXPECT_EQ(prompter.boxes.size(), 1u);  // Cancel asks no further
}

TEST(CsvLookupFile, WhatKeepsACsvFromBeingSent) {
    test::ScratchDir dir;
    const auto t = template_describing({0});
    const std::string csv = dir.file("items.csv");
    struct Case {
        const char* csv;
        const char* message;
    };
    const Case cases[] = {
        {"Code,Name\r\n", "items.csv holds no lines for the 1st lookup file; nothing was sent."},
        {"Code,Name\r\n1,\"open\r\n", "items.csv cannot be made into the 1st lookup file: line 2: "
                                     "a quoted field is not closed before the end of the file; "
                                     "nothing was sent."},
        {"Code,Name\r\n1,a\r\n22222,b\r\n333,cc,x\r\n1,d\r\n5,e;f\r\n666666,g\r\n",
         "items.csv was not sent: 3 of its lines do not fit the 1st lookup file.\n"
         "line 3, column 1 (Code): 5 characters, more than the 4 of field 1\n"
         "line 5, column 1 (Code): key \"1\" is already on line 2\n"
         "line 7, column 1 (Code): 6 characters, more than the 4 of field 1"},
    };
    for (const Case& c : cases) {
        std::ofstream(csv, std::ios::binary | std::ios::trunc) << c.csv;
        CsvLookupForDownload converted;
        EXPECT_FALSE(converted.prepare(*t, 0, csv, {}));
        EXPECT_EQ(converted.message(), c.message);
        EXPECT_TRUE(converted.lookup_path().empty());
    }
    CsvLookupForDownload missing;
    EXPECT_FALSE(missing.prepare(*t, 0, dir.file("none.csv"), {}));
    EXPECT_EQ(missing.message(), "none.csv cannot be opened; nothing was sent.");

    // A clean list: its lines in a temporary file that goes with the object.
    std::ofstream(csv, std::ios::binary | std::ios::trunc) << "Code,Name\r\n1,a\r\n2,b\r\n";
    std::string path;
    {
        CsvLookupForDownload converted;
        ASSERT_TRUE(converted.prepare(*t, 0, csv, {})) << converted.message();
        path = converted.lookup_path();
        const test::Bytes bytes = test::read_bytes(path);
        EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "1,a\r\n2,b\r\n");
    }
    EXPECT_FALSE(std::filesystem::exists(path));
}

}  // namespace
}  // namespace kolibra
