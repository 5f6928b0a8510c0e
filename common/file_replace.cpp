// The parts of replacing a file that are the same on every system.
#include "common/file_replace.h"

namespace kolibra {

TemporaryBeside::~TemporaryBeside() { discard(); }

void TemporaryBeside::close_stream() {
    if (stream_) std::fclose(stream_);
    stream_ = nullptr;
}

ReplaceResult replace_file_contents(const std::string& path, const uint8_t* data,
                                    std::size_t size, const ReplaceOptions& options) {
    TemporaryBeside temporary;
    ReplaceResult created = temporary.create(path, options);
    if (!created.ok) return created;
    if (size > 0 && std::fwrite(data, 1, size, temporary.stream()) != size) {
        ReplaceResult failed;
        failed.reason = "the file could not be written";
        return failed;  // the destructor removes the temporary file
    }
    return temporary.put_in_place();
}

}  // namespace kolibra
