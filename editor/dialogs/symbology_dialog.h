// The thirteen symbology parameter dialogs of the Barcode page. Each is a
// description (its check boxes, its radio groups, its length qualification)
// driving the one SymbologyDialog. A dialog reads its bits from the Template
// when it opens and writes them straight into it at OK; Cancel writes nothing.
#pragma once

#include "editor/dialog_logic.h"
#include "editor/dialogs/symbology_bits.h"

#include <optional>
#include <vector>

namespace kolibra::editor {

namespace symbology_control {
// The length qualification's labels and boxes: length 1 and length 2.
constexpr int kLength1Label = 501, kLength2Label = 502;
constexpr int kLength1Box = 601, kLength2Box = 602;
}  // namespace symbology_control

struct SymbologyCheck {
    int id;
    BarcodeBits bits;
};

// Radio buttons first_id, first_id + 1, ...: the k-th stores values[k] in
// `bits`. On opening the button whose value is stored is selected; when none
// matches, the first when `unmatched_selects_first`, else none.
struct SymbologyRadios {
    int first_id;
    BarcodeBits bits;
    std::vector<uint8_t> values;
    bool unmatched_selects_first = false;
};

// "Fixed Length" (fixed_radio) and "Max / Min Length" (fixed_radio + 1); byte
// `first_byte` holds the mode in bit 7 and length 1 below it, the next byte
// length 2.
struct LengthQualification {
    int fixed_radio;
    int first_byte;
};

struct SymbologyLayout {
    int button;  // the Barcode page's "Parameters..." button that opens it
    const char* template_name;
    std::vector<SymbologyCheck> checks;
    std::vector<SymbologyRadios> radios;
    std::optional<LengthQualification> length;
};

// The thirteen descriptions, in the order of their buttons.
const std::vector<SymbologyLayout>& symbology_layouts();
// The description opened by `button`, or nullptr.
const SymbologyLayout* symbology_layout_for(int button);

class SymbologyDialog : public EditorDialog {
public:
    SymbologyDialog(EditorContext& context, const SymbologyLayout& layout);

protected:
    void on_init() override;
    void on_text_changed(int id) override;
    void on_clicked(int id) override;
    void on_ok() override;

private:
    void show_length_labels(bool max_min);
    int checked_radio(const SymbologyRadios& group) const;

    const SymbologyLayout& layout_;
    unsigned long length1_ = 0;
    unsigned long length2_ = 0;
};

}  // namespace kolibra::editor
