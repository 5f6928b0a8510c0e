// The template's text form: writing, reading and comparing.
#include "model/template_text.h"

#include "model/template_fields.h"
#include "model/text_slot.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <unordered_map>

namespace kolibra {

namespace {

constexpr char kLeftoverSuffix[] = ".leftover";
constexpr char kUnterminatedSuffix[] = ".unterminated";
constexpr char kRawWord[] = "raw";
constexpr unsigned kListShownInMessages = 13;  // longer lists are not spelled out

// ---- writing ---------------------------------------------------------------

std::string quote(const uint8_t* bytes, std::size_t size) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out = "\"";
    for (std::size_t i = 0; i < size; ++i) {
        const uint8_t c = bytes[i];
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c >= 0x20 && c <= 0x7E) {
            out += static_cast<char>(c);
        } else {
            out += "\\x";
            out += kHex[c >> 4];
            out += kHex[c & 0x0F];
        }
    }
    out += '"';
    return out;
}

std::string raw(unsigned value) { return std::string(kRawWord) + " " + std::to_string(value); }

std::string range_text(unsigned min, unsigned max) {
    return std::to_string(min) + " to " + std::to_string(max);
}

// One key with its value as the text form writes it.
struct Entry {
    std::string key;
    std::string value;
    bool shown = true;  // written by an export
    std::string note;   // a comment written after the value
    const TemplateField* field = nullptr;
};

void add_value_entry(const Template& t, const TemplateField& f, std::vector<Entry>& out) {
    const unsigned v = field_value(t, f);
    Entry e{f.key, "", true, "", &f};
    switch (f.kind) {
    case FieldKind::Number:
        if (v >= f.min && v <= f.max) {
            e.value = std::to_string(v);
        } else {
            e.value = raw(v);
            e.note = f.quiet ? "holds " + std::to_string(f.quiet_value) + " in a sound template"
                             : "outside " + range_text(f.min, f.max);
        }
        break;
    case FieldKind::Flag:
        if (v <= 1) {
            e.value = std::to_string(v);
        } else {
            e.value = raw(v);
            e.note = "a flag is 0 or 1";
        }
        break;
    case FieldKind::Switch:
        e.value = v ? "on" : "off";
        break;
    case FieldKind::Choice:
        if (v < f.choice_count) {
            e.value = f.choices[v];
        } else {
            e.value = raw(v);
            e.note = "no entry of the list has this number";
        }
        break;
    case FieldKind::Char: {
        const uint8_t c = static_cast<uint8_t>(v);
        e.value = quote(&c, v ? 1 : 0);
        break;
    }
    case FieldKind::Text:
        break;
    }
    if (f.quiet && v == f.quiet_value) e.shown = false;
    out.push_back(std::move(e));
}

void add_text_entries(const Template& t, const TemplateField& f, std::vector<Entry>& out) {
    const uint8_t* slot = field_slot(t, f);
    const std::size_t n = f.slot_size;
    const std::size_t length = slot_length(slot, n);
    const bool unterminated = length == n && !f.full_slot;
    out.push_back(Entry{f.key, quote(slot, length), true, "", &f});
    if (!f.full_slot) {
        out.push_back(Entry{f.key + kUnterminatedSuffix, unterminated ? "1" : "0", unterminated,
                            unterminated ? "the slot holds no zero byte" : "", &f});
    }
    std::size_t end = n;
    const std::size_t start = length < n ? length + 1 : n;
    while (end > start && slot[end - 1] == 0) --end;
    out.push_back(Entry{f.key + kLeftoverSuffix, quote(slot + start, end - start), end > start,
                        end > start ? "bytes after the text's zero, kept as they were" : "", &f});
}

std::vector<Entry> collect_entries(const Template& t) {
    std::vector<Entry> entries;
    entries.reserve(template_fields().size() * 2);
    for (const TemplateField& f : template_fields()) {
        if (f.kind == FieldKind::Text) add_text_entries(t, f, entries);
        else add_value_entry(t, f, entries);
    }
    return entries;
}

// ---- reading ---------------------------------------------------------------

enum class Part : uint8_t { Value, Leftover, Unterminated };

struct KeyRef {
    std::size_t field;
    Part part;
};
constexpr std::size_t kPartCount = 3;

const std::unordered_map<std::string, KeyRef>& key_index() {
    static const auto index = [] {
        std::unordered_map<std::string, KeyRef> map;
        const auto& fields = template_fields();
        for (std::size_t i = 0; i < fields.size(); ++i) {
            map.emplace(fields[i].key, KeyRef{i, Part::Value});
            if (fields[i].kind != FieldKind::Text) continue;
            map.emplace(fields[i].key + kLeftoverSuffix, KeyRef{i, Part::Leftover});
            if (!fields[i].full_slot) {
                map.emplace(fields[i].key + kUnterminatedSuffix, KeyRef{i, Part::Unterminated});
            }
        }
        return map;
    }();
    return index;
}

bool is_space(char c) { return c == ' ' || c == '\t'; }

std::string_view trim(std::string_view s) {
    while (!s.empty() && is_space(s.front())) s.remove_prefix(1);
    while (!s.empty() && is_space(s.back())) s.remove_suffix(1);
    return s;
}

int hex_digit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

struct Value {
    bool quoted = false;
    std::string text;  // the unescaped quoted text, or the bare word(s)
};

// The value after '=': a quoted text with escapes, or bare words up to a '#'.
bool parse_value(std::string_view rest, Value& v, std::string& error) {
    rest = trim(rest);
    if (rest.empty() || rest.front() == '#') {
        error = "no value after '='";
        return false;
    }
    if (rest.front() != '"') {
        const std::size_t hash = rest.find('#');
        v.text = std::string(trim(rest.substr(0, hash)));
        return true;
    }
    v.quoted = true;
    std::size_t i = 1;
    for (;;) {
        if (i >= rest.size()) {
            error = "the text has no closing '\"'";
            return false;
        }
        const char c = rest[i++];
        if (c == '"') break;
        if (c != '\\') {
            v.text += c;
            continue;
        }
        if (i >= rest.size()) {
            error = "the text ends inside an escape";
            return false;
        }
        const char e = rest[i++];
        if (e == '"' || e == '\\') {
            v.text += e;
        } else if (e == 'x' && i + 1 < rest.size() && hex_digit(rest[i]) >= 0 &&
                   hex_digit(rest[i + 1]) >= 0) {
            v.text += static_cast<char>(hex_digit(rest[i]) * 16 + hex_digit(rest[i + 1]));
            i += 2;
        } else {
            error = "unknown escape '\\" + std::string(1, e) + "' (use \\\", \\\\ or \\xHH)";
            return false;
        }
    }
    const std::string_view after = trim(rest.substr(i));
    if (!after.empty() && after.front() != '#') {
        error = "unexpected text after the closing '\"'";
        return false;
    }
    return true;
}

// Plain decimal digits; false for anything else or a value above 255.
bool parse_byte(std::string_view s, unsigned& out) {
    if (s.empty() || s.size() > 3) return false;
    unsigned v = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return false;
        v = v * 10 + static_cast<unsigned>(c - '0');
    }
    if (v > 255) return false;
    out = v;
    return true;
}

// "raw N": true when the value has that form; `error` set when N is bad.
bool parse_raw(const Value& v, unsigned mask, unsigned& out, std::string& error) {
    const std::size_t word = std::strlen(kRawWord);
    if (v.quoted || v.text.size() <= word || v.text.compare(0, word, kRawWord) != 0 ||
        !is_space(v.text[word])) {
        return false;
    }
    const std::string_view digits = trim(std::string_view(v.text).substr(word));
    if (!parse_byte(digits, out) || out > mask) {
        error = "raw takes a number from 0 to " + std::to_string(mask);
    }
    return true;
}

// Letters compared without case, runs of spaces as one.
std::string loose(std::string_view s) {
    std::string out;
    for (char c : trim(s)) {
        if (is_space(c)) {
            if (!out.empty() && out.back() == ' ') continue;
            c = ' ';
        } else if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
        out += c;
    }
    return out;
}

bool find_choice(const TemplateField& f, const std::string& name, unsigned& out) {
    for (unsigned i = 0; i < f.choice_count; ++i) {
        if (name == f.choices[i]) {
            out = i;
            return true;
        }
    }
    const std::string wanted = loose(name);
    for (unsigned i = 0; i < f.choice_count; ++i) {
        if (wanted == loose(f.choices[i])) {
            out = i;
            return true;
        }
    }
    return false;
}

std::string not_an_entry(const TemplateField& f, const std::string& name) {
    std::string message = "\"" + name + "\" is not an entry of its list";
    if (f.choice_count <= kListShownInMessages) {
        message += " (";
        for (unsigned i = 0; i < f.choice_count; ++i) {
            if (i) message += ", ";
            message += "\"" + std::string(f.choices[i]) + "\"";
        }
        message += ")";
    }
    return message;
}

// The byte value a line gives a non-text field; false with `error` when it
// does not give a sound one.
bool field_byte(const TemplateField& f, const Value& v, unsigned& out, std::string& error) {
    if (parse_raw(v, f.mask(), out, error)) return error.empty();
    switch (f.kind) {
    case FieldKind::Number:
        if (v.quoted || !parse_byte(v.text, out)) {
            error = "expects a number from " + range_text(f.min, f.max);
            return false;
        }
        if (out < f.min || out > f.max) {
            error = std::to_string(out) + " is outside " + range_text(f.min, f.max) +
                    " (raw " + std::to_string(out) + " keeps such a byte as it is)";
            return false;
        }
        return true;
    case FieldKind::Flag:
    case FieldKind::Switch:
        if (!v.quoted && (v.text == "0" || v.text == "off")) {
            out = 0;
            return true;
        }
        if (!v.quoted && (v.text == "1" || v.text == "on")) {
            out = 1;
            return true;
        }
        error = f.kind == FieldKind::Flag ? "expects 0 or 1" : "expects on or off";
        return false;
    case FieldKind::Choice:
        if (!find_choice(f, v.text, out)) {
            error = not_an_entry(f, v.text);
            return false;
        }
        return true;
    case FieldKind::Char:
        if (!v.quoted) {
            error = "expects one character in double quotes, or \"\" for none";
            return false;
        }
        if (v.text.size() > 1) {
            error = "holds one character, not " + std::to_string(v.text.size());
            return false;
        }
        out = v.text.empty() ? 0 : static_cast<uint8_t>(v.text[0]);
        return true;
    case FieldKind::Text:
        break;
    }
    error = "expects a text in double quotes";
    return false;
}

// What the lines say about one text slot; put together once all are read.
struct PendingText {
    int text_line = 0, leftover_line = 0, unterminated_line = 0;  // 0: not given
    std::string text, leftover;
    bool unterminated = false;
};

class TextReader {
public:
    explicit TextReader(Template& work)
        : work_(work), seen_(template_fields().size() * kPartCount, 0) {}

    void read_line(int number, std::string_view line) {
        line = trim(line);
        if (line.empty() || line.front() == '#') return;
        const std::size_t eq = line.find('=');
        const std::string key(trim(line.substr(0, eq == std::string_view::npos ? 0 : eq)));
        if (eq == std::string_view::npos || key.empty() ||
            key.find_first_of(" \t\"#") != std::string::npos) {
            problem(number, "", "malformed line (expected key = value)");
            return;
        }
        const auto& index = key_index();
        const auto found = index.find(key);
        if (found == index.end()) {
            problem(number, key, "unknown key");
            return;
        }
        int& first = seen_[found->second.field * kPartCount + static_cast<std::size_t>(found->second.part)];
        if (first != 0) {
            problem(number, key, "set twice (first on line " + std::to_string(first) + ")");
            return;
        }
        first = number;
        Value value;
        std::string error;
        if (!parse_value(line.substr(eq + 1), value, error)) {
            problem(number, key, error);
            return;
        }
        const TemplateField& f = template_fields()[found->second.field];
        if (f.kind == FieldKind::Text) {
            read_text_part(number, key, f, found->second, value);
            return;
        }
        unsigned byte = 0;
        if (!field_byte(f, value, byte, error)) {
            problem(number, key, error);
            return;
        }
        set_field_value(work_, f, byte);
    }

    // Writes every text slot a line named; call once after the last line.
    void finish() {
        const auto& fields = template_fields();
        for (const auto& [index, pending] : texts_) compose(fields[index], pending);
    }

    std::vector<TextProblem>& problems() { return problems_; }

private:
    void problem(int line, const std::string& key, std::string message) {
        problems_.push_back(TextProblem{line, key, std::move(message)});
    }

    void read_text_part(int number, const std::string& key, const TemplateField& f, KeyRef ref,
                        const Value& value) {
        PendingText& pending = texts_[ref.field];
        if (ref.part == Part::Unterminated) {
            if (value.quoted || (value.text != "0" && value.text != "1")) {
                problem(number, key, "expects 0 or 1");
                return;
            }
            pending.unterminated = value.text == "1";
            pending.unterminated_line = number;
            return;
        }
        if (!value.quoted) {
            problem(number, key, "expects a text in double quotes");
            return;
        }
        if (ref.part == Part::Leftover) {
            pending.leftover = value.text;
            pending.leftover_line = number;
            return;
        }
        if (value.text.find('\0') != std::string::npos) {
            problem(number, key, "a text holds no zero byte (\\x00)");
            return;
        }
        if (value.text.size() > f.slot_size) {
            problem(number, key, too_long(f, value.text.size()));
            return;
        }
        pending.text = value.text;
        pending.text_line = number;
    }

    static std::string too_long(const TemplateField& f, std::size_t length) {
        const std::size_t limit = f.full_slot ? f.slot_size : f.slot_size - 1;
        return "the text of " + std::to_string(length) + " characters is longer than its slot (at most " +
               std::to_string(limit) + ")";
    }

    void compose(const TemplateField& f, const PendingText& p) {
        uint8_t* slot = field_slot(work_, f);
        const std::size_t n = f.slot_size;
        // A slot whose text no line gives keeps its factory text.
        const std::string text = p.text_line ? p.text : read_slot(slot, n);
        if (p.unterminated && text.size() != n) {
            const bool own = p.text_line != 0;
            problem(own ? p.text_line : p.unterminated_line, own ? f.key : f.key + kUnterminatedSuffix,
                    "a slot with no zero byte needs a text of exactly " + std::to_string(n) +
                        " characters, not " + std::to_string(text.size()));
            return;
        }
        if (!p.unterminated && text.size() > (f.full_slot ? n : n - 1)) {
            problem(p.text_line, f.key, too_long(f, text.size()));
            return;
        }
        const std::size_t room = text.size() < n ? n - text.size() - 1 : 0;
        if (p.leftover.size() > room) {
            problem(p.leftover_line, f.key + kLeftoverSuffix,
                    std::to_string(p.leftover.size()) + " bytes do not fit after the text (room for " +
                        std::to_string(room) + ")");
            return;
        }
        std::memset(slot, 0, n);
        std::memcpy(slot, text.data(), text.size());
        if (text.size() < n) std::memcpy(slot + text.size() + 1, p.leftover.data(), p.leftover.size());
    }

    Template& work_;
    std::vector<int> seen_;  // per field and part: the line that set it, 0 when none
    std::unordered_map<std::size_t, PendingText> texts_;
    std::vector<TextProblem> problems_;
};

}  // namespace

std::string export_template_text(const Template& t) {
    std::string out =
        "# Kolibra 2 application template as text.\n"
        "# tgen import turns it back into the same template; a key left out takes\n"
        "# its factory value. Texts in double quotes (\\\" \\\\ \\xHH), lists by entry,\n"
        "# flags 0/1, barcode bits on/off; raw N is a byte outside its field's range.\n";
    for (const Entry& e : collect_entries(t)) {
        if (e.key == e.field->key && !e.field->heading.empty()) {
            out += "\n# " + e.field->heading + "\n";
        }
        if (!e.shown) continue;
        out += e.key;
        out += " = ";
        out += e.value;
        if (!e.note.empty()) {
            out += "  # ";
            out += e.note;
        }
        out += '\n';
    }
    return out;
}

std::string describe(const TextProblem& problem) {
    std::string out = "line " + std::to_string(problem.line) + ": ";
    if (!problem.key.empty()) out += problem.key + ": ";
    return out + problem.message;
}

TextImportResult import_template_text(std::string_view text, Template& out) {
    auto work = std::make_unique<Template>();
    std::memset(work.get(), 0, sizeof(Template));
    reset_template(*work);

    TextReader reader(*work);
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) text.remove_prefix(kByteOrderMark.size());
    int number = 0;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        reader.read_line(++number, line);
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    reader.finish();

    TextImportResult result;
    result.problems = std::move(reader.problems());
    std::stable_sort(result.problems.begin(), result.problems.end(),
                     [](const TextProblem& a, const TextProblem& b) { return a.line < b.line; });
    if (result.ok()) out = *work;
    return result;
}

std::vector<FieldDifference> diff_templates(const Template& a, const Template& b) {
    const std::vector<Entry> before = collect_entries(a);
    const std::vector<Entry> after = collect_entries(b);
    std::vector<FieldDifference> differences;
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (before[i].value != after[i].value) {
            differences.push_back(FieldDifference{before[i].key, before[i].value, after[i].value});
        }
    }
    return differences;
}

}  // namespace kolibra
