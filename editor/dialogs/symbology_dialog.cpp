#include "editor/dialogs/symbology_dialog.h"

#include "editor/editor_templates.h"
#include "editor/text_rules.h"

#include <string>

namespace kolibra::editor {

using namespace symbology_control;

namespace {

constexpr unsigned long kLength1Max = 127;
constexpr unsigned long kLength1Default = 127;  // an empty or unreadable length 1
constexpr unsigned long kLength2Default = 1;    // an empty or unreadable length 2
constexpr uint8_t kMaxMinModeBit = 0x80;
constexpr uint8_t kLength1Mask = 0x7f;

constexpr char kFixedLength1[] = "Fixed Length 1:";
constexpr char kFixedLength2[] = "Fixed Length 2:";
constexpr char kMaxLength[] = "Max Length :";
constexpr char kMinLength[] = "Min Length :";

// Radio buttons that store their position: 0, 1, 2.
const std::vector<uint8_t> kThreePositions = {0, 1, 2};
// "None", then the four start/stop pairs: bit 3 of the field's three bits set
// and the pair's position in bits 4 and 5.
const std::vector<uint8_t> kCodabarValues = {0, 1, 3, 5, 7};
// "Original Telepen  (Numeric)" stores 1, "AIM Telepen  (Full ASCII)" 0.
const std::vector<uint8_t> kTelepenValues = {1, 0};

}  // namespace

const std::vector<SymbologyLayout>& symbology_layouts() {
    static const std::vector<SymbologyLayout> layouts = {
        {201, "Code39Dlg", {{101, {5, 7}}, {102, {5, 6}}, {103, {5, 5}}, {104, {5, 4}}}, {}, {}},
        {202, "ItalyPharmaDlg", {{101, {5, 3}}}, {}, {}},
        {203, "FrenchPharmaDlg", {{101, {5, 2}}}, {}, {}},
        {204, "Industrial25Dlg", {{101, {6, 7}}, {102, {6, 6}}},
         {{401, {6, 0, 2}, kThreePositions}}, LengthQualification{404, 12}},
        {205, "Interleave25Dlg", {{101, {5, 1}}, {102, {5, 0}}, {103, {7, 2}}},
         {{401, {6, 2, 2}, kThreePositions}}, LengthQualification{404, 14}},
        {206, "Matrix25Dlg", {{101, {6, 5}}, {102, {6, 4}}},
         {{401, {7, 6, 2}, kThreePositions}}, LengthQualification{404, 16}},
        {207, "CodabarDlg", {}, {{401, {7, 3, 3}, kCodabarValues, true}}, {}},
        {208, "MSIDlg", {},
         {{401, {9, 6, 2}, kThreePositions}, {404, {9, 4, 2}, kThreePositions}},
         LengthQualification{407, 18}},
        {209, "PlesseyDlg", {{101, {9, 2}}, {102, {9, 3}}}, {}, {}},
        {213, "UPCEDlg", {{101, {9, 1}}, {102, {10, 1}}, {103, {10, 5}}}, {}, {}},
        {216, "EAN8Dlg", {{101, {11, 7}}, {102, {10, 3}}}, {}, {}},
        {219, "EAN13Dlg",
         {{101, {10, 7}}, {102, {10, 6}}, {103, {10, 2}}, {104, {10, 0}}, {105, {10, 4}},
          {106, {9, 0}}},
         {}, {}},
        {223, "TelepenDlg", {}, {{401, {2, 1, 1}, kTelepenValues}}, {}},
    };
    return layouts;
}

const SymbologyLayout* symbology_layout_for(int button) {
    for (const SymbologyLayout& layout : symbology_layouts()) {
        if (layout.button == button) return &layout;
    }
    return nullptr;
}

SymbologyDialog::SymbologyDialog(EditorContext& context, const SymbologyLayout& layout)
    : EditorDialog(context, editor_template(layout.template_name)), layout_(layout) {}

void SymbologyDialog::on_init() {
    const BarcodeSettings& b = tpl().barcode;
    for (const SymbologyCheck& c : layout_.checks) set_checked(c.id, read_bits(b, c.bits) != 0);
    for (const SymbologyRadios& group : layout_.radios) {
        const unsigned stored = read_bits(b, group.bits);
        int chosen = group.unmatched_selects_first ? 0 : -1;
        for (std::size_t k = 0; k < group.values.size(); ++k) {
            if (group.values[k] == stored) chosen = static_cast<int>(k);
        }
        for (std::size_t k = 0; k < group.values.size(); ++k)
            set_checked(group.first_id + static_cast<int>(k), static_cast<int>(k) == chosen);
    }
    if (const auto& length = layout_.length) {
        const uint8_t first = b.bytes[length->first_byte];
        const bool max_min = (first & kMaxMinModeBit) != 0;
        set_checked(length->fixed_radio, !max_min);
        set_checked(length->fixed_radio + 1, max_min);
        show_length_labels(max_min);
        // Filling the boxes is a change: their rules set the two lengths.
        set_text(kLength1Box, std::to_string(first & kLength1Mask));
        set_text(kLength2Box, std::to_string(b.bytes[length->first_byte + 1]));
    }
}

void SymbologyDialog::show_length_labels(bool max_min) {
    set_text(kLength1Label, max_min ? kMaxLength : kFixedLength1);
    set_text(kLength2Label, max_min ? kMinLength : kFixedLength2);
}

void SymbologyDialog::on_text_changed(int id) {
    if (!layout_.length || (id != kLength1Box && id != kLength2Box)) return;
    const TypedNumber typed = read_bounded_number(text(id));
    if (id == kLength1Box) {
        switch (typed.kind) {
        case NumberKind::NotANumber: set_text(id, std::to_string(kLength1Default)); return;
        case NumberKind::Empty: length1_ = kLength1Default; return;
        // A larger number counts as the largest while the box keeps the text.
        case NumberKind::Number: length1_ = typed.value > kLength1Max ? kLength1Max : typed.value; return;
        }
    } else {
        switch (typed.kind) {
        case NumberKind::NotANumber: set_text(id, std::to_string(kLength2Default)); return;
        case NumberKind::Empty: length2_ = kLength2Default; return;
        case NumberKind::Number: length2_ = typed.value; return;
        }
    }
}

void SymbologyDialog::on_clicked(int id) {
    if (!layout_.length) return;
    if (id == layout_.length->fixed_radio) show_length_labels(false);
    else if (id == layout_.length->fixed_radio + 1) show_length_labels(true);
}

int SymbologyDialog::checked_radio(const SymbologyRadios& group) const {
    for (std::size_t k = 0; k < group.values.size(); ++k) {
        if (checked(group.first_id + static_cast<int>(k))) return static_cast<int>(k);
    }
    return -1;
}

void SymbologyDialog::on_ok() {
    context().write_template([this](Template& t) {
        BarcodeSettings& b = t.barcode;
        for (const SymbologyCheck& c : layout_.checks) write_bits(b, c.bits, checked(c.id) ? 1 : 0);
        for (const SymbologyRadios& group : layout_.radios) {
            // With no button selected the stored choice stays as it was.
            const int k = checked_radio(group);
            if (k >= 0) write_bits(b, group.bits, group.values[k]);
        }
        if (const auto& length = layout_.length) {
            unsigned long length1 = length1_ == 0 ? 1 : length1_;
            unsigned long length2 = length2_ > length1 ? length1 : length2_;
            if (length2 == 0) length2 = 1;
            const bool max_min = checked(length->fixed_radio + 1);
            b.bytes[length->first_byte] =
                static_cast<uint8_t>((max_min ? kMaxMinModeBit : 0) | (length1 & kLength1Mask));
            b.bytes[length->first_byte + 1] = static_cast<uint8_t>(length2);
        }
    });
}

}  // namespace kolibra::editor
