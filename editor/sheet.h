// The template editor's property sheet without a window: its pages in order,
// each initialised when first shown; OK commits the shown pages in page
// order, Cancel drops every working copy.
#pragma once

#include "editor/dialog_logic.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kolibra::editor {

constexpr char kSheetCaption[] = "Application Template";

// A page of the sheet: a dialog whose work reaches the Template at OK.
class PageLogic : public EditorDialog {
public:
    using EditorDialog::EditorDialog;
    // The page's share of OK, in page order.
    virtual void commit() = 0;
    // Runs after every shown page has committed, in page order, for work
    // that depends on what the later pages wrote.
    virtual void after_commit() {}

protected:
    bool closes_on_buttons() const override { return false; }
};

using PageFactory = std::function<std::unique_ptr<PageLogic>(EditorContext& context)>;

struct PageEntry {
    const char* tab;  // the tab's caption
    PageFactory make;
};

// The pages that exist, in sheet order.
const std::vector<PageEntry>& sheet_pages();

class Sheet {
public:
    // Creates every page (not yet initialised) and shows the first.
    explicit Sheet(EditorContext& context);
    // The same with other pages (tests).
    Sheet(EditorContext& context, const std::vector<PageEntry>& pages);

    int page_count() const { return static_cast<int>(pages_.size()); }
    const std::string& tab(int index) const { return pages_[index].tab; }
    PageLogic& page(int index) { return *pages_[index].logic; }
    // The page whose tab reads `name`, or -1.
    int find_tab(std::string_view name) const;

    int current() const { return current_; }
    // Shows page `index`, initialising it on its first showing.
    void show(int index);
    bool shown(int index) const { return pages_[index].shown; }

    void ok();
    void cancel();
    bool closed() const { return closed_; }
    bool accepted() const { return accepted_; }

private:
    struct Page {
        std::string tab;
        std::unique_ptr<PageLogic> logic;
        bool shown = false;
    };
    EditorContext& context_;
    std::vector<Page> pages_;
    int current_ = 0;
    bool closed_ = false;
    bool accepted_ = false;
};

}  // namespace kolibra::editor
