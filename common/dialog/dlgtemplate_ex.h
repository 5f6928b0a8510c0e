// Our dialog templates as Windows' in-memory extended dialog templates
// (DLGTEMPLATEEX followed by one DLGITEMTEMPLATEEX per control), the bytes
// CreateDialogIndirectParamW takes. Toolkit-free, so the layout is tested on
// every system; only the Win32 face hands the bytes to Windows.
//
// Usage (Win32 face):
//   DlgTemplateBytes bytes = serialize_dlgtemplate_ex(tmpl, {DlgTemplateRole::Modal});
//   HWND dialog = CreateDialogIndirectParamW(instance,
//       reinterpret_cast<const DLGTEMPLATE*>(bytes.data()), owner, proc, param);
//
// Layout rules the bytes follow: every item begins on a 4-byte boundary of
// the storage (kept in 32-bit words, so the memory address is aligned too:
// Windows silently refuses a template copied to an address 2 mod 4); texts are
// UTF-16 with a terminating zero; classes are the predefined ordinals
// (0xFFFF, 0x80..0x85) or a class name such as "msctls_progress32"; the
// creation data count after each item is in bytes and always 0 here.
// Positions and sizes stay in dialog units, with the template's own font.
// Texts are bytes of code page 1252, as everywhere in the dialogs.
#pragma once

#include "common/resource_script.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kolibra::dialog {

// The window style bits the serialiser uses, with Windows' values, so the
// toolkit-free code and its tests need no Windows header.
namespace style {
constexpr std::uint32_t kChild = 0x40000000;        // WS_CHILD
constexpr std::uint32_t kPopup = 0x80000000;        // WS_POPUP
constexpr std::uint32_t kVisible = 0x10000000;      // WS_VISIBLE
constexpr std::uint32_t kDisabled = 0x08000000;     // WS_DISABLED
constexpr std::uint32_t kCaption = 0x00C00000;      // WS_CAPTION
constexpr std::uint32_t kBorder = 0x00800000;       // WS_BORDER
constexpr std::uint32_t kVScroll = 0x00200000;      // WS_VSCROLL
constexpr std::uint32_t kSysMenu = 0x00080000;      // WS_SYSMENU
constexpr std::uint32_t kGroup = 0x00020000;        // WS_GROUP
constexpr std::uint32_t kTabStop = 0x00010000;      // WS_TABSTOP
constexpr std::uint32_t kSetFont = 0x00000040;      // DS_SETFONT
constexpr std::uint32_t kModalFrame = 0x00000080;   // DS_MODALFRAME
constexpr std::uint32_t kControlPage = 0x00000400;  // DS_CONTROL
constexpr std::uint32_t kCenter = 0x00000800;       // DS_CENTER
}  // namespace style

// Class ordinals of the predefined window classes.
enum class ControlClass : std::uint16_t {
    Button = 0x80, Edit = 0x81, Static = 0x82, ListBox = 0x83, ScrollBar = 0x84, ComboBox = 0x85,
    // Not an ordinal: a class named by string (the progress bar).
    Named = 0
};

constexpr char kProgressClassName[] = "msctls_progress32";

enum class DlgTemplateRole {
    Modal,     // a window of its own, with caption and close box, centred
    Page,      // a child of another window (a sheet's page)
    Progress,  // a window of its own with a caption but no close box
};

struct DlgTemplateOptions {
    DlgTemplateRole role = DlgTemplateRole::Modal;
};

// The class and style a control of `c`'s kind is created with (WS_GROUP is
// added by the serialiser from the control's place in the template).
struct ControlClassStyle {
    ControlClass klass = ControlClass::Static;
    std::string class_name;  // Named only
    std::uint32_t style = 0;
};
ControlClassStyle control_class_style(const ControlTemplate& c);

// The header's style for a role (DS_SETFONT is added when the template names a font).
std::uint32_t dialog_style(DlgTemplateRole role);

// A template in 32-bit words: the storage is aligned for Windows as it is.
struct DlgTemplateBytes {
    std::vector<std::uint32_t> words;
    std::size_t size = 0;  // in bytes; the last word may hold padding
    const void* data() const { return words.data(); }
    const std::uint8_t* bytes() const { return reinterpret_cast<const std::uint8_t*>(words.data()); }
};

DlgTemplateBytes serialize_dlgtemplate_ex(const DialogTemplate& tmpl, const DlgTemplateOptions& options);

// Dialog texts to UTF-16 and back with code page 1252: bytes 0x80..0x9F are
// the printable characters Windows puts there (0x80 is the euro sign), the
// rest is Latin-1. A character code page 1252 lacks becomes '?'; the five
// bytes it leaves undefined map to the control characters of the same value
// and back, so any byte survives the round trip.
std::u16string cp1252_to_utf16(std::string_view bytes);
std::string utf16_to_cp1252(std::u16string_view text);

}  // namespace kolibra::dialog
