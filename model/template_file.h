// The application template file (.ATX): an 8-byte format tag, the template's
// blocks in order, and 86 zero bytes; 10596 bytes in all.
#pragma once

#include "model/template.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace kolibra {

constexpr std::size_t kTemplateFileSize = 10596;
constexpr std::size_t kTemplateTagSize = 8;
constexpr std::size_t kTemplateTrailerSize = 86;
constexpr char kTemplateTagCurrent[] = "QRV-4.00";  // always written
constexpr char kTemplateTagOld[] = "QRV-3.10";      // read and brought up to date
constexpr uint8_t kFormatMarker = 64;
constexpr char kFormatMismatchText[] = "Format mismatch !!!";

enum class FileStatus {
    Ok,
    CannotOpen,      // the file could not be opened for reading
    FormatMismatch,  // wrong tag, or too short to hold every block
    ReadFailed,      // the OS reported an error while reading
    WriteFailed,     // the file could not be written; the old file is intact
};

struct FileResult {
    FileStatus status = FileStatus::Ok;
    // The system's message for the user, shown in a box with the caption
    // "Error": "Format mismatch !!!" for a refused file. Empty where the
    // program shows no message of its own (a file that cannot be opened).
    std::string message;
    // The reason the OS gave for an open, read or write failure, e.g.
    // "No space left on device"; empty otherwise.
    std::string reason;
    // Set by a successful read of an older template that was brought up to date.
    bool upgraded = false;

    bool ok() const { return status == FileStatus::Ok; }
};

// Reads the file at `path`. Only when the whole file has been read and its tag
// checked is the document's Template replaced; then `file_name` becomes `path`
// and `modified` is cleared. On any failure the document is left untouched.
FileResult read_template(const std::string& path, TemplateDocument& doc);

// Writes `t` to `path` with the tag "QRV-4.00". The bytes go to a temporary
// file in the same folder, which is flushed to disk and then renamed over the
// target, so a failed save leaves any previous file byte-identical. Neither
// `modified` nor the current file name is touched; the caller does that.
FileResult write_template(const std::string& path, const Template& t);

// The name Save As stores: `name` as typed when it ends in ".ATX" in any mix
// of cases, else `name` with ".ATX" appended (plan.txt becomes plan.txt.ATX).
std::string with_template_extension(const std::string& name);

// The same, on bytes in memory (used by the two functions above and by tests).
using TemplateFileBytes = std::array<uint8_t, kTemplateFileSize>;
void encode_template_file(const Template& t, TemplateFileBytes& out);
// Checks and decodes `size` bytes into `out`, upgrading an older template.
// `out` is written only on success.
FileResult decode_template_file(const uint8_t* data, std::size_t size, Template& out);

}  // namespace kolibra
