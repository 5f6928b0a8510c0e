// The download protocol fed arbitrary terminal replies through the fake
// port and the virtual clock; the first input byte chooses a program or a
// lookup download. Rules: every write is the greeting or a packet byte for
// byte as the terminal must get it, packets go in order, "Downloaded
// completely!" comes exactly when the download reports success and only
// after the terminal answered "ACK" to the last packet, and each wait stays
// within its 3 s.
#include "fuzz_support.h"
#include "link/fake_port.h"
#include "link/protocol/download.h"
#include "link/virtual_clock.h"
#include "model/program_image.h"

#include <unistd.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace kolibra;

const char kLookupText[] = "4711,Apples\r\n\r\nZ";

// The packets of kLookupText, built here on their own: record, check high,
// check low (0x0D sent as 0x0E), CR; then the end marker.
std::vector<std::string> lookup_packets() {
    std::vector<std::string> packets;
    for (const std::string record : {"4711,Apples", "", "Z"}) {
        unsigned sum = 0;
        for (unsigned char c : record) sum += c;
        auto no_cr = [](unsigned v) { return static_cast<char>((v & 0xFF) == 0x0D ? 0x0E : v & 0xFF); };
        packets.push_back(record + no_cr(sum >> 8) + no_cr(sum) + "\r");
    }
    packets.push_back("OVER\r");
    return packets;
}

std::vector<std::string> program_packets() {
    auto tpl = std::make_unique<Template>();
    reset_template(*tpl);
    const ProgramImage image = build_program_image(*tpl);
    std::vector<std::string> packets;
    for (int n = 0; n < 105; ++n) {
        std::string block(reinterpret_cast<const char*>(image.data()) + 100 * n, 100);
        unsigned sum = 0;
        for (unsigned char c : block) sum += c;
        block += static_cast<char>(sum >> 8);
        block += static_cast<char>(sum & 0xFF);
        block += static_cast<char>(n);
        packets.push_back(block);
    }
    return packets;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const bool program = data[0] & 1;
    static const std::vector<std::string> kLookup = lookup_packets();
    static const std::vector<std::string> kProgram = program_packets();
    static const std::string path = [] {
        const std::string p = "/tmp/kolibra_lookup_fuzz_" + std::to_string(::getpid()) + ".txt";
        std::ofstream(p, std::ios::binary) << kLookupText;
        return p;
    }();
    const std::vector<std::string>& packets = program ? kProgram : kLookup;

    VirtualClock clock;
    fuzz::FuzzedTerminal terminal(data + 1, size - 1);
    FakePort port(clock, &terminal);
    fuzz::RecordingPrompter prompter;
    fuzz::QuietProgress progress;
    LinkSession link{port, clock, prompter};
    auto tpl = std::make_unique<Template>();
    reset_template(*tpl);
    DownloadRequest request;
    request.kind = program ? DownloadKind::ProgramImage : DownloadKind::LookupFile;
    request.tpl = tpl.get();
    request.lookup_path = path;
    bool delivered = false;
    const uint32_t start = clock.now_ms();
    FUZZ_CHECK(download_to_terminal(link, progress, nullptr, request, {}, &delivered) ==
               kDownloadRan);
    const uint32_t elapsed = clock.now_ms() - start;

    FUZZ_CHECK(elapsed <= terminal.writes.size() * 3002u + 10);
    std::size_t next = 0;  // packets go in order; each one repeats until accepted
    for (const std::string& w : terminal.writes) {
        if (w == "QUORIN\r") {
            FUZZ_CHECK(next == 0);  // one attempt: the greeting only before the first packet
            continue;
        }
        if (next < packets.size() && w == packets[next]) {
            ++next;
            continue;
        }
        FUZZ_CHECK(next > 0 && w == packets[next - 1]);  // a resend of the packet before
    }
    FUZZ_CHECK(delivered == prompter.told("Downloaded completely!"));
    if (delivered) {
        FUZZ_CHECK(next == packets.size() && terminal.writes.back() == packets.back());
        // One "ACK" at least for the greeting and for every packet.
        std::size_t acks = 0;
        for (std::size_t at = terminal.all_answers.find("ACK"); at != std::string::npos;
             at = terminal.all_answers.find("ACK", at + 1))
            ++acks;
        FUZZ_CHECK(acks >= packets.size() + 1);
    }
    return 0;
}
