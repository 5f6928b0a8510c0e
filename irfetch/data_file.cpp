#include "irfetch/data_file.h"

#include <cerrno>
#include <string>
#include <fcntl.h>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#define KOLIBRA_OPEN ::_open
#define KOLIBRA_CLOSE ::_close
#define KOLIBRA_FDOPEN ::_fdopen
#else
#define KOLIBRA_OPEN ::open
#define KOLIBRA_CLOSE ::close
#define KOLIBRA_FDOPEN ::fdopen
#include <sys/file.h>
#include <unistd.h>
#endif

namespace kolibra {

namespace {

#ifdef O_BINARY
constexpr int kBinary = O_BINARY;
#else
constexpr int kBinary = 0;
#endif

// Moves the finished temporary file over the data file in one step.
bool replace_with(const std::string& temporary, const std::string& path) {
#ifdef _WIN32
    return MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
#else
    return std::rename(temporary.c_str(), path.c_str()) == 0;
#endif
}

// Opens with open(2) flags and hands the descriptor to a stream. The file is
// locked for this program alone where the system can, as it is not shared.
std::FILE* open_stream(const std::string& path, int flags, const char* stream_mode, int& error) {
    int fd = KOLIBRA_OPEN(path.c_str(), flags | kBinary, 0666);
    if (fd < 0) {
        error = errno;
        return nullptr;
    }
#ifndef _WIN32
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        error = errno;
        KOLIBRA_CLOSE(fd);
        return nullptr;
    }
#endif
    std::FILE* stream = KOLIBRA_FDOPEN(fd, stream_mode);
    if (!stream) {
        error = errno;
        KOLIBRA_CLOSE(fd);
    }
    return stream;
}

// An existing data file that this program could not write: a folder, a
// read-only file, a file locked by another program.
bool existing_file_refuses_writing(const std::string& path) {
    int fd = KOLIBRA_OPEN(path.c_str(), O_RDWR | kBinary);
    if (fd < 0) return errno != ENOENT;
    bool refused = false;
#ifndef _WIN32
    refused = ::flock(fd, LOCK_EX | LOCK_NB) != 0;
#endif
    KOLIBRA_CLOSE(fd);
    return refused;
}

}  // namespace

ReceivedDataFile::~ReceivedDataFile() { close_stream(); }

void ReceivedDataFile::close_stream() {
    if (stream_) std::fclose(stream_);
    stream_ = nullptr;
}

DataFileResult ReceivedDataFile::open(const std::string& path, FileMode mode) {
    close_stream();
    path_ = path;
    mode_ = mode;
    temporary_.clear();
    int error = 0;
    switch (mode) {
        case FileMode::Overwrite:
            if (existing_file_refuses_writing(path)) return DataFileResult::Failed;
            // A name of its own, so that no file of the user's is emptied.
            temporary_ = path + ".receiving-" + std::to_string(
#ifdef _WIN32
                GetCurrentProcessId()
#else
                getpid()
#endif
            );
            stream_ = open_stream(temporary_, O_RDWR | O_CREAT | O_EXCL, "w+b", error);
            if (!stream_) temporary_.clear();
            break;
        case FileMode::Append:
            stream_ = open_stream(path, O_RDWR | O_CREAT | O_APPEND, "a+b", error);
            break;
        case FileMode::NewName:
            stream_ = open_stream(path, O_RDWR | O_CREAT | O_EXCL, "w+b", error);
            if (!stream_ && error == EEXIST) return DataFileResult::AlreadyExists;
            break;
    }
    return stream_ ? DataFileResult::Opened : DataFileResult::Failed;
}

bool ReceivedDataFile::finish(int records) {
    bool flushed = stream_ && std::fflush(stream_) == 0;
    close_stream();
    switch (mode_) {
        case FileMode::Overwrite:
            if (temporary_.empty()) return records <= 0;
            if (records <= 0) {
                std::remove(temporary_.c_str());
                temporary_.clear();
                return true;
            }
            if (!flushed || !replace_with(temporary_, path_)) return false;
            temporary_.clear();
            return true;
        case FileMode::Append:
            return flushed || records <= 0;
        case FileMode::NewName:
            if (records <= 0) std::remove(path_.c_str());
            return flushed || records <= 0;
    }
    return false;
}

void ReceivedDataFile::abandon() {
    close_stream();
    if (mode_ == FileMode::Overwrite && !temporary_.empty()) {
        std::remove(temporary_.c_str());
        temporary_.clear();
    }
}

}  // namespace kolibra
