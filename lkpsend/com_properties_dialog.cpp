#include "lkpsend/com_properties_dialog.h"

#include "lkpsend/com_properties_dialog_controls.h"
#include "model/choices.h"
#include "resources/embedded_scripts.h"

namespace kolibra {

using namespace com_properties_dlg;

const ResourceSet& lkpsend_templates() {
    static const ResourceSet set = load_resource_script("lkpsend.rsc", lkpsend_resource_script());
    return set;
}

ComPropertiesDialogLogic::ComPropertiesDialogLogic(const LkpsendSettings& settings)
    : DialogLogic(required_dialog(lkpsend_templates(), kName)), settings_(settings) {}

void ComPropertiesDialogLogic::on_init() {
    set_entries(kPortList.id, kComPortChoices);
    set_entries(kBaudList.id, kComBaudChoices);
    select_or_first(kPortList.id, settings_.port_index);
    select_or_first(kBaudList.id, settings_.baud_index);
    set_checked(kTransceiverBox.id, settings_.use_transceiver);
}

void ComPropertiesDialogLogic::on_clicked(int id) {
    if (id == kTransceiverBox.id) settings_.use_transceiver = checked(id);
}

void ComPropertiesDialogLogic::on_ok() {
    if (selection(kPortList.id) >= 0) settings_.port_index = static_cast<uint8_t>(selection(kPortList.id));
    if (selection(kBaudList.id) >= 0) settings_.baud_index = static_cast<uint8_t>(selection(kBaudList.id));
}

bool HostedLkpsendDialog::edit(LkpsendSettings& settings) {
    ComPropertiesDialogLogic dialog(settings);
    const bool ok = host_.run_modal(dialog) == dialog::kResultOk;
    // Cancel ends the run, but what the box took stays taken.
    settings = dialog.settings();
    return ok;
}

}  // namespace kolibra
