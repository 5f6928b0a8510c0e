#include "editor/script/event_runner.h"

#include <istream>
#include <ostream>

namespace kolibra::editor {

std::string shown_text(const ControlState& c) {
    if (!is_list(c.kind)) return c.text;
    return c.selection >= 0 && c.selection < static_cast<int>(c.entries.size())
               ? c.entries[c.selection]
               : std::string();
}

EventRunner::EventRunner(std::istream& events, std::ostream& out, std::ostream& err)
    : events_(events), out_(out), err_(err) {}

void EventRunner::fail(int status, int line, const std::string& message) {
    if (status_ != kReplayDone) return;
    status_ = status;
    err_ << "line " << line << ": " << message << "\n";
}

bool EventRunner::next_event(ScriptEvent& event) {
    std::string line;
    while (status_ == kReplayDone && std::getline(events_, line)) {
        ++line_number_;
        ParsedLine parsed = parse_event_line(line, line_number_);
        if (!parsed.error.empty()) {
            fail(kReplayRefused, line_number_, parsed.error);
            return false;
        }
        if (parsed.event) {
            event = std::move(*parsed.event);
            return true;
        }
    }
    return false;
}

int EventRunner::run(TemplateDocument& doc, SimulatorHooks simulator) {
    EditorContext context(doc, *this, std::move(simulator));
    Sheet sheet(context);
    sheet_ = &sheet;
    ScriptEvent event;
    while (status_ == kReplayDone && !sheet.closed()) {
        if (!next_event(event)) {
            fail(kReplayRefused, line_number_, "the script ends with the sheet open");
            break;
        }
        apply(event);
    }
    if (status_ == kReplayDone && next_event(event))
        fail(kReplayRefused, event.line, "the sheet has already closed");
    sheet_ = nullptr;
    return status_;
}

int EventRunner::run_modal(DialogLogic& dialog) {
    dialog.open();
    dialogs_.push_back(&dialog);
    ScriptEvent event;
    while (status_ == kReplayDone && !dialog.closed()) {
        if (!next_event(event)) {
            fail(kReplayRefused, line_number_, "the script ends with a dialog open");
            break;
        }
        apply(event);
    }
    dialogs_.pop_back();
    return dialog.closed() ? dialog.result() : kResultCancel;
}

DialogLogic& EventRunner::top() {
    if (!dialogs_.empty()) return *dialogs_.back();
    return sheet_->page(sheet_->current());
}

void EventRunner::show(const ControlState& c) {
    out_ << c.id << " text=" << quote_text(shown_text(c)) << " enabled=" << (c.enabled ? 1 : 0)
         << " checked=" << (c.checked ? 1 : 0) << " selection=" << c.selection << "\n";
}

void EventRunner::apply(const ScriptEvent& e) {
    auto refuse_in_dialog = [&](const char* what) {
        if (dialogs_.empty()) return false;
        fail(kReplayRefused, e.line, std::string(what) + " while a dialog is open");
        return true;
    };
    auto check = [&](const EventOutcome& outcome) {
        if (!outcome.accepted) fail(kReplayRefused, e.line, outcome.reason);
    };
    switch (e.kind) {
    case EventKind::Tab: {
        if (refuse_in_dialog("a tab")) return;
        const int index = sheet_->find_tab(e.text);
        if (index < 0) return fail(kReplayRefused, e.line, "no tab '" + e.text + "'");
        sheet_->show(index);
        return;
    }
    case EventKind::Select:
        return check(top().user_select(e.id, e.index));
    case EventKind::Text:
        return check(top().user_text(e.id, e.text));
    case EventKind::Type: {
        DialogLogic& dialog = top();
        for (char c : e.text) {
            const ControlState* box = dialog.state().find(e.id);
            const std::string typed = (box ? box->text : std::string()) + c;
            const EventOutcome outcome = dialog.user_text(e.id, typed);
            if (!outcome.accepted) return check(outcome);
        }
        return;
    }
    case EventKind::Click:
        return check(top().user_click(e.id));
    case EventKind::Ok:
        if (refuse_in_dialog("the sheet's OK")) return;
        sheet_->ok();
        return;
    case EventKind::Cancel:
        if (refuse_in_dialog("the sheet's Cancel")) return;
        sheet_->cancel();
        return;
    case EventKind::Show: {
        const DialogState& state = top().state();
        if (e.id == -1) {
            for (const ControlState& c : state.controls()) show(c);
            return;
        }
        const ControlState* c = state.find(e.id);
        if (!c) return fail(kReplayRefused, e.line, "no control " + std::to_string(e.id));
        show(*c);
        return;
    }
    case EventKind::Expect: {
        const ControlState* c = top().state().find(e.id);
        if (!c) return fail(kReplayRefused, e.line, "no control " + std::to_string(e.id));
        std::string actual;
        if (e.key == "text") actual = shown_text(*c);
        else if (e.key == "enabled") actual = c->enabled ? "1" : "0";
        else if (e.key == "checked") actual = c->checked ? "1" : "0";
        else actual = std::to_string(c->selection);
        if (actual != e.text)
            fail(kReplayExpectFailed, e.line,
                 "control " + std::to_string(e.id) + " " + e.key + " is " + quote_text(actual) +
                     ", expected " + quote_text(e.text));
        return;
    }
    }
}

}  // namespace kolibra::editor
