#include "irfetch/qt/properties_dialog.h"

#include "common/qt/dialog_builder.h"
#include "common/tool_files.h"
#include "model/choices.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

namespace kolibra {

namespace {

std::unique_ptr<QDialog> build_properties_dialog() {
    std::unique_ptr<QDialog> dialog(build_dialog(properties_dlg::kName, nullptr));
    if (!dialog) {
        dialog = std::make_unique<QDialog>();
        dialog->setObjectName(properties_dlg::kName);
    }
    return dialog;
}

void set_edit(QLineEdit& edit, const std::string& text, std::size_t max_length) {
    edit.setMaxLength(static_cast<int>(max_length));
    edit.setText(QString::fromStdString(text));
}

std::string edit_text(const QLineEdit& edit, std::size_t max_length) {
    // The edit counts characters, the setting bytes: drop whole characters
    // from the end until the bytes fit.
    QString text = edit.text();
    while (static_cast<std::size_t>(text.toUtf8().size()) > max_length) text.chop(1);
    return text.toStdString();
}

}  // namespace

PropertiesDialog::PropertiesDialog(const IrfetchSettings& settings, FilePicker& picker)
    : dialog_(build_properties_dialog()), stored_(settings), picker_(picker) {
    using namespace properties_dlg;
    QDialog& d = *dialog_;
    controls_ = Controls{
        resolve_control<QLineEdit>(d, kDirectoryEdit),   resolve_control<QLineEdit>(d, kFileNameEdit),
        resolve_control<QPushButton>(d, kBrowseButton),  resolve_control<QComboBox>(d, kPortList),
        resolve_control<QComboBox>(d, kBaudList),        resolve_control<QComboBox>(d, kFileModeList),
        resolve_control<QCheckBox>(d, kAddCrBox),        resolve_control<QCheckBox>(d, kAddLfBox),
        resolve_control<QCheckBox>(d, kShowMessagesBox), resolve_control<QCheckBox>(d, kViewDataBox),
        resolve_control<QCheckBox>(d, kAlwaysShowBox),
    };
    const Controls& c = controls_;
    show_file();
    fill_list(*c.port, kComPortChoices, settings.port_index);
    fill_list(*c.baud, kComBaudChoices, settings.baud_index);
    fill_list(*c.file_mode, kDataFileModeChoices, static_cast<int>(settings.file_mode));
    c.add_cr->setChecked(settings.add_cr);
    c.add_lf->setChecked(settings.add_lf);
    c.show_messages->setChecked(settings.show_messages);
    c.view_data->setChecked(settings.view_data);
    c.always_show->setChecked(settings.always_show_dialog);
    QObject::connect(c.browse, &QPushButton::clicked, &d, [this] { browse(); });
}

PropertiesDialog::~PropertiesDialog() = default;

void PropertiesDialog::show_file() {
    set_edit(*controls_.directory, stored_.directory, kIrfetchMaxDirectory);
    set_edit(*controls_.file_name, stored_.file_name, kIrfetchMaxFileName);
}

IrfetchSettings PropertiesDialog::result() const {
    const Controls& c = controls_;
    IrfetchSettings s = stored_;
    s.directory = edit_text(*c.directory, kIrfetchMaxDirectory);
    s.file_name = edit_text(*c.file_name, kIrfetchMaxFileName);
    s.port_index = static_cast<uint8_t>(list_index(*c.port, stored_.port_index));
    s.baud_index = static_cast<uint8_t>(list_index(*c.baud, stored_.baud_index));
    s.file_mode = static_cast<FileMode>(list_index(*c.file_mode, static_cast<int>(stored_.file_mode)));
    s.add_cr = c.add_cr->isChecked();
    s.add_lf = c.add_lf->isChecked();
    s.show_messages = c.show_messages->isChecked();
    s.view_data = c.view_data->isChecked();
    s.always_show_dialog = c.always_show->isChecked();
    return s;
}

void PropertiesDialog::browse() {
    FileDialogRequest request;
    request.filters = {{"Data Files (*.TXT)", "*.TXT"}, {"All Files (*.*)", "*.*"}};
    request.start_folder = stored_.directory;
    request.file_name = stored_.file_name;
    request.default_extension = "TXT";
    request.path_must_exist = true;
    request.confirm_overwrite = false;
    std::optional<std::string> chosen = picker_.choose_save(request);
    if (!chosen) return;
    PathParts parts = split_at_last_separator(*chosen);
    // A file in the root folder keeps the root as its folder; an empty one
    // would name a file in the current folder instead.
    if (parts.directory.empty() && !chosen->empty() && is_path_separator(chosen->front())) {
        parts.directory = std::string(1, chosen->front());
    }
    // A choice the settings cannot hold is not taken; cutting it would name
    // another file.
    if (parts.directory.size() > kIrfetchMaxDirectory || parts.name.size() > kIrfetchMaxFileName) {
        return;
    }
    stored_.directory = parts.directory;
    stored_.file_name = parts.name;
    show_file();
}

bool QtIrfetchDialog::edit(IrfetchSettings& settings) {
    PropertiesDialog dialog(settings, picker_);
    if (dialog.window()->exec() != QDialog::Accepted) return false;
    settings = dialog.result();
    return true;
}

}  // namespace kolibra
