// The Settings page: the terminal's password, its twelve protection flags
// and its initial system settings, on a private copy of SystemSettings that
// the commit writes back whole (the bytes without a control carried through).
// Its button opens the keyboard wedge dialog.
#pragma once

#include "editor/sheet.h"

namespace kolibra::editor {

namespace settings_control {
constexpr int kPassword = 601;
constexpr int kFirstProtect = 101;  // 101 to 112: the twelve protect flags
constexpr int kUploadPort = 701, kDownloadPort = 702, kBaudRate = 703, kBacklight = 704,
              kDataDeletion = 705, kRecordPrompting = 706;
constexpr int kWedgeButton = 201;
}  // namespace settings_control

class SettingsPage : public PageLogic {
public:
    explicit SettingsPage(EditorContext& context);

    const SystemSettings& working_settings() const { return settings_; }
    void commit() override;

protected:
    void on_init() override;
    void on_text_changed(int id) override;
    void on_clicked(int id) override;
    void on_selected(int id) override;

private:
    uint8_t* list_field(int id);

    SystemSettings settings_{};
};

}  // namespace kolibra::editor
