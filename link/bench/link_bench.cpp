// link_bench: times a program download and a reception of 1000 records of 40
// bytes against k2term over a pseudo-terminal, with the real port layer and
// clock. For each it prints the wall time, the CPU time this process used,
// and the ratio of the wall time to the time the same bytes need on a
// 115200 bit/s line (10 bits per byte; a pty has no line speed of its own).
//
//   link_bench [--k2term PATH] [--runs N]
//
// --paced runs k2term at the line rate (paced_runs_posix.cpp), --noise P runs
// seeded transfers over a line that damages bytes (noise_runs.cpp).
#include "link/bench/bench_host.h"
#include "link/bench/bench_support.h"
#include "link/clock.h"
#include "link/protocol/download.h"
#include "link/protocol/receive.h"
#include "link/serial_port.h"
#include "model/template.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#ifndef K2TERM_PATH
#define K2TERM_PATH "k2term"
#endif

namespace {

using namespace kolibra;
using bench::NoProgress;
using bench::QuietPrompter;

constexpr const char* kUsage =
    "usage: link_bench [--k2term PATH] [--runs N]      plain timing over a pty\n"
    "       link_bench --paced [--k2term PATH]          against k2term --line-rate\n"
    "       link_bench --noise P [--runs N] [--seed S]  byte error rate P, in process\n";

constexpr int kRecords = 1000;
constexpr int kRecordSize = 40;

struct Measure {
    std::chrono::steady_clock::time_point wall_start = std::chrono::steady_clock::now();
    double cpu_start = bench::process_cpu_seconds();

    void report(const char* what, long wire_bytes, bool ok) const {
        const double wall =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - wall_start).count();
        const double cpu = bench::process_cpu_seconds() - cpu_start;
        const double line = static_cast<double>(wire_bytes) * 10.0 / 115200.0;
        std::printf("%-34s %s  wall %7.3f s  cpu %6.3f s  line %6.3f s  wall/line %5.2f\n", what,
                    ok ? "ok    " : "FAILED", wall, cpu, line, wall / line);
    }
};

}  // namespace

int main(int argc, char** argv) {
    std::string k2term_path = K2TERM_PATH;
    int runs = 3;
    bool paced = false;
    double noise = -1;
    uint32_t seed = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--k2term") == 0 && i + 1 < argc) {
            k2term_path = argv[++i];
        } else if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc) {
            runs = std::max(1, std::atoi(argv[++i]));
        } else if (std::strcmp(argv[i], "--paced") == 0) {
            paced = true;
        } else if (std::strcmp(argv[i], "--noise") == 0 && i + 1 < argc) {
            char* end = nullptr;
            noise = std::strtod(argv[++i], &end);
            if (*end != '\0' || !(noise >= 0 && noise <= 1)) {
                std::fprintf(stderr, "link_bench: --noise takes a rate from 0 to 1\n");
                return 2;
            }
        } else if (std::strcmp(argv[i], "--seed") == 0 && i + 1 < argc) {
            seed = static_cast<uint32_t>(std::strtoul(argv[++i], nullptr, 10));
        } else {
            std::fprintf(stderr, "%s", kUsage);
            return 2;
        }
    }
    if (noise >= 0) return bench::run_noise(noise, runs, seed);
    if (paced) return bench::run_paced(k2term_path);

    const std::filesystem::path folder = bench::make_scratch_folder();
    if (folder.empty()) {
        std::fprintf(stderr, "link_bench: cannot make a scratch folder\n");
        return 1;
    }
    const std::string records = (folder / "records.txt").string();
    {
        std::ofstream out(records, std::ios::binary);
        for (int i = 0; i < kRecords; ++i) {
            std::string r = std::to_string(100000 + i) + ",";
            r.resize(kRecordSize, static_cast<char>('A' + i % 26));
            out << r << "\r\n";
        }
    }

    int failures = 0;
    {
        bench::StandIn k2term;
        if (!k2term.start(k2term_path, records, folder.string())) {
            std::fprintf(stderr, "link_bench: k2term did not start (%s)\n", k2term_path.c_str());
            return 1;
        }
        bench::set_environment("KOLIBRA_COM1", k2term.device());
        std::printf("k2term on %s; %d runs each\n", k2term.device().c_str(), runs);

        auto tpl = std::make_unique<Template>();
        reset_template(*tpl);
        // Handshake and its answer, then 105 blocks of 103 bytes, each answered "ACK\r".
        const long download_bytes = 7 + 4 + 105L * (103 + 4);
        // "READ\r", "ACK\r", then per record a frame (record + 4) and "ACK\r", then "OVER\r".
        const long receive_bytes = 5 + 4 + kRecords * (kRecordSize + 4 + 4L) + 5;

        for (int run = 0; run < runs; ++run) {
            auto port = make_serial_port();
            SteadyClock clock;
            QuietPrompter prompter;
            NoProgress progress;
            LinkSession link{*port, clock, prompter};

            Measure download;
            DownloadRequest request;
            request.tpl = tpl.get();
            bool delivered = false;
            download_to_terminal(link, progress, nullptr, request, DownloadOptions{}, &delivered);
            download.report("program download (10500 bytes)", download_bytes, delivered);
            failures += !delivered;

            const std::string data = (folder / "DATA.TXT").string();
            Measure receive;
            ReceiveEnvironment env;
            int n = receive_from_terminal(link, env, LinkTarget{}, data);
            receive.report("reception (1000 records of 40)", receive_bytes, n == kRecords);
            failures += n != kRecords;
            if (n != kRecords) std::printf("  %d records; %s\n", n, prompter.last.c_str());
        }
    }
    {
        // One unanswered exchange: 3 s of waiting that should cost no CPU.
        bench::StandIn silent;
        if (!silent.start(k2term_path, records, folder.string(), true)) return 1;
        auto port = make_serial_port();
        SteadyClock clock;
        if (port->open(silent.device())) {
            LineSettings line{};
            line.baud_rate = 115200;
            line.byte_size = 8;
            port->apply(line);
            port->set_timeouts(transfer_timeouts());
            QuietPrompter prompter;
            LinkSession link{*port, clock, prompter};
            const uint8_t hello[] = {'Q', 'U', 'O', 'R', 'I', 'N', '\r'};
            Measure wait;
            const bool answered = !exchange_with_terminal(link, hello, sizeof hello).empty();
            wait.report("silent terminal, one exchange", sizeof hello, !answered);
            port->close();
        }
    }
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
    return failures == 0 ? 0 : 1;
}
