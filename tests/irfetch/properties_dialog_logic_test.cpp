// The settings dialog "PropertiesDlg" without a window: what it shows, what
// OK takes after a user's events, the limits of its boxes and "...".
#include "irfetch/properties_dialog.h"

#include "support/dialog_doubles.h"
#include "support/user_doubles.h"

#include <gtest/gtest.h>

namespace kolibra {
namespace {

using test::choose;
using test::click;
using test::ScriptedHost;
using test::ScriptedPicker;
using test::shown;
using test::type_text;
using test::UserEvent;

IrfetchSettings defaults() { return default_irfetch_settings("/opt/kolibra/"); }

TEST(PropertiesDialogLogic, OpensOnTheSettingsWithTheListsInOrder) {
    ScriptedPicker picker;
    PropertiesDialogLogic dialog(defaults(), picker);
    dialog.open();
    EXPECT_EQ(dialog.dialog_template().caption, "Read data via Serial IR (Ver 3.20)");
    EXPECT_EQ(shown(dialog, 601), "/opt/kolibra/");
    EXPECT_EQ(shown(dialog, 602), "");
    using Entries = std::vector<std::string>;
    EXPECT_EQ(dialog.state().at(701).entries, (Entries{"COM1", "COM2", "COM3", "COM4", "COM5", "COM6"}));
    EXPECT_EQ(dialog.state().at(702).entries, (Entries{"115200", "57600", "38400", "19200", "9600"}));
    EXPECT_EQ(dialog.state().at(703).entries, (Entries{"Overwrite", "Append", "New name"}));
    for (int id : {701, 702, 703}) EXPECT_EQ(dialog.state().at(id).selection, 0) << id;
    for (int id = 801; id <= 805; ++id) EXPECT_TRUE(dialog.state().at(id).checked) << id;

    // Settings from an ini file show as they are.
    IrfetchSettings s = defaults();
    s.directory = "D:\\DATA";
    s.file_name = "SHOP1.TXT";
    s.port_index = 5;
    s.baud_index = 4;
    s.file_mode = FileMode::NewName;
    s.add_lf = false;
    s.always_show_dialog = false;
    PropertiesDialogLogic from_ini(s, picker);
    from_ini.open();
    EXPECT_EQ(shown(from_ini, 601), "D:\\DATA");
    EXPECT_EQ(shown(from_ini, 602), "SHOP1.TXT");
    EXPECT_EQ(shown(from_ini, 701), "COM6");
    EXPECT_EQ(shown(from_ini, 702), "9600");
    EXPECT_EQ(shown(from_ini, 703), "New name");
    EXPECT_TRUE(from_ini.state().at(801).checked);
    EXPECT_FALSE(from_ini.state().at(802).checked);
    EXPECT_FALSE(from_ini.state().at(805).checked);
}

// What the run gets back from a user's turn in the dialog.
TEST(PropertiesDialogLogic, OkTakesWhatTheUserLeftAndCancelNothing) {
    struct Case {
        const char* what;
        std::vector<UserEvent> events;
        bool ok;
        IrfetchSettings expected;
    };
    auto with = [](auto change) {
        IrfetchSettings s = defaults();
        change(s);
        return s;
    };
    const Case cases[] = {
        {"OK at once keeps every setting", {click(1)}, true, defaults()},
        {"a name, COM3 at 9600, Append, LF only",
         {type_text(602, "X.TXT"), choose(701, 2), choose(702, 4), choose(703, 1), click(801), click(1)},
         true,
         with([](IrfetchSettings& s) {
             s.file_name = "X.TXT";
             s.port_index = 2;
             s.baud_index = 4;
             s.file_mode = FileMode::Append;
             s.add_cr = false;
         })},
        {"each click flips a box; two clicks leave it",
         {click(803), click(804), click(804), click(805), click(1)},
         true,
         with([](IrfetchSettings& s) {
             s.show_messages = false;
             s.always_show_dialog = false;
         })},
        {"a typed directory and an emptied one",
         {type_text(601, "C:\\Shop"), type_text(602, "a"), type_text(602, ""), click(1)},
         true,
         with([](IrfetchSettings& s) { s.directory = "C:\\Shop"; })},
        {"Cancel after changes", {type_text(602, "lost.txt"), choose(701, 3), click(805), click(2)}, false,
         defaults()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ScriptedHost host;
        ScriptedPicker picker;
        host.events = c.events;
        HostedIrfetchDialog dialog(host, picker);
        IrfetchSettings s = defaults();
        EXPECT_EQ(dialog.edit(s), c.ok);
        EXPECT_EQ(host.runs, 1);
        EXPECT_EQ(s.directory, c.expected.directory);
        EXPECT_EQ(s.file_name, c.expected.file_name);
        EXPECT_EQ(s.port_index, c.expected.port_index);
        EXPECT_EQ(s.baud_index, c.expected.baud_index);
        EXPECT_EQ(s.file_mode, c.expected.file_mode);
        EXPECT_EQ(s.add_cr, c.expected.add_cr);
        EXPECT_EQ(s.add_lf, c.expected.add_lf);
        EXPECT_EQ(s.show_messages, c.expected.show_messages);
        EXPECT_EQ(s.view_data, c.expected.view_data);
        EXPECT_EQ(s.always_show_dialog, c.expected.always_show_dialog);
    }
}

TEST(PropertiesDialogLogic, BoxesHoldAtMost254And61Characters) {
    ScriptedPicker picker;
    PropertiesDialogLogic dialog(defaults(), picker);
    dialog.open();
    test::play(dialog, {type_text(601, std::string(300, 'd')), type_text(602, std::string(70, 'n'))});
    EXPECT_EQ(shown(dialog, 601), std::string(254, 'd'));
    EXPECT_EQ(shown(dialog, 602), std::string(61, 'n'));
    // At the limit nothing is cut.
    test::play(dialog, {type_text(602, std::string(61, 'm')), click(1)});
    EXPECT_EQ(dialog.settings().directory, std::string(254, 'd'));
    EXPECT_EQ(dialog.settings().file_name, std::string(61, 'm'));
}

TEST(PropertiesDialogLogic, BrowseStartsFromTheStoredValuesAndSplitsTheChoice) {
    ScriptedPicker picker;
    IrfetchSettings s = defaults();
    s.directory = "/data";
    s.file_name = "old.txt";
    PropertiesDialogLogic dialog(s, picker);
    dialog.open();
    picker.paths = {"/data/shop/new.TXT", std::nullopt, "/top.txt",
                    "/" + std::string(255, 'd') + "/x.txt", "/ok/" + std::string(62, 'n')};

    // Typed text is not what the file dialog offers.
    test::play(dialog, {type_text(601, "/typed"), type_text(602, "typed.txt"), click(501)});
    ASSERT_EQ(picker.save_requests.size(), 1u);
    const FileDialogRequest& r = picker.save_requests[0];
    EXPECT_EQ(r.start_folder, "/data");
    EXPECT_EQ(r.file_name, "old.txt");
    EXPECT_EQ(r.default_extension, "TXT");
    EXPECT_TRUE(r.path_must_exist);
    EXPECT_FALSE(r.confirm_overwrite);
    EXPECT_FALSE(r.must_exist);
    ASSERT_EQ(r.filters.size(), 2u);
    EXPECT_EQ(r.filters[0].description, "Data Files (*.TXT)");
    EXPECT_EQ(r.filters[0].pattern, "*.TXT");
    EXPECT_EQ(r.filters[1].description, "All Files (*.*)");
    EXPECT_EQ(r.filters[1].pattern, "*.*");
    // The choice replaces what was typed in both boxes.
    EXPECT_EQ(shown(dialog, 601), "/data/shop");
    EXPECT_EQ(shown(dialog, 602), "new.TXT");

    // The next "..." offers the last choice; Cancel there changes nothing.
    test::play(dialog, {type_text(602, "typed-again.txt"), click(501)});
    EXPECT_EQ(picker.save_requests[1].start_folder, "/data/shop");
    EXPECT_EQ(picker.save_requests[1].file_name, "new.TXT");
    EXPECT_EQ(shown(dialog, 602), "typed-again.txt");

    // A file in the root folder is still found there, not in the current folder.
    test::play(dialog, {click(501)});
    EXPECT_EQ(shown(dialog, 601), "/");
    EXPECT_EQ(shown(dialog, 602), "top.txt");

    // Choices the settings cannot hold are not cut into another file's name.
    test::play(dialog, {click(501), click(501)});
    EXPECT_EQ(shown(dialog, 601), "/");
    EXPECT_EQ(shown(dialog, 602), "top.txt");

    test::play(dialog, {click(1)});
    EXPECT_EQ(irfetch_full_path(dialog.settings()), "/top.txt");
}

}  // namespace
}  // namespace kolibra
