#include "editor/sheet.h"

#include "editor/pages/barcode_page.h"
#include "editor/pages/form_page.h"
#include "editor/pages/lookup_page.h"
#include "editor/pages/menu_page.h"
#include "editor/pages/settings_page.h"
#include "editor/pages/startup_page.h"

namespace kolibra::editor {

const std::vector<PageEntry>& sheet_pages() {
    static const std::vector<PageEntry> pages = {
        {"Form", [](EditorContext& c) -> std::unique_ptr<PageLogic> {
             return std::make_unique<FormPage>(c);
         }},
        {"Menu", [](EditorContext& c) -> std::unique_ptr<PageLogic> {
             return std::make_unique<MenuPage>(c);
         }},
        {"Lookup", [](EditorContext& c) -> std::unique_ptr<PageLogic> {
             return std::make_unique<LookupPage>(c);
         }},
        {"Barcode", [](EditorContext& c) -> std::unique_ptr<PageLogic> {
             return std::make_unique<BarcodePage>(c);
         }},
        {"Settings", [](EditorContext& c) -> std::unique_ptr<PageLogic> {
             return std::make_unique<SettingsPage>(c);
         }},
        {"Startup", [](EditorContext& c) -> std::unique_ptr<PageLogic> {
             return std::make_unique<StartupPage>(c);
         }},
    };
    return pages;
}

Sheet::Sheet(EditorContext& context) : Sheet(context, sheet_pages()) {}

Sheet::Sheet(EditorContext& context, const std::vector<PageEntry>& pages) : context_(context) {
    for (const PageEntry& entry : pages) pages_.push_back({entry.tab, entry.make(context)});
    if (!pages_.empty()) show(0);
}

int Sheet::find_tab(std::string_view name) const {
    for (int i = 0; i < page_count(); ++i) {
        if (pages_[i].tab == name) return i;
    }
    return -1;
}

void Sheet::show(int index) {
    if (closed_ || index < 0 || index >= page_count()) return;
    current_ = index;
    if (!pages_[index].shown) {
        pages_[index].shown = true;
        pages_[index].logic->open();
    }
}

void Sheet::ok() {
    if (closed_) return;
    // OK is a change of the document only when the pages wrote a byte that
    // differs, so an OK without changes leaves nothing to save.
    context_.write_template([this](Template&) {
        for (Page& p : pages_) {
            if (p.shown) p.logic->commit();
        }
    });
    for (Page& p : pages_) {
        if (p.shown) p.logic->after_commit();
    }
    closed_ = true;
    accepted_ = true;
}

void Sheet::cancel() {
    if (closed_) return;
    closed_ = true;
    accepted_ = false;
}

}  // namespace kolibra::editor
