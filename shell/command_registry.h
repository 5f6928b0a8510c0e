// tgen's headless subcommands. Each command lives in its own file under
// commands/ and registers itself with KOLIBRA_TGEN_COMMAND, so subsystems add
// commands without touching one shared list.
#pragma once

#include <vector>

namespace kolibra {

struct TgenCommand {
    const char* name;     // the word after "tgen"
    const char* usage;    // for example "new TEMPLATE.ATX"
    const char* summary;  // one line for --help
    // argv[0] is the command name; returns the exit status.
    int (*run)(int argc, char** argv);
};

bool register_tgen_command(const TgenCommand& command);
const std::vector<TgenCommand>& tgen_commands();

}  // namespace kolibra

#define KOLIBRA_TGEN_COMMAND_CAT2(a, b) a##b
#define KOLIBRA_TGEN_COMMAND_CAT(a, b) KOLIBRA_TGEN_COMMAND_CAT2(a, b)
#define KOLIBRA_TGEN_COMMAND(...)                                             \
    static const bool KOLIBRA_TGEN_COMMAND_CAT(tgen_command_registered_, __LINE__) = \
        ::kolibra::register_tgen_command(::kolibra::TgenCommand{__VA_ARGS__})
