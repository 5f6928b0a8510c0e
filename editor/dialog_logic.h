// The editor's dialog core: one logic class per page or dialog, working on a
// DialogState, opened and driven the same way with a window or without one.
//
// Hosts (the Qt binder, the headless event runner) pass the user's events in
// through user_text / user_click / user_select; the logic answers by changing
// the state. Setting a box's text from the logic is a change of that text, so
// the box's rule runs again, as with edit controls on Windows; the nesting of
// such changes is bounded.
#pragma once

#include "editor/dialog_state.h"
#include "model/choices.h"
#include "model/template.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kolibra::editor {

class DialogLogic;

// Button numbers every dialog shares.
constexpr int kOkButton = 1;
constexpr int kCancelButton = 2;

enum DialogResult : int { kResultCancel = 0, kResultOk = 1 };

// Runs a dialog modally: opens it, feeds it the user's events until it has
// closed, and returns its result.
class DialogHost {
public:
    virtual ~DialogHost() = default;
    virtual int run_modal(DialogLogic& dialog) = 0;
};

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

// The outcome of a user's event: refused when a user could not have done it
// (no such control, a disabled one, the wrong kind), with the reason.
struct EventOutcome {
    bool accepted = true;
    std::string reason;
};

class DialogLogic {
public:
    DialogLogic(EditorContext& context, const DialogTemplate& tmpl);
    virtual ~DialogLogic() = default;
    DialogLogic(const DialogLogic&) = delete;
    DialogLogic& operator=(const DialogLogic&) = delete;

    DialogState& state() { return state_; }
    const DialogState& state() const { return state_; }
    const DialogTemplate& dialog_template() const { return state_.dialog_template(); }

    // Runs the logic's initialisation once; later calls do nothing.
    void open();
    bool is_open() const { return opened_; }

    // The user's events. A text event replaces the whole text as one change.
    EventOutcome user_text(int id, std::string_view text);
    EventOutcome user_click(int id);
    EventOutcome user_select(int id, int index);

    // A modal dialog is closed by its OK or Cancel button (or by its host,
    // e.g. the window's close box, through user_click(kCancelButton)).
    bool closed() const { return closed_; }
    int result() const { return result_; }

protected:
    // Modal dialogs close on buttons 1 and 2; a sheet's page does not.
    virtual bool closes_on_buttons() const { return true; }
    virtual void on_init() {}
    virtual void on_text_changed(int /*id*/) {}
    virtual void on_clicked(int /*id*/) {}
    virtual void on_selected(int /*id*/) {}
    // Button 1 and 2 of a modal dialog; the dialog closes after them.
    virtual void on_ok() {}
    virtual void on_cancel() {}

    EditorContext& context() { return context_; }
    Template& tpl() { return context_.tpl(); }
    int run_modal(DialogLogic& dialog) { return context_.host().run_modal(dialog); }

    // Changing the state from the logic.
    void set_text(int id, std::string_view text);  // a change: its rule runs
    const std::string& text(int id) const { return state_.at(id).text; }
    void set_enabled(int id, bool enabled);
    void set_checked(int id, bool checked);
    bool checked(int id) const { return state_.at(id).checked; }
    void set_entries(int id, std::vector<std::string> entries);
    template <std::size_t N>
    void set_entries(int id, const ChoiceList<N>& list) {
        set_entries(id, std::vector<std::string>(list.begin(), list.end()));
    }
    // Selects entry `index`, or none when it is outside the list; as on
    // Windows, selecting from the code is not a change the logic hears of.
    void select(int id, int index);
    int selection(int id) const { return state_.at(id).selection; }

private:
    static constexpr int kMaxTextNesting = 8;

    void changed(ControlState& c) { ++c.revision; }

    EditorContext& context_;
    DialogState state_;
    bool opened_ = false;
    bool closed_ = false;
    int result_ = kResultCancel;
    int text_nesting_ = 0;
};

}  // namespace kolibra::editor
