// Stopping a transfer: a download and a reception against the terminal
// stand-in, stopped by the user at a chosen moment of virtual time. The stop
// is requested from the pump of a pumping clock, as a Cancel button does it.
#include "history/reception_history.h"
#include "link/protocol/download.h"
#include "link/protocol/receive.h"
#include "link/pumping_clock.h"
#include "link/standin/terminal_standin.h"
#include "protocol_doubles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace kolibra {
namespace {

// The stand-in at 19200 bit/s behind a pumping clock whose pump clicks
// "Cancel" once virtual time reaches cancel_at or the terminal has stored
// blocks_at program blocks.
struct StopRig {
    StopRig(TerminalOptions options, uint32_t cancel_at, int blocks_at = -1)
        : terminal(std::move(options)),
          pumping(clock,
                  [this, cancel_at, blocks_at] {
                      if (stop.requested()) return;
                      if (clock.now_ms() >= cancel_at ||
                          (blocks_at >= 0 && terminal.blocks_stored() >= blocks_at)) {
                          stop.request();
                          clicked_at = clock.now_ms();
                          blocks_at_click = terminal.blocks_stored();
                      }
                  }),
          port(clock, &terminal), prompter(clock), link{port, pumping, prompter, &stop} {
        reset_run_line_settings();
        pumping.set_stop(&stop);
        target.baud_index = 3;  // 19200
    }
    // Virtual milliseconds from the click to the end of the command.
    uint32_t late() { return clock.now_ms() - clicked_at; }

    VirtualClock clock;
    TransferStop stop;
    TerminalStandin terminal;
    PumpingClock pumping;
    FakePort port;
    testing::RecordingPrompter prompter;
    LinkSession link;
    LinkTarget target;
    uint32_t clicked_at = 0;
    int blocks_at_click = 0;
};

// One 103-byte packet at 19200 bit/s takes about 54 ms on the line; its reply
// and the stand-in's pause make it well under 150 ms.
constexpr uint32_t kOnePacketMs = 150;
// A reception frame is shorter still; one wait slice is 30 ms.
constexpr uint32_t kOneSliceMs = 2 * PumpingClock::kSliceMs;

TEST(StopTransfer, DownloadEndsAtTheNextPacketOrHandshakeSliceAsCancelled) {
    struct Case {
        const char* name;
        TerminalOptions terminal;
        uint32_t cancel_at;
        int blocks_at;
        uint32_t within;
    };
    const Case cases[] = {
        {"during the transfer", {}, 600000, 20, kOnePacketMs},
        {"during the handshake", {.silent = true}, 4000, -1, kOneSliceMs},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StopRig rig(c.terminal, c.cancel_at, c.blocks_at);
        Template tpl{};
        reset_template(tpl);
        testing::RecordingProgress progress;
        DownloadRequest request;
        request.target = rig.target;
        request.tpl = &tpl;
        bool delivered = true;
        EXPECT_EQ(download_to_terminal(rig.link, progress, nullptr, request, {}, &delivered),
                  kDownloadCancelled);
        EXPECT_FALSE(delivered);
        ASSERT_TRUE(rig.stop.requested());
        EXPECT_LE(rig.late(), c.within);
        // No "Downloaded completely!", no retry question, no "Terminal is not ready!".
        EXPECT_EQ(rig.prompter.texts(), std::vector<std::string>{"Download cancelled."});
        EXPECT_FALSE(rig.port.is_open());
        EXPECT_EQ(progress.opened, progress.closed);
        // At most the packet on the line when Cancel was clicked still goes.
        EXPECT_LE(rig.terminal.blocks_stored() - rig.blocks_at_click, 1);
        if (c.blocks_at >= 0) {
            EXPECT_GE(rig.terminal.blocks_stored(), c.blocks_at);
        }
    }
}

std::string read_all(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(StopTransfer, ReceptionEndsAtTheNextFrameKeepingItsRecordsInTheHistory) {
    const auto base = std::filesystem::temp_directory_path() /
                      ("kolibra_stop_" +
                       std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    std::filesystem::remove_all(base);
    std::filesystem::create_directories(base);
    const std::string data = (base / "DATA.TXT").string();

    struct Case {
        const char* name;
        TerminalOptions terminal;
        uint32_t cancel_at;
        bool records_come;
    };
    TerminalOptions many;
    for (int i = 0; i < 400; ++i) many.records.push_back("item " + std::to_string(i));
    const Case cases[] = {
        {"between frames", many, 400, true},
        {"before the first frame", {.silent = true}, 5000, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::ofstream(data, std::ios::binary) << "earlier";
        const std::string folder = (base / c.name).string();
        StopRig rig(c.terminal, c.cancel_at);
        HistoryRecorder history(folder, "tgen", rig.target);
        ReceiveEnvironment env;
        env.history = &history;
        EXPECT_EQ(receive_from_terminal(rig.link, env, rig.target, data), kReceiveCancelled);
        ASSERT_TRUE(rig.stop.requested());
        EXPECT_LE(rig.late(), kOneSliceMs);
        EXPECT_FALSE(rig.port.is_open());
        // The data file stays as it was; the history holds what was acknowledged.
        EXPECT_EQ(read_all(data), "earlier");
        const auto entries = list_receptions(folder);
        ASSERT_EQ(entries.size(), 1u);
        EXPECT_EQ(entries[0].outcome, "cancelled");
        const int n = history.records();
        if (!c.records_come) {
            EXPECT_EQ(n, 0);
            EXPECT_EQ(rig.prompter.texts(), std::vector<std::string>{"Reception cancelled."});
            continue;
        }
        ASSERT_GT(n, 0);
        EXPECT_LT(n, 400);
        EXPECT_EQ(entries[0].records, n);
        std::string expected;
        for (int i = 0; i < n; ++i) expected += "item " + std::to_string(i) + "\r\n";
        std::string reason;
        EXPECT_EQ(reception_records(folder, entries[0].number, reason).value_or(""), expected);
        EXPECT_EQ(rig.prompter.texts(),
                  (std::vector<std::string>{
                      "Reception cancelled.",
                      std::to_string(n) + " records were received before the reception was "
                                          "cancelled. They are kept in the reception history "
                                          "(tgen receptions)."}));
    }
    std::filesystem::remove_all(base);
}

}  // namespace
}  // namespace kolibra
