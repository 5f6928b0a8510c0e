#include "common/dialog/dlgtemplate_ex.h"

#include "common/dialog/dialog_state.h"

#include <array>
#include <cstring>

namespace kolibra::dialog {

namespace {

// Control styles with Windows' values.
constexpr std::uint32_t kStaticLeft = 0x0, kStaticCenter = 0x1, kStaticRight = 0x2;
constexpr std::uint32_t kStaticIcon = 0x3, kStaticRealSizeControl = 0x40;
constexpr std::uint32_t kEditMultiline = 0x4, kEditPassword = 0x20, kEditAutoVScroll = 0x40,
                        kEditAutoHScroll = 0x80, kEditReadOnly = 0x800, kEditWantReturn = 0x1000,
                        kEditNumber = 0x2000;
constexpr std::uint32_t kComboDropDown = 0x2, kComboDropDownList = 0x3, kComboAutoHScroll = 0x40;
constexpr std::uint32_t kListNotify = 0x1, kListNoIntegralHeight = 0x100;
constexpr std::uint32_t kPushButton = 0x0, kDefPushButton = 0x1, kAutoCheckBox = 0x3,
                        kGroupBox = 0x7, kAutoRadioButton = 0x9;
constexpr std::uint16_t kFontWeightNormal = 400;
constexpr std::uint8_t kDefaultCharset = 1;

// Code page 1252's characters for bytes 0x80..0x9F; the five bytes it leaves
// undefined keep their own value.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// Appends little-endian values and UTF-16 texts to a byte image.
class Writer {
public:
    void u8(std::uint8_t v) { bytes_.push_back(v); }
    void u16(std::uint16_t v) {
        u8(static_cast<std::uint8_t>(v & 0xFF));
        u8(static_cast<std::uint8_t>(v >> 8));
    }
    void u32(std::uint32_t v) {
        u16(static_cast<std::uint16_t>(v & 0xFFFF));
        u16(static_cast<std::uint16_t>(v >> 16));
    }
    void i16(int v) { u16(static_cast<std::uint16_t>(static_cast<std::int16_t>(v))); }
    void text(std::u16string_view s) {
        for (char16_t c : s) u16(c);
        u16(0);
    }
    void align4() {
        while (bytes_.size() % 4 != 0) u8(0);
    }
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
};

std::u16string ascii(std::string_view s) { return std::u16string(s.begin(), s.end()); }

}  // namespace

ControlClassStyle control_class_style(const ControlTemplate& c) {
    ControlClassStyle out;
    std::uint32_t& s = out.style;
    s = style::kChild;
    if (!(c.flags & kControlHidden)) s |= style::kVisible;
    if (c.flags & kControlDisabled) s |= style::kDisabled;
    switch (c.kind) {
    case ControlKind::Label:
        out.klass = ControlClass::Static;
        s |= kStaticLeft;
        break;
    case ControlKind::CenteredLabel:
        out.klass = ControlClass::Static;
        s |= kStaticCenter;
        break;
    case ControlKind::RightLabel:
        out.klass = ControlClass::Static;
        s |= kStaticRight;
        break;
    case ControlKind::Icon:
        // Keeps the template's size instead of shrinking to the icon's.
        out.klass = ControlClass::Static;
        s |= kStaticIcon | kStaticRealSizeControl;
        break;
    case ControlKind::Edit:
        out.klass = ControlClass::Edit;
        s |= style::kBorder | style::kTabStop;
        if (c.flags & kControlMultiline)
            s |= kEditMultiline | kEditAutoVScroll | kEditWantReturn | style::kVScroll;
        else
            s |= kEditAutoHScroll;
        if (c.flags & kControlReadOnly) s |= kEditReadOnly;
        if (c.flags & kControlPassword) s |= kEditPassword;
        if (c.flags & kControlNumber) s |= kEditNumber;
        break;
    case ControlKind::DropDownList:
        out.klass = ControlClass::ComboBox;
        s |= kComboDropDownList | style::kVScroll | style::kTabStop;
        break;
    case ControlKind::DropDownEdit:
        out.klass = ControlClass::ComboBox;
        s |= kComboDropDown | kComboAutoHScroll | style::kVScroll | style::kTabStop;
        break;
    case ControlKind::ListBox:
        // Without "no integral height" Windows shortens the box to whole
        // items, and the layout would differ from the template's.
        out.klass = ControlClass::ListBox;
        s |= kListNotify | kListNoIntegralHeight | style::kBorder | style::kVScroll | style::kTabStop;
        break;
    case ControlKind::Button:
        out.klass = ControlClass::Button;
        s |= kPushButton | style::kTabStop;
        break;
    case ControlKind::DefaultButton:
        out.klass = ControlClass::Button;
        s |= kDefPushButton | style::kTabStop;
        break;
    case ControlKind::CheckBox:
        out.klass = ControlClass::Button;
        s |= kAutoCheckBox | style::kTabStop;
        break;
    case ControlKind::RadioButton:
        // Only the group's first radio button is a tab stop (added with WS_GROUP).
        out.klass = ControlClass::Button;
        s |= kAutoRadioButton;
        break;
    case ControlKind::GroupBox:
        out.klass = ControlClass::Button;
        s |= kGroupBox;
        break;
    case ControlKind::ProgressBar:
        out.klass = ControlClass::Named;
        out.class_name = kProgressClassName;
        break;
    }
    return out;
}

std::uint32_t dialog_style(DlgTemplateRole role) {
    switch (role) {
    case DlgTemplateRole::Modal:
        return style::kPopup | style::kCaption | style::kSysMenu | style::kModalFrame | style::kCenter;
    case DlgTemplateRole::Page:
        return style::kChild | style::kControlPage;
    case DlgTemplateRole::Progress:
        return style::kPopup | style::kCaption | style::kModalFrame | style::kCenter;
    }
    return style::kPopup | style::kCaption;
}

DlgTemplateBytes serialize_dlgtemplate_ex(const DialogTemplate& tmpl, const DlgTemplateOptions& options) {
    Writer w;
    const bool has_font = !tmpl.font_face.empty();
    std::uint32_t dlg_style = dialog_style(options.role);
    if (has_font) dlg_style |= style::kSetFont;

    w.u16(1);       // dlgVer
    w.u16(0xFFFF);  // signature
    w.u32(0);       // helpID
    w.u32(0);       // exStyle
    w.u32(dlg_style);
    w.u16(static_cast<std::uint16_t>(tmpl.controls.size()));
    w.i16(0);  // x, y: centred or placed by the sheet
    w.i16(0);
    w.i16(tmpl.width);
    w.i16(tmpl.height);
    w.u16(0);  // no menu
    w.u16(0);  // the dialog class
    w.text(cp1252_to_utf16(tmpl.caption));
    if (has_font) {
        w.u16(static_cast<std::uint16_t>(tmpl.font_points));
        w.u16(kFontWeightNormal);
        w.u8(0);  // italic
        w.u8(kDefaultCharset);
        w.text(cp1252_to_utf16(tmpl.font_face));
    }

    bool previous_radio = false;
    for (const ControlTemplate& c : tmpl.controls) {
        ControlClassStyle cs = control_class_style(c);
        // A group for the dialog manager's arrow keys: each control of its own,
        // the radio buttons as the dialog state groups them.
        const bool radio = c.kind == ControlKind::RadioButton;
        if (!radio || !previous_radio || (c.flags & kControlNewGroup)) {
            cs.style |= style::kGroup;
            if (radio) cs.style |= style::kTabStop;
        }
        previous_radio = radio;

        w.align4();
        w.u32(0);  // helpID
        w.u32(0);  // exStyle
        w.u32(cs.style);
        w.i16(c.x);
        w.i16(c.y);
        w.i16(c.width);
        w.i16(c.height);
        w.u32(static_cast<std::uint32_t>(c.id));
        if (cs.klass == ControlClass::Named) {
            w.text(ascii(cs.class_name));
        } else {
            w.u16(0xFFFF);
            w.u16(static_cast<std::uint16_t>(cs.klass));
        }
        // Lists get their entries from the state, not from a title.
        const bool titled =
            !is_list(c.kind) && c.kind != ControlKind::ProgressBar && c.kind != ControlKind::Icon;
        w.text(titled ? cp1252_to_utf16(c.text) : std::u16string());
        w.u16(0);  // extraCount: no creation data
    }

    DlgTemplateBytes out;
    out.size = w.bytes().size();
    out.words.assign((out.size + 3) / 4, 0);
    std::memcpy(out.words.data(), w.bytes().data(), out.size);
    return out;
}

std::u16string cp1252_to_utf16(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    for (char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        out.push_back(b >= 0x80 && b < 0xA0 ? kHighControls[b - 0x80] : static_cast<char16_t>(b));
    }
    return out;
}

std::string utf16_to_cp1252(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char16_t c : text) {
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            out.push_back(static_cast<char>(c));
            continue;
        }
        char mapped = '?';
        for (std::size_t i = 0; i < kHighControls.size(); ++i) {
            if (kHighControls[i] == c) {
                mapped = static_cast<char>(0x80 + i);
                break;
            }
        }
        out.push_back(mapped);
    }
    return out;
}

}  // namespace kolibra::dialog
