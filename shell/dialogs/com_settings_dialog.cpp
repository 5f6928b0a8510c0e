#include "shell/dialogs/com_settings_dialog.h"

#include "model/choices.h"
#include "shell/dialog_controls.h"
#include "shell/document/tgen_resources.h"

namespace kolibra {

using namespace com_setting_dlg;

ComSettingsDialogLogic::ComSettingsDialogLogic(TemplateDocument& doc)
    : DialogLogic(required_dialog(tgen_resources(), kName)), doc_(doc) {}

void ComSettingsDialogLogic::on_init() {
    set_entries(kPortList.id, kComPortChoices);
    set_entries(kBaudList.id, kComBaudChoices);
    // A damaged template may hold an index past the lists; it shows as the
    // first entry, and OK stores what is shown.
    select_or_first(kPortList.id, doc_.tpl.comm.com_port);
    select_or_first(kBaudList.id, doc_.tpl.comm.com_baud);
}

void ComSettingsDialogLogic::on_ok() {
    CommSettings chosen = doc_.tpl.comm;
    if (selection(kPortList.id) >= 0) chosen.com_port = static_cast<uint8_t>(selection(kPortList.id));
    if (selection(kBaudList.id) >= 0) chosen.com_baud = static_cast<uint8_t>(selection(kBaudList.id));
    changed_ = chosen.com_port != doc_.tpl.comm.com_port || chosen.com_baud != doc_.tpl.comm.com_baud;
    if (!changed_) return;
    doc_.tpl.comm = chosen;
    doc_.modified = true;
}

}  // namespace kolibra
