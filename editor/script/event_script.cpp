#include "editor/script/event_script.h"

#include <charconv>

namespace kolibra::editor {

namespace {

struct Word {
    std::string text;
    bool quoted = false;
};

bool split_words(std::string_view line, std::vector<Word>& words, std::string& error) {
    std::size_t i = 0;
    while (i < line.size()) {
        const char c = line[i];
        if (c == ' ' || c == '\t' || c == '\r') {
            ++i;
            continue;
        }
        if (c == '#') break;
        Word w;
        if (c == '"') {
            w.quoted = true;
            ++i;
            bool closed = false;
            while (i < line.size()) {
                const char d = line[i++];
                if (d == '"') {
                    closed = true;
                    break;
                }
                if (d == '\\') {
                    if (i < line.size() && (line[i] == '"' || line[i] == '\\')) {
                        w.text += line[i++];
                        continue;
                    }
                    error = "only \\\" and \\\\ are escapes in a text";
                    return false;
                }
                w.text += d;
            }
            if (!closed) {
                error = "text without closing quote";
                return false;
            }
        } else {
            while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r' &&
                   line[i] != '"' && line[i] != '#')
                w.text += line[i++];
        }
        words.push_back(std::move(w));
    }
    return true;
}

bool to_int(const Word& w, int& out) {
    if (w.quoted || w.text.empty()) return false;
    const char* end = w.text.data() + w.text.size();
    auto [p, ec] = std::from_chars(w.text.data(), end, out);
    return ec == std::errc() && p == end;
}

struct Shape {
    const char* word;
    EventKind kind;
    int words;  // including the event's own word
};

constexpr Shape kShapes[] = {
    {"tab", EventKind::Tab, 2},       {"select", EventKind::Select, 3},
    {"text", EventKind::Text, 3},     {"type", EventKind::Type, 3},
    {"click", EventKind::Click, 2},   {"ok", EventKind::Ok, 1},
    {"cancel", EventKind::Cancel, 1}, {"show", EventKind::Show, 0},
    {"expect", EventKind::Expect, 4},
};

}  // namespace

ParsedLine parse_event_line(std::string_view line, int line_number) {
    ParsedLine out;
    std::vector<Word> words;
    if (!split_words(line, words, out.error)) return out;
    if (words.empty()) return out;
    const Shape* shape = nullptr;
    for (const Shape& s : kShapes) {
        if (!words[0].quoted && words[0].text == s.word) shape = &s;
    }
    if (!shape) {
        out.error = "unknown event '" + words[0].text + "'";
        return out;
    }
    const int count = static_cast<int>(words.size());
    const bool show = shape->kind == EventKind::Show;
    if ((show && count > 2) || (!show && count != shape->words)) {
        out.error = std::string("wrong number of words for '") + shape->word + "'";
        return out;
    }
    ScriptEvent e;
    e.kind = shape->kind;
    e.line = line_number;
    if (shape->kind == EventKind::Tab) {
        e.text = words[1].text;
    } else if (count > 1 && !to_int(words[1], e.id)) {
        out.error = "'" + words[1].text + "' is not a control number";
        return out;
    }
    switch (shape->kind) {
    case EventKind::Select:
        if (!to_int(words[2], e.index)) {
            out.error = "'" + words[2].text + "' is not an entry number";
            return out;
        }
        break;
    case EventKind::Text:
    case EventKind::Type:
        if (!words[2].quoted) {
            out.error = "the text must be in double quotes";
            return out;
        }
        e.text = words[2].text;
        break;
    case EventKind::Expect:
        e.key = words[2].text;
        if (e.key != "text" && e.key != "enabled" && e.key != "checked" && e.key != "selection") {
            out.error = "unknown key '" + e.key + "'";
            return out;
        }
        e.text = words[3].text;
        break;
    default:
        break;
    }
    out.event = std::move(e);
    return out;
}

std::string quote_text(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    out += '"';
    return out;
}

}  // namespace kolibra::editor
