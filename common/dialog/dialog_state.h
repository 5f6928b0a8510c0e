// A dialog without widgets: the numbered controls of one dialog template,
// each with its text, enabled and checked state, list entries and selection.
//
// Logic classes change this state; a window mirrors it into widgets and the
// headless event runner reads it. Every change bumps the control's revision,
// so a view refreshes only what changed.
#pragma once

#include "common/resource_script.h"

#include <string>
#include <vector>

namespace kolibra::dialog {

constexpr int kNoSelection = -1;

struct ControlState {
    int id = -1;
    ControlKind kind = ControlKind::Label;
    std::string text;
    bool enabled = true;
    bool checked = false;
    std::vector<std::string> entries;  // lists only
    int selection = kNoSelection;
    unsigned revision = 0;
    unsigned entries_revision = 0;  // bumped only when the entries change
};

class DialogState {
public:
    explicit DialogState(const DialogTemplate& tmpl);

    const DialogTemplate& dialog_template() const { return *tmpl_; }
    // nullptr when the dialog has no control with this number.
    ControlState* find(int id);
    const ControlState* find(int id) const;
    // A control the code relies on: a missing number is a fault in the
    // templates, reported on stderr before the program stops.
    ControlState& at(int id);
    const ControlState& at(int id) const;

    // The numbered controls, in template order.
    std::vector<ControlState>& controls() { return controls_; }
    const std::vector<ControlState>& controls() const { return controls_; }

    // The radio buttons of the group `id` belongs to (a group starts after a
    // control of another kind or at a radio flagged newgroup).
    std::vector<int> radio_group(int id) const;

private:
    const DialogTemplate* tmpl_;
    std::vector<ControlState> controls_;
};

// True for list kinds: drop-down lists and list boxes.
bool is_list(ControlKind kind);
// True for edit boxes (with or without a drop-down).
bool is_text_box(ControlKind kind);
// True for buttons, check boxes and radio buttons.
bool is_clickable(ControlKind kind);

}  // namespace kolibra::dialog
