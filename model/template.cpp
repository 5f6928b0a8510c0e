#include "model/template.h"

namespace kolibra {

namespace {

constexpr PageTextInfo kPages[kPageTextCount] = {
    {"Welcome page (4x15)", 4, 15, 4, 16, offsetof(PageTexts, welcome_page)},
    {"Main menu (3x15)", 3, 15, 4, 16, offsetof(PageTexts, main_page)},
    {"Utility menu (8x20)", 8, 20, 8, 21, offsetof(PageTexts, utility_page)},
    {"Delete menu (4x15)", 4, 15, 4, 16, offsetof(PageTexts, delete_page)},
    {"Confirm page (3x15)", 3, 15, 4, 16, offsetof(PageTexts, confirm_page)},
    {"Memory & Battery (4x15)", 4, 15, 4, 16, offsetof(PageTexts, memory_page)},
    {"Download Lookup (4x15)", 4, 15, 4, 16, offsetof(PageTexts, lookup_page)},
    {"System Settings (8x20)", 8, 20, 8, 21, offsetof(PageTexts, settings_page)},
    {"Upload menu (8x20)", 8, 20, 8, 21, offsetof(PageTexts, upload_page)},
    {"Download menu (8x20)", 8, 20, 8, 21, offsetof(PageTexts, download_page)},
    {"Baud rate menu (5x20)", 5, 20, 5, 21, offsetof(PageTexts, baud_rate_page)},
    {"Backlight setting (4x20)", 4, 20, 4, 21, offsetof(PageTexts, backlight_page)},
    {"Data erasing (4x20)", 4, 20, 4, 21, offsetof(PageTexts, data_erase_page)},
    {"Record prompt (4x20)", 4, 20, 4, 21, offsetof(PageTexts, record_prompt_page)},
    {"View settings (8x20)", 8, 20, 8, 21, offsetof(PageTexts, view_settings_page)},
    {"Connecting messages (4x15)", 4, 15, 4, 16, offsetof(PageTexts, connecting_msg)},
    {"Error messages (5x20)", 5, 20, 5, 21, offsetof(PageTexts, error_msg)},
    {"Miscellaneous messages (7x15)", 7, 15, 7, 16, offsetof(PageTexts, misc_msg)},
};

}  // namespace

const PageTextInfo& page_text_info(PageId id) { return kPages[static_cast<int>(id)]; }

uint8_t* page_slot(Template& t, PageId id, int slot) {
    const PageTextInfo& info = page_text_info(id);
    return reinterpret_cast<uint8_t*>(&t.pages) + info.offset + slot * info.slot_size;
}

const uint8_t* page_slot(const Template& t, PageId id, int slot) {
    const PageTextInfo& info = page_text_info(id);
    return reinterpret_cast<const uint8_t*>(&t.pages) + info.offset + slot * info.slot_size;
}

}  // namespace kolibra
