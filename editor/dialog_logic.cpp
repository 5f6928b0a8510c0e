#include "editor/dialog_logic.h"

#include <cstring>
#include <memory>

namespace kolibra::editor {

constexpr int kNumberLabels = 10;

EditorContext::EditorContext(TemplateDocument& doc, DialogHost& host, SimulatorHooks simulator)
    : doc_(doc), host_(host), simulator_(std::move(simulator)) {
    for (int n = 1; n <= kNumberLabels; ++n) labels_.push_back(std::to_string(n));
}

bool EditorContext::write_template(const std::function<void(Template&)>& write) {
    // The Template is about 10 kB: a copy is cheaper than tracking each write.
    auto before = std::make_unique<Template>(doc_.tpl);
    write(doc_.tpl);
    const bool changed = std::memcmp(before.get(), &doc_.tpl, sizeof(Template)) != 0;
    if (changed) doc_.modified = true;
    return changed;
}

const std::string& EditorContext::number_label(int number) const {
    static const std::string none;
    return number >= 1 && number <= kNumberLabels ? labels_[number - 1] : none;
}

std::string EditorContext::numbered_name(std::string_view prefix, int number) const {
    return std::string(prefix) + number_label(number);
}

EditorDialog::EditorDialog(EditorContext& context, const DialogTemplate& tmpl)
    : DialogLogic(tmpl), context_(context) {}

}  // namespace kolibra::editor
