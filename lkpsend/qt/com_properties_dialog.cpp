#include "lkpsend/qt/com_properties_dialog.h"

#include "common/qt/dialog_builder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>

namespace kolibra {

namespace {

void fill_list(QComboBox* list, const QStringList& entries, int selected) {
    if (!list) return;
    list->addItems(entries);
    list->setCurrentIndex(selected);
}

int list_index(const QDialog& dialog, int id, int count, int fallback) {
    auto* list = control_as<QComboBox>(&dialog, id);
    if (!list) return fallback;
    int index = list->currentIndex();
    return index >= 0 && index < count ? index : fallback;
}

}  // namespace

ComPropertiesDialog::ComPropertiesDialog(const LkpsendSettings& settings) : settings_(settings) {
    dialog_.reset(build_dialog("ComPropertiesDlg", nullptr));
    if (!dialog_) dialog_ = std::make_unique<QDialog>();
    fill_list(control_as<QComboBox>(dialog_.get(), kComPortList),
              {"COM1", "COM2", "COM3", "COM4", "COM5", "COM6"}, settings.port_index);
    fill_list(control_as<QComboBox>(dialog_.get(), kComBaudList),
              {"115200", "57600", "38400", "19200", "9600"}, settings.baud_index);
    if (auto* box = control_as<QCheckBox>(dialog_.get(), kTransceiverBox)) {
        box->setChecked(settings.use_transceiver);
        QObject::connect(box, &QCheckBox::toggled, dialog_.get(),
                         [this](bool on) { settings_.use_transceiver = on; });
    }
}

ComPropertiesDialog::~ComPropertiesDialog() = default;

LkpsendSettings ComPropertiesDialog::result() const {
    LkpsendSettings s = settings_;
    s.port_index = static_cast<uint8_t>(list_index(*dialog_, kComPortList, 6, settings_.port_index));
    s.baud_index = static_cast<uint8_t>(list_index(*dialog_, kComBaudList, 5, settings_.baud_index));
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
