#include "irfetch/properties_dialog.h"

#include "common/tool_files.h"
#include "irfetch/properties_dialog_controls.h"
#include "model/choices.h"
#include "resources/embedded_scripts.h"

namespace kolibra {

using namespace properties_dlg;

const ResourceSet& irfetch_templates() {
    static const ResourceSet set = load_resource_script("irfetch.rsc", irfetch_resource_script());
    return set;
}

PropertiesDialogLogic::PropertiesDialogLogic(const IrfetchSettings& settings, FilePicker& picker)
    : DialogLogic(required_dialog(irfetch_templates(), kName)), settings_(settings), picker_(picker) {}

void PropertiesDialogLogic::on_init() {
    show_stored_file();
    set_entries(kPortList.id, kComPortChoices);
    set_entries(kBaudList.id, kComBaudChoices);
    set_entries(kFileModeList.id, kDataFileModeChoices);
    select_or_first(kPortList.id, settings_.port_index);
    select_or_first(kBaudList.id, settings_.baud_index);
    select_or_first(kFileModeList.id, static_cast<int>(settings_.file_mode));
    set_checked(kAddCrBox.id, settings_.add_cr);
    set_checked(kAddLfBox.id, settings_.add_lf);
    set_checked(kShowMessagesBox.id, settings_.show_messages);
    set_checked(kViewDataBox.id, settings_.view_data);
    set_checked(kAlwaysShowBox.id, settings_.always_show_dialog);
}

void PropertiesDialogLogic::show_stored_file() {
    set_text(kDirectoryEdit.id, settings_.directory);
    set_text(kFileNameEdit.id, settings_.file_name);
}

void PropertiesDialogLogic::on_text_changed(int id) {
    // The boxes hold no more than the settings do, as an edit control with
    // a text limit: what goes past the limit is dropped.
    const std::size_t limit = id == kDirectoryEdit.id  ? kIrfetchMaxDirectory
                              : id == kFileNameEdit.id ? kIrfetchMaxFileName
                                                       : 0;
    if (limit > 0 && text(id).size() > limit) set_text(id, text(id).substr(0, limit));
}

void PropertiesDialogLogic::on_clicked(int id) {
    if (id == kBrowseButton.id) browse();
}

void PropertiesDialogLogic::browse() {
    FileDialogRequest request;
    request.filters = {{"Data Files (*.TXT)", "*.TXT"}, {"All Files (*.*)", "*.*"}};
    request.start_folder = settings_.directory;
    request.file_name = settings_.file_name;
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
    if (parts.directory.size() > kIrfetchMaxDirectory || parts.name.size() > kIrfetchMaxFileName) return;
    settings_.directory = parts.directory;
    settings_.file_name = parts.name;
    show_stored_file();
}

void PropertiesDialogLogic::on_ok() {
    IrfetchSettings& s = settings_;
    s.directory = text(kDirectoryEdit.id);
    s.file_name = text(kFileNameEdit.id);
    // A list without a selection keeps the setting it opened with.
    if (selection(kPortList.id) >= 0) s.port_index = static_cast<uint8_t>(selection(kPortList.id));
    if (selection(kBaudList.id) >= 0) s.baud_index = static_cast<uint8_t>(selection(kBaudList.id));
    if (selection(kFileModeList.id) >= 0) s.file_mode = static_cast<FileMode>(selection(kFileModeList.id));
    s.add_cr = checked(kAddCrBox.id);
    s.add_lf = checked(kAddLfBox.id);
    s.show_messages = checked(kShowMessagesBox.id);
    s.view_data = checked(kViewDataBox.id);
    s.always_show_dialog = checked(kAlwaysShowBox.id);
}

bool HostedIrfetchDialog::edit(IrfetchSettings& settings) {
    PropertiesDialogLogic dialog(settings, picker_);
    if (host_.run_modal(dialog) != dialog::kResultOk) return false;
    settings = dialog.settings();
    return true;
}

}  // namespace kolibra
