#include "common/user_settings.h"

#include "common/file_replace.h"
#include "common/tool_files.h"

#include <cstdlib>

namespace kolibra {

namespace {

// A settings file is a few short lines; anything much larger is not one.
constexpr std::size_t kMaxSettingsBytes = 64 * 1024;

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

bool has_control_character(const std::string& text) {
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7f) return true;
    }
    return false;
}

}  // namespace

std::string user_settings_path() {
    IniPlaces places;  // the program's folder is never used for per-user settings
    places.xdg_config_home = environment("XDG_CONFIG_HOME");
    places.home = environment("HOME");
    places.appdata = environment("APPDATA");
    return ini_file_path(places, "tgen-user.ini");
}

UserSettings UserSettings::load(const std::string& path) {
    UserSettings settings(path);
    const std::optional<FilePrefix> file = read_file_prefix(path, kMaxSettingsBytes);
    if (!file || file->longer) return settings;
    if (file->bytes.find('\0') != std::string::npos) return settings;  // not text
    std::size_t start = 0;
    while (start < file->bytes.size()) {
        std::size_t end = file->bytes.find('\n', start);
        if (end == std::string::npos) end = file->bytes.size();
        std::string line = file->bytes.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::size_t equals = line.find('=');
        if (equals == 0 || equals == std::string::npos || has_control_character(line)) continue;
        settings.values_[line.substr(0, equals)] = line.substr(equals + 1);
    }
    return settings;
}

std::string UserSettings::get(const std::string& key) const {
    const auto it = values_.find(key);
    return it == values_.end() ? std::string() : it->second;
}

bool UserSettings::set(const std::string& key, const std::string& value) {
    if (key.empty() || key.find('=') != std::string::npos || has_control_character(key) ||
        has_control_character(value))
        return false;
    values_[key] = value;
    return true;
}

SaveResult UserSettings::save() const {
    std::string text;
    for (const auto& [key, value] : values_) text += key + "=" + value + "\n";
    ReplaceOptions options;
    options.create_folders = true;
    const ReplaceResult result = replace_file_contents(path_, text, options);
    return {result.ok, result.reason};
}

SaveResult remember_user_setting(const std::string& key, const std::string& value) {
    UserSettings settings = UserSettings::load(user_settings_path());
    if (!settings.set(key, value)) return {false, "the setting cannot be stored as one line"};
    return settings.save();
}

}  // namespace kolibra
