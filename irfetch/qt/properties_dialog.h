// The settings dialog "PropertiesDlg", a thin layer over IrfetchSettings.
#pragma once

#include "common/file_picker.h"
#include "irfetch/irfetch_run.h"
#include "irfetch/properties_dialog_controls.h"

#include <memory>

class QCheckBox;
class QComboBox;
class QDialog;
class QLineEdit;
class QPushButton;

namespace kolibra {

class PropertiesDialog {
public:
    // Fills the controls from the settings. "..." asks `picker` for a file.
    PropertiesDialog(const IrfetchSettings& settings, FilePicker& picker);
    ~PropertiesDialog();

    QDialog* window() const { return dialog_.get(); }
    // The settings as "OK" takes them from the controls.
    IrfetchSettings result() const;
    // What "..." does: a file-save dialog that starts with the stored
    // directory and name (not what was typed since); the choice is cut at its
    // last separator into directory and name, stored and shown.
    void browse();

private:
    // The controls the code uses, resolved when the dialog is built.
    struct Controls {
        QLineEdit* directory;
        QLineEdit* file_name;
        QPushButton* browse;
        QComboBox* port;
        QComboBox* baud;
        QComboBox* file_mode;
        QCheckBox* add_cr;
        QCheckBox* add_lf;
        QCheckBox* show_messages;
        QCheckBox* view_data;
        QCheckBox* always_show;
    };

    void show_file();

    std::unique_ptr<QDialog> dialog_;
    Controls controls_;
    IrfetchSettings stored_;
    FilePicker& picker_;
};

// The dialog as the run sees it.
class QtIrfetchDialog : public IrfetchDialog {
public:
    explicit QtIrfetchDialog(FilePicker& picker) : picker_(picker) {}
    bool edit(IrfetchSettings& settings) override;

private:
    FilePicker& picker_;
};

}  // namespace kolibra
