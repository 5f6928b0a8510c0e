// The dialog core and the sheet on small dialogs of their own, and `tgen edit`
// as a program.
#include "editor/dialog_logic.h"
#include "editor/sheet.h"
#include "editor/text_rules.h"
#include "model/template_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace kolibra::editor {
namespace {

TEST(ReadNumber, ReadsUnsignedDecimalsOnlyAndRefusesOverflow) {
    EXPECT_EQ(read_number("  ").kind, NumberKind::NotANumber);
    EXPECT_EQ(read_number("12a").kind, NumberKind::NotANumber);
    EXPECT_EQ(read_number("-1").kind, NumberKind::NotANumber);
    EXPECT_EQ(read_number(" 7").value, 7u);
    EXPECT_EQ(read_number("4294967295").kind, NumberKind::Number);
    EXPECT_EQ(read_number("4294967296").kind, NumberKind::NotANumber);
}

DialogTemplate small_dialog() {
    DialogTemplate t;
    t.name = "TestDlg";
    auto add = [&](int id, ControlKind kind, unsigned flags = 0) {
        ControlTemplate c;
        c.id = id;
        c.kind = kind;
        c.flags = flags;
        t.controls.push_back(c);
    };
    add(601, ControlKind::Edit);
    add(401, ControlKind::RadioButton);
    add(402, ControlKind::RadioButton);
    add(403, ControlKind::RadioButton, kControlNewGroup);
    add(404, ControlKind::RadioButton);
    add(1, ControlKind::DefaultButton);
    return t;
}

// A box whose rule always changes its own text again.
class RestlessDialog : public EditorDialog {
public:
    using EditorDialog::EditorDialog;
    int rule_runs = 0;
    int clicks = 0;
    bool ok_seen = false;

protected:
    void on_text_changed(int id) override {
        ++rule_runs;
        set_text(id, text(id) + "x");
    }
    void on_clicked(int) override { ++clicks; }
    void on_ok() override { ok_seen = true; }
};

struct NoHost : DialogHost {
    int run_modal(DialogLogic&) override { return kResultCancel; }
};

TEST(DialogCore, RulesThatSetTheirOwnTextStopAfterAFewLevels) {
    TemplateDocument doc;
    NoHost host;
    EditorContext context(doc, host);
    const DialogTemplate tmpl = small_dialog();
    RestlessDialog dialog(context, tmpl);
    dialog.open();
    EXPECT_TRUE(dialog.user_text(601, "a").accepted);
    EXPECT_GT(dialog.rule_runs, 1);
    EXPECT_LT(dialog.rule_runs, 20);
    EXPECT_EQ(dialog.state().at(601).text.substr(0, 2), "ax");
}

TEST(DialogCore, ClicksToggleCheckBoxesAndRadioGroupsAndOkCloses) {
    TemplateDocument doc;
    NoHost host;
    EditorContext context(doc, host);
    const DialogTemplate tmpl = small_dialog();
    RestlessDialog dialog(context, tmpl);
    dialog.open();
    dialog.user_click(401);
    dialog.user_click(403);
    dialog.user_click(402);
    const DialogState& s = dialog.state();
    EXPECT_FALSE(s.at(401).checked);
    EXPECT_TRUE(s.at(402).checked);
    EXPECT_TRUE(s.at(403).checked);  // another group
    EXPECT_EQ(dialog.clicks, 3);
    EXPECT_FALSE(dialog.user_select(601, 0).accepted);
    EXPECT_FALSE(dialog.user_text(401, "x").accepted);
    EXPECT_TRUE(dialog.user_click(kOkButton).accepted);
    EXPECT_TRUE(dialog.ok_seen);
    EXPECT_TRUE(dialog.closed());
    EXPECT_EQ(dialog.result(), kResultOk);
}

TEST(DialogCore, WritesStraightIntoTheTemplateSetModifiedOnlyWhenAByteChanged) {
    auto doc = std::make_unique<TemplateDocument>();
    reset_template(doc->tpl);
    NoHost host;
    EditorContext context(*doc, host);
    const uint8_t old_value = doc->tpl.password[0];
    EXPECT_FALSE(context.write_template([&](Template& t) { t.password[0] = old_value; }));
    EXPECT_FALSE(doc->modified);
    EXPECT_TRUE(context.write_template([](Template& t) { t.extended.reserved[1] ^= 1; }));
    EXPECT_TRUE(doc->modified);
    EXPECT_EQ(context.numbered_name("form  ", 10), "form  10");
}

// Pages that note when they commit; the second defines lookup file 1.
std::string journal;

class NotingPage : public PageLogic {
public:
    NotingPage(EditorContext& c, const DialogTemplate& t, char name) : PageLogic(c, t), name_(name) {}
    void commit() override {
        journal += name_;
        if (name_ == 'B') tpl().lookups[0] = {10, 1, 0, {}, {}};
    }
    void after_commit() override {
        journal += static_cast<char>(name_ + 32);
        lines_seen = tpl().lookups[0].member_length;
    }
    int lines_seen = -1;

protected:
    void on_init() override { journal += '+'; }

private:
    char name_;
};

TEST(Sheet, OkCommitsShownPagesInOrderThenRunsTheirAfterCommitWork) {
    auto doc = std::make_unique<TemplateDocument>();
    NoHost host;
    EditorContext context(*doc, host);
    const DialogTemplate tmpl = small_dialog();
    std::vector<PageEntry> pages;
    for (char name : {'A', 'B', 'C'}) {
        pages.push_back({"tab", [&tmpl, name](EditorContext& c) -> std::unique_ptr<PageLogic> {
                             return std::make_unique<NotingPage>(c, tmpl, name);
                         }});
    }
    journal.clear();
    Sheet sheet(context, pages);
    EXPECT_EQ(journal, "+");  // only the first page is initialised
    sheet.show(1);
    sheet.show(0);
    sheet.show(1);
    EXPECT_EQ(journal, "++");
    sheet.page(1).user_click(kOkButton);  // a page's own button 1 does not close it
    EXPECT_FALSE(sheet.page(1).closed());
    sheet.ok();
    EXPECT_EQ(journal, "++ABab");  // C never shown: nothing committed
    EXPECT_EQ(static_cast<NotingPage&>(sheet.page(0)).lines_seen, 10);
    EXPECT_TRUE(sheet.accepted());
}

#ifdef TGEN_PATH
TEST(TgenEdit, SavesToOutOnlyWhenTheEditorChangedTheTemplate) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / ("kolibra-edit-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const std::string in = (dir / "in.atx").string(), out = (dir / "out.atx").string();
    const std::string events = (dir / "e.events").string();
    auto doc = std::make_unique<TemplateDocument>();
    reset_template(doc->tpl);
    ASSERT_TRUE(write_template(in, doc->tpl).ok());
    auto run = [&](const std::string& script) {
        std::ofstream(events) << script;
        const std::string command = std::string(TGEN_PATH) + " edit " + in + " --events " + events +
                                    " --out " + out + " > /dev/null 2>&1";
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    EXPECT_EQ(run("cancel\n"), 0);
    EXPECT_FALSE(fs::exists(out));
    EXPECT_EQ(run("select 701 1\ntext 601 \"Qty\"\n"), 2);
    EXPECT_FALSE(fs::exists(out));
    EXPECT_EQ(run("select 701 1\ntext 601 \"Qty\"\nok\n"), 0);
    auto saved = std::make_unique<TemplateDocument>();
    ASSERT_TRUE(read_template(out, *saved).ok());
    EXPECT_EQ(saved->tpl.forms[0].data_type[0], 1);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(saved->tpl.forms[0].prompt[0])), "Qty");
    EXPECT_EQ(fs::file_size(out), 10596u);
    fs::remove_all(dir);
}
#endif

}  // namespace
}  // namespace kolibra::editor
