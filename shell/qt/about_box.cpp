#include "shell/qt/about_box.h"

#include "common/qt/dialog_builder.h"
#include "shell/dialog_controls.h"

#include <QCloseEvent>
#include <QDialog>
#include <QPushButton>

namespace kolibra {

namespace {

// Esc and the close box do nothing: the box closes through OK alone.
class AboutBox : public QDialog {
public:
    explicit AboutBox(QWidget* owner) : QDialog(owner) {}

protected:
    void reject() override {}
    void closeEvent(QCloseEvent* event) override { event->ignore(); }
};

}  // namespace

void run_about_box(QWidget* owner) {
    const DialogTemplate* tmpl = app_resources().dialog(about_box::kName);
    if (!tmpl) return;
    AboutBox box(owner);
    if (owner) box.setWindowIcon(owner->windowIcon());
    populate_dialog(box, *tmpl);
    resolve_control<QPushButton>(box, kOkButton);  // the only way out of the box
    box.exec();
}

}  // namespace kolibra
