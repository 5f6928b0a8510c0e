// The template text importer on arbitrary text. Rules: a refused text names
// at least one problem, each on a line the text has, and leaves the template
// as it was; an accepted text exports to a text that imports back to the
// identical file bytes and exports to the identical text again.
#include "fuzz_support.h"
#include "model/template_file.h"
#include "model/template_text.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    using namespace kolibra;
    const std::string text(reinterpret_cast<const char*>(data), size);
    const long lines = std::count(text.begin(), text.end(), '\n') + 1;

    auto tpl = std::make_unique<Template>();
    reset_template(*tpl);
    auto before = std::make_unique<TemplateFileBytes>();
    encode_template_file(*tpl, *before);
    const TextImportResult result = import_template_text(text, *tpl);
    auto bytes = std::make_unique<TemplateFileBytes>();
    encode_template_file(*tpl, *bytes);
    if (!result.ok()) {
        for (const TextProblem& p : result.problems) {
            FUZZ_CHECK(p.line >= 1 && p.line <= lines);
            FUZZ_CHECK(!p.message.empty());
        }
        FUZZ_CHECK(*bytes == *before);
        return 0;
    }

    const std::string exported = export_template_text(*tpl);
    auto again = std::make_unique<Template>();
    FUZZ_CHECK(import_template_text(exported, *again).ok());
    auto bytes_again = std::make_unique<TemplateFileBytes>();
    encode_template_file(*again, *bytes_again);
    FUZZ_CHECK(*bytes_again == *bytes);
    FUZZ_CHECK(export_template_text(*again) == exported);
    return 0;
}
