// The shell's dialogs without a window: "ComSettingDlg" edits the template's
// port settings and marks the template changed only when a byte changed;
// the about box closes through OK alone.
#include "shell/dialogs/about_box.h"
#include "shell/dialogs/com_settings_dialog.h"

#include "support/dialog_doubles.h"

#include <gtest/gtest.h>

namespace kolibra {
namespace {

using test::choose;
using test::click;
using test::ScriptedHost;
using test::shown;
using test::UserEvent;

TEST(ComSettingsDialog, ShowsThePortSettingsOfTheTemplate) {
    TemplateDocument doc;
    doc.tpl.comm = {2, 1};
    ComSettingsDialogLogic dialog(doc);
    dialog.open();
    EXPECT_EQ(dialog.dialog_template().caption, "COM Port Settings");
    EXPECT_EQ(dialog.state().at(701).entries.size(), 6u);
    EXPECT_EQ(dialog.state().at(702).entries.size(), 5u);
    EXPECT_EQ(shown(dialog, 701), "COM3");
    EXPECT_EQ(shown(dialog, 702), "57600");
}

TEST(ComSettingsDialog, OkMarksTheTemplateChangedOnlyWhenAByteChanged) {
    struct Case {
        const char* what;
        CommSettings before;
        bool modified_before;
        std::vector<UserEvent> events;
        CommSettings after;
        bool modified_after;
    };
    const Case cases[] = {
        {"OK without a change", {0, 0}, false, {click(1)}, {0, 0}, false},
        {"a choice put back before OK", {2, 1}, false, {choose(701, 4), choose(701, 2), click(1)}, {2, 1}, false},
        {"115200 to 9600", {0, 0}, false, {choose(702, 4), click(1)}, {0, 4}, true},
        {"COM1 to COM6", {0, 3}, false, {choose(701, 5), click(1)}, {5, 3}, true},
        {"Cancel after a change", {0, 0}, false, {choose(702, 4), click(2)}, {0, 0}, false},
        {"a change already pending stays pending", {1, 1}, true, {click(1)}, {1, 1}, true},
        // A damaged template shows the first entries; OK stores what it showed.
        {"out-of-range bytes, OK", {9, 7}, false, {click(1)}, {0, 0}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TemplateDocument doc;
        doc.tpl.comm = c.before;
        doc.modified = c.modified_before;
        ScriptedHost host;
        host.events = c.events;
        ComSettingsDialogLogic dialog(doc);
        host.run_modal(dialog);
        EXPECT_EQ(doc.tpl.comm.com_port, c.after.com_port);
        EXPECT_EQ(doc.tpl.comm.com_baud, c.after.com_baud);
        EXPECT_EQ(doc.modified, c.modified_after);
        EXPECT_EQ(dialog.changed(), c.after.com_port != c.before.com_port || c.after.com_baud != c.before.com_baud);
    }
}

TEST(AboutBox, ShowsTheVersionAndClosesThroughOkAlone) {
    AboutBoxLogic box;
    box.open();
    EXPECT_EQ(box.dialog_template().caption, "Kolibra 2 Application Generator");
    bool version_shown = false;
    for (const ControlTemplate& c : box.dialog_template().controls)
        version_shown |= c.text == "Kolibra 2 Application Generator (Ver 4.24)";
    EXPECT_TRUE(version_shown);
    // Escape and the close box are not a way out; the box has no Cancel.
    EXPECT_FALSE(box.cancellable());
    EXPECT_FALSE(box.user_click(2).accepted);
    EXPECT_FALSE(box.closed());
    EXPECT_TRUE(box.user_click(1).accepted);
    EXPECT_TRUE(box.closed());
    EXPECT_EQ(box.result(), dialog::kResultOk);
}

}  // namespace
}  // namespace kolibra
