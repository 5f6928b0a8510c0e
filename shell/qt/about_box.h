// The about box "AboutBox": the program's name and version and an OK button.
#pragma once

class QWidget;

namespace kolibra {

// Shows the modal box; only its OK button closes it.
void run_about_box(QWidget* owner);

}  // namespace kolibra
