// Builds a template from a few fuzz bytes: they are laid over the file of a
// new template, after its format tag, starting at an offset the first two
// bytes give (wrapping at the end of the file), so short inputs reach every
// block. Returns false when the reader refuses the result.
#pragma once

#include "model/template_file.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

namespace kolibra::fuzz {

inline bool template_from_bytes(const uint8_t* data, std::size_t size, Template& out) {
    auto tpl = std::make_unique<Template>();
    reset_template(*tpl);
    auto file = std::make_unique<TemplateFileBytes>();
    encode_template_file(*tpl, *file);
    constexpr std::size_t kBody = kTemplateFileSize - kTemplateTagSize;
    std::size_t at = size >= 2 ? (static_cast<std::size_t>(data[0]) << 8 | data[1]) % kBody : 0;
    for (std::size_t i = size >= 2 ? 2 : 0; i < size; ++i) {
        (*file)[kTemplateTagSize + at] = data[i];
        at = (at + 1) % kBody;
    }
    return decode_template_file(file->data(), file->size(), out).ok();
}

// The bytes a lookup description takes from a fuzz input: the file (any byte,
// taken modulo 3), member length, number of fields, key field, 8 offsets, 8
// lengths and the delimiter.
constexpr std::size_t kLookupDescriptionBytes = 1 + 3 + 8 + 8 + 1;

// A new template whose lookup file data[0] % 3 is described by the next 20
// bytes of `data` (at least kLookupDescriptionBytes). Returns that file.
inline int lookup_from_bytes(const uint8_t* data, Template& tpl) {
    reset_template(tpl);
    const int file = data[0] % kLookupCount;
    LookupRecord& l = tpl.lookups[file];
    l.member_length = data[1];
    l.field_count = data[2];
    l.key_field = data[3];
    std::memcpy(l.field_offset, data + 4, 8);
    std::memcpy(l.field_length, data + 12, 8);
    tpl.extended.lookup_delimiter[file] = data[20];
    return file;
}

}  // namespace kolibra::fuzz
