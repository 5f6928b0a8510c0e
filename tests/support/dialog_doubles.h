// Playing a user's turn on a dialog logic without a window: events written as
// data (type a text, click, select), and a host that opens each modal dialog
// and plays one script on it.
#pragma once

#include "common/dialog/dialog_logic.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kolibra::test {

struct UserEvent {
    enum Kind { Text, Click, Select } kind;
    int id;
    std::string text;  // Text
    int index = 0;     // Select
};

inline UserEvent type_text(int id, std::string text) { return {UserEvent::Text, id, std::move(text)}; }
inline UserEvent click(int id) { return {UserEvent::Click, id, {}}; }
inline UserEvent choose(int id, int index) { return {UserEvent::Select, id, {}, index}; }

// Plays the events in order; each must be one a user could perform.
inline void play(dialog::DialogLogic& dialog, const std::vector<UserEvent>& events) {
    for (const UserEvent& e : events) {
        dialog::EventOutcome out = e.kind == UserEvent::Text     ? dialog.user_text(e.id, e.text)
                                   : e.kind == UserEvent::Click ? dialog.user_click(e.id)
                                                                : dialog.user_select(e.id, e.index);
        EXPECT_TRUE(out.accepted) << "control " << e.id << ": " << out.reason;
    }
}

// Opens each dialog it runs and plays `events` on it; a script that does not
// close the dialog counts as Cancel, as a window closed by its close box.
class ScriptedHost : public dialog::DialogHost {
public:
    std::vector<UserEvent> events;
    int runs = 0;
    int run_modal(dialog::DialogLogic& dialog) override {
        ++runs;
        dialog.open();
        play(dialog, events);
        return dialog.closed() ? dialog.result() : dialog::kResultCancel;
    }
};

// The text of control `id`, or a list's selected entry.
inline std::string shown(const dialog::DialogLogic& dialog, int id) {
    const dialog::ControlState& c = dialog.state().at(id);
    if (dialog::is_list(c.kind))
        return c.selection >= 0 ? c.entries[static_cast<std::size_t>(c.selection)] : std::string();
    return c.text;
}

}  // namespace kolibra::test
