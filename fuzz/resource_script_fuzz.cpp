// The resource-script parser. Rules: a refused script names the faulty
// line; everything a script defines can be found again by its name or
// number; splitting a line never yields an empty unquoted word.
#include "common/resource_script.h"
#include "fuzz_support.h"

#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    using namespace kolibra;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    ResourceSet set;
    std::string error;
    if (!parse_resource_script(text, set, error)) {
        FUZZ_CHECK(error.rfind("line ", 0) == 0);
    }
    for (const DialogTemplate& d : set.dialogs) FUZZ_CHECK(set.dialog(d.name) != nullptr);
    for (const MenuTemplate& m : set.menus) FUZZ_CHECK(set.menu(m.name) != nullptr);
    for (const AcceleratorTable& a : set.accelerators)
        FUZZ_CHECK(set.accelerator_table(a.name) != nullptr);
    for (const auto& [id, value] : set.strings) FUZZ_CHECK(set.string(id) == value);

    const std::string_view first_line = text.substr(0, text.find('\n'));
    std::vector<ScriptToken> tokens;
    if (split_script_line(first_line, tokens, error)) {
        for (const ScriptToken& t : tokens) FUZZ_CHECK(t.quoted || !t.text.empty());
    } else {
        FUZZ_CHECK(!error.empty());
    }
    return 0;
}
