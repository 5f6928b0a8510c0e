#include "shell/gui/com_settings_dialog.h"

#include "common/qt/dialog_builder.h"

#include <QComboBox>
#include <QDialog>

#include <memory>

namespace kolibra {

bool run_com_settings_dialog(QWidget* owner, CommSettings& comm) {
    std::unique_ptr<QDialog> dialog(build_dialog("ComSettingDlg", owner));
    if (!dialog) return false;
    auto* port = control_as<QComboBox>(dialog.get(), 701);
    auto* baud = control_as<QComboBox>(dialog.get(), 702);
    if (!port || !baud) return false;
    port->addItems({"COM1", "COM2", "COM3", "COM4", "COM5", "COM6"});
    baud->addItems({"115200", "57600", "38400", "19200", "9600"});
    // A damaged template may hold an index past the lists; it shows as the first entry.
    port->setCurrentIndex(comm.com_port < port->count() ? comm.com_port : 0);
    baud->setCurrentIndex(comm.com_baud < baud->count() ? comm.com_baud : 0);
    if (dialog->exec() != QDialog::Accepted) return false;
    comm.com_port = static_cast<uint8_t>(port->currentIndex());
    comm.com_baud = static_cast<uint8_t>(baud->currentIndex());
    return true;
}

}  // namespace kolibra
