// The simulated scan as the terminal window offers it, without a toolkit:
// the "Scan barcode" box (an editable list of the last ten scans, OK and
// Cancel) as a dialog logic any face can show, and what the window does with
// the text the box gives.
//
// Usage (a face):
//   ScanBarcodeDialog box(scans.entries());
//   if (host.run_modal(box) == dialog::kResultOk)
//       take_scan(runtime, scans, typing, prompter, box.barcode());
#pragma once

#include "common/dialog/dialog_logic.h"
#include "common/prompter.h"
#include "simulator/keyboard_mapping.h"
#include "simulator/sim_runtime.h"

#include <string>
#include <vector>

namespace kolibra {

// The box's editable list of barcodes.
constexpr int kScanBarcodeList = 100;

// The box's template: "Barcode:" above the list, OK and Cancel below.
const DialogTemplate& scan_barcode_template();

class ScanBarcodeDialog : public dialog::DialogLogic {
public:
    // `recent`: the scans offered again, newest first; the newest is shown.
    explicit ScanBarcodeDialog(std::vector<std::string> recent);

    // The text in the box (after OK: the barcode read).
    const std::string& barcode() const { return text(kScanBarcodeList); }

protected:
    void on_init() override;
    void on_text_changed(int id) override;

private:
    std::vector<std::string> recent_;
};

// Reads `text` into the terminal as its barcode reader would: the scan is
// remembered, keys still waiting in `typing` are dropped (they were typed
// before the scan and must not land after it), and a scan the terminal
// refuses is explained in a box titled "Scan barcode". An empty text does
// nothing.
ScanResult take_scan(SimRuntime& runtime, ScanHistory& scans, PcTypingQueue& typing, Prompter& prompter,
                     const std::string& text);

}  // namespace kolibra
