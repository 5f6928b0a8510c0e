#include "editor/pages/barcode_page.h"

#include "editor/dialogs/symbology_dialog.h"
#include "editor/editor_templates.h"
#include "editor/text_rules.h"

#include <string>

namespace kolibra::editor {

using namespace barcode_control;

namespace {

constexpr BarcodeBits kScanModeBits{20, 4, 4};
constexpr BarcodeBits kReadRedundancyBits{11, 2, 2};
constexpr int kTimeOutByte = 21;

}  // namespace

const std::vector<SymbologySwitch>& symbology_switches() {
    static const std::vector<SymbologySwitch> switches = {
        {101, {0, 7}}, {102, {0, 6}}, {103, {0, 5}}, {104, {0, 4}}, {105, {0, 3}}, {106, {0, 2}},
        {107, {0, 1}}, {108, {2, 5}}, {109, {2, 4}}, {110, {0, 0}}, {111, {1, 7}}, {113, {1, 6}},
        {114, {1, 5}}, {115, {1, 4}}, {116, {1, 3}}, {117, {1, 2}}, {118, {1, 1}}, {119, {1, 0}},
        {120, {2, 7}}, {121, {2, 6}}, {122, {11, 4}}, {123, {2, 2}},
    };
    return switches;
}

BarcodePage::BarcodePage(EditorContext& context)
    : PageLogic(context, editor_template("BARCODESETTINGDLG")) {}

void BarcodePage::on_init() {
    const BarcodeSettings& b = tpl().barcode;
    set_entries(kScanMode, kScanModeChoices);
    select(kScanMode, static_cast<int>(read_bits(b, kScanModeBits)));
    set_entries(kReadRedundancy, kReadRedundancyChoices);
    select(kReadRedundancy, static_cast<int>(read_bits(b, kReadRedundancyBits)));
    set_text(kTimeOut, std::to_string(b.bytes[kTimeOutByte]));
    for (const SymbologySwitch& s : symbology_switches()) set_checked(s.id, read_bits(b, s.bits) != 0);
}

void BarcodePage::on_text_changed(int id) {
    if (id == kTimeOut && read_bounded_number(text(id)).kind == NumberKind::NotANumber) set_text(id, "0");
}

void BarcodePage::on_clicked(int id) {
    if (const SymbologyLayout* layout = symbology_layout_for(id)) {
        SymbologyDialog dialog(context(), *layout);
        run_modal(dialog);
    }
}

void BarcodePage::commit() {
    BarcodeSettings& b = tpl().barcode;
    // A list showing no entry (a stored value beyond it) keeps its bits.
    if (selection(kScanMode) != kNoSelection)
        write_bits(b, kScanModeBits, static_cast<unsigned>(selection(kScanMode)));
    if (selection(kReadRedundancy) != kNoSelection)
        write_bits(b, kReadRedundancyBits, static_cast<unsigned>(selection(kReadRedundancy)));
    // The byte holds at most 255 seconds: a larger number is stored as 255.
    const TypedNumber time_out = read_bounded_number(text(kTimeOut));
    b.bytes[kTimeOutByte] = time_out.kind == NumberKind::Number ? clamp_to_byte(time_out.value) : 0;
    for (const SymbologySwitch& s : symbology_switches()) write_bits(b, s.bits, checked(s.id) ? 1 : 0);
}

}  // namespace kolibra::editor
