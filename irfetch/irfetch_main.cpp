// irfetch: receives the records collected by a terminal through a serial IR
// transceiver into a text file. Without arguments it shows its settings
// dialog; with a command line it runs without asking.
#include "common/console_output.h"
#include "common/platform_texts.h"
#include "irfetch/irfetch_program.h"
#include "irfetch/irfetch_run.h"
#include "irfetch/irfetch_settings.h"

#include <cstdio>
#include <cstring>

namespace {

void print_help() {
    std::printf(
        "Read data via Serial IR: receives the records collected by a Kolibra 2 terminal\n"
        "through a serial IR transceiver into a text file.\n"
        "\n"
        "Usage:\n"
        "  irfetch                     show the settings dialog, then receive\n"
        "  irfetch PATH,P,B,M,R,L,S,V  receive into PATH without the dialog\n"
        "  irfetch --help              show this text\n"
        "\n"
        "The values after PATH are one character each, separated by one character:\n"
        "  P  port 1-6 (COM1-COM6)\n"
        "  B  speed 1-5 (115200, 57600, 38400, 19200, 9600 bit/s)\n"
        "  M  file mode 1 Overwrite, 2 Append, 3 New name\n"
        "  R  1: add CR after each record\n"
        "  L  1: add LF after each record\n"
        "  S  1: show error messages\n"
        "  V  1: offer to view the received data\n"
        "A value left out or out of range keeps the setting of the ini file.\n"
        "Example: irfetch %s,2,5,2,1,1,0,0\n"
        "\n"
        "Settings file: irfetch.ini beside the program when its folder is writable;\n"
        "otherwise (as when installed %s) the per-user one:\n"
        "  %s\n"
        "%s\n"
        "Without a display, messages are printed on stderr as \"Caption: text\" and\n"
        "questions are answered No.\n"
        "\n"
        "Exit status: 0 not started or cancelled, 1 records received, 2 no record\n"
        "received, 3 reception broken off, 4 data file could not be opened or created,\n"
        "5 port or transceiver failed.\n",
        kolibra::kExampleDataFile, kolibra::kInstalledProgramFolder,
#ifdef _WIN32
        "%APPDATA%\\kolibra\\irfetch.ini"
#else
        "$XDG_CONFIG_HOME/kolibra/irfetch.ini, else ~/.config/kolibra/irfetch.ini"
#endif
        , kolibra::kPortDeviceHelp);
}

}  // namespace

int main(int argc, char** argv) {
    kolibra::ToolStart start = kolibra::tool_start(argc, argv, kolibra::kIrfetchIniName);
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        kolibra::reach_parent_console();
        print_help();
        return kolibra::kIrfetchNotStarted;
    }
    return kolibra::run_irfetch_program(start);
}
