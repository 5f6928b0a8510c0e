// The template document's commands as the user gives them: New, Open, Save,
// Save As and the question before closing, with their save prompts. No
// toolkit: the window hands in its Prompter and FilePicker and plugs the
// editor and the simulator in through two hooks.
#pragma once

#include "common/file_picker.h"
#include "common/prompter.h"
#include "model/template.h"

#include <functional>

namespace kolibra {

constexpr char kGeneratorCaption[] = "Kolibra 2 Application Generator";

class DocumentCommands {
public:
    DocumentCommands(TemplateDocument& doc, Prompter& prompter, FilePicker& picker)
        : doc_(doc), prompter_(prompter), picker_(picker) {}

    // Opens the template editor on the document, modal; run by edit(), after
    // New and after a successful Open. Unset: nothing opens.
    void set_open_editor(std::function<void()> hook) { open_editor_ = std::move(hook); }
    // Starts the simulated terminal over on the document's template; run
    // after New and a successful Open, before the editor opens.
    void set_restart_simulator(std::function<void()> hook) { restart_simulator_ = std::move(hook); }

    // The save prompt, then a factory template without a file name.
    void new_template();
    // The save prompt, then the open dialog; true when a file was read.
    bool open();
    // Save, or Save As for a never-saved template; true when written.
    bool save();
    bool save_as();
    // The editor on the current template, without any prompt.
    void edit();
    // The question before the program ends: true when it may close. Yes
    // saves first; a cancelled file dialog or a failed write keeps the
    // program running with the design.
    bool may_close();

    TemplateDocument& document() { return doc_; }

private:
    // Asks `question` when the template is modified. Yes saves; a cancelled
    // file dialog or a write that failed (and was told) stops the command so
    // the design is not thrown away. False: stop.
    bool save_prompt_passed(const char* question);
    void restart_and_edit();

    TemplateDocument& doc_;
    Prompter& prompter_;
    FilePicker& picker_;
    std::function<void()> open_editor_;
    std::function<void()> restart_simulator_;
};

}  // namespace kolibra
