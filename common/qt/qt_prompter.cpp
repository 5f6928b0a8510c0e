#include "common/qt/qt_prompter.h"

#include <QApplication>
#include <QMessageBox>

namespace kolibra {

namespace {

QMessageBox::Icon box_icon(Icon icon) {
    switch (icon) {
    case Icon::None: return QMessageBox::NoIcon;
    case Icon::Information: return QMessageBox::Information;
    case Icon::Warning: return QMessageBox::Warning;
    case Icon::Error: return QMessageBox::Critical;
    case Icon::Question: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons box_buttons(Buttons buttons) {
    switch (buttons) {
    case Buttons::Ok: return QMessageBox::Ok;
    case Buttons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case Buttons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case Buttons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case Buttons::RetryCancel: return QMessageBox::Retry | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

// The answer when the box is closed without a button (Esc or the close box):
// the box's cancelling choice.
Answer closed_answer(Buttons buttons) {
    switch (buttons) {
    case Buttons::Ok: return Answer::Ok;
    case Buttons::YesNo: return Answer::No;
    default: return Answer::Cancel;
    }
}

}  // namespace

Answer QtPrompter::ask(const std::string& text, const std::string& caption, Icon icon,
                       Buttons buttons) {
    QWidget* parent = owner_ ? owner_.data() : QApplication::activeWindow();
    QMessageBox box(box_icon(icon), QString::fromStdString(caption), QString::fromStdString(text),
                    box_buttons(buttons), parent);
    box.setTextFormat(Qt::PlainText);
    if (buttons == Buttons::YesNo) box.setEscapeButton(QMessageBox::No);
    switch (box.exec()) {
    case QMessageBox::Ok: return Answer::Ok;
    case QMessageBox::Cancel: return Answer::Cancel;
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    case QMessageBox::Retry: return Answer::Retry;
    default: return closed_answer(buttons);
    }
}

}  // namespace kolibra
