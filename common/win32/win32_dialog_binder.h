// Shows a dialog logic as a Win32 dialog: the window comes from the logic's
// template (serialised to an in-memory DLGTEMPLATEEX in the template's dialog
// units and font), the logic's state is mirrored into the controls after
// every event, and the user's typing, clicks and selections go to the logic.
// A page is the same dialog created as a child window (DS_CONTROL) of a
// sheet, instead of a window of its own.
//
// Usage (a modal dialog over the program's main window, or none):
//   ComSettingsLogic logic(*resources.dialog("ComSettingDlg"), settings);
//   kolibra::dialog::Win32DialogHost host(owner_hwnd);      // owner may be nullptr
//   if (host.run_modal(logic) == kolibra::dialog::kResultOk) { ... logic's values ... }
//
// Nested dialogs: code inside a dialog's logic that opens another one uses
// the same host; run_modal owns the innermost window. With accelerators:
//   host.set_accelerators(accelerator_table);   // HACCEL, translated in the loop
//
// Toolkit quirks kept here, never in the logic:
//   - the binder's own writes (SetWindowTextW sends EN_CHANGE at once) raise
//     no events: a guard drops notifications while it writes;
//   - Windows sends BN_CLICKED for a radio button that is losing its check
//     (arrow keys in a group): only a click that leaves it checked counts;
//   - Escape, the close box and Enter arrive as buttons 2 and 1 (IDCANCEL,
//     IDOK), which the logic's buttons 1 and 2 decide; a dialog without a
//     Cancel button still closes on Escape;
//   - after an event the touched control is brought back to the state even
//     when the logic did not change it (a refused or corrected entry).
// Texts are bytes of code page 1252, as in the Qt face (there Latin-1).
#pragma once

#include "common/dialog/dialog_logic.h"

#include <windows.h>

#include <map>
#include <string>
#include <vector>

namespace kolibra::dialog {

// Registers the common control classes (the progress bar among them) once;
// every window of the Win32 face calls it before creating controls.
void init_common_controls();

class Win32BoundDialog {
public:
    enum class Role { Modal, Page };

    // Creates the window: a modal dialog stays hidden until shown by its
    // host; a page is shown at once inside `parent`. On failure hwnd() is
    // nullptr and failure() says why.
    Win32BoundDialog(DialogLogic& logic, Role role, HWND parent);
    ~Win32BoundDialog();
    Win32BoundDialog(const Win32BoundDialog&) = delete;
    Win32BoundDialog& operator=(const Win32BoundDialog&) = delete;

    HWND hwnd() const { return hwnd_; }
    const std::string& failure() const { return failure_; }
    DialogLogic& logic() { return logic_; }

    // The control with this number, or nullptr.
    HWND control(int id) const;

    // Brings every control up to the logic's state (only what changed).
    void sync();

    // A modal dialog is finished when its logic closed (or Escape closed a
    // dialog without a Cancel button); its result is then the logic's.
    bool finished() const { return finished_; }
    int result() const { return result_; }

    // Runs the modal loop until the dialog is finished: messages go through
    // `accelerators` (may be nullptr) and IsDialogMessageW, so Tab, arrows,
    // mnemonics, Enter and Escape work. A WM_QUIT ends the loop, cancelled,
    // and is posted again for the program's own loop.
    void run_loop(HACCEL accelerators);

private:
    struct Bound {
        HWND hwnd = nullptr;
        ControlKind kind = ControlKind::Label;
        unsigned revision = ~0u;
        unsigned entries_revision = ~0u;
    };

    static INT_PTR CALLBACK dialog_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
    INT_PTR handle(UINT message, WPARAM wparam, LPARAM lparam);
    bool bind_controls();
    void on_command(int id, int code);
    void close_with(int button);
    void after_event(int id);
    void mirror(const ControlState& c, Bound& b, bool force);
    void finish(int result);

    DialogLogic& logic_;
    Role role_;
    HWND hwnd_ = nullptr;
    std::string failure_;
    std::map<int, Bound> bound_;
    bool writing_ = false;  // the guard: the binder is writing controls
    bool finished_ = false;
    int result_ = kResultCancel;
};

// Runs modal dialogs as Win32 dialogs over the innermost window open. The
// owner is disabled while a dialog is up, as with DialogBox.
class Win32DialogHost : public DialogHost {
public:
    explicit Win32DialogHost(HWND owner = nullptr) { parents_.push_back(owner); }
    int run_modal(DialogLogic& dialog) override;
    void set_accelerators(HACCEL accelerators) { accelerators_ = accelerators; }
    void push_parent(HWND parent) { parents_.push_back(parent); }
    void pop_parent() { parents_.pop_back(); }

private:
    std::vector<HWND> parents_;
    HACCEL accelerators_ = nullptr;
};

}  // namespace kolibra::dialog
