// link_bench --noise P: seeded transfers through the terminal stand-in over a
// line that flips a bit in a byte with probability P, each way, on the virtual
// clock. Each run ends in one of three ways: an exact success, a failure the
// user is told about, or a false success (success reported, data wrong). A
// false success whose every damaged packet or frame kept its 16-bit sum is
// one the sum cannot see in principle; the others come from what the
// protocol does not number (a lookup record stored twice after a lost reply).
#include "link/bench/bench_support.h"
#include "link/bench/noisy_line.h"
#include "link/fake_port.h"
#include "link/protocol/download.h"
#include "link/protocol/receive.h"
#include "link/standin/terminal_standin.h"
#include "link/virtual_clock.h"
#include "model/program_image.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace kolibra::bench {

namespace {

constexpr int kLookupRecords = 40;
constexpr int kReceptionRecords = 100;

enum class Outcome { Exact, Visible, SumBlind, Unnumbered };

struct Tally {
    int runs = 0, exact = 0, visible = 0, false_success = 0, sum_blind = 0;
    void add(Outcome o) {
        ++runs;
        if (o == Outcome::Exact) ++exact;
        else if (o == Outcome::Visible) ++visible;
        else {
            ++false_success;
            if (o == Outcome::SumBlind) ++sum_blind;
        }
    }
    void print(const char* what) const {
        std::printf("%-20s runs %5d  exact %5d  visible failures %5d  false successes %4d"
                    "  (the 16-bit sum cannot see %d)\n",
                    what, runs, exact, visible, false_success, sum_blind);
    }
};

unsigned byte_sum(const std::string& s) {
    unsigned sum = 0;
    for (unsigned char c : s) sum += c;
    return sum & 0xFFFF;
}

// Same count, and every record that differs kept its sum: only a check
// stronger than a byte sum would have caught it.
Outcome judge_records(const std::vector<std::string>& got, const std::vector<std::string>& sent) {
    if (got == sent) return Outcome::Exact;
    if (got.size() != sent.size()) return Outcome::Unnumbered;
    for (std::size_t i = 0; i < got.size(); ++i)
        if (got[i] != sent[i] && byte_sum(got[i]) != byte_sum(sent[i])) return Outcome::Unnumbered;

    return Outcome::SumBlind;
}

struct Rig {
    Rig(TerminalOptions options, double rate, uint32_t seed)
        : terminal(std::move(options)), line(terminal, rate, seed), port(clock, &line),
          link{port, clock, prompter} {
        reset_run_line_settings();
    }
    VirtualClock clock;
    TerminalStandin terminal;
    NoisyLine line;
    FakePort port;
    QuietPrompter prompter;
    NoProgress progress;
    LinkSession link;
};

}  // namespace

int run_noise(double rate, int runs, uint32_t seed) {
    const std::string lookup_path =
        (std::filesystem::temp_directory_path() / ("link_bench_noise_" + std::to_string(::getpid()) + ".txt"))
            .string();
    std::vector<std::string> lookup_records, received_records;
    {
        std::ofstream out(lookup_path, std::ios::binary);
        for (int i = 0; i < kLookupRecords; ++i) {
            lookup_records.push_back(std::to_string(4000000 + i) + ",Item " + std::to_string(i));
            out << lookup_records.back() << "\r\n";
        }
        for (int i = 0; i < kReceptionRecords; ++i)
            received_records.push_back(std::to_string(100000 + i) + ",scan " + std::to_string(i * 7));
    }
    auto tpl = std::make_unique<Template>();
    reset_template(*tpl);
    auto image_copy = std::make_unique<Template>(*tpl);
    const ProgramImage image = build_program_image(*image_copy);

    Tally lookup, program, reception;
    for (int run = 0; run < runs; ++run) {
        const uint32_t run_seed = seed * 1000003u + static_cast<uint32_t>(run);
        {
            Rig rig({.expect = ExpectedDownload::Lookup}, rate, run_seed);
            DownloadRequest request;
            request.kind = DownloadKind::LookupFile;
            request.lookup_path = lookup_path;
            bool delivered = false;
            download_to_terminal(rig.link, rig.progress, nullptr, request, {}, &delivered);
            const auto& files = rig.terminal.lookup_files();
            lookup.add(!delivered ? Outcome::Visible
                       : files.empty() ? Outcome::Unnumbered
                                       : judge_records(files.back(), lookup_records));
        }
        {
            Rig rig({.expect = ExpectedDownload::Program}, rate, run_seed);

            DownloadRequest request;
            request.tpl = tpl.get();
            bool delivered = false;
            download_to_terminal(rig.link, rig.progress, nullptr, request, {}, &delivered);
            const auto& got = rig.terminal.program_image();

            Outcome o = Outcome::Visible;
            if (delivered) {
                // Blocks carry numbers: only a block whose sum survived the damage differs.
                o = got.size() == image.size() && std::equal(image.begin(), image.end(), got.begin())
                        ? Outcome::Exact
                        : Outcome::SumBlind;
            }
            program.add(o);
        }
        {
            TerminalOptions options;
            options.records = received_records;
            Rig rig(options, rate, run_seed);
            rig.port.open("COM1");
            rig.port.set_timeouts(transfer_timeouts());
            std::unique_ptr<std::FILE, int (*)(std::FILE*)> f(std::tmpfile(), &std::fclose);
            const int n = receive_records(rig.link, f.get(), nullptr);
            std::string data(static_cast<std::size_t>(std::ftell(f.get())), '\0');
            std::rewind(f.get());
            const bool read_back = std::fread(data.data(), 1, data.size(), f.get()) == data.size();
            std::vector<std::string> got;
            for (std::size_t at = 0, end; read_back && (end = data.find("\r\n", at)) != std::string::npos;
                 at = end + 2)
                got.push_back(data.substr(at, end - at));
            reception.add(n <= 0 ? Outcome::Visible : judge_records(got, received_records));
        }
    }
    std::remove(lookup_path.c_str());
    std::printf("byte error rate %g, seed %u\n", rate, seed);
    lookup.print("lookup download");
    program.print("program download");
    reception.print("reception");
    return 0;
}

}  // namespace kolibra::bench
