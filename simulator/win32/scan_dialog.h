// The "Scan barcode" box on Windows: the toolkit-free ScanBarcodeDialog
// shown as a modal Win32 dialog over the terminal window.
//
// Usage:
//   std::string code;
//   if (ask_barcode(terminal_hwnd, scans.entries(), code)) ... read `code` ...
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace kolibra {

// Asks for a barcode, offering `recent` (newest first). True with `text`
// set when the user chose OK; false on Cancel, Escape or the close box.
bool ask_barcode(HWND owner, const std::vector<std::string>& recent, std::string& text);

}  // namespace kolibra
