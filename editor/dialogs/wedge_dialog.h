// "KeyboardWedgeDlg": the keyboard wedge fields of BarcodeSettings and
// `wedge_crlf`, written straight into the Template at OK.
#pragma once

#include "editor/dialog_logic.h"

namespace kolibra::editor {

namespace wedge_control {
constexpr int kKeyboardType = 701;
constexpr int kCharacterDelay = 601, kTimeOut = 602;
constexpr int kNumericKeypad = 101, kCrLf = 102;
constexpr int kDigitsNormal = 401;     // 401 to 403: digits layout 0 to 2
constexpr int kLockTypeNormal = 404;   // 404 to 406: shift / capital lock type 0 to 2
constexpr int kAutoDetection = 407, kAlwaysLocked = 408, kIgnoreCase = 409;
}  // namespace wedge_control

class WedgeDialog : public EditorDialog {
public:
    explicit WedgeDialog(EditorContext& context);

protected:
    void on_init() override;
    void on_text_changed(int id) override;
    void on_ok() override;

private:
    int checked_of_three(int first) const;
};

}  // namespace kolibra::editor
