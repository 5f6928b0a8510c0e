// The generator's "COM port settings..." dialog "ComSettingDlg" as dialog
// logic: port COM1..COM6 and speed 115200..9600 of the template's
// CommSettings. The port settings travel in the template file, so an OK that
// changes them marks the template changed.
#pragma once

#include "common/dialog/dialog_logic.h"
#include "model/template.h"

namespace kolibra {

class ComSettingsDialogLogic : public dialog::DialogLogic {
public:
    explicit ComSettingsDialogLogic(TemplateDocument& doc);

    // True after an OK that changed a byte of CommSettings.
    bool changed() const { return changed_; }

protected:
    void on_init() override;
    void on_ok() override;

private:
    TemplateDocument& doc_;
    bool changed_ = false;
};

}  // namespace kolibra
