// link_bench --paced: the transfers against k2term --line-rate, which lets
// each message through only once it would have crossed a real line. The
// bound is the time all bytes of a transfer, both ways, take at the line
// rate; the desktop can only come close to it by losing no time between
// receiving an answer and sending the next message.
#include "history/reception_history.h"
#include "link/bench/bench_host.h"
#include "link/bench/bench_support.h"
#include "link/clock.h"
#include "link/port_names.h"
#include "link/protocol/download.h"
#include "link/protocol/receive.h"
#include "link/serial_port.h"
#include "model/template.h"

#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>

namespace kolibra::bench {

namespace {

constexpr int kRecords = 1000;
constexpr int kRecordSize = 40;
constexpr int kLookupLines = 200;
constexpr long kAnswer = 4;          // "ACK\r"
constexpr long kHandshake = 7;       // "QUORIN\r"
constexpr long kRequest = 5;         // "READ\r" and "OVER\r"
constexpr long kFrameExtra = 4;      // sequence number, two check bytes, CR
constexpr long kPacketExtra = 3;     // two check bytes, CR
constexpr long kBlocks = 105, kBlockBytes = 103;
constexpr double kBitsPerByte = 10.0;

struct Speed {
    int baud_index;
    uint32_t baud;
};

// Runs `transfer` against a k2term started with `args` and prints one line.
bool measure(const std::string& k2term_path, const std::vector<std::string>& args,
             const char* what, const Speed& speed, long wire_bytes,
             const std::function<bool(LinkSession&)>& transfer) {
    StandIn k2term;
    std::vector<std::string> all{"--line-rate", "--reply-delay", "0"};
    all.insert(all.end(), args.begin(), args.end());
    if (!k2term.start_with(k2term_path, all)) {
        std::fprintf(stderr, "link_bench: k2term did not start (%s)\n", k2term_path.c_str());
        return false;
    }
    ::setenv("KOLIBRA_COM1", k2term.device().c_str(), 1);
    auto port = make_serial_port();
    SteadyClock clock;
    QuietPrompter prompter;
    LinkSession link{*port, clock, prompter};
    const auto wall_start = std::chrono::steady_clock::now();
    const double cpu_start = process_cpu_seconds();
    const bool ok = transfer(link);
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - wall_start).count();
    const double cpu = process_cpu_seconds() - cpu_start;
    const double bound = static_cast<double>(wire_bytes) * kBitsPerByte / speed.baud;
    std::printf("%-32s %6u bit/s %s  wall %7.3f s  bound %7.3f s  wall/bound %5.3f  "
                "cpu/wall %5.2f %%\n",
                what, speed.baud, ok ? "ok    " : "FAILED", wall, bound, wall / bound,
                100.0 * cpu / wall);
    if (!ok) std::printf("  %s\n", prompter.last.c_str());
    return ok;
}

}  // namespace

int run_paced(const std::string& k2term_path) {
    char folder_template[] = "/tmp/link_bench_paced_XXXXXX";
    if (!::mkdtemp(folder_template)) return 1;
    const std::filesystem::path folder = folder_template;
    const std::string records = (folder / "records.txt").string();
    const std::string lookup = (folder / "items.txt").string();
    long lookup_bytes = kHandshake + kAnswer + kRequest + kAnswer;  // greeting, then "OVER\r"
    {
        std::ofstream out(records, std::ios::binary);
        for (int i = 0; i < kRecords; ++i) {
            std::string r = std::to_string(100000 + i) + ",";
            r.resize(kRecordSize, static_cast<char>('A' + i % 26));
            out << r << "\r\n";
        }
        std::ofstream items(lookup, std::ios::binary);
        for (int i = 0; i < kLookupLines; ++i) {
            const std::string line = std::to_string(4000000 + i) + ",Item number " +
                                     std::to_string(i) + ",EUR " + std::to_string(i % 97) + ".99";
            items << line << "\r\n";
            lookup_bytes += static_cast<long>(line.size()) + kPacketExtra + kAnswer;
        }
    }
    auto tpl = std::make_unique<Template>();
    reset_template(*tpl);
    const long program_bytes = kHandshake + kAnswer + kBlocks * (kBlockBytes + kAnswer);
    const long receive_bytes = kRequest + kAnswer + kRecords * (kRecordSize + kFrameExtra + kAnswer) +
                               kRequest;
    int failures = 0;
    for (const Speed& speed : {Speed{0, 115200}, Speed{4, 9600}}) {
        const LinkTarget target{0, static_cast<uint8_t>(speed.baud_index), false};
        failures += !measure(k2term_path, {"--expect", "program", "--out", folder.string()},
                             "program download (105 blocks)", speed, program_bytes,
                             [&](LinkSession& link) {
                                 DownloadRequest request;
                                 request.target = target;
                                 request.tpl = tpl.get();
                                 NoProgress progress;
                                 bool delivered = false;
                                 download_to_terminal(link, progress, nullptr, request, {},
                                                      &delivered);
                                 return delivered;
                             });
        failures += !measure(k2term_path, {"--records", records}, "reception (1000 records of 40)",
                             speed, receive_bytes, [&](LinkSession& link) {
                                 ReceiveEnvironment env;
                                 return receive_from_terminal(link, env, target,
                                                              (folder / "DATA.TXT").string()) ==
                                        kRecords;
                             });
        // The same reception keeping its history (records flushed to the
        // system each, to the disk at the end), and with a flush to the disk
        // after every record, for what that would cost.
        for (const bool sync_each : {false, true}) {
            failures += !measure(
                k2term_path, {"--records", records},
                sync_each ? "  history, fsync every record" : "  with the history", speed,
                receive_bytes, [&](LinkSession& link) {
                    HistoryRecorder history((folder / "history").string(), "link_bench", target);
                    history.set_sync_every_record(sync_each);
                    ReceiveEnvironment env;
                    env.history = &history;
                    return receive_from_terminal(link, env, target,
                                                 (folder / "DATA.TXT").string()) == kRecords &&
                           history.kept();
                });
        }
        failures += !measure(k2term_path, {"--expect", "lookup", "--out", folder.string()},
                             "lookup download (200 lines)", speed, lookup_bytes,
                             [&](LinkSession& link) {
                                 DownloadRequest request;
                                 request.target = target;
                                 request.kind = DownloadKind::LookupFile;
                                 request.lookup_path = lookup;
                                 NoProgress progress;
                                 bool delivered = false;
                                 download_to_terminal(link, progress, nullptr, request, {},
                                                      &delivered);
                                 return delivered;
                             });
    }
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
    return failures == 0 ? 0 : 1;
}

}  // namespace kolibra::bench
