// The dialog core shared by every program: one logic class per dialog,
// working on a DialogState, opened and driven the same way with a window of
// either face (Qt, Win32) or without one.
//
// Hosts pass the user's events in through user_text / user_click /
// user_select; the logic answers by changing the state. Setting a box's text
// from the logic is a change of that text, so the box's rule runs again, as
// with edit controls on Windows; the nesting of such changes is bounded.
#pragma once

#include "common/dialog/dialog_state.h"

#include <string>
#include <string_view>
#include <vector>

namespace kolibra::dialog {

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

// The outcome of a user's event: refused when a user could not have done it
// (no such control, a disabled one, the wrong kind), with the reason.
struct EventOutcome {
    bool accepted = true;
    std::string reason;
};

class DialogLogic {
public:
    explicit DialogLogic(const DialogTemplate& tmpl);
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

    // Whether Escape and the window's close box close the dialog as its
    // Cancel would. A box that only its OK button closes says no.
    virtual bool cancellable() const { return true; }

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

    // Changing the state from the logic.
    void set_text(int id, std::string_view text);  // a change: its rule runs
    const std::string& text(int id) const { return state_.at(id).text; }
    void set_enabled(int id, bool enabled);
    void set_checked(int id, bool checked);
    bool checked(int id) const { return state_.at(id).checked; }
    void set_entries(int id, std::vector<std::string> entries);
    template <typename List>
    void set_entries(int id, const List& list) {
        set_entries(id, std::vector<std::string>(list.begin(), list.end()));
    }
    // Selects entry `index`, or none when it is outside the list; as on
    // Windows, selecting from the code is not a change the logic hears of.
    void select(int id, int index);
    // Selects entry `index`, or the first entry when `index` is beyond the
    // list (a damaged setting shows as the first choice).
    void select_or_first(int id, int index);
    int selection(int id) const { return state_.at(id).selection; }

private:
    static constexpr int kMaxTextNesting = 8;

    void changed(ControlState& c) { ++c.revision; }

    DialogState state_;
    bool opened_ = false;
    bool closed_ = false;
    int result_ = kResultCancel;
    int text_nesting_ = 0;
};

}  // namespace kolibra::dialog
