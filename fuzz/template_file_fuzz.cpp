// The template file reader on arbitrary bytes. Rules: a file it accepts
// writes back to bytes that it reads again into the same template, and
// writing that one gives the same bytes again.
#include "fuzz_support.h"
#include "model/template_file.h"

#include <cstring>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    using namespace kolibra;
    auto tpl = std::make_unique<Template>();
    const FileResult read = decode_template_file(data, size, *tpl);
    // Tag and blocks take the first 10510 bytes; the 86-byte trailer may be missing.
    if (size < 10510) FUZZ_CHECK(!read.ok());
    if (!read.ok()) return 0;
    auto bytes = std::make_unique<TemplateFileBytes>();
    encode_template_file(*tpl, *bytes);
    auto again = std::make_unique<Template>();
    FUZZ_CHECK(decode_template_file(bytes->data(), bytes->size(), *again).ok());
    auto bytes_again = std::make_unique<TemplateFileBytes>();
    encode_template_file(*again, *bytes_again);
    FUZZ_CHECK(std::memcmp(bytes->data(), bytes_again->data(), bytes->size()) == 0);
    return 0;
}
