// The data file the received records go to, opened by irfetch's file mode:
//   Overwrite - the records go to a temporary file beside the data file,
//               which replaces it only when records came; a failed
//               reception leaves an earlier file as it was.
//   Append    - opens or creates the file and writes at its end; kept
//               whatever the reception brings.
//   New name  - creates the file only if there is none; deleted again when
//               no record came.
#pragma once

#include "common/file_replace.h"
#include "irfetch/irfetch_settings.h"

#include <cstdio>
#include <string>

namespace kolibra {

enum class DataFileResult { Opened, AlreadyExists, Failed };

class ReceivedDataFile {
public:
    ReceivedDataFile() = default;
    ~ReceivedDataFile();
    ReceivedDataFile(const ReceivedDataFile&) = delete;
    ReceivedDataFile& operator=(const ReceivedDataFile&) = delete;

    DataFileResult open(const std::string& path, FileMode mode);
    // Where the records are written while the reception runs.
    std::FILE* stream() const { return mode_ == FileMode::Overwrite ? replacing_.stream() : stream_; }

    // After the reception: keeps the records when `records` is above 0,
    // otherwise deletes the file unless the mode is Append. False when
    // received records could not be put in place (they then stay in the
    // temporary file, see pending_path()).
    bool finish(int records);
    // The port failed before any reception: Overwrite leaves an earlier file
    // as it was; the other modes keep what they opened or created.
    void abandon();

    // The temporary file of Overwrite mode.
    const std::string& pending_path() const { return replacing_.temporary_path(); }

private:
    void close_stream();

    std::FILE* stream_ = nullptr;
    std::string path_;
    TemporaryBeside replacing_;  // Overwrite mode's temporary file
    FileMode mode_ = FileMode::Overwrite;
};

}  // namespace kolibra
