// A small per-user settings store: `key=value` lines in a file of the user's
// configuration folder ($XDG_CONFIG_HOME/kolibra, else ~/.config/kolibra;
// %APPDATA%\kolibra on Windows). A missing or damaged file reads as no
// settings, so every caller falls back to its default; a change is written
// through a temporary file, so a failed write leaves the old file as it was.
//
//   UserSettings settings = UserSettings::load(user_settings_path());
//   settings.set("terminal_zoom", "150");
//   SaveResult saved = settings.save();
#pragma once

#include <map>
#include <string>

namespace kolibra {

// The file of this user's settings, from the environment.
std::string user_settings_path();

struct SaveResult {
    bool ok = false;
    std::string reason;  // why the file could not be written
};

class UserSettings {
public:
    UserSettings() = default;
    explicit UserSettings(std::string path) : path_(std::move(path)) {}

    // Reads the file at `path`. Lines without "=", with an empty key, or
    // holding control characters are skipped; a file that is not text at
    // all (or larger than any settings file) gives no settings.
    static UserSettings load(const std::string& path);

    const std::string& path() const { return path_; }
    // The stored value, or "" when the key is not stored.
    std::string get(const std::string& key) const;
    // Keys and values are one line each: "=" and line breaks are refused in
    // a key, line breaks in a value (false, nothing stored).
    bool set(const std::string& key, const std::string& value);
    const std::map<std::string, std::string>& values() const { return values_; }

    // Writes every setting, one `key=value` line each in key order, creating
    // the folder when needed.
    SaveResult save() const;

private:
    std::string path_;
    std::map<std::string, std::string> values_;
};

// Reads the settings file, sets one key and writes it back: the usual way a
// window remembers a choice.
SaveResult remember_user_setting(const std::string& key, const std::string& value);

}  // namespace kolibra
