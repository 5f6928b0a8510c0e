#include "common/qt/qt_prompter.h"

#include <algorithm>

#include <QApplication>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>

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

// Room the window manager takes in the title bar besides the caption: the
// window's icon and its minimise, maximise and close buttons, with margins.
constexpr int kTitleBarExtra = 160;

// A message box sizes itself to its text and buttons only, so a short text
// under a long caption gives a box whose title bar cuts the caption. A
// spacer as wide as the caption needs keeps the box at least that wide.
void make_room_for_caption(QMessageBox& box, const QString& caption) {
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid) return;
    const int width = width_for_caption(caption, box.font());
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                  grid->rowCount(), 0, 1, grid->columnCount());
}

}  // namespace

int width_for_caption(const QString& caption, const QFont& window_font) {
    // The window manager draws the title in a font of its own; the larger of
    // the title font and the window's font stands in for it.
    const QFontMetrics title(QFontDatabase::systemFont(QFontDatabase::TitleFont));
    const QFontMetrics body(window_font);
    return std::max(title.horizontalAdvance(caption), body.horizontalAdvance(caption)) +
           kTitleBarExtra;
}

Answer QtPrompter::ask(const std::string& text, const std::string& caption, Icon icon,
                       Buttons buttons) {
    QWidget* parent = owner_ ? owner_.data() : QApplication::activeWindow();
    QMessageBox box(box_icon(icon), QString::fromStdString(caption), QString::fromStdString(text),
                    box_buttons(buttons), parent);
    box.setTextFormat(Qt::PlainText);
    make_room_for_caption(box, box.windowTitle());
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
