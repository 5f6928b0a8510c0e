#include "shell/commands/csv_options.h"

#include <cstring>

namespace kolibra {

namespace {

// ",", ";", "tab" (or "\t" as typed), "comma", "semicolon", or one character.
char separator_named(const std::string& text) {
    if (text == "tab" || text == "\\t" || text == "\t") return '\t';
    if (text == "comma") return ',';
    if (text == "semicolon") return ';';
    if (text.size() == 1 && text[0] != '"' && text[0] != '\r' && text[0] != '\n') return text[0];
    return 0;
}

}  // namespace

bool take_csv_option(int argc, char** argv, int& i, LookupConvertOptions& options,
                     std::string& error) {
    const char* a = argv[i];
    if (std::strcmp(a, "--no-header") == 0) {
        options.header = false;
    } else if (std::strcmp(a, "--cut") == 0) {
        options.cut = true;
    } else if (std::strcmp(a, "--ascii-only") == 0) {
        options.ascii_only = true;
    } else if (std::strcmp(a, "--columns") == 0 || std::strcmp(a, "--separator") == 0) {
        if (i + 1 >= argc) {
            error = std::string(a) + " needs a value";
            return true;
        }
        const std::string value = argv[++i];
        if (a[2] == 's') {
            options.separator = separator_named(value);
            if (options.separator == 0)
                error = "bad separator '" + value + "' (a comma, a semicolon, tab, or one character)";
            return true;
        }
        options.columns.clear();
        std::size_t start = 0;
        for (;;) {
            const std::size_t comma = value.find(',', start);
            options.columns.push_back(value.substr(start, comma - start));
            if (options.columns.back().empty()) error = "an empty column name in '" + value + "'";
            if (comma == std::string::npos) break;
            start = comma + 1;
        }
    } else {
        return false;
    }
    return true;
}

int lookup_file_index(const std::string& text) {
    return text.size() == 1 && text[0] >= '1' && text[0] <= '3' ? text[0] - '1' : -1;
}

}  // namespace kolibra
