// Reading the start of a file, through the C library (portable).
#include "model/file_io.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace kolibra {

IoResult read_file_start(const std::string& path, uint8_t* buffer, std::size_t capacity,
                         std::size_t& size) {
    IoResult result;
    size = 0;
    errno = 0;
    std::FILE* file = std::fopen(path.c_str(), "rb");
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

}  // namespace kolibra
