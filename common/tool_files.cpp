#include "common/tool_files.h"

#include "common/file_replace.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace kolibra {

namespace fs = std::filesystem;

bool is_path_separator(char c) {
#ifdef _WIN32
    return c == '\\' || c == '/';
#else
    return c == '/';
#endif
}

namespace {

std::string own_program_path(const char* argv0) {
#if defined(_WIN32)
    char buffer[MAX_PATH + 1] = {};
    DWORD length = GetModuleFileNameA(nullptr, buffer, MAX_PATH);
    if (length > 0 && length < MAX_PATH) return std::string(buffer, length);
#elif defined(__linux__)
    std::error_code link_error;
    fs::path self = fs::read_symlink("/proc/self/exe", link_error);
    if (!link_error) return self.string();
#endif
    if (!argv0) return {};
    std::error_code error;
    fs::path absolute = fs::absolute(argv0, error);
    return error ? std::string(argv0) : absolute.string();
}

bool folder_accepts_new_files(const std::string& folder) {
    if (folder.empty()) return false;
    // Trying is the only reliable test: permissions, read-only mounts and
    // Windows' protected folders all show up as a failed create.
    std::string probe = folder + ".kolibra-write-test-" + std::to_string(
#ifdef _WIN32
        GetCurrentProcessId()
#else
        getpid()
#endif
    );
    std::FILE* file = std::fopen(probe.c_str(), "wb");
    if (!file) return false;
    std::fclose(file);
    std::remove(probe.c_str());
    return true;
}

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

}  // namespace

std::string program_folder(const char* argv0) {
    std::string path = own_program_path(argv0);
    PathParts parts = split_at_last_separator(path);
    if (parts.directory.empty() && (path.empty() || !is_path_separator(path[0]))) return {};
    return parts.directory + kPathSeparator;
}

IniPlaces current_ini_places(const char* argv0) {
    IniPlaces places;
    places.program_folder = program_folder(argv0);
    places.program_folder_writable = folder_accepts_new_files(places.program_folder);
    places.xdg_config_home = environment("XDG_CONFIG_HOME");
    places.home = environment("HOME");
    places.appdata = environment("APPDATA");
    return places;
}

std::string ini_file_path(const IniPlaces& places, const std::string& file_name) {
    if (places.program_folder_writable) return join_path(places.program_folder, file_name);
#ifdef _WIN32
    if (!places.appdata.empty()) return join_path(join_path(places.appdata, "kolibra"), file_name);
#else
    if (!places.xdg_config_home.empty()) {
        return join_path(join_path(places.xdg_config_home, "kolibra"), file_name);
    }
    if (!places.home.empty()) {
        return join_path(join_path(join_path(places.home, ".config"), "kolibra"), file_name);
    }
#endif
    return join_path(places.program_folder, file_name);
}

std::string join_path(std::string_view directory, std::string_view name) {
    std::string path(directory);
    if (!path.empty() && !is_path_separator(path.back())) path += kPathSeparator;
    path += name;
    return path;
}

PathParts split_at_last_separator(std::string_view path) {
    for (std::size_t i = path.size(); i > 0; --i) {
        if (is_path_separator(path[i - 1])) {
            return {std::string(path.substr(0, i - 1)), std::string(path.substr(i))};
        }
    }
    return {"", std::string(path)};
}

std::optional<FilePrefix> read_file_prefix(const std::string& path, std::size_t max_bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    FilePrefix prefix;
    prefix.bytes.resize(max_bytes);
    in.read(prefix.bytes.data(), static_cast<std::streamsize>(max_bytes));
    prefix.bytes.resize(static_cast<std::size_t>(in.gcount()));
    if (in.bad()) return std::nullopt;
    prefix.longer = prefix.bytes.size() == max_bytes && in.peek() != std::char_traits<char>::eof();
    return prefix;
}

ToolStart tool_start(int argc, char** argv, const std::string& ini_name) {
    ToolStart start;
    start.argc = argc;
    start.argv = argv;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) start.command_line += ' ';
        start.command_line += argv[i];
    }
    IniPlaces places = current_ini_places(argc > 0 ? argv[0] : nullptr);
    start.program_folder = places.program_folder;
    start.ini_path = ini_file_path(places, ini_name);
    return start;
}

bool replace_file(const std::string& path, std::string_view bytes) {
    ReplaceOptions options;
    options.create_folders = true;
    return replace_file_contents(path, bytes, options).ok;
}

}  // namespace kolibra
