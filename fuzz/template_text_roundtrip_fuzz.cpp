// The template text form of a template built from arbitrary bytes. Rules:
// its export imports without a problem into the identical file bytes, and a
// template shows no differences against itself and some against any other.
#include "fuzz_support.h"
#include "model/template_file.h"
#include "model/template_text.h"
#include "template_bytes.h"

#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    using namespace kolibra;
    auto tpl = std::make_unique<Template>();
    if (!fuzz::template_from_bytes(data, size, *tpl)) return 0;
    auto bytes = std::make_unique<TemplateFileBytes>();
    encode_template_file(*tpl, *bytes);

    const std::string text = export_template_text(*tpl);
    auto back = std::make_unique<Template>();
    const TextImportResult result = import_template_text(text, *back);
    if (!result.ok()) std::fprintf(stderr, "%s\n", describe(result.problems.front()).c_str());
    FUZZ_CHECK(result.ok());
    auto bytes_back = std::make_unique<TemplateFileBytes>();
    encode_template_file(*back, *bytes_back);
    FUZZ_CHECK(*bytes_back == *bytes);

    FUZZ_CHECK(diff_templates(*tpl, *back).empty());
    auto factory = std::make_unique<Template>();
    reset_template(*factory);
    auto factory_bytes = std::make_unique<TemplateFileBytes>();
    encode_template_file(*factory, *factory_bytes);
    FUZZ_CHECK(diff_templates(*factory, *tpl).empty() == (*factory_bytes == *bytes));
    return 0;
}
