// The settings dialog "ComPropertiesDlg" without a window: what it shows and
// what a user's turn leaves in the settings.
#include "lkpsend/com_properties_dialog.h"

#include "support/dialog_doubles.h"

#include <gtest/gtest.h>

namespace kolibra {
namespace {

using test::choose;
using test::click;
using test::ScriptedHost;
using test::shown;
using test::UserEvent;

TEST(ComPropertiesDialogLogic, OpensOnTheSettings) {
    LkpsendSettings s = default_lkpsend_settings("/opt/k/");
    ComPropertiesDialogLogic dialog(s);
    dialog.open();
    EXPECT_EQ(dialog.dialog_template().caption, "Comm Properties (Download Lookup 1.1)");
    using Entries = std::vector<std::string>;
    EXPECT_EQ(dialog.state().at(101).entries, (Entries{"COM1", "COM2", "COM3", "COM4", "COM5", "COM6"}));
    EXPECT_EQ(dialog.state().at(102).entries, (Entries{"115200", "57600", "38400", "19200", "9600"}));
    EXPECT_EQ(shown(dialog, 101), "COM1");
    EXPECT_EQ(shown(dialog, 102), "115200");
    EXPECT_FALSE(dialog.state().at(103).checked);

    s.port_index = 1;
    s.baud_index = 4;
    s.use_transceiver = true;
    ComPropertiesDialogLogic from_command(s);
    from_command.open();
    EXPECT_EQ(shown(from_command, 101), "COM2");
    EXPECT_EQ(shown(from_command, 102), "9600");
    EXPECT_TRUE(from_command.state().at(103).checked);
}

TEST(ComPropertiesDialogLogic, TheBoxTakesEffectAtOnceTheListsOnlyWithOk) {
    struct Case {
        const char* what;
        std::vector<UserEvent> events;
        bool ok;
        int port, baud;
        bool transceiver;
    };
    const Case cases[] = {
        {"OK at once", {click(1)}, true, 0, 0, false},
        {"COM6 at 9600 through the transceiver", {choose(101, 5), choose(102, 4), click(103), click(1)}, true, 5, 4,
         true},
        {"the box clicked twice", {click(103), click(103), click(1)}, true, 0, 0, false},
        {"ticked, lists changed, then Cancel", {click(103), choose(101, 3), choose(102, 2), click(2)}, false, 0, 0,
         true},
        {"closed by the window's close box", {choose(101, 3)}, false, 0, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ScriptedHost host;
        host.events = c.events;
        HostedLkpsendDialog dialog(host);
        LkpsendSettings s = default_lkpsend_settings("/opt/k/");
        s.lookup_file = "/opt/k/ITEMS.TXT";
        EXPECT_EQ(dialog.edit(s), c.ok);
        EXPECT_EQ(s.port_index, c.port);
        EXPECT_EQ(s.baud_index, c.baud);
        EXPECT_EQ(s.use_transceiver, c.transceiver);
        EXPECT_EQ(s.lookup_file, "/opt/k/ITEMS.TXT");
        EXPECT_EQ(s.start_folder, "/opt/k/");
    }
}

}  // namespace
}  // namespace kolibra
