// The controls of lkpsend's settings dialog "ComPropertiesDlg" that its code
// uses, by number and kind.
#pragma once

#include "common/resource_script.h"

namespace kolibra::com_properties_dlg {

inline constexpr char kName[] = "ComPropertiesDlg";

inline constexpr ControlRef kPortList{101, ControlKind::DropDownList};
inline constexpr ControlRef kBaudList{102, ControlKind::DropDownList};
inline constexpr ControlRef kTransceiverBox{103, ControlKind::CheckBox};

inline constexpr ControlRef kControls[] = {
    kPortList, kBaudList, kTransceiverBox, kOkButton, kCancelButton,
};

}  // namespace kolibra::com_properties_dlg

namespace kolibra {

// Every dialog of lkpsend whose controls its code uses.
inline constexpr DialogControls kLkpsendDialogControls[] = {
    {com_properties_dlg::kName, com_properties_dlg::kControls},
};

}  // namespace kolibra
