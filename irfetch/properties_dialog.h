// irfetch's settings dialog "PropertiesDlg" as dialog logic: what it shows
// on opening, what "..." does and what OK takes. The Qt and Win32 faces show
// it through their binders and hold no rule of their own.
#pragma once

#include "common/dialog/dialog_logic.h"
#include "common/file_picker.h"
#include "irfetch/irfetch_run.h"
#include "irfetch/irfetch_settings.h"

namespace kolibra {

// irfetch's dialog templates (resources/irfetch/irfetch.rsc), read once.
const ResourceSet& irfetch_templates();

class PropertiesDialogLogic : public dialog::DialogLogic {
public:
    // Shows `settings`; "..." asks `picker` for a file.
    PropertiesDialogLogic(const IrfetchSettings& settings, FilePicker& picker);

    // The settings as OK took them from the controls; before OK, the
    // settings given with the last "..." choice.
    const IrfetchSettings& settings() const { return settings_; }

protected:
    void on_init() override;
    void on_text_changed(int id) override;
    void on_clicked(int id) override;
    void on_ok() override;

private:
    // A file-save dialog that starts from the stored directory and name (not
    // what was typed since); the choice is cut at its last separator into
    // directory and name, stored and shown.
    void browse();
    void show_stored_file();

    IrfetchSettings settings_;
    FilePicker& picker_;
};

// The dialog as the run sees it, shown by either face's host.
class HostedIrfetchDialog : public IrfetchDialog {
public:
    HostedIrfetchDialog(dialog::DialogHost& host, FilePicker& picker) : host_(host), picker_(picker) {}
    bool edit(IrfetchSettings& settings) override;

private:
    dialog::DialogHost& host_;
    FilePicker& picker_;
};

}  // namespace kolibra
