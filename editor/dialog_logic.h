// The editor's dialogs: the shared dialog core (common/dialog/) with what
// every page and dialog of one opening of the editor shares: the template
// document, the host that runs nested dialogs and the simulator's hooks.
#pragma once

#include "common/dialog/dialog_logic.h"
#include "model/choices.h"
#include "model/template.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kolibra::editor {

using dialog::ControlState;
using dialog::DialogHost;
using dialog::DialogLogic;
using dialog::DialogState;
using dialog::EventOutcome;
using dialog::kCancelButton;
using dialog::kNoSelection;
using dialog::kOkButton;
using dialog::kResultCancel;
using dialog::kResultOk;
using dialog::is_clickable;
using dialog::is_list;
using dialog::is_text_box;

// What the editor may ask of the simulated terminal; either may be empty.
struct SimulatorHooks {
    std::function<void(int lines)> set_utility_lines;
    std::function<void(int code)> press_key;
};

// What every page and dialog of one opening of the editor shares.
class EditorContext {
public:
    EditorContext(TemplateDocument& doc, DialogHost& host, SimulatorHooks simulator = {});

    TemplateDocument& document() { return doc_; }
    Template& tpl() { return doc_.tpl; }
    DialogHost& host() { return host_; }
    const SimulatorHooks& simulator() const { return simulator_; }

    // A dialog's write straight into the Template, at its own OK: such writes
    // survive a Cancel of the editor, so the document becomes modified when
    // the write changed any byte. Returns true when it did.
    bool write_template(const std::function<void(Template&)>& write);

    // "1" to "10", rebuilt at each opening; the numbered names are built
    // from them ("form  " + label, "field " + label, ...).
    const std::string& number_label(int number) const;
    std::string numbered_name(std::string_view prefix, int number) const;

private:
    TemplateDocument& doc_;
    DialogHost& host_;
    SimulatorHooks simulator_;
    std::vector<std::string> labels_;
};

// A page or dialog of the editor.
class EditorDialog : public DialogLogic {
public:
    EditorDialog(EditorContext& context, const DialogTemplate& tmpl);

protected:
    EditorContext& context() { return context_; }
    Template& tpl() { return context_.tpl(); }
    int run_modal(DialogLogic& dialog) { return context_.host().run_modal(dialog); }

private:
    EditorContext& context_;
};

}  // namespace kolibra::editor
