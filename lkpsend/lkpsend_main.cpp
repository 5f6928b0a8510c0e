// lkpsend: sends one lookup file to the terminal, straight through the port
// or through a serial IR transceiver. Without arguments it asks for the file
// and the port; with a command line it asks nothing.
#include "common/console_output.h"
#include "common/platform_texts.h"
#include "lkpsend/lkpsend_program.h"
#include "lkpsend/lkpsend_run.h"
#include "lkpsend/lkpsend_settings.h"

#include <cstdio>
#include <cstring>

namespace {

void print_help() {
    std::printf(
        "Download Lookup: sends one lookup file (text, one record per line) to a\n"
        "Kolibra 2 terminal.\n"
        "\n"
        "Usage:\n"
        "  lkpsend               choose the file and the port in dialogs, then send\n"
        "  lkpsend PATH,P,B,T    send PATH without any dialog\n"
        "  lkpsend --help        show this text\n"
        "\n"
        "The values after PATH are one character each, separated by one character:\n"
        "  P  port 1-6 (COM1-COM6), default 1\n"
        "  B  speed 1-5 (115200, 57600, 38400, 19200, 9600 bit/s), default 1\n"
        "  T  1: through a serial IR transceiver, 0: straight (default)\n"
        "A value left out or out of range keeps its default. PATH is at most 255\n"
        "characters. Example: lkpsend %s,2,5,1\n"
        "\n"
        "The folder of the last file chosen is kept in lkpsend.ini beside the program\n"
        "when its folder is writable; otherwise (as when installed %s)\n"
        "in the per-user one:\n"
        "  %s\n"
        "%s\n"
        "Without a display, messages are printed on stderr as \"Caption: text\" and\n"
        "questions are answered No.\n"
        "\n"
        "Exit status: 0 downloaded completely, 1 download failed or given up,\n"
        "2 cancelled, 3 file or port could not be opened or set up.\n",
        kolibra::kExampleLookupFile, kolibra::kInstalledProgramFolder,
#ifdef _WIN32
        "%APPDATA%\\kolibra\\lkpsend.ini"
#else
        "$XDG_CONFIG_HOME/kolibra/lkpsend.ini, else ~/.config/kolibra/lkpsend.ini"
#endif
        , kolibra::kPortDeviceHelp);
}

}  // namespace

int main(int argc, char** argv) {
    kolibra::ToolStart start = kolibra::tool_start(argc, argv, kolibra::kLkpsendIniName);
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        kolibra::reach_parent_console();
        print_help();
        return kolibra::kLkpsendDownloaded;
    }
    return kolibra::run_lkpsend_program(start);
}
