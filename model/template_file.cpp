// The .ATX template file.
#include "model/template_file.h"

#include "model/factory_values.h"
#include "model/file_io.h"

#include <cstring>
#include <memory>

namespace kolibra {

namespace {

// The blocks follow the tag back to back, exactly as the Template lays them
// out (template.h checks every offset), so they are copied as one run.
constexpr std::size_t kBlocksOffset = kTemplateTagSize;
constexpr std::size_t kBlocksSize = sizeof(Template);
constexpr std::size_t kTrailerOffset = kBlocksOffset + kBlocksSize;
static_assert(kBlocksSize == 10502);
static_assert(kTrailerOffset + kTemplateTrailerSize == kTemplateFileSize);
static_assert(sizeof kTemplateTagCurrent == kTemplateTagSize + 1);
static_assert(sizeof kTemplateTagOld == kTemplateTagSize + 1);

FileResult format_mismatch() {
    FileResult r;
    r.status = FileStatus::FormatMismatch;
    r.message = kFormatMismatchText;
    return r;
}

bool known_tag(const uint8_t* data) {
    return std::memcmp(data, kTemplateTagCurrent, kTemplateTagSize) == 0 ||
           std::memcmp(data, kTemplateTagOld, kTemplateTagSize) == 0;
}

}  // namespace

std::string with_template_extension(const std::string& name) {
    const std::size_t n = name.size();
    auto is = [&](std::size_t from_end, char upper) {
        const char c = name[n - from_end];
        return c == upper || c == upper - 'A' + 'a';
    };
    if (n >= 4 && name[n - 4] == '.' && is(3, 'A') && is(2, 'T') && is(1, 'X')) return name;
    return name + ".ATX";
}

void encode_template_file(const Template& t, TemplateFileBytes& out) {
    std::memcpy(out.data(), kTemplateTagCurrent, kTemplateTagSize);
    std::memcpy(out.data() + kBlocksOffset, &t, kBlocksSize);
    std::memset(out.data() + kTrailerOffset, 0, kTemplateTrailerSize);
}

FileResult decode_template_file(const uint8_t* data, std::size_t size, Template& out) {
    // A file too short to hold every block is refused like a wrong tag.
    if (size < kTrailerOffset || !known_tag(data)) return format_mismatch();

    FileResult result;
    Template read;
    std::memcpy(&read, data + kBlocksOffset, kBlocksSize);
    if (read.extended.format_marker != kFormatMarker) {
        // A template of the older format: give it the settings added since.
        reset_extended_settings(read.extended);
        reset_record_prompt_page(read);
        result.upgraded = true;
    }
    out = read;
    return result;
}

FileResult read_template(const std::string& path, TemplateDocument& doc) {
    // Only the first 10596 bytes are read; anything after them is ignored.
    auto buffer = std::make_unique<TemplateFileBytes>();
    std::size_t size = 0;
    const IoResult io = read_file_start(path, buffer->data(), buffer->size(), size);
    if (!io.ok) {
        FileResult r;
        r.status = io.not_opened ? FileStatus::CannotOpen : FileStatus::ReadFailed;
        r.reason = io.reason;
        return r;
    }
    Template read{};
    FileResult result = decode_template_file(buffer->data(), size, read);
    if (!result.ok()) return result;
    doc.tpl = read;
    doc.file_name = path;
    doc.modified = false;
    return result;
}

FileResult write_template(const std::string& path, const Template& t) {
    auto bytes = std::make_unique<TemplateFileBytes>();
    encode_template_file(t, *bytes);
    const IoResult io = replace_file(path, bytes->data(), bytes->size());
    FileResult result;
    if (!io.ok) {
        result.status = FileStatus::WriteFailed;
        result.reason = io.reason;
    }
    return result;
}

}  // namespace kolibra
