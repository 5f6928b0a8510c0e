// The receive protocol fed arbitrary terminal bytes through the fake port
// and the virtual clock. Rules: the result is a count, 0 or -1; the desktop
// only ever writes "READ\r", "ACK\r" and "NAK\r"; every record written to
// the file came in a frame with the right sequence number and check bytes;
// and each wait stays within its time-out.
#include "fuzz_support.h"
#include "link/fake_port.h"
#include "link/protocol/receive.h"
#include "link/virtual_clock.h"

#include <cstdio>
#include <memory>
#include <string>

namespace {

// The frame the terminal must have sent for record number `index`, built
// here on its own: sequence byte, record, check low, check high, CR.
std::string expected_frame(std::size_t index, const std::string& record) {
    std::string frame(1, static_cast<char>(index % 10));
    frame += record;
    unsigned sum = 0;
    for (unsigned char c : frame) sum += c;
    auto no_cr = [](unsigned v) { return static_cast<char>((v & 0xFF) == 0x0D ? 0x0E : v & 0xFF); };
    frame += no_cr(sum);
    frame += no_cr(sum >> 8);
    frame += '\r';
    return frame;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    using namespace kolibra;
    VirtualClock clock;
    fuzz::FuzzedTerminal terminal(data, size);
    FakePort port(clock, &terminal);
    fuzz::RecordingPrompter prompter;
    LinkSession link{port, clock, prompter};
    port.open("COM1");
    port.set_timeouts(transfer_timeouts());
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::tmpfile(), &std::fclose);
    const uint32_t start = clock.now_ms();
    const int result = receive_records(link, file.get(), nullptr);
    const uint32_t elapsed = clock.now_ms() - start;

    FUZZ_CHECK(result >= -1);
    for (const std::string& w : terminal.writes)
        FUZZ_CHECK(w == "READ\r" || w == "ACK\r" || w == "NAK\r");
    FUZZ_CHECK(elapsed <= (terminal.writes.size() + 1) * 3001u);

    std::string written(static_cast<std::size_t>(std::ftell(file.get())), '\0');
    std::rewind(file.get());
    FUZZ_CHECK(std::fread(written.data(), 1, written.size(), file.get()) == written.size());
    std::size_t index = 0, at = 0;
    while (at < written.size()) {
        const std::size_t end = written.find("\r\n", at);
        FUZZ_CHECK(end != std::string::npos);
        const std::string record = written.substr(at, end - at);
        FUZZ_CHECK(record.find('\r') == std::string::npos && record.size() <= 251);
        FUZZ_CHECK(terminal.all_answers.find(expected_frame(index, record)) != std::string::npos);
        ++index;
        at = end + 2;
    }
    if (result > 0) FUZZ_CHECK(static_cast<std::size_t>(result) == index);
    if (result == 0) FUZZ_CHECK(index == 0);
    return 0;
}
