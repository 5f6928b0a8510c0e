#include "editor/dialogs/field_properties_dialog.h"

#include "editor/editor_templates.h"
#include "editor/text_rules.h"
#include "model/form_rules.h"
#include "model/text_slot.h"

namespace kolibra::editor {

using namespace properties_control;

namespace {

constexpr std::size_t kCodeChars = 9;
constexpr std::size_t kLeadingChars = 6;

const FieldPropertiesLayout& layout_for(const FormRecord& form, int line) {
    return form.data_type[line] == kTypeLookup ? lookup_advance_layout() : advance_layout();
}

#define KOLIBRA_LINE_BYTE(member) [](FormRecord& f, int n) -> uint8_t* { return &f.member[n]; }, 0
#define KOLIBRA_LINE_SLOT(member) \
    [](FormRecord& f, int n) -> uint8_t* { return f.member[n]; }, sizeof FormRecord{}.member[0]

}  // namespace

const FieldPropertiesLayout& advance_layout() {
    static const FieldPropertiesLayout layout{
        "AdvanceDlg",
        {
            {kFixLength, &FormRecord::fixed_length_on, {kFixedLengthBox, kAlignment}},
            {kInitial, &FormRecord::initial_on, {kInitialBox, 0}},
            {kPrefix, &FormRecord::prefix_on, {kPrefixBox, 0}},
            {kSuffix, &FormRecord::suffix_on, {kSuffixBox, 0}},
            {kPartial, &FormRecord::partial_on, {kStartBox, kMaximumBox}},
            {kLeading, &FormRecord::leading_on, {kLeadingBox, 0}},
        },
        {
            {kFixedLengthBox, BoxRule::Number, KOLIBRA_LINE_BYTE(fixed_length)},
            {kInitialBox, BoxRule::Text9, KOLIBRA_LINE_SLOT(initial_text)},
            {kPrefixBox, BoxRule::Text9, KOLIBRA_LINE_SLOT(prefix)},
            {kSuffixBox, BoxRule::Text9, KOLIBRA_LINE_SLOT(suffix)},
            {kStartBox, BoxRule::Number, KOLIBRA_LINE_BYTE(partial_start)},
            {kMaximumBox, BoxRule::MaximumLength, KOLIBRA_LINE_BYTE(partial_length)},
            {kLeadingBox, BoxRule::LeadingCode, KOLIBRA_LINE_SLOT(leading_code)},
        },
        kAlignment, kAutoEnter, 0, true};
    return layout;
}

const FieldPropertiesLayout& lookup_advance_layout() {
    // On a lookup line `initial_on` means "save field data".
    static const FieldPropertiesLayout layout{
        "LookupAdvanceDlg",
        {
            {kSaveData, &FormRecord::initial_on, {0, 0}},
            {kLookupFixLength, &FormRecord::fixed_length_on, {kLookupFixedLengthBox, kAlignment}},
            {kLookupPrefix, &FormRecord::prefix_on, {kLookupPrefixBox, 0}},
            {kLookupSuffix, &FormRecord::suffix_on, {kLookupSuffixBox, 0}},
        },
        {
            {kLookupFixedLengthBox, BoxRule::Number, KOLIBRA_LINE_BYTE(fixed_length)},
            {kLookupPrefixBox, BoxRule::Text9, KOLIBRA_LINE_SLOT(prefix)},
            {kLookupSuffixBox, BoxRule::Text9, KOLIBRA_LINE_SLOT(suffix)},
        },
        kAlignment, 0, kSaveData, false};
    return layout;
}

#undef KOLIBRA_LINE_BYTE
#undef KOLIBRA_LINE_SLOT

FieldPropertiesDialog::FieldPropertiesDialog(EditorContext& context, FormRecord& form,
                                             int form_index, int line)
    : EditorDialog(context, editor_template(layout_for(form, line).template_name)),
      layout_(layout_for(form, line)),
      form_(form),
      backup_(form),
      form_index_(form_index),
      line_(line) {}

void FieldPropertiesDialog::on_init() {
    backup_ = form_;
    set_text(kFormNumber, context().number_label(form_index_ + 1));
    set_text(kLineNumber, context().number_label(line_ + 1));
    set_entries(layout_.alignment_list, kAlignmentChoices);
    select(layout_.alignment_list, form_.alignment[line_]);
    if (layout_.auto_enter_list) {
        set_entries(layout_.auto_enter_list, kAutoEnterChoices);
        select(layout_.auto_enter_list, form_.auto_enter[line_]);
    }
    if (layout_.corrects_partial) correct_partial();
    for (const CheckBinding& c : layout_.checks) set_checked(c.check, (form_.*c.flag)[line_] != 0);
    // Filling a box is a change: each box's rule runs once here.
    for (const BoxBinding& b : layout_.boxes) {
        const uint8_t* field = b.field(form_, line_);
        set_text(b.box, b.slot ? read_slot(field, b.slot) : std::to_string(*field));
    }
    apply_enables();
}

void FieldPropertiesDialog::correct_partial() {
    if (form_.partial_start[line_] == 0) form_.partial_start[line_] = 1;
    if (form_.partial_length[line_] == 0 || form_.partial_length[line_] > kMaxDataLength)
        form_.partial_length[line_] = kMaxDataLength;
}

void FieldPropertiesDialog::apply_enables() {
    const bool master_on = !layout_.master_check || checked(layout_.master_check);
    for (const CheckBinding& c : layout_.checks) {
        if (c.check != layout_.master_check) set_enabled(c.check, master_on);
        for (int follower : c.followers) {
            if (follower) set_enabled(follower, checked(c.check));
        }
    }
}

const CheckBinding* FieldPropertiesDialog::check_of(int id) const {
    for (const CheckBinding& c : layout_.checks) {
        if (c.check == id) return &c;
    }
    return nullptr;
}

void FieldPropertiesDialog::on_clicked(int id) {
    const CheckBinding* c = check_of(id);
    if (!c) return;
    uint8_t& flag = (form_.*c->flag)[line_];
    flag = flag ? 0 : 1;
    set_checked(id, flag != 0);
    apply_enables();
}

void FieldPropertiesDialog::on_selected(int id) {
    const auto value = static_cast<uint8_t>(selection(id));
    if (id == layout_.alignment_list) form_.alignment[line_] = value;
    if (layout_.auto_enter_list && id == layout_.auto_enter_list) form_.auto_enter[line_] = value;
}

void FieldPropertiesDialog::on_text_changed(int id) {
    for (const BoxBinding& b : layout_.boxes) {
        if (b.box != id) continue;
        uint8_t* field = b.field(form_, line_);
        switch (b.rule) {
        case BoxRule::Number:
        case BoxRule::MaximumLength: {
            const TypedNumber typed = read_bounded_number(text(id));
            if (typed.kind == NumberKind::NotANumber) {
                // The replacement text is a change of its own, which stores it.
                set_text(id, b.rule == BoxRule::Number ? "1" : "0");
            } else {
                // Above 255 the byte holds 255 rather than the number's low byte.
                *field = typed.kind == NumberKind::Empty ? 0 : clamp_to_byte(typed.value);
            }
            return;
        }
        case BoxRule::Text9:
            write_slot(field, b.slot, cut_text(text(id), kCodeChars));
            return;
        case BoxRule::LeadingCode:
            if (text(id).size() > kLeadingChars) {
                set_text(id, text(id).substr(0, kLeadingChars));
            } else {
                write_full_slot(field, b.slot, text(id));
            }
            return;
        }
    }
}

void FieldPropertiesDialog::on_ok() {
    if (layout_.corrects_partial) correct_partial();
}

void FieldPropertiesDialog::on_cancel() { form_ = backup_; }

}  // namespace kolibra::editor
