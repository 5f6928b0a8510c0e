#include "editor/pages/menu_page.h"

#include "editor/editor_templates.h"
#include "model/form_rules.h"
#include "model/text_slot.h"

namespace kolibra::editor {

namespace {

using namespace menu_control;

constexpr std::size_t kCaptionRead = 34;
constexpr std::size_t kCaptionChars = 20;  // whatever the menu's font
constexpr std::size_t kItemNameRead = 24;

std::vector<std::string> target_entries() {
    std::vector<std::string> entries;
    for (int t = 0; t < kTargetCount; ++t) entries.push_back(target_name(static_cast<unsigned>(t)));
    return entries;
}

}  // namespace

MenuPage::MenuPage(EditorContext& context) : PageLogic(context, editor_template("MENUDLG")) {}

void MenuPage::on_init() {
    for (int m = 0; m < kMenuCount; ++m) menus_[m] = tpl().menus[m];
    separate_files_ = tpl().extended.separate_files;
    std::vector<std::string> names;
    for (int m = 1; m <= kMenuCount; ++m) names.push_back(context().numbered_name("menu  ", m));
    set_entries(kName, std::move(names));
    select(kName, 0);
    current_ = 0;
    set_entries(kFont, kFontChoices);
    set_entries(kEsc, target_entries());
    for (int i = 0; i < kMenuItems; ++i) set_entries(item_next(i), target_entries());
    show_menu();
}

void MenuPage::show_menu() {
    MenuRecord& m = menu();
    // The limit follows the font before the item boxes are refilled, so a
    // refill passes the stored names through the shown menu's limit.
    item_limit_ = line_width(m.font);
    select(kFont, m.font);
    select(kEsc, m.esc_target);
    for (int i = 0; i < kMenuItems; ++i) select(item_next(i), m.item_next[i]);
    set_text(kCaption, read_slot(m.caption));
    set_checked(kCaptionOn, m.caption_on != 0);
    set_enabled(kCaption, m.caption_on != 0);
    for (int i = 0; i < kMenuItems; ++i) set_text(item_name(i), read_slot(m.item_name[i]));
    set_checked(kSaveCaption, m.save_caption != 0);
    set_checked(kSaveItem, m.save_selected_item != 0);
    set_checked(kPassDown, m.pass_down != 0);
    set_checked(kSeparateFiles, separate_files_ != 0);
    apply_pass_down_rule();
}

void MenuPage::apply_pass_down_rule() {
    MenuRecord& m = menu();
    const bool saves = m.save_caption != 0 || m.save_selected_item != 0;
    if (separate_files_ != 0) {
        m.pass_down = saves ? 1 : 0;
        set_enabled(kPassDown, false);
    } else if (!saves) {
        m.pass_down = 0;
        set_enabled(kPassDown, false);
    } else {
        set_enabled(kPassDown, true);
    }
    set_checked(kPassDown, m.pass_down != 0);
}

void MenuPage::toggle(int box, uint8_t& flag) {
    flag = flag != 0 ? 0 : 1;
    set_checked(box, flag != 0);
}

void MenuPage::on_text_changed(int id) {
    MenuRecord& m = menu();
    if (id == kCaption) {
        const std::string_view typed = cut_text(text(id), kCaptionRead);
        if (typed.size() > kCaptionChars) {
            set_text(id, std::string(typed.substr(0, kCaptionChars)));
            return;
        }
        write_slot(m.caption, typed);
        return;
    }
    for (int i = 0; i < kMenuItems; ++i) {
        if (id != item_name(i)) continue;
        const std::string_view typed = cut_text(text(id), kItemNameRead);
        if (typed.size() > static_cast<std::size_t>(item_limit_)) {
            // Cutting the box is itself a change, which stores the cut name.
            set_text(id, std::string(typed.substr(0, item_limit_)));
        } else {
            write_slot(m.item_name[i], typed);
        }
        return;
    }
}

void MenuPage::on_clicked(int id) {
    MenuRecord& m = menu();
    switch (id) {
    case kCaptionOn:
        toggle(kCaptionOn, m.caption_on);
        set_enabled(kCaption, m.caption_on != 0);
        return;
    case kSaveCaption:
        toggle(kSaveCaption, m.save_caption);
        apply_pass_down_rule();
        return;
    case kSaveItem:
        toggle(kSaveItem, m.save_selected_item);
        apply_pass_down_rule();
        return;
    case kSeparateFiles:
        toggle(kSeparateFiles, separate_files_);
        apply_pass_down_rule();
        return;
    case kPassDown:
        toggle(kPassDown, m.pass_down);
        return;
    default:
        return;
    }
}

void MenuPage::on_selected(int id) {
    const int chosen = selection(id);
    const uint8_t value = static_cast<uint8_t>(chosen);
    if (id == kName) {
        if (chosen == current_) return;
        current_ = chosen;
        show_menu();
        return;
    }
    MenuRecord& m = menu();
    if (id == kFont) {
        // Names already stored keep their length until their box is refilled.
        m.font = value;
        item_limit_ = line_width(m.font);
        return;
    }
    if (id == kEsc) {
        m.esc_target = value;
        return;
    }
    for (int i = 0; i < kMenuItems; ++i) {
        if (id == item_next(i)) {
            m.item_next[i] = value;
            return;
        }
    }
}

void MenuPage::commit() {
    Template& t = tpl();
    for (int m = 0; m < kMenuCount; ++m) t.menus[m] = menus_[m];
    // Only this one byte of the extended settings is the Menu page's.
    t.extended.separate_files = separate_files_;
}

}  // namespace kolibra::editor
