// Builds a template from a few fuzz bytes: they are laid over the file of a
// new template, after its format tag, starting at an offset the first two
// bytes give (wrapping at the end of the file), so short inputs reach every
// block. Returns false when the reader refuses the result.
#pragma once

#include "model/template_file.h"

#include <cstddef>
#include <cstdint>
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

}  // namespace kolibra::fuzz
