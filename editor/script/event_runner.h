// Replays an event script against the editor without a window: the same
// sheet, pages and dialogs as the window, with this runner as the host that
// runs the nested modal dialogs.
#pragma once

#include "editor/dialog_logic.h"
#include "editor/script/event_script.h"
#include "editor/sheet.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace kolibra::editor {

// Exit statuses of a replay.
constexpr int kReplayDone = 0;
constexpr int kReplayExpectFailed = 1;
constexpr int kReplayRefused = 2;  // an event a user could not perform

class EventRunner : public DialogHost {
public:
    // `show` prints to `out`; failures are told on `err`, naming the line.
    EventRunner(std::istream& events, std::ostream& out, std::ostream& err);

    // Opens the editor on `doc`, replays every event and returns the exit
    // status; the sheet must have closed by the end of the script.
    int run(TemplateDocument& doc, SimulatorHooks simulator = {});

    int run_modal(DialogLogic& dialog) override;

private:
    bool next_event(ScriptEvent& event);
    void apply(const ScriptEvent& event);
    DialogLogic& top();
    void show(const ControlState& c);
    void fail(int status, int line, const std::string& message);

    std::istream& events_;
    std::ostream& out_;
    std::ostream& err_;
    int line_number_ = 0;
    Sheet* sheet_ = nullptr;
    std::vector<DialogLogic*> dialogs_;  // the modal dialogs open, innermost last
    int status_ = kReplayDone;
};

// The text a control shows: a list's selected entry, else its text.
std::string shown_text(const ControlState& c);

}  // namespace kolibra::editor
