// The controls of irfetch's settings dialog "PropertiesDlg" that its code
// uses, by number and kind.
#pragma once

#include "common/resource_script.h"

namespace kolibra::properties_dlg {

inline constexpr char kName[] = "PropertiesDlg";

inline constexpr ControlRef kDirectoryEdit{601, ControlKind::Edit};
inline constexpr ControlRef kFileNameEdit{602, ControlKind::Edit};
inline constexpr ControlRef kBrowseButton{501, ControlKind::Button};
inline constexpr ControlRef kPortList{701, ControlKind::DropDownList};
inline constexpr ControlRef kBaudList{702, ControlKind::DropDownList};
inline constexpr ControlRef kFileModeList{703, ControlKind::DropDownList};
inline constexpr ControlRef kAddCrBox{801, ControlKind::CheckBox};
inline constexpr ControlRef kAddLfBox{802, ControlKind::CheckBox};
inline constexpr ControlRef kShowMessagesBox{803, ControlKind::CheckBox};
inline constexpr ControlRef kViewDataBox{804, ControlKind::CheckBox};
inline constexpr ControlRef kAlwaysShowBox{805, ControlKind::CheckBox};

inline constexpr ControlRef kControls[] = {
    kDirectoryEdit, kFileNameEdit, kBrowseButton, kPortList,        kBaudList,
    kFileModeList,  kAddCrBox,     kAddLfBox,     kShowMessagesBox, kViewDataBox,
    kAlwaysShowBox, kOkButton,     kCancelButton,
};

}  // namespace kolibra::properties_dlg

namespace kolibra {

// Every dialog of irfetch whose controls its code uses.
inline constexpr DialogControls kIrfetchDialogControls[] = {
    {properties_dlg::kName, properties_dlg::kControls},
};

}  // namespace kolibra
