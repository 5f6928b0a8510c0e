// Every misbehaviour of the terminal stand-in at the first, second, middle and
// last packet or frame, on the virtual clock: each run ends in a byte-exact
// success or a failure the user is told about, within its time-outs.
#include "history/reception_history.h"
#include "link/protocol/download.h"
#include "link/protocol/receive.h"
#include "link/standin/terminal_standin.h"
#include "model/program_image.h"
#include "protocol_doubles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>

namespace kolibra {
namespace {

namespace fs = std::filesystem;

constexpr int kRecords = 20;

struct SweepRig {
    explicit SweepRig(TerminalOptions options)
        : terminal(std::move(options)), port(clock, &terminal), prompter(clock),
          link{port, clock, prompter} {
        reset_run_line_settings();
    }
    // Counts the exchanges: each may take its 3000 ms, no more.
    uint32_t elapsed() { return clock.now_ms() - start; }

    VirtualClock clock;
    TerminalStandin terminal;
    FakePort port;
    testing::RecordingPrompter prompter;
    testing::RecordingProgress progress;
    LinkSession link;
    uint32_t start = clock.now_ms();
};

struct Fault {
    const char* name;
    std::function<void(TerminalOptions&, int at)> apply;
};

const int kPositions[] = {0, 1, kRecords / 2, kRecords - 1};

std::vector<std::string> sweep_records() {
    std::vector<std::string> records;
    for (int i = 0; i < kRecords; ++i) records.push_back("item " + std::to_string(100 + i));
    return records;
}

bool told(const testing::RecordingPrompter& prompter, const std::string& text) {
    auto texts = prompter.texts();
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

// Download faults: the reply to packet `at` goes wrong.
const std::vector<Fault> kDownloadFaults = {
    {"late reply", [](TerminalOptions& o, int at) { o.late_reply_packet = at; }},
    {"garbled reply", [](TerminalOptions& o, int at) { o.garbled_reply_packet = at; }},
    {"junk without CR", [](TerminalOptions& o, int at) { o.junk_reply_packet = at; }},
    {"two replies at once", [](TerminalOptions& o, int at) { o.double_reply_packet = at; }},
    {"lost reply", [](TerminalOptions& o, int at) { o.lose_ack_of = at; }},
    {"refused three times", [](TerminalOptions& o, int at) {
         o.refuse_packet = at;
         o.refuse_times = 3;
     }},
    {"refused four times", [](TerminalOptions& o, int at) {
         o.refuse_packet = at;
         o.refuse_times = 4;
     }},
    {"full", [](TerminalOptions& o, int at) { o.full_after = at; }},
    {"refusing forever", [](TerminalOptions& o, int) { o.refuse_forever = true; }},
};

// A lookup record the terminal cannot tell from a new one is stored again
// when the desktop resends it; only these faults may make it resend a
// record the terminal already has (the reply never came in a usable form).
bool resend_unavoidable(const std::string& fault) {
    return fault == "late reply" || fault == "garbled reply" || fault == "junk without CR";
}

TEST(FaultSweep, LookupDownload) {
    const fs::path path = fs::temp_directory_path() / "kolibra_sweep_lookup.txt";
    const std::vector<std::string> records = sweep_records();
    {
        std::ofstream out(path, std::ios::binary);
        for (const auto& r : records) out << r << "\r\n";
    }
    int duplicates = 0;
    for (const Fault& fault : kDownloadFaults) {
        for (int at : kPositions) {
            SCOPED_TRACE(std::string(fault.name) + " at record " + std::to_string(at));
            TerminalOptions options;
            options.expect = ExpectedDownload::Lookup;
            fault.apply(options, at);
            SweepRig rig(options);
            rig.prompter.answers = {Answer::No};
            DownloadRequest request;
            request.kind = DownloadKind::LookupFile;
            request.lookup_path = path.string();
            bool delivered = false;
            EXPECT_EQ(download_to_terminal(rig.link, rig.progress, nullptr, request, {},
                                           &delivered),
                      kDownloadRan);
            const auto writes = rig.port.writes().size();
            EXPECT_LE(rig.elapsed(), writes * 3010u);
            if (delivered) {
                EXPECT_TRUE(told(rig.prompter, "Downloaded completely!"));
                ASSERT_EQ(rig.terminal.lookup_files().size(), 1u);
                const auto& stored = rig.terminal.lookup_files()[0];
                const int extra = static_cast<int>(stored.size()) - kRecords;
                duplicates += extra;
                if (!resend_unavoidable(fault.name)) {
                    EXPECT_EQ(stored, records);
                }
                EXPECT_LE(extra, 1);
                // In order, nothing lost: dropping an adjacent repeat gives the file.
                std::vector<std::string> unique = stored;
                unique.erase(std::unique(unique.begin(), unique.end()), unique.end());
                EXPECT_EQ(unique, records);
            } else {
                EXPECT_FALSE(told(rig.prompter, "Downloaded completely!"));
                EXPECT_TRUE(told(rig.prompter, "Failed to download, would you like to retry?"));
            }
        }
    }
    // Late, garbled and junk replies at four places each: one resend each.
    EXPECT_EQ(duplicates, 12);
    std::printf("lookup records stored twice over the sweep: %d\n", duplicates);
    fs::remove(path);
}

TEST(FaultSweep, ProgramDownload) {
    Template tpl{};
    reset_template(tpl);
    Template copy = tpl;
    const ProgramImage expected = build_program_image(copy);
    for (const Fault& fault : kDownloadFaults) {
        for (int at : {0, 1, 52, 104}) {
            SCOPED_TRACE(std::string(fault.name) + " at block " + std::to_string(at));
            TerminalOptions options;
            options.expect = ExpectedDownload::Program;
            fault.apply(options, at);
            SweepRig rig(options);
            rig.prompter.answers = {Answer::No};
            DownloadRequest request;
            request.kind = DownloadKind::ProgramImage;
            request.tpl = &tpl;
            bool delivered = false;
            download_to_terminal(rig.link, rig.progress, nullptr, request, {}, &delivered);
            EXPECT_LE(rig.elapsed(), rig.port.writes().size() * 3010u);
            if (delivered) {
                EXPECT_TRUE(told(rig.prompter, "Downloaded completely!"));
                ASSERT_EQ(rig.terminal.program_image().size(), 10500u);
                EXPECT_TRUE(std::equal(expected.begin(), expected.end(),
                                       rig.terminal.program_image().begin()));
            } else {
                EXPECT_FALSE(told(rig.prompter, "Downloaded completely!"));
                EXPECT_TRUE(told(rig.prompter, "Failed to download, would you like to retry?"));
            }
        }
    }
}

TEST(FaultSweep, Reception) {
    const std::vector<std::string> records = sweep_records();
    std::string expected;
    for (const auto& r : records) expected += r + "\r\n";
    const std::vector<Fault> faults = {
        {"damaged check", [](TerminalOptions& o, int at) { o.bad_check_frame = at; }},
        {"number two ahead", [](TerminalOptions& o, int at) { o.wrong_sequence_frame = at; }},
        {"previous number, check of the right one", [](TerminalOptions& o, int at) {
             o.flip_sequence_frame = at;
             o.flip_sequence_to = (at + 9) % 10;
         }},
        {"late", [](TerminalOptions& o, int at) { o.late_frame = at; }},
        {"split by a CR", [](TerminalOptions& o, int at) { o.split_frame = at; }},
        {"falls silent", [](TerminalOptions& o, int at) { o.stop_after_records = at; }},
        {"damaged from here on", [](TerminalOptions& o, int at) { o.damage_from_frame = at; }},
    };
    for (const Fault& fault : faults) {
        for (int at : kPositions) {
            SCOPED_TRACE(std::string(fault.name) + " at frame " + std::to_string(at));
            TerminalOptions options;
            options.records = records;
            fault.apply(options, at);
            SweepRig rig(options);
            rig.port.open("COM1");
            rig.port.set_timeouts(transfer_timeouts());
            std::unique_ptr<std::FILE, int (*)(std::FILE*)> f(std::tmpfile(), &std::fclose);
            const std::string folder = (fs::temp_directory_path() / "kolibra_sweep_history").string();
            fs::remove_all(folder);
            HistoryRecorder history(folder, "tgen", "COM1", 115200);
            const int result = receive_records(rig.link, f.get(), nullptr, {}, &history);
            std::string data(static_cast<std::size_t>(std::ftell(f.get())), '\0');
            std::rewind(f.get());
            ASSERT_EQ(std::fread(data.data(), 1, data.size(), f.get()), data.size());
            // The history holds exactly what was acknowledged, as the data file does.
            std::string reason;
            EXPECT_EQ(reception_records(folder, 1, reason).value_or("missing"), data);
            const auto entries = list_receptions(folder);
            ASSERT_EQ(entries.size(), 1u);
            EXPECT_EQ(entries[0].outcome, result > 0 ? "complete" : "broken off");
            fs::remove_all(folder);
            if (result > 0) {
                EXPECT_EQ(result, kRecords);
                EXPECT_EQ(data, expected);  // every record exactly once, in order
                EXPECT_TRUE(rig.prompter.boxes.empty());
            } else {
                EXPECT_EQ(result, kReceiveBrokenOff);
                EXPECT_EQ(rig.prompter.texts(), std::vector<std::string>{"Time out!"});
                EXPECT_EQ(expected.compare(0, data.size(), data), 0);  // no record twice
            }
            // Eleven windows of 500 ms at most between two records.
            EXPECT_LE(rig.elapsed(), static_cast<uint32_t>(kRecords + 2) * 11 * 501);
        }
    }
}

}  // namespace
}  // namespace kolibra
