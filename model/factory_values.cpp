// The factory template: what New and program start give.
#include "model/factory_values.h"

#include "model/text_slot.h"

#include <cstring>

namespace kolibra {

namespace {

constexpr uint8_t kFactoryBarcode[24] = {
    0x9B, 0xC9, 0x00, 0x00, 0x00, 0x2D, 0x54, 0x80, 0x00, 0x19, 0x3D, 0x00,
    0xFF, 0x01, 0xFE, 0x01, 0xFF, 0x01, 0xFF, 0x01, 0x66, 0x03, 0x03, 0x00,
};

constexpr uint8_t kFactoryExtended[14] = {64, 1, 0, 0, 0, 1, 1, 1, 0, 0, 0, 0, 0, 0};

// The terminal's standard screens, one row per page in template order; each
// line is exactly as wide as its page.
constexpr int kMaxPageLines = 8;
constexpr const char* kFactoryPages[kPageTextCount][kMaxPageLines] = {
    // Welcome
    {"   Kolibra 2   ", "  Application  ", "   Generator   ", "  Version 4.23 "},
    // Main menu, with the fourth slot no dialog shows
    {"1.Collect data ", "2.Upload data  ", "3.Utilities    ", "               "},
    // Utility menu
    {"1. System Settings  ", "2. Browse Data      ", "3. Delete Data      ",
     "4. Reading Test     ", "5. Set Date & Time  ", "6. Download Program ",
     "7. Memory & Battery ", "8. Download Lookup  "},
    // Delete menu
    {"Delete data:   ", "1. All data    ", "2. Last record ", "3. Cancel      "},
    // Confirm page, with the fourth slot no dialog shows
    {"Are you sure?  ", "1. Yes         ", "2. No          ", "               "},
    // Memory & Battery
    {"Free RAM:      ", "Battery voltage", "Main  :        ", "Backup:        "},
    // Download Lookup
    {"Download:      ", "1st lookup file", "2nd lookup file", "3rd lookup file"},
    // System Settings
    {"  [SYSTEM SETTINGS] ", "1.Set Upload Port   ", "2.Set Download Port ",
     "3.Transmission Speed", "4.LCD Backlight     ", "5.Data Deletion     ",
     "6.Record Prompting  ", "7.View Settings     "},
    // Upload menu
    {"Upload data via:    ", "1. RS-232 / Cradle  ", "2. IR Transceiver   ",
     "3. Standard IrDA    ", "4. Keyboard Wedge   ", "                    ",
     "[ Enter ] to select ", "[ ESC ]   to cancel "},
    // Download menu
    {"Download new Program", "or Lookup files via:", "1. RS-232 / Cradle  ",
     "2. IR Transceiver   ", "3. Standard IrDA    ", "                    ",
     "[ Enter ] to select ", "[ ESC ]   to cancel "},
    // Baud rate menu
    {"Baud rate:115200 bps", "Baud rate: 57600 bps", "Baud rate: 38400 bps",
     "Baud rate: 19200 bps", "Baud rate:  9600 bps"},
    // Backlight setting
    {"Turn OFF backlight  ", "Turn ON backlight   ", "Turn backlite off if",
     "idle for _0 seconds "},
    // Data erasing
    {"Erase data after    ", "uploading:          ", "1. Manually         ",
     "2. Automatically    "},
    // Record prompt
    {" Turn ON  prompting ", " Turn OFF prompting ", " Prompt stay on the ",
     " screen :   00 ms   "},
    // View settings
    {"  [SYSTEM SETTINGS] ", "Upload:             ", "Download:           ",
     "Baud rate:          ", "LCD backlight:      ", "Duration:           ",
     "Erase data:         ", "Prompt record:      "},
    // Connecting messages
    {"Connecting...  ", "               ", "Press ESC to   ", "cancel.        "},
    // Error messages
    {"Data type is wrong! ", "Data is too short!  ", "Data is too long!   ",
     "Wrong leading code! ", "Press any key...    "},
    // Miscellaneous messages
    {"Downloading... ", "Downloaded OK! ", "Download failed", "Please wait... ",
     "Sending data...", "Transfered:    ", "Done           "},
};

void reset_page(Template& t, PageId id) {
    const PageTextInfo& info = page_text_info(id);
    for (int line = 0; line < info.slots; ++line) {
        write_slot(page_slot(t, id, line), info.slot_size, factory_page_line(id, line));
    }
}

void reset_menu(MenuRecord& m) {
    m.font = 0;
    m.caption_on = 0;
    write_slot(m.caption, "");
    for (auto& item : m.item_name) write_slot(item, "");
    m.esc_target = 0;
    std::memset(m.item_next, 0, sizeof m.item_next);
    m.save_caption = 0;
    m.save_selected_item = 0;
    m.pass_down = 0;
    m.item_count = 0;
    std::memset(m.sim_item, 0, sizeof m.sim_item);
}

void reset_form(FormRecord& f, int number) {
    f.font = 0;
    f.esc_target = 0;
    f.next_target = static_cast<uint8_t>(number);  // a completed record starts the form again
    f.date_stamp = 0;
    f.time_stamp = 0;
    f.record_action = 0;
    f.lookup_file = 0;
    for (int i = 0; i < kFormLines; ++i) {
        f.lookup_link[i] = 0;
        f.data_type[i] = 0;
        write_slot(f.prompt[i], "");
        f.input_source[i] = 2;
        f.min_length[i] = 0;
        f.max_length[i] = 50;
        f.fixed_length_on[i] = 0;
        f.alignment[i] = 0;
        f.fixed_length[i] = 0;
        f.initial_on[i] = 0;
        write_slot(f.initial_text[i], "");
        f.prefix_on[i] = 0;
        write_slot(f.prefix[i], "");
        f.suffix_on[i] = 0;
        write_slot(f.suffix[i], "");
        f.partial_on[i] = 0;
        f.partial_start[i] = 0;
        f.partial_length[i] = 20;
        f.leading_on[i] = 0;
        write_slot(f.leading_code[i], "");
        f.auto_enter[i] = 1;
        f.reserved[i] = 0;
    }
    f.last_input_line = 0;
    f.current_line = 0;
}

void reset_lookup(LookupRecord& l) {
    l.member_length = 0;
    l.field_count = 0;
    l.key_field = 0;
    std::memset(l.field_offset, 1, sizeof l.field_offset);
    std::memset(l.field_length, 0, sizeof l.field_length);
}

void reset_system(SystemSettings& s) {
    std::memset(&s, 0, sizeof s);
    s.duration = '2';
}

}  // namespace

const char* factory_page_line(PageId id, int line) {
    const int page = static_cast<int>(id);
    if (page < 0 || page >= kPageTextCount || line < 0 || line >= kMaxPageLines) return "";
    const char* text = kFactoryPages[page][line];
    return text ? text : "";
}

void reset_extended_settings(ExtendedSettings& e) {
    static_assert(sizeof kFactoryExtended == sizeof(ExtendedSettings));
    std::memcpy(&e, kFactoryExtended, sizeof e);
}

void reset_record_prompt_page(Template& t) { reset_page(t, PageId::RecordPrompt); }

void reset_template(Template& t) {
    // CommSettings is the user's port choice and survives a New.
    t.start_target = 0;
    static_assert(sizeof kFactoryBarcode == sizeof(BarcodeSettings));
    std::memcpy(t.barcode.bytes, kFactoryBarcode, sizeof kFactoryBarcode);
    for (auto& m : t.menus) reset_menu(m);
    for (int k = 0; k < kFormCount; ++k) reset_form(t.forms[k], k + 1);
    for (auto& l : t.lookups) reset_lookup(l);
    t.field_delimiter[0] = ',';
    t.field_delimiter[1] = 0;
    for (int page = 0; page < kPageTextCount; ++page) reset_page(t, static_cast<PageId>(page));
    reset_system(t.system);
    std::memset(t.password, 0, sizeof t.password);
    reset_extended_settings(t.extended);
}

}  // namespace kolibra
