#include "simulator/win32/scan_dialog.h"

#include "common/win32/win32_dialog_binder.h"
#include "simulator/scan_box.h"

namespace kolibra {

bool ask_barcode(HWND owner, const std::vector<std::string>& recent, std::string& text) {
    ScanBarcodeDialog box(recent);
    dialog::Win32DialogHost host(owner);
    if (host.run_modal(box) != dialog::kResultOk) return false;
    text = box.barcode();
    return true;
}

}  // namespace kolibra
