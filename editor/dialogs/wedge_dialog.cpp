#include "editor/dialogs/wedge_dialog.h"

#include "editor/dialogs/symbology_bits.h"
#include "editor/editor_templates.h"
#include "editor/text_rules.h"

#include <string>

namespace kolibra::editor {

using namespace wedge_control;

namespace {

constexpr int kTypeByte = 3, kDelayByte = 8, kTimeOutByte = 23;
constexpr BarcodeBits kNumericKeypadBit{4, 0};
constexpr BarcodeBits kLockTypeBits{4, 1, 2};
constexpr BarcodeBits kDigitsLayoutBits{4, 3, 2};
constexpr BarcodeBits kIgnoreCaseBit{4, 5}, kAlwaysLockedBit{4, 6}, kAutoDetectionBit{4, 7};

uint8_t typed_byte(const std::string& text) {
    const TypedNumber n = read_bounded_number(text);
    return n.kind == NumberKind::Number ? clamp_to_byte(n.value) : 0;
}

}  // namespace

WedgeDialog::WedgeDialog(EditorContext& context)
    : EditorDialog(context, editor_template("KeyboardWedgeDlg")) {}

void WedgeDialog::on_init() {
    const BarcodeSettings& b = tpl().barcode;
    set_entries(kKeyboardType, kKeyboardTypeChoices);
    select(kKeyboardType, b.bytes[kTypeByte]);
    set_text(kCharacterDelay, std::to_string(b.bytes[kDelayByte]));
    set_text(kTimeOut, std::to_string(b.bytes[kTimeOutByte]));
    set_checked(kNumericKeypad, read_bits(b, kNumericKeypadBit) != 0);
    set_checked(kCrLf, tpl().extended.wedge_crlf != 0);
    const int digits = static_cast<int>(read_bits(b, kDigitsLayoutBits));
    const int lock_type = static_cast<int>(read_bits(b, kLockTypeBits));
    for (int k = 0; k < 3; ++k) {
        set_checked(kDigitsNormal + k, k == digits);
        set_checked(kLockTypeNormal + k, k == lock_type);
    }
    // One of three bits; a template with none set shows "Auto-detection".
    const int lock = read_bits(b, kAlwaysLockedBit) ? kAlwaysLocked
                     : read_bits(b, kIgnoreCaseBit) ? kIgnoreCase
                                                    : kAutoDetection;
    for (int id : {kAutoDetection, kAlwaysLocked, kIgnoreCase}) set_checked(id, id == lock);
}

void WedgeDialog::on_text_changed(int id) {
    if ((id == kCharacterDelay || id == kTimeOut) &&
        read_bounded_number(text(id)).kind == NumberKind::NotANumber)
        set_text(id, "0");
}

int WedgeDialog::checked_of_three(int first) const {
    for (int k = 0; k < 3; ++k) {
        if (checked(first + k)) return k;
    }
    return -1;
}

void WedgeDialog::on_ok() {
    context().write_template([this](Template& t) {
        BarcodeSettings& b = t.barcode;
        if (selection(kKeyboardType) != kNoSelection)
            b.bytes[kTypeByte] = static_cast<uint8_t>(selection(kKeyboardType));
        write_bits(b, kNumericKeypadBit, checked(kNumericKeypad) ? 1 : 0);
        t.extended.wedge_crlf = checked(kCrLf) ? 1 : 0;
        const int lock = checked_of_three(kAutoDetection);
        write_bits(b, kAutoDetectionBit, lock == 0 ? 1 : 0);
        write_bits(b, kAlwaysLockedBit, lock == 1 ? 1 : 0);
        write_bits(b, kIgnoreCaseBit, lock == 2 ? 1 : 0);
        if (const int digits = checked_of_three(kDigitsNormal); digits >= 0)
            write_bits(b, kDigitsLayoutBits, static_cast<unsigned>(digits));
        if (const int lock_type = checked_of_three(kLockTypeNormal); lock_type >= 0)
            write_bits(b, kLockTypeBits, static_cast<unsigned>(lock_type));
        b.bytes[kDelayByte] = typed_byte(text(kCharacterDelay));
        b.bytes[kTimeOutByte] = typed_byte(text(kTimeOut));
    });
}

}  // namespace kolibra::editor
