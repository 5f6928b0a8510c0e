#include "irfetch/irfetch_settings.h"

#include "common/tool_files.h"

namespace kolibra {

namespace {

constexpr uint8_t kPortCount = 6;
constexpr uint8_t kBaudCount = 5;
constexpr uint8_t kModeCount = 3;

// One digit at the given offset of the text, if it is in '0'+low..'0'+high.
bool digit_at(std::string_view text, std::size_t offset, int low, int high, int& value) {
    if (offset >= text.size()) return false;
    int digit = static_cast<unsigned char>(text[offset]) - '0';
    if (digit < low || digit > high) return false;
    value = digit;
    return true;
}

// The values that follow the file name (ini) or the path (command line), in
// the order of the ini file; `first` is the offset of the port digit and each
// further value sits `step` bytes on. `count` values are read.
void read_values(std::string_view text, std::size_t first, std::size_t step, int count,
                 IrfetchSettings& settings) {
    int value = 0;
    std::size_t at = first;
    auto next = [&](int low, int high) {
        bool taken = digit_at(text, at, low, high, value);
        at += step;
        return taken;
    };
    if (count-- > 0 && next(1, kPortCount)) settings.port_index = static_cast<uint8_t>(value - 1);
    if (count-- > 0 && next(1, kBaudCount)) settings.baud_index = static_cast<uint8_t>(value - 1);
    if (count-- > 0 && next(1, kModeCount)) settings.file_mode = static_cast<FileMode>(value - 1);
    bool* flags[] = {&settings.add_cr, &settings.add_lf, &settings.show_messages,
                     &settings.view_data, &settings.always_show_dialog};
    for (bool* flag : flags) {
        if (count-- <= 0) break;
        if (next(0, 1)) *flag = value == 1;
    }
}

}  // namespace

IrfetchSettings default_irfetch_settings(const std::string& program_folder) {
    IrfetchSettings settings;
    if (program_folder.size() <= kIrfetchMaxDirectory) settings.directory = program_folder;
    return settings;
}

void read_irfetch_ini(std::string_view text, IrfetchSettings& settings) {
    std::size_t cr = text.find('\r');
    if (cr == std::string_view::npos || cr + 1 >= text.size() || text[cr + 1] != '\n') {
        // No CR LF after the first line: the whole text is the directory.
        if (text.size() <= kIrfetchMaxDirectory) settings.directory = std::string(text);
        return;
    }
    if (cr <= kIrfetchMaxDirectory) settings.directory = std::string(text.substr(0, cr));

    std::size_t name_start = cr + 2;
    std::size_t name_end = text.find('\r', name_start);
    if (name_end == std::string_view::npos) name_end = text.size();
    std::string_view name = text.substr(name_start, name_end - name_start);
    if (name.size() <= kIrfetchMaxFileName) settings.file_name = std::string(name);
    if (name_end + 1 >= text.size() || text[name_end + 1] != '\n') return;

    read_values(text, name_end + 2, 3, 8, settings);
}

std::string irfetch_ini_text(const IrfetchSettings& settings) {
    auto digit = [](int value) { return static_cast<char>('0' + value); };
    std::string text;
    text += settings.directory;
    text += "\r\n";
    text += settings.file_name;
    text += "\r\n";
    text += digit(settings.port_index + 1);
    text += "\r\n";
    text += digit(settings.baud_index + 1);
    text += "\r\n";
    text += digit(static_cast<int>(settings.file_mode) + 1);
    for (bool flag : {settings.add_cr, settings.add_lf, settings.show_messages, settings.view_data,
                      settings.always_show_dialog}) {
        text += "\r\n";
        text += digit(flag ? 1 : 0);
    }
    return text;
}

std::string read_irfetch_command_line(std::string_view text, IrfetchSettings& settings) {
    std::size_t comma = text.find(',');
    if (comma == std::string_view::npos) return std::string(text);
    // The always-show setting cannot be given on the command line: 7 values.
    read_values(text, comma + 1, 2, 7, settings);
    return std::string(text.substr(0, comma));
}

std::string irfetch_full_path(const IrfetchSettings& settings) {
    return join_path(settings.directory, settings.file_name);
}

}  // namespace kolibra
