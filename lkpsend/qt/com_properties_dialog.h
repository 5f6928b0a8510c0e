// The settings dialog "ComPropertiesDlg": port, speed and the transceiver
// box, a thin layer over LkpsendSettings.
#pragma once

#include "lkpsend/com_properties_dialog_controls.h"
#include "lkpsend/lkpsend_run.h"

#include <memory>

class QCheckBox;
class QComboBox;
class QDialog;

namespace kolibra {

class ComPropertiesDialog {
public:
    explicit ComPropertiesDialog(const LkpsendSettings& settings);
    ~ComPropertiesDialog();

    QDialog* window() const { return dialog_.get(); }
    // The settings as "OK" takes them: the two list positions, and the box
    // as it was last clicked (a click takes effect at once).
    LkpsendSettings result() const;

private:
    std::unique_ptr<QDialog> dialog_;
    // The controls the code uses, resolved when the dialog is built.
    struct Controls {
        QComboBox* port;
        QComboBox* baud;
        QCheckBox* transceiver;
    } controls_;
    LkpsendSettings settings_;
};

class QtLkpsendDialog : public LkpsendDialog {
public:
    bool edit(LkpsendSettings& settings) override;
};

}  // namespace kolibra
