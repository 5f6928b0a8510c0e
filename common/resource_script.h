// Dialog templates, menus, accelerators and strings kept as data.
//
// A resource script is plain text, one statement per line; '#' at the start
// of a line, or followed by a blank, starts a comment; texts are in double
// quotes with \t, \n, \" and \\ escapes.
//
//   dialog ComSettingDlg 130 90          # name, width and height in dialog units
//     caption "COM Port Settings"
//     font 8 "Helv"                      # points and face; none: system font
//     label    -1  "&COM port :"  12 16 48 12
//     droplist 701 ""             60 14 56 80
//     default  1   "OK"           15 66 40 14
//     button   2   "Cancel"       75 66 40 14
//   end
//
// Control lines are: kind id "text" x y w h [flag ...]. Kinds: label,
// clabel (centred), rlabel (right), edit, droplist (drop-down list), dropedit
// (drop-down with an edit box), list, button, default (the default button),
// check, radio, group (group box), icon, progress. Flags: disabled, hidden,
// readonly, password, multiline, number, newgroup (a radio button that starts
// a new group of radio buttons).
//
//   menu PopMenuQ5
//     popup ""
//       item 1010 "&New\tCtrl+N"
//       separator
//       popup "&Download program"
//         item 3020 "Via &RS-232 or IrDA..."
//       end
//     end
//   end
//
//   accelerators VUR5
//     Ctrl+N 1010
//   end
//
//   strings
//     10000 "Application Template Files (*.ATX)"
//   end
#pragma once

#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kolibra {

enum class ControlKind {
    Label, CenteredLabel, RightLabel, Edit, DropDownList, DropDownEdit, ListBox,
    Button, DefaultButton, CheckBox, RadioButton, GroupBox, Icon, ProgressBar
};

enum ControlFlag : unsigned {
    kControlDisabled = 1u << 0,
    kControlHidden = 1u << 1,
    kControlReadOnly = 1u << 2,
    kControlPassword = 1u << 3,
    kControlMultiline = 1u << 4,
    kControlNumber = 1u << 5,
    kControlNewGroup = 1u << 6,
};

struct ControlTemplate {
    int id = -1;  // -1 for controls that code never addresses
    ControlKind kind = ControlKind::Label;
    std::string text;
    int x = 0, y = 0, width = 0, height = 0;  // dialog units
    unsigned flags = 0;
};

struct DialogTemplate {
    std::string name;
    std::string caption;
    std::string font_face;  // empty: the system font
    int font_points = 0;
    int width = 0, height = 0;  // dialog units
    std::vector<ControlTemplate> controls;

    const ControlTemplate* control(int id) const;
};

struct MenuEntry {
    enum class Kind { Item, Separator, Popup };
    Kind kind = Kind::Item;
    int command = 0;       // items only
    std::string text;      // items and pop-ups; a tab separates the shortcut text
    std::vector<MenuEntry> children;  // pop-ups only
};

struct MenuTemplate {
    std::string name;
    std::vector<MenuEntry> entries;
};

struct AcceleratorTemplate {
    std::string keys;  // for example "Ctrl+N"
    int command = 0;
};

struct AcceleratorTable {
    std::string name;
    std::vector<AcceleratorTemplate> keys;
};

struct ResourceSet {
    std::vector<DialogTemplate> dialogs;
    std::vector<MenuTemplate> menus;
    std::vector<AcceleratorTable> accelerators;
    std::map<int, std::string> strings;

    const DialogTemplate* dialog(std::string_view name) const;
    const MenuTemplate* menu(std::string_view name) const;
    const AcceleratorTable* accelerator_table(std::string_view name) const;
    // The string with this number, or an empty string.
    std::string string(int id) const;
};

// The dialog template `name` of `set`, which the program cannot do without:
// a missing one is a fault of the build, reported on stderr before the
// program stops.
const DialogTemplate& required_dialog(const ResourceSet& set, std::string_view name);

// One word or quoted text of a script line.
struct ScriptToken {
    std::string text;
    bool quoted = false;
};

// Splits a line of a script into words and quoted texts (a comment, '#' as
// the first word or followed by a blank, ends the line). False, with `error` set, on an unclosed quote or an unknown
// escape. Shared by the other text formats kept in resources/.
bool split_script_line(std::string_view line, std::vector<ScriptToken>& tokens, std::string& error);

// Parses `text` and adds what it defines to `out`. On a fault returns false
// and sets `error` to "line N: what is wrong"; `out` then holds what was
// complete before the faulty line.
bool parse_resource_script(std::string_view text, ResourceSet& out, std::string& error);

// A new set from one script; a fault is reported on stderr as "NAME: line N:
// what is wrong", and the set keeps what was complete before it.
ResourceSet load_resource_script(std::string_view name, std::string_view text);

// A control number that code uses, with the kind of control it expects there.
struct ControlRef {
    int id;
    ControlKind kind;
};

// The builder makes buttons 1 and 2 accept and reject their dialog.
inline constexpr ControlRef kOkButton{1, ControlKind::DefaultButton};
inline constexpr ControlRef kCancelButton{2, ControlKind::Button};

// The control numbers one dialog's code uses. Each program lists its
// dialogs' tables, so a check over the resource scripts can hold the
// templates to what the code expects.
struct DialogControls {
    std::string_view dialog;
    std::span<const ControlRef> controls;
};

// True when a template control of kind `actual` gives the widget that code
// expecting `expected` works with: a button and a default button are both
// push buttons, the three labels are all labels.
bool same_widget_kind(ControlKind expected, ControlKind actual);

// The name of a kind as the scripts write it ("droplist", "check", ...).
const char* control_kind_name(ControlKind kind);

}  // namespace kolibra
