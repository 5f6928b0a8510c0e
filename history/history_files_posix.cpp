#include "history/history_files.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <unistd.h>

namespace kolibra {

std::FILE* create_exclusive(const std::string& path, bool& existed, std::string& reason) {
    existed = false;
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) {
        existed = errno == EEXIST;
        if (!existed) reason = std::strerror(errno);
        return nullptr;
    }
    std::FILE* file = ::fdopen(fd, "wb");
    if (!file) {
        reason = std::strerror(errno);
        ::close(fd);
    }
    return file;
}

bool flush_to_disk(std::FILE* file, std::string& reason) {
    if (std::fflush(file) != 0 || ::fsync(::fileno(file)) != 0) {
        reason = std::strerror(errno);
        return false;
    }
    return true;
}

std::string local_time_now() {
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
    ::localtime_r(&now, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &parts);
    return text;
}

std::string user_data_folder() {
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data) return data;
    if (const char* home = std::getenv("HOME"); home && *home) return std::string(home) + "/.local/share";
    return {};
}

}  // namespace kolibra
