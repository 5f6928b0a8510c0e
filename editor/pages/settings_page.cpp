#include "editor/pages/settings_page.h"

#include "editor/dialogs/wedge_dialog.h"
#include "editor/editor_templates.h"
#include "model/text_slot.h"

#include <algorithm>
#include <iterator>

namespace kolibra::editor {

using namespace settings_control;

namespace {

constexpr std::size_t kPasswordChars = sizeof Template{}.password;
constexpr int kProtectCount = static_cast<int>(std::size(SystemSettings{}.protect));

}  // namespace

SettingsPage::SettingsPage(EditorContext& context)
    : PageLogic(context, editor_template("SETTINGSDLG")) {}

void SettingsPage::on_init() {
    settings_ = tpl().system;
    set_text(kPassword, read_slot(tpl().password, kPasswordChars));
    for (int i = 0; i < kProtectCount; ++i) set_checked(kFirstProtect + i, settings_.protect[i] != 0);
    set_entries(kUploadPort, kUploadPortChoices);
    set_entries(kDownloadPort, kDownloadPortChoices);
    set_entries(kBaudRate, kBaudRateChoices);
    set_entries(kBacklight, kBacklightChoices);
    set_entries(kDataDeletion, kDataDeletionChoices);
    set_entries(kRecordPrompting, kRecordPromptingChoices);
    for (int id = kUploadPort; id <= kRecordPrompting; ++id) select(id, *list_field(id));
}

uint8_t* SettingsPage::list_field(int id) {
    switch (id) {
    case kUploadPort: return &settings_.upload_port;
    case kDownloadPort: return &settings_.download_port;
    case kBaudRate: return &settings_.baud_rate;
    case kBacklight: return &settings_.backlight;
    case kDataDeletion: return &settings_.data_deletion;
    case kRecordPrompting: return &settings_.record_prompting;
    default: return nullptr;
    }
}

void SettingsPage::on_text_changed(int id) {
    // Any character is accepted; only the length is held to the slot.
    if (id == kPassword && text(id).size() > kPasswordChars)
        set_text(id, std::string(cut_text(text(id), kPasswordChars)));
}

void SettingsPage::on_clicked(int id) {
    if (id >= kFirstProtect && id < kFirstProtect + kProtectCount) {
        settings_.protect[id - kFirstProtect] = checked(id) ? 1 : 0;
    } else if (id == kWedgeButton) {
        WedgeDialog dialog(context());
        run_modal(dialog);
    }
}

void SettingsPage::on_selected(int id) {
    if (uint8_t* field = list_field(id)) *field = static_cast<uint8_t>(selection(id));
}

void SettingsPage::commit() {
    Template& t = tpl();
    // All ten bytes: a shorter password is followed by zeros, so no part of
    // an older, longer one stays in the template.
    const std::string_view typed = cut_text(text(kPassword), kPasswordChars);
    std::fill(std::begin(t.password), std::end(t.password), uint8_t{0});
    std::copy(typed.begin(), typed.end(), std::begin(t.password));
    t.system = settings_;
}

}  // namespace kolibra::editor
