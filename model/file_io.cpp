// Reading the start of a file and replacing a whole file.
#include "model/file_io.h"

#include "common/file_open.h"
#include "common/file_replace.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace kolibra {

bool read_whole_file(const std::string& path, std::size_t limit, std::string& bytes,
                     std::string& reason) {
    // A folder opens as a stream that reads nothing, which would pass for an
    // empty file.
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        reason = "is a folder, not a file";
        return false;
    }
    std::FILE* file = open_file(path, "rb");
    if (!file) {
        reason = "cannot be opened";
        return false;
    }
    bytes.clear();
    char chunk[65536];
    std::size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
        bytes.append(chunk, got);
        if (bytes.size() > limit) {
            std::fclose(file);
            reason = limit % (1u << 20) == 0
                         ? "is larger than " + std::to_string(limit >> 20) + " MiB"
                         : "is larger than " + std::to_string(limit) + " bytes";
            return false;
        }
    }
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) {
        reason = "cannot be read";
        return false;
    }
    return true;
}

IoResult read_file_start(const std::string& path, uint8_t* buffer, std::size_t capacity,
                         std::size_t& size) {
    IoResult result;
    size = 0;
    errno = 0;
    std::FILE* file = open_file(path, "rb");
    if (!file) {
        result.not_opened = true;
        result.reason = errno ? std::strerror(errno) : "cannot open the file";
        return result;
    }
    size = std::fread(buffer, 1, capacity, file);
    if (size < capacity && std::ferror(file)) {
        result.reason = errno ? std::strerror(errno) : "read error";
        std::fclose(file);
        return result;
    }
    std::fclose(file);
    result.ok = true;
    return result;
}

IoResult replace_file(const std::string& path, const uint8_t* data, std::size_t size) {
    const ReplaceResult replaced = replace_file_contents(path, data, size);
    IoResult result;
    result.ok = replaced.ok;
    result.not_opened = replaced.not_opened;
    result.reason = replaced.reason;
    return result;
}

}  // namespace kolibra
