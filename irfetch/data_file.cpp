#include "irfetch/data_file.h"

#include <cerrno>
#include <string>
#include <fcntl.h>

#ifdef _WIN32
#include <io.h>
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
    replacing_.discard();
    path_ = path;
    mode_ = mode;
    int error = 0;
    switch (mode) {
        case FileMode::Overwrite: {
            if (existing_file_refuses_writing(path)) return DataFileResult::Failed;
            // A name of its own, so that no file of the user's is emptied.
            ReplaceOptions options;
            options.lock_exclusive = true;
            return replacing_.create(path, options).ok ? DataFileResult::Opened
                                                       : DataFileResult::Failed;
        }
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
    if (mode_ == FileMode::Overwrite) {
        if (!replacing_.stream()) return records <= 0;
        if (records <= 0) {
            replacing_.discard();
            return true;
        }
        return replacing_.put_in_place(/*keep_on_failure=*/true).ok;
    }
    bool flushed = stream_ && std::fflush(stream_) == 0;
    close_stream();
    if (mode_ == FileMode::NewName && records <= 0) std::remove(path_.c_str());
    return flushed || records <= 0;
}

void ReceivedDataFile::abandon() {
    close_stream();
    replacing_.discard();
}

}  // namespace kolibra
