// Replays every event script of scripts/ against the editor and checks what
// the script's "#@" lines expect. Those lines are comments to the replay:
//   #@ set AREA OFFSET VALUE...      bytes put into the template before the run
//   #@ bytes AREA OFFSET VALUE...    bytes the template must hold afterwards
//     AREA: "form N", "menu N" or "lookup N" (1-based), "template" (whole
//     Template), or one of the blocks "barcode", "system", "password",
//     "extended", "pages" (the screen texts);
//     VALUE: a decimal byte or a quoted text (its characters, no zero added)
//   #@ status N          exit status of the replay (default 0)
//   #@ modified 0|1      the document's modified flag afterwards
//   #@ unchanged         every byte of the template is as it was set up
//   #@ restarts N        restart commands (51) sent to the simulator
//   #@ utility-lines N   the utility menu's line count last given to it
//   #@ output TEXT       the next line `show` must print (all are checked)
//   #@ image OFFSET VALUE...  bytes the program image built afterwards holds
#include "common/resource_script.h"
#include "editor/script/event_runner.h"
#include "model/program_image.h"
#include "model/template.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

namespace kolibra::editor {
namespace {

namespace fs = std::filesystem;

struct Expectations {
    int status = 0;
    int modified = -1;
    bool unchanged = false;
    int restarts = -1;
    int utility_lines = -1;
    std::vector<std::string> output;
    bool output_checked = false;  // only scripts with "#@ output" lines
    struct ByteCheck {
        std::string where;
        std::size_t offset;
        std::vector<uint8_t> bytes;
    };
    std::vector<ByteCheck> byte_checks;
    std::vector<ByteCheck> image_checks;
};

std::size_t area_offset(const std::vector<ScriptToken>& t, std::size_t& next, std::string& error) {
    if (t.size() > 1 && t[1].text == "template") {
        next = 2;
        return 0;
    }
    static const std::pair<const char*, std::size_t> blocks[] = {
        {"barcode", offsetof(Template, barcode)},
        {"system", offsetof(Template, system)},
        {"password", offsetof(Template, password)},
        {"extended", offsetof(Template, extended)},
        {"pages", offsetof(Template, pages)},
    };
    for (const auto& [name, block] : blocks) {
        if (t.size() > 1 && t[1].text == name) {
            next = 2;
            return block;
        }
    }
    if (t.size() < 3) {
        error = "an area needs a name and a number";
        return 0;
    }
    const int n = std::stoi(t[2].text);
    next = 3;
    if (t[1].text == "form" && n >= 1 && n <= kFormCount)
        return offsetof(Template, forms) + sizeof(FormRecord) * (n - 1);
    if (t[1].text == "menu" && n >= 1 && n <= kMenuCount)
        return offsetof(Template, menus) + sizeof(MenuRecord) * (n - 1);
    if (t[1].text == "lookup" && n >= 1 && n <= kLookupCount)
        return offsetof(Template, lookups) + sizeof(LookupRecord) * (n - 1);
    error = "unknown area " + t[1].text + " " + t[2].text;
    return 0;
}

// "#@ set|bytes AREA OFFSET VALUE..." as an absolute offset and bytes.
bool byte_directive(const std::vector<ScriptToken>& t, std::size_t& offset,
                    std::vector<uint8_t>& bytes, std::string& error) {
    std::size_t next = 0;
    offset = area_offset(t, next, error);
    if (!error.empty()) return false;
    if (next >= t.size()) {
        error = "no offset";
        return false;
    }
    offset += std::stoul(t[next].text);
    for (std::size_t i = next + 1; i < t.size(); ++i) {
        if (t[i].quoted) bytes.insert(bytes.end(), t[i].text.begin(), t[i].text.end());
        else bytes.push_back(static_cast<uint8_t>(std::stoi(t[i].text)));
    }
    if (offset + bytes.size() > sizeof(Template)) error = "bytes beyond the template";
    return error.empty();
}

class EventScripts : public ::testing::TestWithParam<fs::path> {};

TEST_P(EventScripts, ReplaysAsExpected) {
    std::ifstream file(GetParam());
    ASSERT_TRUE(file) << GetParam();
    std::stringstream script;
    script << file.rdbuf();

    auto doc = std::make_unique<TemplateDocument>();
    reset_template(doc->tpl);
    Expectations want;
    std::istringstream lines(script.str());
    std::string line;
    int number = 0;
    while (std::getline(lines, line)) {
        ++number;
        if (line.rfind("#@", 0) != 0) continue;
        const std::string body = line.substr(2);
        if (body.rfind(" output ", 0) == 0) {
            want.output.push_back(body.substr(8));
            want.output_checked = true;
            continue;
        }
        std::vector<ScriptToken> t;
        std::string error;
        ASSERT_TRUE(split_script_line(body, t, error)) << "line " << number << ": " << error;
        ASSERT_FALSE(t.empty()) << "line " << number;
        const std::string& word = t[0].text;
        if (word == "set" || word == "bytes") {
            std::size_t offset = 0;
            std::vector<uint8_t> bytes;
            ASSERT_TRUE(byte_directive(t, offset, bytes, error)) << "line " << number << ": " << error;
            if (word == "set")
                std::copy(bytes.begin(), bytes.end(), reinterpret_cast<uint8_t*>(&doc->tpl) + offset);
            else
                want.byte_checks.push_back({"line " + std::to_string(number), offset, bytes});
        } else if (word == "image" && t.size() > 2) {
            Expectations::ByteCheck check{"line " + std::to_string(number), std::stoul(t[1].text), {}};
            for (std::size_t i = 2; i < t.size(); ++i) {
                if (t[i].quoted) check.bytes.insert(check.bytes.end(), t[i].text.begin(), t[i].text.end());
                else check.bytes.push_back(static_cast<uint8_t>(std::stoi(t[i].text)));
            }
            ASSERT_LE(check.offset + check.bytes.size(), kProgramImageSize) << check.where;
            want.image_checks.push_back(check);
        } else if (word == "status" && t.size() == 2) {
            want.status = std::stoi(t[1].text);
        } else if (word == "modified" && t.size() == 2) {
            want.modified = std::stoi(t[1].text);
        } else if (word == "unchanged") {
            want.unchanged = true;
        } else if (word == "restarts" && t.size() == 2) {
            want.restarts = std::stoi(t[1].text);
        } else if (word == "utility-lines" && t.size() == 2) {
            want.utility_lines = std::stoi(t[1].text);
        } else {
            FAIL() << "line " << number << ": unknown directive " << body;
        }
    }
    auto before = std::make_unique<Template>(doc->tpl);

    int restarts = 0, utility_lines = -1;
    SimulatorHooks hooks;
    hooks.press_key = [&](int code) { restarts += code == 51 ? 1 : 0; };
    hooks.set_utility_lines = [&](int lines) { utility_lines = lines; };
    std::istringstream events(script.str());
    std::ostringstream out, err;
    EventRunner runner(events, out, err);
    const int status = runner.run(*doc, hooks);

    EXPECT_EQ(status, want.status) << err.str();
    EXPECT_TRUE(want.status != 0 || err.str().empty()) << err.str();
    EXPECT_TRUE(want.modified < 0 || doc->modified == (want.modified == 1));
    EXPECT_TRUE(want.restarts < 0 || restarts == want.restarts) << restarts;
    EXPECT_TRUE(want.utility_lines < 0 || utility_lines == want.utility_lines) << utility_lines;
    EXPECT_TRUE(!want.unchanged || std::memcmp(before.get(), &doc->tpl, sizeof(Template)) == 0);
    const auto* bytes = reinterpret_cast<const uint8_t*>(&doc->tpl);
    for (const auto& check : want.byte_checks) {
        const std::vector<uint8_t> actual(bytes + check.offset, bytes + check.offset + check.bytes.size());
        EXPECT_EQ(actual, check.bytes) << check.where;
    }
    if (!want.image_checks.empty()) {
        // The builder tidies the forms of what it is given: build from a copy.
        auto copy = std::make_unique<Template>(doc->tpl);
        const auto image = std::make_unique<ProgramImage>(build_program_image(*copy));
        for (const auto& check : want.image_checks) {
            const std::vector<uint8_t> actual(image->begin() + check.offset,
                                              image->begin() + check.offset + check.bytes.size());
            EXPECT_EQ(actual, check.bytes) << check.where;
        }
    }
    std::vector<std::string> shown;
    std::istringstream printed(out.str());
    for (std::string l; std::getline(printed, l);) shown.push_back(l);
    EXPECT_TRUE(!want.output_checked || shown == want.output) << out.str();
}

std::vector<fs::path> all_scripts() {
    std::vector<fs::path> scripts;
    for (const auto& entry : fs::directory_iterator(EDITOR_SCRIPTS_DIR)) {
        if (entry.path().extension() == ".events") scripts.push_back(entry.path());
    }
    std::sort(scripts.begin(), scripts.end());
    return scripts;
}

INSTANTIATE_TEST_SUITE_P(Editor, EventScripts, ::testing::ValuesIn(all_scripts()),
                         [](const ::testing::TestParamInfo<fs::path>& info) {
                             std::string name = info.param.stem().string();
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

}  // namespace
}  // namespace kolibra::editor
