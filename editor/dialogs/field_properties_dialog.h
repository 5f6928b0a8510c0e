// The two "Properties" dialogs of a form line: "AdvanceDlg" for every line
// type with properties but "lookup", "LookupAdvanceDlg" for lookup lines.
// Both edit the Form page's working form directly and put the whole form
// back as it was on Cancel. One class serves both, driven by a table of
// which control edits which field of the line.
#pragma once

#include "editor/dialog_logic.h"

namespace kolibra::editor {

// Control numbers of the two dialogs (the lookup dialog numbers its boxes
// 601 to 603 and its check boxes 101 to 104 in its own order).
namespace properties_control {
constexpr int kFormNumber = 501, kLineNumber = 502;
constexpr int kAlignment = 701, kAutoEnter = 702;
// "AdvanceDlg"
constexpr int kFixLength = 101, kInitial = 102, kPrefix = 103, kSuffix = 104, kPartial = 106,
              kLeading = 108;
constexpr int kFixedLengthBox = 601, kInitialBox = 602, kPrefixBox = 603, kSuffixBox = 604,
              kStartBox = 606, kMaximumBox = 607, kLeadingBox = 608;
// "LookupAdvanceDlg"
constexpr int kSaveData = 101, kLookupFixLength = 102, kLookupPrefix = 103, kLookupSuffix = 104;
constexpr int kLookupFixedLengthBox = 601, kLookupPrefixBox = 602, kLookupSuffixBox = 603;
}  // namespace properties_control

// A per-line flag or number of FormRecord.
using LineBytes = uint8_t (FormRecord::*)[kFormLines];

enum class BoxRule {
    Number,        // a number, stored in one byte; not a number becomes "1"
    MaximumLength, // the same; not a number becomes "0"
    Text9,         // the first 9 characters and a zero byte, in a 10-byte slot
    LeadingCode,   // cut to 6 in the box; fills the 6-byte slot
};

// A check box, its flag, and the controls that follow it.
struct CheckBinding {
    int check;
    LineBytes flag;
    int followers[2];  // boxes or lists enabled while ticked; 0 for none
};

struct BoxBinding {
    int box;
    BoxRule rule;
    // The line's byte (numbers) or the start of its text slot.
    uint8_t* (*field)(FormRecord& form, int line);
    std::size_t slot;  // slot size for texts
};

struct FieldPropertiesLayout {
    const char* template_name;
    std::vector<CheckBinding> checks;
    std::vector<BoxBinding> boxes;
    int alignment_list;
    int auto_enter_list;  // 0 when the dialog has none
    // The check box that enables the other check boxes (0 for none).
    int master_check;
    bool corrects_partial;  // start position and maximum length corrected at open and OK
};

const FieldPropertiesLayout& advance_layout();
const FieldPropertiesLayout& lookup_advance_layout();

class FieldPropertiesDialog : public EditorDialog {
public:
    // `form` is the working form `form_index` (0-based); `line` 0 to 7.
    FieldPropertiesDialog(EditorContext& context, FormRecord& form, int form_index, int line);

protected:
    void on_init() override;
    void on_text_changed(int id) override;
    void on_clicked(int id) override;
    void on_selected(int id) override;
    void on_ok() override;
    void on_cancel() override;

private:
    void apply_enables();
    void correct_partial();
    const CheckBinding* check_of(int id) const;

    const FieldPropertiesLayout& layout_;
    FormRecord& form_;
    FormRecord backup_;
    int form_index_;
    int line_;
};

}  // namespace kolibra::editor
