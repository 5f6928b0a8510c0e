// Whole-file reading and safe replacing, with the OS's reason on failure.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace kolibra {

struct IoResult {
    bool ok = false;
    bool not_opened = false;  // failed at open, before any byte was read or written
    std::string reason;       // the OS's description of the failure
};

// Reads at most `capacity` bytes from the start of the file into `buffer` and
// stores the count in `size`. Reading less than `capacity` is not an error.
IoResult read_file_start(const std::string& path, uint8_t* buffer, std::size_t capacity,
                         std::size_t& size);

// Reads a whole file of at most `limit` bytes into `bytes`. On failure
// `reason` completes a sentence that starts with the file's name: "is a folder,
// not a file", "cannot be opened", "is larger than ...", "cannot be read". The
// bound makes an endless source (a device such as /dev/zero, a pipe that never
// closes) end in a message instead of filling memory.
bool read_whole_file(const std::string& path, std::size_t limit, std::string& bytes,
                     std::string& reason);

// Replaces the file at `path` by `size` bytes: writes a temporary file in the
// same folder, flushes it to disk and renames it over the target. On failure
// the temporary file is removed and any old file is left as it was. An
// existing file keeps its permission bits, and one that may not be written
// (read-only) is refused; a symbolic link keeps pointing at the replaced file.
// A target that is not a plain file (a device, a pipe) is written in place.
IoResult replace_file(const std::string& path, const uint8_t* data, std::size_t size);

}  // namespace kolibra
