#include "common/system_launcher.h"

#include <cstdlib>

namespace kolibra {

namespace {

std::string default_viewer() {
#if defined(_WIN32)
    return "notepad.exe";
#elif defined(__APPLE__)
    return "open";
#else
    return "xdg-open";
#endif
}

}  // namespace

std::vector<std::string> text_viewer_command(const std::string& path) {
    std::string viewer = default_viewer();
    if (const char* chosen = std::getenv("KOLIBRA_TEXT_VIEWER"); chosen && *chosen) viewer = chosen;
    return {viewer, path};
}

std::string windows_command_line(const std::vector<std::string>& args) {
    std::string line;
    for (const std::string& arg : args) {
        if (!line.empty()) line.push_back(' ');
        if (!arg.empty() && arg.find_first_of(" \t\n\v\"") == std::string::npos) {
            line += arg;
            continue;
        }
        // Inside quotes, backslashes count only before a quote: those are
        // doubled, and the quote itself is escaped.
        line.push_back('"');
        std::size_t backslashes = 0;
        for (char c : arg) {
            if (c == '\\') {
                ++backslashes;
                continue;
            }
            if (c == '"') {
                line.append(2 * backslashes + 1, '\\');
            } else {
                line.append(backslashes, '\\');
            }
            backslashes = 0;
            line.push_back(c);
        }
        line.append(2 * backslashes, '\\');
        line.push_back('"');
    }
    return line;
}

}  // namespace kolibra
