#include "shell/document/document_commands.h"

#include "shell/document/template_commands.h"

namespace kolibra {

namespace {
constexpr char kNewOrOpenQuestion[] = "Save current program ?";
constexpr char kCloseQuestion[] = "Save the program ?";
}  // namespace

bool DocumentCommands::save_prompt_passed(const char* question) {
    if (!doc_.modified) return true;
    switch (prompter_.ask(question, kGeneratorCaption, Icon::Warning, Buttons::YesNoCancel)) {
    case Answer::Yes: {
        // A user who said Yes has not agreed to lose the design: when no
        // file was chosen or the write failed, the command ends here.
        if (!save_template(doc_, picker_, prompter_)) return false;
        doc_.modified = false;
        return true;
    }
    case Answer::No:
        return true;
    default:
        return false;
    }
}

void DocumentCommands::restart_and_edit() {
    if (restart_simulator_) restart_simulator_();
    edit();
}

void DocumentCommands::new_template() {
    if (!save_prompt_passed(kNewOrOpenQuestion)) return;
    doc_.modified = false;
    doc_.file_name.clear();
    reset_template(doc_.tpl);
    restart_and_edit();
}

bool DocumentCommands::open() {
    if (!save_prompt_passed(kNewOrOpenQuestion)) return false;
    if (!open_template(doc_, picker_, prompter_)) return false;
    restart_and_edit();
    return true;
}

bool DocumentCommands::save() {
    if (!save_template(doc_, picker_, prompter_)) return false;
    doc_.modified = false;
    return true;
}

bool DocumentCommands::save_as() {
    if (!save_template_as(doc_, picker_, prompter_)) return false;
    doc_.modified = false;
    return true;
}

void DocumentCommands::edit() {
    if (open_editor_) open_editor_();
}

bool DocumentCommands::may_close() { return save_prompt_passed(kCloseQuestion); }

}  // namespace kolibra
