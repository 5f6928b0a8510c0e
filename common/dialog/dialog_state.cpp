#include "common/dialog/dialog_state.h"

#include <cstdio>
#include <cstdlib>

namespace kolibra::dialog {

namespace {

[[noreturn]] void missing_control(const DialogTemplate& tmpl, int id) {
    std::fprintf(stderr, "dialog %s has no control %d\n", tmpl.name.c_str(), id);
    std::abort();
}

}  // namespace

bool is_list(ControlKind kind) {
    return kind == ControlKind::DropDownList || kind == ControlKind::DropDownEdit ||
           kind == ControlKind::ListBox;
}

bool is_text_box(ControlKind kind) {
    return kind == ControlKind::Edit || kind == ControlKind::DropDownEdit;
}

bool is_clickable(ControlKind kind) {
    return kind == ControlKind::Button || kind == ControlKind::DefaultButton ||
           kind == ControlKind::CheckBox || kind == ControlKind::RadioButton;
}

DialogState::DialogState(const DialogTemplate& tmpl) : tmpl_(&tmpl) {
    for (const ControlTemplate& c : tmpl.controls) {
        if (c.id == -1) continue;
        ControlState s;
        s.id = c.id;
        s.kind = c.kind;
        s.text = is_list(c.kind) ? std::string() : c.text;
        s.enabled = (c.flags & kControlDisabled) == 0;
        controls_.push_back(std::move(s));
    }
}

ControlState* DialogState::find(int id) {
    for (ControlState& c : controls_) {
        if (c.id == id) return &c;
    }
    return nullptr;
}

const ControlState* DialogState::find(int id) const {
    return const_cast<DialogState*>(this)->find(id);
}

ControlState& DialogState::at(int id) {
    ControlState* c = find(id);
    if (!c) missing_control(*tmpl_, id);
    return *c;
}

const ControlState& DialogState::at(int id) const { return const_cast<DialogState*>(this)->at(id); }

std::vector<int> DialogState::radio_group(int id) const {
    std::vector<int> group;
    bool found = false;
    for (const ControlTemplate& c : tmpl_->controls) {
        const bool starts = c.kind != ControlKind::RadioButton || (c.flags & kControlNewGroup);
        if (starts) {
            if (found) break;
            group.clear();
        }
        if (c.kind == ControlKind::RadioButton) {
            group.push_back(c.id);
            if (c.id == id) found = true;
        }
    }
    return found ? group : std::vector<int>{};
}

}  // namespace kolibra::dialog
