#include "lkpsend/lkpsend_settings.h"

#include "common/tool_files.h"

namespace kolibra {

namespace {

// One digit at the given offset of the text, if it is in low..high.
bool digit_at(std::string_view text, std::size_t offset, int low, int high, int& value) {
    if (offset >= text.size()) return false;
    int digit = static_cast<unsigned char>(text[offset]) - '0';
    if (digit < low || digit > high) return false;
    value = digit;
    return true;
}

}  // namespace

LkpsendSettings default_lkpsend_settings(const std::string& program_folder) {
    LkpsendSettings settings;
    settings.start_folder = program_folder;
    return settings;
}

void read_lkpsend_ini(std::string_view text, LkpsendSettings& settings) {
    if (text.empty() || text.size() > kLkpsendMaxIniBytes) return;
    settings.start_folder = std::string(text);
}

std::string lkpsend_ini_text(std::string_view chosen_path) {
    std::string folder = split_at_last_separator(chosen_path).directory;
    // The root folder is kept as itself: an empty ini means "no folder".
    if (folder.empty() && !chosen_path.empty() && is_path_separator(chosen_path.front())) {
        folder = std::string(1, chosen_path.front());
    }
    return folder;
}

std::string read_lkpsend_command_line(std::string_view text, LkpsendSettings& settings) {
    std::size_t comma = text.find(',');
    if (comma == std::string_view::npos) return std::string(text);
    int value = 0;
    if (digit_at(text, comma + 1, 1, 6, value)) settings.port_index = static_cast<uint8_t>(value - 1);
    if (digit_at(text, comma + 3, 1, 5, value)) settings.baud_index = static_cast<uint8_t>(value - 1);
    if (digit_at(text, comma + 5, 0, 1, value)) settings.use_transceiver = value == 1;
    return std::string(text.substr(0, comma));
}

}  // namespace kolibra
