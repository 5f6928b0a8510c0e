// lkpsend's settings dialog "ComPropertiesDlg" as dialog logic: port, speed
// and the transceiver box. The Qt and Win32 faces show it through their
// binders and hold no rule of their own.
#pragma once

#include "common/dialog/dialog_logic.h"
#include "lkpsend/lkpsend_run.h"
#include "lkpsend/lkpsend_settings.h"

namespace kolibra {

// lkpsend's dialog templates (resources/lkpsend/lkpsend.rsc), read once.
const ResourceSet& lkpsend_templates();

class ComPropertiesDialogLogic : public dialog::DialogLogic {
public:
    explicit ComPropertiesDialogLogic(const LkpsendSettings& settings);

    // The box takes effect at each click, the two lists only with OK.
    const LkpsendSettings& settings() const { return settings_; }

protected:
    void on_init() override;
    void on_clicked(int id) override;
    void on_ok() override;

private:
    LkpsendSettings settings_;
};

// The dialog as the run sees it, shown by either face's host.
class HostedLkpsendDialog : public LkpsendDialog {
public:
    explicit HostedLkpsendDialog(dialog::DialogHost& host) : host_(host) {}
    bool edit(LkpsendSettings& settings) override;

private:
    dialog::DialogHost& host_;
};

}  // namespace kolibra
