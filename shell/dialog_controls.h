// The controls of tgen's dialogs that its code uses, by number and kind.
// A new dialog adds its table to kTgenDialogControls, so the check over the
// resource scripts holds its template to what the code expects.
#pragma once

#include "common/resource_script.h"

namespace kolibra {

namespace com_setting_dlg {
inline constexpr char kName[] = "ComSettingDlg";
inline constexpr ControlRef kPortList{701, ControlKind::DropDownList};
inline constexpr ControlRef kBaudList{702, ControlKind::DropDownList};
inline constexpr ControlRef kControls[] = {kPortList, kBaudList, kOkButton, kCancelButton};
}  // namespace com_setting_dlg

namespace about_box {
inline constexpr char kName[] = "AboutBox";
// Only OK closes the box.
inline constexpr ControlRef kControls[] = {kOkButton};
}  // namespace about_box

inline constexpr DialogControls kTgenDialogControls[] = {
    {com_setting_dlg::kName, com_setting_dlg::kControls},
    {about_box::kName, about_box::kControls},
};

}  // namespace kolibra
