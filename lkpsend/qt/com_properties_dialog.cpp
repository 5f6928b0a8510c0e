#include "lkpsend/qt/com_properties_dialog.h"

#include "common/qt/dialog_builder.h"
#include "model/choices.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>

namespace kolibra {

namespace {

std::unique_ptr<QDialog> build_com_properties_dialog() {
    std::unique_ptr<QDialog> dialog(build_dialog(com_properties_dlg::kName, nullptr));
    if (!dialog) {
        dialog = std::make_unique<QDialog>();
        dialog->setObjectName(com_properties_dlg::kName);
    }
    return dialog;
}

}  // namespace

ComPropertiesDialog::ComPropertiesDialog(const LkpsendSettings& settings)
    : dialog_(build_com_properties_dialog()), settings_(settings) {
    using namespace com_properties_dlg;
    QDialog& d = *dialog_;
    controls_ = Controls{resolve_control<QComboBox>(d, kPortList),
                         resolve_control<QComboBox>(d, kBaudList),
                         resolve_control<QCheckBox>(d, kTransceiverBox)};
    fill_list(*controls_.port, kComPortChoices, settings.port_index);
    fill_list(*controls_.baud, kComBaudChoices, settings.baud_index);
    controls_.transceiver->setChecked(settings.use_transceiver);
    QObject::connect(controls_.transceiver, &QCheckBox::toggled, &d,
                     [this](bool on) { settings_.use_transceiver = on; });
}

ComPropertiesDialog::~ComPropertiesDialog() = default;

LkpsendSettings ComPropertiesDialog::result() const {
    LkpsendSettings s = settings_;
    s.port_index = static_cast<uint8_t>(list_index(*controls_.port, settings_.port_index));
    s.baud_index = static_cast<uint8_t>(list_index(*controls_.baud, settings_.baud_index));
    return s;
}

bool QtLkpsendDialog::edit(LkpsendSettings& settings) {
    ComPropertiesDialog dialog(settings);
    bool ok = dialog.window()->exec() == QDialog::Accepted;
    // The box takes effect at once, OK or not; the lists only with OK.
    settings.use_transceiver = dialog.result().use_transceiver;
    if (ok) settings = dialog.result();
    return ok;
}

}  // namespace kolibra
