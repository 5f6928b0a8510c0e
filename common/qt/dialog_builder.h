// Turns dialog templates (common/resource_script.h) into Qt widgets.
//
// Usage:
//   QDialog* dialog = build_dialog("ComSettingDlg", owner);   // nullptr if unknown
//   constexpr ControlRef kPort{701, ControlKind::DropDownList};
//   QComboBox* port = resolve_control<QComboBox>(*dialog, kPort);  // once, never null
//   fill_list(*port, kComPortChoices, 0);
//   if (dialog->exec() == QDialog::Accepted) { ... list_index(*port, 0) ... }
//   delete dialog;
//
// Or subclass QDialog and fill it with populate_dialog(*this, *tmpl).
//
// Resource scripts (*.rsc) are found in the Qt resource tree under
// ":/kolibra/"; add yours with qt_add_resources(... PREFIX "/kolibra" FILES
// x.rsc) and look them up with app_resources(). Positions and sizes are in
// dialog units, converted with the dialog font: x units are a quarter of the
// font's average character width, y units an eighth of its height. Every
// control carries its number (control_id()), so code and tests find it with
// find_control(). Buttons 1 and 2 accept and reject the dialog, like OK and
// Cancel; labels with '&' give the keyboard focus to the control after them.
//
// Widgets by kind: label/clabel/rlabel QLabel, edit QLineEdit (QPlainTextEdit
// with multiline), droplist/dropedit QComboBox, list QListWidget,
// button/default QPushButton, check QCheckBox, radio QRadioButton (grouped
// by a QButtonGroup; a radio after a non-radio control or flagged newgroup
// starts a new group), group QGroupBox (drawn behind the controls, not their
// parent), icon QLabel showing a pixmap, progress QProgressBar.
#pragma once

#include "common/resource_script.h"

#include <QFont>
#include <QRect>
#include <QWidget>

#include <span>

class QComboBox;
class QDialog;

namespace kolibra {

// Every resource script under ":/kolibra/", parsed once. A faulty script is
// reported on stderr and skipped from its faulty line on.
const ResourceSet& app_resources();

// The font a template asks for (the application font when it names none).
QFont dialog_font(const DialogTemplate& tmpl);

// Dialog units to pixels with that font's metrics.
QRect dialog_units_to_pixels(const QFont& font, const QRect& units);

// Gives `dialog` the template's caption, font, fixed size and controls.
void populate_dialog(QDialog& dialog, const DialogTemplate& tmpl);

// A new dialog from a template; the caller owns it.
QDialog* build_dialog(const DialogTemplate& tmpl, QWidget* parent);
// The same by name from app_resources(); nullptr (and a note on stderr) if
// no such template exists.
QDialog* build_dialog(const char* name, QWidget* parent);

// The control's number, or -1 for a widget that has none.
int control_id(const QWidget* widget);
// The first descendant of `dialog` with this number, or nullptr.
QWidget* find_control(const QWidget* dialog, int id);
template <class W>
W* control_as(const QWidget* dialog, int id) {
    return qobject_cast<W*>(find_control(dialog, id));
}

// Resolving the controls a piece of code uses once, when its dialog is
// built, into a small record of typed pointers. A number the dialog lacks, a
// template control of another kind than `ref` names, or a widget that is not
// a W is a fault of the program: with strict checks it aborts with a message
// naming the dialog and the number; without, it is reported on stderr and a
// hidden stand-in W is returned, so the result is never null. Strict checks
// are on in debug builds and in the tests.
void set_strict_control_checks(bool strict);
bool strict_control_checks();

// The dialog's control `ref.id` when it passes the checks above, else
// nullptr (after the report, or the abort).
QWidget* checked_control(QDialog& dialog, ControlRef ref, const QMetaObject& wanted);

template <class W>
W* resolve_control(QDialog& dialog, ControlRef ref) {
    if (auto* widget = qobject_cast<W*>(checked_control(dialog, ref, W::staticMetaObject)))
        return widget;
    auto* stand_in = new W(&dialog);
    stand_in->hide();
    return stand_in;
}

// Replaces the entries of a drop-down list and selects `selected`, or the
// first entry when `selected` is beyond the list (a damaged setting).
void fill_list(QComboBox& list, std::span<const char* const> entries, int selected);
// The selected entry's position, or `fallback` when none is selected.
int list_index(const QComboBox& list, int fallback);

}  // namespace kolibra
