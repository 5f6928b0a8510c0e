// The Barcode page: scan mode, read redundancy, scan time-out and the 22
// symbologies the reader decodes. Its controls are its working copy; the
// commit writes only their bits, so what the parameter dialogs and the
// keyboard wedge dialog wrote stays. "Parameters..." opens a symbology's
// dialog over the page.
#pragma once

#include "editor/dialogs/symbology_bits.h"
#include "editor/sheet.h"

#include <vector>

namespace kolibra::editor {

namespace barcode_control {
constexpr int kScanMode = 701, kReadRedundancy = 702, kTimeOut = 601;
}  // namespace barcode_control

// A symbology's check box and the bit that enables it.
struct SymbologySwitch {
    int id;
    BarcodeBits bits;
};

const std::vector<SymbologySwitch>& symbology_switches();

class BarcodePage : public PageLogic {
public:
    explicit BarcodePage(EditorContext& context);

    void commit() override;

protected:
    void on_init() override;
    void on_text_changed(int id) override;
    void on_clicked(int id) override;
};

}  // namespace kolibra::editor
