// Building the terminal program image from the Template.
#include "model/program_image.h"

#include "model/form_rules.h"
#include "model/text_slot.h"

#include <cstring>

namespace kolibra {

namespace {

constexpr std::size_t kCodeSlotSize = 10;

static_assert(kImageBarcode + sizeof(BarcodeSettings) == kImageMenus);
static_assert(kImageMenus + sizeof(MenuRecord) * kMenuCount == kImageForms);
static_assert(kImageForms + sizeof(FormRecord) * kFormCount == kImageLookups);
static_assert(kImageLookups + sizeof(LookupRecord) * kLookupCount == kImageFieldDelimiter);
static_assert(kImageFieldDelimiter + 2 == kImagePages);
static_assert(kImagePages + sizeof(PageTexts) == kImageSystem);
static_assert(kImageSystem + sizeof(SystemSettings) == kImagePassword);
static_assert(kImagePassword + 10 == kImageExtended);
static_assert(kImageExtended + sizeof(ExtendedSettings) == kProgramImageSize);

// Writes the slot's text cut to `width` characters, then spaces up to
// `width`, then a zero byte at position `width` (the slot holds width + 1).
void pad_slot(uint8_t* slot, std::size_t width) {
    const std::size_t length = slot_length(slot, width);
    std::memset(slot + length, ' ', width - length);
    slot[width] = 0;
}

// A two-bit field at `shift` holding 1 or 2 becomes 2 or 3; 0 stays 0. The
// other bits are untouched. A 3 (never written by the editor) stays 3.
uint8_t shift_two_bit_field(uint8_t byte, int shift) {
    const uint8_t field = (byte >> shift) & 3;
    if (field == 0 || field == 3) return byte;
    const uint8_t cleared = byte & static_cast<uint8_t>(~(3u << shift));
    return static_cast<uint8_t>(cleared | ((field + 1) << shift));
}

void convert_barcode(const BarcodeSettings& in, uint8_t* out) {
    std::memcpy(out, in.bytes, sizeof in.bytes);
    out[3] = static_cast<uint8_t>(in.bytes[3] + 1);  // keyboard types 1 to 32
    out[4] = shift_two_bit_field(shift_two_bit_field(in.bytes[4], 1), 3);
}

void convert_menu(const MenuRecord& in, uint8_t* out) {
    MenuRecord m = in;
    const std::size_t w = static_cast<std::size_t>(line_width(m.font));
    if (m.caption_on) pad_slot(m.caption, w);
    uint8_t counted = 0;
    for (int item = 0; item < kMenuItems; ++item) {
        if (menu_item_counts(m, item)) ++counted;
        pad_slot(m.item_name[item], w);
    }
    m.item_count = counted;
    std::memcpy(out, &m, sizeof m);
}

void convert_pages(const Template& t, uint8_t* out) {
    std::memcpy(out, &t.pages, sizeof t.pages);
    // Every slot is padded, also the fourth slot of the 3-line pages.
    for (int page = 0; page < kPageTextCount; ++page) {
        const PageTextInfo& info = page_text_info(static_cast<PageId>(page));
        for (int line = 0; line < info.slots; ++line) {
            pad_slot(out + info.offset + static_cast<std::size_t>(line * info.slot_size),
                     static_cast<std::size_t>(info.width));
        }
    }
}

void convert_system(const SystemSettings& in, uint8_t* out) {
    SystemSettings s = in;
    // The terminal counts its choices from 1.
    for (uint8_t* field : {&s.upload_port, &s.download_port, &s.baud_rate, &s.backlight,
                           &s.data_deletion, &s.record_prompting}) {
        *field = static_cast<uint8_t>(*field + 1);
    }
    s.duration = '2';
    std::memcpy(out, &s, sizeof s);
}

void convert_password(const uint8_t* in, uint8_t* out) {
    for (std::size_t i = 0; i < 10; ++i) {
        const uint8_t c = in[i];
        out[i] = (c >= 'a' && c <= 'z') ? static_cast<uint8_t>(c - 'a' + 'A') : c;
    }
}

}  // namespace

bool convert_code_list(const uint8_t* text, uint8_t* out) {
    const std::size_t length = slot_length(text, kCodeSlotSize);
    for (std::size_t i = 0; i < length; ++i) {
        const bool digit = text[i] >= '0' && text[i] <= '9';
        if (!digit && text[i] != ' ') return false;  // literal text, sent as it is
    }
    std::size_t m = 0;
    unsigned v = 0;
    for (std::size_t i = 0; i < length; ++i) {
        if (text[i] == ' ') {
            if (v != 0) out[m++] = static_cast<uint8_t>(v);
            v = 0;
            continue;
        }
        v = 10 * v + (text[i] - '0');
        if (v > 255) {
            // Not a character code: the list ends before this number.
            v = 0;
            break;
        }
    }
    if (v != 0) out[m++] = static_cast<uint8_t>(v);
    // Every code takes at least one digit and one separator, so at most five
    // codes come from ten characters and the zero byte always fits.
    out[m] = 0;
    return true;
}

ConvertedForms convert_code_lists(const Template& t) {
    ConvertedForms forms;
    for (int k = 0; k < kFormCount; ++k) {
        const FormRecord& in = t.forms[k];
        FormRecord& out = forms[k];
        out = in;
        for (int line = 0; line < kFormLines; ++line) {
            if (in.prefix_on[line]) convert_code_list(in.prefix[line], out.prefix[line]);
            if (in.suffix_on[line]) convert_code_list(in.suffix[line], out.suffix[line]);
        }
    }
    return forms;
}

ProgramImage build_program_image(Template& t) {
    ProgramImage image{};
    uint8_t* out = image.data();

    normalize_forms(t);

    out[kImageStartCode] = t.start_target == 0 ? 1 : 11;  // Target of form 1 or menu 1
    convert_barcode(t.barcode, out + kImageBarcode);

    for (int k = 0; k < kMenuCount; ++k) {
        convert_menu(t.menus[k], out + kImageMenus + k * sizeof(MenuRecord));
    }

    for (auto& form : t.forms) derive_form_counts(form);
    const ConvertedForms forms = convert_code_lists(t);
    std::memcpy(out + kImageForms, forms.data(), sizeof(FormRecord) * kFormCount);

    std::memcpy(out + kImageLookups, t.lookups, sizeof t.lookups);
    std::memcpy(out + kImageFieldDelimiter, t.field_delimiter, sizeof t.field_delimiter);

    convert_pages(t, out + kImagePages);

    convert_system(t.system, out + kImageSystem);
    convert_password(t.password, out + kImagePassword);
    std::memcpy(out + kImageExtended, &t.extended, sizeof t.extended);
    return image;
}

}  // namespace kolibra
