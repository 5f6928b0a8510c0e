#include "common/qt/qt_progress.h"

#include "common/qt/dialog_builder.h"
#include "common/qt/qt_prompter.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>
#include <QScreen>

namespace kolibra {

namespace {

// A dialog that ignores the close box and Esc: the transfer decides when it ends.
class ProgressWindow : public QDialog {
public:
    ProgressWindow() : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {}

protected:
    void closeEvent(QCloseEvent* event) override { event->ignore(); }
    void reject() override {}
};

// Marks a widget whose window takes input while a transfer blocks the rest.
const char* const kTakesInput = "kolibraTakesInput";

}  // namespace

QPushButton* make_cancel_button(QWidget* parent, TransferStop* stop) {
    auto* button = new QPushButton(QStringLiteral("Cancel"), parent);
    button->setObjectName(QStringLiteral("Cancel"));
    button->setProperty(kTakesInput, true);
    QObject::connect(button, &QPushButton::clicked, button, [button, stop] {
        stop->request();
        button->setEnabled(false);
    });
    return button;
}

namespace {

void centre_on_screen(QWidget* window) {
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        window->move(area.center() - QPoint(window->width() / 2, window->height() / 2));
    }
}

}  // namespace

QtProgress::~QtProgress() { close(); }

void QtProgress::open(const std::string& caption) {
    close();
    auto* dialog = new ProgressWindow;
    if (const DialogTemplate* tmpl = app_resources().dialog("ProgressDlg")) {
        populate_dialog(*dialog, *tmpl);
    } else {
        dialog->setWindowTitle(QStringLiteral("Progress"));
        dialog->setFixedSize(200, 80);
    }
    if (!caption.empty()) dialog->setWindowTitle(QString::fromStdString(caption));
    // A long caption ("Progress (Download Lookup 1.0)") would be cut in the
    // title bar of the small dialog: widen it to fit.
    const int wanted = width_for_caption(dialog->windowTitle(), dialog->font());
    if (dialog->width() < wanted) dialog->setFixedSize(wanted, dialog->height());
    dialog->setAttribute(Qt::WA_DeleteOnClose, false);

    // The bar: x 14, y half the client height, the client width less 28, 20 high.
    auto* bar = new QProgressBar(dialog);
    bar->setObjectName(QStringLiteral("Downloading"));
    bar->setAccessibleName(QStringLiteral("Downloading"));
    bar->setRange(0, 100);
    bar->setValue(0);
    bar->setTextVisible(false);
    QSize client = dialog->size();
    bar->setGeometry(14, client.height() / 2, client.width() - 28, 20);
    if (stop_) {
        // The button goes below the bar; the window grows to hold it.
        cancel_ = make_cancel_button(dialog, stop_);
        const int top = client.height() / 2 + 28;
        const QSize button = cancel_->sizeHint();
        cancel_->setGeometry((client.width() - button.width()) / 2, top, button.width(),
                             button.height());
        client.setHeight(top + button.height() + 10);
        dialog->setFixedSize(client);
    }

    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect area = screen->geometry();
        dialog->move(area.center() - QPoint(client.width() / 2, client.height() / 2));
    }
    dialog->show();
    dialog_ = dialog;
    bar_ = bar;
    pump_paint_events();
}

void QtProgress::set_value(int value) {
    if (!bar_) return;
    bar_->setValue(value < 0 ? 0 : value > 100 ? 100 : value);
    pump_paint_events();
}

void QtProgress::close() {
    if (dialog_) {
        dialog_->hide();
        delete dialog_.data();
    }
    dialog_ = nullptr;
    bar_ = nullptr;
    cancel_ = nullptr;
}

QtWaitNotice::~QtWaitNotice() { hide(); }

void QtWaitNotice::show(const std::string& text) {
    if (!dialog_) {
        auto* dialog = new ProgressWindow;
        dialog->setWindowTitle(QStringLiteral("Waiting"));
        auto* layout = new QVBoxLayout(dialog);
        auto* label = new QLabel(dialog);
        label->setObjectName(QStringLiteral("WaitingText"));
        label->setTextInteractionFlags(Qt::NoTextInteraction);
        layout->addWidget(label);
        if (stop_) {
            cancel_ = make_cancel_button(dialog, stop_);
            layout->addWidget(cancel_, 0, Qt::AlignHCenter);
        }
        dialog_ = dialog;
    }
    if (auto* label = dialog_->findChild<QLabel*>(QStringLiteral("WaitingText")))
        label->setText(QString::fromStdString(text));
    dialog_->adjustSize();
    dialog_->setFixedSize(dialog_->sizeHint().expandedTo(QSize(280, 0)));
    centre_on_screen(dialog_);
    dialog_->show();
    dialog_->raise();
    pump_paint_events();
}

void QtWaitNotice::hide() {
    if (dialog_) {
        dialog_->hide();
        delete dialog_.data();
    }
    dialog_ = nullptr;
    cancel_ = nullptr;
}

namespace {

bool is_input_event(QEvent::Type type) {
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::Wheel:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::ContextMenu:
    case QEvent::Close:
        return true;
    default:
        return false;
    }
}

// True for a widget of a modal box opened during the transfer, including the
// pop-ups of its controls (whose parent chain crosses into their own window),
// and for a Cancel button of a transfer (while no box is open).
bool reaches_open_box(QWidget* widget) {
    if (widget && !QApplication::activeModalWidget() && widget->property(kTakesInput).toBool())
        return true;
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !widget) return false;
    for (QWidget* w = widget; w; w = w->parentWidget()) {
        if (w == modal) return true;
    }
    return false;
}

class InputFilter : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // Window-level events reach the widgets after this; those are judged.
        if (!is_input_event(event->type()) || !watched->isWidgetType()) return false;
        if (reaches_open_box(qobject_cast<QWidget*>(watched))) return false;
        if (event->type() == QEvent::Close) {
            // Only the user's close requests are refused; code may still close windows.
            if (!event->spontaneous()) return false;
            event->ignore();
        }
        return true;
    }
};

int blocker_count = 0;
InputFilter* input_filter = nullptr;

}  // namespace

InputBlocker::InputBlocker() {
    if (blocker_count++ == 0 && QCoreApplication::instance()) {
        input_filter = new InputFilter;
        QCoreApplication::instance()->installEventFilter(input_filter);
    }
}

InputBlocker::~InputBlocker() {
    if (--blocker_count == 0 && input_filter) {
        // Input that arrived meanwhile is dropped here rather than acted on later.
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        delete input_filter;  // removes itself from the application
        input_filter = nullptr;
    }
}

bool InputBlocker::active() { return blocker_count > 0; }

void pump_paint_events() {
    if (!QCoreApplication::instance()) return;
    QCoreApplication::processEvents(InputBlocker::active() ? QEventLoop::AllEvents
                                                           : QEventLoop::ExcludeUserInputEvents);
}

}  // namespace kolibra
