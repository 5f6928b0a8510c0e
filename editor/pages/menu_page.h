// The Menu page: the ten working menus, the menu shown, and the item-name
// limit that follows the shown menu's font; with the template-wide option
// that saves each form's data to a file of its own.
#pragma once

#include "editor/sheet.h"

namespace kolibra::editor {

namespace menu_control {
constexpr int kName = 700, kFont = 750, kEsc = 751;
constexpr int kCaptionOn = 101, kSaveCaption = 102, kSaveItem = 103, kPassDown = 104,
              kSeparateFiles = 105;
constexpr int kCaption = 691;
// Row i (0 to 9) of the item grid.
constexpr int item_name(int i) { return 601 + i; }
constexpr int item_next(int i) { return 701 + i; }
}  // namespace menu_control

class MenuPage : public PageLogic {
public:
    explicit MenuPage(EditorContext& context);

    int current_menu() const { return current_; }
    int item_limit() const { return item_limit_; }

    void commit() override;

protected:
    void on_init() override;
    void on_text_changed(int id) override;
    void on_clicked(int id) override;
    void on_selected(int id) override;

private:
    MenuRecord& menu() { return menus_[current_]; }
    void show_menu();
    void apply_pass_down_rule();
    // Inverts a stored flag and shows it on its box.
    void toggle(int box, uint8_t& flag);

    MenuRecord menus_[kMenuCount]{};
    uint8_t separate_files_ = 0;
    int current_ = 0;
    int item_limit_ = 20;
};

}  // namespace kolibra::editor
