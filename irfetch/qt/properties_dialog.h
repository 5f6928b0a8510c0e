// The settings dialog "PropertiesDlg", a thin layer over IrfetchSettings.
#pragma once

#include "common/file_picker.h"
#include "irfetch/irfetch_run.h"

#include <memory>

class QDialog;

namespace kolibra {

// Control numbers of "PropertiesDlg".
enum PropertiesControl {
    kDirectoryEdit = 601,
    kFileNameEdit = 602,
    kBrowseButton = 501,
    kPortList = 701,
    kBaudList = 702,
    kFileModeList = 703,
    kAddCrBox = 801,
    kAddLfBox = 802,
    kShowMessagesBox = 803,
    kViewDataBox = 804,
    kAlwaysShowBox = 805,
};

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
    std::unique_ptr<QDialog> dialog_;
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
