#include "irfetch/qt/properties_dialog.h"

#include "common/qt/dialog_builder.h"
#include "common/tool_files.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

namespace kolibra {

namespace {

void fill_list(QComboBox* list, const QStringList& entries, int selected) {
    if (!list) return;
    list->clear();
    list->addItems(entries);
    list->setCurrentIndex(selected);
}

void set_box(const QDialog& dialog, int id, bool on) {
    if (auto* box = control_as<QCheckBox>(&dialog, id)) box->setChecked(on);
}

bool box_on(const QDialog& dialog, int id, bool fallback) {
    auto* box = control_as<QCheckBox>(&dialog, id);
    return box ? box->isChecked() : fallback;
}

int list_index(const QDialog& dialog, int id, int count, int fallback) {
    auto* list = control_as<QComboBox>(&dialog, id);
    if (!list) return fallback;
    int index = list->currentIndex();
    return index >= 0 && index < count ? index : fallback;
}

void set_edit(const QDialog& dialog, int id, const std::string& text, int max_length) {
    if (auto* edit = control_as<QLineEdit>(&dialog, id)) {
        edit->setMaxLength(max_length);
        edit->setText(QString::fromStdString(text));
    }
}

std::string edit_text(const QDialog& dialog, int id, std::size_t max_length,
                      const std::string& fallback) {
    auto* edit = control_as<QLineEdit>(&dialog, id);
    if (!edit) return fallback;
    // The edit counts characters, the setting bytes: drop whole characters
    // from the end until the bytes fit.
    QString text = edit->text();
    while (static_cast<std::size_t>(text.toUtf8().size()) > max_length) text.chop(1);
    return text.toStdString();
}

}  // namespace

PropertiesDialog::PropertiesDialog(const IrfetchSettings& settings, FilePicker& picker)
    : stored_(settings), picker_(picker) {
    dialog_.reset(build_dialog("PropertiesDlg", nullptr));
    if (!dialog_) dialog_ = std::make_unique<QDialog>();
    QDialog& d = *dialog_;
    set_edit(d, kDirectoryEdit, settings.directory, static_cast<int>(kIrfetchMaxDirectory));
    set_edit(d, kFileNameEdit, settings.file_name, static_cast<int>(kIrfetchMaxFileName));
    fill_list(control_as<QComboBox>(&d, kPortList),
              {"COM1", "COM2", "COM3", "COM4", "COM5", "COM6"}, settings.port_index);
    fill_list(control_as<QComboBox>(&d, kBaudList), {"115200", "57600", "38400", "19200", "9600"},
              settings.baud_index);
    fill_list(control_as<QComboBox>(&d, kFileModeList), {"Overwrite", "Append", "New name"},
              static_cast<int>(settings.file_mode));
    set_box(d, kAddCrBox, settings.add_cr);
    set_box(d, kAddLfBox, settings.add_lf);
    set_box(d, kShowMessagesBox, settings.show_messages);
    set_box(d, kViewDataBox, settings.view_data);
    set_box(d, kAlwaysShowBox, settings.always_show_dialog);
    if (auto* browse_button = control_as<QPushButton>(&d, kBrowseButton)) {
        QObject::connect(browse_button, &QPushButton::clicked, &d, [this] { browse(); });
    }
}

PropertiesDialog::~PropertiesDialog() = default;

IrfetchSettings PropertiesDialog::result() const {
    const QDialog& d = *dialog_;
    IrfetchSettings s = stored_;
    s.directory = edit_text(d, kDirectoryEdit, kIrfetchMaxDirectory, stored_.directory);
    s.file_name = edit_text(d, kFileNameEdit, kIrfetchMaxFileName, stored_.file_name);
    s.port_index = static_cast<uint8_t>(list_index(d, kPortList, 6, stored_.port_index));
    s.baud_index = static_cast<uint8_t>(list_index(d, kBaudList, 5, stored_.baud_index));
    s.file_mode = static_cast<FileMode>(
        list_index(d, kFileModeList, 3, static_cast<int>(stored_.file_mode)));
    s.add_cr = box_on(d, kAddCrBox, stored_.add_cr);
    s.add_lf = box_on(d, kAddLfBox, stored_.add_lf);
    s.show_messages = box_on(d, kShowMessagesBox, stored_.show_messages);
    s.view_data = box_on(d, kViewDataBox, stored_.view_data);
    s.always_show_dialog = box_on(d, kAlwaysShowBox, stored_.always_show_dialog);
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
    set_edit(*dialog_, kDirectoryEdit, stored_.directory, static_cast<int>(kIrfetchMaxDirectory));
    set_edit(*dialog_, kFileNameEdit, stored_.file_name, static_cast<int>(kIrfetchMaxFileName));
}

bool QtIrfetchDialog::edit(IrfetchSettings& settings) {
    PropertiesDialog dialog(settings, picker_);
    if (dialog.window()->exec() != QDialog::Accepted) return false;
    settings = dialog.result();
    return true;
}

}  // namespace kolibra
