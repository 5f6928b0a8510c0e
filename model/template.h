// The application template: every block as a plain record of bytes.
//
// The byte layout of these structs is the layout of the template file and,
// with a few per-field conversions, of the terminal program image, so every
// size and offset is checked at compile time below.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace kolibra {

constexpr int kFormCount = 10;
constexpr int kMenuCount = 10;
constexpr int kLookupCount = 3;
constexpr int kFormLines = 8;
constexpr int kMenuItems = 10;
constexpr int kPageTextCount = 18;

// A place of the terminal program: 0 main menu, 1..10 form 1..10, 11..20 menu 1..10.
using Target = uint8_t;

struct CommSettings {
    uint8_t com_port;  // 0..5 for COM1..COM6
    uint8_t com_baud;  // 0..4 for 115200, 57600, 38400, 19200, 9600
};

struct BarcodeSettings {
    uint8_t bytes[24];  // bit fields: symbologies, their parameters, scanner, keyboard wedge
};

struct MenuRecord {
    uint8_t font;
    uint8_t caption_on;
    uint8_t caption[21];
    uint8_t item_name[kMenuItems][21];
    uint8_t esc_target;
    uint8_t item_next[kMenuItems];
    uint8_t save_caption;
    uint8_t save_selected_item;
    uint8_t pass_down;
    uint8_t item_count;
    uint8_t sim_item[2];
};

struct FormRecord {
    uint8_t font;
    uint8_t esc_target;
    uint8_t next_target;
    uint8_t date_stamp;
    uint8_t time_stamp;
    uint8_t record_action;
    uint8_t lookup_file;
    uint8_t lookup_link[kFormLines];
    uint8_t data_type[kFormLines];
    uint8_t prompt[kFormLines][21];
    uint8_t input_source[kFormLines];
    uint8_t min_length[kFormLines];
    uint8_t max_length[kFormLines];
    uint8_t fixed_length_on[kFormLines];
    uint8_t alignment[kFormLines];
    uint8_t fixed_length[kFormLines];
    uint8_t initial_on[kFormLines];
    uint8_t initial_text[kFormLines][10];
    uint8_t prefix_on[kFormLines];
    uint8_t prefix[kFormLines][10];
    uint8_t suffix_on[kFormLines];
    uint8_t suffix[kFormLines][10];
    uint8_t partial_on[kFormLines];
    uint8_t partial_start[kFormLines];
    uint8_t partial_length[kFormLines];
    uint8_t leading_on[kFormLines];
    uint8_t leading_code[kFormLines][6];
    uint8_t auto_enter[kFormLines];
    uint8_t reserved[kFormLines];
    uint8_t last_input_line;
    uint8_t current_line;
};

struct LookupRecord {
    uint8_t member_length;
    uint8_t field_count;
    uint8_t key_field;
    uint8_t field_offset[8];
    uint8_t field_length[8];
};

struct SystemSettings {
    uint8_t upload_port;
    uint8_t download_port;
    uint8_t baud_rate;
    uint8_t backlight;
    uint8_t duration;
    uint8_t data_deletion;
    uint8_t record_prompting;
    uint8_t reserved;
    uint8_t protect[12];
};

struct ExtendedSettings {
    uint8_t format_marker;  // 64 ('@') in every template of format 4.00
    uint8_t wedge_crlf;
    uint8_t lookup_delimiter[kLookupCount];
    uint8_t lookup_uploadable[kLookupCount];
    uint8_t lookup_no_match[kLookupCount];
    uint8_t separate_files;
    uint8_t reserved[2];
};

// One built-in screen text: Slots line slots of SlotSize bytes (16 for
// 15-character pages, 21 for 20-character pages), each zero-terminated.
template <int Slots, int SlotSize>
struct PageText {
    uint8_t line[Slots][SlotSize];
};

struct PageTexts {
    PageText<4, 16> welcome_page;
    PageText<4, 16> main_page;  // 3 lines shown, 4th slot kept
    PageText<8, 21> utility_page;
    PageText<4, 16> delete_page;
    PageText<4, 16> confirm_page;  // 3 lines shown, 4th slot kept
    PageText<4, 16> memory_page;
    PageText<4, 16> lookup_page;
    PageText<8, 21> settings_page;
    PageText<8, 21> upload_page;
    PageText<8, 21> download_page;
    PageText<5, 21> baud_rate_page;
    PageText<4, 21> backlight_page;
    PageText<4, 21> data_erase_page;
    PageText<4, 21> record_prompt_page;
    PageText<8, 21> view_settings_page;
    PageText<4, 16> connecting_msg;
    PageText<5, 21> error_msg;
    PageText<7, 16> misc_msg;
};

// The eleven blocks, in the order of the template file.
struct Template {
    CommSettings comm;
    uint8_t start_target;  // 0 starts with form 1, 1 with menu 1
    BarcodeSettings barcode;
    MenuRecord menus[kMenuCount];
    FormRecord forms[kFormCount];
    LookupRecord lookups[kLookupCount];
    uint8_t field_delimiter[2];
    PageTexts pages;
    SystemSettings system;
    uint8_t password[10];
    ExtendedSettings extended;
};

// The one template a program works on, with what the shell keeps beside it.
struct TemplateDocument {
    Template tpl{};
    bool modified = false;   // changed since created, opened or saved
    std::string file_name;   // full path last read or written; empty after New
};

// Uniform access to the 18 page text blocks, in template order.
enum class PageId : int {
    Welcome, Main, Utility, Delete, Confirm, Memory, Lookup, Settings, Upload,
    Download, BaudRate, Backlight, DataErase, RecordPrompt, ViewSettings,
    Connecting, Error, Misc
};

struct PageTextInfo {
    const char* editor_title;  // title of its editor dialog
    int lines;                 // lines shown
    int width;                 // characters per line
    int slots;                 // slots stored
    int slot_size;             // width + 1
    std::size_t offset;        // offset of the block inside PageTexts
};

const PageTextInfo& page_text_info(PageId id);
// Slot `slot` (0-based) of page `id`; slot must be below info.slots.
uint8_t* page_slot(Template& t, PageId id, int slot);
const uint8_t* page_slot(const Template& t, PageId id, int slot);

// Operations on the template.
void reset_template(Template& t);
void normalize_forms(Template& t);
void derive_counts(Template& t);
void spread_extensions(Template& t);

// ---- layout checks -------------------------------------------------------
static_assert(sizeof(CommSettings) == 2);
static_assert(sizeof(BarcodeSettings) == 24);

static_assert(sizeof(MenuRecord) == 250);
static_assert(offsetof(MenuRecord, caption_on) == 1);
static_assert(offsetof(MenuRecord, caption) == 2);
static_assert(offsetof(MenuRecord, item_name) == 23);
static_assert(offsetof(MenuRecord, esc_target) == 233);
static_assert(offsetof(MenuRecord, item_next) == 234);
static_assert(offsetof(MenuRecord, save_caption) == 244);
static_assert(offsetof(MenuRecord, save_selected_item) == 245);
static_assert(offsetof(MenuRecord, pass_down) == 246);
static_assert(offsetof(MenuRecord, item_count) == 247);
static_assert(offsetof(MenuRecord, sim_item) == 248);

static_assert(sizeof(FormRecord) == 601);
static_assert(offsetof(FormRecord, esc_target) == 1);
static_assert(offsetof(FormRecord, next_target) == 2);
static_assert(offsetof(FormRecord, date_stamp) == 3);
static_assert(offsetof(FormRecord, time_stamp) == 4);
static_assert(offsetof(FormRecord, record_action) == 5);
static_assert(offsetof(FormRecord, lookup_file) == 6);
static_assert(offsetof(FormRecord, lookup_link) == 7);
static_assert(offsetof(FormRecord, data_type) == 15);
static_assert(offsetof(FormRecord, prompt) == 23);
static_assert(offsetof(FormRecord, input_source) == 191);
static_assert(offsetof(FormRecord, min_length) == 199);
static_assert(offsetof(FormRecord, max_length) == 207);
static_assert(offsetof(FormRecord, fixed_length_on) == 215);
static_assert(offsetof(FormRecord, alignment) == 223);
static_assert(offsetof(FormRecord, fixed_length) == 231);
static_assert(offsetof(FormRecord, initial_on) == 239);
static_assert(offsetof(FormRecord, initial_text) == 247);
static_assert(offsetof(FormRecord, prefix_on) == 327);
static_assert(offsetof(FormRecord, prefix) == 335);
static_assert(offsetof(FormRecord, suffix_on) == 415);
static_assert(offsetof(FormRecord, suffix) == 423);
static_assert(offsetof(FormRecord, partial_on) == 503);
static_assert(offsetof(FormRecord, partial_start) == 511);
static_assert(offsetof(FormRecord, partial_length) == 519);
static_assert(offsetof(FormRecord, leading_on) == 527);
static_assert(offsetof(FormRecord, leading_code) == 535);
static_assert(offsetof(FormRecord, auto_enter) == 583);
static_assert(offsetof(FormRecord, reserved) == 591);
static_assert(offsetof(FormRecord, last_input_line) == 599);
static_assert(offsetof(FormRecord, current_line) == 600);

static_assert(sizeof(LookupRecord) == 19);
static_assert(offsetof(LookupRecord, field_offset) == 3);
static_assert(offsetof(LookupRecord, field_length) == 11);

static_assert(sizeof(SystemSettings) == 20);
static_assert(offsetof(SystemSettings, record_prompting) == 6);
static_assert(offsetof(SystemSettings, protect) == 8);

static_assert(sizeof(ExtendedSettings) == 14);
static_assert(offsetof(ExtendedSettings, wedge_crlf) == 1);
static_assert(offsetof(ExtendedSettings, lookup_delimiter) == 2);
static_assert(offsetof(ExtendedSettings, lookup_uploadable) == 5);
static_assert(offsetof(ExtendedSettings, lookup_no_match) == 8);
static_assert(offsetof(ExtendedSettings, separate_files) == 11);
static_assert(offsetof(ExtendedSettings, reserved) == 12);

static_assert(sizeof(PageTexts) == 1862);
static_assert(offsetof(PageTexts, main_page) == 64);
static_assert(offsetof(PageTexts, utility_page) == 128);
static_assert(offsetof(PageTexts, delete_page) == 296);
static_assert(offsetof(PageTexts, lookup_page) == 488);
static_assert(offsetof(PageTexts, settings_page) == 552);
static_assert(offsetof(PageTexts, upload_page) == 720);
static_assert(offsetof(PageTexts, download_page) == 888);
static_assert(offsetof(PageTexts, baud_rate_page) == 1056);
static_assert(offsetof(PageTexts, backlight_page) == 1161);
static_assert(offsetof(PageTexts, data_erase_page) == 1245);
static_assert(offsetof(PageTexts, record_prompt_page) == 1329);
static_assert(offsetof(PageTexts, view_settings_page) == 1413);
static_assert(offsetof(PageTexts, connecting_msg) == 1581);
static_assert(offsetof(PageTexts, error_msg) == 1645);
static_assert(offsetof(PageTexts, misc_msg) == 1750);

static_assert(sizeof(Template) == 10502);
static_assert(offsetof(Template, start_target) == 2);
static_assert(offsetof(Template, barcode) == 3);
static_assert(offsetof(Template, menus) == 27);
static_assert(offsetof(Template, forms) == 2527);
static_assert(offsetof(Template, lookups) == 8537);
static_assert(offsetof(Template, field_delimiter) == 8594);
static_assert(offsetof(Template, pages) == 8596);
static_assert(offsetof(Template, system) == 10458);
static_assert(offsetof(Template, password) == 10478);
static_assert(offsetof(Template, extended) == 10488);

}  // namespace kolibra
