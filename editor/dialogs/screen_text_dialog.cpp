#include "editor/dialogs/screen_text_dialog.h"

#include "editor/editor_templates.h"
#include "model/text_slot.h"

namespace kolibra::editor {

namespace {

constexpr ScreenTextLayout kLayouts[kPageTextCount] = {
    {PageId::Welcome, "WelcomePageDlg"},
    {PageId::Main, "MainPageDlg"},
    {PageId::Utility, "UtilityPageDlg"},
    {PageId::Delete, "DeletePageDlg"},
    {PageId::Confirm, "ConfirmPageDlg"},
    {PageId::Memory, "MemoryPageDlg"},
    {PageId::Lookup, "LookupPageDlg"},
    {PageId::Settings, "SettingsPageDlg"},
    {PageId::Upload, "UploadPageDlg"},
    {PageId::Download, "DownloadPageDlg"},
    {PageId::BaudRate, "BaudRatePageDlg"},
    {PageId::Backlight, "BacklightPageDlg"},
    {PageId::DataErase, "DataErasePageDlg"},
    {PageId::RecordPrompt, "RecordPromptPageDlg"},
    {PageId::ViewSettings, "ViewSettingsPageDlg"},
    {PageId::Connecting, "ConnectingMsgDlg"},
    {PageId::Error, "ErrorMsgDlg"},
    {PageId::Misc, "MiscMsgDlg"},
};

// The Welcome screen's first and last lines name the terminal and its
// program version; the dialog puts them back whenever it opens.
constexpr int kWelcomeNameLine = 0;
constexpr int kWelcomeVersionLine = 3;
constexpr char kWelcomeName[] = "   Kolibra 2   ";
constexpr char kWelcomeVersion[] = "  Version 4.23 ";

}  // namespace

const ScreenTextLayout& screen_text_layout(PageId page) { return kLayouts[static_cast<int>(page)]; }

ScreenTextDialog::ScreenTextDialog(EditorContext& context, PageId page)
    : EditorDialog(context, editor_template(screen_text_layout(page).template_name)),
      page_(page),
      lines_(page_text_info(page).lines),
      width_(static_cast<std::size_t>(page_text_info(page).width)) {}

bool ScreenTextDialog::editable(int line) const {
    return page_ != PageId::Welcome || (line != kWelcomeNameLine && line != kWelcomeVersionLine);
}

void ScreenTextDialog::on_init() {
    const PageTextInfo& info = page_text_info(page_);
    if (page_ == PageId::Welcome) {
        // Written whatever the dialog's outcome; modified only when a byte changed.
        context().write_template([&](Template& t) {
            write_slot(page_slot(t, page_, kWelcomeNameLine), info.slot_size, kWelcomeName);
            write_slot(page_slot(t, page_, kWelcomeVersionLine), info.slot_size, kWelcomeVersion);
        });
    }
    for (int k = 0; k < lines_; ++k) {
        set_text(kFirstLineEdit + k, read_slot(page_slot(tpl(), page_, k), info.slot_size));
        set_enabled(kFirstLineEdit + k, editable(k));
    }
}

void ScreenTextDialog::on_text_changed(int id) {
    const std::string& typed = text(id);
    if (typed.size() > width_) set_text(id, typed.substr(0, width_));
}

void ScreenTextDialog::on_ok() {
    const PageTextInfo& info = page_text_info(page_);
    // The Welcome dialog stores its first three lines, the forced first one
    // included; every other dialog all the lines it shows. Slots without an
    // edit are not touched.
    const int stored = page_ == PageId::Welcome ? kWelcomeVersionLine : lines_;
    context().write_template([&](Template& t) {
        for (int k = 0; k < stored; ++k)
            write_slot(page_slot(t, page_, k), info.slot_size, cut_text(text(kFirstLineEdit + k), width_));
    });
}

}  // namespace kolibra::editor
