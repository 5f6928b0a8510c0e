// The extended dialog templates, read back by a reader that follows the
// format's own layout (DLGTEMPLATEEX, then DLGITEMTEMPLATEEX items each on a
// 4-byte boundary, sz_Or_Ord fields, extraCount in bytes), independent of the
// writer: every dialog of the three programs must come back as its template.
#include "common/dialog/dlgtemplate_ex.h"
#include "resources/embedded_scripts.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace kolibra::dialog {
namespace {

struct SzOrOrd {
    bool present = false;
    std::optional<std::uint16_t> ordinal;
    std::u16string text;
};

struct ReadItem {
    std::size_t offset = 0;
    std::uint32_t help_id = 0, ex_style = 0, style = 0;
    int x = 0, y = 0, cx = 0, cy = 0;
    std::uint32_t id = 0;
    SzOrOrd klass, title;
    std::uint16_t extra_count = 0;
};

struct ReadDialog {
    std::uint16_t version = 0, signature = 0;
    std::uint32_t style = 0;
    int count = 0, x = 0, y = 0, cx = 0, cy = 0;
    SzOrOrd menu, klass, title;
    bool has_font = false;
    int points = 0, weight = 0, italic = 0, charset = 0;
    std::u16string face;
    std::vector<ReadItem> items;
    std::size_t end = 0;
};

// Reads little-endian fields; running past the end throws.
class Reader {
public:
    explicit Reader(const DlgTemplateBytes& t) : data_(t.bytes()), size_(t.size) {}
    std::uint16_t u16() {
        need(2);
        std::uint16_t v = static_cast<std::uint16_t>(data_[pos_] | data_[pos_ + 1] << 8);
        pos_ += 2;
        return v;
    }
    std::uint32_t u32() {
        std::uint32_t lo = u16();
        return lo | static_cast<std::uint32_t>(u16()) << 16;
    }
    int i16() { return static_cast<std::int16_t>(u16()); }
    std::uint8_t u8() {
        need(1);
        return data_[pos_++];
    }
    std::u16string sz() {
        std::u16string s;
        for (std::uint16_t c = u16(); c != 0; c = u16()) s.push_back(static_cast<char16_t>(c));
        return s;
    }
    // 0x0000: nothing; 0xFFFF: an ordinal follows; else a zero-ended string.
    SzOrOrd sz_or_ord() {
        SzOrOrd f;
        std::uint16_t first = u16();
        if (first == 0) return f;
        f.present = true;
        if (first == 0xFFFF) {
            f.ordinal = u16();
            return f;
        }
        f.text.push_back(static_cast<char16_t>(first));
        f.text += sz();
        return f;
    }
    void align_dword() { pos_ = (pos_ + 3) & ~std::size_t{3}; }
    void skip(std::size_t n) {
        need(n);
        pos_ += n;
    }
    std::size_t pos() const { return pos_; }

private:
    void need(std::size_t n) const {
        if (pos_ + n > size_) throw std::out_of_range("template ends early");
    }
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

ReadDialog read_template(const DlgTemplateBytes& t) {
    Reader r(t);
    ReadDialog d;
    d.version = r.u16();
    d.signature = r.u16();
    r.u32();  // help id
    r.u32();  // extended style
    d.style = r.u32();
    d.count = r.u16();
    d.x = r.i16();
    d.y = r.i16();
    d.cx = r.i16();
    d.cy = r.i16();
    d.menu = r.sz_or_ord();
    d.klass = r.sz_or_ord();
    d.title.text = r.sz();
    // DS_SETFONT (0x40) or DS_SHELLFONT (0x48) bring the font block.
    if (d.style & 0x40) {
        d.has_font = true;
        d.points = r.u16();
        d.weight = r.u16();
        d.italic = r.u8();
        d.charset = r.u8();
        d.face = r.sz();
    }
    for (int i = 0; i < d.count; ++i) {
        r.align_dword();
        ReadItem item;
        item.offset = r.pos();
        item.help_id = r.u32();
        item.ex_style = r.u32();
        item.style = r.u32();
        item.x = r.i16();
        item.y = r.i16();
        item.cx = r.i16();
        item.cy = r.i16();
        item.id = r.u32();
        item.klass = r.sz_or_ord();
        item.title = r.sz_or_ord();
        item.extra_count = r.u16();
        r.skip(item.extra_count);
        d.items.push_back(item);
    }
    d.end = r.pos();
    return d;
}

std::u16string widen_ascii(const std::string& s) { return std::u16string(s.begin(), s.end()); }

// The class each kind needs, and the low (control-specific) style bits.
struct KindExpectation {
    std::uint16_t ordinal;  // 0: named class
    std::uint32_t low_style;
    bool titled;
};

KindExpectation expected_for(const ControlTemplate& c) {
    switch (c.kind) {
    case ControlKind::Label: return {0x82, 0x0, true};
    case ControlKind::CenteredLabel: return {0x82, 0x1, true};
    case ControlKind::RightLabel: return {0x82, 0x2, true};
    case ControlKind::Icon: return {0x82, 0x43, false};  // SS_ICON | SS_REALSIZECONTROL
    case ControlKind::Edit: {
        std::uint32_t s = (c.flags & kControlMultiline) ? 0x1044 : 0x80;
        if (c.flags & kControlReadOnly) s |= 0x800;
        if (c.flags & kControlPassword) s |= 0x20;
        if (c.flags & kControlNumber) s |= 0x2000;
        return {0x81, s, true};
    }
    case ControlKind::DropDownList: return {0x85, 0x3, false};
    case ControlKind::DropDownEdit: return {0x85, 0x42, false};
    case ControlKind::ListBox: return {0x83, 0x101, false};  // notify, no integral height
    case ControlKind::Button: return {0x80, 0x0, true};
    case ControlKind::DefaultButton: return {0x80, 0x1, true};
    case ControlKind::CheckBox: return {0x80, 0x3, true};
    case ControlKind::RadioButton: return {0x80, 0x9, true};
    case ControlKind::GroupBox: return {0x80, 0x7, true};
    case ControlKind::ProgressBar: return {0, 0x0, false};
    }
    return {0xFFFF, 0, false};
}

void expect_round_trip(const DialogTemplate& tmpl, DlgTemplateRole role) {
    SCOPED_TRACE(tmpl.name);
    const DlgTemplateBytes bytes = serialize_dlgtemplate_ex(tmpl, {role});
    ASSERT_EQ(bytes.words.size() * 4, (bytes.size + 3) / 4 * 4);
    ReadDialog d;
    ASSERT_NO_THROW(d = read_template(bytes));
    EXPECT_EQ(d.end, bytes.size) << "bytes after the last item";
    EXPECT_EQ(d.version, 1);
    EXPECT_EQ(d.signature, 0xFFFF);
    EXPECT_EQ(d.count, static_cast<int>(tmpl.controls.size()));
    EXPECT_EQ(d.cx, tmpl.width);
    EXPECT_EQ(d.cy, tmpl.height);
    EXPECT_FALSE(d.menu.present);
    EXPECT_FALSE(d.klass.present);
    EXPECT_EQ(d.title.text, widen_ascii(tmpl.caption));
    ASSERT_EQ(d.has_font, !tmpl.font_face.empty());
    if (d.has_font) {
        EXPECT_EQ(d.points, tmpl.font_points);
        EXPECT_EQ(d.weight, 400);
        EXPECT_EQ(d.italic, 0);
        EXPECT_EQ(d.face, widen_ascii(tmpl.font_face));
    }
    if (role == DlgTemplateRole::Modal) {
        // WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER
        EXPECT_EQ(d.style & ~0x40u, 0x80C80880u);
    } else {
        // WS_CHILD | DS_CONTROL: no caption, no frame of its own
        EXPECT_EQ(d.style & ~0x40u, 0x40000400u);
    }
    ASSERT_EQ(d.items.size(), tmpl.controls.size());
    bool previous_radio = false;
    for (std::size_t i = 0; i < d.items.size(); ++i) {
        const ControlTemplate& c = tmpl.controls[i];
        const ReadItem& item = d.items[i];
        SCOPED_TRACE("control " + std::to_string(c.id) + " \"" + c.text + "\"");
        EXPECT_EQ(item.offset % 4, 0u);
        EXPECT_EQ(static_cast<int>(item.id), c.id);
        EXPECT_EQ(item.x, c.x);
        EXPECT_EQ(item.y, c.y);
        EXPECT_EQ(item.cx, c.width);
        EXPECT_EQ(item.cy, c.height);
        EXPECT_EQ(item.extra_count, 0);
        const KindExpectation want = expected_for(c);
        if (want.ordinal) {
            EXPECT_EQ(item.klass.ordinal, std::optional<std::uint16_t>(want.ordinal));
        } else {
            EXPECT_EQ(item.klass.text, u"msctls_progress32");
        }
        EXPECT_EQ(item.style & 0xFFFF, want.low_style);
        EXPECT_EQ(item.style & 0x40000000u, 0x40000000u) << "WS_CHILD";
        EXPECT_EQ((item.style & 0x10000000u) != 0, !(c.flags & kControlHidden)) << "WS_VISIBLE";
        EXPECT_EQ((item.style & 0x08000000u) != 0, (c.flags & kControlDisabled) != 0) << "WS_DISABLED";
        EXPECT_EQ(item.title.text, want.titled ? widen_ascii(c.text) : std::u16string());
        // Arrow keys move within a run of radio buttons: only its first one
        // starts a group and takes the tab key.
        const bool radio = c.kind == ControlKind::RadioButton;
        const bool starts = !radio || !previous_radio || (c.flags & kControlNewGroup);
        EXPECT_EQ((item.style & 0x00020000u) != 0, starts) << "WS_GROUP";
        if (radio) {
            EXPECT_EQ((item.style & 0x00010000u) != 0, starts) << "WS_TABSTOP";
        }
        previous_radio = radio;
    }
}

ResourceSet all_program_resources() {
    ResourceSet set;
    std::string error;
    for (std::string_view script : {tgen_resource_script(), editor_resource_script(),
                                    editor_pages_resource_script(), irfetch_resource_script(),
                                    lkpsend_resource_script()}) {
        EXPECT_TRUE(parse_resource_script(script, set, error)) << error;
    }
    return set;
}

TEST(DlgTemplateEx, EveryProgramDialogReadsBackAsItsTemplate) {
    const ResourceSet set = all_program_resources();
    // The tools' dialogs, the COM and about boxes, the editor's dialogs and pages.
    for (const char* name : {"PropertiesDlg", "ComPropertiesDlg", "ProgressDlg", "ComSettingDlg",
                             "AboutBox", "FORMDLG", "Interleave25Dlg", "MENUDLG", "WelcomePageDlg"}) {
        EXPECT_NE(set.dialog(name), nullptr) << name;
    }
    EXPECT_GT(set.dialogs.size(), 30u);
    for (const DialogTemplate& tmpl : set.dialogs) {
        expect_round_trip(tmpl, DlgTemplateRole::Modal);
        expect_round_trip(tmpl, DlgTemplateRole::Page);
    }
}

TEST(DlgTemplateEx, OddLengthTextsStillAlignEveryItemAndFlagsReachTheStyle) {
    // Titles of odd and even lengths shift the next item by 2 bytes unless
    // it is padded; flags and radio groups reach the styles.
    DialogTemplate t;
    t.name = "Mixed";
    t.caption = "Odd";
    t.font_face = "Courier";
    t.font_points = 9;
    t.width = 200;
    t.height = 120;
    auto add = [&](int id, ControlKind kind, std::string text, unsigned flags = 0) {
        t.controls.push_back({id, kind, std::move(text), 4, 4 + 12 * id % 100, 50, 12, flags});
    };
    add(-1, ControlKind::Label, "a");
    add(10, ControlKind::Edit, "ab", kControlReadOnly | kControlNumber);
    add(11, ControlKind::Edit, "", kControlMultiline | kControlPassword);
    add(12, ControlKind::RadioButton, "one");
    add(13, ControlKind::RadioButton, "four");
    add(14, ControlKind::RadioButton, "new", kControlNewGroup);
    add(15, ControlKind::CheckBox, "c", kControlDisabled | kControlHidden);
    add(16, ControlKind::ProgressBar, "");
    add(17, ControlKind::ListBox, "");
    add(18, ControlKind::DropDownEdit, "typed");
    add(-1, ControlKind::Icon, "");
    expect_round_trip(t, DlgTemplateRole::Modal);

    const ReadDialog d = read_template(serialize_dlgtemplate_ex(t, {DlgTemplateRole::Progress}));
    // A progress window has a caption but no close box (no WS_SYSMENU).
    EXPECT_EQ(d.style, 0x80C008C0u);
    EXPECT_EQ(d.points, 9);
    EXPECT_EQ(d.charset, 1);
}

TEST(DlgTemplateEx, CodePage1252MapsEveryByteAndBack) {
    struct Case {
        unsigned char byte;
        char16_t unit;
    } cases[] = {{'A', u'A'},       {0x80, 0x20AC}, {0x81, 0x0081}, {0x8A, 0x0160}, {0x99, 0x2122},
                 {0x9F, 0x0178},    {0xA0, 0x00A0}, {0xE4, 0x00E4}, {0xFF, 0x00FF}, {0x09, 0x0009}};
    for (const Case& c : cases) {
        const std::string byte(1, static_cast<char>(c.byte));
        EXPECT_EQ(cp1252_to_utf16(byte), std::u16string(1, c.unit)) << int(c.byte);
        EXPECT_EQ(utf16_to_cp1252(std::u16string(1, c.unit)), byte) << int(c.byte);
    }
    std::string all;
    for (int b = 1; b < 256; ++b) all.push_back(static_cast<char>(b));
    EXPECT_EQ(utf16_to_cp1252(cp1252_to_utf16(all)), all);
    // Characters outside the code page become '?'.
    EXPECT_EQ(utf16_to_cp1252(u"x\u4E00\u0100y"), "x??y");
}

}  // namespace
}  // namespace kolibra::dialog
