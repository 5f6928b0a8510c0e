// Shows a dialog logic as a Qt dialog: the widgets come from its template
// through the dialog builder, the logic's state is mirrored into them after
// every event, and the user's typing, clicks and selections go to the logic.
// A page is the same widget embedded in the sheet's tab instead of a window.
#pragma once

#include "common/dialog/dialog_logic.h"

#include <QDialog>

#include <map>
#include <vector>

namespace kolibra::dialog {

class BoundDialog : public QDialog {
public:
    enum class Role { Modal, Page };
    BoundDialog(DialogLogic& logic, Role role, QWidget* parent);

    // Brings every widget up to the logic's state (only what changed).
    void sync();
    DialogLogic& logic() { return logic_; }

    // OK, Cancel, Escape and the close box go to the logic's buttons 1 and 2.
    void done(int result) override;

private:
    struct Bound {
        QWidget* widget = nullptr;
        unsigned revision = ~0u;
        unsigned entries_revision = ~0u;
    };
    void connect_control(int id, QWidget* widget);
    void after_event();

    DialogLogic& logic_;
    Role role_;
    std::map<int, Bound> bound_;
};

// Runs modal dialogs (the editor's nested ones, the tools') as Qt dialogs over the
// innermost window open: one over the host's own owner opens beside it, one
// over another dialog centred on that dialog (common/window_placement.h).
class QtDialogHost : public DialogHost {
public:
    explicit QtDialogHost(QWidget* owner) { parents_.push_back(owner); }
    int run_modal(DialogLogic& dialog) override;
    void push_parent(QWidget* parent) { parents_.push_back(parent); }
    void pop_parent() { parents_.pop_back(); }

private:
    std::vector<QWidget*> parents_;
};

}  // namespace kolibra::dialog
