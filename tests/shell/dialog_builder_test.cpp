#include "common/qt/dialog_builder.h"

#include "support/qt_test_app.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace kolibra {
namespace {

DialogTemplate parse_one(const char* text) {
    ResourceSet set;
    std::string error;
    EXPECT_TRUE(parse_resource_script(text, set, error)) << error;
    return set.dialogs.empty() ? DialogTemplate{} : set.dialogs.front();
}

TEST(DialogBuilder, ConvertsDialogUnitsWithTheFontsMetrics) {
    test::app();
    QFont font("DejaVu Sans");
    font.setPixelSize(13);
    QFontMetrics metrics(font);
    const int letters = metrics.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const int bx = (letters / 26 + 1) / 2;
    const int by = metrics.height();
    QRect px = dialog_units_to_pixels(font, QRect(12, 16, 48, 12));
    // x units are a quarter of the average character width, y units an eighth
    // of the height, rounded to the nearest pixel.
    EXPECT_EQ(px.x(), (12 * bx + 2) / 4);
    EXPECT_EQ(px.y(), (16 * by + 4) / 8);
    EXPECT_EQ(px.width(), 12 * bx);
    EXPECT_EQ(px.height(), (12 * by + 4) / 8);
    QRect negative = dialog_units_to_pixels(font, QRect(-4, -8, 0, 0));
    EXPECT_EQ(negative.x(), -bx);
    EXPECT_EQ(negative.y(), -by);
}

TEST(DialogBuilder, BuildsWidgetsFoundByNumberAtConvertedPositions) {
    test::app();
    DialogTemplate tmpl = parse_one(
        "dialog T 120 80\n caption \"Cap\"\n font 8 \"Helv\"\n"
        " label -1 \"&Name\" 4 4 30 10\n edit 601 \"x\" 40 4 60 12\n"
        " radio 401 \"a\" 4 20 30 10\n radio 402 \"b\" 4 30 30 10\n"
        " radio 403 \"c\" 4 40 30 10 newgroup\n droplist 701 \"\" 40 20 50 80\n"
        " default 1 \"OK\" 10 60 40 14\n button 2 \"Cancel\" 60 60 40 14\nend\n");
    std::unique_ptr<QDialog> dialog(build_dialog(tmpl, nullptr));
    EXPECT_EQ(dialog->windowTitle(), "Cap");
    EXPECT_EQ(dialog->size(), dialog_units_to_pixels(dialog->font(), QRect(0, 0, 120, 80)).size());
    QWidget* edit = find_control(dialog.get(), 601);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(control_id(edit), 601);
    EXPECT_EQ(edit->geometry(), dialog_units_to_pixels(dialog->font(), QRect(40, 4, 60, 12)));
    EXPECT_EQ(find_control(dialog.get(), 999), nullptr);
    auto* label = dialog->findChild<QLabel*>();
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->buddy(), edit);

    // 401 and 402 exclude each other; 403 starts a group of its own.
    auto* a = control_as<QRadioButton>(dialog.get(), 401);
    auto* b = control_as<QRadioButton>(dialog.get(), 402);
    auto* c = control_as<QRadioButton>(dialog.get(), 403);
    ASSERT_TRUE(a && b && c);
    a->setChecked(true);
    c->setChecked(true);
    b->setChecked(true);
    EXPECT_FALSE(a->isChecked());
    EXPECT_TRUE(c->isChecked());

    auto* combo = control_as<QComboBox>(dialog.get(), 701);
    ASSERT_NE(combo, nullptr);
    EXPECT_LT(combo->height(), dialog_units_to_pixels(dialog->font(), QRect(0, 0, 0, 80)).height());
    EXPECT_TRUE(control_as<QPushButton>(dialog.get(), 1)->isDefault());
}

TEST(DialogBuilder, ButtonsOneAndTwoAcceptAndReject) {
    test::app();
    DialogTemplate tmpl = parse_one(
        "dialog T 100 40\n default 1 \"OK\" 5 5 40 14\n button 2 \"Cancel\" 50 5 40 14\nend\n");
    for (int id : {1, 2}) {
        std::unique_ptr<QDialog> dialog(build_dialog(tmpl, nullptr));
        QTimer::singleShot(0, [&] { control_as<QPushButton>(dialog.get(), id)->click(); });
        EXPECT_EQ(dialog->exec(), id == 1 ? QDialog::Accepted : QDialog::Rejected);
    }
}

TEST(DialogBuilder, ControlsAreResolvedOnceAndAFaultyNumberFailsLoudly) {
    test::app();
    DialogTemplate tmpl = parse_one(
        "dialog Probe 100 40\n edit 601 \"\" 5 5 40 12\n droplist 701 \"\" 5 20 40 40\nend\n");
    std::unique_ptr<QDialog> dialog(build_dialog(tmpl, nullptr));
    QComboBox* list = resolve_control<QComboBox>(*dialog, {701, ControlKind::DropDownList});
    EXPECT_EQ(list, find_control(dialog.get(), 701));

    const char* const entries[] = {"one", "two", "three"};
    fill_list(*list, entries, 2);
    EXPECT_EQ(list->count(), 3);
    EXPECT_EQ(list_index(*list, -1), 2);
    fill_list(*list, entries, 3);  // beyond the list: the first entry
    EXPECT_EQ(list_index(*list, -1), 0);
    list->setCurrentIndex(-1);
    EXPECT_EQ(list_index(*list, 7), 7);

    // Strict (as in the tests): the message names the dialog and the number.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(resolve_control<QComboBox>(*dialog, {702, ControlKind::DropDownList}),
                 "dialog Probe: control 702 is missing");
    EXPECT_DEATH(resolve_control<QCheckBox>(*dialog, {601, ControlKind::CheckBox}),
                 "dialog Probe: control 601 is a 'edit', the code expects a 'check'");
    EXPECT_DEATH(resolve_control<QCheckBox>(*dialog, {701, ControlKind::DropDownList}),
                 "dialog Probe: control 701 builds a QComboBox, the code expects a QCheckBox");

    // Not strict: told on stderr, and the code gets a hidden stand-in.
    set_strict_control_checks(false);
    QCheckBox* missing = resolve_control<QCheckBox>(*dialog, {801, ControlKind::CheckBox});
    set_strict_control_checks(true);
    ASSERT_NE(missing, nullptr);
    EXPECT_EQ(missing->parent(), dialog.get());
    EXPECT_TRUE(missing->isHidden());
}

TEST(DialogBuilder, UnknownTemplateGivesNoDialog) {
    test::app();
    EXPECT_EQ(build_dialog("NoSuchDlg", nullptr), nullptr);
}

}  // namespace
}  // namespace kolibra
