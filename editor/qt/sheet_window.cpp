#include "editor/qt/sheet_window.h"

#include "common/qt/qt_window_placement.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace kolibra::editor {

SheetWindow::SheetWindow(Sheet& sheet, QtDialogHost& host, QWidget* owner)
    : QDialog(owner), sheet_(sheet), host_(host) {
    setObjectName(QStringLiteral("EditorSheet"));
    setWindowTitle(QString::fromLatin1(kSheetCaption));
    setWindowModality(Qt::WindowModal);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    tabs_ = new QTabWidget(this);
    layout->addWidget(tabs_);
    for (int i = 0; i < sheet.page_count(); ++i) {
        auto* page = new BoundDialog(sheet.page(i), BoundDialog::Role::Page, tabs_);
        pages_.push_back(page);
        tabs_->addTab(page, QString::fromLatin1(sheet.tab(i).c_str()));
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    tabs_->setCurrentIndex(sheet.current());
    // A page is initialised when its tab is first shown.
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) {
        sheet_.show(index);
        if (index >= 0 && index < static_cast<int>(pages_.size())) pages_[index]->sync();
    });
    // The pages' dialogs open over the sheet.
    host_.push_parent(this);
}

SheetWindow::~SheetWindow() { host_.pop_parent(); }

void SheetWindow::done(int result) {
    if (result == QDialog::Accepted) sheet_.ok();
    else sheet_.cancel();
    QDialog::done(result);
}

bool run_editor_window(QWidget* owner, TemplateDocument& doc, SimulatorHooks simulator) {
    QtDialogHost host(owner);
    EditorContext context(doc, host, std::move(simulator));
    Sheet sheet(context);
    SheetWindow window(sheet, host, owner);
    // Beside the terminal, so the user sees the form change as the sheet's
    // OK restarts it.
    if (owner != nullptr) {
        window.adjustSize();
        place_beside_owner(window, *owner);
    }
    window.exec();
    return sheet.accepted();
}

}  // namespace kolibra::editor
