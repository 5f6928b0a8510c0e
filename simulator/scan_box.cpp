#include "simulator/scan_box.h"

namespace kolibra {

namespace {

DialogTemplate make_scan_barcode_template() {
    DialogTemplate t;
    t.name = "ScanBarcodeDlg";
    t.caption = "Scan barcode";
    t.font_face = "Helv";
    t.font_points = 8;
    t.width = 180;
    t.height = 62;
    // The list's height is its dropped-down height: room for the ten scans.
    t.controls = {
        {-1, ControlKind::Label, "&Barcode:", 8, 8, 164, 10, 0},
        {kScanBarcodeList, ControlKind::DropDownEdit, "", 8, 20, 164, 110, 0},
        {dialog::kOkButton, ControlKind::DefaultButton, "OK", 66, 42, 50, 14, 0},
        {dialog::kCancelButton, ControlKind::Button, "Cancel", 122, 42, 50, 14, 0},
    };
    return t;
}

}  // namespace

const DialogTemplate& scan_barcode_template() {
    static const DialogTemplate t = make_scan_barcode_template();
    return t;
}

ScanBarcodeDialog::ScanBarcodeDialog(std::vector<std::string> recent)
    : DialogLogic(scan_barcode_template()), recent_(std::move(recent)) {}

void ScanBarcodeDialog::on_init() {
    set_entries(kScanBarcodeList, recent_);
    // The newest scan is offered as it stands: OK scans it again.
    if (!recent_.empty()) {
        select(kScanBarcodeList, 0);
        set_text(kScanBarcodeList, recent_.front());
    }
    on_text_changed(kScanBarcodeList);
}

void ScanBarcodeDialog::on_text_changed(int id) {
    // A reader never delivers an empty code: OK waits for a text.
    if (id == kScanBarcodeList) set_enabled(dialog::kOkButton, !barcode().empty());
}

ScanResult take_scan(SimRuntime& runtime, ScanHistory& scans, PcTypingQueue& typing, Prompter& prompter,
                     const std::string& text) {
    if (text.empty()) return {ScanStatus::Refused, {}};
    scans.add(text);
    typing.clear();
    ScanResult result = runtime.scan_barcode(text);
    if (result.status == ScanStatus::Refused) prompter.tell(result.reason, "Scan barcode", Icon::Information);
    return result;
}

}  // namespace kolibra
