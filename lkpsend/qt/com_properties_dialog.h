// The settings dialog "ComPropertiesDlg": port, speed and the transceiver
// box, a thin layer over LkpsendSettings.
#pragma once

#include "lkpsend/lkpsend_run.h"

#include <memory>

class QDialog;

namespace kolibra {

enum ComPropertiesControl {
    kComPortList = 101,
    kComBaudList = 102,
    kTransceiverBox = 103,
};

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
    LkpsendSettings settings_;
};

class QtLkpsendDialog : public LkpsendDialog {
public:
    bool edit(LkpsendSettings& settings) override;
};

}  // namespace kolibra
