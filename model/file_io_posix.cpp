// Replacing a file on POSIX: temporary file, fsync, rename.
#include "model/file_io.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kolibra {

namespace {

IoResult failure(int error, bool not_opened = false) {
    IoResult r;
    r.not_opened = not_opened;
    r.reason = std::strerror(error);
    return r;
}

// A symbolic link is followed, so the file it names is the one replaced.
std::string resolve_link(const std::string& path) {
    struct stat st {};
    if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    char resolved[PATH_MAX];
    if (realpath(path.c_str(), resolved) == nullptr) return path;  // dangling: replace the link
    return resolved;
}

bool write_all(int fd, const uint8_t* data, std::size_t size, int& error) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            error = errno;
            return false;
        }
        if (n == 0) {
            error = EIO;
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

IoResult write_in_place(const std::string& path, const uint8_t* data, std::size_t size) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) return failure(errno, true);
    int error = 0;
    bool ok = write_all(fd, data, size, error);
    if (::close(fd) != 0 && ok) {
        error = errno;
        ok = false;
    }
    if (!ok) return failure(error);
    IoResult result;
    result.ok = true;
    return result;
}

}  // namespace

IoResult replace_file(const std::string& requested, const uint8_t* data, std::size_t size) {
    const std::string path = resolve_link(requested);
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "./" : path.substr(0, slash + 1);
    const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);

    struct stat old {};
    const bool had_file = ::stat(path.c_str(), &old) == 0;
    if (had_file && S_ISDIR(old.st_mode)) return failure(EISDIR, true);
    // A file the user may not write stays as it is, as an in-place rewrite
    // would: the rename below would otherwise replace it regardless.
    if (had_file && ::access(path.c_str(), W_OK) != 0) return failure(errno, true);
    // A device or pipe (say /dev/stdout) holds no old file to protect and must
    // not be renamed over: it is written in place.
    if (had_file && !S_ISREG(old.st_mode)) return write_in_place(path, data, size);

    // A fresh name beside the target; O_EXCL never reuses someone else's file.
    // The target's name is cut in the temporary one, so that a target whose
    // name is near the length limit still gets a temporary name that fits.
    const std::string stem = base.substr(0, 200);
    std::string temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = folder + "." + stem + ".tmp" + std::to_string(::getpid()) + "-" +
               std::to_string(attempt);
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) return failure(errno, true);
    }
    if (fd < 0) return failure(EEXIST, true);

    int error = 0;
    bool ok = write_all(fd, data, size, error);
    if (ok && had_file && ::fchmod(fd, old.st_mode & 07777) != 0) {
        error = errno;
        ok = false;
    }
    if (ok && ::fsync(fd) != 0) {
        error = errno;
        ok = false;
    }
    if (::close(fd) != 0 && ok) {
        error = errno;
        ok = false;
    }
    if (ok && ::rename(temp.c_str(), path.c_str()) != 0) {
        error = errno;
        ok = false;
    }
    if (!ok) {
        ::unlink(temp.c_str());
        return failure(error);
    }

    // Make the rename itself durable; the new file is complete either way.
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    IoResult result;
    result.ok = true;
    return result;
}

}  // namespace kolibra
