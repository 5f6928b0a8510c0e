// Holds every dialog template of tgen, irfetch and lkpsend to the rules the
// builder relies on, and to the control numbers and kinds their code uses.
// A new dialog in a script is checked without any change here; a new table
// of control numbers joins its program's list (shell/dialog_controls.h,
// irfetch/properties_dialog_controls.h, lkpsend/com_properties_dialog_controls.h).
#include "common/resource_script.h"
#include "irfetch/properties_dialog_controls.h"
#include "lkpsend/com_properties_dialog_controls.h"
#include "resources/embedded_scripts.h"
#include "shell/dialog_controls.h"

#include <gtest/gtest.h>

#include <set>
#include <span>
#include <string>
#include <vector>

namespace kolibra {
namespace {

// A drop-down's height in its template includes the opened list, which may
// reach past the dialog; its closed box, this high, must fit.
constexpr int kClosedDropDownHeight = 12;

// What is wrong with one dialog template, one line per fault.
std::vector<std::string> layout_faults(const DialogTemplate& d) {
    std::vector<std::string> faults;
    std::set<int> seen;
    for (const ControlTemplate& c : d.controls) {
        const std::string where = d.name + " control " + std::to_string(c.id) + " \"" + c.text + "\"";
        if (c.id != -1 && !seen.insert(c.id).second) faults.push_back(where + ": number used twice");
        const bool drop_down = c.kind == ControlKind::DropDownList || c.kind == ControlKind::DropDownEdit;
        const int height = drop_down ? std::min(c.height, kClosedDropDownHeight) : c.height;
        if (c.x < 0 || c.y < 0 || c.width <= 0 || height <= 0 || c.x + c.width > d.width ||
            c.y + height > d.height) {
            faults.push_back(where + ": outside its dialog");
        }
    }
    return faults;
}

// What the code expects of the script's dialogs and does not find.
std::vector<std::string> control_faults(const ResourceSet& set,
                                        std::span<const DialogControls> tables) {
    std::vector<std::string> faults;
    for (const DialogControls& table : tables) {
        const DialogTemplate* d = set.dialog(table.dialog);
        if (!d) {
            faults.push_back(std::string(table.dialog) + ": no such dialog");
            continue;
        }
        for (const ControlRef& ref : table.controls) {
            const std::string where = d->name + " control " + std::to_string(ref.id);
            const ControlTemplate* c = d->control(ref.id);
            if (!c) {
                faults.push_back(where + ": missing");
            } else if (!same_widget_kind(ref.kind, c->kind)) {
                faults.push_back(where + ": a " + control_kind_name(c->kind) +
                                 ", the code expects a " + control_kind_name(ref.kind));
            }
        }
    }
    return faults;
}

struct Program {
    const char* name;
    std::string_view script;
    std::span<const DialogControls> tables;
};

std::vector<Program> programs() {
    return {{"tgen", tgen_resource_script(), kTgenDialogControls},
            // The editor's dialogs: their logic finds controls through the dialog
            // state, which stops on a number the template lacks.
            {"tgen editor", editor_resource_script(), {}},
            {"tgen editor pages", editor_pages_resource_script(), {}},
            {"irfetch", irfetch_resource_script(), kIrfetchDialogControls},
            {"lkpsend", lkpsend_resource_script(), kLkpsendDialogControls}};
}

TEST(DialogTemplates, EveryTemplateFitsAndHoldsTheNumbersTheCodeUses) {
    for (const Program& program : programs()) {
        SCOPED_TRACE(program.name);
        ResourceSet set;
        std::string error;
        ASSERT_TRUE(parse_resource_script(program.script, set, error)) << error;
        ASSERT_FALSE(set.dialogs.empty());
        std::set<std::string> names;
        for (const DialogTemplate& d : set.dialogs) {
            EXPECT_TRUE(names.insert(d.name).second) << d.name << " defined twice";
            EXPECT_GT(d.width, 0) << d.name;
            EXPECT_GT(d.height, 0) << d.name;
            EXPECT_EQ(layout_faults(d), std::vector<std::string>{});
        }
        EXPECT_EQ(control_faults(set, program.tables), std::vector<std::string>{});
    }
}

// The about box shows the build's version (project() in CMakeLists.txt), the
// one the Debian package and the Windows setup program carry, and no script
// keeps a placeholder the build did not fill in.
TEST(DialogTemplates, TheAboutBoxShowsTheProjectVersion) {
    for (const Program& program : programs()) {
        const std::string_view script = program.script;
        const std::size_t at = script.find('@');
        EXPECT_EQ(at, std::string_view::npos)
            << program.name << ": " << script.substr(at == script.npos ? 0 : at, 40);
    }
    ResourceSet set;
    std::string error;
    ASSERT_TRUE(parse_resource_script(tgen_resource_script(), set, error)) << error;
    const DialogTemplate* about = set.dialog("AboutBox");
    ASSERT_NE(about, nullptr);
    std::vector<std::string> labels;
    for (const ControlTemplate& c : about->controls) {
        if (c.kind == ControlKind::Label) labels.push_back(c.text);
    }
    EXPECT_EQ(labels, std::vector<std::string>{"Kolibra 2 Application Generator (Ver " KOLIBRA_PROJECT_VERSION
                                               ")"});
}

// The checks themselves find what they are meant to find.
TEST(DialogTemplates, TheChecksCatchDuplicatesStrayControlsAndWrongKinds) {
    ResourceSet set;
    std::string error;
    ASSERT_TRUE(parse_resource_script(
        "dialog Bad 100 50\n"
        "  edit     601 \"a\"  0  0 100 50\n"    // exactly fills the dialog: fine
        "  check    801 \"c\" 91  0  10 10\n"    // one unit too wide
        "  droplist 701 \"\"   0 38  20 90\n"    // closed box fits, list hangs out: fine
        "  droplist 702 \"\"   0 39  20 90\n"    // closed box one unit too low
        "  label    -1  \"\"  -1  0  10 10\n"    // left of the dialog
        "end\n",
        set, error)) << error;
    // The parser refuses a number used twice; a template built otherwise may not.
    DialogTemplate& bad = set.dialogs.at(0);
    bad.controls.insert(bad.controls.begin() + 1, bad.controls[0]);
    bad.controls[1].text = "b";
    bad.controls[1].width = 10;
    EXPECT_EQ(layout_faults(bad),
              (std::vector<std::string>{"Bad control 601 \"b\": number used twice",
                                        "Bad control 801 \"c\": outside its dialog",
                                        "Bad control 702 \"\": outside its dialog",
                                        "Bad control -1 \"\": outside its dialog"}));

    const ControlRef expected[] = {{601, ControlKind::Edit},
                                   {801, ControlKind::RadioButton},
                                   {802, ControlKind::CheckBox}};
    const DialogControls tables[] = {{"Bad", expected}, {"Gone", expected}};
    EXPECT_EQ(control_faults(set, tables),
              (std::vector<std::string>{"Bad control 801: a check, the code expects a radio",
                                        "Bad control 802: missing", "Gone: no such dialog"}));
}

}  // namespace
}  // namespace kolibra
