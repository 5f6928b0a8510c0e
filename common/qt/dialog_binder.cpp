#include "common/qt/dialog_binder.h"

#include "common/qt/dialog_builder.h"
#include "common/qt/qt_window_placement.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace kolibra::dialog {

namespace {

// The template holds bytes: one character is one byte, as on the terminal.
QString to_qt(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::string from_qt(const QString& text) { return text.toLatin1().toStdString(); }

void set_radio(QRadioButton* radio, bool checked) {
    if (radio->isChecked() == checked) return;
    // An exclusive group refuses to clear its checked button from code.
    QButtonGroup* group = radio->group();
    const bool exclusive = group && group->exclusive();
    if (exclusive) group->setExclusive(false);
    radio->setChecked(checked);
    if (exclusive) group->setExclusive(true);
}

}  // namespace

BoundDialog::BoundDialog(DialogLogic& logic, Role role, QWidget* parent)
    : QDialog(parent), logic_(logic), role_(role) {
    if (role == Role::Page) setWindowFlags(Qt::Widget);
    populate_dialog(*this, logic.dialog_template());
    // Every numbered control is looked up once, here.
    for (const ControlState& c : logic.state().controls()) {
        QWidget* widget = find_control(this, c.id);
        if (!widget) qFatal("dialog %s: no widget for control %d", logic.dialog_template().name.c_str(), c.id);
        bound_[c.id].widget = widget;
        connect_control(c.id, widget);
    }
    sync();
}

void BoundDialog::connect_control(int id, QWidget* widget) {
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        connect(edit, &QLineEdit::textEdited, this, [this, id](const QString& text) {
            logic_.user_text(id, from_qt(text));
            after_event();
        });
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        connect(combo, &QComboBox::activated, this, [this, id](int index) {
            logic_.user_select(id, index);
            after_event();
        });
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        // Buttons 1 and 2 of a dialog already accept and reject it (done()).
        if (role_ == Role::Modal && (id == kOkButton || id == kCancelButton)) return;
        connect(button, &QAbstractButton::clicked, this, [this, id] {
            logic_.user_click(id);
            after_event();
        });
    }
}

void BoundDialog::after_event() {
    sync();
    if (role_ == Role::Modal && logic_.closed()) QDialog::done(logic_.result());
}

void BoundDialog::done(int result) {
    if (role_ == Role::Page) return;  // Escape on a page is the sheet's business
    if (!logic_.closed()) {
        const int button = result == QDialog::Accepted ? kOkButton : kCancelButton;
        if (button == kCancelButton && !logic_.cancellable()) return;
        if (!logic_.user_click(button).accepted) {
            // A dialog without that button still closes on Escape.
            if (button == kOkButton) return;
            QDialog::done(kResultCancel);
            return;
        }
    }
    sync();
    QDialog::done(logic_.result());
}

void BoundDialog::sync() {
    for (const ControlState& c : logic_.state().controls()) {
        auto it = bound_.find(c.id);
        if (it == bound_.end()) continue;
        Bound& b = it->second;
        if (b.revision == c.revision) continue;
        b.revision = c.revision;
        QWidget* w = b.widget;
        w->setEnabled(c.enabled);
        if (auto* edit = qobject_cast<QLineEdit*>(w)) {
            const QString text = to_qt(c.text);
            if (edit->text() != text) edit->setText(text);
        } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
            if (b.entries_revision != c.entries_revision) {
                b.entries_revision = c.entries_revision;
                combo->clear();
                for (const std::string& entry : c.entries) combo->addItem(to_qt(entry));
            }
            combo->setCurrentIndex(c.selection);
        } else if (auto* radio = qobject_cast<QRadioButton*>(w)) {
            set_radio(radio, c.checked);
        } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            if (button->isCheckable()) button->setChecked(c.checked);
            button->setText(to_qt(c.text));
        } else if (auto* label = qobject_cast<QLabel*>(w)) {
            label->setText(to_qt(c.text));
        }
    }
}

int QtDialogHost::run_modal(DialogLogic& dialog) {
    dialog.open();
    BoundDialog window(dialog, BoundDialog::Role::Modal, parents_.back());
    if (QWidget* owner = parents_.back()) {
        // A dialog over the program's own window goes beside it, so the
        // window stays in sight; one opened from another dialog centres on it.
        window.adjustSize();
        if (parents_.size() == 1) place_beside_owner(window, *owner);
        else centre_on_owner(window, *owner);
    }
    push_parent(&window);
    window.exec();
    pop_parent();
    return dialog.closed() ? dialog.result() : kResultCancel;
}

}  // namespace kolibra::dialog
