// kolibra_wincheck: a small Windows console program over the core libraries.
// It opens a COM port the way the tools do, applies the line settings, and
// with --ir looks for the IR transceiver; it prints what happened.
//
//   kolibra_wincheck [PORT 1-6] [BAUD 1-5] [--ir]
#include <charconv>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "common/stderr_prompter.h"
#include "link/clock.h"
#include "link/ir_transceiver.h"
#include "link/port_names.h"
#include "link/serial_port.h"
#include "model/program_image.h"
#include "model/template.h"

namespace {

constexpr int kExitUsage = 2;

const char kUsage[] =
    "usage: kolibra_wincheck [PORT] [BAUD] [--ir]\n"
    "  PORT  1-6 for COM1..COM6 (default 1)\n"
    "  BAUD  1-5 for 115200, 57600, 38400, 19200, 9600 bit/s (default 1)\n"
    "  --ir  also set up the IR transceiver on the port\n";

// A whole number from 1 to `highest`, else 0.
int choice_number(std::string_view text, int highest) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return 0;
    return value >= 1 && value <= highest ? value : 0;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace kolibra;
    int port_index = 0;
    int baud_index = 0;
    bool use_ir = false;
    int position = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h" || arg == "/?") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (arg == "--ir") {
            use_ir = true;
            continue;
        }
        const int highest = position == 0 ? kPortCount : kBaudCount;
        const int number = arg.empty() || arg[0] == '-' || position > 1 ? 0 : choice_number(arg, highest);
        if (number == 0) {
            std::fprintf(stderr, "kolibra_wincheck: %s is not a valid %s\n%s", argv[i],
                         position == 0 ? "PORT" : position == 1 ? "BAUD" : "argument", kUsage);
            return kExitUsage;
        }
        (position == 0 ? port_index : baud_index) = number - 1;
        ++position;
    }

    // The program image of a new template, to show the model works here too.
    static Template tpl;
    reset_template(tpl);
    const ProgramImage image = build_program_image(tpl);
    std::printf("program image of a new template: %zu bytes\n", image.size());

    const std::string path = port_device_path(port_index);
    std::printf("%s is %s, %u bit/s\n", port_name(port_index).c_str(), path.c_str(),
                baud_for_index(baud_index));
    auto port = make_serial_port();
    if (!port->open(path)) {
        std::printf("Can't open the COM port!\n");
        return 1;
    }
    port->set_buffer_sizes(kDownloadBufferIn, kDownloadBufferOut);
    SteadyClock clock;
    LineSettings& line = run_line_settings();
    set_plain_line(line, baud_for_index(baud_index));
    if (use_ir) {
        StderrPrompter prompter;
        if (!setup_ir_transceiver(*port, clock, line, baud_index,
                                  TransceiverSetup::lookup_sender(prompter))) {
            port->close();
            return 1;
        }
        std::printf("IR transceiver set to %u bit/s\n", line.baud_rate);
    }
    if (!port->apply(line)) {
        std::printf("Error on setting communication state\n");
        port->close();
        return 1;
    }
    port->set_timeouts(transfer_timeouts());
    port->purge_input();
    port->close();
    std::printf("port set up and closed\n");
    return 0;
}
