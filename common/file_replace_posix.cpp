// Replacing a file on POSIX: an O_EXCL temporary file, fsync, rename.
#include "common/file_replace.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kolibra {

namespace {

ReplaceResult failure(int error, bool not_opened) {
    ReplaceResult r;
    r.not_opened = not_opened;
    r.reason = std::strerror(error);
    return r;
}

ReplaceResult success() {
    ReplaceResult r;
    r.ok = true;
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

std::string folder_of(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? "./" : path.substr(0, slash + 1);
}

std::string base_of(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

ReplaceResult TemporaryBeside::create(const std::string& requested, const ReplaceOptions& options) {
    discard();
    kept_ = false;
    temporary_.clear();
    target_ = resolve_link(requested);
    in_place_ = false;
    const std::string folder = folder_of(target_);
    if (options.create_folders && target_.find('/') != std::string::npos) {
        std::error_code ignored;  // a folder that cannot be made fails the open below
        std::filesystem::create_directories(folder, ignored);
    }

    struct stat old {};
    had_file_ = ::stat(target_.c_str(), &old) == 0;
    permissions_ = had_file_ ? static_cast<unsigned>(old.st_mode & 07777) : 0;
    if (had_file_ && S_ISDIR(old.st_mode)) return failure(EISDIR, true);
    // A file the user may not write stays as it is, as an in-place rewrite
    // would: the rename would otherwise replace it regardless.
    if (had_file_ && ::access(target_.c_str(), W_OK) != 0) return failure(errno, true);
    // A device or pipe (say /dev/stdout) holds no old file to protect and must
    // not be renamed over: it is written in place.
    if (had_file_ && !S_ISREG(old.st_mode)) {
        const int fd = ::open(target_.c_str(), O_WRONLY | O_CLOEXEC);
        if (fd < 0) return failure(errno, true);
        stream_ = ::fdopen(fd, "wb");
        if (!stream_) {
            const int error = errno;
            ::close(fd);
            return failure(error, true);
        }
        in_place_ = true;
        return success();
    }

    // A fresh name beside the target; O_EXCL never reuses someone else's file.
    const std::string stem = base_of(target_).substr(0, kTemporaryStemMax);
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temporary_ = folder + "." + stem + ".tmp" + std::to_string(::getpid()) + "-" +
                     std::to_string(attempt);
        fd = ::open(temporary_.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) {
        const int error = errno;
        temporary_.clear();
        return failure(error, true);
    }
    if (options.lock_exclusive && ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(fd);
        ::unlink(temporary_.c_str());
        temporary_.clear();
        return failure(error, true);
    }
    stream_ = ::fdopen(fd, "w+b");
    if (!stream_) {
        const int error = errno;
        ::close(fd);
        ::unlink(temporary_.c_str());
        temporary_.clear();
        return failure(error, true);
    }
    return success();
}

ReplaceResult TemporaryBeside::put_in_place(bool keep_on_failure) {
    if (!stream_) return failure(EBADF, true);
    int error = 0;
    if (std::fflush(stream_) != 0) error = errno;
    const int fd = ::fileno(stream_);
    if (!in_place_) {
        if (error == 0 && had_file_ && ::fchmod(fd, permissions_) != 0) error = errno;
        if (error == 0 && ::fsync(fd) != 0) error = errno;
    }
    const int closed = std::fclose(stream_);
    stream_ = nullptr;
    if (closed != 0 && error == 0) error = errno;
    if (in_place_) return error == 0 ? success() : failure(error, false);

    if (error == 0 && ::rename(temporary_.c_str(), target_.c_str()) != 0) error = errno;
    if (error != 0) {
        if (keep_on_failure) {
            kept_ = true;
        } else {
            ::unlink(temporary_.c_str());
            temporary_.clear();
        }
        return failure(error, false);
    }
    temporary_.clear();
    // Make the rename itself durable; the new file is complete either way.
    const int dir = ::open(folder_of(target_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return success();
}

void TemporaryBeside::discard() {
    close_stream();
    if (!temporary_.empty() && !kept_) ::unlink(temporary_.c_str());
    if (!kept_) temporary_.clear();
}

}  // namespace kolibra
