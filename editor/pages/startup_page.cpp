#include "editor/pages/startup_page.h"

#include "editor/dialogs/screen_text_dialog.h"
#include "editor/editor_templates.h"
#include "editor/text_rules.h"

namespace kolibra::editor {

namespace {

using namespace startup_control;

constexpr int kDelimiters = 2;
constexpr unsigned long kCodeLimit = 256;

std::string character_text(uint8_t code) {
    return code == 0 ? std::string() : std::string(1, static_cast<char>(code));
}

}  // namespace

StartupPage::StartupPage(EditorContext& context) : PageLogic(context, editor_template("STARTUPDLG")) {}

void StartupPage::on_init() {
    const Template& t = tpl();
    count_ = t.field_delimiter[0] == 0 ? 0 : t.field_delimiter[1] != 0 ? 2 : 1;
    start_ = t.start_target;
    codes_[0] = t.field_delimiter[0];
    codes_[1] = t.field_delimiter[1];
    echo_ = false;
    set_entries(kStart, kStartTargetChoices);
    select(kStart, start_);
    set_entries(kDelimiterCount, kDelimiterCountChoices);
    select(kDelimiterCount, count_);
    // The edits' rules run on these fills and echo each other, to the same codes.
    const uint8_t codes[kDelimiters] = {codes_[0], codes_[1]};
    for (int c = 0; c < kDelimiters; ++c) set_text(value(c), std::to_string(codes[c]));
    for (int c = 0; c < kDelimiters; ++c) set_text(character(c), character_text(codes[c]));
    enable_delimiters();
}

void StartupPage::enable_delimiters() {
    for (int c = 0; c < kDelimiters; ++c) {
        set_enabled(value(c), count_ > c);
        set_enabled(character(c), count_ > c);
    }
}

void StartupPage::value_changed(int c) {
    const TypedNumber typed = read_bounded_number(text(value(c)));
    if (typed.kind != NumberKind::Number) {
        if (typed.kind == NumberKind::NotANumber) set_text(value(c), "0");
        return;
    }
    if (typed.value >= kCodeLimit) return;
    codes_[c] = static_cast<uint8_t>(typed.value);
    if (echo_) {
        echo_ = false;
    } else {
        echo_ = true;
        set_text(character(c), character_text(codes_[c]));
    }
}

void StartupPage::character_changed(int c) {
    const std::string& typed = text(character(c));
    if (typed.size() >= 2) {
        set_text(character(c), typed.substr(0, 1));
        return;
    }
    codes_[c] = typed.empty() ? 0 : static_cast<uint8_t>(typed[0]);
    if (echo_) {
        echo_ = false;
    } else {
        echo_ = true;
        set_text(value(c), std::to_string(codes_[c]));
    }
}

void StartupPage::on_text_changed(int id) {
    for (int c = 0; c < kDelimiters; ++c) {
        if (id == value(c)) return value_changed(c);
        if (id == character(c)) return character_changed(c);
    }
}

void StartupPage::on_selected(int id) {
    if (id == kStart) start_ = static_cast<uint8_t>(selection(id));
    if (id == kDelimiterCount) {
        count_ = selection(id);
        enable_delimiters();
    }
}

void StartupPage::on_clicked(int id) {
    const int screen = id - kFirstScreenButton;
    if (screen < 0 || screen >= kPageTextCount) return;
    ScreenTextDialog dialog(context(), static_cast<PageId>(screen));
    run_modal(dialog);
}

void StartupPage::commit() {
    Template& t = tpl();
    t.start_target = start_;
    t.field_delimiter[0] = codes_[0];
    t.field_delimiter[1] = codes_[1];
    if (count_ < 2) t.field_delimiter[1] = 0;
    if (count_ < 1) t.field_delimiter[0] = 0;
}

}  // namespace kolibra::editor
