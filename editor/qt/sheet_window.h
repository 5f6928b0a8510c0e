// The template editor as a window: the property sheet "Application Template"
// with one tab per page, OK and Cancel (no Apply, no Help), modal to its owner.
#pragma once

#include "common/qt/dialog_binder.h"
#include "editor/dialog_logic.h"
#include "editor/sheet.h"

#include <QDialog>

#include <vector>

class QTabWidget;

namespace kolibra::editor {

using dialog::BoundDialog;
using dialog::QtDialogHost;

class SheetWindow : public QDialog {
public:
    SheetWindow(Sheet& sheet, QtDialogHost& host, QWidget* owner);
    ~SheetWindow() override;

    QTabWidget* tabs() const { return tabs_; }
    BoundDialog* page_widget(int index) const { return pages_[index]; }

    // OK commits the sheet, anything else cancels it.
    void done(int result) override;

private:
    Sheet& sheet_;
    QtDialogHost& host_;
    QTabWidget* tabs_ = nullptr;
    std::vector<BoundDialog*> pages_;
};

// Opens the editor on `doc`, modal to `owner`, and returns when it closes.
// Returns true when it closed with OK.
bool run_editor_window(QWidget* owner, TemplateDocument& doc, SimulatorHooks simulator);

}  // namespace kolibra::editor
