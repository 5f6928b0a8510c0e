// The program image builder on arbitrary template bytes: the bytes are laid
// over a template file that was read (or over a new template when the file
// is refused). Rules: building is deterministic, does not depend on what an
// earlier build left in the template, and fills the whole 10500-byte image.
#include "fuzz_support.h"
#include "model/program_image.h"
#include "model/template_file.h"

#include <algorithm>
#include <memory>
#include <type_traits>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    using namespace kolibra;
    static_assert(std::is_trivially_copyable_v<Template>);
    auto tpl = std::make_unique<Template>();
    if (!decode_template_file(data, size, *tpl).ok()) {
        // The reader refuses most inputs: put the bytes straight into the record.
        reset_template(*tpl);
        auto* raw = reinterpret_cast<uint8_t*>(tpl.get());
        std::copy_n(data, std::min(size, sizeof(Template)), raw);
    }
    auto first_copy = std::make_unique<Template>(*tpl);
    auto second_copy = std::make_unique<Template>(*tpl);
    const ProgramImage first = build_program_image(*first_copy);
    const ProgramImage second = build_program_image(*second_copy);
    FUZZ_CHECK(first == second);
    FUZZ_CHECK(first.size() == 10500);
    // A second build on the template the first one worked on gives the same.
    FUZZ_CHECK(build_program_image(*first_copy) == first);
    return 0;
}
