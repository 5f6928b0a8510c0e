// The Startup page: where the terminal program starts, the collected
// record's field delimiter (none, one or two characters, each shown as its
// code and as the character itself), and the buttons that open the
// screen-text dialogs.
#pragma once

#include "editor/sheet.h"

namespace kolibra::editor {

namespace startup_control {
constexpr int kStart = 700, kDelimiterCount = 701;
// Delimiter character c (0 or 1): its code and the character itself.
constexpr int value(int c) { return 601 + c; }
constexpr int character(int c) { return 603 + c; }
// The screen-text buttons, 201 upward in the order of the template's pages.
constexpr int kFirstScreenButton = 201;
}  // namespace startup_control

class StartupPage : public PageLogic {
public:
    explicit StartupPage(EditorContext& context);

    void commit() override;

protected:
    void on_init() override;
    void on_text_changed(int id) override;
    void on_clicked(int id) override;
    void on_selected(int id) override;

private:
    void enable_delimiters();
    void value_changed(int c);
    void character_changed(int c);

    uint8_t start_ = 0;
    int count_ = 0;
    uint8_t codes_[2]{};
    // Set while a value edit and its character edit update each other, so
    // the echo of one change does not start another.
    bool echo_ = false;
};

}  // namespace kolibra::editor
