// The eighteen screen-text dialogs: one edit per line of a built-in terminal
// screen, cut to the screen's width. They write straight into the Template
// at their OK, so their changes stay even when the editor is cancelled.
// One class serves all of them, driven by a table of which dialog template
// edits which page text block.
#pragma once

#include "editor/dialog_logic.h"

namespace kolibra::editor {

constexpr int kFirstLineEdit = 601;

struct ScreenTextLayout {
    PageId page;
    const char* template_name;
};

// The dialogs in the order of the template's page text blocks.
const ScreenTextLayout& screen_text_layout(PageId page);

class ScreenTextDialog : public EditorDialog {
public:
    ScreenTextDialog(EditorContext& context, PageId page);

protected:
    void on_init() override;
    void on_text_changed(int id) override;
    void on_ok() override;

private:
    // The lines whose edits the user may change.
    bool editable(int line) const;

    PageId page_;
    int lines_;
    std::size_t width_;
};

}  // namespace kolibra::editor
