#include "editor/pages/form_page.h"

#include "editor/dialogs/field_properties_dialog.h"
#include "editor/editor_templates.h"
#include "editor/text_rules.h"
#include "model/form_rules.h"
#include "model/text_slot.h"
#include "simulator/lcd_model.h"
#include "simulator/sim_runtime.h"

namespace kolibra::editor {

namespace {

using namespace form_control;

// Rows from here on are hidden by the large font.
constexpr int kLargeFontLines = 4;
constexpr std::size_t kPromptRead = 21;

bool in(uint8_t t, std::initializer_list<uint8_t> types) {
    for (uint8_t x : types) {
        if (t == x) return true;
    }
    return false;
}

std::vector<std::string> target_entries() {
    std::vector<std::string> entries;
    for (int t = 0; t < kTargetCount; ++t) entries.push_back(target_name(static_cast<unsigned>(t)));
    return entries;
}

std::vector<std::string> lookup_link_entries() {
    std::vector<std::string> entries;
    for (int l = 0; l < kLookupLinkCount; ++l) entries.push_back(lookup_link_name(static_cast<unsigned>(l)));
    return entries;
}

}  // namespace

FormPage::FormPage(EditorContext& context) : PageLogic(context, editor_template("FORMDLG")) {}

void FormPage::on_init() {
    for (int f = 0; f < kFormCount; ++f) forms_[f] = tpl().forms[f];
    std::vector<std::string> names;
    for (int f = 1; f <= kFormCount; ++f) names.push_back(context().numbered_name("form  ", f));
    set_entries(kName, std::move(names));
    select(kName, 0);
    current_form_ = 0;

    set_entries(kFont, kFontChoices);
    set_entries(kEsc, target_entries());
    set_entries(kNext, target_entries());
    set_entries(kDateStamp, kDateStampChoices);
    set_entries(kTimeStamp, kTimeStampChoices);
    set_entries(kLookupFile, kLookupFileChoices);
    set_entries(kRecordAction, kRecordActionChoices);
    for (int n = 0; n < kFormLines; ++n) {
        set_entries(data_type(n), kDataTypeChoices);
        set_entries(input_source(n), kInputSourceChoices);
        set_entries(lookup_link(n), lookup_link_entries());
    }
    show_form();
}

void FormPage::show_form() {
    FormRecord& f = working_form();
    prompt_limit_ = line_width(f.font);
    select(kFont, f.font);
    select(kEsc, f.esc_target);
    select(kNext, f.next_target);
    select(kDateStamp, f.date_stamp);
    select(kTimeStamp, f.time_stamp);
    select(kLookupFile, f.lookup_file);
    select(kRecordAction, f.record_action);
    for (int n = 0; n < kFormLines; ++n) {
        select(data_type(n), f.data_type[n]);
        select(input_source(n), f.input_source[n]);
        select(lookup_link(n), f.lookup_link[n]);
        // Filling a box is a change: the prompt and number rules run on it.
        set_text(prompt(n), read_slot(f.prompt[n]));
        set_text(min_length(n), std::to_string(f.min_length[n]));
        set_text(max_length(n), std::to_string(f.max_length[n]));
    }
    for (int n = 0; n < kFormLines; ++n) apply_line_rule(n);
    apply_font_rule();
}

void FormPage::apply_line_rule(int row) {
    const uint8_t t = working_form().data_type[row];
    set_enabled(data_type(row), true);
    set_enabled(prompt(row), t != kTypeNil && t != kTypeExtension);
    set_enabled(more(row), in(t, {kTypeText, kTypeInteger, kTypeReal, kTypeLetter, kTypeFixedData,
                                  kTypeLookup, kTypeBoolean}));
    set_enabled(input_source(row),
                in(t, {kTypeText, kTypeInteger, kTypeReal, kTypeLetter, kTypeBoolean}));
    set_enabled(lookup_link(row), in(t, {kTypeText, kTypeInteger, kTypeReal, kTypeLetter,
                                         kTypeLookup, kTypeBoolean}));
    const bool lengths = in(t, {kTypeText, kTypeInteger, kTypeReal, kTypeLetter});
    set_enabled(min_length(row), lengths);
    set_enabled(max_length(row), lengths);
}

void FormPage::apply_font_rule() {
    const bool large = working_form().font != 0;
    prompt_limit_ = line_width(working_form().font);
    for (int n = kLargeFontLines; n < kFormLines; ++n) {
        if (large) {
            for (int id : {data_type(n), prompt(n), input_source(n), min_length(n), max_length(n),
                           lookup_link(n), more(n)})
                set_enabled(id, false);
        } else {
            apply_line_rule(n);
        }
    }
}

void FormPage::on_text_changed(int id) {
    for (int n = 0; n < kFormLines; ++n) {
        if (id == prompt(n)) {
            const std::string_view typed = cut_text(text(id), kPromptRead);
            if (typed.size() > static_cast<std::size_t>(prompt_limit_)) {
                // Cutting the box is itself a change, which stores the cut text.
                set_text(id, std::string(typed.substr(0, prompt_limit_)));
            } else {
                write_slot(working_form().prompt[n], typed);
            }
            return;
        }
        if (id == min_length(n)) return length_changed(n, false);
        if (id == max_length(n)) return length_changed(n, true);
    }
}

void FormPage::length_changed(int row, bool maximum) {
    const int id = maximum ? max_length(row) : min_length(row);
    uint8_t& field = maximum ? working_form().max_length[row] : working_form().min_length[row];
    const TypedNumber typed = read_bounded_number(text(id));
    std::optional<uint8_t> stored;
    switch (typed.kind) {
    case NumberKind::NotANumber:
        set_text(id, "0");
        stored = 0;
        break;
    case NumberKind::Empty:
        stored = 0;
        break;
    case NumberKind::Number:
        if (typed.value <= static_cast<unsigned long>(kMaxDataLength))
            stored = static_cast<uint8_t>(typed.value);
        break;
    }
    if (working_form().data_type[row] == kTypeBoolean) stored = 1;
    if (stored) field = *stored;
}

void FormPage::on_selected(int id) {
    const int chosen = selection(id);
    if (id == kName) {
        if (chosen == current_form_) return;
        current_form_ = chosen;
        show_form();
        return;
    }
    FormRecord& f = working_form();
    const uint8_t value = static_cast<uint8_t>(chosen);
    switch (id) {
    case kFont:
        f.font = value;
        apply_font_rule();
        return;
    case kEsc: f.esc_target = value; return;
    case kNext: f.next_target = value; return;
    case kDateStamp: f.date_stamp = value; return;
    case kTimeStamp: f.time_stamp = value; return;
    case kLookupFile: f.lookup_file = value; return;
    case kRecordAction: f.record_action = value; return;
    default: break;
    }
    for (int n = 0; n < kFormLines; ++n) {
        if (id == data_type(n)) {
            f.data_type[n] = value;
            apply_line_rule(n);
            apply_font_rule();
            return;
        }
        if (id == input_source(n)) {
            f.input_source[n] = value;
            return;
        }
        if (id == lookup_link(n)) {
            f.lookup_link[n] = value;
            return;
        }
    }
}

void FormPage::on_clicked(int id) {
    for (int n = 0; n < kFormLines; ++n) {
        if (id != more(n)) continue;
        current_line_ = n;
        FieldPropertiesDialog dialog(context(), working_form(), current_form_, current_line_);
        run_modal(dialog);
        return;
    }
}

void FormPage::commit() {
    Template& t = tpl();
    for (int f = 0; f < kFormCount; ++f) t.forms[f] = forms_[f];
    normalize_forms(t);
    spread_extensions(t);
}

void FormPage::after_commit() {
    // Counted once every shown page has committed, so a lookup file defined
    // in this same opening of the editor shows on the utility menu at once.
    const SimulatorHooks& sim = context().simulator();
    if (sim.set_utility_lines) sim.set_utility_lines(utility_lines_for(tpl()));
    if (sim.press_key) sim.press_key(key::kRestart);
}

}  // namespace kolibra::editor
