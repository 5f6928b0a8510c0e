// The Template's fields by name, in file order.
#include "model/template_fields.h"

#include "model/choices.h"
#include "model/form_rules.h"

#include <array>

namespace kolibra {

namespace {

constexpr unsigned kMaxLookupLength = 250;
constexpr unsigned kMaxFieldCount = 8;
constexpr unsigned kMaxKeyField = 7;
constexpr unsigned kMaxBitLength = 127;  // a length qualification's 7-bit length
constexpr unsigned kScanModeLowBits = 6;  // the low half of barcode byte 20
constexpr unsigned kBarcodeByte22 = 3;

// Names of the two lists that are counted rather than typed out.
struct NameTable {
    std::array<std::string, kTargetCount> target_text;
    std::array<const char*, kTargetCount> targets{};
    std::array<std::string, kLookupLinkCount> link_text;
    std::array<const char*, kLookupLinkCount> links{};

    NameTable() {
        for (int i = 0; i < kTargetCount; ++i) {
            target_text[i] = target_name(static_cast<unsigned>(i));
            targets[i] = target_text[i].c_str();
        }
        for (int i = 0; i < kLookupLinkCount; ++i) {
            link_text[i] = lookup_link_name(static_cast<unsigned>(i));
            links[i] = link_text[i].c_str();
        }
    }
};

const NameTable& names() {
    static const NameTable table;
    return table;
}

// "System Settings" -> "system_settings", "Set Date & Time" -> "set_date_time".
std::string key_word(const char* name) {
    std::string out;
    bool gap = false;
    for (const char* p = name; *p; ++p) {
        const char c = *p;
        const bool alnum = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (!alnum) {
            gap = !out.empty();
            continue;
        }
        if (gap) out += '_';
        gap = false;
        out += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return out;
}

std::string num(int n) { return std::to_string(n); }

class TableBuilder {
public:
    explicit TableBuilder(std::vector<TemplateField>& out) : out_(out) {}

    // The next field gets this comment line.
    void heading(std::string text) { heading_ = std::move(text); }

    void number(std::string key, std::size_t offset, unsigned min, unsigned max) {
        TemplateField f = base(std::move(key), FieldKind::Number, offset);
        f.min = min;
        f.max = max;
        add(std::move(f));
    }
    void flag(std::string key, std::size_t offset) {
        add(base(std::move(key), FieldKind::Flag, offset));
    }
    void character(std::string key, std::size_t offset) {
        add(base(std::move(key), FieldKind::Char, offset));
    }
    template <std::size_t N>
    void choice(std::string key, std::size_t offset, const ChoiceList<N>& list) {
        choice(std::move(key), offset, list.data(), N);
    }
    void choice(std::string key, std::size_t offset, const char* const* list, unsigned count) {
        TemplateField f = base(std::move(key), FieldKind::Choice, offset);
        f.choices = list;
        f.choice_count = count;
        add(std::move(f));
    }
    void target(std::string key, std::size_t offset) {
        choice(std::move(key), offset, names().targets.data(), kTargetCount);
    }
    void text(std::string key, std::size_t offset, std::size_t slot_size, bool full = false) {
        TemplateField f = base(std::move(key), FieldKind::Text, offset);
        f.slot_size = slot_size;
        f.full_slot = full;
        add(std::move(f));
    }
    // A byte with one fixed value in every sound template.
    void fixed(std::string key, std::size_t offset, unsigned value) {
        TemplateField f = base(std::move(key), FieldKind::Number, offset);
        f.min = f.max = f.quiet_value = value;
        f.quiet = true;
        add(std::move(f));
    }

    // Bit fields of one BarcodeSettings byte; `bit` is the lowest bit.
    void on_off(std::string key, std::size_t offset, int bit) {
        TemplateField f = base(std::move(key), FieldKind::Switch, offset);
        f.shift = static_cast<uint8_t>(bit);
        f.width = 1;
        add(std::move(f));
    }
    template <std::size_t N>
    void bit_choice(std::string key, std::size_t offset, int bit, int width,
                    const ChoiceList<N>& list) {
        TemplateField f = base(std::move(key), FieldKind::Choice, offset);
        f.shift = static_cast<uint8_t>(bit);
        f.width = static_cast<uint8_t>(width);
        f.choices = list.data();
        f.choice_count = N;
        add(std::move(f));
    }
    void bit_number(std::string key, std::size_t offset, int bit, int width, unsigned min,
                    unsigned max) {
        TemplateField f = base(std::move(key), FieldKind::Number, offset);
        f.shift = static_cast<uint8_t>(bit);
        f.width = static_cast<uint8_t>(width);
        f.min = min;
        f.max = max;
        add(std::move(f));
    }
    void bit_fixed(std::string key, std::size_t offset, int bit, int width, unsigned value) {
        bit_number(std::move(key), offset, bit, width, value, value);
        out_.back().quiet = true;
        out_.back().quiet_value = value;
    }

private:
    TemplateField base(std::string key, FieldKind kind, std::size_t offset) {
        TemplateField f;
        f.key = std::move(key);
        f.kind = kind;
        f.offset = offset;
        f.heading = std::move(heading_);
        heading_.clear();
        return f;
    }
    void add(TemplateField f) { out_.push_back(std::move(f)); }

    std::vector<TemplateField>& out_;
    std::string heading_;
};

void add_comm(TableBuilder& b) {
    const std::size_t at = offsetof(Template, comm);
    b.heading("Communication: the desktop's serial port");
    b.choice("comm.com_port", at + offsetof(CommSettings, com_port), kComPortChoices);
    b.choice("comm.com_baud", at + offsetof(CommSettings, com_baud), kComBaudChoices);
    b.heading("Start: the program starts with form 1 or menu 1");
    b.choice("start_target", offsetof(Template, start_target), kStartTargetChoices);
}

void add_barcode(TableBuilder& b) {
    const std::size_t at = offsetof(Template, barcode);
    auto byte = [at](int n) { return at + static_cast<std::size_t>(n); };
    b.heading("Barcode: symbologies, their parameters, scanner and keyboard wedge");
    const char* enabled0[8] = {"code93",        "codabar",      "matrix25",           "interleave25",
                               "industrial25",  "french_pharmacode", "italian_pharmacode", "code39"};
    for (int bit = 7; bit >= 0; --bit) b.on_off("barcode." + std::string(enabled0[bit]), byte(0), bit);
    const char* enabled1[8] = {"ean13_upca", "ean8_addon5", "ean8_addon2", "ean8",
                               "upce_addon5", "upce_addon2", "upce",      "code128"};
    for (int bit = 7; bit >= 0; --bit) b.on_off("barcode." + std::string(enabled1[bit]), byte(1), bit);
    b.on_off("barcode.ean13_addon2", byte(2), 7);
    b.on_off("barcode.ean13_addon5", byte(2), 6);
    b.on_off("barcode.msi", byte(2), 5);
    b.on_off("barcode.plessey", byte(2), 4);
    b.bit_fixed("barcode.reserved.2.3", byte(2), 3, 1, 0);
    b.on_off("barcode.telepen", byte(2), 2);
    b.bit_choice("barcode.telepen.mode", byte(2), 1, 1, kTelepenModeChoices);
    b.bit_fixed("barcode.reserved.2.0", byte(2), 0, 1, 0);

    b.choice("barcode.wedge.keyboard_type", byte(3), kKeyboardTypeChoices);
    b.on_off("barcode.wedge.numeric_keypad", byte(4), 0);
    b.bit_choice("barcode.wedge.shift_lock_type", byte(4), 1, 2, kShiftLockChoices);
    b.bit_choice("barcode.wedge.digits_layout", byte(4), 3, 2, kDigitsLayoutChoices);
    b.on_off("barcode.wedge.capital_lock.ignore_case", byte(4), 5);
    b.on_off("barcode.wedge.capital_lock.always_locked", byte(4), 6);
    b.on_off("barcode.wedge.capital_lock.auto_detection", byte(4), 7);

    b.on_off("barcode.code39.transmit_start_stop", byte(5), 7);
    b.on_off("barcode.code39.verify_checksum", byte(5), 6);
    b.on_off("barcode.code39.transmit_checksum", byte(5), 5);
    b.on_off("barcode.code39.full_ascii", byte(5), 4);
    b.on_off("barcode.italian_pharmacode.transmit_checksum", byte(5), 3);
    b.on_off("barcode.french_pharmacode.transmit_checksum", byte(5), 2);
    b.on_off("barcode.interleave25.verify_checksum", byte(5), 1);
    b.on_off("barcode.interleave25.transmit_checksum", byte(5), 0);

    b.on_off("barcode.industrial25.verify_checksum", byte(6), 7);
    b.on_off("barcode.industrial25.transmit_checksum", byte(6), 6);
    b.on_off("barcode.matrix25.verify_checksum", byte(6), 5);
    b.on_off("barcode.matrix25.transmit_checksum", byte(6), 4);
    b.bit_choice("barcode.interleave25.start_stop", byte(6), 2, 2, kStartStopChoices);
    b.bit_choice("barcode.industrial25.start_stop", byte(6), 0, 2, kStartStopChoices);

    b.bit_choice("barcode.matrix25.start_stop", byte(7), 6, 2, kStartStopChoices);
    b.bit_choice("barcode.codabar.start_stop", byte(7), 4, 2, kCodabarStartStopChoices);
    b.on_off("barcode.codabar.transmit_start_stop", byte(7), 3);
    b.on_off("barcode.interleave25.dummy_digits", byte(7), 2);
    b.bit_fixed("barcode.reserved.7.0", byte(7), 0, 2, 0);

    b.number("barcode.wedge.char_delay", byte(8), 0, 255);

    b.bit_choice("barcode.msi.checksum_verification", byte(9), 6, 2, kMsiVerifyChoices);
    b.bit_choice("barcode.msi.checksum_transmission", byte(9), 4, 2, kMsiTransmitChoices);
    b.on_off("barcode.plessey.transmit_checksum", byte(9), 3);
    b.on_off("barcode.plessey.convert_to_uk_plessey", byte(9), 2);
    b.on_off("barcode.upce.convert_to_upca", byte(9), 1);
    b.on_off("barcode.ean13.convert_upca_to_ean13", byte(9), 0);

    b.on_off("barcode.ean13.isbn_conversion", byte(10), 7);
    b.on_off("barcode.ean13.issn_conversion", byte(10), 6);
    b.on_off("barcode.upce.transmit_checksum", byte(10), 5);
    b.on_off("barcode.ean13.transmit_upca_checksum", byte(10), 4);
    b.on_off("barcode.ean8.transmit_checksum", byte(10), 3);
    b.on_off("barcode.ean13.transmit_checksum", byte(10), 2);
    b.on_off("barcode.upce.transmit_system_number", byte(10), 1);
    b.on_off("barcode.ean13.transmit_upca_system_number", byte(10), 0);

    b.on_off("barcode.ean8.convert_to_ean13", byte(11), 7);
    b.bit_fixed("barcode.reserved.11.5", byte(11), 5, 2, 0);
    b.on_off("barcode.negative_barcode", byte(11), 4);
    b.bit_choice("barcode.read_redundancy", byte(11), 2, 2, kReadRedundancyChoices);
    b.bit_fixed("barcode.reserved.11.0", byte(11), 0, 2, 0);

    const char* qualified[4] = {"industrial25", "interleave25", "matrix25", "msi"};
    for (int k = 0; k < 4; ++k) {
        const std::string name = std::string("barcode.") + qualified[k];
        const int first = 12 + 2 * k;
        b.bit_choice(name + ".length_mode", byte(first), 7, 1, kLengthModeChoices);
        b.bit_number(name + ".length_1", byte(first), 0, 7, 1, kMaxBitLength);
        b.number(name + ".length_2", byte(first + 1), 1, kMaxBitLength);
    }

    b.bit_choice("barcode.scanner.scan_mode", byte(20), 4, 4, kScanModeChoices);
    b.bit_fixed("barcode.scanner.scan_mode_low_bits", byte(20), 0, 4, kScanModeLowBits);
    b.number("barcode.scanner.time_out", byte(21), 0, 255);
    b.fixed("barcode.scanner.byte_22", byte(22), kBarcodeByte22);
    b.number("barcode.wedge.transmission_time_out", byte(23), 0, 255);
}

void add_menu(TableBuilder& b, int k) {
    const std::size_t at = offsetof(Template, menus) + sizeof(MenuRecord) * static_cast<std::size_t>(k - 1);
    const std::string m = "menus." + num(k) + ".";
    b.heading("Menu " + num(k));
    b.choice(m + "font", at + offsetof(MenuRecord, font), kFontChoices);
    b.flag(m + "caption_on", at + offsetof(MenuRecord, caption_on));
    b.text(m + "caption", at + offsetof(MenuRecord, caption), sizeof MenuRecord::caption);
    b.target(m + "esc_target", at + offsetof(MenuRecord, esc_target));
    for (int i = 0; i < kMenuItems; ++i) {
        const std::string item = m + "items." + num(i + 1) + ".";
        b.text(item + "item_name", at + offsetof(MenuRecord, item_name) + 21 * static_cast<std::size_t>(i), 21);
        b.target(item + "item_next", at + offsetof(MenuRecord, item_next) + static_cast<std::size_t>(i));
    }
    b.flag(m + "save_caption", at + offsetof(MenuRecord, save_caption));
    b.flag(m + "save_selected_item", at + offsetof(MenuRecord, save_selected_item));
    b.flag(m + "pass_down", at + offsetof(MenuRecord, pass_down));
    b.number(m + "item_count", at + offsetof(MenuRecord, item_count), 0, kMenuItems);
    b.number(m + "sim_item.1", at + offsetof(MenuRecord, sim_item), 0, 255);
    b.number(m + "sim_item.2", at + offsetof(MenuRecord, sim_item) + 1, 0, 255);
}

void add_form(TableBuilder& b, int k) {
    const std::size_t at = offsetof(Template, forms) + sizeof(FormRecord) * static_cast<std::size_t>(k - 1);
    const std::string f = "forms." + num(k) + ".";
    b.heading("Form " + num(k));
    b.choice(f + "font", at + offsetof(FormRecord, font), kFontChoices);
    b.target(f + "esc_target", at + offsetof(FormRecord, esc_target));
    b.target(f + "next_target", at + offsetof(FormRecord, next_target));
    b.choice(f + "date_stamp", at + offsetof(FormRecord, date_stamp), kDateStampChoices);
    b.choice(f + "time_stamp", at + offsetof(FormRecord, time_stamp), kTimeStampChoices);
    b.choice(f + "record_action", at + offsetof(FormRecord, record_action), kRecordActionChoices);
    b.choice(f + "lookup_file", at + offsetof(FormRecord, lookup_file), kLookupFileChoices);
    for (int i = 0; i < kFormLines; ++i) {
        const std::size_t n = static_cast<std::size_t>(i);
        const std::string l = f + "lines." + num(i + 1) + ".";
        auto one = [&](std::size_t field) { return at + field + n; };
        auto slot = [&](std::size_t field, std::size_t size) { return at + field + n * size; };
        b.heading("Form " + num(k) + ", line " + num(i + 1));
        b.choice(l + "data_type", one(offsetof(FormRecord, data_type)), kDataTypeChoices);
        b.text(l + "prompt", slot(offsetof(FormRecord, prompt), 21), 21);
        b.choice(l + "lookup_link", one(offsetof(FormRecord, lookup_link)), names().links.data(),
                 kLookupLinkCount);
        b.choice(l + "input_source", one(offsetof(FormRecord, input_source)), kInputSourceChoices);
        b.number(l + "min_length", one(offsetof(FormRecord, min_length)), 0, kMaxDataLength);
        b.number(l + "max_length", one(offsetof(FormRecord, max_length)), 0, kMaxDataLength);
        b.flag(l + "fixed_length_on", one(offsetof(FormRecord, fixed_length_on)));
        b.choice(l + "alignment", one(offsetof(FormRecord, alignment)), kAlignmentChoices);
        b.number(l + "fixed_length", one(offsetof(FormRecord, fixed_length)), 0, 255);
        b.flag(l + "initial_on", one(offsetof(FormRecord, initial_on)));
        b.text(l + "initial_text", slot(offsetof(FormRecord, initial_text), 10), 10);
        b.flag(l + "prefix_on", one(offsetof(FormRecord, prefix_on)));
        b.text(l + "prefix", slot(offsetof(FormRecord, prefix), 10), 10);
        b.flag(l + "suffix_on", one(offsetof(FormRecord, suffix_on)));
        b.text(l + "suffix", slot(offsetof(FormRecord, suffix), 10), 10);
        b.flag(l + "partial_on", one(offsetof(FormRecord, partial_on)));
        b.number(l + "partial_start", one(offsetof(FormRecord, partial_start)), 0, 255);
        b.number(l + "partial_length", one(offsetof(FormRecord, partial_length)), 1, kMaxDataLength);
        b.flag(l + "leading_on", one(offsetof(FormRecord, leading_on)));
        b.text(l + "leading_code", slot(offsetof(FormRecord, leading_code), 6), 6, true);
        b.choice(l + "auto_enter", one(offsetof(FormRecord, auto_enter)), kAutoEnterChoices);
        b.fixed(l + "reserved", one(offsetof(FormRecord, reserved)), 0);
    }
    b.heading("Form " + num(k) + ": kept by the simulator and the editor");
    b.number(f + "last_input_line", at + offsetof(FormRecord, last_input_line), 0, kFormLines);
    b.number(f + "current_line", at + offsetof(FormRecord, current_line), 0, 255);
}

void add_lookup(TableBuilder& b, int k) {
    const std::size_t at = offsetof(Template, lookups) + sizeof(LookupRecord) * static_cast<std::size_t>(k - 1);
    const std::string l = "lookups." + num(k) + ".";
    b.heading("Lookup file " + num(k));
    b.number(l + "member_length", at + offsetof(LookupRecord, member_length), 0, kMaxLookupLength);
    b.number(l + "field_count", at + offsetof(LookupRecord, field_count), 0, kMaxFieldCount);
    b.number(l + "key_field", at + offsetof(LookupRecord, key_field), 0, kMaxKeyField);
    for (int i = 0; i < 8; ++i) {
        const std::string field = l + "fields." + num(i + 1) + ".";
        const std::size_t n = static_cast<std::size_t>(i);
        b.number(field + "field_offset", at + offsetof(LookupRecord, field_offset) + n, 0, kMaxLookupLength);
        b.number(field + "field_length", at + offsetof(LookupRecord, field_length) + n, 0, kMaxLookupLength);
    }
}

// "welcome_page", "main_page", ... as the blocks are named in PageTexts.
constexpr const char* kPageKeys[kPageTextCount] = {
    "welcome_page",  "main_page",     "utility_page",       "delete_page",
    "confirm_page",  "memory_page",   "lookup_page",        "settings_page",
    "upload_page",   "download_page", "baud_rate_page",     "backlight_page",
    "data_erase_page", "record_prompt_page", "view_settings_page", "connecting_msg",
    "error_msg",     "misc_msg"};

void add_pages(TableBuilder& b) {
    for (int p = 0; p < kPageTextCount; ++p) {
        const PageTextInfo& info = page_text_info(static_cast<PageId>(p));
        const std::size_t at = offsetof(Template, pages) + info.offset;
        std::string title = std::string("Page text: ") + info.editor_title;
        if (info.slots > info.lines) title += ", and a last line no dialog shows";
        b.heading(title);
        for (int line = 0; line < info.slots; ++line) {
            b.text("pages." + std::string(kPageKeys[p]) + "." + num(line + 1),
                   at + static_cast<std::size_t>(line * info.slot_size),
                   static_cast<std::size_t>(info.slot_size));
        }
    }
}

void add_system(TableBuilder& b) {
    const std::size_t at = offsetof(Template, system);
    b.heading("System settings of the terminal");
    b.choice("system.upload_port", at + offsetof(SystemSettings, upload_port), kUploadPortChoices);
    b.choice("system.download_port", at + offsetof(SystemSettings, download_port), kDownloadPortChoices);
    b.choice("system.baud_rate", at + offsetof(SystemSettings, baud_rate), kBaudRateChoices);
    b.choice("system.backlight", at + offsetof(SystemSettings, backlight), kBacklightChoices);
    b.character("system.duration", at + offsetof(SystemSettings, duration));
    b.choice("system.data_deletion", at + offsetof(SystemSettings, data_deletion), kDataDeletionChoices);
    b.choice("system.record_prompting", at + offsetof(SystemSettings, record_prompting),
             kRecordPromptingChoices);
    b.fixed("system.reserved", at + offsetof(SystemSettings, reserved), 0);
    b.heading("Password protection: the utilities and settings that ask for the password");
    for (std::size_t i = 0; i < kProtectChoices.size(); ++i) {
        b.flag("system.protect." + key_word(kProtectChoices[i]), at + offsetof(SystemSettings, protect) + i);
    }
    b.heading("Password: up to 10 characters, none when empty");
    b.text("password", offsetof(Template, password), sizeof Template::password, true);
}

void add_extended(TableBuilder& b) {
    const std::size_t at = offsetof(Template, extended);
    b.heading("Extended settings");
    b.fixed("extended.format_marker", at + offsetof(ExtendedSettings, format_marker), 64);
    b.flag("extended.wedge_crlf", at + offsetof(ExtendedSettings, wedge_crlf));
    for (int k = 0; k < kLookupCount; ++k) {
        const std::size_t n = static_cast<std::size_t>(k);
        const std::string l = "extended.lookups." + num(k + 1) + ".";
        b.character(l + "lookup_delimiter", at + offsetof(ExtendedSettings, lookup_delimiter) + n);
        b.flag(l + "lookup_uploadable", at + offsetof(ExtendedSettings, lookup_uploadable) + n);
        b.choice(l + "lookup_no_match", at + offsetof(ExtendedSettings, lookup_no_match) + n,
                 kNoMatchChoices);
    }
    b.flag("extended.separate_files", at + offsetof(ExtendedSettings, separate_files));
    b.fixed("extended.reserved.1", at + offsetof(ExtendedSettings, reserved), 0);
    b.fixed("extended.reserved.2", at + offsetof(ExtendedSettings, reserved) + 1, 0);
}

std::vector<TemplateField> build_table() {
    std::vector<TemplateField> fields;
    TableBuilder b(fields);
    add_comm(b);
    add_barcode(b);
    for (int k = 1; k <= kMenuCount; ++k) add_menu(b, k);
    for (int k = 1; k <= kFormCount; ++k) add_form(b, k);
    for (int k = 1; k <= kLookupCount; ++k) add_lookup(b, k);
    b.heading("Field delimiter: the characters between the fields of a record");
    b.character("field_delimiter.1", offsetof(Template, field_delimiter));
    b.character("field_delimiter.2", offsetof(Template, field_delimiter) + 1);
    add_pages(b);
    add_system(b);
    add_extended(b);
    return fields;
}

}  // namespace

const std::vector<TemplateField>& template_fields() {
    static const std::vector<TemplateField> table = build_table();
    return table;
}

unsigned field_value(const Template& t, const TemplateField& f) {
    const uint8_t byte = reinterpret_cast<const uint8_t*>(&t)[f.offset];
    return (static_cast<unsigned>(byte) >> f.shift) & f.mask();
}

void set_field_value(Template& t, const TemplateField& f, unsigned value) {
    uint8_t& byte = reinterpret_cast<uint8_t*>(&t)[f.offset];
    const unsigned bits = f.mask() << f.shift;
    byte = static_cast<uint8_t>((byte & ~bits) | ((value << f.shift) & bits));
}

const uint8_t* field_slot(const Template& t, const TemplateField& f) {
    return reinterpret_cast<const uint8_t*>(&t) + f.offset;
}

uint8_t* field_slot(Template& t, const TemplateField& f) {
    return reinterpret_cast<uint8_t*>(&t) + f.offset;
}

}  // namespace kolibra
