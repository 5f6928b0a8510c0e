// The editor in its window: the binder mirrors the logic and forwards the
// user's events, the sheet opens from the main window, and pictures of the
// dialogs show every control whole. With KOLIBRA_SCREENSHOT_DIR set the
// pictures are saved there as PNG files.
#include "common/qt/dialog_builder.h"
#include "editor/qt/sheet_window.h"
#include "shell/qt/editor_window.h"
#include "shell/qt/main_window.h"
#include "support/qt_test_app.h"
#include "shell/shell_test_doubles.h"
#include "simulator/qt/simulator_window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>

namespace kolibra::editor {
namespace {

// Runs `act` on the next modal dialog named `name` once it is open.
void when_open(const char* name, std::function<void(QDialog&)> act) {
    auto* timer = new QTimer(QCoreApplication::instance());
    const QString wanted = QString::fromLatin1(name);
    QObject::connect(timer, &QTimer::timeout, [timer, act, wanted] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog && dialog->objectName() == wanted && dialog->isVisible()) {
            timer->stop();
            timer->deleteLater();
            act(*dialog);
        }
    });
    timer->start(5);
}

void keep(QWidget& widget, const char* name) {
    const QImage image = widget.grab().toImage();
    EXPECT_FALSE(image.isNull()) << name;
    const char* folder = std::getenv("KOLIBRA_SCREENSHOT_DIR");
    if (!folder || !*folder) return;
    QDir().mkpath(folder);
    EXPECT_TRUE(image.save(QDir(folder).filePath(QString(name) + ".png"))) << name;
}

// Every control inside its dialog, no two overlapping (group boxes frame
// others), and every caption fits its control.
void expect_laid_out(QWidget& dialog) {
    const QRect inside(QPoint(0, 0), dialog.size());
    QList<QWidget*> controls;
    for (QWidget* w : dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (w->isHidden() || qobject_cast<QGroupBox*>(w)) continue;
        controls << w;
        EXPECT_TRUE(inside.contains(w->geometry())) << w->objectName().toStdString();
        QString caption;
        if (auto* label = qobject_cast<QLabel*>(w)) caption = label->text();
        if (auto* button = qobject_cast<QAbstractButton*>(w)) caption = button->text();
        if (caption.isEmpty()) continue;
        // A push button's own minimum is wider than its caption needs.
        const int needed = qobject_cast<QPushButton*>(w)
                               ? w->fontMetrics().horizontalAdvance(caption) + 6
                               : w->sizeHint().width();
        EXPECT_LE(needed, w->width() + 1) << caption.toStdString();
    }
    for (int i = 0; i < controls.size(); ++i) {
        for (int j = i + 1; j < controls.size(); ++j) {
            EXPECT_FALSE(controls[i]->geometry().intersects(controls[j]->geometry()))
                << controls[i]->objectName().toStdString() << " and "
                << controls[j]->objectName().toStdString();
        }
    }
}

struct EditorWindow {
    EditorWindow() {
        test::app();
        reset_template(doc->tpl);
    }
    std::unique_ptr<TemplateDocument> doc = std::make_unique<TemplateDocument>();
    dialog::QtDialogHost host{nullptr};
    EditorContext context{*doc, host};
    std::unique_ptr<Sheet> sheet;
    std::unique_ptr<SheetWindow> window;

    void open() {
        sheet = std::make_unique<Sheet>(context);
        window = std::make_unique<SheetWindow>(*sheet, host, nullptr);
        window->show();
    }
    QWidget* control(int id) { return find_control(window->page_widget(0), id); }
    void choose(int id, int index) {
        auto* combo = qobject_cast<QComboBox*>(control(id));
        ASSERT_TRUE(combo);
        combo->setCurrentIndex(index);
        Q_EMIT combo->activated(index);
    }
};

TEST(EditorWindow, TypingAndChoosingGoThroughTheRulesAndOkCommits) {
    EditorWindow e;
    e.open();
    EXPECT_EQ(e.window->windowTitle(), "Application Template");
    EXPECT_EQ(e.window->tabs()->tabText(0), "Form");
    EXPECT_EQ(e.window->findChild<QDialogButtonBox*>()->buttons().size(), 2);  // OK, Cancel
    auto* prompt = qobject_cast<QLineEdit*>(e.control(601));
    ASSERT_TRUE(prompt);
    EXPECT_FALSE(prompt->isEnabled());
    e.choose(701, 1);  // text
    EXPECT_TRUE(prompt->isEnabled());
    QTest::keyClicks(prompt, "Quantity of items to count");
    EXPECT_EQ(prompt->text(), "Quantity of items to");
    auto* maximum = qobject_cast<QLineEdit*>(e.control(621));
    maximum->selectAll();
    QTest::keyClicks(maximum, "abc");
    EXPECT_EQ(maximum->text(), "0");
    e.choose(750, 1);  // large: rows 5 to 8 off at once
    EXPECT_FALSE(e.control(705)->isEnabled());
    e.window->accept();
    EXPECT_TRUE(e.doc->modified);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(e.doc->tpl.forms[0].prompt[0])),
              "Quantity of items to");
    EXPECT_EQ(e.doc->tpl.forms[0].font, 1);
}

TEST(EditorWindow, MoreOpensTheFieldPropertiesDialogModallyOverTheSheet) {
    EditorWindow e;
    e.doc->tpl.forms[0].data_type[0] = 2;
    e.doc->tpl.forms[0].data_type[1] = 7;
    e.open();
    bool seen = false;
    when_open("AdvanceDlg", [&](QDialog& d) {
        seen = true;
        EXPECT_EQ(d.windowTitle(), "Properties");
        EXPECT_EQ(d.parentWidget(), e.window.get());
        auto* fixed = qobject_cast<QLineEdit*>(find_control(&d, 601));
        EXPECT_FALSE(fixed->isEnabled());
        QTest::mouseClick(qobject_cast<QCheckBox*>(find_control(&d, 101)), Qt::LeftButton);
        EXPECT_TRUE(fixed->isEnabled());
        fixed->selectAll();
        QTest::keyClicks(fixed, "x");
        EXPECT_EQ(fixed->text(), "1");
        QTest::mouseClick(qobject_cast<QPushButton*>(find_control(&d, 1)), Qt::LeftButton);
    });
    QTest::mouseClick(qobject_cast<QPushButton*>(e.control(201)), Qt::LeftButton);
    EXPECT_TRUE(seen);
    EXPECT_EQ(e.doc->tpl.forms[0].fixed_length_on[0], 0);  // not before the sheet's OK
    when_open("LookupAdvanceDlg", [](QDialog& d) {
        QTest::mouseClick(qobject_cast<QCheckBox*>(find_control(&d, 101)), Qt::LeftButton);
        QTest::keyClick(&d, Qt::Key_Escape);  // Cancel puts the form back
    });
    QTest::mouseClick(qobject_cast<QPushButton*>(e.control(202)), Qt::LeftButton);
    e.window->accept();
    EXPECT_EQ(e.doc->tpl.forms[0].fixed_length_on[0], 1);
    EXPECT_EQ(e.doc->tpl.forms[0].fixed_length[0], 1);
    EXPECT_EQ(e.doc->tpl.forms[0].initial_on[1], 0);
}

TEST(EditorWindow, PicturesShowEveryControlWhole) {
    EditorWindow e;
    FormRecord& small = e.doc->tpl.forms[0];
    small.data_type[0] = 1;
    small.data_type[1] = 8;
    small.data_type[2] = 7;
    small.data_type[3] = 9;
    std::strcpy(reinterpret_cast<char*>(small.prompt[0]), "Quantity of items to");
    FormRecord& large = e.doc->tpl.forms[1];
    large.font = 1;
    large.data_type[0] = 2;
    std::strcpy(reinterpret_cast<char*>(large.prompt[0]), "Article number");
    e.open();
    expect_laid_out(*e.window->page_widget(0));
    keep(*e.window, "editor_form_small");
    e.choose(700, 1);
    keep(*e.window, "editor_form_large");
    e.choose(700, 0);
    for (int row : {0, 2}) {
        const char* name = row == 0 ? "AdvanceDlg" : "LookupAdvanceDlg";
        bool seen = false;
        when_open(name, [&, name](QDialog& d) {
            seen = true;
            expect_laid_out(d);
            keep(d, name == std::string("AdvanceDlg") ? "editor_advance" : "editor_lookup_advance");
            d.reject();
        });
        QTest::mouseClick(qobject_cast<QPushButton*>(e.control(201 + row)), Qt::LeftButton);
        EXPECT_TRUE(seen) << name;
    }
    e.window->reject();
}

// The Barcode and Settings pages and their dialogs: shown whole, written
// through the window, and the symbology and wedge dialogs' OK reaching the
// template before the sheet's own OK.
TEST(EditorWindow, BarcodeAndSettingsPagesReachTheirDialogs) {
    EditorWindow e;
    e.open();
    QTabWidget* tabs = e.window->tabs();
    ASSERT_EQ(tabs->count(), e.sheet->page_count());
    const int barcode = e.sheet->find_tab("Barcode");
    const int settings = e.sheet->find_tab("Settings");
    ASSERT_GT(barcode, 0);
    ASSERT_EQ(settings, barcode + 1);
    tabs->setCurrentIndex(barcode);
    QWidget* page = e.window->page_widget(barcode);
    expect_laid_out(*page);
    EXPECT_TRUE(qobject_cast<QCheckBox*>(find_control(page, 101))->isChecked());  // Code 39
    keep(*e.window, "editor_barcode");

    const struct {
        int button;
        const char* name;
        const char* caption;
    } dialogs[] = {{204, "Industrial25Dlg", "Industrial 25 Parameters"},
                   {208, "MSIDlg", "MSI Parameters"},
                   {219, "EAN13Dlg", "EAN 13 and UPCA Parameters"}};
    for (const auto& d : dialogs) {
        bool seen = false;
        when_open(d.name, [&](QDialog& dialog) {
            seen = true;
            EXPECT_EQ(dialog.windowTitle(), d.caption);
            expect_laid_out(dialog);
            keep(dialog, d.name);
            if (d.button == 204) {
                auto* fixed = qobject_cast<QRadioButton*>(find_control(&dialog, 404));
                QTest::mouseClick(fixed, Qt::LeftButton);
                EXPECT_EQ(qobject_cast<QLabel*>(find_control(&dialog, 501))->text(), "Fixed Length 1:");
                auto* length1 = qobject_cast<QLineEdit*>(find_control(&dialog, 601));
                length1->selectAll();
                QTest::keyClicks(length1, "200");
                QTest::mouseClick(qobject_cast<QPushButton*>(find_control(&dialog, 1)), Qt::LeftButton);
            } else {
                dialog.reject();
            }
        });
        QTest::mouseClick(qobject_cast<QPushButton*>(find_control(page, d.button)), Qt::LeftButton);
        EXPECT_TRUE(seen) << d.name;
    }
    EXPECT_EQ(e.doc->tpl.barcode.bytes[12], 127);  // fixed length, 200 taken as 127
    EXPECT_TRUE(e.doc->modified);

    tabs->setCurrentIndex(settings);
    page = e.window->page_widget(settings);
    expect_laid_out(*page);
    keep(*e.window, "editor_settings");
    auto* password = qobject_cast<QLineEdit*>(find_control(page, 601));
    QTest::keyClicks(password, "abcdefghijkl");
    EXPECT_EQ(password->text(), "abcdefghij");
    bool seen = false;
    when_open("KeyboardWedgeDlg", [&](QDialog& dialog) {
        seen = true;
        EXPECT_EQ(dialog.windowTitle(), "Keyboard Wedge Settings");
        expect_laid_out(dialog);
        keep(dialog, "KeyboardWedgeDlg");
        auto* delay = qobject_cast<QLineEdit*>(find_control(&dialog, 601));
        delay->selectAll();
        QTest::keyClicks(delay, "300");
        QTest::mouseClick(qobject_cast<QPushButton*>(find_control(&dialog, 1)), Qt::LeftButton);
    });
    QTest::mouseClick(qobject_cast<QPushButton*>(find_control(page, 201)), Qt::LeftButton);
    EXPECT_TRUE(seen);
    EXPECT_EQ(e.doc->tpl.barcode.bytes[8], 255);
    e.window->accept();
    EXPECT_EQ(std::memcmp(e.doc->tpl.password, "abcdefghij", 10), 0);
}

TEST(EditorWindow, OpensFromTheMainWindowAndItsOkRestartsTheSimulator) {
    test::app();
    auto doc = std::make_unique<TemplateDocument>();
    test::RecordingPrompter prompter;
    test::ScriptedPicker picker;
    ShellServices services;
    services.prompter = &prompter;
    services.picker = &picker;
    MainWindow window(*doc, services);
    window.set_editor([&window] { open_editor_window(window); });
    auto before = std::make_unique<Template>(doc->tpl);

    when_open("EditorSheet", [](QDialog& d) { d.reject(); });
    window.command(command::kEdit);
    EXPECT_EQ(std::memcmp(before.get(), &doc->tpl, sizeof(Template)), 0);
    EXPECT_FALSE(doc->modified);

    // Line 3 of the main page leads to the utility menu.
    for (int code : {key::kUp, key::kEnter}) window.simulator()->runtime().press_key(code);
    ASSERT_EQ(window.simulator()->runtime().screen(), SimScreen::UtilityScreen);
    doc->tpl.lookups[0].member_length = 5;
    doc->tpl.lookups[0].field_count = 1;
    when_open("EditorSheet", [&window](QDialog& d) {
        EXPECT_EQ(d.parentWidget(), &window);
        // Other pages use the same control numbers: look on the Form page.
        QWidget* form = static_cast<SheetWindow&>(d).page_widget(0);
        auto* type = qobject_cast<QComboBox*>(find_control(form, 701));
        type->setCurrentIndex(1);
        Q_EMIT type->activated(1);
        QTest::keyClicks(qobject_cast<QLineEdit*>(find_control(form, 601)), "Qty");
        d.accept();
    });
    window.command(command::kEdit);
    EXPECT_TRUE(doc->modified);
    SimRuntime& sim = window.simulator()->runtime();
    EXPECT_EQ(sim.screen(), SimScreen::MainScreen);
    EXPECT_EQ(sim.utility_lines(), 8);
    // The designed form can be walked at once: "1.Collect data" opens form 1.
    sim.press_key(key::kEnter);
    EXPECT_EQ(sim.screen(), SimScreen::FormScreen);
    EXPECT_EQ(sim.lcd().row(0).rfind("Qty", 0), 0u) << sim.lcd().row(0);

    // New now asks first, and (answered No) opens the editor on the new template.
    prompter.answers.push_back(Answer::No);
    when_open("EditorSheet", [](QDialog& d) { d.reject(); });
    window.command(command::kNew);
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].text, "Save current program ?");
    EXPECT_FALSE(doc->modified);
}

// Sets a box's whole text as a user would: select all, then type.
void retype(QWidget* box, const char* text) {
    auto* edit = qobject_cast<QLineEdit*>(box);
    ASSERT_TRUE(edit);
    edit->selectAll();
    if (*text) QTest::keyClicks(edit, text);
    else QTest::keyClick(edit, Qt::Key_Delete);
}

void choose_in(QWidget* page, int id, int index) {
    auto* combo = qobject_cast<QComboBox*>(find_control(page, id));
    ASSERT_TRUE(combo);
    combo->setCurrentIndex(index);
    Q_EMIT combo->activated(index);
}

void click_in(QWidget* page, int id) {
    auto* button = qobject_cast<QAbstractButton*>(find_control(page, id));
    ASSERT_TRUE(button);
    QTest::mouseClick(button, Qt::LeftButton);
}

// A small application built in the window from the main window: a menu
// whose two items lead to two forms, a delimited lookup file linked to a
// form line, a start from menu 1, a comma delimiter and a new main menu
// text; after OK the simulated terminal plays it.
TEST(EditorWindow, AnApplicationBuiltOnTheLaterPagesPlaysOnTheSimulator) {
    test::app();
    auto doc = std::make_unique<TemplateDocument>();
    reset_template(doc->tpl);
    test::RecordingPrompter prompter;
    test::ScriptedPicker picker;
    ShellServices services;
    services.prompter = &prompter;
    services.picker = &picker;
    MainWindow window(*doc, services);
    window.set_editor([&window] { open_editor_window(window); });

    bool main_text_seen = false;
    when_open("EditorSheet", [&](QDialog& d) {
        auto& sheet = dynamic_cast<SheetWindow&>(d);
        QWidget* form = sheet.page_widget(0);
        choose_in(form, 755, 1);  // form 1 looks up the 1st file
        choose_in(form, 701, 1);  // line 1: text
        retype(find_control(form, 601), "Item");
        choose_in(form, 721, 1);  // linked to field 1
        choose_in(form, 700, 1);  // form 2
        choose_in(form, 701, 2);  // line 1: integer
        retype(find_control(form, 601), "Count");

        sheet.tabs()->setCurrentIndex(1);
        QWidget* menu = sheet.page_widget(1);
        retype(find_control(menu, 601), "Stock");
        choose_in(menu, 701, 1);  // form 1
        retype(find_control(menu, 602), "Counting");
        choose_in(menu, 702, 2);  // form 2

        sheet.tabs()->setCurrentIndex(2);
        QWidget* lookup = sheet.page_widget(2);
        choose_in(lookup, 701, 2);
        click_in(lookup, 412);
        retype(find_control(lookup, 619), "44");
        retype(find_control(lookup, 611), "10");
        retype(find_control(lookup, 612), "6");
        EXPECT_EQ(qobject_cast<QLabel*>(find_control(lookup, 501))->text(), "Max Length");

        const int startup_index = sheet.tabs()->count() - 1;  // Startup is the last page
        sheet.tabs()->setCurrentIndex(startup_index);
        QWidget* startup = sheet.page_widget(startup_index);
        choose_in(startup, 700, 1);  // menu 1
        choose_in(startup, 701, 1);
        retype(find_control(startup, 603), ",");
        EXPECT_EQ(qobject_cast<QLineEdit*>(find_control(startup, 601))->text(), "44");
        when_open("MainPageDlg", [&](QDialog& screen) {
            main_text_seen = true;
            retype(find_control(&screen, 601), "1.Take stock and more");
            EXPECT_EQ(qobject_cast<QLineEdit*>(find_control(&screen, 601))->text(), "1.Take stock an");
            click_in(&screen, 1);
        });
        click_in(startup, 202);
        d.accept();
    });
    window.command(command::kEdit);
    EXPECT_TRUE(main_text_seen);
    EXPECT_TRUE(doc->modified);
    const Template& t = doc->tpl;
    EXPECT_EQ(t.start_target, 1);
    EXPECT_EQ(t.field_delimiter[0], 44);
    EXPECT_EQ(t.field_delimiter[1], 0);
    EXPECT_EQ(t.extended.lookup_delimiter[0], 44);
    EXPECT_EQ(t.lookups[0].member_length, 17);  // 10 + 6 + one delimiter
    EXPECT_EQ(t.lookups[0].field_offset[1], 12);

    SimRuntime& sim = window.simulator()->runtime();
    ASSERT_EQ(sim.screen(), SimScreen::MainScreen);
    EXPECT_EQ(sim.lcd().row(0).rfind("1.Take stock an", 0), 0u) << sim.lcd().row(0);
    sim.press_key(key::kEnter);  // "collect data": the program starts at menu 1
    ASSERT_EQ(sim.screen(), SimScreen::MenuScreen);
    EXPECT_NE(sim.lcd().row(0).find("Stock"), std::string::npos) << sim.lcd().row(0);
    sim.press_key(key::kDown);
    sim.press_key(key::kEnter);  // "Counting" leads to form 2
    ASSERT_EQ(sim.screen(), SimScreen::FormScreen);
    EXPECT_EQ(sim.lcd().row(0).rfind("Count", 0), 0u) << sim.lcd().row(0);
}

TEST(EditorWindow, PicturesOfTheLaterPagesAndScreenDialogsShowEveryControlWhole) {
    EditorWindow e;
    e.doc->tpl.lookups[0].field_count = 3;
    e.open();
    const int startup = e.sheet->find_tab("Startup");
    const std::pair<int, const char*> pages[] = {{e.sheet->find_tab("Menu"), "editor_menu"},
                                                 {e.sheet->find_tab("Lookup"), "editor_lookup"},
                                                 {startup, "editor_startup"}};
    for (const auto& [index, picture] : pages) {
        ASSERT_GE(index, 0) << picture;
        e.window->tabs()->setCurrentIndex(index);
        expect_laid_out(*e.window->page_widget(index));
        keep(*e.window, picture);
    }
    struct Screen {
        int button;
        const char* dialog;
        const char* picture;
    };
    for (const Screen& s : {Screen{201, "WelcomePageDlg", "editor_screen_welcome"},
                            Screen{202, "MainPageDlg", "editor_screen_main"},
                            Screen{203, "UtilityPageDlg", "editor_screen_utility"}}) {
        bool seen = false;
        when_open(s.dialog, [&](QDialog& d) {
            seen = true;
            expect_laid_out(d);
            keep(d, s.picture);
            d.reject();
        });
        click_in(e.window->page_widget(startup), s.button);
        EXPECT_TRUE(seen) << s.dialog;
    }
    e.window->reject();
}

}  // namespace
}  // namespace kolibra::editor
