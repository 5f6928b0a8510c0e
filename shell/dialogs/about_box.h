// The about box "AboutBox" as dialog logic, so both faces show the same box
// from its template.
#pragma once

#include "common/dialog/dialog_logic.h"

namespace kolibra {

// The program's name and version and an OK button, the only way out of it.
class AboutBoxLogic : public dialog::DialogLogic {
public:
    AboutBoxLogic();
    bool cancellable() const override { return false; }
};

}  // namespace kolibra
