// Replacing a file safely: the new bytes go to a temporary file beside the
// target, are flushed to disk and then renamed over it, so a failure at any
// step leaves the old file as it was.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace kolibra {

struct ReplaceResult {
    bool ok = false;
    bool not_opened = false;  // failed before the temporary file existed
    std::string reason;       // the OS's description of the failure
};

struct ReplaceOptions {
    bool create_folders = false;  // make the target's missing folders first
    bool lock_exclusive = false;  // lock the temporary file for this program alone
};

// The longest part of the target's name that goes into the temporary name,
// so that a target whose name is near the system's limit still gets a
// temporary name that fits.
constexpr std::size_t kTemporaryStemMax = 200;

// A temporary file beside a target, written through stream() and then put in
// place. Serves a reception that streams records as they arrive as well as
// replace_file_contents() below. A temporary file neither put in place nor
// kept is removed when the object goes.
class TemporaryBeside {
public:
    TemporaryBeside() = default;
    TemporaryBeside(const TemporaryBeside&) = delete;
    TemporaryBeside& operator=(const TemporaryBeside&) = delete;
    ~TemporaryBeside();

    // Checks the target and creates a fresh temporary file beside it. A
    // symbolic link is followed (the file it names is replaced); a folder or a
    // file that may not be written is refused. A target that is not a plain
    // file (a device, a pipe) is opened for writing in place instead.
    ReplaceResult create(const std::string& target, const ReplaceOptions& options = {});

    // Binary read-write stream of the temporary file; null before create().
    std::FILE* stream() const { return stream_; }
    const std::string& temporary_path() const { return temporary_; }
    bool writes_in_place() const { return in_place_; }

    // Flushes the temporary file to disk, gives it the old file's permission
    // bits and renames it over the target. On failure the temporary file is
    // removed, unless keep_on_failure: then it stays, with its bytes, at
    // temporary_path().
    ReplaceResult put_in_place(bool keep_on_failure = false);

    // Closes and removes the temporary file (not one kept on failure).
    void discard();

private:
    void close_stream();

    std::FILE* stream_ = nullptr;
    std::string target_;
    std::string temporary_;
    bool in_place_ = false;
    bool kept_ = false;  // a failed put_in_place left the temporary file on purpose
    bool had_file_ = false;
    unsigned permissions_ = 0;
};

// Replaces the file at `path` by exactly these bytes through a TemporaryBeside.
ReplaceResult replace_file_contents(const std::string& path, const uint8_t* data,
                                    std::size_t size, const ReplaceOptions& options = {});
inline ReplaceResult replace_file_contents(const std::string& path, std::string_view bytes,
                                           const ReplaceOptions& options = {}) {
    return replace_file_contents(path, reinterpret_cast<const uint8_t*>(bytes.data()),
                                 bytes.size(), options);
}

}  // namespace kolibra
