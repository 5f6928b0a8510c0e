#include "shell/qt/com_settings_dialog.h"

#include "common/qt/dialog_builder.h"
#include "model/choices.h"
#include "shell/dialog_controls.h"

#include <QComboBox>
#include <QDialog>

#include <memory>

namespace kolibra {

bool run_com_settings_dialog(QWidget* owner, CommSettings& comm) {
    using namespace com_setting_dlg;
    std::unique_ptr<QDialog> dialog(build_dialog(kName, owner));
    if (!dialog) return false;
    QComboBox* port = resolve_control<QComboBox>(*dialog, kPortList);
    QComboBox* baud = resolve_control<QComboBox>(*dialog, kBaudList);
    // A damaged template may hold an index past the lists; it shows as the first entry.
    fill_list(*port, kComPortChoices, comm.com_port);
    fill_list(*baud, kComBaudChoices, comm.com_baud);
    if (dialog->exec() != QDialog::Accepted) return false;
    comm.com_port = static_cast<uint8_t>(list_index(*port, 0));
    comm.com_baud = static_cast<uint8_t>(list_index(*baud, 0));
    return true;
}

}  // namespace kolibra
