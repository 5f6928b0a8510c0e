#include "shell/command_registry.h"

#include <algorithm>
#include <cstring>

namespace kolibra {

static std::vector<TgenCommand>& registry() {
    static std::vector<TgenCommand> commands;
    return commands;
}

bool register_tgen_command(const TgenCommand& command) {
    auto& commands = registry();
    commands.push_back(command);
    std::sort(commands.begin(), commands.end(), [](const TgenCommand& a, const TgenCommand& b) {
        return std::strcmp(a.name, b.name) < 0;
    });
    return true;
}

const std::vector<TgenCommand>& tgen_commands() { return registry(); }

}  // namespace kolibra
