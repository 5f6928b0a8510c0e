// The event scripts of `tgen edit`: one event a line, '#' starts a comment,
// texts in double quotes with \" and \\ escapes.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kolibra::editor {

enum class EventKind { Tab, Select, Text, Type, Click, Ok, Cancel, Show, Expect };

struct ScriptEvent {
    EventKind kind = EventKind::Show;
    int line = 0;          // line number in the script, from 1
    int id = -1;           // control number; -1 for `show` alone
    int index = 0;         // `select`
    std::string text;      // `tab` name, `text`/`type` text, `expect` value
    std::string key;       // `expect`
};

struct ParsedLine {
    std::optional<ScriptEvent> event;  // empty for blank and comment lines
    std::string error;                 // set when the line is not an event
};

ParsedLine parse_event_line(std::string_view line, int line_number);

// `text` quoted for `show`: in double quotes, with " and \ escaped.
std::string quote_text(std::string_view text);

}  // namespace kolibra::editor
