#include "common/resource_script.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <utility>

namespace kolibra {

namespace {

using Token = ScriptToken;

}  // namespace

bool split_script_line(std::string_view line, std::vector<Token>& tokens, std::string& error) {
    std::size_t i = 0;
    while (i < line.size()) {
        char c = line[i];
        if (c == ' ' || c == '\t' || c == '\r') {
            ++i;
            continue;
        }
        // A comment starts a line or is a '#' followed by a blank; "#8fe3e0" is a word.
        if (c == '#' && (tokens.empty() || i + 1 >= line.size() || line[i + 1] == ' ' ||
                         line[i + 1] == '\t' || line[i + 1] == '\r'))
            break;
        Token token;
        if (c == '"') {
            token.quoted = true;
            ++i;
            bool closed = false;
            while (i < line.size()) {
                char d = line[i++];
                if (d == '"') {
                    closed = true;
                    break;
                }
                if (d == '\\') {
                    if (i >= line.size()) break;
                    char e = line[i++];
                    switch (e) {
                    case 't': token.text += '\t'; break;
                    case 'n': token.text += '\n'; break;
                    case '"': token.text += '"'; break;
                    case '\\': token.text += '\\'; break;
                    default:
                        error = std::string("unknown escape \\") + e;
                        return false;
                    }
                } else {
                    token.text += d;
                }
            }
            if (!closed) {
                error = "text without closing quote";
                return false;
            }
        } else {
            while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r' &&
                   line[i] != '"') {
                token.text += line[i++];
            }
        }
        tokens.push_back(std::move(token));
    }
    return true;
}

namespace {

std::optional<int> to_int(const Token& token) {
    if (token.quoted || token.text.empty()) return std::nullopt;
    int value = 0;
    const char* first = token.text.data();
    const char* last = first + token.text.size();
    auto result = std::from_chars(first, last, value);
    if (result.ec != std::errc() || result.ptr != last) return std::nullopt;
    return value;
}

constexpr std::pair<const char*, ControlKind> kKindNames[] = {
    {"label", ControlKind::Label},          {"clabel", ControlKind::CenteredLabel},
    {"rlabel", ControlKind::RightLabel},    {"edit", ControlKind::Edit},
    {"droplist", ControlKind::DropDownList}, {"dropedit", ControlKind::DropDownEdit},
    {"list", ControlKind::ListBox},          {"button", ControlKind::Button},
    {"default", ControlKind::DefaultButton}, {"check", ControlKind::CheckBox},
    {"radio", ControlKind::RadioButton},     {"group", ControlKind::GroupBox},
    {"icon", ControlKind::Icon},             {"progress", ControlKind::ProgressBar},
};

std::optional<ControlKind> control_kind(const std::string& word) {
    for (const auto& [name, kind] : kKindNames) {
        if (word == name) return kind;
    }
    return std::nullopt;
}

std::optional<unsigned> control_flag(const std::string& word) {
    static const std::pair<const char*, unsigned> flags[] = {
        {"disabled", kControlDisabled}, {"hidden", kControlHidden},
        {"readonly", kControlReadOnly}, {"password", kControlPassword},
        {"multiline", kControlMultiline}, {"number", kControlNumber},
        {"newgroup", kControlNewGroup},
    };
    for (const auto& [name, flag] : flags) {
        if (word == name) return flag;
    }
    return std::nullopt;
}

enum class Block { None, Dialog, Menu, Accelerators, Strings };

class Parser {
public:
    explicit Parser(ResourceSet& out) : out_(out) {}

    bool line(std::vector<Token>& t, std::string& error) {
        if (t.empty()) return true;
        const std::string& word = t[0].quoted ? empty_ : t[0].text;
        switch (block_) {
        case Block::None: return top_level(word, t, error);
        case Block::Dialog: return dialog_line(word, t, error);
        case Block::Menu: return menu_line(word, t, error);
        case Block::Accelerators: return accelerator_line(word, t, error);
        case Block::Strings: return string_line(word, t, error);
        }
        return true;
    }

    bool finish(std::string& error) {
        if (block_ != Block::None) {
            error = "missing 'end' at the end of the file";
            return false;
        }
        return true;
    }

private:
    bool top_level(const std::string& word, std::vector<Token>& t, std::string& error) {
        if (word == "dialog") {
            std::optional<int> w, h;
            if (t.size() != 4 || !(w = to_int(t[2])) || !(h = to_int(t[3])) || *w <= 0 ||
                *h <= 0) {
                error = "expected: dialog NAME WIDTH HEIGHT";
                return false;
            }
            dialog_ = DialogTemplate{};
            dialog_.name = t[1].text;
            dialog_.width = *w;
            dialog_.height = *h;
            block_ = Block::Dialog;
            return true;
        }
        if (word == "menu") {
            if (t.size() != 2) {
                error = "expected: menu NAME";
                return false;
            }
            menu_ = MenuTemplate{};
            menu_.name = t[1].text;
            open_popups_.clear();
            block_ = Block::Menu;
            return true;
        }
        if (word == "accelerators") {
            if (t.size() != 2) {
                error = "expected: accelerators NAME";
                return false;
            }
            accelerators_ = AcceleratorTable{};
            accelerators_.name = t[1].text;
            block_ = Block::Accelerators;
            return true;
        }
        if (word == "strings") {
            if (t.size() != 1) {
                error = "expected: strings";
                return false;
            }
            block_ = Block::Strings;
            return true;
        }
        error = "expected dialog, menu, accelerators or strings";
        return false;
    }

    bool dialog_line(const std::string& word, std::vector<Token>& t, std::string& error) {
        if (word == "end" && t.size() == 1) {
            out_.dialogs.push_back(std::move(dialog_));
            block_ = Block::None;
            return true;
        }
        if (word == "caption") {
            if (t.size() != 2 || !t[1].quoted) {
                error = "expected: caption \"TEXT\"";
                return false;
            }
            dialog_.caption = t[1].text;
            return true;
        }
        if (word == "font") {
            std::optional<int> points;
            if (t.size() != 3 || !(points = to_int(t[1])) || *points <= 0 || !t[2].quoted) {
                error = "expected: font POINTS \"FACE\"";
                return false;
            }
            dialog_.font_points = *points;
            dialog_.font_face = t[2].text;
            return true;
        }
        std::optional<ControlKind> kind = control_kind(word);
        if (!kind) {
            error = "unknown control kind '" + t[0].text + "'";
            return false;
        }
        ControlTemplate c;
        c.kind = *kind;
        std::optional<int> id, x, y, w, h;
        if (t.size() < 7 || !(id = to_int(t[1])) || !t[2].quoted || !(x = to_int(t[3])) ||
            !(y = to_int(t[4])) || !(w = to_int(t[5])) || !(h = to_int(t[6])) || *w < 0 ||
            *h < 0) {
            error = "expected: KIND ID \"TEXT\" X Y WIDTH HEIGHT [FLAG ...]";
            return false;
        }
        c.id = *id;
        c.text = t[2].text;
        c.x = *x;
        c.y = *y;
        c.width = *w;
        c.height = *h;
        for (std::size_t i = 7; i < t.size(); ++i) {
            std::optional<unsigned> flag = t[i].quoted ? std::nullopt : control_flag(t[i].text);
            if (!flag) {
                error = "unknown control flag '" + t[i].text + "'";
                return false;
            }
            c.flags |= *flag;
        }
        if (c.id != -1 && dialog_.control(c.id)) {
            error = "control id " + std::to_string(c.id) + " used twice";
            return false;
        }
        dialog_.controls.push_back(std::move(c));
        return true;
    }

    std::vector<MenuEntry>& current_entries() {
        std::vector<MenuEntry>* entries = &menu_.entries;
        for (std::size_t index : open_popups_) entries = &(*entries)[index].children;
        return *entries;
    }

    bool menu_line(const std::string& word, std::vector<Token>& t, std::string& error) {
        if (word == "end" && t.size() == 1) {
            if (open_popups_.empty()) {
                out_.menus.push_back(std::move(menu_));
                block_ = Block::None;
            } else {
                open_popups_.pop_back();
            }
            return true;
        }
        std::vector<MenuEntry>& entries = current_entries();
        MenuEntry entry;
        if (word == "separator" && t.size() == 1) {
            entry.kind = MenuEntry::Kind::Separator;
            entries.push_back(std::move(entry));
            return true;
        }
        if (word == "popup") {
            if (t.size() != 2 || !t[1].quoted) {
                error = "expected: popup \"TEXT\"";
                return false;
            }
            entry.kind = MenuEntry::Kind::Popup;
            entry.text = t[1].text;
            entries.push_back(std::move(entry));
            open_popups_.push_back(entries.size() - 1);
            return true;
        }
        if (word == "item") {
            std::optional<int> command;
            if (t.size() != 3 || !(command = to_int(t[1])) || !t[2].quoted) {
                error = "expected: item COMMAND \"TEXT\"";
                return false;
            }
            entry.command = *command;
            entry.text = t[2].text;
            entries.push_back(std::move(entry));
            return true;
        }
        error = "expected item, separator, popup or end";
        return false;
    }

    bool accelerator_line(const std::string& word, std::vector<Token>& t, std::string& error) {
        if (word == "end" && t.size() == 1) {
            out_.accelerators.push_back(std::move(accelerators_));
            block_ = Block::None;
            return true;
        }
        std::optional<int> command;
        if (t.size() != 2 || t[0].quoted || !(command = to_int(t[1]))) {
            error = "expected: KEYS COMMAND";
            return false;
        }
        accelerators_.keys.push_back({t[0].text, *command});
        return true;
    }

    bool string_line(const std::string& word, std::vector<Token>& t, std::string& error) {
        if (word == "end" && t.size() == 1) {
            block_ = Block::None;
            return true;
        }
        std::optional<int> id;
        if (t.size() != 2 || !(id = to_int(t[0])) || !t[1].quoted) {
            error = "expected: NUMBER \"TEXT\"";
            return false;
        }
        out_.strings[*id] = t[1].text;
        return true;
    }

    ResourceSet& out_;
    Block block_ = Block::None;
    DialogTemplate dialog_;
    MenuTemplate menu_;
    std::vector<std::size_t> open_popups_;  // path of indexes to the open pop-up
    AcceleratorTable accelerators_;
    const std::string empty_;
};

}  // namespace

const ControlTemplate* DialogTemplate::control(int wanted) const {
    for (const auto& c : controls) {
        if (c.id == wanted) return &c;
    }
    return nullptr;
}

const DialogTemplate* ResourceSet::dialog(std::string_view name) const {
    for (const auto& d : dialogs) {
        if (d.name == name) return &d;
    }
    return nullptr;
}

const DialogTemplate& required_dialog(const ResourceSet& set, std::string_view name) {
    const DialogTemplate* tmpl = set.dialog(name);
    if (!tmpl) {
        std::fprintf(stderr, "no dialog template named %.*s\n", static_cast<int>(name.size()), name.data());
        std::abort();
    }
    return *tmpl;
}

const MenuTemplate* ResourceSet::menu(std::string_view name) const {
    for (const auto& m : menus) {
        if (m.name == name) return &m;
    }
    return nullptr;
}

const AcceleratorTable* ResourceSet::accelerator_table(std::string_view name) const {
    for (const auto& a : accelerators) {
        if (a.name == name) return &a;
    }
    return nullptr;
}

std::string ResourceSet::string(int id) const {
    auto it = strings.find(id);
    return it == strings.end() ? std::string() : it->second;
}

const char* control_kind_name(ControlKind kind) {
    for (const auto& [name, k] : kKindNames) {
        if (k == kind) return name;
    }
    return "?";
}

bool same_widget_kind(ControlKind expected, ControlKind actual) {
    auto family = [](ControlKind kind) {
        switch (kind) {
        case ControlKind::CenteredLabel:
        case ControlKind::RightLabel: return ControlKind::Label;
        case ControlKind::DefaultButton: return ControlKind::Button;
        default: return kind;
        }
    };
    return family(expected) == family(actual);
}

ResourceSet load_resource_script(std::string_view name, std::string_view text) {
    ResourceSet set;
    std::string error;
    if (!parse_resource_script(text, set, error)) {
        std::fprintf(stderr, "%.*s: %s\n", static_cast<int>(name.size()), name.data(),
                     error.c_str());
    }
    return set;
}

bool parse_resource_script(std::string_view text, ResourceSet& out, std::string& error) {
    Parser parser(out);
    int line_number = 0;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        ++line_number;
        std::vector<Token> tokens;
        std::string what;
        if (!split_script_line(text.substr(start, end - start), tokens, what) ||
            !parser.line(tokens, what)) {
            error = "line " + std::to_string(line_number) + ": " + what;
            return false;
        }
        start = end + 1;
    }
    std::string what;
    if (!parser.finish(what)) {
        error = "line " + std::to_string(line_number) + ": " + what;
        return false;
    }
    return true;
}

}  // namespace kolibra
