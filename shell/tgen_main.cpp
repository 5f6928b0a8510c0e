// tgen: with no arguments the generator's window, with one template file the
// window showing it, otherwise one headless subcommand.
#include "common/console_output.h"
#include "link/port_names.h"
#include "shell/command_registry.h"
#include "shell/window_entry.h"

#include <cstdio>
#include <cstring>

namespace {

void print_help(std::FILE* out) {
    std::fprintf(out,
                 "Kolibra 2 Application Generator\n\n"
                 "Usage:\n"
                 "  tgen                 open the generator's window (needs a display)\n"
                 "  tgen TEMPLATE.ATX    open the window with this template loaded\n");
    for (const auto& command : kolibra::tgen_commands()) {
        std::fprintf(out, "  tgen %s\n      %s\n", command.usage, command.summary);
    }
    std::fprintf(out, "  tgen --help          show this text\n\n");
    // One line each, so the shell completion can take the values from here.
    std::fprintf(out, "Ports (COMn):");
    for (int i = 0; i < kolibra::kPortCount; ++i) std::fprintf(out, " %s", kolibra::port_name(i).c_str());
    std::fprintf(out, "\nSpeeds (B, bit/s):");
    for (int i = 0; i < kolibra::kBaudCount; ++i) {
        std::fprintf(out, " %u", static_cast<unsigned>(kolibra::baud_for_index(i)));
    }
    std::fprintf(out,
                 "\nCOMn is the device named by $KOLIBRA_COMn, else /dev/ttyS0../dev/ttyS5.\n"
                 "A template's port and speed are kept in the template file; tgen keeps no\n"
                 "settings file of its own.\n");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return kolibra::run_tgen_window(argc, argv);
    const char* word = argv[1];
    // A lone word that names no command is a template to open, as a file
    // manager starts tgen; a name that is also a command is reached as ./NAME.
    bool is_command = false;
    for (const auto& command : kolibra::tgen_commands()) is_command |= std::strcmp(word, command.name) == 0;
    const bool opens_window = argc == 2 && word[0] != '-' && !is_command && std::strcmp(word, "help") != 0;
    // The windowed tgen.exe started from a console prints there.
    if (!opens_window) kolibra::reach_parent_console();
    if (std::strcmp(word, "--help") == 0 || std::strcmp(word, "-h") == 0 ||
        std::strcmp(word, "help") == 0) {
        print_help(stdout);
        return 0;
    }
    for (const auto& command : kolibra::tgen_commands()) {
        if (std::strcmp(word, command.name) == 0) return command.run(argc - 1, argv + 1);
    }
    if (opens_window) return kolibra::run_tgen_window(argc, argv, word);
    std::fprintf(stderr, "tgen: unknown command '%s'\n\n", word);
    print_help(stderr);
    return 2;
}
