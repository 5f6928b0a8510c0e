// The "COM Port Settings" dialog: port COM1..COM6 and speed 115200..9600.
#pragma once

#include "model/template.h"

class QWidget;

namespace kolibra {

// Shows the modal dialog with the current choices selected. OK stores the
// selected positions in `comm` and returns true; Cancel changes nothing.
bool run_com_settings_dialog(QWidget* owner, CommSettings& comm);

}  // namespace kolibra
