#include "common/qt/dialog_builder.h"

#include "support/qt_test_app.h"

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

TEST(DialogBuilder, ComPortDialogTemplateHasTheControlsAtTheirPlaces) {
    test::app();
    const DialogTemplate* tmpl = app_resources().dialog("ComSettingDlg");
    ASSERT_NE(tmpl, nullptr);
    EXPECT_EQ(tmpl->caption, "COM Port Settings");
    EXPECT_EQ(tmpl->font_face, "Helv");
    EXPECT_EQ(tmpl->font_points, 8);
    EXPECT_EQ(tmpl->width, 130);
    EXPECT_EQ(tmpl->height, 90);
    struct Expect { int id; ControlKind kind; const char* text; int x, y, w, h; };
    const Expect expected[] = {
        {701, ControlKind::DropDownList, "", 60, 14, 56, 80},
        {702, ControlKind::DropDownList, "", 60, 34, 56, 120},
        {1, ControlKind::DefaultButton, "OK", 15, 66, 40, 14},
        {2, ControlKind::Button, "Cancel", 75, 66, 40, 14},
    };
    for (const Expect& e : expected) {
        const ControlTemplate* c = tmpl->control(e.id);
        ASSERT_NE(c, nullptr) << e.id;
        EXPECT_EQ(c->kind, e.kind);
        EXPECT_EQ(c->text, e.text);
        EXPECT_EQ(QRect(c->x, c->y, c->width, c->height), QRect(e.x, e.y, e.w, e.h)) << e.id;
    }
    ASSERT_EQ(tmpl->controls.size(), 6u);
    EXPECT_EQ(tmpl->controls[0].text, "&COM port :");
    EXPECT_EQ(QRect(tmpl->controls[0].x, tmpl->controls[0].y, tmpl->controls[0].width,
                    tmpl->controls[0].height), QRect(12, 16, 48, 12));
    EXPECT_EQ(tmpl->controls[2].text, "&Baud rate :");
    EXPECT_EQ(QRect(tmpl->controls[2].x, tmpl->controls[2].y, tmpl->controls[2].width,
                    tmpl->controls[2].height), QRect(12, 36, 52, 12));
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

TEST(DialogBuilder, UnknownTemplateGivesNoDialog) {
    test::app();
    EXPECT_EQ(build_dialog("NoSuchDlg", nullptr), nullptr);
}

}  // namespace
}  // namespace kolibra
