#include "common/dialog/dialog_logic.h"

namespace kolibra::dialog {

DialogLogic::DialogLogic(const DialogTemplate& tmpl) : state_(tmpl) {}

void DialogLogic::open() {
    if (opened_) return;
    opened_ = true;
    on_init();
}

EventOutcome DialogLogic::user_text(int id, std::string_view text) {
    ControlState* c = state_.find(id);
    if (!c) return {false, "no control " + std::to_string(id)};
    if (!is_text_box(c->kind)) return {false, "control " + std::to_string(id) + " is not a box"};
    if (!c->enabled) return {false, "control " + std::to_string(id) + " is disabled"};
    set_text(id, text);
    return {};
}

EventOutcome DialogLogic::user_click(int id) {
    ControlState* c = state_.find(id);
    if (!c) return {false, "no control " + std::to_string(id)};
    if (!is_clickable(c->kind)) return {false, "control " + std::to_string(id) + " is not a button"};
    if (!c->enabled) return {false, "control " + std::to_string(id) + " is disabled"};
    if (c->kind == ControlKind::CheckBox) {
        c->checked = !c->checked;
        changed(*c);
    } else if (c->kind == ControlKind::RadioButton) {
        for (int other : state_.radio_group(id)) set_checked(other, other == id);
    }
    if (closes_on_buttons() && (id == kOkButton || id == kCancelButton)) {
        if (id == kOkButton) on_ok();
        else on_cancel();
        closed_ = true;
        result_ = id == kOkButton ? kResultOk : kResultCancel;
        return {};
    }
    on_clicked(id);
    return {};
}

EventOutcome DialogLogic::user_select(int id, int index) {
    ControlState* c = state_.find(id);
    if (!c) return {false, "no control " + std::to_string(id)};
    if (!is_list(c->kind)) return {false, "control " + std::to_string(id) + " is not a list"};
    if (!c->enabled) return {false, "control " + std::to_string(id) + " is disabled"};
    if (index < 0 || index >= static_cast<int>(c->entries.size()))
        return {false, "list " + std::to_string(id) + " has no entry " + std::to_string(index)};
    select(id, index);
    on_selected(id);
    return {};
}

void DialogLogic::set_text(int id, std::string_view text) {
    ControlState& c = state_.at(id);
    c.text = std::string(text);
    changed(c);
    // A rule that sets its own box again is heard again, a few levels deep.
    if (text_nesting_ >= kMaxTextNesting) return;
    ++text_nesting_;
    on_text_changed(id);
    --text_nesting_;
}

void DialogLogic::set_enabled(int id, bool enabled) {
    ControlState& c = state_.at(id);
    if (c.enabled == enabled) return;
    c.enabled = enabled;
    changed(c);
}

void DialogLogic::set_checked(int id, bool checked) {
    ControlState& c = state_.at(id);
    if (c.checked == checked) return;
    c.checked = checked;
    changed(c);
}

void DialogLogic::set_entries(int id, std::vector<std::string> entries) {
    ControlState& c = state_.at(id);
    c.entries = std::move(entries);
    c.selection = kNoSelection;
    ++c.entries_revision;
    changed(c);
}

void DialogLogic::select(int id, int index) {
    ControlState& c = state_.at(id);
    const int chosen = index >= 0 && index < static_cast<int>(c.entries.size()) ? index : kNoSelection;
    if (c.selection == chosen) return;
    c.selection = chosen;
    changed(c);
}

void DialogLogic::select_or_first(int id, int index) {
    const int size = static_cast<int>(state_.at(id).entries.size());
    select(id, index >= 0 && index < size ? index : 0);
}

}  // namespace kolibra::dialog
